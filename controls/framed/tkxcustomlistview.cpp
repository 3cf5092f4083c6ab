#include "controls/framed/tkxcustomlistview.h"

#include "controls/framed/tkxlistviewheader.h"
#include "controls/framework/controlservices.h"
#include "controls/painting/framepainting.h"
#include "controls/painting/itemlabel.h"
#include "controls/painting/listviewlayout.h"
#include "controls/painting/textflags.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QWheelEvent>

#include <algorithm>
#include <vector>

namespace {

// The check state the list last confirmed for an item.
constexpr int kConfirmedCheckRole = Qt::UserRole + 0x4B58;
// Space between a caption and its sort arrow.
constexpr int kArrowGap = 5;

unsigned HorizontalTextFlag(int alignment) {
    if (alignment & Qt::AlignRight)
        return DT_RIGHT;
    if (alignment & Qt::AlignHCenter)
        return DT_CENTER;
    return DT_LEFT;
}

} // namespace

TKxCustomListView::TKxCustomListView(QWidget *parent)
    : FramedWidget(parent)
    , m_header(new TKxListViewHeader(this)) {
    // A frame of the border's width keeps the scroll bars and items inside it.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderWidth);
    setHeader(m_header);
    m_header->setStretchLastSection(false);
    m_header->setSortIndicatorShown(false);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSortingEnabled(false);
    // The list sorts by itself; turning the tree's sorting off also made the headers unclickable.
    m_header->setSectionsClickable(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    viewport()->setMouseTracking(true);
    connect(m_header, &QHeaderView::sectionClicked, this,
            [this](int column) { CallGuarded([&] { ColumnClick(column); }); });
    connect(m_header, &QHeaderView::sectionResized, this, [this](int column) {
        if (FrameVisible())
            InvalidateFrame();
        if (!m_stretching && column != columnCount() - 1)
            StretchLastColumn();
    });
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this,
            [this] { StretchLastColumn(); });
    connect(m_header, &QHeaderView::sectionCountChanged, this, [this] { StretchLastColumn(); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item, int column) {
        CallGuarded([&] { ItemChanged(item, column); });
    });
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { ItemsInserted(first, last); });
}

TKxCustomListView::~TKxCustomListView() {
    // The tree widget deletes its items while it is destroyed; this part is gone by then.
    model()->disconnect(this);
    disconnect(this, nullptr, this, nullptr);
    m_header->disconnect(this);
}

void TKxCustomListView::SetSortArrowColumn(int column) {
    if (m_sortArrowColumn == column)
        return;
    const int old = m_sortArrowColumn;
    m_sortArrowColumn = column;
    InvalidateHeaderSection(old);
    InvalidateHeaderSection(column);
}

void TKxCustomListView::SetSortDirection(TSortDirection value) {
    if (m_sortDirection == value)
        return;
    m_sortDirection = value;
    InvalidateHeaderSection(m_sortArrowColumn);
    viewport()->update();
}

void TKxCustomListView::SortByColumn(int column, TSortDirection direction) {
    if (column < 0)
        return;
    QTreeWidgetItem *current = currentItem();
    const QList<QTreeWidgetItem *> selected = selectedItems();
    std::vector<QTreeWidgetItem *> items;
    items.reserve(std::size_t(topLevelItemCount()));
    while (topLevelItemCount() > 0)
        items.push_back(takeTopLevelItem(0));
    const int sign = direction == sdAscending ? 1 : -1;
    std::stable_sort(items.begin(), items.end(), [&](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return sign * CompareListTexts(a->text(column), b->text(column)) < 0;
    });
    for (QTreeWidgetItem *item : items)
        addTopLevelItem(item);
    if (current != nullptr)
        setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem *item : selected)
        item->setSelected(true);
}

void TKxCustomListView::SetLastColumnFills(bool value) {
    if (m_lastColumnFills == value)
        return;
    m_lastColumnFills = value;
    StretchLastColumn();
}

void TKxCustomListView::StretchLastColumn() {
    const int count = columnCount();
    if (!m_lastColumnFills || count == 0 || m_stretching)
        return;
    std::vector<int> widths;
    widths.reserve(std::size_t(count));
    for (int column = 0; column < count; ++column)
        widths.push_back(m_header->sectionSize(column));
    int available = viewport()->width();
    // Leaves room for the vertical scroll bar that the first items may bring.
    if ((topLevelItemCount() == 0 || m_stretchingWhileLoading) && !verticalScrollBar()->isVisible())
        available -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int width = StretchedLastColumnWidth(widths, available);
    if (width < 0)
        return;
    m_stretching = true;
    m_header->resizeSection(count - 1, width);
    m_stretching = false;
}

void TKxCustomListView::SetCheckboxes(bool value) {
    if (m_checkboxes == value)
        return;
    m_checkboxes = value;
    m_checkBookkeeping = true;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = topLevelItem(row);
        if (value) {
            PrepareCheckbox(item);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setData(0, Qt::CheckStateRole, QVariant());
            item->setData(0, kConfirmedCheckRole, QVariant());
        }
    }
    m_checkBookkeeping = false;
}

QRect TKxCustomListView::ItemIconRect(QTreeWidgetItem *item) const {
    if (item == nullptr)
        return QRect();
    const QRect cell = visualItemRect(item);
    const int width = iconSize().isValid()
                          ? iconSize().width()
                          : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    return QRect(cell.left(), cell.top(), std::min(width, cell.width()), cell.height());
}

QRect TKxCustomListView::ItemLabelRect(QTreeWidgetItem *item) const {
    if (item == nullptr)
        return QRect();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return ItemLabelArea(*this, option, indexFromItem(item, 0));
}

void TKxCustomListView::DrawHeaderItem(QPainter &painter, const QRect &rect, int column) {
    const QPalette palette = SystemPalette(this);
    const bool themed = ThemesActive();
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(font());
    QRect text = rect;
    if (themed) {
        QStyleOptionHeader option;
        option.initFrom(m_header);
        option.rect = rect;
        option.section = column;
        option.state |= QStyle::State_Raised;
        if (column == m_header->HotColumn()) {
            option.state |=
                m_header->LeftButtonDown() ? QStyle::State_Sunken : QStyle::State_MouseOver;
        }
        style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, m_header);
        text.adjust(2, 2, -2, -2);
    } else {
        painter.fillRect(rect, clBtnFace.Resolve(palette));
        text = PaintStyledBorder(painter, palette, rect, fsButtonUp, TSides::All());
    }
    text.adjust(4, 0, -4, 0);
    const QTreeWidgetItem *columns = headerItem();
    const QString caption = columns->text(column);
    const QIcon icon = columns->icon(column);
    if (!icon.isNull()) {
        const QSize size = iconSize().isValid() ? iconSize() : QSize(16, 16);
        icon.paint(&painter, QRect(text.topLeft(), size));
        text.setLeft(text.left() + size.width() + 4);
    }
    const unsigned alignment = HorizontalTextFlag(columns->textAlignment(column));
    painter.setPen(palette.color(QPalette::ButtonText));
    if (column == m_sortArrowColumn) {
        const QFontMetrics metrics(font());
        QRect box;
        if (alignment == DT_LEFT) {
            const QRect extent(text.left(), text.top(),
                               std::min(metrics.horizontalAdvance(caption), text.width()),
                               metrics.height());
            box = SortArrowBox(extent.translated(extent.width() + kArrowGap, 0));
        } else {
            const QRect line(text.left(), text.top(), text.width(), metrics.height());
            box = SortArrowBox(line);
            box.translate(text.width() - box.width() - kArrowGap, 0);
        }
        if (SortArrowFits(box, m_header->sectionSize(column))) {
            const QColor shadow = clBtnShadow.Resolve(palette);
            const auto corners = SortArrowTriangle(box, m_sortDirection == sdAscending);
            painter.save();
            painter.setPen(shadow);
            painter.setBrush(shadow);
            painter.drawPolygon(corners.data(), int(corners.size()));
            painter.restore();
            if (alignment == DT_RIGHT)
                text.setRight(box.left() - kArrowGap - 1);
            else if (alignment == DT_CENTER)
                text.adjust(box.width() + kArrowGap, 0, -(box.width() + kArrowGap), 0);
        }
    }
    DrawTextWithFlags(painter, text, caption,
                      alignment | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    painter.restore();
}

void TKxCustomListView::Loaded() {
    FramedControl::Loaded();
    if (FrameHotTrack())
        InvalidateFrame();
    m_stretchingWhileLoading = true;
    StretchLastColumn();
    m_stretchingWhileLoading = false;
}

void TKxCustomListView::DoItemCheckChanged(QTreeWidgetItem *item) {
    if (OnItemCheckChanged)
        OnItemCheckChanged(this, item);
}

bool TKxCustomListView::DoItemCheckChanging(QTreeWidgetItem *item, bool checked) {
    bool allow = true;
    if (OnItemCheckChanging)
        OnItemCheckChanging(this, item, checked, allow);
    return allow;
}

void TKxCustomListView::ShowKeyboardContextMenu(const QPoint &pos) {
    QTreeWidgetItem *focused = currentItem();
    if (focused == nullptr || m_rightClickOnItem) {
        if (m_rightClickOnItem)
            PopupContextMenu(pos);
        else
            ShowOwnMenu(pos);
        return;
    }
    QTreeWidgetItem *target = nullptr;
    if (focused->isSelected())
        target = focused;
    else if (!selectedItems().isEmpty())
        target = selectedItems().first();
    if (target != nullptr)
        PopupContextMenu(ItemIconRect(target).center());
    else
        ShowOwnMenu(pos);
}

void TKxCustomListView::PopupContextMenu(const QPoint &pos) {
    QMenu *menu = m_popupMenu;
    QPoint point = pos;
    DoItemMenu(currentItem(), point, menu);
    m_menuShown = true;
    if (menu != nullptr)
        PopupMenuAt(menu, viewport()->mapToGlobal(point));
}

void TKxCustomListView::DoItemMenu(QTreeWidgetItem *item, QPoint &pos, QMenu *&menu) {
    if (OnItemMenu)
        OnItemMenu(this, item, pos, menu);
}

void TKxCustomListView::ColumnClick(int column) {
    if (m_sortOnColumnClick) {
        const ColumnSort sort = ColumnClickSort(m_lastAscendingColumn, column);
        SetSortArrowColumn(sort.arrowColumn);
        const TSortDirection direction = sort.ascending ? sdAscending : sdDescending;
        SetSortDirection(direction);
        SortByColumn(column, direction);
        m_lastAscendingColumn = sort.lastAscending;
    }
    if (OnColumnClick)
        OnColumnClick(this, column);
}

void TKxCustomListView::PopupMenuAt(QMenu *menu, const QPoint &globalPos) {
    menu->popup(globalPos);
}

void TKxCustomListView::ShowOwnMenu(const QPoint &pos) {
    if (m_popupMenu == nullptr)
        return;
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    PopupMenuAt(m_popupMenu, viewport()->mapToGlobal(pos));
    m_menuShown = true;
}

void TKxCustomListView::InvalidateHeaderSection(int column) {
    if (column < 0 || column >= columnCount())
        return;
    const int left = m_header->sectionViewportPosition(column);
    m_header->viewport()->update(left, 0, m_header->sectionSize(column), m_header->height());
}

void TKxCustomListView::ItemChanged(QTreeWidgetItem *item, int column) {
    if (!m_checkboxes || m_checkBookkeeping || column != 0)
        return;
    const QVariant state = item->data(0, Qt::CheckStateRole);
    if (!state.isValid())
        return;
    const bool checked = state.toInt() == Qt::Checked;
    const QVariant confirmed = item->data(0, kConfirmedCheckRole);
    if (confirmed.isValid() && confirmed.toBool() == checked)
        return;
    m_checkBookkeeping = true;
    if (confirmed.isValid() && !DoItemCheckChanging(item, checked)) {
        item->setCheckState(0, checked ? Qt::Unchecked : Qt::Checked);
        m_checkBookkeeping = false;
        return;
    }
    item->setData(0, kConfirmedCheckRole, checked);
    m_checkBookkeeping = false;
    if (confirmed.isValid())
        DoItemCheckChanged(item);
}

void TKxCustomListView::PrepareCheckbox(QTreeWidgetItem *item) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    if (!item->data(0, Qt::CheckStateRole).isValid())
        item->setCheckState(0, Qt::Unchecked);
    item->setData(0, kConfirmedCheckRole, item->checkState(0) == Qt::Checked);
}

void TKxCustomListView::ItemsInserted(int first, int last) {
    if (!m_checkboxes || m_checkBookkeeping)
        return;
    m_checkBookkeeping = true;
    for (int row = first; row <= last; ++row) {
        if (QTreeWidgetItem *item = topLevelItem(row))
            PrepareCheckbox(item);
    }
    m_checkBookkeeping = false;
}

bool TKxCustomListView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) {
    if (index.column() != 0)
        return false;
    const bool mouse = event != nullptr && (event->type() == QEvent::MouseButtonPress ||
                                            event->type() == QEvent::MouseButtonRelease ||
                                            event->type() == QEvent::MouseButtonDblClick);
    if (mouse && selectionBehavior() == QAbstractItemView::SelectRows &&
        !ItemLabelRect(itemFromIndex(index))
             .contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

bool TKxCustomListView::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::MouseMove && ThemesActive())
        m_header->SetHotColumn(-1);
    return QTreeWidget::viewportEvent(event);
}

void TKxCustomListView::mousePressEvent(QMouseEvent *event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    CallGuarded([&] {
        const QPoint pos = event->position().toPoint();
        m_rightClickOnItem = itemAt(pos) != nullptr;
        ShowKeyboardContextMenu(pos);
        m_rightClickOnItem = false;
    });
}

void TKxCustomListView::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton)
        m_menuShown = false;
    QTreeWidget::mouseReleaseEvent(event);
}

void TKxCustomListView::contextMenuEvent(QContextMenuEvent *event) {
    event->accept();
    if (m_menuShown || (currentItem() == nullptr && selectedItems().isEmpty()))
        return;
    CallGuarded([&] {
        if (event->reason() == QContextMenuEvent::Keyboard)
            ShowKeyboardContextMenu(QPoint(0, 0));
        else
            PopupContextMenu(viewport()->mapFromGlobal(event->globalPos()));
    });
}

// The menu keys show the menu and go no further.
bool TKxCustomListView::KeyTakenBeforeKeyDown(QKeyEvent &event) {
    if (!IsContextMenuKey(event))
        return false;
    event.accept();
    ShowKeyboardContextMenu(QPoint(0, 0));
    return true;
}

void TKxCustomListView::wheelEvent(QWheelEvent *event) {
    const int delta = event->angleDelta().y();
    event->accept();
    if (delta == 0)
        return;
    QScrollBar *bar = verticalScrollBar();
    const int step = ListWheelScrollPixels(QApplication::wheelScrollLines());
    bar->setValue(bar->value() + (delta < 0 ? step : -step));
}

void TKxCustomListView::resizeEvent(QResizeEvent *event) {
    QTreeWidget::resizeEvent(event);
    if (FrameVisible() && !UsesThemedFrame())
        InvalidateFrame();
    StretchLastColumn();
}
