#pragma once

#include "platform/shellfolder.h"
#include "platform/shellsortkey.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>
#include <unordered_map>

// A directory of the file system; its items are the raw names of its entries. Listing takes
// each entry's attributes from one lstat and keeps them with the entry's sort keys, so that
// sorting and the attribute queries of a fill make no further file-system calls; every listing
// reads them afresh.
class ShellDirectoryFolder : public ShellFolder {
public:
    // path: the directory's absolute path as raw bytes.
    explicit ShellDirectoryFolder(QByteArray path);

    const QByteArray &path() const { return m_path; }

    int enumObjects(int flags, QList<QByteArray> &items) override;
    ShellAttributes attributesOf(const QByteArray &item, ShellAttributes mask) override;
    QString displayNameOf(const QByteArray &item, ShellNameKind kind) override;
    int compareIds(int column, const QByteArray &a, const QByteArray &b) override;
    std::optional<ShellSortKey> sortKeyOf(const QByteArray &item) override;
    int bindToFolder(const QByteArray &item, ShellFolderPtr &folder) override;
    int parseDisplayName(const QString &name, QByteArray &list) override;
    int setNameOf(const QByteArray &item, const QString &name, QByteArray &newItem) override;
    QList<ShellVerb> verbsOf(const QList<QByteArray> &items) override;
    int invokeVerb(const QList<QByteArray> &items, const QString &verb) override;

private:
    // What one lstat (and, for a symbolic link, one stat of its target) tells of an entry,
    // with the keys it sorts by.
    struct Entry {
        bool link = false;
        bool writable = false;
        nlink_t links = 0;
        int hasSubfolder = -1; // -1 not known yet
        ShellSortKey key;
    };
    // What holds for the whole folder, read once per listing.
    struct FolderState {
        bool known = false;
        bool canModify = false;
        bool readOnlyFileSystem = false;
        bool countsSubfolders = false;
    };

    // The full path of an entry item; empty for an item that is no entry or a bad name.
    QByteArray entryPath(const QByteArray &item) const;
    // The paths of all the items; false when one is no entry or there is none.
    bool entryPaths(const QList<QByteArray> &items, QList<QByteArray> &paths) const;
    // Entries can be renamed, moved and deleted when the folder is writable.
    bool canModifyEntries();
    const FolderState &folderState();
    // The entry of an item, read now when the last listing did not see it; null for no entry.
    Entry *entryOf(const QByteArray &item);

    struct NameHash {
        size_t operator()(const QByteArray &name) const { return qHash(name); }
    };

    QByteArray m_path;
    FolderState m_state;
    // Entries stay where they are when others are added, so two can be compared at once.
    std::unordered_map<QByteArray, Entry, NameHash> m_entries;
};
