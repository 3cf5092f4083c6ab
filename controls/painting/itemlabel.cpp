#include "controls/painting/itemlabel.h"

#include <QAbstractItemView>
#include <QIcon>
#include <QStyle>
#include <QStyleOptionViewItem>

QRect ItemLabelArea(const QAbstractItemView &view, QStyleOptionViewItem option,
                    const QModelIndex &index) {
    option.rect = view.visualRect(index);
    option.index = index;
    option.text = index.data(Qt::DisplayRole).toString();
    option.features |= QStyleOptionViewItem::HasDisplay;
    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
    if (!icon.isNull()) {
        option.icon = icon;
        option.features |= QStyleOptionViewItem::HasDecoration;
    }
    if (index.data(Qt::CheckStateRole).isValid())
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
    return view.style()->subElementRect(QStyle::SE_ItemViewItemText, &option, &view);
}
