#include "controls/shell/shellviewwatch.h"

#include "controls/framework/controlservices.h"
#include "controls/shell/changenotifyevent.h"
#include "controls/shell/shelldata.h"
#include "controls/shell/tchangehandlerthread.h"
#include "platform/nametext.h"

#include <QWidget>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

// Errors that say the system has no more watches to give, not that the folder is no folder.
bool IsRefusal(int error) {
    return error == ENOSPC || error == EMFILE || error == ENFILE || error == ENOMEM;
}

} // namespace

ShellViewWatch::ShellViewWatch(QWidget *view, std::function<void()> refresh,
                               std::function<bool()> busy)
    : m_view(view)
    , m_refresh(std::move(refresh))
    , m_busy(std::move(busy)) {
    m_delayTimer.setSingleShot(true);
    connect(&m_delayTimer, &QTimer::timeout, this, [this] { CallGuarded([&] { m_refresh(); }); });
    m_pollTimer.setInterval(kPollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, [this] { poll(); });
}

ShellViewWatch::~ShellViewWatch() = default;

void ShellViewWatch::Watch(const QList<QByteArray> &folders, int filter, bool force) {
    if (!force && m_thread != nullptr && folders == m_folders && filter == m_filter)
        return;
    if (m_thread == nullptr)
        m_thread =
            std::make_unique<TChangeHandlerThread>(this, ChangeNotifyEvent::ShellChangeType());
    else
        m_thread->RemoveAll();
    m_folders = folders;
    m_filter = filter;
    m_polled.clear();
    m_stamps.clear();
    for (const QByteArray &folder : folders) {
        const int error = AddWatch(folder, filter);
        if (!IsRefusal(error))
            continue;
        m_polled << folder;
        m_stamps << stampOf(folder);
        if (!m_noticeGiven && OnNotice) {
            m_noticeGiven = true;
            OnNotice(
                QStringLiteral("The system does not report changes in \"%1\" (%2), so it is "
                               "checked every %3 seconds instead.")
                    .arg(NameToDisplayText(folder), QString::fromLocal8Bit(std::strerror(error)))
                    .arg(kPollIntervalMs / 1000));
        }
    }
    if (m_polled.isEmpty())
        m_pollTimer.stop();
    else if (!m_pollTimer.isActive())
        m_pollTimer.start();
}

int ShellViewWatch::AddWatch(const QByteArray &folder, int filter) {
    int slot = -1;
    return m_thread->Add(folder, filter, slot, false) ? 0 : m_thread->LastError();
}

void ShellViewWatch::Stop() {
    m_thread.reset();
    m_folders.clear();
    m_polled.clear();
    m_stamps.clear();
    m_pollTimer.stop();
}

ShellViewWatch::Stamp ShellViewWatch::stampOf(const QByteArray &folder) {
    struct stat info {};
    if (::stat(folder.constData(), &info) != 0)
        return {};
    return {true, qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec, info.st_ino,
            info.st_dev};
}

void ShellViewWatch::poll() {
    bool changed = false;
    for (int i = 0; i < m_polled.size(); ++i) {
        const Stamp now = stampOf(m_polled[i]);
        if (!(now == m_stamps[i])) {
            m_stamps[i] = now;
            changed = true;
        }
    }
    if (changed)
        Changed();
}

void ShellViewWatch::Changed() {
    if (m_changeHolds > 0)
        return;
    if (m_ignoreNextChange) {
        m_ignoreNextChange = false;
        return;
    }
    if (!m_delayTimer.isActive())
        m_delayTimer.start(ShellRefreshDelayMs(m_view != nullptr && m_view->hasFocus()));
}

bool ShellViewWatch::MayRefresh() {
    if (m_holds > 0 || (m_busy && m_busy())) {
        m_due = true;
        return false;
    }
    m_due = false;
    m_delayTimer.stop();
    return true;
}

void ShellViewWatch::RunDue() {
    if (m_due && m_holds == 0)
        CallGuarded([&] { m_refresh(); });
}

ShellViewWatch::State ShellViewWatch::state() const {
    if (m_holds > 0 || (m_busy && m_busy()))
        return m_due ? State::HeldDue : State::Held;
    if (m_due)
        return State::HeldDue;
    return m_delayTimer.isActive() ? State::Waiting : State::Idle;
}

ShellViewWatch::Scope::Scope(ShellViewWatch &watch, Hold hold)
    : m_watch(watch)
    , m_hold(hold) {
    ++m_watch.m_holds;
    if (hold == Hold::RefreshAndChanges)
        ++m_watch.m_changeHolds;
}

ShellViewWatch::Scope::~Scope() {
    --m_watch.m_holds;
    if (m_hold == Hold::RefreshAndChanges)
        --m_watch.m_changeHolds;
}

void ShellViewWatch::customEvent(QEvent *event) {
    if (event->type() == ChangeNotifyEvent::ShellChangeType()) {
        Changed();
        return;
    }
    QObject::customEvent(event);
}
