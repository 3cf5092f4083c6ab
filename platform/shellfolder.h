#pragma once

#include "platform/shellsortkey.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// Attribute bits of a shell item; the values are those the shell controls mask with.
enum ShellAttribute : std::uint32_t {
    SfgaoCanCopy = 0x00000001,
    SfgaoCanMove = 0x00000002,
    SfgaoCanLink = 0x00000004,
    SfgaoCanRename = 0x00000010,
    SfgaoCanDelete = 0x00000020,
    SfgaoDropTarget = 0x00000100,
    SfgaoLink = 0x00010000,
    SfgaoShare = 0x00020000,
    SfgaoReadOnly = 0x00040000,
    SfgaoHidden = 0x00080000,
    SfgaoStream = 0x00400000,
    SfgaoRemovable = 0x02000000,
    SfgaoFileSysAncestor = 0x10000000,
    SfgaoFolder = 0x20000000,
    SfgaoFileSystem = 0x40000000,
    SfgaoHasSubfolder = 0x80000000,
};
using ShellAttributes = std::uint32_t;

// What enumObjects lists.
enum ShellEnumFlag : int {
    ShcontfFolders = 0x20,
    ShcontfNonFolders = 0x40,
    ShcontfIncludeHidden = 0x80,
};

// Kinds of display names: 0 normal, 1 in-folder, 2 for parsing (the path), 3 for editing.
enum class ShellNameKind : int { Normal = 0, InFolder = 1, ForParsing = 2, ForEditing = 3 };

struct ShellVerb {
    QString verb;    // "open", "copy", "delete", "rename" ...
    QString caption; // menu text
    QString help;    // what the command does, for the status line
};

class ShellFolder;
using ShellFolderPtr = std::shared_ptr<ShellFolder>;

// One folder of the shell namespace. Item arguments are one-element lists relative to this
// folder. Results that can fail return 0 or an errno code. The real folders are the desktop,
// Computer and directories; tests put fakes in their place.
class ShellFolder {
public:
    virtual ~ShellFolder() = default;

    // The children as one-element lists, filtered by ShellEnumFlag bits.
    virtual int enumObjects(int flags, QList<QByteArray> &items) = 0;
    // The attributes of the item that the mask asks for (some bits may be left unset).
    virtual ShellAttributes attributesOf(const QByteArray &item, ShellAttributes mask) = 0;
    // Empty when the item has no name of that kind (a virtual folder has no path).
    virtual QString displayNameOf(const QByteArray &item, ShellNameKind kind) = 0;
    // Negative, 0 or positive; column 0 name (folders first), 1 size, 2 type, 3 modified.
    virtual int compareIds(int column, const QByteArray &a, const QByteArray &b) = 0;
    // What the item sorts by, when the folder sorts its items by such keys (as compareIds then
    // does); the views read it once per item and compare keys. None by default.
    virtual std::optional<ShellSortKey> sortKeyOf(const QByteArray &) { return std::nullopt; }
    virtual int bindToFolder(const QByteArray &item, ShellFolderPtr &folder) = 0;
    // A name (a path for the desktop, a relative name below a directory) to a list relative to
    // this folder.
    virtual int parseDisplayName(const QString &name, QByteArray &list) = 0;
    // Renames the item without ever replacing an existing one; newItem is its new list.
    virtual int setNameOf(const QByteArray &item, const QString &name, QByteArray &newItem) = 0;
    // The context-menu verbs that apply to all the items, in menu order.
    virtual QList<ShellVerb> verbsOf(const QList<QByteArray> &items) = 0;
    virtual int invokeVerb(const QList<QByteArray> &items, const QString &verb) = 0;
};
