#include "controls/framed/tkxcustomtreeview.h"

#include "controls/framework/controlservices.h"
#include "controls/painting/itemlabel.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

int TreeWheelScrollPosition(int position, int lines, bool down) {
    return down ? position + lines : std::max(0, position - lines);
}

bool IsNodeWithin(const QTreeWidgetItem *node, const QTreeWidgetItem *ancestor) {
    for (const QTreeWidgetItem *up = node; up != nullptr; up = up->parent()) {
        if (up == ancestor)
            return true;
    }
    return false;
}

TKxCustomTreeView::TKxCustomTreeView(QWidget *parent)
    : FramedWidget(parent)
    , m_selectionFramePen(clBtnShadow.Resolve(SystemPalette(this)), 1, Qt::SolidLine) {
    // A frame of the border's width keeps the scroll bars and nodes inside it.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderWidth);
    setHeaderHidden(true);
    setColumnCount(1);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(this, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *node) { CallGuarded([&] { NodeToggled(node); }); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *node) { CallGuarded([&] { NodeToggled(node); }); });
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current, QTreeWidgetItem *previous) {
                CallGuarded([&] { CurrentNodeChanged(current, previous); });
            });
}

TKxCustomTreeView::~TKxCustomTreeView() {
    // The tree widget deletes its nodes while it is destroyed; this part is gone by then.
    disconnect(this, nullptr, this, nullptr);
}

void TKxCustomTreeView::SetAutoExpand(bool value) {
    if (m_autoExpand == value)
        return;
    m_autoExpand = value;
    if (value)
        m_selectOnToggle = false;
}

void TKxCustomTreeView::SetSelectOnToggle(bool value) {
    if (m_selectOnToggle == value)
        return;
    m_selectOnToggle = value;
    if (value)
        SetAutoExpand(false);
}

void TKxCustomTreeView::SetSelectionFramePen(const QPen &value) {
    if (m_selectionFramePen == value)
        return;
    m_selectionFramePen = value;
    viewport()->update();
}

void TKxCustomTreeView::SetHideSelection(bool value) {
    if (m_hideSelection == value)
        return;
    m_hideSelection = value;
    viewport()->update();
}

QTreeWidgetItem *TKxCustomTreeView::SelectedNode() const {
    if (m_rightClickSelect && m_rightClickNode != nullptr)
        return m_rightClickNode;
    return currentItem();
}

void TKxCustomTreeView::SelectNode(QTreeWidgetItem *node) {
    setCurrentItem(node);
}

QRect TKxCustomTreeView::NodeTextRect(QTreeWidgetItem *node) const {
    if (node == nullptr)
        return QRect();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QRect label = ItemLabelArea(*this, option, indexFromItem(node, 0));
    // The label ends with its text and the margins the style draws it with, not with the row.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int width = fontMetrics().horizontalAdvance(node->text(0)) + 2 * margin;
    return QRect(label.left(), label.top(), std::min(width, label.width()), label.height());
}

void TKxCustomTreeView::ShowMenuForSelection() {
    if (QTreeWidgetItem *node = currentItem()) {
        ShowNodeMenu(node, NodeTextRect(node).center());
        return;
    }
    if (m_popupMenu != nullptr)
        PopupMenuAt(m_popupMenu, viewport()->mapToGlobal(QPoint(0, 0)));
}

void TKxCustomTreeView::ShowNodeMenu(QTreeWidgetItem *node, const QPoint &pos) {
    QMenu *menu = m_popupMenu;
    QPoint point = pos;
    DoNodeContextMenu(node, point, menu);
    if (menu != m_popupMenu)
        m_menuHandled = true;
    ShowMenu(menu, point);
}

void TKxCustomTreeView::DoNodeContextMenu(QTreeWidgetItem *node, QPoint &pos, QMenu *&menu) {
    if (OnNodeContextMenu)
        OnNodeContextMenu(this, node, pos, menu);
}

void TKxCustomTreeView::PopupMenuAt(QMenu *menu, const QPoint &globalPos) {
    menu->popup(globalPos);
}

void TKxCustomTreeView::ShowMenu(QMenu *menu, const QPoint &pos) {
    if (menu == nullptr)
        return;
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    PopupMenuAt(menu, viewport()->mapToGlobal(pos));
}

void TKxCustomTreeView::NodeToggled(QTreeWidgetItem *node) {
    if (m_selectOnToggle && node != currentItem())
        setCurrentItem(node);
}

void TKxCustomTreeView::CurrentNodeChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous) {
    if (!m_autoExpand)
        return;
    // The branch selected before closes up to the first node it shares with the new one.
    for (QTreeWidgetItem *up = previous; up != nullptr && !IsNodeWithin(current, up);
         up = up->parent())
        up->setExpanded(false);
    if (current != nullptr)
        current->setExpanded(true);
}

bool TKxCustomTreeView::viewportEvent(QEvent *event) {
    const bool result = QTreeWidget::viewportEvent(event);
    if (event->type() == QEvent::Paint)
        CallGuarded([this] { PaintSelectionOutline(); });
    return result;
}

void TKxCustomTreeView::PaintSelectionOutline() {
    QTreeWidgetItem *node = currentItem();
    if (m_hideSelection || hasFocus() || node == nullptr || !node->isSelected())
        return;
    QPainter painter(viewport());
    painter.setPen(m_selectionFramePen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(NodeTextRect(node).adjusted(0, 0, -1, -1));
}

void TKxCustomTreeView::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::RightButton) {
        QTreeWidget::mousePressEvent(event);
        return;
    }
    // A right click shows the node's menu without moving the selection.
    CallGuarded([&] {
        const QPoint pos = event->position().toPoint();
        QTreeWidgetItem *node = itemAt(pos);
        m_rightClickNode = node != nullptr ? node : currentItem();
        if (m_rightClickNode != nullptr) {
            QMenu *menu = m_popupMenu;
            QPoint point = pos;
            DoNodeContextMenu(m_rightClickNode, point, menu);
            ShowMenu(menu, point);
        }
        m_rightClickNode = nullptr;
        m_menuHandled = true;
    });
    event->accept();
}

void TKxCustomTreeView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton)
        m_menuHandled = false;
    QTreeWidget::mouseReleaseEvent(event);
}

void TKxCustomTreeView::contextMenuEvent(QContextMenuEvent *event) {
    event->accept();
    // A right click has shown its menu already; with a selected node the keys show it.
    if (m_menuHandled || currentItem() != nullptr)
        return;
    CallGuarded([&] {
        if (event->reason() == QContextMenuEvent::Keyboard)
            ShowMenuForSelection();
        else
            ShowNodeMenu(nullptr, viewport()->mapFromGlobal(event->globalPos()));
    });
}

// The menu keys show the menu first; OnKeyDown still sees them, the tree itself never does.
bool TKxCustomTreeView::KeyTakenBeforeKeyDown(QKeyEvent &event) {
    if (!IsContextMenuKey(event))
        return false;
    event.accept();
    ShowMenuForSelection();
    return false;
}

void TKxCustomTreeView::KeyDown(QKeyEvent &event) {
    if (!IsContextMenuKey(event))
        QTreeWidget::keyPressEvent(&event);
}

void TKxCustomTreeView::wheelEvent(QWheelEvent *event) {
    const int delta = event->angleDelta().y();
    event->accept();
    if (delta == 0)
        return;
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(
        TreeWheelScrollPosition(bar->value(), QApplication::wheelScrollLines(), delta < 0));
}
