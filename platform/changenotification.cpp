#include "platform/changenotification.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kEventBufferSize = 16 * (sizeof(inotify_event) + NAME_MAX + 1);
constexpr std::uint32_t kGoneMask = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

std::uint32_t inotifyMask(int filter) {
    std::uint32_t mask = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (filter & (ChangeFileName | ChangeDirName))
        mask |= IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
    if (filter & ChangeAttributes)
        mask |= IN_ATTRIB;
    if (filter & (ChangeSize | ChangeLastWrite))
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    return mask;
}

bool matches(const inotify_event &event, int filter) {
    const bool folder = event.mask & IN_ISDIR;
    if (event.mask & (IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO))
        return filter & (folder ? ChangeDirName : ChangeFileName);
    if (event.mask & IN_ATTRIB)
        return filter & ChangeAttributes;
    if (event.mask & (IN_MODIFY | IN_CLOSE_WRITE))
        return filter & (ChangeSize | ChangeLastWrite);
    return false;
}

QByteArray joinPath(const QByteArray &folder, const QByteArray &name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

} // namespace

std::unique_ptr<ChangeNotification> ChangeNotification::Open() {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<ChangeNotification>(new ChangeNotification(fd));
}

ChangeNotification::ChangeNotification(int fd)
    : m_fd(fd) {}

ChangeNotification::~ChangeNotification() {
    ::close(m_fd);
}

int ChangeNotification::AddFolder(const QByteArray &path, bool subtree, int filter) {
    struct stat info {};
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0)
        return -ENOENT;
    if (!S_ISDIR(info.st_mode))
        return -ENOTDIR;
    int folder = 0;
    while (m_folders.contains(folder))
        ++folder;
    m_folders.insert(folder, Folder{path, subtree, filter, -1, info.st_dev, {}});
    int error = 0;
    if (!addWatch(folder, path, error)) {
        m_folders.remove(folder);
        return -error;
    }
    if (subtree)
        addWatches(folder, path);
    return folder;
}

// Folders may share a kernel watch (one folder inside another's tree, or the same folder
// twice): the watch then serves both, with the events of both filters.
bool ChangeNotification::addWatch(int folder, const QByteArray &path, int &error) {
    Folder &entry = m_folders[folder];
    if (entry.watches.size() >= kMaxSubtreeWatches) {
        error = ENOSPC;
        return false;
    }
    const int watch =
        ::inotify_add_watch(m_fd, path.constData(), inotifyMask(entry.filter) | IN_MASK_ADD);
    if (watch < 0) {
        error = errno;
        return false;
    }
    if (entry.rootWatch < 0)
        entry.rootWatch = watch;
    entry.watches.insert(watch);
    m_watchPaths.insert(watch, path);
    QList<int> &served = m_watchFolders[watch];
    if (!served.contains(folder))
        served.append(folder);
    return true;
}

// Breadth first, so that a tree beyond the limit keeps its upper levels watched.
void ChangeNotification::addWatches(int folder, const QByteArray &root) {
    QList<QByteArray> pending = {root};
    const unsigned long long device = m_folders.value(folder).device;
    while (!pending.isEmpty()) {
        const QByteArray current = pending.takeFirst();
        DIR *dir = ::opendir(current.constData());
        if (!dir)
            continue;
        bool full = false;
        while (dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == ".." ||
                (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN))
                continue;
            const QByteArray path = joinPath(current, name);
            struct stat info {};
            if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
                info.st_dev != device)
                continue;
            int error = 0;
            if (!addWatch(folder, path, error)) {
                full = true;
                break;
            }
            pending.append(path);
        }
        ::closedir(dir);
        if (full)
            return;
    }
}

void ChangeNotification::dropWatch(int watch) {
    m_watchPaths.remove(watch);
    m_watchFolders.remove(watch);
}

void ChangeNotification::removeFolder(int folder) {
    const Folder entry = m_folders.take(folder);
    for (const int watch : entry.watches) {
        QList<int> &served = m_watchFolders[watch];
        served.removeAll(folder);
        if (!served.isEmpty())
            continue;
        // Fails harmlessly for a watch the kernel ended already.
        ::inotify_rm_watch(m_fd, watch);
        dropWatch(watch);
    }
}

void ChangeNotification::RemoveFolder(int folder) {
    if (m_folders.contains(folder))
        removeFolder(folder);
}

void ChangeNotification::RemoveAll() {
    for (auto watch = m_watchFolders.cbegin(); watch != m_watchFolders.cend(); ++watch)
        ::inotify_rm_watch(m_fd, watch.key());
    m_folders.clear();
    m_watchPaths.clear();
    m_watchFolders.clear();
}

QHash<int, int> ChangeNotification::ReadChanges() {
    alignas(inotify_event) char buffer[kEventBufferSize];
    QHash<int, int> changes;
    QSet<int> gone;
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t offset = 0; offset < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            // Events were lost: every folder may have changed.
            if (event->mask & IN_Q_OVERFLOW) {
                for (auto folder = m_folders.cbegin(); folder != m_folders.cend(); ++folder)
                    ++changes[folder.key()];
                continue;
            }
            const QList<int> served = m_watchFolders.value(event->wd);
            if (event->mask & kGoneMask) {
                for (const int folder : served) {
                    if (m_folders.value(folder).rootWatch == event->wd)
                        gone.insert(folder);
                }
                if (event->mask & IN_IGNORED) {
                    for (const int folder : served)
                        m_folders[folder].watches.remove(event->wd);
                    dropWatch(event->wd);
                }
                continue;
            }
            for (const int folder : served) {
                const Folder &entry = m_folders[folder];
                if (matches(*event, entry.filter))
                    ++changes[folder];
                // A folder made inside a watched tree is watched too.
                if (entry.subtree && (event->mask & IN_ISDIR) &&
                    (event->mask & (IN_CREATE | IN_MOVED_TO)) && event->len > 0) {
                    const QByteArray path =
                        joinPath(m_watchPaths.value(event->wd), QByteArray(event->name));
                    int error = 0;
                    if (addWatch(folder, path, error))
                        addWatches(folder, path);
                }
            }
        }
    }
    for (const int folder : gone) {
        if (m_folders.contains(folder))
            removeFolder(folder);
        changes[folder] = -1;
    }
    return changes;
}
