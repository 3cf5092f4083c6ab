#pragma once

#include <QRect>

#include <vector>

class QWidget;

// Where a control keeps itself inside its parent: along an edge at its own thickness, over the
// rest of the area, or where it was put.
enum TAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A widget's alignment, kept as its "Align" property so any container can read it.
TAlign AlignOf(const QWidget *widget);
void SetAlignOf(QWidget *widget, TAlign align);

struct AlignedControl {
    TAlign align = alNone;
    QRect bounds;
};

// The bounds of aligned controls inside an area: first the top ones from the top down, then
// the bottom ones from the bottom up, the left ones, the right ones, and last the client ones
// over what remains; controls of one kind in their order. Unaligned controls keep their bounds.
std::vector<QRect> AlignedBounds(const QRect &area, const std::vector<AlignedControl> &controls);

// Bounds that keep a bottom-aligned control's bottom edge and a right-aligned control's right
// edge when its height or width changes.
QRect KeepAlignedEdge(TAlign align, const QRect &old, const QRect &requested);
