#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;
class TChangeHandlerThread;

// Where a shell view watches its folders and schedules its refreshes: one for the shell tree and
// one for the shell list. It watches the folders the view shows through one change thread (one
// inotify instance, any number of folders), checks the folders that the system refuses to watch
// every few seconds instead, and runs the view's refresh once the changes of a burst are
// delayed enough, or, while the view is busy (a drag, a menu, a name edit), when it is free.
class ShellViewWatch : public QObject {
    Q_OBJECT

public:
    // Where the refresh stands: nothing to do; waiting for the delay after a change; held off
    // while the view is busy, with nothing due; held off with a refresh due.
    enum class State { Idle, Waiting, Held, HeldDue };
    // Why the view is busy: a menu or name edit only holds refreshes off; during the view's own
    // drag the changes it makes are its own, so they are not news.
    enum class Hold { Refresh, RefreshAndChanges };
    static constexpr int kPollIntervalMs = 2000;

    // refresh: the view's refresh; busy: whether the view is busy beyond the holds (editing).
    ShellViewWatch(QWidget *view, std::function<void()> refresh, std::function<bool()> busy);
    ~ShellViewWatch() override;

    // Watches exactly these folders (raw paths) from now on; nothing when they are the ones
    // watched already, unless forced (after a mount, the same path is another folder).
    void Watch(const QList<QByteArray> &folders, int filter, bool force = false);
    void Stop();
    const QList<QByteArray> &Folders() const { return m_folders; }
    // The folders the system refused to watch; they are checked every kPollIntervalMs.
    const QList<QByteArray> &PolledFolders() const { return m_polled; }

    // A change was seen: the refresh waits for the delay, timed from the first change of a burst
    // so a folder that keeps changing still refreshes. Ignored during the view's own drag, and
    // once after IgnoreNextChange.
    void Changed();
    // The view's next change of its folders is its own (a rename, a new folder).
    void IgnoreNextChange() { m_ignoreNextChange = true; }

    // Called where a refresh starts: false while the view is busy (the refresh is then due),
    // true when it may run now (nothing is left waiting).
    bool MayRefresh();
    // A refresh that was held off runs now, when the view is free.
    void RunDue();
    State state() const;

    // Holds refreshes off while it lives.
    class Scope {
    public:
        Scope(ShellViewWatch &watch, Hold hold);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        ShellViewWatch &m_watch;
        Hold m_hold;
    };

    // Said once for the life of the view, when the system first refuses to watch a folder.
    std::function<void(const QString &text)> OnNotice;

protected:
    // Watches one folder; 0 or the errno code. Tests refuse some folders instead.
    virtual int AddWatch(const QByteArray &folder, int filter);
    void customEvent(QEvent *event) override;

private:
    struct Stamp {
        bool exists = false;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        unsigned long long inode = 0;
        unsigned long long device = 0;
        friend bool operator==(const Stamp &, const Stamp &) = default;
    };
    static Stamp stampOf(const QByteArray &folder);
    void poll();

    QWidget *m_view = nullptr;
    std::function<void()> m_refresh;
    std::function<bool()> m_busy;
    std::unique_ptr<TChangeHandlerThread> m_thread;
    QList<QByteArray> m_folders;
    int m_filter = 0;
    QList<QByteArray> m_polled;
    QList<Stamp> m_stamps;
    QTimer m_delayTimer;
    QTimer m_pollTimer;
    int m_holds = 0;
    int m_changeHolds = 0;
    bool m_due = false;
    bool m_ignoreNextChange = false;
    bool m_noticeGiven = false;
};
