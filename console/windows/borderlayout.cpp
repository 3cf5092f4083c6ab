#include "console/windows/borderlayout.h"

#include <QWidget>
#include <QWidgetItem>

#include <algorithm>

BorderLayout::BorderLayout(QWidget *parent, int margin, int spacing)
    : QLayout(parent) {
    setContentsMargins(margin, margin, margin, margin);
    setSpacing(spacing);
}

BorderLayout::BorderLayout(int spacing) {
    setSpacing(spacing);
}

BorderLayout::~BorderLayout() {
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void BorderLayout::add(QLayoutItem *item, Position position) {
    list.append(ItemWrapper{item, position});
    invalidate();
}

void BorderLayout::addItem(QLayoutItem *item) {
    add(item, West);
}

void BorderLayout::addWidget(QWidget *widget, Position position) {
    // Reparents the widget when the layout already sits on one, as every Qt layout does.
    addChildWidget(widget);
    add(new QWidgetItem(widget), position);
}

int BorderLayout::count() const {
    return static_cast<int>(list.size());
}

QLayoutItem *BorderLayout::itemAt(int index) const {
    if (index < 0 || index >= count())
        return nullptr;
    return list.at(index).item;
}

QLayoutItem *BorderLayout::takeAt(int index) {
    if (index < 0 || index >= count())
        return nullptr;
    return list.takeAt(index).item;
}

Qt::Orientations BorderLayout::expandingDirections() const {
    return Qt::Horizontal | Qt::Vertical;
}

bool BorderLayout::hasHeightForWidth() const {
    return false;
}

QSize BorderLayout::minimumSize() const {
    return calculateSize(MinimumSize);
}

QSize BorderLayout::sizeHint() const {
    return calculateSize(SizeHint);
}

void BorderLayout::setGeometry(const QRect &rect) {
    QLayout::setGeometry(rect);
    if (list.isEmpty())
        return;

    // An unset spacing (-1, no style to ask) places items edge to edge.
    const int space = std::max(0, spacing());

    int northHeight = 0;
    int southHeight = 0;
    const ItemWrapper *center = nullptr;
    for (const ItemWrapper &wrapper : list) {
        QLayoutItem *item = wrapper.item;
        switch (wrapper.position) {
        case North:
            item->setGeometry(
                QRect(rect.x(), rect.y() + northHeight, rect.width(), item->sizeHint().height()));
            northHeight += item->geometry().height() + space;
            break;
        case South:
            // Sized first, so the band grows by the height the item really takes.
            item->setGeometry(
                QRect(item->geometry().topLeft(), QSize(rect.width(), item->sizeHint().height())));
            southHeight += item->geometry().height() + space;
            item->setGeometry(QRect(rect.x(), rect.y() + rect.height() - southHeight + space,
                                    item->geometry().width(), item->geometry().height()));
            break;
        case Center:
            center = &wrapper;
            break;
        case West:
        case East:
            break;
        }
    }

    const int centerHeight = std::max(0, rect.height() - northHeight - southHeight);
    const int top = rect.y() + northHeight;

    int westWidth = 0;
    int eastWidth = 0;
    for (const ItemWrapper &wrapper : list) {
        QLayoutItem *item = wrapper.item;
        switch (wrapper.position) {
        case West:
            item->setGeometry(
                QRect(rect.x() + westWidth, top, item->sizeHint().width(), centerHeight));
            westWidth += item->geometry().width() + space;
            break;
        case East:
            item->setGeometry(
                QRect(item->geometry().topLeft(), QSize(item->sizeHint().width(), centerHeight)));
            eastWidth += item->geometry().width() + space;
            item->setGeometry(QRect(rect.x() + rect.width() - eastWidth + space, top,
                                    item->geometry().width(), item->geometry().height()));
            break;
        case North:
        case South:
        case Center:
            break;
        }
    }

    if (center)
        center->item->setGeometry(QRect(rect.x() + westWidth, top,
                                        std::max(0, rect.width() - eastWidth - westWidth),
                                        centerHeight));
}

// Heights of north, south and centre items and widths of west, east and centre items, summed
// onto an invalid (-1, -1) start: an empty layout reports (-1, -1).
QSize BorderLayout::calculateSize(SizeType sizeType) const {
    QSize total(-1, -1);
    for (const ItemWrapper &wrapper : list) {
        const QSize itemSize =
            sizeType == MinimumSize ? wrapper.item->minimumSize() : wrapper.item->sizeHint();
        if (wrapper.position == North || wrapper.position == South || wrapper.position == Center)
            total.rheight() += itemSize.height();
        if (wrapper.position == West || wrapper.position == East || wrapper.position == Center)
            total.rwidth() += itemSize.width();
    }
    return total;
}
