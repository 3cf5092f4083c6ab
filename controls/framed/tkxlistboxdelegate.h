#pragma once

#include <QStyledItemDelegate>

class TKxListBox;

// Hands the drawing of each row to its list box and gives every row the box's item height.
class TKxListBoxDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit TKxListBoxDelegate(TKxListBox *listBox);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TKxListBox *m_listBox;
};
