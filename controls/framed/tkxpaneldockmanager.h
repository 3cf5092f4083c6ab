#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <vector>

class QPainter;
class QWidget;
class TKxCustomPanel;

// The dock manager of a panel that is a dock site: it lays the docked controls out side by
// side (on a panel aligned to the top or bottom) or one under the other, keeps a grabber of
// 14 pixels beside each (on its left or across its top) with the control's caption and a close
// glyph, and hides a control whose close glyph is pressed. It watches the panel's events while
// it lives and repaints the grabbers when a press or a command may have moved the focus.
class TKxPanelDockManager : public QObject {
    Q_OBJECT

public:
    explicit TKxPanelDockManager(TKxCustomPanel *site);
    ~TKxPanelDockManager() override;

    void InsertControl(QWidget *control);
    // Forgets a control; it may be half destroyed, so it is only compared.
    void RemoveControl(QObject *control);
    bool IsDocked(const QWidget *control) const;
    QList<QWidget *> DockedControls() const;

    // The grabber sits on the left of controls docked on a panel aligned to the top or bottom.
    bool GrabberOnLeft() const;
    // The zones of the visible docked controls, in their order.
    std::vector<QRect> Zones() const;
    // The rect of a zone left to its control.
    QRect AdjustDockRect(const QRect &zone) const;
    // Places every visible docked control in its zone.
    void ResetBounds();

    // Paints the grabbers of every visible docked control.
    void PaintSite(QPainter &canvas);
    virtual void PaintDockFrame(QPainter &canvas, QWidget *control, const QRect &zone);

    QFont CaptionFont() const { return m_captionFont; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> VisibleControls() const;
    void PaintCloseGlyph(QPainter &canvas, const QRect &rect, const QColor &color) const;

    TKxCustomPanel *m_site;
    QList<QPointer<QWidget>> m_controls;
    QFont m_captionFont;
};
