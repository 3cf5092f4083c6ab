#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One line of /proc/self/mountinfo: where a file system is mounted and what it is.
struct MountPoint {
    QByteArray mountPath; // octal escapes (\040 for a blank) decoded
    QString fsType;
    QString source;

    friend bool operator==(const MountPoint &, const MountPoint &) = default;
};

inline constexpr char kMountInfoPath[] = "/proc/self/mountinfo";

// Every well-formed line of a mountinfo text, in file order; malformed lines are skipped.
QList<MountPoint> ParseMountInfo(const QByteArray &text);
// The mounts a person browses: pseudo file systems (proc, sysfs, cgroup ...) and mounts below
// /proc, /sys and /dev are left out, and a path mounted more than once is listed once.
QList<MountPoint> BrowsableMounts(const QList<MountPoint> &mounts);
// The browsable mounts of this process; empty when the file cannot be read.
QList<MountPoint> ReadMountPoints(const QString &path = QString::fromLatin1(kMountInfoPath));
// The index of the mount with the longest mount path that holds the path, -1 for none.
int MountIndexOf(const QList<MountPoint> &mounts, const QByteArray &path);
// nfs, nfs4, cifs, smb3 and sshfs (as fuse.sshfs) are network file systems.
bool IsNetworkFileSystem(const QString &fsType);
