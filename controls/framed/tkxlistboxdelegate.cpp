#include "controls/framed/tkxlistboxdelegate.h"

#include "controls/framed/tkxlistbox.h"
#include "controls/framework/controlservices.h"

#include <QPainter>

#include <algorithm>

TKxListBoxDelegate::TKxListBoxDelegate(TKxListBox *listBox)
    : QStyledItemDelegate(listBox)
    , m_listBox(listBox) {}

void TKxListBoxDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const {
    painter->save();
    CallGuarded([&] { m_listBox->PaintRow(*painter, option.rect, index.row(), option.state); });
    painter->restore();
}

QSize TKxListBoxDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const {
    return QSize(std::max<int>(m_listBox->HorzExtent(), 1), m_listBox->ItemHeight());
}
