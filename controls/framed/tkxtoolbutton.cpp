#include "controls/framed/tkxtoolbutton.h"

#include "controls/framed/tkxtoolbuttonactionlink.h"
#include "controls/framework/buttongroup.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/propertychange.h"
#include "controls/framework/tcustomaction.h"
#include "controls/framework/timagelist.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/framepainting.h"
#include "controls/painting/gradient.h"
#include "controls/painting/paintingservices.h"
#include "controls/painting/schemecolors.h"
#include "controls/painting/textflags.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionToolButton>

#include <algorithm>
#include <utility>

namespace {

// A press this soon after a menu closed was the click that closed it.
constexpr qint64 kMenuCloseMilliseconds = 100;
// A drop-down style adds its arrow part to the width.
constexpr int kDropDownGrowth = kDropArrowWidth;

qint64 SteadyTicks() {
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    // Never 0, which stands for "no menu closed yet".
    return clock.elapsed() + 1;
}

} // namespace

TKxToolButton::TKxToolButton(QWidget *parent)
    : QWidget(parent)
    , m_ticks(SteadyTicks) {
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    resize(25, 25);
    if (!isEnabled())
        m_input.tool = tbsDisabled;
}

TKxToolButton::~TKxToolButton() = default;

void TKxToolButton::SetCaption(const QString &caption) {
    if (m_caption == caption)
        return;
    m_caption = caption;
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    m_shortcutId = grabShortcut(QKeySequence::mnemonic(caption));
    update();
}

void TKxToolButton::SetColor(TColor value) {
    ChangeAndRepaint(*this, m_color, value);
}

TCustomAction *TKxToolButton::Action() const {
    return m_actionLink ? m_actionLink->Action() : nullptr;
}

void TKxToolButton::SetAction(TCustomAction *action) {
    if (action == Action())
        return;
    m_actionLink.reset();
    if (action == nullptr)
        return;
    m_actionLink = std::make_unique<TKxToolButtonActionLink>(this, action);
    ActionChange(*action, IsLoading());
}

void TKxToolButton::AssignTo(TCustomAction &action) const {
    action.setChecked(m_down);
    action.SetImageIndex(m_imageIndex);
}

void TKxToolButton::ActionChange(TCustomAction &action, bool checkDefaults) {
    ApplyActionToControl(*this, action, checkDefaults);
    if (!checkDefaults || !m_down)
        SetDown(action.isChecked());
    if (!checkDefaults || m_imageIndex == -1)
        SetImageIndex(action.ImageIndex());
}

bool TKxToolButton::IsDownStored() const {
    return !m_actionLink || !m_actionLink->IsCheckedLinked();
}

bool TKxToolButton::IsImageIndexStored() const {
    return !m_actionLink || !m_actionLink->IsImageIndexLinked();
}

void TKxToolButton::SetAllowAllUp(bool value) {
    if (m_allowAllUp == value)
        return;
    m_allowAllUp = value;
    BroadcastGroup();
}

void TKxToolButton::SetAlignment(TAlignment value) {
    ChangeAndRepaint(*this, m_alignment, value);
}

void TKxToolButton::SetGradientColorStyle(TKxGradientColorStyle value) {
    ChangeAndRepaint(*this, m_gradientColorStyle, value);
}

void TKxToolButton::SetSelectionColorStart(TColor value) {
    ChangeAndRepaint(*this, m_selectionColorStart, value);
}

void TKxToolButton::SetSelectionColorStop(TColor value) {
    ChangeAndRepaint(*this, m_selectionColorStop, value);
}

void TKxToolButton::SetSelectionFrameColor(TColor value) {
    ChangeAndRepaint(*this, m_selectionFrameColor, value);
}

void TKxToolButton::SetDown(bool value) {
    if (!DownChangeAllowed(m_groupIndex, m_down, m_allowAllUp, value))
        return;
    m_down = value;
    if (value) {
        if (m_input.tool == tbsUp)
            update();
        m_input.tool = tbsDown;
        BroadcastGroup();
    } else {
        m_input.tool = tbsUp;
        repaint();
    }
}

void TKxToolButton::SetDropDownMenu(QMenu *menu) {
    m_dropDownMenu = menu;
}

void TKxToolButton::SetFlat(bool value) {
    if (m_flat == value)
        return;
    m_flat = value;
    repaint();
}

void TKxToolButton::SetGroupIndex(int value) {
    if (m_toolStyle == tsDropDown)
        value = 0;
    if (m_groupIndex == value)
        return;
    m_groupIndex = value;
    BroadcastGroup();
}

void TKxToolButton::SetHotIndex(int value) {
    ChangeAndRepaint(*this, m_hotIndex, value);
}

void TKxToolButton::SetImageIndex(int value) {
    ChangeAndRepaint(*this, m_imageIndex, value);
}

void TKxToolButton::SetDownIndex(int value) {
    ChangeAndRepaint(*this, m_downIndex, value);
}

void TKxToolButton::SetDisabledIndex(int value) {
    ChangeAndRepaint(*this, m_disabledIndex, value);
}

void TKxToolButton::SetImages(TImageList *images) {
    if (m_images == images)
        return;
    if (m_images)
        disconnect(m_images, nullptr, this, nullptr);
    m_images = images;
    if (images != nullptr) {
        connect(images, &TImageList::Changed, this, [this] {
            FitImages();
            update();
        });
        FitImages();
    }
    update();
}

void TKxToolButton::FitImages() {
    if (m_images)
        resize(GrownToImage(size(), QSize(m_images->Width(), m_images->Height())));
}

void TKxToolButton::SetUseToolbarButtonLayout(bool value) {
    m_useToolbarButtonLayout = value;
}

void TKxToolButton::SetLayout(TButtonLayout value) {
    m_useToolbarButtonLayout = false;
    ChangeAndRepaint(*this, m_layout, value);
}

void TKxToolButton::SetUseToolbarButtonSize(bool value) {
    m_useToolbarButtonSize = value;
}

void TKxToolButton::SetWidth(int value) {
    if (value == width())
        return;
    if (!IsLoading())
        m_useToolbarButtonSize = false;
    resize(value, height());
}

void TKxToolButton::SetHeight(int value) {
    if (value == height())
        return;
    if (!IsLoading())
        m_useToolbarButtonSize = false;
    resize(width(), value);
}

void TKxToolButton::SetUseToolbarShowCaption(bool value) {
    m_useToolbarShowCaption = value;
}

void TKxToolButton::SetShowCaption(bool value) {
    m_useToolbarShowCaption = false;
    ChangeAndRepaint(*this, m_showCaption, value);
}

void TKxToolButton::SetToolStyle(TKxToolStyle value) {
    if (m_toolStyle == value)
        return;
    m_toolStyle = value;
    SetGroupIndex(0);
    if (!IsLoading()) {
        const bool useToolbarSize = m_useToolbarButtonSize;
        SetWidth(width() + (value == tsDropDown ? kDropDownGrowth : -kDropDownGrowth));
        m_useToolbarButtonSize = useToolbarSize;
    }
    update();
}

void TKxToolButton::SetTransparent(bool value) {
    ChangeAndRepaint(*this, m_transparent, value);
}

void TKxToolButton::SetUseToolbarVisualStyle(bool value) {
    m_useToolbarVisualStyle = value;
}

void TKxToolButton::SetVisualStyle(TKxVisualStyle value) {
    m_useToolbarVisualStyle = false;
    ChangeAndRepaint(*this, m_visualStyle, value);
}

bool TKxToolButton::FlatLooking() const {
    return m_visualStyle != vsClassic || m_flat;
}

bool TKxToolButton::ThemedLook() const {
    return m_visualStyle == vsWinXP && ThemesActive();
}

bool TKxToolButton::IsSplit() const {
    return m_toolStyle == tsDropDown && (OnClick || Action() != nullptr);
}

bool TKxToolButton::IsActive() const {
    return m_input.tool == tbsPressed || m_input.tool == tbsDown ||
           (m_input.mouseInside && m_input.tool != tbsDisabled);
}

bool TKxToolButton::ContentPushedIn() const {
    return m_input.tool == tbsPressed || m_input.tool == tbsDown ||
           (m_input.tool == tbsDropped && m_toolStyle == tsDropDown && !IsSplit());
}

SelectionColorSet TKxToolButton::ShownSelectionColors() const {
    if (m_gradientColorStyle == gcsCustom)
        return {ResolvedFor(this, m_selectionFrameColor), ResolvedFor(this, m_selectionColorStart),
                ResolvedFor(this, m_selectionColorStop)};
    return SelectionColors(SystemPalette(this));
}

ToolButtonGeometry TKxToolButton::Geometry() const {
    const bool pushedIn =
        m_visualStyle != vsGradient && (m_input.tool == tbsPressed || m_input.tool == tbsDropped);
    return ToolButtonLayout(size(), m_toolStyle == tsDropDown, IsRightToLeft(), pushedIn);
}

void TKxToolButton::SetState(TToolState state) {
    if (m_input.tool == state)
        return;
    m_input.tool = state;
    update();
}

void TKxToolButton::BroadcastGroup() {
    BroadcastButtonGroup(*this, m_groupIndex);
}

void TKxToolButton::GroupButtonPressed(int groupIndex, TKxToolButton *sender) {
    if (TakeGroupMessage(*this, m_groupIndex, groupIndex, *sender, m_down, m_allowAllUp)) {
        m_input.tool = tbsUp;
        update();
    }
}

void TKxToolButton::Click() {
    if (m_toolStyle == tsDropDown && !m_input.clickAllowed)
        return;
    if (OnClick)
        OnClick(this);
    else if (m_actionLink)
        m_actionLink->Execute();
}

int TKxToolButton::MenuTextWidth() const {
    const QFontMetrics metrics(QApplication::font("QMenu"));
    int widest = 0;
    for (const QAction *action : m_dropDownMenu->actions())
        widest = std::max(widest, metrics.horizontalAdvance(action->text()));
    return widest + 56;
}

void TKxToolButton::ShowDropDownMenu() {
    if (!m_dropDownMenu)
        return;
    QMenu &menu = *m_dropDownMenu;
    const bool wasInDropDown = std::exchange(m_input.inDropDown, true);
    CallGuarded([&] {
        if (OnDropDown)
            OnDropDown(&menu);
        const QRect onScreen(mapToGlobal(QPoint(0, 0)), size());
        const QPoint corner(IsRightToLeft() ? onScreen.right() + 1 : onScreen.left(),
                            onScreen.bottom() + 1);
        const QScreen *screen = MonitorAtPoint(corner);
        const QRect workArea = screen != nullptr ? MonitorWorkArea(screen) : QRect();
        const int workAreaRight =
            screen != nullptr ? workArea.left() + workArea.width() : MonitorWorkAreaWidth(this);
        menu.setProperty("PopupComponent", QVariant::fromValue<QObject *>(this));
        PopupMenuAt(menu,
                    DropDownMenuPoint(onScreen, IsRightToLeft(), MenuTextWidth(), workAreaRight));
    });
    m_input.inDropDown = wasInDropDown;
}

void TKxToolButton::PopupMenuAt(QMenu &menu, QPoint point) {
    menu.exec(point);
}

QPoint TKxToolButton::ToolImageSize() const {
    if (!m_images || m_imageIndex == -1)
        return QPoint(0, 0);
    return QPoint(m_images->Width(), m_images->Height());
}

ToolLayout TKxToolButton::LayoutImageAndCaption() const {
    const Edges area = Edges::Of(Geometry().content);
    const QPoint image = ToolImageSize();
    const bool hasCaption = m_showCaption && !m_caption.isEmpty();
    QPoint caption;
    if (hasCaption) {
        // Measured in the part of the area beside (or above and below) the image.
        const bool across = m_layout == blGlyphLeft || m_layout == blGlyphRight;
        const int room = area.right - area.left - (across ? image.x() + 4 : 0);
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter canvas(&probe);
        canvas.setFont(font());
        const QRect measured = DrawTextWithFlags(
            canvas, QRect(0, 0, std::max(room, 0), area.bottom - area.top), m_caption,
            DT_CALCRECT | DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);
        caption = QPoint(measured.width(), measured.height());
    }
    QPoint pushed(0, 0);
    if (m_visualStyle != vsGradient && ContentPushedIn())
        pushed = ThemedLook() ? QPoint(1, 0) : QPoint(1, 1);
    return LayoutToolImageAndCaption(area, image, caption, hasCaption, m_layout, m_alignment,
                                     pushed);
}

QRect TKxToolButton::DrawToolFace(QPainter &canvas, const QRect &rect) {
    const QPalette palette = SystemPalette(this);
    const bool active = IsActive();
    if (ThemedLook()) {
        QStyleOptionToolButton option;
        option.initFrom(this);
        option.rect = rect;
        option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_On);
        if (m_flat) {
            // Toolbar elements; a split button's face leaves out its arrow part.
            if (IsSplit())
                option.rect = IsRightToLeft() ? rect.adjusted(kDropArrowWidth, 0, 0, 0)
                                              : rect.adjusted(0, 0, -kDropArrowWidth, 0);
            if (m_input.tool == tbsPressed || (m_input.tool == tbsDropped && !IsSplit()))
                option.state |= QStyle::State_Sunken;
            else if (m_input.tool == tbsDown)
                option.state |= QStyle::State_On;
            if (m_input.mouseInside && m_input.tool != tbsDisabled)
                option.state |= QStyle::State_MouseOver;
            option.state |= QStyle::State_AutoRaise;
            if (active || m_input.tool == tbsDropped)
                style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &canvas, this);
        } else {
            if (m_input.tool == tbsPressed || m_input.tool == tbsDown)
                option.state |= QStyle::State_Sunken;
            else if (active)
                option.state |= QStyle::State_MouseOver;
            style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &canvas, this);
        }
        return rect.adjusted(1, 1, -1, -1);
    }
    if (FlatLooking()) {
        if (!active)
            return rect;
        if (m_visualStyle == vsGradient) {
            const SelectionColorSet colors = ShownSelectionColors();
            PaintBoxOutline(canvas, rect, colors.frame);
            const QRect inner = rect.adjusted(1, 1, -1, -1);
            QColor first = colors.gradientStart;
            QColor second = colors.gradientStop;
            if (m_input.tool == tbsDown && !m_input.mouseInside)
                second = ShadeDarker(second, 40);
            else if (m_input.tool != tbsPressed && m_input.tool != tbsDropped &&
                     m_input.tool != tbsDown)
                std::swap(first, second);
            FillGradientRect(canvas, inner, gdHorizontalEnd, 1, first, second);
            return inner;
        }
        const bool in = m_input.tool == tbsPressed || m_input.tool == tbsDown;
        return PaintStyledBorder(canvas, palette, rect, in ? fsStatus : fsPopup, TSides::All());
    }
    const bool in = m_input.tool == tbsPressed || m_input.tool == tbsDown;
    return PaintStyledBorder(canvas, palette, rect, in ? fsLowered : fsButtonUp, TSides::All());
}

void TKxToolButton::DrawToolImage(QPainter &canvas, const QRect &rect) {
    if (!m_images || m_imageIndex == -1)
        return;
    const QPoint at = rect.topLeft();
    if (ContentPushedIn() && m_downIndex != -1) {
        m_images->Draw(canvas, at, m_downIndex, true);
        return;
    }
    const bool enabled = isEnabled();
    const int shown =
        m_hotIndex != -1 && m_input.mouseInside && enabled ? m_hotIndex : m_imageIndex;
    if (m_disabledIndex == -1)
        m_images->Draw(canvas, at, shown, enabled);
    else
        m_images->Draw(canvas, at, enabled ? shown : m_disabledIndex, true);
}

void TKxToolButton::DrawToolCaption(QPainter &canvas, const QRect &rect) {
    if (!m_showCaption)
        return;
    canvas.setBrush(Qt::NoBrush);
    canvas.setFont(font());
    QColor color = palette().color(QPalette::ButtonText);
    if (m_visualStyle != vsGradient && m_input.tool == tbsPressed)
        color = ResolvedFor(this, clHighlightText);
    if (!isEnabled())
        color = ResolvedFor(this, clBtnShadow);
    canvas.setPen(color);
    unsigned flags = DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS;
    if (IsRightToLeft())
        flags |= DT_RTLREADING;
    DrawTextWithFlags(canvas, rect, m_caption, flags);
}

void TKxToolButton::DrawDropArrow(QPainter &canvas) {
    const QPalette palette = SystemPalette(this);
    const ToolButtonGeometry geometry = Geometry();
    const bool split = IsSplit();
    const bool enabled = isEnabled();
    if (ThemedLook() && split) {
        QStyleOptionToolButton option;
        option.initFrom(this);
        option.rect = geometry.arrowPart;
        option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken);
        if (m_input.tool == tbsPressed || m_input.tool == tbsDropped)
            option.state |= QStyle::State_Sunken;
        else if (IsActive())
            option.state |= QStyle::State_MouseOver;
        style()->drawPrimitive(QStyle::PE_IndicatorButtonDropDown, &option, &canvas, this);
        return;
    }
    int x0 = geometry.arrowPart.left() + (IsRightToLeft() ? kDropArrowWidth : 0);
    const bool gradient = m_visualStyle == vsGradient;
    if (m_input.tool == tbsDropped) {
        QRect part = rect();
        if (split) {
            part = geometry.arrowPart;
            if (gradient)
                part = IsRightToLeft() ? part.adjusted(0, 0, 1, 0) : part.adjusted(-1, 0, 0, 0);
        }
        if (gradient) {
            const SelectionColorSet colors = ShownSelectionColors();
            PaintBoxOutline(canvas, part, colors.frame);
            FillGradientRect(canvas, part.adjusted(1, 1, -1, -1), gdHorizontalEnd, 1,
                             colors.gradientStart, colors.gradientStop);
        } else {
            PaintStyledBorder(canvas, palette, part, fsStatus, TSides::All());
        }
    } else if (enabled && (!FlatLooking() || m_input.mouseInside)) {
        const bool pressed = m_input.tool == tbsPressed;
        if (pressed && !gradient)
            ++x0;
        if (split) {
            const QRect line(x0, 0, 1, height());
            if (gradient) {
                canvas.fillRect(line.translated(-1, 0), SelectionColors(palette).frame);
            } else {
                if (!pressed)
                    canvas.fillRect(line, ResolvedFor(this, clBtnHighlight));
                canvas.fillRect(line.translated(-1, 0), ResolvedFor(this, clBtnShadow));
            }
        }
    }
    // The filled triangle with its outline: rows of 1, 3 and 5 pixels from the tip up.
    const QColor arrow = ResolvedFor(this, enabled ? clWindowText : clBtnShadow);
    const QPoint tip = geometry.arrow[0];
    for (int row = 0; row <= tip.y() - geometry.arrow[1].y(); ++row)
        canvas.fillRect(QRect(tip.x() - row, tip.y() - row, 2 * row + 1, 1), arrow);
}

void TKxToolButton::paintEvent(QPaintEvent *) {
    QPainter canvas(this);
    CallGuarded([&] {
        const QRect inner = DrawToolFace(canvas, rect());
        if (!m_transparent)
            canvas.fillRect(inner, ResolvedFor(this, m_color));
        const bool plain =
            m_visualStyle == vsClassic || (m_visualStyle != vsGradient && !ThemesActive());
        if (m_input.tool == tbsDown && plain && !(m_flat && m_input.mouseInside)) {
            const QColor back =
                m_transparent ? ResolvedFor(this, clBtnFace) : ResolvedFor(this, m_color);
            const QColor dots = m_transparent ? ResolvedFor(this, clBtnHighlight)
                                              : ShadeLighter(ResolvedFor(this, m_color), 20);
            canvas.fillRect(inner, back);
            canvas.fillRect(inner, QBrush(dots, Qt::Dense4Pattern));
        }
        if (m_toolStyle == tsDropDown)
            DrawDropArrow(canvas);
        const ToolLayout layout = LayoutImageAndCaption();
        DrawToolImage(canvas, layout.image);
        DrawToolCaption(canvas, layout.caption);
    });
}

void TKxToolButton::mousePressEvent(QMouseEvent *event) {
    const QPoint position = event->position().toPoint();
    const bool left = event->button() == Qt::LeftButton;
    if (!left || !isEnabled()) {
        event->ignore();
        return;
    }
    if (m_toolStyle == tsDropDown) {
        const bool onlyLeft =
            event->buttons() == Qt::LeftButton && event->modifiers() == Qt::NoModifier;
        if (m_dropDownMenu && onlyLeft &&
            (InDropArrowPart(position.x(), width(), IsRightToLeft()) || !IsSplit())) {
            const qint64 now = m_ticks();
            if (m_input.lastDropTick != 0 && now < m_input.lastDropTick + kMenuCloseMilliseconds) {
                // The press closed the menu; it does not open it again.
                m_input.clickAllowed = true;
                m_input.lastDropTick = 0;
            } else {
                m_input.tool = tbsDropped;
                repaint();
                ShowDropDownMenu();
                m_input.clickAllowed = false;
                m_input.lastDropTick = m_ticks();
            }
            ReleaseAt(mapFromGlobal(QCursor::pos()));
            return;
        }
        if (!m_input.clickAllowed) {
            m_input.clickAllowed = true;
            return;
        }
    }
    if (!(m_down && m_input.tool != tbsDown))
        SetState(tbsPressed);
    m_input.tracking = true;
}

void TKxToolButton::mouseMoveEvent(QMouseEvent *event) {
    const QPoint position = event->position().toPoint();
    if (m_input.tracking) {
        const bool inside = rect().contains(position);
        SetState(m_down ? tbsDown : inside ? tbsPressed : tbsUp);
        return;
    }
    if (!m_input.mouseInside)
        HotTrackAt(position);
}

void TKxToolButton::mouseReleaseEvent(QMouseEvent *event) {
    ReleaseAt(event->position().toPoint());
}

void TKxToolButton::ReleaseAt(QPoint position) {
    const bool inside = rect().contains(position);
    if (m_input.tracking) {
        m_input.tracking = false;
        bool clicks = inside;
        if (m_groupIndex == 0) {
            m_input.tool = tbsUp;
            m_input.mouseInside = false;
            if (inside)
                repaint();
        } else if (inside) {
            const bool wasDown = m_down;
            SetDown(!m_down);
            clicks = m_down != wasDown;
            if (m_down) {
                m_input.tool = tbsDown;
                repaint();
            }
        } else {
            repaint();
        }
        if (clicks)
            CallGuarded([this] { Click(); });
        HotTrackAt(position);
    }
    if (m_toolStyle == tsDropDown) {
        if (!inside)
            m_input.clickAllowed = true;
        m_input.tool = tbsUp;
        repaint();
        HotTrackAt(position);
    }
}

void TKxToolButton::HotTrackAt(QPoint position) {
    if (!FlatLooking() || !isEnabled())
        return;
    const bool under = rect().contains(position);
    if (under && !m_input.mouseInside)
        MouseEntered();
    else if (!under && m_input.mouseInside)
        MouseLeft();
}

void TKxToolButton::MouseEntered() {
    m_input.mouseInside = true;
    if (OnMouseEnter)
        CallGuarded([this] { OnMouseEnter(this); });
    if (FlatLooking())
        repaint();
}

void TKxToolButton::MouseLeft() {
    if (!m_input.inDropDown)
        m_input.mouseInside = false;
    if (OnMouseLeave)
        CallGuarded([this] { OnMouseLeave(this); });
    if (FlatLooking())
        repaint();
}

void TKxToolButton::enterEvent(QEnterEvent *event) {
    QWidget::enterEvent(event);
    MouseEntered();
}

void TKxToolButton::leaveEvent(QEvent *event) {
    QWidget::leaveEvent(event);
    MouseLeft();
}

void TKxToolButton::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // A disabled button stops tracking; enabled again it is down or up as its group says.
    if (!isEnabled()) {
        m_input.tool = tbsDisabled;
        m_input.tracking = false;
    } else if (m_input.tool == tbsDisabled) {
        m_input.tool = m_groupIndex != 0 && m_down ? tbsDown : tbsUp;
    }
    update();
}

bool TKxToolButton::event(QEvent *event) {
    if (event->type() == QEvent::Shortcut) {
        // The caption's accelerator on a button that can be seen.
        if (isEnabled() && isVisible()) {
            if (m_toolStyle == tsButton || IsSplit())
                CallGuarded([this] { Click(); });
            else
                ShowDropDownMenu();
        }
        return true;
    }
    return QWidget::event(event);
}
