#include "controls/shell/shellutils.h"

#include "platform/nametext.h"
#include "platform/shelldesktopfolder.h"

#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

#include <cerrno>
#include <climits>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// The namespace is started once, on first use, and lives for the process.
ShellFolderPtr &desktopSlot() {
    static ShellFolderPtr desktop;
    return desktop;
}

QFileIconProvider &iconProvider() {
    static QFileIconProvider provider;
    return provider;
}

int sign(int value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

QIcon virtualIcon(const QByteArray &list) {
    if (IdListElementCount(list) == 0)
        return iconProvider().icon(QAbstractFileIconProvider::Desktop);
    const std::optional<ShellItem> first = DecodeShellItem(IdListElementAt(list, 0));
    if (!first || first->kind != ShellItemKind::Virtual)
        return {};
    if (first->folder == VirtualFolder::Home)
        return IdListElementCount(list) == 1
                   ? iconProvider().icon(QAbstractFileIconProvider::Folder)
                   : QIcon();
    if (IdListElementCount(list) == 1)
        return iconProvider().icon(QAbstractFileIconProvider::Computer);
    if (IdListElementCount(list) == 2)
        return IsNetworkDriveConnected(IdListToPath(list))
                   ? iconProvider().icon(QAbstractFileIconProvider::Network)
                   : iconProvider().icon(QAbstractFileIconProvider::Drive);
    return {};
}

} // namespace

ShellFolderPtr DesktopFolder() {
    ShellFolderPtr &desktop = desktopSlot();
    if (!desktop)
        desktop = std::make_shared<ShellDesktopFolder>(ShellEnvironment::System());
    return desktop;
}

void SetDesktopFolder(ShellFolderPtr desktop) {
    desktopSlot() = std::move(desktop);
}

int CompareIdLists(const QByteArray &a, const QByteArray &b) {
    const int countA = IdListElementCount(a);
    const int countB = IdListElementCount(b);
    if (countA == 0 || countB == 0)
        return countA == countB ? 0 : -1;
    ShellFolderPtr folder = DesktopFolder();
    for (int i = 0;; ++i) {
        if (i == countA || i == countB)
            return sign(countA - countB);
        const QByteArray elementA = IdListElementAt(a, i);
        const QByteArray elementB = IdListElementAt(b, i);
        const int result =
            folder ? folder->compareIds(0, elementA, elementB) : sign(elementA.compare(elementB));
        if (result != 0)
            return sign(result);
        ShellFolderPtr next;
        if (folder && folder->bindToFolder(elementA, next) != 0)
            next.reset();
        folder = next;
    }
}

int FolderOfIdList(const QByteArray &list, ShellFolderPtr &folder) {
    folder = DesktopFolder();
    const int count = IdListElementCount(list);
    for (int i = 0; i < count; ++i) {
        ShellFolderPtr next;
        if (const int error = folder->bindToFolder(IdListElementAt(list, i), next)) {
            folder.reset();
            return error;
        }
        folder = next;
    }
    return 0;
}

int ParentFolderOfIdList(const QByteArray &list, ShellFolderPtr &parent, QByteArray &item) {
    item = LastIdListElement(list);
    return FolderOfIdList(IdListWithoutLast(list, 1), parent);
}

bool FolderOfIdListExists(const QByteArray &list) {
    if (IdListElementCount(list) == 0)
        return true;
    ShellFolderPtr parent;
    QByteArray item;
    return ParentFolderOfIdList(list, parent, item) == 0 &&
           (parent->attributesOf(item, SfgaoFolder) & SfgaoFolder);
}

int PathToIdList(const QString &path, QByteArray &list) {
    list.clear();
    if (TextToName(path).size() >= PATH_MAX)
        return ENAMETOOLONG;
    return DesktopFolder()->parseDisplayName(path, list);
}

QString IdListToPath(const QByteArray &list) {
    ShellFolderPtr parent;
    QByteArray item;
    if (ParentFolderOfIdList(list, parent, item) != 0)
        return {};
    return parent->displayNameOf(item, ShellNameKind::ForParsing);
}

QString IdListToDisplayPath(const QByteArray &list) {
    return PathToDisplayText(TextToName(IdListToPath(list)));
}

bool SpecialFolderLocation(int csidl, QByteArray &list) {
    switch (csidl) {
    case kCsidlDesktop:
        list = CopyIdList(QByteArray());
        return true;
    case kCsidlDrives:
        list = ConcatIdLists(MakeVirtualItem(VirtualFolder::Computer), QByteArray());
        return true;
    case kCsidlProfile:
        list = ConcatIdLists(MakeVirtualItem(VirtualFolder::Home), QByteArray());
        return true;
    default:
        list.clear();
        return false;
    }
}

QString SpecialFolderPath(int csidl) {
    QByteArray list;
    return SpecialFolderLocation(csidl, list) ? IdListToPath(list) : QString();
}

int SpecialFolderOfIdList(const QByteArray &list) {
    for (int csidl = 0; csidl < kCsidlNone; ++csidl) {
        QByteArray special;
        if (SpecialFolderLocation(csidl, special) && CompareIdLists(special, list) == 0)
            return csidl;
    }
    return kCsidlNone;
}

QIcon IconOf(const QByteArray &list, int flags) {
    const QString path = IdListToPath(list);
    QIcon icon = virtualIcon(list);
    if (icon.isNull() && !path.isEmpty()) {
        const QFileInfo info(path);
        if (!info.exists()) {
            // A name that is not UTF-8 is out of QFileInfo's reach: it gets the icon of its kind.
            struct stat raw {};
            if (::stat(TextToName(path).constData(), &raw) != 0)
                return {};
            icon = iconProvider().icon(S_ISDIR(raw.st_mode) ? QAbstractFileIconProvider::Folder
                                                            : QAbstractFileIconProvider::File);
        } else {
            icon = (flags & kShellIconOpen) && info.isDir()
                       ? QIcon::fromTheme(QStringLiteral("folder-open"), iconProvider().icon(info))
                       : iconProvider().icon(info);
        }
    }
    if ((flags & kShellIconSmall) && !icon.isNull())
        return QIcon(icon.pixmap(16, 16));
    return icon;
}

int ShellOverlayOf(ShellAttributes attributes) {
    if (attributes & SfgaoShare)
        return kShellOverlayShare;
    return (attributes & SfgaoLink) ? kShellOverlayLink : kShellOverlayNone;
}

QIcon WithShellOverlay(const QIcon &icon, int overlay) {
    if (overlay == kShellOverlayNone)
        return icon;
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty())
        sizes = {QSize(16, 16)};
    QIcon marked;
    for (const QSize &size : sizes) {
        QPixmap pixmap = icon.isNull() ? QPixmap(size) : icon.pixmap(size);
        if (icon.isNull())
            pixmap.fill(Qt::transparent);
        const int side = qMax(6, pixmap.width() / 2);
        const QRect box(0, pixmap.height() - side, side, side);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        if (overlay == kShellOverlayLink) {
            // A white box with an arrow pointing up and right.
            painter.setBrush(Qt::white);
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.setPen(QPen(Qt::blue, qMax(1, side / 6)));
            const QPoint from(box.left() + side / 4, box.bottom() - side / 4);
            const QPoint to(box.right() - side / 4, box.top() + side / 4);
            painter.drawLine(from, to);
            painter.drawLine(to, to + QPoint(-side / 3, 0));
            painter.drawLine(to, to + QPoint(0, side / 3));
        } else {
            // An open hand under the item: a filled bowl.
            painter.setBrush(QColor(0, 90, 200));
            painter.drawChord(box.adjusted(0, -side / 2, -1, -1), 180 * 16, 180 * 16);
        }
        painter.end();
        marked.addPixmap(pixmap);
    }
    return marked;
}

QString DisplayNameOf(ShellFolder *folder, const QByteArray &item, ShellNameKind kind) {
    return folder ? folder->displayNameOf(item, kind) : DesktopFolder()->displayNameOf(item, kind);
}

QString DisplayNameOfIdList(const QByteArray &list) {
    ShellFolderPtr parent;
    QByteArray item;
    if (ParentFolderOfIdList(list, parent, item) != 0)
        return {};
    return parent->displayNameOf(item, ShellNameKind::InFolder);
}

QString IncludeTrailingChar(const QString &text, QChar ch) {
    return text.isEmpty() || text.endsWith(ch) ? text : text + ch;
}

QString FormatStrPos(const QString &pattern, const QStringList &inserts) {
    if (pattern.isEmpty())
        return {};
    if (inserts.size() > kFormatStrPosMaxInserts)
        throw std::runtime_error("FormatStrPos: Too many substitution strings");
    QString result;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != QLatin1Char('%') || i + 1 == pattern.size()) {
            result += pattern[i];
            continue;
        }
        if (pattern[i + 1] == QLatin1Char('%')) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        // Up to two digits name the insert, as in %1 ... %99.
        int end = i + 1;
        while (end < pattern.size() && end < i + 3 && pattern[end].isDigit())
            ++end;
        const int number = pattern.mid(i + 1, end - i - 1).toInt();
        if (number >= 1 && number <= inserts.size()) {
            result += inserts[number - 1];
            i = end - 1;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

bool IsNetworkDriveConnected(const QString &path, const QList<MountPoint> &mounts) {
    const int index = MountIndexOf(mounts, TextToName(path));
    return index >= 0 && IsNetworkFileSystem(mounts[index].fsType);
}

bool IsNetworkDriveConnected(const QString &path) {
    return IsNetworkDriveConnected(path, ReadMountPoints());
}

bool ReadShellLink(const QString &path, QString &target) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return false;
    target = info.symLinkTarget();
    return true;
}
