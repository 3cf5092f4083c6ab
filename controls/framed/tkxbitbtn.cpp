#include "controls/framed/tkxbitbtn.h"

#include "controls/framework/propertychange.h"
#include "controls/framework/tcustomaction.h"
#include "controls/framework/timagelist.h"
#include "controls/painting/paintingservices.h"
#include "controls/painting/textflags.h"

#include <QPainter>

#include <cmath>

TKxBitBtn::TKxBitBtn(QWidget *parent)
    : TKxButton(parent) {}

void TKxBitBtn::SetGlyph(const QPixmap &glyph) {
    m_glyph = glyph;
    m_glyphCustomised = true;
    GlyphChanged();
}

void TKxBitBtn::GlyphChanged() {
    m_numGlyphs = NumGlyphsForGlyph(m_glyph.width(), m_glyph.height(), m_numGlyphs);
    update();
}

TBitBtnKind TKxBitBtn::Kind() const {
    if (m_kind == bkCustom)
        return bkCustom;
    const BitBtnKindInfo &info = KindInfo(m_kind);
    const bool matches = Default() == info.impliesDefault && Cancel() == info.impliesCancel &&
                         ModalResult() == info.modalResult && !m_glyphCustomised;
    if (!matches)
        m_kind = bkCustom;
    return m_kind;
}

void TKxBitBtn::SetKind(TBitBtnKind value) {
    if (Kind() == value)
        return;
    if (value != bkCustom) {
        const BitBtnKindInfo &info = KindInfo(value);
        SetDefault(info.impliesDefault);
        SetCancel(info.impliesCancel);
        if (!IsLoading() || Caption().isEmpty())
            SetCaption(KindCaption(value));
        SetModalResult(info.modalResult);
        m_glyph = KindGlyph(value);
        m_numGlyphs = 2;
        m_glyphCustomised = false;
    }
    m_kind = value;
    update();
}

bool TKxBitBtn::IsCaptionStored() const {
    return Caption() != KindCaption(Kind());
}

void TKxBitBtn::SetLayout(TButtonLayout value) {
    ChangeAndRepaint(*this, m_layout, value);
}

void TKxBitBtn::SetMargin(int value) {
    if (value < -1)
        return;
    ChangeAndRepaint(*this, m_margin, value);
}

void TKxBitBtn::SetNumGlyphs(int value) {
    if (value < 1 || value > 4)
        return;
    ChangeAndRepaint(*this, m_numGlyphs, value);
}

void TKxBitBtn::SetSpacing(int value) {
    ChangeAndRepaint(*this, m_spacing, value);
}

void TKxBitBtn::SetImages(TImageList *images) {
    if (m_images == images)
        return;
    if (m_images)
        disconnect(m_images, nullptr, this, nullptr);
    m_images = images;
    if (images != nullptr)
        connect(images, &TImageList::Changed, this, [this] { repaint(); });
    update();
}

void TKxBitBtn::SetImageIndex(int value) {
    ChangeAndRepaint(*this, m_imageIndex, value);
}

void TKxBitBtn::SetDisabledIndex(int value) {
    ChangeAndRepaint(*this, m_disabledIndex, value);
}

void TKxBitBtn::ChangeScale(int multiplier, int divider) {
    if (divider == 0)
        return;
    // Rounded to the nearest, halves away from zero, as the platform's MulDiv.
    const auto scale = [&](int value) {
        return int(std::lround(double(value) * multiplier / divider));
    };
    m_margin = scale(m_margin);
    m_spacing = scale(m_spacing);
    update();
}

void TKxBitBtn::ActionChange(TCustomAction &action, bool checkDefaults) {
    TKxButton::ActionChange(action, checkDefaults);
    if (!checkDefaults || m_imageIndex == -1)
        SetImageIndex(action.ImageIndex());
}

bool TKxBitBtn::HasImage() const {
    return m_images && m_imageIndex != -1;
}

QPoint TKxBitBtn::GlyphSize() const {
    if (HasImage())
        return QPoint(m_images->Width(), m_images->Height());
    return QPoint(m_glyph.width() / m_numGlyphs, m_glyph.height());
}

GlyphPlacement TKxBitBtn::Placement() const {
    GlyphPlacement placement{m_layout, m_margin, m_spacing, GlyphSize(), 0, height()};
    if (m_margin < 0) {
        QPixmap probe(1, 1);
        QPainter canvas(&probe);
        canvas.setFont(font());
        placement.captionHeight =
            DrawTextWithFlags(canvas, TKxButton::CaptionArea(), Caption(),
                              DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER)
                .height();
    }
    return placement;
}

QRect TKxBitBtn::CaptionArea() const {
    const QRect area = TKxButton::CaptionArea();
    if (!HasImage() && m_glyph.isNull())
        return area;
    return BitBtnCaptionArea(Edges::Of(area), Placement()).ToRect();
}

QRect TKxBitBtn::GlyphArea() const {
    return BitBtnGlyphArea(Edges::Of(TKxButton::CaptionArea()), Placement(), ShowPressed(),
                           UsesThemedLook())
        .ToRect();
}

void TKxBitBtn::DrawButtonCaption(QPainter &canvas) {
    TKxButton::DrawButtonCaption(canvas);
    const QRect rect = GlyphArea();
    if (Kind() == bkCustom && HasImage())
        DrawListImage(canvas, rect);
    else if (!m_glyph.isNull())
        DrawGlyph(canvas, rect);
}

void TKxBitBtn::DrawListImage(QPainter &canvas, const QRect &rect) {
    if (m_disabledIndex == -1)
        m_images->Draw(canvas, rect.topLeft(), m_imageIndex, isEnabled());
    else
        m_images->Draw(canvas, rect.topLeft(), isEnabled() ? m_imageIndex : m_disabledIndex, true);
}

void TKxBitBtn::DrawGlyph(QPainter &canvas, const QRect &rect) {
    const int cell = GlyphCell(m_numGlyphs, DownState() == bsExclusive,
                               DownState() == bsDown || ShowPressed(), isEnabled());
    const QRect source(cell * rect.width(), 0, rect.width(), rect.height());
    const QColor transparent = m_glyph.toImage().pixelColor(0, m_glyph.height() - 1);
    DrawTransparentBitmap(canvas, rect, m_glyph, source, transparent);
}
