#pragma once

#include "controls/framework/frametypes.h"

#include <QColor>
#include <QRect>

class QFont;
class QPainter;
class QPixmap;
class QScreen;
class QWidget;

// A rect of the given size centred in another (halves truncated toward zero).
QRect CenteredRect(const QRect &rect, int width, int height);

// On a full-colour display, a gradient in a 2-pixel ring along the rect's edges.
void PaintGradientRing(QPainter &canvas, const QRect &rect, TGradientDirection direction,
                       int colorSteps, const QColor &first, const QColor &second);

// Stretches a source rect of a pixmap into a destination rect, leaving out the pixels of one
// transparent colour.
void DrawTransparentBitmap(QPainter &canvas, const QRect &destination, const QPixmap &pixmap,
                           const QRect &source, const QColor &transparent);

// Paints what lies under a transparent control: its parent's background and own painting,
// without the parent's children.
void PaintParentBackground(QWidget *control, QPainter &canvas);

// Repaints every child of a container that publishes a "Transparent" property set to true.
void InvalidateTransparentChildren(QWidget *container);

// Whether the font's outlines scale (the platform's TrueType test).
bool IsTrueTypeFont(const QFont &font);

// The work area (screen minus panels) of the screen nearest to the control's window.
QRect MonitorWorkAreaOf(const QWidget *control);
int MonitorWorkAreaWidth(const QWidget *control);
QRect MonitorWorkArea(const QScreen *screen);
QRect MonitorBounds(const QScreen *screen);
// The first screen, in the screens' order, whose rect holds the point; none when none does.
QScreen *MonitorAtPoint(const QPoint &point);
