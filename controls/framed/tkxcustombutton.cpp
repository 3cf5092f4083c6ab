#include "controls/framed/tkxcustombutton.h"

#include "controls/framework/controlservices.h"
#include "controls/framework/propertychange.h"
#include "controls/painting/buttonlayout.h"
#include "controls/painting/textflags.h"
#include "controls/painting/textlayers.h"

#include <QMouseEvent>
#include <QPainter>

TKxCustomButton::TKxCustomButton(QWidget *parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(115, 17);
}

void TKxCustomButton::SetCaption(const QString &caption) {
    setText(caption);
}

void TKxCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
    ChangeAndRepaint(*this, m_alignmentVertical, value);
}

void TKxCustomButton::SetHotTrack(bool value) {
    ChangeAndRepaint(*this, m_hotTrack, value);
}

void TKxCustomButton::SetHotTrackColor(TColor value) {
    ChangeAndRepaint(*this, m_hotTrackColor, value);
}

void TKxCustomButton::SetHotTrackColorType(TKxHotTrackColorType value) {
    ChangeAndRepaint(*this, m_hotTrackColorType, value);
}

void TKxCustomButton::SetHighlightColor(TColor value) {
    ChangeAndRepaint(*this, m_highlightColor, value);
}

void TKxCustomButton::SetLightTextStyle(bool value) {
    ChangeAndRepaint(*this, m_lightTextStyle, value);
}

void TKxCustomButton::SetTextStyle(TTextStyle value) {
    ChangeAndRepaint(*this, m_textStyle, value);
}

void TKxCustomButton::SetTextHighlightColor(TColor value) {
    ChangeAndRepaint(*this, m_textHighlightColor, value);
}

void TKxCustomButton::SetTextShadowColor(TColor value) {
    ChangeAndRepaint(*this, m_textShadowColor, value);
}

void TKxCustomButton::SetTextShadowDepth(int value) {
    ChangeAndRepaint(*this, m_textShadowDepth, value);
}

void TKxCustomButton::SetThemeAware(bool value) {
    ChangeAndRepaint(*this, m_themeAware, value);
}

void TKxCustomButton::SetTransparent(bool value) {
    ChangeAndRepaint(*this, m_transparent, value);
}

bool TKxCustomButton::UsesThemedLook() const {
    return m_themeAware && ThemesActive();
}

void TKxCustomButton::EraseBackground(QPainter &) {}

void TKxCustomButton::ButtonStateChanged() {}

void TKxCustomButton::RepaintButton() {
    repaint();
}

QRect TKxCustomButton::ButtonArea() const {
    return rect();
}

void TKxCustomButton::DrawCaptionText(QPainter &canvas, const QRect &rect, unsigned flags) {
    canvas.setFont(font());
    canvas.setBrush(Qt::NoBrush);
    const QString caption = text();
    const int textHeight =
        DrawTextWithFlags(canvas, rect, caption,
                          DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER)
            .height();
    const QRect placed =
        PlaceCaptionVertically(Edges::Of(rect), textHeight, m_alignmentVertical).ToRect();
    if (layoutDirection() == Qt::RightToLeft)
        flags |= DT_RTLREADING;
    const bool right = (flags & DT_RIGHT) != 0;
    const std::vector<TextLayer> layers =
        isEnabled() ? StyledTextLayers(m_textStyle, m_lightTextStyle,
                                       {m_textHighlightColor, m_textShadowColor,
                                        TColor::FromQColor(palette().color(QPalette::ButtonText))},
                                       right ? QPoint(0, m_textShadowDepth)
                                             : QPoint(m_textShadowDepth, m_textShadowDepth),
                                       right ? QPoint(-m_textShadowDepth, 0) : QPoint(0, 0))
                    : DisabledTextLayers();
    for (const TextLayer &layer : layers) {
        canvas.setPen(ResolvedFor(this, layer.color));
        DrawTextWithFlags(canvas, placed.translated(layer.offset), caption, flags);
    }
    canvas.setBrush(Qt::SolidPattern);
}

void TKxCustomButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (hasFocus()) {
        m_showPressed = true;
        ButtonStateChanged();
        m_tracking = true;
    }
}

void TKxCustomButton::mouseMoveEvent(QMouseEvent *event) {
    if (!m_tracking)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_showPressed) {
        m_showPressed = inside;
        ButtonStateChanged();
    }
}

void TKxCustomButton::mouseReleaseEvent(QMouseEvent *event) {
    if (!m_tracking)
        return;
    m_tracking = false;
    m_showPressed = false;
    if (rect().contains(event->position().toPoint()))
        CallGuarded([this] { ButtonClicked(); });
    ButtonStateChanged();
}

void TKxCustomButton::MouseInsideChanged(bool inside) {
    m_mouseInside = inside;
    const TNotifyEvent &handler = inside ? OnMouseEnter : OnMouseLeave;
    if (handler)
        CallGuarded([&] { handler(this); });
    if (m_hotTrack || UsesThemedLook())
        update(ButtonArea());
}

void TKxCustomButton::enterEvent(QEnterEvent *event) {
    QAbstractButton::enterEvent(event);
    MouseInsideChanged(true);
}

void TKxCustomButton::leaveEvent(QEvent *event) {
    QAbstractButton::leaveEvent(event);
    MouseInsideChanged(false);
}

void TKxCustomButton::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    RepaintButton();
}

void TKxCustomButton::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    RepaintButton();
}

void TKxCustomButton::changeEvent(QEvent *event) {
    QAbstractButton::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // A disabled button gives the focus on to the next control of its window.
    if (!isEnabled() && hasFocus())
        focusNextChild();
    update();
}
