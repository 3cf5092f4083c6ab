#include "platform/shelldirectoryfolder.h"

#include "platform/nametext.h"
#include "platform/shellidlist.h"
#include "platform/shellverbs.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
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

// The raw name of an entry item without copying it (it points into the item); null for an item
// that is no entry or carries a bad name.
QByteArray entryNameOf(const QByteArray &item) {
    constexpr int header = kIdListElementHeaderSize + 1;
    if (item.size() < header)
        return {};
    const int size =
        static_cast<unsigned char>(item[0]) | (static_cast<unsigned char>(item[1]) << 8);
    if (size <= header || size > item.size() ||
        item[kIdListElementHeaderSize] != static_cast<char>(ShellItemKind::Entry))
        return {};
    const QByteArray name = QByteArray::fromRawData(item.constData() + header, size - header);
    return isValidName(name) ? name : QByteArray();
}

// Opens the folder and looks for a subfolder among its entries.
bool scanForSubfolder(const QByteArray &path) {
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

// File systems whose folders count their subfolders in their link count (2 + subfolders).
bool countsSubfolders(const QByteArray &path) {
    struct statfs info {};
    if (::statfs(path.constData(), &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC: // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

// Whether the mode bits let this process write, as access(W_OK) decides without ACLs.
bool modeAllowsWrite(const struct stat &info) {
    const uid_t user = ::geteuid();
    if (user == 0)
        return true;
    if (info.st_uid == user)
        return info.st_mode & S_IWUSR;
    static const QList<gid_t> groups = [] {
        QList<gid_t> all(::getgroups(0, nullptr) + 1);
        all.resize(qMax(::getgroups(static_cast<int>(all.size()), all.data()), 0));
        all.append(::getegid());
        return all;
    }();
    if (groups.contains(info.st_gid))
        return info.st_mode & S_IWGRP;
    return info.st_mode & S_IWOTH;
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
    const QByteArray name = entryNameOf(item);
    return name.isNull() ? QByteArray() : joinPath(m_path, name);
}

const ShellDirectoryFolder::FolderState &ShellDirectoryFolder::folderState() {
    if (!m_state.known) {
        struct statvfs volume {};
        m_state.readOnlyFileSystem =
            ::statvfs(m_path.constData(), &volume) == 0 && (volume.f_flag & ST_RDONLY);
        m_state.canModify = ::access(m_path.constData(), W_OK) == 0;
        m_state.countsSubfolders = countsSubfolders(m_path);
        m_state.known = true;
    }
    return m_state;
}

namespace {

// One entry from lstat at the folder's descriptor; a symbolic link takes what it points to.
template <typename Entry>
bool readEntry(int dirFd, const QByteArray &name, bool readOnly, Entry &entry) {
    struct stat own {};
    if (::fstatat(dirFd, name.constData(), &own, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    struct stat target = own;
    entry.link = S_ISLNK(own.st_mode);
    if (entry.link && ::fstatat(dirFd, name.constData(), &target, 0) != 0)
        target = own;
    entry.key = NameSortKey(name);
    entry.key.folder = S_ISDIR(target.st_mode);
    entry.writable = !readOnly && modeAllowsWrite(target);
    entry.key.size = target.st_size;
    entry.key.modifiedNs = qint64(target.st_mtim.tv_sec) * 1000000000 + target.st_mtim.tv_nsec;
    // A link's target may lie on another file system: its subfolders are looked for.
    entry.links = entry.link ? 0 : own.st_nlink;
    return true;
}

} // namespace

ShellDirectoryFolder::Entry *ShellDirectoryFolder::entryOf(const QByteArray &item) {
    const QByteArray name = entryNameOf(item);
    if (name.isNull())
        return nullptr;
    const auto found = m_entries.find(name);
    if (found != m_entries.end())
        return &found->second;
    Entry entry;
    const int dirFd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool read = readEntry(dirFd, QByteArray(name.constData(), name.size()),
                                folderState().readOnlyFileSystem, entry);
    if (dirFd >= 0)
        ::close(dirFd);
    if (!read)
        return nullptr;
    return &m_entries.emplace(QByteArray(name.constData(), name.size()), entry).first->second;
}

int ShellDirectoryFolder::enumObjects(int flags, QList<QByteArray> &items) {
    items.clear();
    m_entries.clear();
    m_state.known = false;
    const int dirFd = ::open(m_path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return errno;
    DIR *dir = ::fdopendir(dirFd);
    if (!dir) {
        const int error = errno;
        ::close(dirFd);
        return error;
    }
    const bool readOnly = folderState().readOnlyFileSystem;
    while (dirent *found = ::readdir(dir)) {
        const QByteArray name(found->d_name);
        if (name == "." || name == "..")
            continue;
        if (name.startsWith('.') && !(flags & ShcontfIncludeHidden))
            continue;
        // Plain files are not even looked at when only folders are asked for.
        const bool maybeFolder =
            found->d_type == DT_DIR || found->d_type == DT_LNK || found->d_type == DT_UNKNOWN;
        if (!maybeFolder && !(flags & ShcontfNonFolders))
            continue;
        Entry entry;
        if (!readEntry(dirFd, name, readOnly, entry))
            continue;
        if (!(flags & (entry.key.folder ? ShcontfFolders : ShcontfNonFolders)))
            continue;
        items.append(MakeEntryItem(name));
        m_entries.emplace(name, std::move(entry));
    }
    ::closedir(dir);
    return 0;
}

ShellAttributes ShellDirectoryFolder::attributesOf(const QByteArray &item, ShellAttributes mask) {
    Entry *entry = entryOf(item);
    if (entry == nullptr)
        return 0;
    ShellAttributes attributes = SfgaoFileSystem | SfgaoCanCopy | SfgaoCanLink;
    attributes |= entry->key.folder ? (SfgaoFolder | SfgaoFileSysAncestor) : SfgaoStream;
    if (entry->key.folder && (mask & SfgaoHasSubfolder)) {
        if (entry->hasSubfolder < 0) {
            // Where link counts tell, a folder without subfolders has exactly two.
            entry->hasSubfolder = folderState().countsSubfolders && entry->links >= 2
                                      ? entry->links > 2
                                      : scanForSubfolder(entryPath(item));
        }
        if (entry->hasSubfolder)
            attributes |= SfgaoHasSubfolder;
    }
    if (entryNameOf(item).startsWith('.'))
        attributes |= SfgaoHidden;
    if (entry->link)
        attributes |= SfgaoLink;
    if (!entry->writable)
        attributes |= SfgaoReadOnly;
    if (entry->key.folder && entry->writable)
        attributes |= SfgaoDropTarget;
    if (canModifyEntries())
        attributes |= SfgaoCanRename | SfgaoCanDelete | SfgaoCanMove;
    return attributes & mask;
}

QString ShellDirectoryFolder::displayNameOf(const QByteArray &item, ShellNameKind kind) {
    const QByteArray name = entryNameOf(item);
    if (name.isNull())
        return {};
    return kind == ShellNameKind::ForParsing ? NameToText(joinPath(m_path, name))
                                             : NameToDisplayText(name);
}

int ShellDirectoryFolder::compareIds(int column, const QByteArray &a, const QByteArray &b) {
    const std::optional<ShellSortKey> keyA = sortKeyOf(a);
    const std::optional<ShellSortKey> keyB = sortKeyOf(b);
    if (!keyA || !keyB)
        return sign(a.compare(b));
    return CompareShellSortKeys(column, *keyA, *keyB);
}

std::optional<ShellSortKey> ShellDirectoryFolder::sortKeyOf(const QByteArray &item) {
    const QByteArray name = entryNameOf(item);
    if (name.isNull())
        return std::nullopt;
    // Items that are gone still sort by their names.
    const Entry *entry = entryOf(item);
    return entry != nullptr ? entry->key : NameSortKey(QByteArray(name.constData(), name.size()));
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
    for (const QByteArray &part : TextToName(name).split('/')) {
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
    const QByteArray oldName = entryNameOf(item);
    const QByteArray newName = TextToName(name);
    if (oldName.isNull())
        return EINVAL;
    if (newName.size() > kMaxNameBytes)
        return ENAMETOOLONG;
    if (!isValidName(newName))
        return EINVAL;
    if (newName == oldName) {
        newItem = CopyIdList(item);
        return 0;
    }
    if (const int error = renameNoReplace(joinPath(m_path, oldName), joinPath(m_path, newName)))
        return error;
    m_entries.erase(QByteArray(oldName.constData(), oldName.size()));
    newItem = MakeEntryItem(newName);
    return 0;
}

bool ShellDirectoryFolder::canModifyEntries() {
    return folderState().canModify;
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
    m_state.known = false;
    return InvokeFileSystemVerb(paths, verb, canModifyEntries());
}
