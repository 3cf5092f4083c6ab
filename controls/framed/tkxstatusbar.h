#pragma once

#include "controls/framed/tkxcustompanel.h"

// A panel along the bottom of its form: a size grip in its lower right corner that sizes the
// form, and a simple-status mode that hides the panes and shows one caption in a framed pane.
class TKxStatusBar : public TKxCustomPanel {
    Q_OBJECT

public:
    static constexpr int kDefaultHeight = 19;

    explicit TKxStatusBar(QWidget *parent = nullptr);
    ~TKxStatusBar() override;

    bool AutoScalePanes() const { return m_autoScalePanes; }
    void SetAutoScalePanes(bool value) { m_autoScalePanes = value; }
    // While on, Loaded gives the bar its standard borders and height; a change of the borders
    // turns it off.
    bool AutoStyle() const { return m_autoStyle; }
    void SetAutoStyle(bool value) { m_autoStyle = value; }
    bool ShowSizeGrip() const { return m_showSizeGrip; }
    QString SimpleCaption() const { return m_simpleCaption; }
    TFrameStyle SimpleFrameStyle() const { return m_simpleFrameStyle; }
    bool SimpleStatus() const { return m_simpleStatus; }
    // The form can be sized through the grip: it is sizeable and not maximised.
    bool GripUsable() const { return m_gripUsable; }

    virtual void DrawSimpleFrame(QPainter &canvas, const QRect &rect);
    virtual void ApplyAutoStyle();
    virtual void SetShowSizeGrip(bool value);
    virtual void SetSimpleCaption(const QString &value);
    virtual void SetSimpleStatus(bool value);
    virtual void SetSimpleFrameStyle(TFrameStyle value);

    void SetBorderInner(TFrameStyleEx value) override;
    void SetBorderOuter(TFrameStyleEx value) override;
    void SetBorderSides(TSides value) override;
    std::pair<QColor, QColor> GradientColorPair() const override;
    void Loaded() override;

protected:
    // Hands the form to the window system for sizing from its lower right corner.
    virtual void BeginFormSizing();

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void UpdateGripUsable();
    bool GripActiveAt(const QPoint &pos) const;
    void PaintSizeGrip(QPainter &canvas, const QRect &rect);

    bool m_autoScalePanes = false;
    bool m_autoStyle = true;
    bool m_showSizeGrip = true;
    QString m_simpleCaption;
    TFrameStyle m_simpleFrameStyle = fsFlat;
    bool m_simpleStatus = false;
    bool m_gripUsable = false;
    // The width the panes were last scaled for; -1 until the first resize.
    int m_scaleWidth = -1;
};
