#pragma once

#include "platform/shellfolder.h"

#include <QByteArray>

// The item data of a shell combo box entry: the folder that holds it and that folder's list,
// the entry's list relative to it and its absolute list, and its own folder, bound on first use.
class TKxShellComboData {
public:
    TKxShellComboData(ShellFolderPtr parentFolder, const QByteArray &parentIdList,
                      const QByteArray &relativeIdList);

    const ShellFolderPtr &ParentFolder() const { return m_parentFolder; }
    const QByteArray &ParentIdList() const { return m_parentIdList; }
    const QByteArray &RelativeIdList() const { return m_relativeIdList; }
    const QByteArray &AbsoluteIdList() const { return m_absoluteIdList; }
    // Null when the entry is no folder that can be opened.
    ShellFolderPtr Folder();

private:
    ShellFolderPtr m_parentFolder;
    QByteArray m_parentIdList;
    QByteArray m_relativeIdList;
    QByteArray m_absoluteIdList;
    ShellFolderPtr m_folder;
};
