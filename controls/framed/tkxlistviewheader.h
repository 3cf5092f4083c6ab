#pragma once

#include <QHeaderView>

class TKxCustomListView;

// The column header of the list view: every section is drawn by the list view itself; the
// header tracks the section under the mouse while visual styles are on, and the left button;
// the end of a divider drag lets the last column fill the width again.
class TKxListViewHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TKxListViewHeader(TKxCustomListView *listView);

    int HotColumn() const { return m_hotColumn; }
    void SetHotColumn(int column);
    bool LeftButtonDown() const { return m_leftButtonDown; }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    TKxCustomListView *m_listView;
    int m_hotColumn = -1;
    bool m_leftButtonDown = false;
    // A divider was dragged while the left button was down.
    bool m_tracked = false;
};
