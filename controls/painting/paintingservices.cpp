#include "controls/painting/paintingservices.h"

#include "controls/painting/gradient.h"
#include "controls/painting/schemecolors.h"

#include <QBitmap>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

QRect CenteredRect(const QRect &rect, int width, int height) {
    return QRect(rect.left() + (rect.width() - width) / 2,
                 rect.top() + (rect.height() - height) / 2, width, height);
}

void PaintGradientRing(QPainter &canvas, const QRect &rect, TGradientDirection direction,
                       int colorSteps, const QColor &first, const QColor &second) {
    if (!FullColorDisplay())
        return;
    canvas.save();
    canvas.setClipRegion(QRegion(rect).subtracted(QRegion(rect.adjusted(2, 2, -2, -2))),
                         Qt::IntersectClip);
    FillGradientRect(canvas, rect, direction, colorSteps, first, second);
    canvas.restore();
}

void DrawTransparentBitmap(QPainter &canvas, const QRect &destination, const QPixmap &pixmap,
                           const QRect &source, const QColor &transparent) {
    QPixmap masked = pixmap.copy(source);
    masked.setMask(masked.createMaskFromColor(transparent, Qt::MaskInColor));
    canvas.drawPixmap(destination, masked);
}

void PaintParentBackground(QWidget *control, QPainter &canvas) {
    QWidget *parent = control->parentWidget();
    if (parent == nullptr)
        return;
    const QRect area = control->geometry().intersected(parent->rect());
    parent->render(&canvas, area.topLeft() - control->pos(), QRegion(area),
                   QWidget::DrawWindowBackground);
}

void InvalidateTransparentChildren(QWidget *container) {
    for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->property("Transparent").toBool())
            child->update();
    }
}

bool IsTrueTypeFont(const QFont &font) {
    const QFontInfo info(font);
    return QFontDatabase::isScalable(info.family(), info.styleName());
}

QRect MonitorWorkAreaOf(const QWidget *control) {
    const QScreen *screen = control->window()->screen();
    return MonitorWorkArea(screen != nullptr ? screen : QGuiApplication::primaryScreen());
}

int MonitorWorkAreaWidth(const QWidget *control) {
    return MonitorWorkAreaOf(control).width();
}

QRect MonitorWorkArea(const QScreen *screen) {
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

QRect MonitorBounds(const QScreen *screen) {
    return screen != nullptr ? screen->geometry() : QRect();
}

QScreen *MonitorAtPoint(const QPoint &point) {
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen->geometry().contains(point))
            return screen;
    }
    return nullptr;
}
