#include "controls/framed/tkxpaneldockmanager.h"

#include "controls/framed/tkxcustompanel.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/tcolor.h"
#include "controls/painting/paintingservices.h"
#include "controls/painting/panellayout.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

TKxPanelDockManager::TKxPanelDockManager(TKxCustomPanel *site)
    : m_site(site)
    , m_captionFont(QStringLiteral("Verdana"), 8) {
    site->installEventFilter(this);
    // A focus moving into or out of a docked control changes its caption's colours.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        const auto inside = [this](QWidget *w) { return w != nullptr && m_site->isAncestorOf(w); };
        if (inside(old) || inside(now))
            m_site->update();
    });
}

TKxPanelDockManager::~TKxPanelDockManager() {
    m_site->removeEventFilter(this);
}

void TKxPanelDockManager::InsertControl(QWidget *control) {
    if (control == nullptr || IsDocked(control))
        return;
    m_controls.append(control);
    ResetBounds();
    m_site->update();
}

void TKxPanelDockManager::RemoveControl(QObject *control) {
    const auto before = m_controls.size();
    m_controls.removeIf([control](const QPointer<QWidget> &docked) {
        return docked.isNull() || static_cast<QObject *>(docked.data()) == control;
    });
    if (m_controls.size() != before) {
        ResetBounds();
        m_site->update();
    }
}

bool TKxPanelDockManager::IsDocked(const QWidget *control) const {
    for (const QPointer<QWidget> &docked : m_controls) {
        if (docked == control)
            return true;
    }
    return false;
}

QList<QWidget *> TKxPanelDockManager::DockedControls() const {
    QList<QWidget *> controls;
    for (const QPointer<QWidget> &docked : m_controls) {
        if (docked)
            controls.append(docked);
    }
    return controls;
}

QList<QWidget *> TKxPanelDockManager::VisibleControls() const {
    QList<QWidget *> controls;
    for (QWidget *control : DockedControls()) {
        if (!(control->isHidden() && control->testAttribute(Qt::WA_WState_ExplicitShowHide)))
            controls.append(control);
    }
    return controls;
}

bool TKxPanelDockManager::GrabberOnLeft() const {
    const TAlign align = m_site->Align();
    return align == alTop || align == alBottom;
}

std::vector<QRect> TKxPanelDockManager::Zones() const {
    return DockZones(m_site->DockClientRect(), int(VisibleControls().size()), GrabberOnLeft());
}

QRect TKxPanelDockManager::AdjustDockRect(const QRect &zone) const {
    return ::AdjustDockRect(zone, GrabberOnLeft());
}

void TKxPanelDockManager::ResetBounds() {
    const QList<QWidget *> controls = VisibleControls();
    const std::vector<QRect> zones = Zones();
    for (int i = 0; i < controls.size(); ++i)
        controls[i]->setGeometry(AdjustDockRect(zones[std::size_t(i)]));
}

void TKxPanelDockManager::PaintSite(QPainter &canvas) {
    const QList<QWidget *> controls = VisibleControls();
    const std::vector<QRect> zones = Zones();
    for (int i = 0; i < controls.size(); ++i)
        PaintDockFrame(canvas, controls[i], zones[std::size_t(i)]);
}

void TKxPanelDockManager::PaintDockFrame(QPainter &canvas, QWidget *control, const QRect &zone) {
    const QPalette palette = SystemPalette(m_site);
    const bool left = GrabberOnLeft();
    const DockGrabber grabber = DockGrabberLayout(zone, left);
    canvas.save();
    if (!m_site->OwnDockCaptions()) {
        canvas.fillRect(grabber.bar, clBtnFace.Resolve(palette));
        PaintCloseGlyph(canvas, grabber.closeGlyph, clBtnText.Resolve(palette));
        canvas.restore();
        return;
    }
    QWidget *focused = QApplication::focusWidget();
    const bool active =
        focused != nullptr && (focused == control || control->isAncestorOf(focused));
    const QColor bar = (active ? clActiveCaption : clInactiveCaption).Resolve(palette);
    const QColor text = (active ? clCaptionText : clInactiveCaptionText).Resolve(palette);
    canvas.fillRect(grabber.bar, bar);
    canvas.setFont(m_captionFont);
    canvas.setClipRect(grabber.bar);
    const QString caption = control->windowTitle();
    if (left) {
        // Drawn upwards: the baseline runs up the bar from its bottom.
        canvas.setPen(clCaptionText.Resolve(palette));
        canvas.translate(grabber.captionOrigin);
        canvas.rotate(-90);
        canvas.drawText(QPoint(0, 0), caption);
        canvas.resetTransform();
    } else {
        canvas.setPen(text);
        canvas.drawText(QRect(grabber.captionOrigin,
                              QPoint(grabber.closeGlyph.left() - 1, grabber.bar.bottom())),
                        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
    }
    canvas.setClipping(false);
    PaintCloseGlyph(canvas, grabber.closeGlyph, left ? clCaptionText.Resolve(palette) : text);
    canvas.restore();
}

void TKxPanelDockManager::PaintCloseGlyph(QPainter &canvas, const QRect &rect,
                                          const QColor &color) const {
    // A cross in the middle of the glyph's box.
    const QRect box = CenteredRect(rect, 7, 7);
    canvas.setPen(QPen(color, 1));
    canvas.drawLine(box.topLeft(), box.bottomRight());
    canvas.drawLine(box.topRight(), box.bottomLeft());
}

bool TKxPanelDockManager::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_site)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        m_site->update();
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        const QList<QWidget *> controls = VisibleControls();
        const std::vector<QRect> zones = Zones();
        for (int i = 0; i < controls.size(); ++i) {
            if (DockGrabberLayout(zones[std::size_t(i)], GrabberOnLeft())
                    .closeGlyph.contains(press->position().toPoint())) {
                controls[i]->hide();
                ResetBounds();
                return true;
            }
        }
    }
    return false;
}
