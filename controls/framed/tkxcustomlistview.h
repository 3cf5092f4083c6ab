#pragma once

#include "controls/framed/framedwidget.h"
#include "controls/framework/kxevents.h"

#include <QPoint>
#include <QTreeWidget>

#include <functional>

class QMenu;
class TKxListViewHeader;

enum TSortDirection : int { sdAscending, sdDescending };

using TKxItemCheckChangingEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *item, bool checked, bool &allowChange)>;
using TKxItemCheckChangedEvent = std::function<void(QObject *sender, QTreeWidgetItem *item)>;
// An item's context menu is about to open: the handler may move the point (viewport
// coordinates), substitute the menu or set it to nullptr to show none.
using TKxItemMenuEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *item, QPoint &pos, QMenu *&menu)>;
using TKxColumnClickEvent = std::function<void(QObject *sender, int column)>;

// The library's list view in report form: framed painting and state colours, column headers
// drawn by the list with a sort arrow, sorting by column click, a last column that fills the
// width, wheel scrolling in fixed steps, check-box events that may refuse a change, and a
// context menu that tells keyboard from mouse.
class TKxCustomListView : public FramedWidget<QTreeWidget> {
    Q_OBJECT
    FRAMED_CONTROL_PROPERTIES

public:
    explicit TKxCustomListView(QWidget *parent = nullptr);
    ~TKxCustomListView() override;

    bool SortOnColumnClick() const { return m_sortOnColumnClick; }
    void SetSortOnColumnClick(bool value) { m_sortOnColumnClick = value; }
    // The column whose header shows the sort arrow (-1 for none) and the arrow's direction.
    int SortArrowColumn() const { return m_sortArrowColumn; }
    void SetSortArrowColumn(int column);
    TSortDirection SortDirection() const { return m_sortDirection; }
    void SetSortDirection(TSortDirection value);
    // Orders the items by one column's texts (0 the caption), keeping the selection.
    void SortByColumn(int column, TSortDirection direction);

    bool LastColumnFills() const { return m_lastColumnFills; }
    virtual void SetLastColumnFills(bool value);
    virtual void StretchLastColumn();

    // Every item gets a check box; changes pass OnItemCheckChanging and OnItemCheckChanged.
    bool Checkboxes() const { return m_checkboxes; }
    void SetCheckboxes(bool value);
    QMenu *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu *menu) { m_popupMenu = menu; }

    // The icon part of an item's caption cell, in viewport coordinates.
    QRect ItemIconRect(QTreeWidgetItem *item) const;
    // The text part of an item's caption cell, in viewport coordinates.
    QRect ItemLabelRect(QTreeWidgetItem *item) const;
    TKxListViewHeader *Header() const { return m_header; }
    // Draws one column header section; called by the header.
    void DrawHeaderItem(QPainter &painter, const QRect &rect, int column);

    void Loaded() override;

    TKxItemCheckChangingEvent OnItemCheckChanging;
    TKxItemCheckChangedEvent OnItemCheckChanged;
    TKxItemMenuEvent OnItemMenu;
    TKxColumnClickEvent OnColumnClick;

protected:
    virtual void DoItemCheckChanged(QTreeWidgetItem *item);
    // Whether the item's check box may change to the state; true unless the handler refuses.
    virtual bool DoItemCheckChanging(QTreeWidgetItem *item, bool checked);
    virtual void ShowKeyboardContextMenu(const QPoint &pos);
    virtual void PopupContextMenu(const QPoint &pos);
    virtual void DoItemMenu(QTreeWidgetItem *item, QPoint &pos, QMenu *&menu);
    virtual void ColumnClick(int column);
    // Pops the menu up at a point in global coordinates; tests record it instead.
    virtual void PopupMenuAt(QMenu *menu, const QPoint &globalPos);

    // Only captions are edited; with row select a click starts an edit only on the caption's
    // text.
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool KeyTakenBeforeKeyDown(QKeyEvent &event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void ShowOwnMenu(const QPoint &pos);
    void InvalidateHeaderSection(int column);
    void ItemChanged(QTreeWidgetItem *item, int column);
    void PrepareCheckbox(QTreeWidgetItem *item);
    void ItemsInserted(int first, int last);

    TKxListViewHeader *m_header = nullptr;
    bool m_sortOnColumnClick = false;
    int m_lastAscendingColumn = -1;
    int m_sortArrowColumn = -1;
    TSortDirection m_sortDirection = sdAscending;
    bool m_lastColumnFills = true;
    bool m_stretching = false;
    bool m_stretchingWhileLoading = false;
    bool m_checkboxes = false;
    bool m_checkBookkeeping = false;
    QMenu *m_popupMenu = nullptr;
    bool m_rightClickOnItem = false;
    bool m_menuShown = false;
};
