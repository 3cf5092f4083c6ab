#pragma once

#include <QRect>

class QAbstractItemView;
class QModelIndex;
class QStyleOptionViewItem;

// The text part of an item's cell as the view's style lays it out (after its check box and
// icon, to the cell's end), in viewport coordinates. The option is the view's own item option.
QRect ItemLabelArea(const QAbstractItemView &view, QStyleOptionViewItem option,
                    const QModelIndex &index);
