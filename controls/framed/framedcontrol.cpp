#include "controls/framed/framedcontrol.h"

#include "controls/framed/tkxframecontroller.h"
#include "controls/framework/controlservices.h"
#include "controls/painting/framepainting.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QWidget>

FramedControl::FramedControl(QWidget *self)
    : m_self(self)
    , m_controller(self) {
    ApplyColorToPalette();
    m_focusConnection = QObject::connect(qApp, &QApplication::focusChanged, self,
                                         [this](QWidget *, QWidget *now) { FocusChanged(now); });
}

FramedControl::~FramedControl() {
    // The widget's own destruction may still move the focus; this part is gone by then.
    QObject::disconnect(m_focusConnection);
}

void FramedControl::SetColor(TColor color) {
    if (!m_updatingColors)
        m_parentColor = false;
    TakeColor(color);
}

void FramedControl::TakeColor(TColor color) {
    if (m_color == color)
        return;
    m_color = color;
    if (!m_updatingColors) {
        if (m_frame.FocusColor == m_normalColor)
            m_frame.FocusColor = color;
        m_normalColor = color;
        if (m_frame.FrameVisible && !UsesThemedFrame())
            InvalidateFrame();
        HandColorToChildren(*m_self);
    }
    ApplyColorToPalette();
}

void FramedControl::SetParentColor(bool value) {
    if (m_parentColor == value)
        return;
    m_parentColor = value;
    ParentColorChanged();
}

void FramedControl::ParentColorChanged() {
    const QWidget *parent = m_self->parentWidget();
    if (!m_parentColor || parent == nullptr)
        return;
    TakeColor(ParentColorOf(*parent));
    // A focused or disabled control keeps showing its state colour.
    UpdateColors();
}

void FramedControl::HandColorToChildren(QWidget &parent) {
    for (QWidget *child : parent.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (auto *framed = dynamic_cast<FramedControl *>(child))
            framed->ParentColorChanged();
    }
}

void FramedControl::SetDisabledColor(TColor value) {
    if (m_frame.DisabledColor == value)
        return;
    m_frame.DisabledColor = value;
    if (!m_self->isEnabled())
        UpdateColors();
}

void FramedControl::SetFocusColor(TColor value) {
    if (m_frame.FocusColor == value)
        return;
    m_frame.FocusColor = value;
    if (m_focused)
        UpdateColors();
}

void FramedControl::SetFrameColor(TColor value) {
    if (m_frame.FrameColor == value)
        return;
    m_frame.FrameColor = value;
    InvalidateFrame();
}

void FramedControl::SetFrameController(TKxFrameController *controller) {
    m_controller.SetController(controller);
}

void FramedControl::SetFrameHotColor(TColor value) {
    if (m_frame.FrameHotColor == value)
        return;
    m_frame.FrameHotColor = value;
    InvalidateFrame();
}

void FramedControl::SetFrameHotTrack(bool value) {
    if (m_frame.FrameHotTrack == value)
        return;
    m_frame.FrameHotTrack = value;
    if (value) {
        SetFrameVisible(true);
        if (!IsLoading())
            m_frame.FrameSides = TSides::All();
    }
    InvalidateFrame();
}

void FramedControl::SetFrameHotStyle(TFrameStyle value) {
    if (m_frame.FrameHotStyle == value)
        return;
    m_frame.FrameHotStyle = value;
    InvalidateFrame();
}

void FramedControl::SetFrameSides(TSides value) {
    if (m_frame.FrameSides == value)
        return;
    m_frame.FrameSides = value;
    InvalidateFrame();
}

void FramedControl::SetFrameStyle(TFrameStyle value) {
    if (m_frame.FrameStyle == value)
        return;
    m_frame.FrameStyle = value;
    InvalidateFrame();
}

void FramedControl::SetFrameVisible(bool value) {
    if (m_frame.FrameVisible == value)
        return;
    m_frame.FrameVisible = value;
    InvalidateFrame();
}

void FramedControl::SetFramingPreference(TFramingPreference value) {
    if (m_frame.FramingPreference == value)
        return;
    m_frame.FramingPreference = value;
    if (value == fpCustomFraming)
        InvalidateFrame();
}

void FramedControl::SetFrameControllerNotifications(TKxFrameControllerNotifications value) {
    m_frame.FrameControllerNotifications = value;
}

bool FramedControl::UsesThemedFrame() const {
    return m_frame.FramingPreference == fpXPThemes && ThemesActive();
}

void FramedControl::Loaded() {
    ComponentState::Loaded();
    UpdateColors();
    // Refreshes the frame and colours for the hot state as it stands, focus included.
    UpdateHotState(hfFocused, m_focused);
}

void FramedControl::UpdateColors() {
    if (IsLoading())
        return;
    if (!m_self->isEnabled())
        ShowStateColor(m_frame.DisabledColor);
    else if (m_focused)
        ShowStateColor(m_frame.FocusColor);
    else
        ShowStateColor(m_normalColor);
}

void FramedControl::UpdateHotState(THotFlag which, bool value) {
    (which == hfFocused ? m_focused : m_mouseOver) = value;
    if (m_frame.FrameHotTrack)
        InvalidateFrame();
    UpdateColors();
}

void FramedControl::InvalidateFrame() {
    m_self->update();
}

bool FramedControl::IsHot() const {
    return m_frame.FrameHotTrack && (m_focused || m_mouseOver);
}

void FramedControl::ShowStateColor(TColor color) {
    m_updatingColors = true;
    SetColor(color);
    m_updatingColors = false;
}

void FramedControl::PaintNonClientFrame(QStyle::PrimitiveElement themedFrame) const {
    QPainter painter(m_self);
    CallGuarded([&] { PaintFrame(painter, themedFrame); });
}

void FramedControl::PaintFrame(QPainter &painter, QStyle::PrimitiveElement themedFrame) const {
    const QPalette palette = SystemPalette(m_self);
    if (m_frame.FrameVisible && !UsesThemedFrame()) {
        const bool hot = IsHot();
        PaintControlFrame(painter, palette, m_self->size(), m_frame.FrameSides,
                          hot ? m_frame.FrameHotColor : m_frame.FrameColor, m_color,
                          hot ? m_frame.FrameHotStyle : m_frame.FrameStyle);
        return;
    }
    const QColor control = m_color.Resolve(palette);
    PaintBevelLines(painter, m_self->rect(), control, control, TSides::All(), kBorderWidth);
    if (!ThemesActive()) {
        PaintStyledBorder(painter, palette, m_self->rect(), fsLowered, TSides::All());
        return;
    }
    QStyleOptionFrame option;
    option.initFrom(m_self);
    option.rect = m_self->rect();
    option.lineWidth = kBorderWidth;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (m_focused)
        option.state |= QStyle::State_HasFocus;
    m_self->style()->drawPrimitive(themedFrame, &option, &painter, m_self);
}

void FramedControl::EnabledChanged() {
    UpdateColors();
    InvalidateFrame();
}

void FramedControl::SystemColorsChanged() {
    if (!m_color.IsSystemColor())
        return;
    ApplyColorToPalette();
    if (m_frame.FrameVisible && !UsesThemedFrame())
        InvalidateFrame();
}

void FramedControl::FramedEventHandled(const QEvent &event, QStyle::PrimitiveElement themedFrame) {
    switch (event.type()) {
    case QEvent::EnabledChange:
        EnabledChanged();
        break;
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
        SystemColorsChanged();
        break;
    case QEvent::Paint:
        PaintNonClientFrame(themedFrame);
        break;
    case QEvent::Enter:
        MouseOverChanged(true);
        break;
    case QEvent::Leave:
        MouseOverChanged(false);
        break;
    default:
        break;
    }
}

bool FramedControl::DoKeyDown(int &key, Qt::KeyboardModifiers modifiers) {
    if (!OnKeyDown)
        return true;
    OnKeyDown(m_self, key, modifiers);
    return key != 0;
}

void FramedControl::MouseOverChanged(bool over) {
    CallGuarded([&] {
        const TNotifyEvent &event = over ? OnMouseEnter : OnMouseLeave;
        if (event)
            event(m_self);
        UpdateHotState(hfMouseOver, over);
    });
}

void FramedControl::DoEnter() {
    UpdateHotState(hfFocused, true);
    if (OnEnter)
        OnEnter(m_self);
}

void FramedControl::DoExit() {
    if (OnExit)
        OnExit(m_self);
    UpdateHotState(hfFocused, false);
}

void FramedControl::FocusChanged(QWidget *now) {
    if (now == m_self && !m_focused) {
        CallGuarded([this] { DoEnter(); });
        return;
    }
    if (!m_focused || now == m_self)
        return;
    // The focus left for another control of the window, or was cleared while the window stays
    // active; a deactivated window (no active window, or another one) keeps its focused control.
    const bool left = now != nullptr ? now->window() == m_self->window()
                                     : QApplication::activeWindow() == m_self->window();
    if (left)
        CallGuarded([this] { DoExit(); });
}

void FramedControl::ApplyColorToPalette() {
    QPalette palette = m_self->palette();
    palette.setColor(QPalette::Base, m_color.Resolve(SystemPalette(m_self)));
    m_self->setPalette(palette);
}
