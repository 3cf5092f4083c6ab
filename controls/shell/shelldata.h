#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QAbstractSlider>
#include <QKeySequence>
#include <QString>
#include <Qt>

#include <functional>

class QAbstractScrollArea;
class QDragEnterEvent;
class QMenu;
class QWheelEvent;
class QDropEvent;
class QMimeData;

// What the shell tree and the shell list share: the browsable-folder test, the detail texts and
// the drag-and-drop data of shell items.

// The MIME type of an id-list array: a count, count + 1 offsets (the parent's list first) and the
// lists, as the shell's IDList array block lays them out (32-bit little-endian words).
inline constexpr char kShellIdListArrayMime[] = "application/x-shell-idlist-array";

// An item is about to be added below a folder; the handler may refuse it.
using TKxShAddItemEvent =
    std::function<void(QObject *sender, ShellFolder *parentFolder, const QByteArray &parentIdList,
                       const QByteArray &item, ShellAttributes attributes, bool &allowAdd)>;

// The longest name that a rename hands to the shell.
inline constexpr int kShellMaxNameLength = 260;

// The keys of the shell views' default key handling.
struct ShellShortcuts {
    QKeySequence selectAll = QKeySequence::fromString(QStringLiteral("Ctrl+A"));
    QKeySequence cut = QKeySequence::fromString(QStringLiteral("Ctrl+X"));
    QKeySequence copy = QKeySequence::fromString(QStringLiteral("Ctrl+C"));
    QKeySequence paste = QKeySequence::fromString(QStringLiteral("Ctrl+V"));
    QKeySequence remove = QKeySequence::fromString(QStringLiteral("Del"));
    QKeySequence shiftRemove = QKeySequence::fromString(QStringLiteral("Shift+Del"));
    QKeySequence refresh = QKeySequence::fromString(QStringLiteral("F5"));
    QKeySequence rename = QKeySequence::fromString(QStringLiteral("F2"));
};
const ShellShortcuts &ShellViewShortcuts();

// How long a shell view waits after a change before it refreshes: less while it has the focus.
int ShellRefreshDelayMs(bool focused);

// The verbs as entries of a shell view's menu, each action with its verb as data and its help as
// status tip; a read-only view offers no rename.
void AddShellVerbActions(QMenu &menu, const QList<ShellVerb> &verbs, bool readOnly);
// Runs the verb, matched ignoring case, that the folder offers for the items; 0, the verb's
// errno code, or ENOTSUP when the folder offers no such verb.
int InvokeShellVerb(ShellFolder &folder, const QList<QByteArray> &items, const QString &verb);

// Scrolls the control's bar for one wheel notch: a page when the system scrolls by pages (a
// negative line count), else the system's line count in lines for the vertical bar and one
// line for the horizontal one. A bar whose range does not exceed its page does not move. True
// when the position moved.
bool ScrollByWheel(QAbstractScrollArea &control, Qt::Orientation bar,
                   QAbstractSlider::SliderAction lineAction,
                   QAbstractSlider::SliderAction pageAction);
// A wheel event over a shell view: its bar scrolled by ScrollByWheel.
void ScrollShellViewByWheel(QAbstractScrollArea &control, QWheelEvent &event);

// SfgaoFolder set, and (streams count as folders, or SfgaoStream clear).
bool IsBrowsableFolder(ShellAttributes attributes, bool streamsAsFolders);
// Size in KB rounded up, grouped by the locale, then "KB": 1,025 bytes -> "2KB".
QString ShellSizeText(qint64 bytes);
// The locale's short date, a blank and its short time.
QString ShellDateText(const QDateTime &time);

QByteArray EncodeIdListArray(const QByteArray &parent, const QList<QByteArray> &items);
// False for a block that is short or whose offsets leave it.
bool DecodeIdListArray(const QByteArray &block, QByteArray &parent, QList<QByteArray> &items);

// The drag data of items of one folder: the id-list array and, for the items that have a path,
// a uri-list. The caller (a QDrag) owns the result.
QMimeData *CreateShellMimeData(const QByteArray &parentIdList, const QList<QByteArray> &items);
// The id-list array of dropped data; false when it carries none.
bool ShellIdListsFromMime(const QMimeData &data, QByteArray &parent, QList<QByteArray> &items);
// The paths of dropped data: the id-list array's items that have one, else the local files of
// its uri-list.
QList<QByteArray> DroppedPaths(const QMimeData &data);

// The copy, move and link bits of a shell item (they are the drop effects).
inline constexpr ShellAttributes kDragEffectMask = SfgaoCanCopy | SfgaoCanMove | SfgaoCanLink;
Qt::DropActions DropActionsOf(ShellAttributes attributes);
// The effects that all the items of dropped data share, read through their parent folder from
// its id-list array; all three when that cannot be read.
ShellAttributes SharedDragEffects(const QMimeData &data);
// The action a drop takes: the proposed one when the effects allow it, else copy, move or link
// in that order; IgnoreAction when none is allowed.
Qt::DropAction ChooseDropAction(Qt::DropAction proposed, Qt::DropActions possible,
                                ShellAttributes effects);
// The action a person asks for, as desktop file managers read it: Shift moves, Ctrl copies,
// both link; without them a drag moves within one file system and copies across file systems.
Qt::DropAction WantedDropAction(Qt::KeyboardModifiers modifiers, bool oneFileSystem);
// Whether the folder (raw path) is gone: nothing is there, or no folder. A folder that merely
// may not be looked at (EACCES) is not gone.
bool IsGoneFolder(const QByteArray &path);
// Whether every path (raw, not followed when it is a link) lies on the folder's file system.
bool OnFileSystemOf(const QList<QByteArray> &paths, const QByteArray &folder);
// The action for a drag or drop event into the folder: the one wanted, limited by what the
// source offers and the effects its items share.
Qt::DropAction DropActionOf(const QDropEvent &event, const QString &folder);
// A drag enters a shell control: taken when drops are on and it carries files.
void EnterShellDrag(QDragEnterEvent &event, bool dropsOn);
// Copies (or, for a move, moves) the dropped files into the folder under the hourglass; 0, or
// the errno code of the first failure.
int TransferDrop(const QMimeData &data, const QString &folder, Qt::DropAction action);
