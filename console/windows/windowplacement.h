#pragma once

#include <QRect>
#include <QSize>

// A window's frame moved inside `available` (the screen's area for windows); a frame larger
// than the area keeps its top left corner in it.
QRect moveInside(QRect frame, const QRect &available);

// The size of a dialog whose content has the size `defined`: that size wherever it fits the
// area with the window's frame (`frameExtra` beyond the dialog itself), else as large as the
// area leaves room for; the dialog scrolls the rest. A dimension cut short makes room, where
// the area has it, for the scroll bar (`scrollBar` pixels) across the other.
QSize fittedDialogSize(const QSize &defined, const QSize &frameExtra, const QRect &available,
                       int scrollBar);

// Where a notice of size `box` goes so that it covers none of `keep` (the editors it is
// about): left of it, else right of it, else above, else below, level with its top or its
// left, wherever it lies whole inside `available`; left of it moved inside the area when none
// does.
QPoint besideRect(const QSize &box, const QRect &keep, const QRect &available);
