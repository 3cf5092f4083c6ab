#include "platform/shellcomputerfolder.h"

#include "platform/nametext.h"
#include "platform/shelldirectoryfolder.h"
#include "platform/shellidlist.h"
#include "platform/shellverbs.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace {

bool isRemovablePath(const QByteArray &path) {
    return path.startsWith("/media/") || path.startsWith("/run/media/");
}

// The mount paths of all the items; false when one is no mount or there is none.
bool mountPaths(const QList<QByteArray> &items, QList<QByteArray> &paths) {
    for (const QByteArray &item : items) {
        const std::optional<ShellItem> decoded = DecodeShellItem(item);
        if (!decoded || decoded->kind != ShellItemKind::Mount)
            return false;
        paths.append(decoded->bytes);
    }
    return !paths.isEmpty();
}

} // namespace

ShellComputerFolder::ShellComputerFolder(ShellEnvironment environment)
    : m_environment(std::move(environment)) {}

int ShellComputerFolder::enumObjects(int flags, QList<QByteArray> &items) {
    items.clear();
    if (!(flags & ShcontfFolders))
        return 0;
    for (const MountPoint &mount : m_environment.mounts())
        items.append(MakeMountItem(mount.mountPath));
    return 0;
}

ShellAttributes ShellComputerFolder::attributesOf(const QByteArray &item, ShellAttributes mask) {
    const std::optional<ShellItem> decoded = DecodeShellItem(item);
    if (!decoded || decoded->kind != ShellItemKind::Mount)
        return 0;
    const QByteArray &path = decoded->bytes;
    ShellAttributes attributes = SfgaoFolder | SfgaoFileSystem | SfgaoFileSysAncestor |
                                 SfgaoHasSubfolder | SfgaoCanCopy | SfgaoCanLink;
    if (::access(path.constData(), W_OK) == 0)
        attributes |= SfgaoDropTarget;
    else
        attributes |= SfgaoReadOnly;
    if (isRemovablePath(path))
        attributes |= SfgaoRemovable;
    return attributes & mask;
}

QString ShellComputerFolder::displayNameOf(const QByteArray &item, ShellNameKind) {
    const std::optional<ShellItem> decoded = DecodeShellItem(item);
    if (!decoded || decoded->kind != ShellItemKind::Mount)
        return {};
    return NameToText(decoded->bytes);
}

int ShellComputerFolder::compareIds(int, const QByteArray &a, const QByteArray &b) {
    const std::optional<ShellItem> mountA = DecodeShellItem(a);
    const std::optional<ShellItem> mountB = DecodeShellItem(b);
    if (!mountA || !mountB) {
        const int result = a.compare(b);
        return result < 0 ? -1 : (result > 0 ? 1 : 0);
    }
    return CompareMountPaths(mountA->bytes, mountB->bytes);
}

int ShellComputerFolder::bindToFolder(const QByteArray &item, ShellFolderPtr &folder) {
    folder.reset();
    const std::optional<ShellItem> decoded = DecodeShellItem(item);
    if (!decoded || decoded->kind != ShellItemKind::Mount)
        return EINVAL;
    folder = std::make_shared<ShellDirectoryFolder>(decoded->bytes);
    return 0;
}

int ShellComputerFolder::parseDisplayName(const QString &name, QByteArray &list) {
    list.clear();
    const QByteArray path = TextToName(name);
    if (!path.startsWith('/'))
        return EINVAL;
    const QList<MountPoint> mounts = m_environment.mounts();
    const int index = MountIndexOf(mounts, path);
    if (index < 0)
        return ENOENT;
    const QByteArray best = mounts[index].mountPath;
    if (::access(path.constData(), F_OK) != 0)
        return errno;
    QByteArray rest;
    if (const int error =
            ShellDirectoryFolder(best).parseDisplayName(NameToText(path.mid(best.size())), rest))
        return error;
    list = ConcatIdLists(MakeMountItem(best), rest);
    return 0;
}

int ShellComputerFolder::setNameOf(const QByteArray &, const QString &, QByteArray &newItem) {
    newItem.clear();
    return EPERM;
}

QList<ShellVerb> ShellComputerFolder::verbsOf(const QList<QByteArray> &items) {
    QList<QByteArray> paths;
    if (!mountPaths(items, paths))
        return {};
    return FileSystemVerbs(paths, false);
}

int ShellComputerFolder::invokeVerb(const QList<QByteArray> &items, const QString &verb) {
    QList<QByteArray> paths;
    if (!mountPaths(items, paths))
        return EINVAL;
    return InvokeFileSystemVerb(paths, verb, false);
}
