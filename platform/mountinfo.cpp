#include "platform/mountinfo.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <sys/stat.h>

namespace {

// mountinfo writes blank, tab, newline and backslash in paths as three octal digits.
QByteArray unescape(const QByteArray &field) {
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = false;
            const int value = digits.toInt(&ok, 8);
            if (ok && digits.size() == 3 && value < 256) {
                out.append(static_cast<char>(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

// File systems that hold no drive: kernel interfaces, memory, containers and images.
bool isPseudoFileSystem(const QString &fsType) {
    static const QSet<QString> pseudo = {"proc",
                                         "sysfs",
                                         "cgroup",
                                         "cgroup2",
                                         "devpts",
                                         "mqueue",
                                         "debugfs",
                                         "tracefs",
                                         "securityfs",
                                         "pstore",
                                         "bpf",
                                         "configfs",
                                         "fusectl",
                                         "hugetlbfs",
                                         "autofs",
                                         "binfmt_misc",
                                         "efivarfs",
                                         "nsfs",
                                         "rpc_pipefs",
                                         "devtmpfs",
                                         "ramfs",
                                         "tmpfs",
                                         "selinuxfs",
                                         "overlay",
                                         "aufs",
                                         "squashfs",
                                         "erofs",
                                         "fuse.snapfuse",
                                         "fuse.lxcfs",
                                         "fuse.portal",
                                         "fuse.gvfsd-fuse",
                                         "fuse.squashfuse",
                                         "overlay.none"};
    return pseudo.contains(fsType);
}

bool isRemovableMediaPath(const QByteArray &path) {
    return path.startsWith("/media/") || path.startsWith("/run/media/");
}

bool isDrive(const MountPoint &mount) {
    if (mount.mountPath == "/")
        return true;
    // A folder bound onto itself (as ip netns does with /run/netns) is still that folder.
    if (isPseudoFileSystem(mount.fsType) || mount.root == mount.mountPath)
        return false;
    return IsNetworkFileSystem(mount.fsType) || isRemovableMediaPath(mount.mountPath) ||
           mount.source.startsWith(QLatin1String("/dev/"));
}

bool isFolder(const QByteArray &path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isBelowSystemFolder(const QByteArray &path) {
    for (const char *root : {"/proc", "/sys", "/dev"}) {
        const QByteArray prefix(root);
        if (path == prefix || path.startsWith(prefix + '/'))
            return true;
    }
    return false;
}

} // namespace

QList<MountPoint> ParseMountInfo(const QByteArray &text) {
    QList<MountPoint> mounts;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const int separator = static_cast<int>(fields.indexOf("-"));
        // id, parent, device, root, mount point, options, optional fields, "-", type, source
        if (separator < 6 || separator + 2 >= fields.size())
            continue;
        MountPoint mount;
        mount.root = unescape(fields[3]);
        mount.mountPath = unescape(fields[4]);
        mount.fsType = QString::fromUtf8(unescape(fields[separator + 1]));
        mount.source = QString::fromUtf8(unescape(fields[separator + 2]));
        if (!mount.mountPath.startsWith('/'))
            continue;
        mounts.append(mount);
    }
    return mounts;
}

QList<MountPoint> BrowsableMounts(const QList<MountPoint> &mounts) {
    // A later mount on the same path hides the earlier one.
    QList<MountPoint> browsable;
    QHash<QByteArray, qsizetype> seen;
    for (const MountPoint &mount : mounts) {
        if (isBelowSystemFolder(mount.mountPath))
            continue;
        const auto found = seen.constFind(mount.mountPath);
        if (found != seen.constEnd()) {
            browsable[*found] = mount;
            continue;
        }
        seen.insert(mount.mountPath, browsable.size());
        browsable.append(mount);
    }
    if (!seen.contains("/"))
        browsable.append({"/", QString(), QString(), "/"});
    browsable.removeIf([](const MountPoint &mount) { return !isDrive(mount); });
    std::sort(browsable.begin(), browsable.end(), [](const MountPoint &a, const MountPoint &b) {
        return CompareMountPaths(a.mountPath, b.mountPath) < 0;
    });
    return browsable;
}

QList<MountPoint> BrowsableMountsOfText(const QByteArray &text) {
    return BrowsableFolderMounts(ParseMountInfo(text));
}

QList<MountPoint> BrowsableFolderMounts(const QList<MountPoint> &all) {
    QList<MountPoint> mounts = BrowsableMounts(all);
    mounts.removeIf([](const MountPoint &mount) {
        return mount.mountPath != "/" && !isFolder(mount.mountPath);
    });
    return mounts;
}

QList<MountPoint> ReadMountPoints(const QString &path) {
    QFile file(path);
    return BrowsableMountsOfText(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

int CompareMountPaths(const QByteArray &a, const QByteArray &b) {
    // A separator sorts before every other byte.
    const auto rank = [](char c) { return c == '/' ? 0 : static_cast<unsigned char>(c) + 1; };
    const bool less = std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return rank(x) < rank(y); });
    if (less)
        return -1;
    return a == b ? 0 : 1;
}

int MountIndexOf(const QList<MountPoint> &mounts, const QByteArray &path) {
    int best = -1;
    for (int i = 0; i < mounts.size(); ++i) {
        const QByteArray &root = mounts[i].mountPath;
        const bool holds = root == "/" || path == root || path.startsWith(root + '/');
        if (holds && (best < 0 || root.size() > mounts[best].mountPath.size()))
            best = i;
    }
    return best;
}

bool IsNetworkFileSystem(const QString &fsType) {
    static const QSet<QString> network = {"nfs", "nfs4", "cifs", "smb3", "fuse.sshfs", "sshfs"};
    return network.contains(fsType);
}
