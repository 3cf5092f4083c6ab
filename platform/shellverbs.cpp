#include "platform/shellverbs.h"

#include "platform/nametext.h"

#include <QClipboard>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

bool isFolder(const QByteArray &path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QByteArray baseName(const QByteArray &path) {
    const QByteArray trimmed = path.endsWith('/') && path.size() > 1 ? path.chopped(1) : path;
    return trimmed.mid(trimmed.lastIndexOf('/') + 1);
}

QByteArray parentOf(const QByteArray &path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

// The names in a folder, raw; errno in error when it cannot be read.
QList<QByteArray> namesIn(const QByteArray &folder, int &error) {
    QList<QByteArray> names;
    error = 0;
    DIR *dir = ::opendir(folder.constData());
    if (!dir) {
        error = errno;
        return names;
    }
    while (dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(dir);
    return names;
}

int copyFileContents(const QByteArray &from, const QByteArray &to, mode_t mode) {
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    // O_EXCL: an existing name is never replaced.
    const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error;
    }
    int error = 0;
    char buffer[65536];
    for (;;) {
        const ssize_t length = ::read(in, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0) {
            error = length < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < length;) {
            const ssize_t written = ::write(out, buffer + done, length - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0) {
                error = errno;
                break;
            }
            done += written;
        }
        if (error != 0)
            break;
    }
    if (::close(out) != 0 && error == 0)
        error = errno;
    ::close(in);
    if (error != 0)
        ::unlink(to.constData());
    return error;
}

// Copies a file, link or whole folder by raw names; the first failure ends it with its errno.
int copyTree(const QByteArray &from, const QByteArray &to) {
    struct stat own {};
    if (::lstat(from.constData(), &own) != 0)
        return errno;
    if (S_ISLNK(own.st_mode)) {
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(from.constData(), target.data(), target.size());
        if (length < 0)
            return errno;
        target.truncate(length);
        return ::symlink(target.constData(), to.constData()) == 0 ? 0 : errno;
    }
    if (!S_ISDIR(own.st_mode))
        return copyFileContents(from, to, own.st_mode & 07777);
    int error = 0;
    const QList<QByteArray> names = namesIn(from, error);
    if (error != 0)
        return error;
    if (::mkdir(to.constData(), (own.st_mode & 07777) | S_IRWXU) != 0)
        return errno;
    for (const QByteArray &name : names) {
        if (const int failed = copyTree(from + '/' + name, to + '/' + name))
            return failed;
    }
    return ::chmod(to.constData(), own.st_mode & 07777) == 0 ? 0 : errno;
}

int removeTree(const QByteArray &path) {
    struct stat own {};
    if (::lstat(path.constData(), &own) != 0)
        return errno;
    if (!S_ISDIR(own.st_mode))
        return ::unlink(path.constData()) == 0 ? 0 : errno;
    int error = 0;
    for (const QByteArray &name : namesIn(path, error)) {
        if (const int failed = removeTree(path + '/' + name))
            return failed;
    }
    if (error != 0)
        return error;
    return ::rmdir(path.constData()) == 0 ? 0 : errno;
}

// How file managers mark files put on the clipboard as cut or copied: the word, then the urls.
constexpr char kCopiedFilesMime[] = "x-special/gnome-copied-files";

QMimeData *clipboardData(const QList<QByteArray> &paths, bool cut) {
    auto *data = new QMimeData;
    const QByteArray uris = UriListOfPaths(paths);
    data->setData(QString::fromLatin1(kUriListMime), uris);
    QByteArray marked = cut ? "cut" : "copy";
    for (const QByteArray &line : uris.split('\n')) {
        if (!line.trimmed().isEmpty())
            marked += '\n' + line.trimmed();
    }
    data->setData(QString::fromLatin1(kCopiedFilesMime), marked);
    return data;
}

// The trash folder for a path: the home trash, or, on another file system, the .Trash-uid
// folder at the top of that file system (as desktop file managers keep them).
QByteArray homeTrash() {
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (data.isEmpty())
        data = TextToName(QDir::homePath()) + "/.local/share";
    return data + "/Trash";
}

// The mount that holds a path: its device and mount id (a bind mount has a mount of its own on
// the same device). False when the path cannot be looked at.
bool mountOf(const QByteArray &path, dev_t &device, quint64 &mount) {
    struct statx info {};
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_MNT_ID, &info) != 0)
        return false;
    device = makedev(info.stx_dev_major, info.stx_dev_minor);
    mount = (info.stx_mask & STATX_MNT_ID) ? info.stx_mnt_id : 0;
    return true;
}

// The top folder of the mount that holds a path, where its .Trash-uid folder goes.
QByteArray topOfFileSystem(const QByteArray &path) {
    dev_t device = 0;
    quint64 mount = 0;
    if (!mountOf(path, device, mount))
        return {};
    QByteArray top = path;
    while (top != "/") {
        const QByteArray up = parentOf(top);
        dev_t upDevice = 0;
        quint64 upMount = 0;
        if (!mountOf(up, upDevice, upMount) || upDevice != device || upMount != mount)
            break;
        top = up;
    }
    return top;
}

// Makes the folder and any missing folder above it, private to the user; the folders made are
// added to made, outermost first.
int ensureFolder(const QByteArray &path, QList<QByteArray> &made) {
    if (isFolder(path))
        return 0;
    if (path.size() > 1 && !isFolder(parentOf(path))) {
        if (const int error = ensureFolder(parentOf(path), made))
            return error;
    }
    if (::mkdir(path.constData(), 0700) == 0) {
        made.append(path);
        return 0;
    }
    if (errno == EEXIST)
        return isFolder(path) ? 0 : ENOTDIR;
    return errno;
}

// Moves one item into a trash folder with its info file, making the folders it lacks (added to
// made). 0 or the errno code.
int moveIntoTrashFolders(const QByteArray &path, const QByteArray &trash, QList<QByteArray> &made) {
    for (const QByteArray &folder : {trash, trash + "/files", trash + "/info"}) {
        if (const int error = ensureFolder(folder, made))
            return error;
    }
    const QByteArray name = baseName(path);
    const QByteArray info =
        "[Trash Info]\nPath=" + UriListOfPaths({path}).mid(7).trimmed() +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + '\n';
    for (int n = 1; n < 10000; ++n) {
        const QByteArray candidate = n == 1 ? name : name + '.' + QByteArray::number(n);
        const QByteArray infoPath = trash + "/info/" + candidate + ".trashinfo";
        // The info file is made first and exclusively: it reserves the name.
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return errno;
        }
        const bool written = ::write(fd, info.constData(), info.size()) == info.size();
        const int closed = ::close(fd);
        const QByteArray target = trash + "/files/" + candidate;
        int error = !written || closed != 0 ? EIO : 0;
        if (error == 0 && ::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(),
                                      RENAME_NOREPLACE) != 0)
            error = errno;
        if (error == 0)
            return 0;
        ::unlink(infoPath.constData());
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

// A trash folder made for a move that failed is taken away again: nothing is left behind.
int moveIntoTrash(const QByteArray &path, const QByteArray &trash) {
    QList<QByteArray> made;
    const int error = moveIntoTrashFolders(path, trash, made);
    if (error != 0) {
        for (auto folder = made.crbegin(); folder != made.crend(); ++folder)
            ::rmdir(folder->constData());
    }
    return error;
}

int moveToTrash(const QByteArray &path) {
    const int error = moveIntoTrash(path, homeTrash());
    if (error != EXDEV)
        return error;
    const QByteArray top = topOfFileSystem(path);
    if (top.isEmpty())
        return errno;
    const QByteArray trash =
        (top.endsWith('/') ? top : top + '/') + ".Trash-" + QByteArray::number(::getuid());
    return moveIntoTrash(path, trash);
}

} // namespace

QList<ShellVerb> FileSystemVerbs(const QList<QByteArray> &paths, bool canModify) {
    if (paths.isEmpty())
        return {};
    QList<ShellVerb> verbs = {{QStringLiteral("open"), QStringLiteral("&Open"),
                               QStringLiteral("Opens the item with its application.")}};
    if (canModify)
        verbs.append({QStringLiteral("cut"), QStringLiteral("Cu&t"),
                      QStringLiteral("Moves the item to where it is pasted.")});
    verbs.append({QStringLiteral("copy"), QStringLiteral("&Copy"),
                  QStringLiteral("Copies the item to where it is pasted.")});
    if (paths.size() == 1 && isFolder(paths[0]))
        verbs.append({QStringLiteral("paste"), QStringLiteral("&Paste"),
                      QStringLiteral("Puts the items cut or copied into this folder.")});
    if (canModify) {
        verbs.append({QStringLiteral("delete"), QStringLiteral("&Delete"),
                      QStringLiteral("Moves the item to the trash.")});
        if (paths.size() == 1)
            verbs.append({QStringLiteral("rename"), QStringLiteral("Rena&me"),
                          QStringLiteral("Gives the item a new name.")});
    }
    return verbs;
}

int InvokeFileSystemVerb(const QList<QByteArray> &paths, const QString &verb, bool canModify) {
    if (paths.isEmpty())
        return EINVAL;
    const QString name = verb.toLower();
    if (name == QLatin1String("open")) {
        for (const QByteArray &path : paths) {
            if (!QDesktopServices::openUrl(QUrl::fromEncoded(UriListOfPaths({path}).trimmed())))
                return EIO;
        }
        return 0;
    }
    const bool cut = name == QLatin1String("cut");
    if (cut || name == QLatin1String("copy") || name == QLatin1String("paste")) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return ENOTSUP;
        if (cut && !canModify)
            return EPERM;
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (name != QLatin1String("paste")) {
            clipboard->setMimeData(clipboardData(paths, cut));
            return 0;
        }
        const QMimeData *data = clipboard->mimeData();
        if (paths.size() != 1 || !isFolder(paths[0]))
            return ENOTDIR;
        const QList<QByteArray> sources =
            data ? PathsOfUriList(data->data(QString::fromLatin1(kUriListMime)))
                 : QList<QByteArray>();
        if (sources.isEmpty())
            return ENODATA;
        // Cut files move, once: the clipboard names them no more.
        const bool move = data->data(QString::fromLatin1(kCopiedFilesMime)).startsWith("cut\n");
        const int error = TransferIntoFolder(sources, paths[0], move);
        if (error == 0 && move)
            clipboard->clear();
        return error;
    }
    if (name == QLatin1String("delete")) {
        if (!canModify)
            return EPERM;
        for (const QByteArray &path : paths) {
            if (const int error = moveToTrash(path))
                return error;
        }
        return 0;
    }
    return ENOTSUP;
}

int TransferIntoFolder(const QList<QByteArray> &paths, const QByteArray &folder, bool move) {
    if (!isFolder(folder))
        return ENOTDIR;
    const QByteArray targetFolder = folder.endsWith('/') ? folder : folder + '/';
    for (const QByteArray &path : paths) {
        const QByteArray target = targetFolder + baseName(path);
        // A folder never goes into itself or below itself.
        const QByteArray source = path.endsWith('/') ? path : path + '/';
        if (targetFolder.startsWith(source))
            return EINVAL;
        if (move) {
            if (::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(),
                            RENAME_NOREPLACE) == 0)
                continue;
            if (errno != EXDEV)
                return errno;
        }
        // Nothing is replaced: an existing name stops the transfer before anything is written.
        struct stat existing {};
        if (::lstat(target.constData(), &existing) == 0)
            return EEXIST;
        if (const int error = copyTree(path, target))
            return error;
        if (move) {
            if (const int error = removeTree(path))
                return error;
        }
    }
    return 0;
}
