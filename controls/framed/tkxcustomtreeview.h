#pragma once

#include "controls/framed/framedwidget.h"
#include "controls/framework/kxevents.h"

#include <QPen>
#include <QPoint>
#include <QTreeWidget>

#include <functional>

class QMenu;

// A node's context menu is about to open: the handler may move the point (viewport coordinates),
// substitute the menu or set it to nullptr to show none.
using TKxTvOnNodeContextMenuEvent =
    std::function<void(QObject *sender, QTreeWidgetItem *node, QPoint &pos, QMenu *&menu)>;

// The new scroll position of a wheel step of the given number of lines; never above the top.
int TreeWheelScrollPosition(int position, int lines, bool down);
// The node is the ancestor itself or lies below it.
bool IsNodeWithin(const QTreeWidgetItem *node, const QTreeWidgetItem *ancestor);

// The library's tree view: framed painting and state colours, a selection outline that stays
// visible while the tree is unfocused, wheel scrolling by the system's line count, and a node
// context menu that its handler may replace or cancel.
class TKxCustomTreeView : public FramedWidget<QTreeWidget> {
    Q_OBJECT
    FRAMED_CONTROL_PROPERTIES

public:
    explicit TKxCustomTreeView(QWidget *parent = nullptr);
    ~TKxCustomTreeView() override;

    // Selecting a node expands it and collapses the branch selected before; excludes
    // SelectOnToggle.
    virtual bool AutoExpand() const { return m_autoExpand; }
    virtual void SetAutoExpand(bool value);
    bool RightClickSelect() const { return m_rightClickSelect; }
    void SetRightClickSelect(bool value) { m_rightClickSelect = value; }
    // Expanding or collapsing a node selects it; excludes AutoExpand.
    bool SelectOnToggle() const { return m_selectOnToggle; }
    virtual void SetSelectOnToggle(bool value);
    QPen SelectionFramePen() const { return m_selectionFramePen; }
    virtual void SetSelectionFramePen(const QPen &value);
    // Off: the selected node keeps an outline while the tree is unfocused.
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    QMenu *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu *menu) { m_popupMenu = menu; }

    // The running right-click's node with RightClickSelect, else the current node.
    QTreeWidgetItem *SelectedNode() const;
    void SelectNode(QTreeWidgetItem *node);
    // The rect of a node's text (its label, without the icon) in viewport coordinates.
    QRect NodeTextRect(QTreeWidgetItem *node) const;

    TKxTvOnNodeContextMenuEvent OnNodeContextMenu;

protected:
    virtual void ShowMenuForSelection();
    virtual void ShowNodeMenu(QTreeWidgetItem *node, const QPoint &pos);
    // Fires OnNodeContextMenu; descendants show their own menus here.
    virtual void DoNodeContextMenu(QTreeWidgetItem *node, QPoint &pos, QMenu *&menu);
    // Pops the menu up at a point in global coordinates; tests record it instead.
    virtual void PopupMenuAt(QMenu *menu, const QPoint &globalPos);

    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool KeyTakenBeforeKeyDown(QKeyEvent &event) override;
    void KeyDown(QKeyEvent &event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void ShowMenu(QMenu *menu, const QPoint &pos);
    void NodeToggled(QTreeWidgetItem *node);
    void CurrentNodeChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void PaintSelectionOutline();

    bool m_autoExpand = false;
    bool m_rightClickSelect = false;
    bool m_selectOnToggle = false;
    bool m_hideSelection = true;
    QPen m_selectionFramePen;
    QMenu *m_popupMenu = nullptr;
    QTreeWidgetItem *m_rightClickNode = nullptr;
    bool m_menuHandled = false;
};
