#pragma once

#include <QEvent>

#include <functional>
#include <memory>

class QObject;
class QThread;

// Watches up to 63 folders and posts its owner a ChangeNotifyEvent of the given type, carrying
// the folder's slot, once per change. Add and RemoveAll are called from the owner's thread; the
// watching thread owns the slot table and takes commands through a wake event.
class TChangeHandlerThread {
public:
    static constexpr int kSlotCount = 63;
    static constexpr int kCommandTimeoutMs = 2000;
    static constexpr int kQuitTimeoutMs = 30000;
    static_assert(kSlotCount + 1 == 64, "the slots and the command event fill one wait");

    // Runs in the watching thread before it takes each command; tests make the thread slow to
    // answer with it.
    using CommandHook = std::function<void()>;

    // Starts the thread.
    TChangeHandlerThread(QObject *owner, QEvent::Type eventType);
    TChangeHandlerThread(QObject *owner, QEvent::Type eventType, int quitTimeoutMs,
                         CommandHook beforeCommand);
    // Stops the thread. One that does not stop in time is left to end on its own: it is told
    // nothing more, posts nothing more, and its watches are closed here.
    ~TChangeHandlerThread();
    TChangeHandlerThread(const TChangeHandlerThread &) = delete;
    TChangeHandlerThread &operator=(const TChangeHandlerThread &) = delete;

    // Watches the folder; slot is the slot filled. False for a path that cannot be watched,
    // with every slot used, or with no answer in time.
    bool Add(const QString &path, int filter, int &slot, bool watchSubtree);
    void RemoveAll();

private:
    struct State;
    enum class Command { Add, RemoveAll, Quit };

    // The watching thread's loop; it ends on quit or once abandoned.
    static void run(const std::shared_ptr<State> &state);
    // Carries out the command under the state's lock; false for quit.
    static bool doCommand(State &state);
    // Sends the command and waits for it to be done; false on time-out.
    bool sendCommand(Command command);

    std::shared_ptr<State> m_state; // shared with the watching thread, which may outlive this
    QThread *m_thread = nullptr;
    int m_quitTimeoutMs = kQuitTimeoutMs;
};
