#pragma once

#include <QByteArray>
#include <QEvent>

#include <functional>
#include <memory>

class QObject;
class QThread;

// Watches any number of folders through one inotify instance and posts its owner a
// ChangeNotifyEvent of the given type, carrying the folder's slot, once per change. Add and
// RemoveAll are called from the owner's thread; the watching thread waits for changes and for
// the command to quit.
class TChangeHandlerThread {
public:
    static constexpr int kCommandTimeoutMs = 2000;
    static constexpr int kQuitTimeoutMs = 30000;

    // Runs in the watching thread before it takes the command to quit; tests make the thread
    // slow to answer with it.
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

    // Watches the folder (raw path) under the lowest free slot, which slot receives. False for
    // a path that is no folder and when the system refuses the watch; LastError then tells why.
    bool Add(const QByteArray &path, int filter, int &slot, bool watchSubtree);
    void RemoveAll();
    // The errno code of the last Add that failed (ENOENT for a path that is no folder; ENOSPC,
    // EMFILE or ENOMEM where the system refused).
    int LastError() const { return m_lastError; }

private:
    struct State;

    // The watching thread's loop; it ends on quit or once abandoned.
    static void run(const std::shared_ptr<State> &state);

    std::shared_ptr<State> m_state; // shared with the watching thread, which may outlive this
    QThread *m_thread = nullptr;
    int m_quitTimeoutMs = kQuitTimeoutMs;
    int m_lastError = 0;
};
