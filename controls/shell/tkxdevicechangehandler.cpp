#include "controls/shell/tkxdevicechangehandler.h"

#include "controls/framework/controlservices.h"
#include "platform/mountwatcher.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>

TKxDeviceChangeHandler &TKxDeviceChangeHandler::Instance() {
    static QPointer<TKxDeviceChangeHandler> instance;
    if (!instance)
        instance = new TKxDeviceChangeHandler(QCoreApplication::instance());
    return *instance;
}

TKxDeviceChangeHandler::TKxDeviceChangeHandler(QObject *parent)
    : QObject(parent)
    , m_watcher(std::make_unique<MountWatcher>()) {
    connect(m_watcher.get(), &MountWatcher::mountsChanged, this,
            [this](const QList<MountPoint> &added, const QList<MountPoint> &removed) {
                if (!added.isEmpty())
                    post(DeviceArrival);
                if (!removed.isEmpty())
                    post(DeviceRemoveComplete);
            });
}

TKxDeviceChangeHandler::~TKxDeviceChangeHandler() = default;

void TKxDeviceChangeHandler::post(DeviceChange change) {
    QMetaObject::invokeMethod(
        this, [this, change] { Dispatch(change); }, Qt::QueuedConnection);
}

void TKxDeviceChangeHandler::Register(const void *owner, Listener listener) {
    m_listeners.append({owner, std::move(listener), ++m_nextSerial});
}

void TKxDeviceChangeHandler::Unregister(const void *owner) {
    for (int i = 0; i < m_listeners.size(); ++i) {
        if (m_listeners[i].owner == owner) {
            m_listeners.removeAt(i);
            return;
        }
    }
}

void TKxDeviceChangeHandler::Dispatch(DeviceChange change) {
    if (!m_active)
        return;
    // A listener may register or unregister others while the change is handed round: only the
    // listeners present at the start and still registered are called.
    QList<quint64> serials;
    for (const Registration &registration : m_listeners)
        serials.append(registration.serial);
    for (const quint64 serial : serials) {
        const auto found =
            std::find_if(m_listeners.cbegin(), m_listeners.cend(),
                         [serial](const Registration &entry) { return entry.serial == serial; });
        if (found == m_listeners.cend())
            continue;
        const Listener listener = found->listener;
        CallGuarded([&] { listener(this, change); });
    }
}
