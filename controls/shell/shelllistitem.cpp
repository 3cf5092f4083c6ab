#include "controls/shell/shelllistitem.h"

#include "controls/shell/shellutils.h"

#include <cstdlib>

namespace {

constexpr int kTypeColumn = 2;

} // namespace

ShellListItem::ShellListItem(std::unique_ptr<TKxShellListData> data,
                             const ShellListItemOwner *owner)
    : QTreeWidgetItem(kType)
    , m_data(std::move(data))
    , m_owner(owner)
    , m_key(m_data->Folder()->sortKeyOf(m_data->RelativeIdList())) {}

void ShellListItem::ForgetTexts() {
    m_iconValid = false;
    m_key = m_data->Folder()->sortKeyOf(m_data->RelativeIdList());
    for (int column = 0; column < columnCount(); ++column)
        setText(column, QString());
}

bool ShellListItem::ReadAgain() {
    std::optional<ShellSortKey> key = m_data->Folder()->sortKeyOf(m_data->RelativeIdList());
    const bool changed = key.has_value() != m_key.has_value() ||
                         (key && (key->folder != m_key->folder || key->size != m_key->size ||
                                  key->modifiedNs != m_key->modifiedNs));
    m_key = std::move(key);
    if (changed) {
        m_data->ForgetDetails();
        emitDataChanged();
    }
    return changed;
}

QVariant ShellListItem::data(int column, int role) const {
    if (role == Qt::DisplayRole && QTreeWidgetItem::data(column, role).toString().isEmpty())
        return column == 0 ? m_data->DisplayName() : m_data->DetailText(column);
    if (column == 0 && role == Qt::DecorationRole) {
        if (m_owner != nullptr) {
            if (QIcon chosen = m_owner->ChosenItemImage(const_cast<ShellListItem *>(this));
                !chosen.isNull())
                return chosen;
        }
        if (!m_iconValid) {
            m_icon = WithShellOverlay(IconOf(m_data->AbsoluteIdList(), kShellIconSmall), m_overlay);
            m_iconValid = true;
        }
        return m_icon;
    }
    return QTreeWidgetItem::data(column, role);
}

bool ShellListItem::operator<(const QTreeWidgetItem &other) const {
    if (other.type() != kType)
        return false;
    const auto &theirs = static_cast<const ShellListItem &>(other);
    const int sortColumn = m_owner != nullptr ? m_owner->ItemSortColumn() : 0;
    if (sortColumn == 0)
        return false;
    const int column = std::abs(sortColumn) - 1;
    int order = 0;
    // The Type column shows the type's description, and sorts by that text (each item's is
    // computed once); items of one type keep the folder's order.
    if (column == kTypeColumn)
        order = m_data->DetailText(kTypeColumn)
                    .compare(theirs.m_data->DetailText(kTypeColumn), Qt::CaseInsensitive);
    if (order == 0)
        order = m_key && theirs.m_key
                    ? CompareShellSortKeys(column, *m_key, *theirs.m_key)
                    : m_data->Folder()->compareIds(column, m_data->RelativeIdList(),
                                                   theirs.m_data->RelativeIdList());
    return sortColumn < 0 ? order > 0 : order < 0;
}

TKxShellListData *ShellDataOfItem(const QTreeWidgetItem *item) {
    if (item == nullptr || item->type() != ShellListItem::kType)
        return nullptr;
    return static_cast<const ShellListItem *>(item)->Data();
}
