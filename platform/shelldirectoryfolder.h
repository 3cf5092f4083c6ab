#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>

// A directory of the file system; its items are the raw names of its entries.
class ShellDirectoryFolder : public ShellFolder {
public:
    // path: the directory's absolute path as raw bytes.
    explicit ShellDirectoryFolder(QByteArray path);

    const QByteArray &path() const { return m_path; }

    int enumObjects(int flags, QList<QByteArray> &items) override;
    ShellAttributes attributesOf(const QByteArray &item, ShellAttributes mask) override;
    QString displayNameOf(const QByteArray &item, ShellNameKind kind) override;
    int compareIds(int column, const QByteArray &a, const QByteArray &b) override;
    int bindToFolder(const QByteArray &item, ShellFolderPtr &folder) override;
    int parseDisplayName(const QString &name, QByteArray &list) override;
    int setNameOf(const QByteArray &item, const QString &name, QByteArray &newItem) override;
    QList<ShellVerb> verbsOf(const QList<QByteArray> &items) override;
    int invokeVerb(const QList<QByteArray> &items, const QString &verb) override;

private:
    // The full path of an entry item; empty for an item that is no entry or a bad name.
    QByteArray entryPath(const QByteArray &item) const;
    // The paths of all the items; false when one is no entry or there is none.
    // Entries can be renamed, moved and deleted when the folder is writable.
    bool canModifyEntries() const;
    bool entryPaths(const QList<QByteArray> &items, QList<QByteArray> &paths) const;

    QByteArray m_path;
};
