#pragma once

#include "controls/framed/borderedcontrol.h"
#include "controls/framework/componentstate.h"
#include "controls/framework/controlalign.h"
#include "controls/framework/frametypes.h"
#include "controls/framework/kxevents.h"
#include "controls/framework/tcolor.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QPainter;
class TKxPanelDockManager;

using TKxPanelPaintEvent = std::function<void(QObject *sender, QPainter &canvas)>;

// A container panel: inner and outer borders on chosen sides, a flat border colour, a gradient
// or plain fill, an optional grid, a word-wrapped caption, and a memory of its children's
// enabled states. Children with an alignment are laid out inside the borders; as a dock site it
// hands its docked controls to a dock manager that draws their grabbers.
class TKxCustomPanel : public QWidget, public ComponentState, public BorderedControl {
    Q_OBJECT
    // Children with ParentColor read the colour through the property.
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)

public:
    explicit TKxCustomPanel(QWidget *parent = nullptr);
    ~TKxCustomPanel() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    // The fill colour; with ParentColor the parent's.
    TColor Color() const;
    void SetColor(TColor value) override;
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value) override;
    bool FullRepaint() const { return m_fullRepaint; }
    void SetFullRepaint(bool value) { m_fullRepaint = value; }
    bool Locked() const { return m_locked; }
    void SetLocked(bool value) { m_locked = value; }
    TAlign Align() const { return AlignOf(this); }
    void SetAlign(TAlign value);
    // Moves and sizes the panel; a bottom- or right-aligned one keeps that edge.
    virtual void SetBounds(const QRect &bounds);

    TColor BorderHighlightColor() const { return Layers().highlightColor; }
    TColor BorderShadowColor() const { return Layers().shadowColor; }
    TKxGradientColorStyle GradientColorStyle() const { return m_gradientColorStyle; }
    TColor GradientColorStart() const { return m_gradientColorStart; }
    TColor GradientColorStop() const { return m_gradientColorStop; }
    TGradientDirection GradientDirection() const { return m_gradientDirection; }
    TKxVisualStyle VisualStyle() const { return m_visualStyle; }
    TAlignmentVertical CaptionVertAlignment() const { return m_captionVertAlignment; }
    int CaptionMargin() const { return m_captionMargin; }
    bool CaptionWordWrap() const { return m_captionWordWrap; }
    bool FillClientArea() const { return m_fillClientArea; }
    bool TransparentBackground() const { return m_transparentBackground; }
    bool GridVisible() const { return m_gridVisible; }
    TColor GridLineColor() const { return m_gridLineColor; }
    // 0 dots, 1 dotted lines, 2 solid lines.
    std::uint8_t GridLineStyle() const { return m_gridLineStyle; }
    std::uint16_t GridSpacingX() const { return m_gridSpacingX; }
    std::uint16_t GridSpacingY() const { return m_gridSpacingY; }
    bool OwnDockCaptions() const { return m_ownDockCaptions; }
    void SetOwnDockCaptions(bool value) { m_ownDockCaptions = value; }

    virtual void SetCaptionVertAlignment(TAlignmentVertical value);
    virtual void SetBorderHighlightColor(TColor value);
    virtual void SetBorderShadowColor(TColor value);
    virtual void SetGradientColorStyle(TKxGradientColorStyle value);
    virtual void SetGradientColorStart(TColor value);
    virtual void SetGradientColorStop(TColor value);
    virtual void SetGradientDirection(TGradientDirection value);
    virtual void SetGridLineColor(TColor value);
    virtual void SetGridLineStyle(std::uint8_t value);
    virtual void SetGridSpacingX(std::uint16_t value);
    virtual void SetGridSpacingY(std::uint16_t value);
    virtual void SetFillClientArea(bool value);
    virtual void SetGridVisible(bool value);
    virtual void SetTransparentBackground(bool value);
    virtual void SetCaptionMargin(int value);
    virtual void SetCaptionWordWrap(bool value);
    virtual void SetVisualStyle(TKxVisualStyle value);

    // Docking: a dock site with UseDockManager gets a dock manager that lays out and captions
    // the controls docked on it.
    bool DockSite() const { return m_dockSite; }
    void SetDockSite(bool value);
    bool UseDockManager() const { return m_useDockManager; }
    void SetUseDockManager(bool value);
    TKxPanelDockManager *DockManager() const { return m_dockManager.get(); }
    // Docks a control on this panel (it becomes a child).
    void DockControl(QWidget *control);

    // The caption's colour: the panel's own text colour.
    QColor FontColor() const { return palette().color(QPalette::Active, foregroundRole()); }

    // The mouse position in client coordinates.
    virtual QPoint CursorPosInClient() const;
    virtual QRect BorderAreaRect(const QRect &rect, bool withBorderWidth) const;
    virtual QRect WholeRect() const;
    virtual QPoint FrameMargin() const;
    // The gradient's two colours, first and second.
    virtual std::pair<QColor, QColor> GradientColorPair() const;
    // The flat border colour and its adjustment.
    virtual std::pair<QColor, int> FlatFrameColorPair() const;
    virtual void DrawPanelCaption(QPainter &canvas, const QRect &rect);
    virtual void DrawGridLines(QPainter &canvas, const QRect &rect);
    void FrameControllerChanged() override;
    // Lays the aligned children out inside the borders.
    virtual void AlignControls();
    // The area the dock manager lays docked controls out in.
    QRect DockClientRect() const;

    void Loaded() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKxPanelPaintEvent OnPaint;

protected:
    // The panel's own painting: borders, fill, grid, caption, then OnPaint.
    void PaintPanel(QPainter &canvas);
    // Repaints the panel and every child control.
    void InvalidateWithChildren();
    // Re-aligns and repaints after a change of the border geometry.
    void BordersChanged() override;
    QColor ShownColor() const override;
    void SetBevelColors(TColor highlight, TColor shadow) override;
    QList<QWidget *> ChildControls() const;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void CreateDockManager();
    void EnabledChanged();
    // Stores a changed value; Change also repaints.

    QString m_caption;
    TAlignment m_alignment = taCenter;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    bool m_fullRepaint = true;
    bool m_locked = false;
    TKxGradientColorStyle m_gradientColorStyle = gcsSystem;
    TColor m_gradientColorStart = clWhite;
    TColor m_gradientColorStop = clBtnFace;
    TGradientDirection m_gradientDirection = gdHorizontalEnd;
    TKxVisualStyle m_visualStyle = vsWinXP;
    TAlignmentVertical m_captionVertAlignment = avCenter;
    int m_captionMargin = 0;
    bool m_captionWordWrap = true;
    bool m_fillClientArea = true;
    bool m_transparentBackground = false;
    bool m_gridVisible = false;
    TColor m_gridLineColor = clBtnShadow;
    std::uint8_t m_gridLineStyle = 0;
    std::uint16_t m_gridSpacingX = 8;
    std::uint16_t m_gridSpacingY = 8;
    bool m_ownDockCaptions = true;
    bool m_dockSite = false;
    bool m_useDockManager = true;
    bool m_aligning = false;
    std::unique_ptr<TKxPanelDockManager> m_dockManager;
    // The children's enabled states when the panel was disabled: true for "was enabled".
    std::vector<std::pair<QPointer<QWidget>, bool>> m_childStates;
};
