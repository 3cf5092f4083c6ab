#pragma once

#include "platform/mountinfo.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <Qt>

class QAbstractItemView;

// Puts a namespace over test folders in place of the system's while it lives: Home at the given
// folder, Computer holding the given mounts.
class ScopedDesktop {
public:
    ScopedDesktop(const QString &homePath, const QList<MountPoint> &mounts);
    ~ScopedDesktop();
    ScopedDesktop(const ScopedDesktop &) = delete;
    ScopedDesktop &operator=(const ScopedDesktop &) = delete;
};

// A local mount of a test folder.
MountPoint LocalMount(const QString &path);

// Types the text into the view's running name edit and ends it as its delegate does, committing
// or cancelling. An editor closed before is only hidden until the event loop deletes it, so the
// running one is the editor that is not hidden. False when no edit runs.
bool EndNameEdit(QAbstractItemView &view, const QString &text, bool commit);

// A click (press and release) of the button at a point of the view's viewport.
void Click(QAbstractItemView &view, const QPoint &pos, Qt::MouseButton button);
