#pragma once

#include "controls/framework/componentstate.h"
#include "controls/framework/frametypes.h"
#include "controls/framework/kxevents.h"
#include "controls/framework/tcolor.h"

#include <QAbstractButton>

class QPainter;

// The library's owner-painted push button base: mouse tracking with the pressed look, hot
// tracking, 3-D caption text and the visual-style switch.
class TKxCustomButton : public QAbstractButton, public ComponentState {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    explicit TKxCustomButton(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption);

    TAlignmentVertical AlignmentVertical() const { return m_alignmentVertical; }
    bool HotTrack() const { return m_hotTrack; }
    TColor HotTrackColor() const { return m_hotTrackColor; }
    TKxHotTrackColorType HotTrackColorType() const { return m_hotTrackColorType; }
    TColor HighlightColor() const { return m_highlightColor; }
    bool LightTextStyle() const { return m_lightTextStyle; }
    TTextStyle TextStyle() const { return m_textStyle; }
    TColor TextHighlightColor() const { return m_textHighlightColor; }
    TColor TextShadowColor() const { return m_textShadowColor; }
    int TextShadowDepth() const { return m_textShadowDepth; }
    bool ThemeAware() const { return m_themeAware; }
    bool Transparent() const { return m_transparent; }

    virtual void SetAlignmentVertical(TAlignmentVertical value);
    virtual void SetHotTrack(bool value);
    void SetHotTrackColor(TColor value);
    void SetHotTrackColorType(TKxHotTrackColorType value);
    virtual void SetHighlightColor(TColor value);
    virtual void SetLightTextStyle(bool value);
    virtual void SetTextStyle(TTextStyle value);
    virtual void SetTextHighlightColor(TColor value);
    virtual void SetTextShadowColor(TColor value);
    virtual void SetTextShadowDepth(int value);
    virtual void SetThemeAware(bool value);
    virtual void SetTransparent(bool value);

    bool ShowPressed() const { return m_showPressed; }
    bool MouseInside() const { return m_mouseInside; }
    bool Tracking() const { return m_tracking; }

    // The themed look is in use: the button follows themes and they are on.
    bool UsesThemedLook() const;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void EraseBackground(QPainter &canvas);
    virtual void ButtonStateChanged();
    virtual void RepaintButton();
    virtual QRect ButtonArea() const;
    virtual void DrawCaptionText(QPainter &canvas, const QRect &rect, unsigned flags);
    virtual void ButtonClicked() = 0;

    void SetShowPressed(bool value) { m_showPressed = value; }
    // The colour a framework colour shows on this button.

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void MouseInsideChanged(bool inside);

    TAlignmentVertical m_alignmentVertical = avCenter;
    bool m_hotTrack = false;
    TColor m_hotTrackColor = TColor(0x149BF0u);
    TKxHotTrackColorType m_hotTrackColorType = htctActual;
    TColor m_highlightColor = clHighlight;
    bool m_lightTextStyle = false;
    TTextStyle m_textStyle = tsNormal;
    TColor m_textHighlightColor = clBtnHighlight;
    TColor m_textShadowColor = clBtnShadow;
    int m_textShadowDepth = 2;
    bool m_themeAware = true;
    bool m_transparent = false;
    bool m_showPressed = false;
    bool m_mouseInside = false;
    bool m_tracking = false;
};
