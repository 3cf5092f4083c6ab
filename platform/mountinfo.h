#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One line of /proc/self/mountinfo: where a file system is mounted and what it is.
struct MountPoint {
    QByteArray mountPath; // octal escapes (\040 for a blank) decoded
    QString fsType;
    QString source;
    // The folder of the file system that is mounted: "/" for all of it, another for a bind
    // mount of a part.
    QByteArray root = "/";

    friend bool operator==(const MountPoint &, const MountPoint &) = default;
};

inline constexpr char kMountInfoPath[] = "/proc/self/mountinfo";

// Every well-formed line of a mountinfo text, in file order; malformed lines are skipped.
QList<MountPoint> ParseMountInfo(const QByteArray &text);
// The mounts a person calls drives, sorted by mount path: always "/" (also when the table has no
// entry for it, as in a chroot), block-device mounts, removable media and network file systems.
// Pseudo, memory and image file systems (proc, sysfs, cgroup, tmpfs, overlay, squashfs ...),
// folders bound onto themselves (as /run/netns is) and mounts below /proc, /sys and /dev are
// left out; a path mounted more than once is listed once, as its last mount.
QList<MountPoint> BrowsableMounts(const QList<MountPoint> &mounts);
// The browsable mounts that are folders (a file bind-mounted into a container is no drive).
QList<MountPoint> BrowsableFolderMounts(const QList<MountPoint> &mounts);
// The browsable folder mounts of a mountinfo text.
QList<MountPoint> BrowsableMountsOfText(const QByteArray &text);
// The browsable mounts of this process; just "/" when the file cannot be read.
QList<MountPoint> ReadMountPoints(const QString &path = QString::fromLatin1(kMountInfoPath));
// The order of mount paths: by their components, so "/a/b" comes before "/a b".
int CompareMountPaths(const QByteArray &a, const QByteArray &b);
// The index of the mount with the longest mount path that holds the path, -1 for none.
int MountIndexOf(const QList<MountPoint> &mounts, const QByteArray &path);
// nfs, nfs4, cifs, smb3 and sshfs (as fuse.sshfs) are network file systems.
bool IsNetworkFileSystem(const QString &fsType);
