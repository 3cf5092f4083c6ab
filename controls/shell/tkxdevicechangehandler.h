#pragma once

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class MountWatcher;

// The process-wide dispatcher of device changes (file systems mounted or unmounted). Listeners
// run from the event loop after the change was seen, never inside the watcher's notification.
class TKxDeviceChangeHandler : public QObject {
    Q_OBJECT

public:
    enum DeviceChange { DeviceArrival = 0x8000, DeviceRemoveComplete = 0x8004 };
    using Listener = std::function<void(TKxDeviceChangeHandler *sender, DeviceChange change)>;

    // Made on first use, as a child of the application object, so it lives as long as it.
    static TKxDeviceChangeHandler &Instance();

    // owner identifies the registration (normally the listening control).
    void Register(const void *owner, Listener listener);
    // Removes the first registration of the owner.
    void Unregister(const void *owner);
    int ListenerCount() const { return static_cast<int>(m_listeners.size()); }
    bool Active() const { return m_active; }
    void SetActive(bool active) { m_active = active; }

public slots:
    // Calls every listener with the change; an exception is reported and the loop goes on.
    void Dispatch(TKxDeviceChangeHandler::DeviceChange change);

private:
    explicit TKxDeviceChangeHandler(QObject *parent);
    ~TKxDeviceChangeHandler() override;
    // Posts the change, so that listeners run after the watcher's notification has returned.
    void post(DeviceChange change);

    struct Registration {
        const void *owner = nullptr;
        Listener listener;
        quint64 serial = 0;
    };

    std::unique_ptr<MountWatcher> m_watcher;
    QList<Registration> m_listeners;
    bool m_active = true;
    quint64 m_nextSerial = 0;
};
