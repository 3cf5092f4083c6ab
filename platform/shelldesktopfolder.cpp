#include "platform/shelldesktopfolder.h"

#include "platform/nametext.h"
#include "platform/shellcomputerfolder.h"
#include "platform/shelldirectoryfolder.h"
#include "platform/shellidlist.h"
#include "platform/shellverbs.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace {

std::optional<VirtualFolder> virtualFolderOf(const QByteArray &item) {
    const std::optional<ShellItem> decoded = DecodeShellItem(item);
    if (!decoded || decoded->kind != ShellItemKind::Virtual)
        return std::nullopt;
    return decoded->folder;
}

} // namespace

ShellDesktopFolder::ShellDesktopFolder(ShellEnvironment environment)
    : m_environment(std::move(environment)) {}

int ShellDesktopFolder::enumObjects(int flags, QList<QByteArray> &items) {
    items.clear();
    if (flags & ShcontfFolders)
        items = {MakeVirtualItem(VirtualFolder::Home), MakeVirtualItem(VirtualFolder::Computer)};
    return 0;
}

ShellAttributes ShellDesktopFolder::attributesOf(const QByteArray &item, ShellAttributes mask) {
    const std::optional<VirtualFolder> folder = virtualFolderOf(item);
    if (!folder)
        return 0;
    ShellAttributes attributes = SfgaoFolder | SfgaoFileSysAncestor | SfgaoHasSubfolder;
    if (*folder == VirtualFolder::Home)
        attributes |= SfgaoFileSystem | SfgaoDropTarget | SfgaoCanCopy | SfgaoCanLink;
    return attributes & mask;
}

QString ShellDesktopFolder::displayNameOf(const QByteArray &item, ShellNameKind kind) {
    if (IsEmptyIdList(item))
        return kind == ShellNameKind::ForParsing ? QString() : QStringLiteral("Desktop");
    const std::optional<VirtualFolder> folder = virtualFolderOf(item);
    if (!folder)
        return {};
    if (*folder == VirtualFolder::Computer)
        return kind == ShellNameKind::ForParsing ? QString() : QStringLiteral("Computer");
    return kind == ShellNameKind::ForParsing ? m_environment.homePath : QStringLiteral("Home");
}

int ShellDesktopFolder::compareIds(int, const QByteArray &a, const QByteArray &b) {
    const std::optional<VirtualFolder> folderA = virtualFolderOf(a);
    const std::optional<VirtualFolder> folderB = virtualFolderOf(b);
    if (folderA && folderB)
        return *folderA < *folderB ? -1 : (*folderA > *folderB ? 1 : 0);
    const int result = a.compare(b);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

int ShellDesktopFolder::bindToFolder(const QByteArray &item, ShellFolderPtr &folder) {
    folder.reset();
    const std::optional<VirtualFolder> which = virtualFolderOf(item);
    if (!which)
        return EINVAL;
    if (*which == VirtualFolder::Computer)
        folder = std::make_shared<ShellComputerFolder>(m_environment);
    else if (m_environment.homePath.isEmpty())
        return ENOENT;
    else
        folder = std::make_shared<ShellDirectoryFolder>(TextToName(m_environment.homePath));
    return 0;
}

int ShellDesktopFolder::parseDisplayName(const QString &name, QByteArray &list) {
    list.clear();
    if (!QDir::isAbsolutePath(name))
        return EINVAL;
    const QString path = QDir::cleanPath(name);
    const QString home = QDir::cleanPath(m_environment.homePath);
    QByteArray rest;
    if (!m_environment.homePath.isEmpty() && home != QLatin1String("/") &&
        (path == home || path.startsWith(home + QLatin1Char('/')))) {
        if (const int error = ShellDirectoryFolder(TextToName(home))
                                  .parseDisplayName(path.mid(home.size()), rest))
            return error;
        list = ConcatIdLists(MakeVirtualItem(VirtualFolder::Home), rest);
        return 0;
    }
    if (const int error = ShellComputerFolder(m_environment).parseDisplayName(path, rest))
        return error;
    list = ConcatIdLists(MakeVirtualItem(VirtualFolder::Computer), rest);
    return 0;
}

int ShellDesktopFolder::setNameOf(const QByteArray &, const QString &, QByteArray &newItem) {
    newItem.clear();
    return EPERM;
}

QList<ShellVerb> ShellDesktopFolder::verbsOf(const QList<QByteArray> &items) {
    if (items.size() != 1 || virtualFolderOf(items[0]) != VirtualFolder::Home)
        return {};
    return FileSystemVerbs({TextToName(m_environment.homePath)}, false);
}

int ShellDesktopFolder::invokeVerb(const QList<QByteArray> &items, const QString &verb) {
    if (verbsOf(items).isEmpty())
        return EPERM;
    return InvokeFileSystemVerb({TextToName(m_environment.homePath)}, verb, false);
}
