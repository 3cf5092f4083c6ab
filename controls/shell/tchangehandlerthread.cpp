#include "controls/shell/tchangehandlerthread.h"

#include "controls/shell/changenotifyevent.h"
#include "platform/changenotification.h"
#include "platform/fdwait.h"
#include "platform/wakeevent.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <cerrno>
#include <vector>

struct TChangeHandlerThread::State {
    QMutex mutex; // guards everything below but the wake event
    WakeEvent command;
    QObject *owner = nullptr;
    QEvent::Type eventType = QEvent::None;
    CommandHook beforeCommand;
    bool quit = false;
    // Set when the owner gave up waiting for the thread to stop.
    bool abandoned = false;
    // None when the system gave no inotify instance.
    std::unique_ptr<ChangeNotification> notification;
    int openError = 0;
};

TChangeHandlerThread::TChangeHandlerThread(QObject *owner, QEvent::Type eventType)
    : TChangeHandlerThread(owner, eventType, kQuitTimeoutMs, nullptr) {}

TChangeHandlerThread::TChangeHandlerThread(QObject *owner, QEvent::Type eventType,
                                           int quitTimeoutMs, CommandHook beforeCommand)
    : m_state(std::make_shared<State>())
    , m_quitTimeoutMs(quitTimeoutMs) {
    m_state->owner = owner;
    m_state->eventType = eventType;
    m_state->beforeCommand = std::move(beforeCommand);
    m_state->notification = ChangeNotification::Open();
    if (!m_state->notification)
        m_state->openError = errno;
    // The thread holds the state itself, so a thread that outlives this object still finds it.
    m_thread = QThread::create([state = m_state] { run(state); });
    m_thread->start();
}

TChangeHandlerThread::~TChangeHandlerThread() {
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->quit = true;
    }
    m_state->command.signal();
    if (m_thread->wait(m_quitTimeoutMs)) {
        delete m_thread;
        return;
    }
    qWarning("change-notification thread did not stop in time; its watches are closed");
    std::unique_ptr<ChangeNotification> watches;
    if (m_state->mutex.tryLock(kCommandTimeoutMs)) {
        m_state->abandoned = true;
        m_state->owner = nullptr;
        watches = std::move(m_state->notification);
        m_state->mutex.unlock();
    }
    // The thread object goes once the thread has ended.
    QObject::connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
}

void TChangeHandlerThread::run(const std::shared_ptr<State> &state) {
    std::vector<int> fds = {state->command.fd()};
    {
        QMutexLocker lock(&state->mutex);
        if (state->notification)
            fds.push_back(state->notification->fd());
    }
    for (;;) {
        const int ready = WaitForReadable(fds, -1);
        if (ready == 0) {
            state->command.consume();
            if (state->beforeCommand)
                state->beforeCommand();
            QMutexLocker lock(&state->mutex);
            if (state->abandoned || state->quit)
                return;
        } else if (ready > 0) {
            QMutexLocker lock(&state->mutex);
            if (state->abandoned || !state->notification)
                return;
            // A watched folder that went away is reported too; its slot is then free.
            const QHash<int, int> changes = state->notification->ReadChanges();
            for (auto change = changes.cbegin(); change != changes.cend(); ++change) {
                if (change.value() != 0 && state->owner)
                    QCoreApplication::postEvent(
                        state->owner, new ChangeNotifyEvent(state->eventType, change.key()));
            }
        }
    }
}

bool TChangeHandlerThread::Add(const QByteArray &path, int filter, int &slot, bool watchSubtree) {
    slot = -1;
    QMutexLocker lock(&m_state->mutex);
    if (!m_state->notification) {
        m_lastError = m_state->openError;
        return false;
    }
    const int added = m_state->notification->AddFolder(path, watchSubtree, filter);
    if (added < 0) {
        m_lastError = -added;
        return false;
    }
    slot = added;
    return true;
}

void TChangeHandlerThread::RemoveAll() {
    QMutexLocker lock(&m_state->mutex);
    if (m_state->notification)
        m_state->notification->RemoveAll();
}
