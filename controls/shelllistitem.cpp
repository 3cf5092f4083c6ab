#include "controls/shelllistitem.h"

#include "controls/shellutils.h"
#include "controls/tkxcustomshelllist.h"

#include <cstdlib>

ShellListItem::ShellListItem(std::unique_ptr<TKxShellListData> data)
    : QTreeWidgetItem(kType)
    , m_data(std::move(data)) {}

void ShellListItem::ForgetTexts() {
    m_iconValid = false;
    for (int column = 0; column < columnCount(); ++column)
        setText(column, QString());
}

QVariant ShellListItem::data(int column, int role) const {
    if (role == Qt::DisplayRole && QTreeWidgetItem::data(column, role).toString().isEmpty())
        return column == 0 ? m_data->DisplayName() : m_data->DetailText(column);
    if (column == 0 && role == Qt::DecorationRole) {
        if (!m_iconValid) {
            m_icon = WithShellOverlay(IconOf(m_data->AbsoluteIdList(), kShellIconSmall), m_overlay);
            m_iconValid = true;
        }
        return m_icon;
    }
    return QTreeWidgetItem::data(column, role);
}

bool ShellListItem::operator<(const QTreeWidgetItem &other) const {
    const auto *list = qobject_cast<const TKxCustomShellList *>(treeWidget());
    const TKxShellListData *theirs = ShellDataOfItem(&other);
    const int sortColumn = list != nullptr ? list->SortColumn() : 0;
    if (theirs == nullptr || sortColumn == 0)
        return false;
    const int order = m_data->Folder()->compareIds(
        std::abs(sortColumn) - 1, m_data->RelativeIdList(), theirs->RelativeIdList());
    return sortColumn < 0 ? order > 0 : order < 0;
}

TKxShellListData *ShellDataOfItem(const QTreeWidgetItem *item) {
    if (item == nullptr || item->type() != ShellListItem::kType)
        return nullptr;
    return static_cast<const ShellListItem *>(item)->Data();
}
