#pragma once

#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

// Where the two pane windows' frames go the first time each is shown. `wanted` holds their
// frames beside the main window, pane 1's left of pane 2's. The pair is moved inside
// `available` (the screen's area for windows) as a whole, so the panes lie side by side
// wherever the area is wide enough, and otherwise overlap as little as the area allows. Then
// each pane moves off every rectangle of `keepClear` (the main window's SETTING and LOG
// buttons, in screen coordinates) to the nearest place in the area that covers none of them,
// where there is one; pane 2 prefers places that cover pane 1 least. A frame larger than
// the area keeps its top left corner in it.
std::array<QPoint, 2> firstPanePositions(const std::array<QRect, 2> &wanted, const QRect &available,
                                         const std::vector<QRect> &keepClear);
