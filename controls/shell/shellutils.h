#pragma once

#include "platform/mountinfo.h"
#include "platform/shellfolder.h"
#include "platform/shellidlist.h"

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QStringList>

// Common ground of the shell controls: the namespace's desktop, item-id-list operations over the
// namespace, display names, icons, the network-drive test and message formatting. The byte-level
// list operations (IdListSize, CopyIdList, ConcatIdLists ...) are in platform/shellidlist.h.

// The shell this library was written against had version 6; behaviour that depended on the
// installed versions takes these fixed values.
inline constexpr int kShellMajorVersion = 6;
inline constexpr int kCommonControlsMajorVersion = 6;
inline constexpr bool kShellVersion6 = kShellMajorVersion >= 6;

// Special-folder numbers that the namespace knows.
inline constexpr int kCsidlDesktop = 0;
inline constexpr int kCsidlDrives = 17;  // Computer
inline constexpr int kCsidlProfile = 40; // Home
inline constexpr int kCsidlNone = 50;    // no special folder
static_assert(kCsidlDesktop < kCsidlDrives && kCsidlDrives < kCsidlProfile &&
                  kCsidlProfile < kCsidlNone,
              "special folders are searched from 0 up to the none value");

// Icon flags of IconOf: the 16-pixel form, the open form of a folder.
inline constexpr int kShellIconSmall = 1;
inline constexpr int kShellIconOpen = 2;

// The desktop of the process namespace, started once on first use (the home folder and the
// system's mounts). Tests put a fake desktop in its place; nullptr restores the system one.
ShellFolderPtr DesktopFolder();
void SetDesktopFolder(ShellFolderPtr desktop);

// 0 when both lists are missing or both empty, -1 when only one of them is, else the desktop's
// comparison of the two absolute lists (element by element, descending into the folders).
int CompareIdLists(const QByteArray &a, const QByteArray &b);
// The folder an absolute list names (the desktop for an empty or missing list); 0 or errno.
int FolderOfIdList(const QByteArray &list, ShellFolderPtr &folder);
// The parent folder of an absolute list and its last element as a relative list; 0 or errno.
int ParentFolderOfIdList(const QByteArray &list, ShellFolderPtr &parent, QByteArray &item);
// True for the desktop and for a folder whose parent still holds it as a folder.
bool FolderOfIdListExists(const QByteArray &list);
// The desktop's parse of a path to an absolute list; 0 or errno (ENAMETOOLONG beyond the
// system's path limit: a path is never cut to make it fit).
int PathToIdList(const QString &path, QByteArray &list);
// The file-system path of an absolute list; empty for a virtual folder or on failure (a missing
// list counts as the desktop).
QString IdListToPath(const QByteArray &list);
// That path as a person reads it: names that are not UTF-8 as the views show them.
QString IdListToDisplayPath(const QByteArray &list);
// The list of a special folder; false for a number the namespace does not know.
bool SpecialFolderLocation(int csidl, QByteArray &list);
QString SpecialFolderPath(int csidl);
// The first special-folder number from 0 to 50 whose list compares equal, else 50.
int SpecialFolderOfIdList(const QByteArray &list);
// The icon of the item an absolute list names (kShellIconSmall, kShellIconOpen flags); a null
// icon on failure.
QIcon IconOf(const QByteArray &list, int flags);

// The overlays that mark shell icons: a shared item, a link; none is -1.
inline constexpr int kShellOverlayNone = -1;
inline constexpr int kShellOverlayShare = 0;
inline constexpr int kShellOverlayLink = 1;
// The share overlay for SfgaoShare, else the link overlay for SfgaoLink, else none.
int ShellOverlayOf(ShellAttributes attributes);
// The icon with the overlay drawn into its lower left quarter at every size it has (16 pixels
// for a null icon); unchanged for no overlay.
QIcon WithShellOverlay(const QIcon &icon, int overlay);

// A null folder means the desktop; empty when the name cannot be had.
QString DisplayNameOf(ShellFolder *folder, const QByteArray &item, ShellNameKind kind);
// The in-folder name of the last element of an absolute list (the desktop's own name for an
// empty list).
QString DisplayNameOfIdList(const QByteArray &list);

// The text with ch appended unless it is empty or already ends in ch.
QString IncludeTrailingChar(const QString &text, QChar ch);
// %1 ... %99 replaced by the inserts, %% by %. More than 50 inserts raise std::runtime_error
// "FormatStrPos: Too many substitution strings" (an empty pattern gives "" first). An insert
// that is missing leaves its marker as written.
inline constexpr int kFormatStrPosMaxInserts = 50;
QString FormatStrPos(const QString &pattern, const QStringList &inserts);

// True when the path lies on a network file system (nfs, cifs, smb3, sshfs) that is mounted:
// among the given mounts, or the system's.
bool IsNetworkDriveConnected(const QString &path, const QList<MountPoint> &mounts);
bool IsNetworkDriveConnected(const QString &path);

// The target of a symbolic link (our shell links); false when the path is no link.
bool ReadShellLink(const QString &path, QString &target);
