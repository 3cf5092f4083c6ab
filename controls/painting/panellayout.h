#pragma once

#include "controls/framework/frametypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <vector>

// Where a caption of the given height goes inside a rect inset by the margin.
QRect PanelCaptionRect(const QRect &rect, int margin, int captionHeight,
                       TAlignmentVertical alignment);

// The grid of a panel: columns x (vertical lines, dots) and rows y, one per full spacing; a
// spacing of 0 gives none.
struct PanelGrid {
    std::vector<int> xs;
    std::vector<int> ys;
};
PanelGrid PanelGridLines(const QRect &rect, int spacingX, int spacingY);

// What a resize must repaint when the panel does not repaint whole: a strip along the right
// edge when the width changed and along the bottom when the height changed, each from the
// border area's edge (the nearer of old and new) less the frame margin.
std::vector<QRect> PanelResizeStrips(QSize oldSize, QSize newSize, const QRect &oldBorderArea,
                                     const QRect &newBorderArea, QPoint frameMargin);

// The status bar's rects for one size.
struct StatusBarGeometry {
    QRect client;
    // The client rect less its last row: the simple pane's frame is inset by one inside it and
    // the grip sits in its lower right corner.
    QRect pane;
    // Where a press starts sizing the form: the rightmost 13 pixels, full height.
    QRect grip;
};
StatusBarGeometry StatusBarLayout(QSize size, bool themesAvailable, bool simpleStatus);

// The six 2-pixel squares of the size grip's light layer in a rect; the dark layer is the same
// moved by (-1, -1).
std::array<QRect, 6> SizeGripSquares(const QRect &rect);

// A pane's new width when the bar grew by delta from the recorded width.
int ScaledPaneWidth(int paneWidth, int delta, int recordedWidth);

// The grabber of a docked control: across the top, or on the left of a panel aligned to the
// top or bottom.
inline constexpr int kDockGrabberSize = 14;
struct DockGrabber {
    QRect bar;
    QPoint captionOrigin;
    QRect closeGlyph;
};
DockGrabber DockGrabberLayout(const QRect &zone, bool grabberOnLeft);
// The part of a zone left to the docked control.
QRect AdjustDockRect(const QRect &zone, bool grabberOnLeft);
// The zones of docked controls sharing an area: side by side or one under the other.
std::vector<QRect> DockZones(const QRect &area, int count, bool sideBySide);
