#include "controls/framed/tkxlabel.h"

#include "controls/framework/controlservices.h"
#include "controls/framework/propertychange.h"
#include "controls/framework/tkxblinkingcontrolslist.h"
#include "controls/painting/paintingservices.h"
#include "controls/painting/textflags.h"
#include "controls/painting/textlayers.h"

#include <QEnterEvent>
#include <QEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <utility>

namespace {

const QString kRotatableFamily = QStringLiteral("Verdana");

// One pass of a caption drawn at a point, turned counter-clockwise by the angle.
void DrawTurnedText(QPainter &canvas, QPoint at, double degrees, TextAnchor anchor,
                    const QString &text) {
    const QFontMetrics metrics(canvas.font());
    const bool centred = anchor == TextAnchor::TopCenter || anchor == TextAnchor::BaselineCenter;
    const bool top = anchor == TextAnchor::TopLeft || anchor == TextAnchor::TopCenter;
    canvas.save();
    canvas.translate(at);
    canvas.rotate(-degrees);
    canvas.drawText(
        QPoint(centred ? -metrics.horizontalAdvance(text) / 2 : 0, top ? metrics.ascent() : 0),
        text);
    canvas.restore();
}

} // namespace

TKxLabel::TKxLabel(QWidget *parent)
    : QWidget(parent)
    , BorderedControl(this, BorderLayers{}) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(65, 17);
    TKxBlinkingControlsList::Instance().Add(this);
}

TKxLabel::~TKxLabel() {
    TKxBlinkingControlsList::Instance().Remove(this);
}

template <typename T> void TKxLabel::ChangeBounds(T &field, const T &value) {
    if (field == value)
        return;
    field = value;
    AdjustBounds();
    update();
}

void TKxLabel::SetCaption(const QString &caption) {
    ChangeBounds(m_caption, caption);
}

void TKxLabel::SetAlignment(TAlignment value) {
    ChangeAndRepaint(*this, m_alignment, value);
}

void TKxLabel::SetAutoSize(bool value) {
    if (m_autoSize == value)
        return;
    m_autoSize = value;
    AdjustBounds();
}

void TKxLabel::SetWordWrap(bool value) {
    ChangeBounds(m_wordWrap, value);
}

void TKxLabel::SetShowAccelChar(bool value) {
    ChangeBounds(m_showAccelChar, value);
}

void TKxLabel::SetTransparent(bool value) {
    if (m_transparent == value)
        return;
    m_transparent = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    update();
}

void TKxLabel::SetColor(TColor value) {
    if (m_color == value)
        return;
    m_color = value;
    m_parentColor = false;
    update();
}

void TKxLabel::SetParentColor(bool value) {
    ChangeAndRepaint(*this, m_parentColor, value);
}

void TKxLabel::SetFontColor(TColor value) {
    if (m_fontColor == value)
        return;
    m_fontColor = value;
    FontChanged();
}

void TKxLabel::SetLayout(TTextLayout value) {
    ChangeAndRepaint(*this, m_layout, value);
}

void TKxLabel::SetAngle(int value) {
    const int angle = NormalizeLabelAngle(value);
    if (m_angle == angle)
        return;
    m_angle = angle;
    if (angle != 0) {
        if (!IsLoading())
            EnsureRotatableFont();
        if (m_rotation == roNone)
            m_rotation = roFlat;
    }
    AdjustBounds();
    update();
}

void TKxLabel::SetBlinking(bool value) {
    if (m_blinking == value)
        return;
    m_blinking = value;
    if (!value) {
        m_blinkOn = false;
        m_drawColor = m_baseFontColor;
        repaint();
    }
}

void TKxLabel::SetBlinkColor(TColor value) {
    ChangeAndRepaint(*this, m_blinkColor, value);
}

std::uint16_t TKxLabel::BlinkIntervalOff() const {
    return TKxBlinkingControlsList::Instance().IntervalOff();
}

void TKxLabel::SetBlinkIntervalOff(std::uint16_t value) {
    TKxBlinkingControlsList::Instance().SetIntervalOff(value);
}

std::uint16_t TKxLabel::BlinkIntervalOn() const {
    return TKxBlinkingControlsList::Instance().IntervalOn();
}

void TKxLabel::SetBlinkIntervalOn(std::uint16_t value) {
    TKxBlinkingControlsList::Instance().SetIntervalOn(value);
}

void TKxLabel::SetBorderHighlight(TColor value) {
    ChangeBorderHighlight(value);
}

void TKxLabel::SetBorderShadow(TColor value) {
    ChangeBorderShadow(value);
}

void TKxLabel::SetCondenseCaption(TKxCondenseCaption value) {
    if (m_condenseCaption == value)
        return;
    m_condenseCaption = value;
    if (value != ccNone)
        SetAutoSize(false);
    update();
}

void TKxLabel::SetCenterPoint(TCenterPoint value) {
    ChangeAndRepaint(*this, m_centerPoint, value);
}

void TKxLabel::SetFlyByColor(TColor value) {
    ChangeAndRepaint(*this, m_flyByColor, value);
}

void TKxLabel::SetFlyByEnabled(bool value) {
    if (m_flyByEnabled == value)
        return;
    m_flyByEnabled = value;
    // Only a fly-by colour actually shown has a saved colour to go back to.
    if (!value && std::exchange(m_flyByShown, false))
        SetFontColor(m_savedFontColor);
    update();
}

void TKxLabel::SetLightTextStyle(bool value) {
    ChangeAndRepaint(*this, m_lightTextStyle, value);
}

void TKxLabel::SetRotation(TRotation value) {
    if (m_rotation == value)
        return;
    if (!IsLoading() && value != roNone)
        EnsureRotatableFont();
    m_rotation = value;
    if (value != roCurve)
        m_angle = 0;
    if (value == roFlat)
        m_centerPoint = cpCenter;
    update();
}

void TKxLabel::SetTextMargin(int value) {
    ChangeAndRepaint(*this, m_textMargin, value);
}

void TKxLabel::SetTextStyle(TTextStyle value) {
    ChangeAndRepaint(*this, m_textStyle, value);
}

void TKxLabel::SetHighlightColor(TColor value) {
    ChangeAndRepaint(*this, m_highlightColor, value);
}

void TKxLabel::SetShadowColor(TColor value) {
    ChangeAndRepaint(*this, m_shadowColor, value);
}

void TKxLabel::SetShadowDepth(int value) {
    ChangeAndRepaint(*this, m_shadowDepth, value);
}

void TKxLabel::BordersChanged() {
    AdjustBounds();
    update();
}

void TKxLabel::SetBevelColors(TColor highlight, TColor shadow) {
    SetBorderHighlight(highlight);
    SetBorderShadow(shadow);
}

void TKxLabel::SetBlinkState(bool on) {
    m_blinkOn = on;
    m_drawColor = on ? m_blinkColor : m_baseFontColor;
    repaint();
}

void TKxLabel::Loaded() {
    ComponentState::Loaded();
    if (m_rotation == roNone && m_angle != 0)
        m_rotation = roFlat;
    if (m_rotation != roNone)
        EnsureRotatableFont();
    m_baseFontColor = m_fontColor;
    m_drawColor = m_fontColor;
    AdjustBounds();
    update();
}

void TKxLabel::FontChanged() {
    if (IsLoading())
        return;
    if (!m_blinking) {
        m_baseFontColor = m_fontColor;
        m_drawColor = m_fontColor;
    }
    if (m_angle != 0 && !IsTrueTypeFont(font()))
        SetAngle(0);
    AdjustBounds();
    update();
}

void TKxLabel::EnsureRotatableFont() {
    if (IsTrueTypeFont(font()))
        return;
    QFont rotatable = font();
    rotatable.setFamily(kRotatableFamily);
    setFont(rotatable);
}

QColor TKxLabel::ShownColor() const {
    const QWidget *parent = parentWidget();
    if (!m_parentColor || parent == nullptr)
        return ResolvedFor(this, m_color);
    return ParentColorOf(*parent).Resolve(SystemPalette(parent));
}

unsigned TKxLabel::TextFlags() const {
    TAlignment alignment = m_alignment;
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    if (rightToLeft && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;
    unsigned flags = DT_EXPANDTABS;
    flags |= alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
    if (rightToLeft)
        flags |= DT_RTLREADING;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

int TKxLabel::MeasureTextHeight(QPainter &canvas, const QRect &rect, unsigned flags) const {
    // An empty caption still measures one line.
    const QString text = m_caption.isEmpty() ? QStringLiteral(" ") : m_caption;
    return DrawTextWithFlags(canvas, rect, text,
                             flags | DT_CALCRECT | CondenseFlag(m_condenseCaption))
        .height();
}

QRect TKxLabel::GrowByBorders(const QRect &textRect) const {
    return ::GrowByBorders(textRect, {Layers(), m_rotation, m_textStyle, m_shadowDepth, m_angle});
}

QRect TKxLabel::BorderAreaRect(const QRect &rect, bool withBorderWidth) const {
    return InsideBorderLayers(rect, Layers(), withBorderWidth);
}

QSize TKxLabel::AutoSizeFor(int width) const {
    QRect area = BorderAreaRect(QRect(0, 0, width, height()), true);
    area.moveTo(0, 0);
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter canvas(&probe);
    canvas.setFont(font());
    const QString text = m_caption.isEmpty() ? QStringLiteral(" ") : m_caption;
    unsigned flags = DT_CALCRECT | DT_EXPANDTABS | CondenseFlag(m_condenseCaption);
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    const QRect measured = DrawTextWithFlags(canvas, area, text, flags);
    return GrowByBorders(QRect(QPoint(0, 0), measured.size())).size();
}

QSize TKxLabel::sizeHint() const {
    return AutoSizeFor(width());
}

void TKxLabel::AdjustBounds() {
    if (!m_autoSize || IsLoading())
        return;
    const QSize size = AutoSizeFor(width());
    int left = x();
    if ((TextFlags() & DT_RIGHT) != 0)
        left += width() - size.width();
    setGeometry(left, y(), size.width(), size.height());
}

void TKxLabel::paintEvent(QPaintEvent *) {
    QPainter canvas(this);
    CallGuarded([&] {
        const QWidget *parent = parentWidget();
        const QColor parentColor = parent != nullptr
                                       ? parent->palette().color(parent->backgroundRole())
                                       : ResolvedFor(this, clBtnFace);
        const QRect inner = PaintBorderLayers(canvas, SystemPalette(this), rect(), Layers(),
                                              ShownColor(), parentColor, m_transparent);
        if (!m_transparent)
            canvas.fillRect(inner, ShownColor());
        canvas.setBrush(Qt::NoBrush);
        canvas.setFont(font());
        if (m_rotation == roCurve)
            PaintArcText(canvas);
        else
            PaintLabelText(canvas);
    });
}

void TKxLabel::PaintLabelText(QPainter &canvas) {
    const QRect textRect = BorderAreaRect(rect(), true)
                               .adjusted(m_textMargin, m_textMargin, -m_textMargin, -m_textMargin);
    const unsigned flags = TextFlags();
    if (m_rotation == roFlat) {
        PaintFlatText(canvas, textRect, flags);
        return;
    }
    const int textHeight = m_layout == tlTop ? 0 : MeasureTextHeight(canvas, textRect, flags);
    const bool shadow = m_textStyle == tsShadow;
    const QRect placed = PlaceLabelTextRect(textRect, textHeight, m_layout, (flags & DT_RIGHT) != 0,
                                            shadow, m_shadowDepth);
    const std::vector<TextLayer> layers =
        isEnabled() ? StyledTextLayers(m_textStyle, m_lightTextStyle,
                                       {m_highlightColor, m_shadowColor, m_drawColor},
                                       QPoint(m_shadowDepth, m_shadowDepth), QPoint(0, 0))
                    : DisabledTextLayers();
    for (const TextLayer &layer : layers) {
        canvas.setPen(ResolvedFor(this, layer.color));
        DrawTextWithFlags(canvas, placed.translated(layer.offset), m_caption,
                          flags | CondenseFlag(m_condenseCaption));
    }
}

void TKxLabel::PaintFlatText(QPainter &canvas, const QRect &textRect, unsigned flags) {
    const QFontMetrics metrics(canvas.font());
    const int e = m_textStyle == tsShadow ? m_shadowDepth / 2 : 0;
    TAlignment alignment = (flags & DT_RIGHT) != 0    ? taRightJustify
                           : (flags & DT_CENTER) != 0 ? taCenter
                                                      : taLeftJustify;
    const FlatTextPlacement placement =
        PlaceFlatText({m_angle, alignment, textRect, size(), metrics.horizontalAdvance(m_caption),
                       metrics.height(), e});
    const std::vector<TextLayer> layers =
        isEnabled() ? StyledTextLayers(m_textStyle, m_lightTextStyle,
                                       {m_highlightColor, m_shadowColor, m_drawColor}, QPoint(e, e),
                                       QPoint(-e, -e))
                    : DisabledTextLayers();
    canvas.save();
    canvas.setClipRect(textRect);
    for (const TextLayer &layer : layers) {
        canvas.setPen(ResolvedFor(this, layer.color));
        DrawTurnedText(canvas, placement.point + layer.offset, m_angle, placement.anchor,
                       m_caption);
    }
    canvas.restore();
}

void TKxLabel::PaintArcText(QPainter &canvas) {
    const QFontMetrics metrics(canvas.font());
    const std::vector<ArcCharacter> characters = ArcCharacters(
        int(m_caption.size()), m_angle, ArcCenter(m_centerPoint, size(), Layers().borderWidth),
        ArcRadii(m_centerPoint, size(), Layers().borderWidth), metrics.height(),
        metrics.horizontalAdvance(QLatin1Char('w')) + 2);
    // The 3-D layers are drawn also for a disabled label, under its disabled caption.
    std::vector<TextLayer> layers = StyledTextLayers(
        m_textStyle, m_lightTextStyle, {m_highlightColor, m_shadowColor, m_drawColor},
        QPoint(m_shadowDepth, m_shadowDepth), QPoint(0, 0));
    if (!isEnabled()) {
        layers.pop_back();
        for (const TextLayer &layer : DisabledTextLayers())
            layers.push_back(layer);
    }
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const QString character(m_caption[qsizetype(i)]);
        for (const TextLayer &layer : layers) {
            canvas.setPen(ResolvedFor(this, layer.color));
            DrawTurnedText(canvas, characters[i].position + layer.offset,
                           characters[i].escapementTenths / 10.0, TextAnchor::BaselineCenter,
                           character);
        }
    }
}

void TKxLabel::enterEvent(QEnterEvent *event) {
    if (m_flyByEnabled) {
        m_savedFontColor = m_fontColor;
        m_flyByShown = true;
        SetFontColor(m_flyByColor);
    }
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        CallGuarded([this] { OnMouseEnter(this); });
}

void TKxLabel::leaveEvent(QEvent *event) {
    if (m_flyByEnabled && std::exchange(m_flyByShown, false))
        SetFontColor(m_savedFontColor);
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        CallGuarded([this] { OnMouseLeave(this); });
}

void TKxLabel::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        FontChanged();
        break;
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
}

bool TKxLabel::event(QEvent *event) {
    if (event->type() == QEvent::ParentChange)
        update();
    return QWidget::event(event);
}
