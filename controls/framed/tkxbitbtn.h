#pragma once

#include "controls/framed/tkxbutton.h"
#include "controls/framework/timagelist.h"
#include "controls/painting/buttonlayout.h"
#include "controls/painting/kindglyphs.h"

#include <QPixmap>
#include <QPointer>

// A push button with a glyph or an image-list image beside its caption, and the standard kinds
// (OK, Cancel, ...) that bring their caption, glyph, modal result and Default/Cancel.
class TKxBitBtn : public TKxButton {
    Q_OBJECT

public:
    explicit TKxBitBtn(QWidget *parent = nullptr);

    const QPixmap &Glyph() const { return m_glyph; }
    virtual void SetGlyph(const QPixmap &glyph);
    // The stored kind; once the button no longer matches it, the stored kind becomes bkCustom.
    virtual TBitBtnKind Kind() const;
    virtual void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return m_layout; }
    virtual void SetLayout(TButtonLayout value);
    int Margin() const { return m_margin; }
    // Values below -1 are refused; -1 centres glyph and caption.
    virtual void SetMargin(int value);
    int NumGlyphs() const { return m_numGlyphs; }
    virtual void SetNumGlyphs(int value);
    int Spacing() const { return m_spacing; }
    virtual void SetSpacing(int value);
    TImageList *Images() const { return m_images; }
    virtual void SetImages(TImageList *images);
    int ImageIndex() const { return m_imageIndex; }
    virtual void SetImageIndex(int value);
    int DisabledIndex() const { return m_disabledIndex; }
    virtual void SetDisabledIndex(int value);

    // Cancel, Default and ModalResult are stored only for a custom kind.
    bool IsCustomKind() const { return Kind() == bkCustom; }
    bool IsCaptionStored() const;
    bool GlyphCustomised() const { return m_glyphCustomised; }
    // Margin and Spacing follow a scaling of the form by multiplier / divider.
    void ChangeScale(int multiplier, int divider);
    // Also takes the action's image index.
    void ActionChange(TCustomAction &action, bool checkDefaults) override;

protected:
    virtual QPoint GlyphSize() const;
    virtual QRect GlyphArea() const;
    virtual void DrawListImage(QPainter &canvas, const QRect &rect);
    virtual void DrawGlyph(QPainter &canvas, const QRect &rect);
    QRect CaptionArea() const override;
    void DrawButtonCaption(QPainter &canvas) override;

private:
    void GlyphChanged();
    bool HasImage() const;
    GlyphPlacement Placement() const;

    QPixmap m_glyph;
    // Reading Kind drops a kind the button no longer matches.
    mutable TBitBtnKind m_kind = bkCustom;
    TButtonLayout m_layout = blGlyphLeft;
    int m_margin = 2;
    int m_numGlyphs = 1;
    int m_spacing = 4;
    QPointer<TImageList> m_images;
    int m_imageIndex = -1;
    int m_disabledIndex = -1;
    bool m_glyphCustomised = false;
};
