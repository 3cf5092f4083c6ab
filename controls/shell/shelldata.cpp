#include "controls/shell/shelldata.h"

#include "controls/framework/hourglasscursor.h"
#include "controls/shell/shellutils.h"
#include "platform/nametext.h"
#include "platform/shellverbs.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <QFile>
#include <QLocale>
#include <QMimeData>
#include <QtEndian>

#include <cerrno>
#include <sys/stat.h>

namespace {

constexpr int kWordSize = 4;
// A block never holds more items than fit in its own size.
constexpr quint32 kMaxIdListArrayItems = 65536;

void appendWord(QByteArray &block, quint32 value) {
    char bytes[kWordSize];
    qToLittleEndian<quint32>(value, bytes);
    block.append(bytes, kWordSize);
}

quint32 wordAt(const QByteArray &block, int offset) {
    return qFromLittleEndian<quint32>(block.constData() + offset);
}

// The whole list that starts at offset; null when it runs past the block.
QByteArray listAt(const QByteArray &block, quint32 offset) {
    if (offset >= static_cast<quint32>(block.size()))
        return {};
    const QByteArray rest = block.mid(static_cast<int>(offset));
    const int size = IdListSize(rest);
    if (size > rest.size() || !rest.left(size).endsWith(QByteArray(2, '\0')))
        return {};
    return rest.left(size);
}

} // namespace

const ShellShortcuts &ShellViewShortcuts() {
    static const ShellShortcuts shortcuts;
    return shortcuts;
}

int ShellRefreshDelayMs(bool focused) {
    return focused ? 400 : 2000;
}

void AddShellVerbActions(QMenu &menu, const QList<ShellVerb> &verbs, bool readOnly) {
    for (const ShellVerb &verb : verbs) {
        if (readOnly && verb.verb == QLatin1String("rename"))
            continue;
        QAction *action = menu.addAction(verb.caption);
        action->setData(verb.verb);
        action->setStatusTip(verb.help);
    }
}

int InvokeShellVerb(ShellFolder &folder, const QList<QByteArray> &items, const QString &verb) {
    for (const ShellVerb &offered : folder.verbsOf(items)) {
        if (offered.verb.compare(verb, Qt::CaseInsensitive) == 0)
            return folder.invokeVerb(items, offered.verb);
    }
    return ENOTSUP;
}

bool ScrollByWheel(QAbstractScrollArea &control, Qt::Orientation bar,
                   QAbstractSlider::SliderAction lineAction,
                   QAbstractSlider::SliderAction pageAction) {
    QScrollBar *scrollBar =
        bar == Qt::Vertical ? control.verticalScrollBar() : control.horizontalScrollBar();
    const int lines = QApplication::wheelScrollLines();
    const bool byPage = lines < 0;
    const int steps = byPage || bar == Qt::Horizontal ? 1 : lines;
    bool moved = false;
    for (int step = 0; step < steps && scrollBar->maximum() > scrollBar->minimum(); ++step) {
        const int before = scrollBar->value();
        scrollBar->triggerAction(byPage ? pageAction : lineAction);
        moved = moved || scrollBar->value() != before;
    }
    return moved;
}

void ScrollShellViewByWheel(QAbstractScrollArea &control, QWheelEvent &event) {
    event.accept();
    const QPoint delta = event.angleDelta();
    const bool vertical = delta.y() != 0;
    const int amount = vertical ? delta.y() : delta.x();
    if (amount == 0)
        return;
    const bool forward = amount < 0;
    ScrollByWheel(
        control, vertical ? Qt::Vertical : Qt::Horizontal,
        forward ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub,
        forward ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
}

bool IsBrowsableFolder(ShellAttributes attributes, bool streamsAsFolders) {
    return (attributes & SfgaoFolder) &&
           (streamsAsFolders || !kShellVersion6 || !(attributes & SfgaoStream));
}

QString ShellSizeText(qint64 bytes) {
    const qint64 kilobytes = bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0);
    return QLocale().toString(kilobytes) + QStringLiteral("KB");
}

QString ShellDateText(const QDateTime &time) {
    const QLocale locale;
    const QDateTime local = time.toLocalTime();
    return locale.toString(local.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(local.time(), QLocale::ShortFormat);
}

QByteArray EncodeIdListArray(const QByteArray &parent, const QList<QByteArray> &items) {
    QList<QByteArray> lists = {CopyIdList(parent)};
    for (const QByteArray &item : items)
        lists.append(CopyIdList(item));
    QByteArray block;
    appendWord(block, static_cast<quint32>(items.size()));
    quint32 offset = static_cast<quint32>(kWordSize * (1 + lists.size()));
    for (const QByteArray &list : lists) {
        appendWord(block, offset);
        offset += static_cast<quint32>(list.size());
    }
    for (const QByteArray &list : lists)
        block.append(list);
    return block;
}

bool DecodeIdListArray(const QByteArray &block, QByteArray &parent, QList<QByteArray> &items) {
    parent.clear();
    items.clear();
    if (block.size() < kWordSize)
        return false;
    const quint32 count = wordAt(block, 0);
    if (count > kMaxIdListArrayItems || static_cast<qint64>(kWordSize) * (count + 2) > block.size())
        return false;
    QList<QByteArray> lists;
    for (quint32 i = 0; i <= count; ++i) {
        const QByteArray list = listAt(block, wordAt(block, kWordSize * static_cast<int>(i + 1)));
        if (list.isNull())
            return false;
        lists.append(list);
    }
    parent = lists.takeFirst();
    items = lists;
    return true;
}

QMimeData *CreateShellMimeData(const QByteArray &parentIdList, const QList<QByteArray> &items) {
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(kShellIdListArrayMime),
                  EncodeIdListArray(parentIdList, items));
    QList<QByteArray> paths;
    for (const QByteArray &item : items) {
        const QString path = IdListToPath(ConcatIdLists(parentIdList, item));
        if (!path.isEmpty())
            paths.append(TextToName(path));
    }
    // The raw bytes of the names, so that names which are not UTF-8 survive the drop.
    if (!paths.isEmpty())
        data->setData(QString::fromLatin1(kUriListMime), UriListOfPaths(paths));
    return data;
}

bool ShellIdListsFromMime(const QMimeData &data, QByteArray &parent, QList<QByteArray> &items) {
    const QString format = QString::fromLatin1(kShellIdListArrayMime);
    return data.hasFormat(format) && DecodeIdListArray(data.data(format), parent, items);
}

QList<QByteArray> DroppedPaths(const QMimeData &data) {
    QList<QByteArray> paths;
    QByteArray parent;
    QList<QByteArray> items;
    if (ShellIdListsFromMime(data, parent, items)) {
        for (const QByteArray &item : items) {
            const QString path = IdListToPath(ConcatIdLists(parent, item));
            if (!path.isEmpty())
                paths << TextToName(path);
        }
        return paths;
    }
    return PathsOfUriList(data.data(QString::fromLatin1(kUriListMime)));
}

Qt::DropActions DropActionsOf(ShellAttributes attributes) {
    Qt::DropActions actions;
    if (attributes & SfgaoCanCopy)
        actions |= Qt::CopyAction;
    if (attributes & SfgaoCanMove)
        actions |= Qt::MoveAction;
    if (attributes & SfgaoCanLink)
        actions |= Qt::LinkAction;
    return actions;
}

ShellAttributes SharedDragEffects(const QMimeData &data) {
    QByteArray parent;
    QList<QByteArray> items;
    ShellFolderPtr folder;
    if (!ShellIdListsFromMime(data, parent, items) || items.isEmpty() ||
        FolderOfIdList(parent, folder) != 0)
        return kDragEffectMask;
    ShellAttributes shared = kDragEffectMask;
    for (const QByteArray &item : items)
        shared &= folder->attributesOf(item, kDragEffectMask);
    return shared;
}

Qt::DropAction ChooseDropAction(Qt::DropAction proposed, Qt::DropActions possible,
                                ShellAttributes effects) {
    const Qt::DropActions allowed = possible & DropActionsOf(effects);
    if (allowed & proposed)
        return proposed;
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::MoveAction, Qt::LinkAction}) {
        if (allowed & action)
            return action;
    }
    return Qt::IgnoreAction;
}

Qt::DropAction WantedDropAction(Qt::KeyboardModifiers modifiers, bool oneFileSystem) {
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if (shift && control)
        return Qt::LinkAction;
    if (shift)
        return Qt::MoveAction;
    if (control)
        return Qt::CopyAction;
    return oneFileSystem ? Qt::MoveAction : Qt::CopyAction;
}

bool IsGoneFolder(const QByteArray &path) {
    struct stat info {};
    if (::stat(path.constData(), &info) == 0)
        return !S_ISDIR(info.st_mode);
    return errno == ENOENT || errno == ENOTDIR;
}

bool OnFileSystemOf(const QList<QByteArray> &paths, const QByteArray &folder) {
    struct stat target {};
    if (paths.isEmpty() || folder.isEmpty() || ::stat(folder.constData(), &target) != 0)
        return false;
    for (const QByteArray &path : paths) {
        struct stat source {};
        if (::lstat(path.constData(), &source) != 0 || source.st_dev != target.st_dev)
            return false;
    }
    return true;
}

Qt::DropAction DropActionOf(const QDropEvent &event, const QString &folder) {
    const QMimeData &data = *event.mimeData();
    const bool oneFileSystem = OnFileSystemOf(DroppedPaths(data), TextToName(folder));
    return ChooseDropAction(WantedDropAction(event.modifiers(), oneFileSystem),
                            event.possibleActions(), SharedDragEffects(data));
}

void EnterShellDrag(QDragEnterEvent &event, bool dropsOn) {
    if (dropsOn && !DroppedPaths(*event.mimeData()).isEmpty())
        event.acceptProposedAction();
    else
        event.ignore();
}

int TransferDrop(const QMimeData &data, const QString &folder, Qt::DropAction action) {
    HourglassCursor hourglass;
    return TransferIntoFolder(DroppedPaths(data), TextToName(folder), action == Qt::MoveAction);
}
