#include "controls/framed/tkxlistbox.h"

#include "controls/framed/dialogkeys.h"
#include "controls/framed/listrows.h"
#include "controls/framed/tkxlistboxdelegate.h"
#include "controls/framework/controlservices.h"
#include "controls/painting/gradient.h"
#include "controls/painting/schemecolors.h"
#include "controls/painting/textflags.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int kSearchResetMilliseconds = 1500;

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

TKxListBox::TKxListBox(QWidget *parent)
    : FramedWidget(parent) {
    // A frame of the border's width keeps the scroll bars and rows inside it.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(kBorderWidth);
    setItemDelegate(new TKxListBoxDelegate(this));
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    m_groupFont = font();
    m_groupFont.setBold(true);
    m_searchTimer.setSingleShot(true);
    m_searchTimer.setInterval(kSearchResetMilliseconds);
    connect(&m_searchTimer, &QTimer::timeout, this, [this] { SearchTimerExpired(); });
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { RowsChanged(); });
    connect(model(), &QAbstractItemModel::rowsRemoved, this, [this] {
        RowsChanged();
        if (OnDeleteItems)
            CallGuarded([this] { OnDeleteItems(this); });
    });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { RowsChanged(); });
    UpdateSelectionMode();
}

TKxListBox::~TKxListBox() {
    // The list widget empties its model while it is destroyed; this part is gone by then.
    model()->disconnect(this);
}

int TKxListBox::AddListText(const QString &text) {
    addItem(text);
    return count() - 1;
}

int TKxListBox::ListTextIndex(const QString &text) const {
    return ExactTextRow(RowTexts(), text);
}

void TKxListBox::SelectAllItems() {
    if (m_multiSelect)
        selectAll();
}

int TKxListBox::ItemIndex() const {
    return currentRow();
}

void TKxListBox::SetItemIndex(int index) {
    const QModelIndex target = model()->index(index, 0);
    if (m_multiSelect) {
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
        return;
    }
    if (target.isValid()) {
        setCurrentRow(index);
    } else {
        clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void TKxListBox::SetMultiSelect(bool value) {
    if (m_multiSelect == value)
        return;
    m_multiSelect = value;
    UpdateSelectionMode();
}

void TKxListBox::SetExtendedSelect(bool value) {
    if (m_extendedSelect == value)
        return;
    m_extendedSelect = value;
    UpdateSelectionMode();
}

void TKxListBox::SetItemHeight(int value) {
    if (m_itemHeight == value || value <= 0)
        return;
    m_itemHeight = value;
    scheduleDelayedItemsLayout();
}

void TKxListBox::SetHorzExtent(std::uint16_t value) {
    if (m_horzExtent == value)
        return;
    m_horzExtent = value;
    scheduleDelayedItemsLayout();
}

void TKxListBox::SetHorzScrollBar(bool value) {
    if (m_horzScrollBar == value)
        return;
    m_horzScrollBar = value;
    setHorizontalScrollBarPolicy(value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (value && !IsLoading())
        FitHorzExtent();
}

void TKxListBox::SetOwnerDrawIndent(int value) {
    if (m_ownerDrawIndent == value)
        return;
    m_ownerDrawIndent = value;
    viewport()->update();
}

void TKxListBox::SetShowGroups(bool value) {
    if (m_showGroups == value)
        return;
    m_showGroups = value;
    if (value)
        FitItemHeight();
    viewport()->update();
}

void TKxListBox::SetGroupPrefix(const QString &value) {
    if (m_groupPrefix == value)
        return;
    m_groupPrefix = value;
    viewport()->update();
}

void TKxListBox::SetGroupColor(TColor value) {
    if (m_groupColor == value)
        return;
    m_groupColor = value;
    viewport()->update();
}

void TKxListBox::SetGroupFont(const QFont &value) {
    if (m_groupFont == value)
        return;
    m_groupFont = value;
    viewport()->update();
}

void TKxListBox::SetGroupFontColor(TColor value) {
    if (m_groupFontColor == value)
        return;
    m_groupFontColor = value;
    viewport()->update();
}

void TKxListBox::SetUseGradients(bool value) {
    if (m_useGradients == value)
        return;
    m_useGradients = value;
    viewport()->update();
}

int TKxListBox::FindPrefixItem(const QString &text) const {
    return FindPrefixRow(RowTexts(), text);
}

bool TKxListBox::IsGroupRow(int index) const {
    const QListWidgetItem *row = item(index);
    return row != nullptr && IsGroupText(row->text(), m_groupPrefix);
}

int TKxListBox::FindGroupRowAbove(int index) const {
    return GroupRowAbove(RowTexts(), m_groupPrefix, index);
}

bool TKxListBox::HasGroupRowAbove(int index) const {
    return FindGroupRowAbove(index) != -1;
}

int TKxListBox::GroupRowOrdinal(int index) const {
    return ::GroupRowOrdinal(RowTexts(), m_groupPrefix, index);
}

void TKxListBox::FitItemHeight() {
    SetItemHeight(FontTextHeight(font()));
}

void TKxListBox::FitHorzExtent() {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString &text : RowTexts())
        widest = std::max(widest, metrics.horizontalAdvance(text + QLatin1Char('x')));
    SetHorzExtent(std::uint16_t(std::min(widest, 0xFFFF)));
}

void TKxListBox::Loaded() {
    FramedControl::Loaded();
    if (m_horzScrollBar)
        FitHorzExtent();
}

void TKxListBox::PaintRow(QPainter &painter, const QRect &rect, int row, QStyle::State state) {
    const bool group = m_showGroups && IsGroupRow(row);
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    QRect area = rect;
    if (!group) {
        const int indent = ItemIndentValue();
        area.adjust(rightToLeft ? 0 : indent, 0, rightToLeft ? -indent : 0, 0);
    }
    const QPalette palette = SystemPalette(this);
    const bool selected = state.testFlag(QStyle::State_Selected);
    painter.setBrush((selected ? clHighlight : Color()).Resolve(palette));
    painter.setPen((selected ? clHighlightText : clWindowText).Resolve(palette));
    painter.setFont(font());
    if (group)
        DrawGroupRow(painter, row, area, state);
    else
        DrawListItem(painter, row, area, state);
    if (state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect;
        focus.backgroundColor = painter.brush().color();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

int TKxListBox::ItemIndentValue() const {
    return m_ownerDrawIndent;
}

void TKxListBox::DrawListItem(QPainter &painter, int index, const QRect &rect,
                              QStyle::State state) {
    if (OnDrawItem)
        OnDrawItem(this, painter, index, rect, state);
    else
        DefaultDrawListItem(painter, index, rect);
}

void TKxListBox::DrawGroupRow(QPainter &painter, int index, const QRect &rect,
                              QStyle::State state) {
    const QPalette palette = SystemPalette(this);
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    QColor text = ThemesActive() ? ThemedSchemeColor(tcGroupText, palette)
                                 : m_groupFontColor.Resolve(palette);
    const QColor fill =
        ThemesActive() ? ThemedSchemeColor(tcGroupFill, palette) : m_groupColor.Resolve(palette);
    if (state.testFlag(QStyle::State_Selected)) {
        text = clHighlightText.Resolve(palette);
        painter.fillRect(rect, clHighlight.Resolve(palette));
    } else if (m_useGradients && FullColorDisplay()) {
        // gdVerticalEnd puts its first colour at the right edge.
        const QColor list = Color().Resolve(palette);
        FillGradientRect(painter, rect, gdVerticalEnd, 1, rightToLeft ? fill : list,
                         rightToLeft ? list : fill);
    } else {
        painter.fillRect(rect, fill);
    }
    const QListWidgetItem *row = item(index);
    if (row == nullptr)
        return;
    const QString caption = row->text().mid(m_groupPrefix.size());
    painter.setFont(m_groupFont);
    painter.setPen(text);
    const int down = (m_itemHeight - QFontMetrics(m_groupFont).height()) / 2;
    const QRect textRect = rect.adjusted(rightToLeft ? 0 : 2, down, rightToLeft ? -2 : 0, 0);
    painter.save();
    painter.setClipRect(rect);
    painter.drawText(textRect,
                     (rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop |
                         Qt::TextSingleLine,
                     caption);
    painter.restore();
}

void TKxListBox::DefaultDrawListItem(QPainter &painter, int index, const QRect &rect) {
    painter.fillRect(rect, painter.brush());
    const QListWidgetItem *row = item(index);
    if (row == nullptr)
        return;
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    const QRect textRect = rect.adjusted(rightToLeft ? 0 : 2, 0, rightToLeft ? -2 : 0, 0);
    DrawTextWithFlags(painter, textRect, row->text(),
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                          (rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT));
}

void TKxListBox::Click() {
    if (OnClick)
        OnClick(this);
}

void TKxListBox::SearchTimerExpired() {
    if (!m_keyInProgress)
        m_searchText.clear();
}

bool TKxListBox::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_hint || m_hint == nullptr)
        return FramedWidget<QListWidget>::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        // The hint lies over its row and takes the pointer: what the mouse does on it, it does
        // on the row.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        QMouseEvent onRow(mouse->type(), viewport()->mapFromGlobal(mouse->globalPosition()),
                          mouse->globalPosition(), mouse->button(), mouse->buttons(),
                          mouse->modifiers());
        QCoreApplication::sendEvent(viewport(), &onRow);
        return true;
    }
    case QEvent::Leave:
        leaveEvent(event);
        break;
    default:
        break;
    }
    return false;
}

bool TKxListBox::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::MouseMove && m_showItemHints)
        UpdateItemHint(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QListWidget::viewportEvent(event);
}

void TKxListBox::KeyDown(QKeyEvent &event) {
    if (IsNavigationKey(event.key()))
        m_searchText.clear();
    QChar ch = KeyEventChar(event);
    // Enter moves the focus on with TabOnEnter; otherwise the window's buttons come first.
    if (!(ch.unicode() == 13 && m_tabOnEnter) && ClickDialogButton(*this, event))
        return;
    if (!ch.isNull() && OnKeyPress) {
        OnKeyPress(this, ch);
        if (ch.isNull())
            return;
    }
    const int before = currentRow();
    m_clickedByKey = false;
    if (!HandleSearchChar(ch))
        QListWidget::keyPressEvent(&event);
    if (!m_clickedByKey && currentRow() != before)
        Click();
}

bool TKxListBox::HandleSearchChar(QChar ch) {
    const char16_t code = ch.unicode();
    if (code == 13) {
        if (!m_tabOnEnter)
            return false;
        focusNextChild();
        return true;
    }
    if (code == 27) {
        m_searchText.clear();
        SetItemIndex(-1);
        return true;
    }
    if (!m_incrementalSearch)
        return false;
    const bool blankAllowed = !m_multiSelect || m_extendedSelect;
    if (code >= 32 && (code != 32 || blankAllowed)) {
        m_keyInProgress = true;
        MatchStep(m_searchText + ch);
        m_searchTimer.start();
        m_keyInProgress = false;
        return true;
    }
    if (code != 8)
        return false;
    if (m_searchText.isEmpty()) {
        if (m_beepOnInvalidKey)
            SystemBeep();
        MatchStep(QString());
        return true;
    }
    const QString rest = m_searchText.left(m_searchText.size() - 1);
    if (!rest.isEmpty()) {
        MatchStep(rest);
        return true;
    }
    SetItemIndex(0);
    Click();
    m_clickedByKey = true;
    m_searchText.clear();
    return true;
}

void TKxListBox::MatchStep(const QString &candidate) {
    const int found = FindPrefixItem(candidate);
    if (found < 0) {
        if (m_beepOnInvalidKey)
            SystemBeep();
        return;
    }
    if (m_multiSelect) {
        if (QListWidgetItem *previous = item(ItemIndex()))
            previous->setSelected(false);
        item(found)->setSelected(true);
        SetItemIndex(found);
    } else {
        SetItemIndex(found);
    }
    m_searchText = candidate;
    if (OnMatch)
        OnMatch(this);
}

void TKxListBox::mousePressEvent(QMouseEvent *event) {
    m_searchText.clear();
    QListWidget::mousePressEvent(event);
}

void TKxListBox::mouseReleaseEvent(QMouseEvent *event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        CallGuarded([this] { Click(); });
}

void TKxListBox::mouseDoubleClickEvent(QMouseEvent *event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (OnDblClick)
        CallGuarded([this] { OnDblClick(this); });
}

void TKxListBox::leaveEvent(QEvent *event) {
    QListWidget::leaveEvent(event);
    // The pointer that went over the hint is still on the hint's row.
    if (m_hintRow < 0 || indexAt(viewport()->mapFromGlobal(QCursor::pos())).row() != m_hintRow)
        HideItemHint();
}

void TKxListBox::changeEvent(QEvent *event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        if (m_showGroups)
            FitItemHeight();
        if (m_horzScrollBar)
            FitHorzExtent();
    }
}

QStringList TKxListBox::RowTexts() const {
    QStringList texts;
    texts.reserve(count());
    for (int i = 0; i < count(); ++i)
        texts.append(item(i)->text());
    return texts;
}

void TKxListBox::UpdateSelectionMode() {
    if (!m_multiSelect)
        setSelectionMode(QAbstractItemView::SingleSelection);
    else if (m_extendedSelect)
        setSelectionMode(QAbstractItemView::ExtendedSelection);
    else
        setSelectionMode(QAbstractItemView::MultiSelection);
}

void TKxListBox::RowsChanged() {
    if (m_horzScrollBar && !IsLoading())
        FitHorzExtent();
}

void TKxListBox::UpdateItemHint(const QPoint &position) {
    const QModelIndex index = indexAt(position);
    const QListWidgetItem *row = item(index.row());
    const bool foreground = QApplication::activeWindow() != nullptr;
    if (row == nullptr || !foreground ||
        fontMetrics().horizontalAdvance(row->text()) <= viewport()->width() - 2) {
        HideItemHint();
        return;
    }
    if (m_hintRow == index.row() && m_hint != nullptr && m_hint->isVisible())
        return;
    m_hintRow = index.row();
    if (m_hint == nullptr) {
        m_hint = new QLabel(this, Qt::ToolTip | Qt::BypassGraphicsProxyWidget);
        m_hint->installEventFilter(this);
        m_hint->setTextFormat(Qt::PlainText);
        m_hint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_hint->setAutoFillBackground(true);
        m_hint->setPalette(QToolTip::palette());
        // The text sits where the row draws it, 2 pixels in.
        m_hint->setContentsMargins(3, 0, 2, 0);
    }
    QString text = row->text();
    text.replace(QLatin1Char('\t'), QStringLiteral("        "));
    m_hint->setFont(font());
    m_hint->setText(text);
    // Over the row: one pixel left of it and two above, the text vertically centred as the row's.
    const QRect rowRect = visualRect(index);
    const QPoint place = viewport()->mapToGlobal(rowRect.topLeft() - QPoint(1, 2));
    m_hint->setGeometry(place.x(), place.y(), m_hint->fontMetrics().horizontalAdvance(text) + 5,
                        rowRect.height() + 4);
    m_hint->show();
}

void TKxListBox::HideItemHint() {
    if (m_hint != nullptr)
        m_hint->hide();
    m_hintRow = -1;
}
