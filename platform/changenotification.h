#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>

#include <memory>

// What a change notification watches for; the values are the callers' filter bits.
enum ChangeFilter : int {
    ChangeFileName = 0x01,
    ChangeDirName = 0x02,
    ChangeAttributes = 0x04,
    ChangeSize = 0x08,
    ChangeLastWrite = 0x10,
};

// Any number of watched folders (each, with subtree, with its subfolders) on one inotify
// instance, whose descriptor becomes readable when something changes in one of them.
class ChangeNotification {
public:
    // Watching a whole tree costs one inotify watch per folder; beyond this many folders the
    // deeper ones are not watched. Mounts inside the tree are not entered.
    static constexpr int kMaxSubtreeWatches = 4096;
    static_assert(kMaxSubtreeWatches >= 1, "the folder itself is always watched");

    // None when the system gives no instance (errno tells why).
    static std::unique_ptr<ChangeNotification> Open();
    ~ChangeNotification();
    ChangeNotification(const ChangeNotification &) = delete;
    ChangeNotification &operator=(const ChangeNotification &) = delete;

    int fd() const { return m_fd; }
    // Watches the folder (raw path) under the lowest free number, which it returns; or the
    // negated errno code: ENOENT or ENOTDIR for no folder, ENOSPC when the system refuses more
    // watches, EACCES when the folder may not be read.
    int AddFolder(const QByteArray &path, bool subtree, int filter);
    void RemoveFolder(int folder);
    void RemoveAll();
    int folderCount() const { return static_cast<int>(m_folders.size()); }
    // The kernel watches held for all the folders.
    int watchCount() const { return static_cast<int>(m_watchFolders.size()); }
    // Reads the pending events: for each folder with news, the number of events that match its
    // filter, or -1 when the folder itself is gone (it is then no longer watched).
    QHash<int, int> ReadChanges();

private:
    struct Folder {
        QByteArray path;
        bool subtree = false;
        int filter = 0;
        int rootWatch = -1;
        unsigned long long device = 0;
        QSet<int> watches;
    };

    explicit ChangeNotification(int fd);
    bool addWatch(int folder, const QByteArray &path, int &error);
    void addWatches(int folder, const QByteArray &root);
    void dropWatch(int watch);
    void removeFolder(int folder);

    int m_fd = -1;
    QHash<int, Folder> m_folders;
    QHash<int, QByteArray> m_watchPaths;   // watch descriptor -> folder path
    QHash<int, QList<int>> m_watchFolders; // watch descriptor -> the folders it serves
};
