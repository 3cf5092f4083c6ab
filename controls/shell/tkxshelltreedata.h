#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>
#include <QString>

// The shell data of one tree node: its list relative to the parent node and, built on demand
// and kept, its absolute list and its own folder. The node owns it.
class TKxShellTreeData {
public:
    // With a parent, item is relative to the parent's folder. Without (the root), item is an
    // absolute list whose last element becomes the relative list (the whole list when it has no
    // element); parentFolder is then the folder that holds the root (the desktop when null).
    TKxShellTreeData(TKxShellTreeData *parent, const QByteArray &item,
                     ShellFolderPtr parentFolder = nullptr);
    TKxShellTreeData(const TKxShellTreeData &) = delete;
    TKxShellTreeData &operator=(const TKxShellTreeData &) = delete;

    TKxShellTreeData *Parent() const { return m_parent; }
    const QByteArray &RelativeIdList() const { return m_relative; }
    // The parent's absolute list + the relative list, built once; the root's own list.
    const QByteArray &AbsoluteIdList();
    // The file-system path; empty for a virtual folder.
    QString PathText();
    // The folder that holds this item.
    ShellFolderPtr ParentShellFolder();
    // The item's own folder (the desktop for an empty list); null when it cannot be bound.
    ShellFolderPtr ShellFolder();
    // False for the root or an empty list; else the item's rename attribute.
    bool CanRename();
    // After a rename: the new relative list; the absolute list and the folder are rebuilt.
    void ReplaceRelativeIdList(const QByteArray &item);
    // Drops the cached absolute list and folder (the tree does it for a renamed subtree).
    void ForgetCachedData();

private:
    TKxShellTreeData *m_parent = nullptr;
    QByteArray m_relative;
    QByteArray m_absolute;
    bool m_absoluteValid = false;
    ShellFolderPtr m_folder;
    ShellFolderPtr m_rootParentFolder;
};
