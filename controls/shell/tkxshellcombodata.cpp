#include "controls/shell/tkxshellcombodata.h"

#include "platform/shellidlist.h"

TKxShellComboData::TKxShellComboData(ShellFolderPtr parentFolder, const QByteArray &parentIdList,
                                     const QByteArray &relativeIdList)
    : m_parentFolder(std::move(parentFolder))
    , m_parentIdList(CopyIdList(parentIdList))
    , m_relativeIdList(CopyIdList(relativeIdList))
    , m_absoluteIdList(ConcatIdLists(parentIdList, relativeIdList)) {}

ShellFolderPtr TKxShellComboData::Folder() {
    if (m_folder == nullptr && m_parentFolder != nullptr &&
        m_parentFolder->bindToFolder(m_relativeIdList, m_folder) != 0)
        m_folder.reset();
    return m_folder;
}
