#pragma once

#include "platform/mountinfo.h"

#include <QString>

#include <functional>

// What the namespace's virtual folders stand on: the home folder and the source of the mount
// points that Computer holds (read again at every use, so mounts come and go).
struct ShellEnvironment {
    QString homePath;
    std::function<QList<MountPoint>()> mounts;

    // The user's home folder and /proc/self/mountinfo.
    static ShellEnvironment System();
};
