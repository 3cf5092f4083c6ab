#pragma once

#include <QEvent>
#include <QMutex>
#include <QSemaphore>
#include <QThread>

#include <cstdint>
#include <memory>
#include <vector>

class ChangeNotification;
class WakeEvent;

// Watches up to 63 folders and posts its owner a ChangeNotifyEvent of the given type, carrying
// the folder's slot, once per change. Add and RemoveAll are called from the owner's thread; the
// thread owns the slot table and takes commands through a wake event.
class TChangeHandlerThread : public QThread {
    Q_OBJECT

public:
    static constexpr int kSlotCount = 63;
    static constexpr int kCommandTimeoutMs = 2000;
    static constexpr int kQuitTimeoutMs = 30000;
    static_assert(kSlotCount + 1 == 64, "the slots and the command event fill one wait");

    // Starts the thread.
    TChangeHandlerThread(QObject *owner, QEvent::Type eventType);
    ~TChangeHandlerThread() override;

    // Watches the folder; slot is the slot filled. False for a path that cannot be watched,
    // with every slot used, or with no answer in time.
    bool Add(const QString &path, int filter, int &slot, bool watchSubtree);
    void RemoveAll();

protected:
    void run() override;

private:
    enum Command : std::uint8_t { cmdAdd = 0, cmdRemoveAll = 2, cmdQuit = 3 };

    // Sends the command and waits for it to be done; false on time-out.
    bool sendCommand(Command command);
    void doCommand();

    QObject *m_owner = nullptr;
    QEvent::Type m_eventType;
    std::unique_ptr<WakeEvent> m_command;
    QSemaphore m_processed;
    QMutex m_mutex; // guards the fields below between the caller and the thread
    Command m_commandCode = cmdAdd;
    std::unique_ptr<ChangeNotification> m_pending;
    int m_newSlot = -1;
    std::vector<std::unique_ptr<ChangeNotification>> m_slots; // the thread's own
};
