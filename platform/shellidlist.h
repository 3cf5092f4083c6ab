#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>

// Item-id lists in their byte format: a sequence of elements, each starting with its 16-bit
// little-endian byte count (the count included), ended by a 16-bit zero. A null QByteArray is a
// missing list (size 0); a list of just the terminator names the desktop. Every list is a value
// owned by the object that holds it.

inline constexpr int kIdListTerminatorSize = 2;
inline constexpr int kIdListElementHeaderSize = 2;
// Element counts are 16-bit, so one element carries at most this many payload bytes.
inline constexpr int kIdListMaxPayload = 0xFFFF - kIdListElementHeaderSize - 1;
static_assert(kIdListMaxPayload > 4096, "an element must hold a full file name or mount path");

// Size in bytes including the terminator; 0 for a missing list. A malformed list (an element
// running past the end) counts up to the last whole element.
int IdListSize(const QByteArray &list);
// A copy holding exactly the list's bytes; a missing list gives an empty (desktop) list.
QByteArray CopyIdList(const QByteArray &list);
// a's elements, then b's, one terminator.
QByteArray ConcatIdLists(const QByteArray &a, const QByteArray &b);
int IdListElementCount(const QByteArray &list);
// Element i as a one-element list; null when i is negative or at or past the count (for an
// empty list, index 0 gives an empty list).
QByteArray IdListElementAt(const QByteArray &list, int index);
// The first count - n elements as a list (an empty list when n covers them all).
QByteArray IdListWithoutLast(const QByteArray &list, int n);
// The last element as a one-element list; the empty list when there is none.
QByteArray LastIdListElement(const QByteArray &list);
bool IsEmptyIdList(const QByteArray &list);

// What one element of our namespace encodes: a virtual folder, a mount point of Computer, or the
// raw name of a directory entry.
enum class ShellItemKind : std::uint8_t { Virtual = 1, Mount = 2, Entry = 3 };
enum class VirtualFolder : std::uint8_t { Home = 1, Computer = 2 };

struct ShellItem {
    ShellItemKind kind = ShellItemKind::Entry;
    VirtualFolder folder = VirtualFolder::Home; // Virtual only
    QByteArray bytes;                           // mount path or raw entry name
};

QByteArray MakeVirtualItem(VirtualFolder folder);
QByteArray MakeMountItem(const QByteArray &mountPath);
QByteArray MakeEntryItem(const QByteArray &rawName);
// Decodes the first element of a list; none for an empty, malformed or foreign element.
std::optional<ShellItem> DecodeShellItem(const QByteArray &list);
