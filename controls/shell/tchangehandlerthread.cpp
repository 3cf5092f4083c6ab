#include "controls/shell/tchangehandlerthread.h"

#include "controls/shell/changenotifyevent.h"
#include "platform/changenotification.h"
#include "platform/fdwait.h"
#include "platform/wakeevent.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QThread>

#include <vector>

struct TChangeHandlerThread::State {
    QMutex mutex; // guards everything below but the wake event and the semaphore
    WakeEvent command;
    QSemaphore processed;
    QObject *owner = nullptr;
    QEvent::Type eventType = QEvent::None;
    CommandHook beforeCommand;
    Command commandCode = Command::Add;
    std::unique_ptr<ChangeNotification> pending;
    int newSlot = -1;
    // Set when the owner gave up waiting for the thread to stop.
    bool abandoned = false;
    std::vector<std::unique_ptr<ChangeNotification>> table =
        std::vector<std::unique_ptr<ChangeNotification>>(kSlotCount);
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
    // The thread holds the state itself, so a thread that outlives this object still finds it.
    m_thread = QThread::create([state = m_state] { run(state); });
    m_thread->start();
}

TChangeHandlerThread::~TChangeHandlerThread() {
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->commandCode = Command::Quit;
    }
    m_state->command.signal();
    if (m_thread->wait(m_quitTimeoutMs)) {
        delete m_thread;
        return;
    }
    qWarning("change-notification thread did not stop in time; its watches are closed");
    std::vector<std::unique_ptr<ChangeNotification>> watches;
    if (m_state->mutex.tryLock(kCommandTimeoutMs)) {
        m_state->abandoned = true;
        m_state->owner = nullptr;
        for (auto &notification : m_state->table)
            watches.push_back(std::move(notification));
        watches.push_back(std::move(m_state->pending));
        m_state->mutex.unlock();
    }
    // The thread object goes once the thread has ended.
    QObject::connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
}

void TChangeHandlerThread::run(const std::shared_ptr<State> &state) {
    for (;;) {
        std::vector<int> fds = {state->command.fd()};
        std::vector<int> slotAt = {-1};
        {
            QMutexLocker lock(&state->mutex);
            if (state->abandoned)
                return;
            for (int i = 0; i < kSlotCount; ++i) {
                if (state->table[i]) {
                    fds.push_back(state->table[i]->fd());
                    slotAt.push_back(i);
                }
            }
        }
        const int ready = WaitForReadable(fds, -1);
        if (ready == 0) {
            state->command.consume();
            if (state->beforeCommand)
                state->beforeCommand();
            QMutexLocker lock(&state->mutex);
            if (state->abandoned || !doCommand(*state))
                return;
        } else if (ready > 0) {
            QMutexLocker lock(&state->mutex);
            if (state->abandoned)
                return;
            const int slot = slotAt[ready];
            // A watched folder that went away is reported too; its slot is then freed.
            const int changes = state->table[slot]->ReadChanges();
            if (changes != 0 && state->owner)
                QCoreApplication::postEvent(state->owner,
                                            new ChangeNotifyEvent(state->eventType, slot));
            if (changes < 0)
                state->table[slot].reset();
        }
    }
}

bool TChangeHandlerThread::doCommand(State &state) {
    switch (state.commandCode) {
    case Command::Add:
        state.newSlot = -1;
        for (int i = 0; i < kSlotCount; ++i) {
            if (!state.table[i]) {
                state.table[i] = std::move(state.pending);
                state.newSlot = i;
                break;
            }
        }
        break;
    case Command::RemoveAll:
        for (std::unique_ptr<ChangeNotification> &notification : state.table)
            notification.reset();
        break;
    case Command::Quit:
        return false;
    }
    state.processed.release();
    return true;
}

bool TChangeHandlerThread::Add(const QString &path, int filter, int &slot, bool watchSubtree) {
    slot = -1;
    if (path.isEmpty())
        return false;
    std::unique_ptr<ChangeNotification> notification =
        ChangeNotification::Open(path, watchSubtree, filter);
    if (!notification)
        return false;
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->pending = std::move(notification);
        m_state->newSlot = -1;
    }
    if (!sendCommand(Command::Add))
        return false;
    QMutexLocker lock(&m_state->mutex);
    slot = m_state->newSlot;
    return slot != -1;
}

void TChangeHandlerThread::RemoveAll() {
    sendCommand(Command::RemoveAll);
}

bool TChangeHandlerThread::sendCommand(Command command) {
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->commandCode = command;
    }
    // An answer that came after an earlier time-out is not this command's.
    while (m_state->processed.tryAcquire()) {
    }
    m_state->command.signal();
    return m_state->processed.tryAcquire(1, kCommandTimeoutMs);
}
