#pragma once

#include "platform/mountinfo.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>
#include <Qt>

#include <functional>
#include <memory>
#include <sys/types.h>

class QAbstractItemView;

// Puts a namespace over test folders in place of the system's while it lives: Home at the given
// folder, Computer holding the given mounts.
class ScopedDesktop {
public:
    ScopedDesktop(const QString &homePath, const QList<MountPoint> &mounts);
    ~ScopedDesktop();
    ScopedDesktop(const ScopedDesktop &) = delete;
    ScopedDesktop &operator=(const ScopedDesktop &) = delete;

    // Mounts and unmounts: Computer holds these from now on.
    void SetMounts(const QList<MountPoint> &mounts) { *m_mounts = mounts; }

private:
    std::shared_ptr<QList<MountPoint>> m_mounts;
};

// A local mount of a test folder.
MountPoint LocalMount(const QString &path);

// Types the text into the view's running name edit and ends it as its delegate does, committing
// or cancelling. An editor closed before is only hidden until the event loop deletes it, so the
// running one is the editor that is not hidden. False when no edit runs.
bool EndNameEdit(QAbstractItemView &view, const QString &text, bool commit);

// Runs the event loop until done answers true, in at most 100 rounds that each end when the
// loop has waited 50 ms; what done answers at the end.
bool ProcessEventsUntil(const std::function<bool()> &done);

// Runs the check in a child process as user and group 65534 and answers whether it passed.
// Without root the check runs here: the modes apply to this process already.
bool PassesAsNobody(const std::function<bool()> &check);

// Writes the file at the raw path; false when that fails.
bool WriteFile(const QByteArray &path, const QByteArray &contents, mode_t mode = 0644);

// The inotify instances that the process holds open.
int InotifyDescriptorCount();
