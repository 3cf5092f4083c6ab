#include "platform/mountwatcher.h"

#include <QFile>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray readAll(int fd) {
    QByteArray text;
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return text;
    char buffer[4096];
    for (;;) {
        const ssize_t length = ::read(fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        text.append(buffer, length);
    }
    return text;
}

} // namespace

MountWatcher::MountWatcher(QString path, QObject *parent)
    : QObject(parent)
    , m_path(std::move(path)) {
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC);
    m_all = ParseMountInfo(readText());
    if (m_fd >= 0) {
        // The kernel marks a changed mount table with POLLPRI, which Qt reports as an exception.
        if (m_path == QLatin1String(kMountInfoPath)) {
            m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &MountWatcher::check);
        }
    }
    if (!m_notifier) {
        connect(&m_pollTimer, &QTimer::timeout, this, &MountWatcher::check);
        m_pollTimer.start(kPollIntervalMs);
    }
}

MountWatcher::~MountWatcher() {
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray MountWatcher::readText() const {
    if (m_fd >= 0)
        return readAll(m_fd);
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MountWatcher::check() {
    const QList<MountPoint> now = ParseMountInfo(readText());
    QList<MountPoint> added;
    QList<MountPoint> removed;
    for (const MountPoint &mount : now) {
        if (!m_all.contains(mount))
            added.append(mount);
    }
    for (const MountPoint &mount : m_all) {
        if (!now.contains(mount))
            removed.append(mount);
    }
    m_all = now;
    if (!added.isEmpty() || !removed.isEmpty())
        emit mountsChanged(added, removed);
}
