#include "controls/tchangehandlerthread.h"

#include "controls/changenotifyevent.h"
#include "platform/changenotification.h"
#include "platform/fdwait.h"
#include "platform/wakeevent.h"

#include <QCoreApplication>
#include <QMutexLocker>

TChangeHandlerThread::TChangeHandlerThread(QObject *owner, QEvent::Type eventType)
    : m_owner(owner)
    , m_eventType(eventType)
    , m_command(std::make_unique<WakeEvent>()) {
    m_slots.resize(kSlotCount);
    start();
}

TChangeHandlerThread::~TChangeHandlerThread() {
    {
        QMutexLocker lock(&m_mutex);
        m_commandCode = cmdQuit;
    }
    m_command->signal();
    if (!wait(kQuitTimeoutMs)) {
        // A thread that does not stop keeps its table; ending the process is then safer than
        // closing descriptors under it.
        qFatal("change-notification thread did not stop");
    }
    // The slot table and a pending notification are closed by their owners' destructors.
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
        QMutexLocker lock(&m_mutex);
        m_pending = std::move(notification);
        m_newSlot = -1;
    }
    if (!sendCommand(cmdAdd))
        return false;
    QMutexLocker lock(&m_mutex);
    slot = m_newSlot;
    return slot != -1;
}

void TChangeHandlerThread::RemoveAll() {
    sendCommand(cmdRemoveAll);
}

bool TChangeHandlerThread::sendCommand(Command command) {
    {
        QMutexLocker lock(&m_mutex);
        m_commandCode = command;
    }
    // An answer that came after an earlier time-out is not this command's.
    while (m_processed.tryAcquire()) {
    }
    m_command->signal();
    return m_processed.tryAcquire(1, kCommandTimeoutMs);
}

void TChangeHandlerThread::doCommand() {
    QMutexLocker lock(&m_mutex);
    switch (m_commandCode) {
    case cmdAdd:
        m_newSlot = -1;
        for (int i = 0; i < kSlotCount; ++i) {
            if (!m_slots[i]) {
                m_slots[i] = std::move(m_pending);
                m_newSlot = i;
                break;
            }
        }
        break;
    case cmdRemoveAll:
        for (std::unique_ptr<ChangeNotification> &notification : m_slots)
            notification.reset();
        break;
    case cmdQuit:
        return;
    }
    m_processed.release();
}

void TChangeHandlerThread::run() {
    for (;;) {
        std::vector<int> fds = {m_command->fd()};
        std::vector<int> slotAt = {-1};
        for (int i = 0; i < kSlotCount; ++i) {
            if (m_slots[i]) {
                fds.push_back(m_slots[i]->fd());
                slotAt.push_back(i);
            }
        }
        const int ready = WaitForReadable(fds, -1);
        if (ready == 0) {
            m_command->consume();
            {
                QMutexLocker lock(&m_mutex);
                if (m_commandCode == cmdQuit)
                    return;
            }
            doCommand();
        } else if (ready > 0) {
            const int slot = slotAt[ready];
            // A watched folder that went away is reported too; its slot is then freed.
            const int changes = m_slots[slot]->ReadChanges();
            if (changes != 0 && m_owner)
                QCoreApplication::postEvent(m_owner, new ChangeNotifyEvent(m_eventType, slot));
            if (changes < 0)
                m_slots[slot].reset();
        }
    }
}
