#include "controls/shell/tkxshelltreedata.h"

#include "controls/shell/shellutils.h"

TKxShellTreeData::TKxShellTreeData(TKxShellTreeData *parent, const QByteArray &item,
                                   ShellFolderPtr parentFolder)
    : m_parent(parent) {
    if (m_parent) {
        m_relative = CopyIdList(item);
        return;
    }
    m_relative = LastIdListElement(item);
    m_absolute = CopyIdList(item);
    m_absoluteValid = true;
    m_rootParentFolder = std::move(parentFolder);
}

const QByteArray &TKxShellTreeData::AbsoluteIdList() {
    if (!m_absoluteValid) {
        m_absolute = m_parent ? ConcatIdLists(m_parent->AbsoluteIdList(), m_relative)
                              : CopyIdList(m_relative);
        m_absoluteValid = true;
    }
    return m_absolute;
}

QString TKxShellTreeData::PathText() {
    return IdListToPath(AbsoluteIdList());
}

ShellFolderPtr TKxShellTreeData::ParentShellFolder() {
    if (m_parent)
        return m_parent->ShellFolder();
    if (!m_rootParentFolder) {
        QByteArray item;
        if (ParentFolderOfIdList(AbsoluteIdList(), m_rootParentFolder, item) != 0)
            m_rootParentFolder.reset();
    }
    return m_rootParentFolder;
}

ShellFolderPtr TKxShellTreeData::ShellFolder() {
    if (m_folder)
        return m_folder;
    if (IsEmptyIdList(m_relative) || m_relative.isNull()) {
        m_folder = DesktopFolder();
        return m_folder;
    }
    const ShellFolderPtr parent = ParentShellFolder();
    if (!parent || parent->bindToFolder(m_relative, m_folder) != 0)
        m_folder.reset();
    return m_folder;
}

bool TKxShellTreeData::CanRename() {
    if (!m_parent || IdListElementCount(m_relative) == 0)
        return false;
    const ShellFolderPtr parent = ParentShellFolder();
    return parent && (parent->attributesOf(m_relative, 0x40000177) & SfgaoCanRename);
}

void TKxShellTreeData::ReplaceRelativeIdList(const QByteArray &item) {
    m_relative = CopyIdList(item);
    ForgetCachedData();
    AbsoluteIdList();
}

void TKxShellTreeData::ForgetCachedData() {
    m_folder.reset();
    if (m_parent) {
        m_absolute.clear();
        m_absoluteValid = false;
    }
}
