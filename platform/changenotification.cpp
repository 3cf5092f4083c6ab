#include "platform/changenotification.h"

#include <QFile>

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

std::unique_ptr<ChangeNotification> ChangeNotification::Open(const QString &path, bool subtree,
                                                             int filter) {
    if (path.isEmpty())
        return nullptr;
    const QByteArray root = QFile::encodeName(path);
    struct stat info {};
    if (::stat(root.constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return nullptr;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<ChangeNotification> notification(new ChangeNotification(fd, subtree, filter));
    notification->m_rootDevice = info.st_dev;
    if (!notification->addWatch(root))
        return nullptr;
    notification->m_rootWatch = notification->m_watches.keys().constFirst();
    if (subtree)
        notification->addWatches(root);
    return notification;
}

ChangeNotification::ChangeNotification(int fd, bool subtree, int filter)
    : m_fd(fd)
    , m_subtree(subtree)
    , m_filter(filter) {}

ChangeNotification::~ChangeNotification() {
    ::close(m_fd);
}

bool ChangeNotification::addWatch(const QByteArray &path) {
    if (m_watches.size() >= kMaxSubtreeWatches)
        return false;
    const int watch = ::inotify_add_watch(m_fd, path.constData(), inotifyMask(m_filter));
    if (watch < 0)
        return false;
    m_watches.insert(watch, path);
    return true;
}

// Breadth first, so that a tree beyond the limit keeps its upper levels watched.
void ChangeNotification::addWatches(const QByteArray &root) {
    QList<QByteArray> pending = {root};
    while (!pending.isEmpty() && m_watches.size() < kMaxSubtreeWatches) {
        const QByteArray folder = pending.takeFirst();
        DIR *dir = ::opendir(folder.constData());
        if (!dir)
            continue;
        while (dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name == "." || name == ".." ||
                (entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN))
                continue;
            const QByteArray path = joinPath(folder, name);
            struct stat info {};
            if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
                info.st_dev != m_rootDevice)
                continue;
            if (path != root && !addWatch(path))
                break;
            pending.append(path);
        }
        ::closedir(dir);
    }
}

int ChangeNotification::ReadChanges() {
    alignas(inotify_event) char buffer[kEventBufferSize];
    int count = 0;
    bool gone = false;
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t offset = 0; offset < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                ++count;
                continue;
            }
            if (event->mask & kGoneMask) {
                if (event->wd == m_rootWatch)
                    gone = true;
                if (event->mask & IN_IGNORED)
                    m_watches.remove(event->wd);
                continue;
            }
            if (matches(*event, m_filter))
                ++count;
            // A folder made inside a watched tree is watched too.
            if (m_subtree && (event->mask & IN_ISDIR) &&
                (event->mask & (IN_CREATE | IN_MOVED_TO)) && event->len > 0) {
                const QByteArray parent = m_watches.value(event->wd);
                if (!parent.isEmpty()) {
                    const QByteArray path = joinPath(parent, QByteArray(event->name));
                    if (addWatch(path))
                        addWatches(path);
                }
            }
        }
    }
    return gone ? -1 : count;
}
