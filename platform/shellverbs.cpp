#include "platform/shellverbs.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isFolder(const QByteArray &path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QList<QUrl> urlsOf(const QList<QByteArray> &paths) {
    QList<QUrl> urls;
    for (const QByteArray &path : paths)
        urls.append(QUrl::fromLocalFile(QFile::decodeName(path)));
    return urls;
}

int copyFile(const QByteArray &from, const QByteArray &to) {
    struct stat own {};
    if (::lstat(from.constData(), &own) != 0)
        return errno;
    if (S_ISLNK(own.st_mode)) {
        const QByteArray target =
            QFile::encodeName(QFileInfo(QFile::decodeName(from)).symLinkTarget());
        return ::symlink(target.constData(), to.constData()) == 0 ? 0 : errno;
    }
    if (S_ISDIR(own.st_mode)) {
        if (::mkdir(to.constData(), own.st_mode & 07777) != 0)
            return errno;
        QDir source(QFile::decodeName(from));
        const QStringList names =
            source.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &name : names) {
            const QByteArray raw = QFile::encodeName(name);
            if (const int error = copyFile(from + '/' + raw, to + '/' + raw))
                return error;
        }
        return 0;
    }
    // QFile::copy refuses an existing target, so nothing is replaced.
    if (::access(to.constData(), F_OK) == 0)
        return EEXIST;
    return QFile::copy(QFile::decodeName(from), QFile::decodeName(to)) ? 0 : EIO;
}

// How file managers mark files put on the clipboard as cut or copied: the word, then the urls.
constexpr char kCopiedFilesMime[] = "x-special/gnome-copied-files";

QMimeData *clipboardData(const QList<QUrl> &urls, bool cut) {
    auto *data = new QMimeData;
    data->setUrls(urls);
    QByteArray marked = cut ? "cut" : "copy";
    for (const QUrl &url : urls)
        marked += '\n' + url.toEncoded();
    data->setData(QString::fromLatin1(kCopiedFilesMime), marked);
    return data;
}

int removeTree(const QByteArray &path) {
    struct stat own {};
    if (::lstat(path.constData(), &own) != 0)
        return errno;
    if (S_ISDIR(own.st_mode))
        return QDir(QFile::decodeName(path)).removeRecursively() ? 0 : EIO;
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

QByteArray baseName(const QByteArray &path) {
    const QByteArray trimmed = path.endsWith('/') && path.size() > 1 ? path.chopped(1) : path;
    return trimmed.mid(trimmed.lastIndexOf('/') + 1);
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
        for (const QUrl &url : urlsOf(paths)) {
            if (!QDesktopServices::openUrl(url))
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
            clipboard->setMimeData(clipboardData(urlsOf(paths), cut));
            return 0;
        }
        const QMimeData *data = clipboard->mimeData();
        if (paths.size() != 1 || !isFolder(paths[0]) || !data || !data->hasUrls())
            return EINVAL;
        QList<QByteArray> sources;
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile())
                sources.append(QFile::encodeName(url.toLocalFile()));
        }
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
            if (!QFile::moveToTrash(QFile::decodeName(path)))
                return EIO;
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
        if (const int error = copyFile(path, target))
            return error;
        if (move) {
            if (const int error = removeTree(path))
                return error;
        }
    }
    return 0;
}
