#pragma once

#include "controls/framed/borderedcontrol.h"
#include "controls/framework/componentstate.h"
#include "controls/framework/ikxblinkingcontrol.h"
#include "controls/framework/kxevents.h"
#include "controls/framework/tcolor.h"
#include "controls/painting/labelgeometry.h"

#include <QWidget>

#include <cstdint>

// The library's label: 3-D, shadowed, flat-rotated or arc text, inner and outer borders,
// blinking in step with every other label, a fly-by font colour and caption shortening.
class TKxLabel : public QWidget,
                 public ComponentState,
                 public IKxBlinkingControl,
                 public BorderedControl {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(quint16 FrameControllerNotifications READ FrameControllerNotifications WRITE
                   SetFrameControllerNotifications)

public:
    explicit TKxLabel(QWidget *parent = nullptr);
    ~TKxLabel() override;

    // Inherited label properties.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value) override;
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value) override;
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor value);
    virtual TTextLayout Layout() const { return m_layout; }
    virtual void SetLayout(TTextLayout value);

    int Angle() const { return m_angle; }
    virtual void SetAngle(int value);
    bool Blinking() const { return m_blinking; }
    virtual void SetBlinking(bool value);
    TColor BlinkColor() const { return m_blinkColor; }
    virtual void SetBlinkColor(TColor value);
    // The shared intervals of every blinking control, in milliseconds.
    virtual std::uint16_t BlinkIntervalOff() const;
    virtual void SetBlinkIntervalOff(std::uint16_t value);
    virtual std::uint16_t BlinkIntervalOn() const;
    virtual void SetBlinkIntervalOn(std::uint16_t value);
    TColor BorderHighlight() const { return Layers().highlightColor; }
    virtual void SetBorderHighlight(TColor value);
    TColor BorderShadow() const { return Layers().shadowColor; }
    virtual void SetBorderShadow(TColor value);
    TKxCondenseCaption CondenseCaption() const { return m_condenseCaption; }
    virtual void SetCondenseCaption(TKxCondenseCaption value);
    TCenterPoint CenterPoint() const { return m_centerPoint; }
    virtual void SetCenterPoint(TCenterPoint value);
    TColor FlyByColor() const { return m_flyByColor; }
    virtual void SetFlyByColor(TColor value);
    bool FlyByEnabled() const { return m_flyByEnabled; }
    virtual void SetFlyByEnabled(bool value);
    bool LightTextStyle() const { return m_lightTextStyle; }
    virtual void SetLightTextStyle(bool value);
    TRotation Rotation() const { return m_rotation; }
    virtual void SetRotation(TRotation value);
    int TextMargin() const { return m_textMargin; }
    virtual void SetTextMargin(int value);
    TTextStyle TextStyle() const { return m_textStyle; }
    virtual void SetTextStyle(TTextStyle value);
    TColor HighlightColor() const { return m_highlightColor; }
    virtual void SetHighlightColor(TColor value);
    TColor ShadowColor() const { return m_shadowColor; }
    virtual void SetShadowColor(TColor value);
    int ShadowDepth() const { return m_shadowDepth; }
    virtual void SetShadowDepth(int value);

    TColor BaseFontColor() const { return m_baseFontColor; }
    TColor DrawColor() const { return m_drawColor; }
    bool BlinkOn() const { return m_blinkOn; }

    // On: the caption shows the blink colour; off: the base font colour. Repaints at once.
    virtual void SetBlinkState(bool on);
    void Loaded() override;

    // The size the label takes with AutoSize, from its caption, borders, shadow and rotation.
    QSize AutoSizeFor(int width) const;
    QSize sizeHint() const override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual QRect GrowByBorders(const QRect &textRect) const;
    virtual QRect BorderAreaRect(const QRect &rect, bool withBorderWidth) const;
    virtual void AdjustBounds();

    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    bool IsBlinking() const override { return m_blinking; }
    void SetBlinkPhase(int phase) override { SetBlinkState(phase != 0); }
    void FrameControllerChanged() override { ApplyFrameController(); }
    void BordersChanged() override;
    QColor ShownColor() const override;
    void SetBevelColors(TColor highlight, TColor shadow) override;

    void FontChanged();
    // Rotated text needs a font whose outlines turn; another gets "Verdana".
    void EnsureRotatableFont();
    unsigned TextFlags() const;
    int MeasureTextHeight(QPainter &canvas, const QRect &rect, unsigned flags) const;
    void PaintLabelText(QPainter &canvas);
    void PaintFlatText(QPainter &canvas, const QRect &textRect, unsigned flags);
    void PaintArcText(QPainter &canvas);
    template <typename T> void ChangeBounds(T &field, const T &value);

    QString m_caption;
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    bool m_transparent = false;
    TColor m_color = clBtnFace;
    bool m_parentColor = true;
    TColor m_fontColor = clWindowText;
    TTextLayout m_layout = tlTop;

    int m_angle = 0;
    bool m_blinking = false;
    TColor m_blinkColor = clHighlight;
    TKxCondenseCaption m_condenseCaption = ccNone;
    TCenterPoint m_centerPoint = cpCenter;
    TColor m_flyByColor = clHighlight;
    bool m_flyByEnabled = false;
    bool m_lightTextStyle = false;
    TRotation m_rotation = roNone;
    int m_textMargin = 0;
    TTextStyle m_textStyle = tsNormal;
    TColor m_highlightColor = clBtnHighlight;
    TColor m_shadowColor = clBtnShadow;
    int m_shadowDepth = 2;

    TColor m_baseFontColor = clWindowText;
    TColor m_drawColor = clWindowText;
    TColor m_savedFontColor = clWindowText;
    bool m_flyByShown = false;
    bool m_blinkOn = false;
};
