#include "controls/shell/shelllistitem.h"

#include "controls/shell/shellutils.h"
#include "controls/shell/tkxcustomshelllist.h"

#include "controls/framework/timagelist.h"

#include <QPainter>

#include <cstdlib>

namespace {

constexpr int kTypeColumn = 2;

// The image of an image list as an icon; null for an index outside the list.
QIcon ImageListIcon(const TImageList &images, int index) {
    if (index < 0 || index >= images.Count())
        return {};
    QPixmap image(images.Width(), images.Height());
    image.fill(Qt::transparent);
    QPainter painter(&image);
    images.Draw(painter, QPoint(0, 0), index, true);
    painter.end();
    return QIcon(image);
}

} // namespace

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
        // The list's OnGetImageIndex comes first; an index below 1 takes the shell's icon.
        const auto *list = qobject_cast<const TKxCustomShellList *>(treeWidget());
        if (list != nullptr && list->OnGetImageIndex) {
            int index = 0;
            list->OnGetImageIndex(const_cast<TKxCustomShellList *>(list),
                                  const_cast<ShellListItem *>(this), index);
            if (index >= 1 && list->SmallImages() != nullptr) {
                if (const QIcon icon = ImageListIcon(*list->SmallImages(), index); !icon.isNull())
                    return icon;
            }
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
    const auto *list = qobject_cast<const TKxCustomShellList *>(treeWidget());
    const TKxShellListData *theirs = ShellDataOfItem(&other);
    const int sortColumn = list != nullptr ? list->SortColumn() : 0;
    if (theirs == nullptr || sortColumn == 0)
        return false;
    const int column = std::abs(sortColumn) - 1;
    int order = 0;
    // The Type column shows the type's description, and sorts by that text (each item's is
    // computed once); items of one type keep the folder's order.
    if (column == kTypeColumn)
        order = m_data->DetailText(kTypeColumn)
                    .compare(const_cast<TKxShellListData *>(theirs)->DetailText(kTypeColumn),
                             Qt::CaseInsensitive);
    if (order == 0)
        order = m_data->Folder()->compareIds(column, m_data->RelativeIdList(),
                                             theirs->RelativeIdList());
    return sortColumn < 0 ? order > 0 : order < 0;
}

TKxShellListData *ShellDataOfItem(const QTreeWidgetItem *item) {
    if (item == nullptr || item->type() != ShellListItem::kType)
        return nullptr;
    return static_cast<const ShellListItem *>(item)->Data();
}
