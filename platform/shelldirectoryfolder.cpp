#include "platform/shelldirectoryfolder.h"

#include "platform/shellidlist.h"
#include "platform/shellverbs.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxNameBytes = 255;

QByteArray joinPath(const QByteArray &folder, const QByteArray &name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool isDirectory(const QByteArray &path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool isValidName(const QByteArray &name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0') && name.size() <= kMaxNameBytes;
}

bool hasSubfolder(const QByteArray &path) {
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return false;
    bool found = false;
    while (dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (entry->d_type == DT_DIR || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) &&
                                        isDirectory(joinPath(path, name)))) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

int sign(qint64 value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// Renames without replacing an existing name. File systems without the no-replace flag get a
// hard link and unlink for files, which is as safe; folders then fail.
int renameNoReplace(const QByteArray &from, const QByteArray &to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (isDirectory(from))
        return EINVAL;
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    if (::unlink(from.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData());
        return error;
    }
    return 0;
}

} // namespace

ShellDirectoryFolder::ShellDirectoryFolder(QByteArray path)
    : m_path(std::move(path)) {}

QByteArray ShellDirectoryFolder::entryPath(const QByteArray &item) const {
    const std::optional<ShellItem> decoded = DecodeShellItem(item);
    if (!decoded || decoded->kind != ShellItemKind::Entry || !isValidName(decoded->bytes))
        return {};
    return joinPath(m_path, decoded->bytes);
}

int ShellDirectoryFolder::enumObjects(int flags, QList<QByteArray> &items) {
    items.clear();
    DIR *dir = ::opendir(m_path.constData());
    if (!dir)
        return errno;
    while (dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (name.startsWith('.') && !(flags & ShcontfIncludeHidden))
            continue;
        const bool folder =
            entry->d_type == DT_DIR || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) &&
                                        isDirectory(joinPath(m_path, name)));
        if (flags & (folder ? ShcontfFolders : ShcontfNonFolders))
            items.append(MakeEntryItem(name));
    }
    ::closedir(dir);
    return 0;
}

ShellAttributes ShellDirectoryFolder::attributesOf(const QByteArray &item, ShellAttributes mask) {
    const QByteArray path = entryPath(item);
    struct stat own {};
    if (path.isEmpty() || ::lstat(path.constData(), &own) != 0)
        return 0;
    const bool folder = isDirectory(path);
    ShellAttributes attributes = SfgaoFileSystem | SfgaoCanCopy | SfgaoCanLink;
    attributes |= folder ? (SfgaoFolder | SfgaoFileSysAncestor) : SfgaoStream;
    if (folder && (mask & SfgaoHasSubfolder) && hasSubfolder(path))
        attributes |= SfgaoHasSubfolder;
    if (DecodeShellItem(item)->bytes.startsWith('.'))
        attributes |= SfgaoHidden;
    if (S_ISLNK(own.st_mode))
        attributes |= SfgaoLink;
    const bool writable = ::access(path.constData(), W_OK) == 0;
    if (!writable)
        attributes |= SfgaoReadOnly;
    if (folder && writable)
        attributes |= SfgaoDropTarget;
    if (canModifyEntries())
        attributes |= SfgaoCanRename | SfgaoCanDelete | SfgaoCanMove;
    return attributes & mask;
}

QString ShellDirectoryFolder::displayNameOf(const QByteArray &item, ShellNameKind kind) {
    const QByteArray path = entryPath(item);
    if (path.isEmpty())
        return {};
    if (kind == ShellNameKind::ForParsing)
        return QFile::decodeName(path);
    return QFile::decodeName(DecodeShellItem(item)->bytes);
}

int ShellDirectoryFolder::compareIds(int column, const QByteArray &a, const QByteArray &b) {
    const QByteArray pathA = entryPath(a);
    const QByteArray pathB = entryPath(b);
    if (pathA.isEmpty() || pathB.isEmpty())
        return sign(a.compare(b));
    const QFileInfo infoA(QFile::decodeName(pathA));
    const QFileInfo infoB(QFile::decodeName(pathB));
    if (infoA.isDir() != infoB.isDir())
        return infoA.isDir() ? -1 : 1;
    int result = 0;
    switch (column) {
    case 1:
        result = sign(infoA.size() - infoB.size());
        break;
    case 2:
        result = sign(infoA.suffix().compare(infoB.suffix(), Qt::CaseInsensitive));
        break;
    case 3:
        result = sign(infoA.lastModified().toMSecsSinceEpoch() -
                      infoB.lastModified().toMSecsSinceEpoch());
        break;
    default:
        break;
    }
    if (result == 0)
        result = sign(infoA.fileName().compare(infoB.fileName(), Qt::CaseInsensitive));
    return result != 0 ? result : sign(pathA.compare(pathB));
}

int ShellDirectoryFolder::bindToFolder(const QByteArray &item, ShellFolderPtr &folder) {
    folder.reset();
    const QByteArray path = entryPath(item);
    if (path.isEmpty())
        return EINVAL;
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    folder = std::make_shared<ShellDirectoryFolder>(path);
    return 0;
}

int ShellDirectoryFolder::parseDisplayName(const QString &name, QByteArray &list) {
    list.clear();
    QByteArray result = CopyIdList(QByteArray());
    QByteArray path = m_path;
    for (const QByteArray &part : QFile::encodeName(name).split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (!isValidName(part))
            return EINVAL;
        path = joinPath(path, part);
        result = ConcatIdLists(result, MakeEntryItem(part));
    }
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return errno;
    list = result;
    return 0;
}

int ShellDirectoryFolder::setNameOf(const QByteArray &item, const QString &name,
                                    QByteArray &newItem) {
    newItem.clear();
    const QByteArray from = entryPath(item);
    const QByteArray newName = QFile::encodeName(name);
    if (from.isEmpty())
        return EINVAL;
    if (newName.size() > kMaxNameBytes)
        return ENAMETOOLONG;
    if (!isValidName(newName))
        return EINVAL;
    if (newName == DecodeShellItem(item)->bytes) {
        newItem = CopyIdList(item);
        return 0;
    }
    if (const int error = renameNoReplace(from, joinPath(m_path, newName)))
        return error;
    newItem = MakeEntryItem(newName);
    return 0;
}

bool ShellDirectoryFolder::canModifyEntries() const {
    return ::access(m_path.constData(), W_OK) == 0;
}

bool ShellDirectoryFolder::entryPaths(const QList<QByteArray> &items,
                                      QList<QByteArray> &paths) const {
    paths.clear();
    for (const QByteArray &item : items) {
        const QByteArray path = entryPath(item);
        if (path.isEmpty())
            return false;
        paths.append(path);
    }
    return !paths.isEmpty();
}

QList<ShellVerb> ShellDirectoryFolder::verbsOf(const QList<QByteArray> &items) {
    QList<QByteArray> paths;
    if (!entryPaths(items, paths))
        return {};
    return FileSystemVerbs(paths, canModifyEntries());
}

int ShellDirectoryFolder::invokeVerb(const QList<QByteArray> &items, const QString &verb) {
    QList<QByteArray> paths;
    if (!entryPaths(items, paths))
        return EINVAL;
    return InvokeFileSystemVerb(paths, verb, canModifyEntries());
}
