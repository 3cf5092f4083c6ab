#include "controls/shell/shelltreenode.h"

#include "controls/shell/shellutils.h"

ShellTreeNode::ShellTreeNode(std::unique_ptr<TKxShellTreeData> data)
    : QTreeWidgetItem(kType)
    , m_data(std::move(data)) {}

bool ShellTreeNode::HasChildrenFlag() const {
    return childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void ShellTreeNode::SetHasChildrenFlag(bool value) {
    if (value == HasChildrenFlag())
        return;
    setChildIndicatorPolicy(value ? QTreeWidgetItem::ShowIndicator
                                  : QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QVariant ShellTreeNode::data(int column, int role) const {
    if (column == 0 && role == Qt::DecorationRole && m_data != nullptr) {
        if (!m_iconValid) {
            const QByteArray &list = m_data->AbsoluteIdList();
            m_icon = WithShellOverlay(IconOf(list, kShellIconSmall), m_overlay);
            const QIcon open =
                WithShellOverlay(IconOf(list, kShellIconSmall | kShellIconOpen), m_overlay);
            if (!open.isNull()) {
                for (const QSize &size : open.availableSizes())
                    m_icon.addPixmap(open.pixmap(size), QIcon::Selected);
            }
            m_iconValid = true;
        }
        return m_icon;
    }
    return QTreeWidgetItem::data(column, role);
}

const std::optional<ShellSortKey> &ShellTreeNode::sortKey() const {
    if (!m_keyRead) {
        const ShellFolderPtr folder = m_data != nullptr ? m_data->ParentShellFolder() : nullptr;
        m_key = folder != nullptr ? folder->sortKeyOf(m_data->RelativeIdList()) : std::nullopt;
        m_keyRead = true;
    }
    return m_key;
}

bool ShellTreeNode::operator<(const QTreeWidgetItem &other) const {
    TKxShellTreeData *theirs = ShellDataOf(&other);
    if (m_data == nullptr || theirs == nullptr)
        return false;
    const auto &otherNode = static_cast<const ShellTreeNode &>(other);
    if (sortKey() && otherNode.sortKey())
        return CompareShellSortKeys(0, *sortKey(), *otherNode.sortKey()) < 0;
    const ShellFolderPtr folder = m_data->ParentShellFolder();
    return folder != nullptr &&
           folder->compareIds(0, m_data->RelativeIdList(), theirs->RelativeIdList()) < 0;
}

TKxShellTreeData *ShellDataOf(const QTreeWidgetItem *node) {
    if (node == nullptr || node->type() != ShellTreeNode::kType)
        return nullptr;
    return static_cast<const ShellTreeNode *>(node)->Data();
}
