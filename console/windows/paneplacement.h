#pragma once

#include <QPoint>
#include <QRect>

// Where a pane window's frame goes the first time it is shown: at `wanted` (the frame's
// rectangle beside the main window) moved inside `available` (the screen's area for windows),
// and above `keepClear` (the main window's buttons, in screen coordinates) where the screen
// leaves room for that. A frame larger than the area keeps its top left corner in it.
QPoint firstPanePosition(const QRect &wanted, const QRect &available, const QRect &keepClear);
