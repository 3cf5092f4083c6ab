#include "controls/framed/tkxlistviewheader.h"

#include "controls/framed/tkxcustomlistview.h"
#include "controls/framework/controlservices.h"

#include <QMouseEvent>

TKxListViewHeader::TKxListViewHeader(TKxCustomListView *listView)
    : QHeaderView(Qt::Horizontal, listView)
    , m_listView(listView) {
    setMouseTracking(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    connect(this, &QHeaderView::sectionResized, this, [this] {
        if (m_leftButtonDown)
            m_tracked = true;
    });
}

void TKxListViewHeader::SetHotColumn(int column) {
    if (m_hotColumn == column)
        return;
    m_hotColumn = column;
    viewport()->update();
}

void TKxListViewHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const {
    CallGuarded([&] { m_listView->DrawHeaderItem(*painter, rect, logicalIndex); });
}

void TKxListViewHeader::mouseMoveEvent(QMouseEvent *event) {
    if (ThemesActive() && !m_leftButtonDown)
        SetHotColumn(logicalIndexAt(event->position().toPoint()));
    QHeaderView::mouseMoveEvent(event);
}

void TKxListViewHeader::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_leftButtonDown = true;
    QHeaderView::mousePressEvent(event);
}

void TKxListViewHeader::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        m_leftButtonDown = false;
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && m_tracked) {
        m_tracked = false;
        CallGuarded([this] { m_listView->StretchLastColumn(); });
    }
}

void TKxListViewHeader::leaveEvent(QEvent *event) {
    SetHotColumn(-1);
    QHeaderView::leaveEvent(event);
}
