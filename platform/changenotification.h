#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

// What a change notification watches for; the values are the callers' filter bits.
enum ChangeFilter : int {
    ChangeFileName = 0x01,
    ChangeDirName = 0x02,
    ChangeAttributes = 0x04,
    ChangeSize = 0x08,
    ChangeLastWrite = 0x10,
};

// A watch on a folder (and, with subtree, on its subfolders) through one inotify descriptor
// that becomes readable when something changes.
class ChangeNotification {
public:
    // Watching a whole tree costs one inotify watch per folder; beyond this many folders the
    // deeper ones are not watched. Mounts inside the tree are not entered.
    static constexpr int kMaxSubtreeWatches = 4096;
    static_assert(kMaxSubtreeWatches >= 1, "the folder itself is always watched");

    // None when the path is empty, no folder, or cannot be watched.
    static std::unique_ptr<ChangeNotification> Open(const QString &path, bool subtree, int filter);
    ~ChangeNotification();
    ChangeNotification(const ChangeNotification &) = delete;
    ChangeNotification &operator=(const ChangeNotification &) = delete;

    int fd() const { return m_fd; }
    int watchCount() const { return static_cast<int>(m_watches.size()); }
    // Reads the pending events and re-arms: the number of events that match the filter, or -1
    // when the watched folder itself is gone (the notification is then dead).
    int ReadChanges();

private:
    ChangeNotification(int fd, bool subtree, int filter);
    void addWatches(const QByteArray &root);
    bool addWatch(const QByteArray &path);

    int m_fd = -1;
    bool m_subtree = false;
    int m_filter = 0;
    int m_rootWatch = -1;
    unsigned long long m_rootDevice = 0;
    QHash<int, QByteArray> m_watches; // watch descriptor -> folder path
};
