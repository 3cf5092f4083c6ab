#include "controls/painting/kindglyphs.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <memory>

namespace {

constexpr std::array<BitBtnKindInfo, kBitBtnKindCount> kKinds{{
    {"", 0, false, false},
    {"OK", 1, true, false},
    {"Cancel", 2, false, true},
    {"&Help", 0, false, false},
    {"&Yes", 6, true, false},
    {"&No", 7, false, true},
    {"&Close", 0, false, false},
    {"Abort", 3, false, false},
    {"&Retry", 4, false, false},
    {"&Ignore", 5, false, false},
    {"&All", 8, false, false},
}};

// The glyphs' transparent colour: the bottom-left pixel of each glyph.
const QColor kGlyphBackground(128, 128, 0);

QColor KindColor(TBitBtnKind kind) {
    switch (kind) {
    case bkOK:
    case bkYes:
    case bkAll:
        return QColor(0, 128, 0);
    case bkCancel:
    case bkNo:
    case bkAbort:
        return QColor(192, 0, 0);
    default:
        return QColor(0, 0, 160);
    }
}

// One 16 x 16 picture of a kind in one colour, at the cell's left edge.
void PaintKindCell(QPainter &p, TBitBtnKind kind, int left, const QColor &color) {
    p.save();
    p.translate(left, 0);
    p.setPen(QPen(color, 2));
    p.setBrush(Qt::NoBrush);
    QPainterPath check;
    check.moveTo(2, 8);
    check.lineTo(6, 12);
    check.lineTo(14, 3);
    switch (kind) {
    case bkOK:
    case bkYes:
        p.drawPath(check);
        break;
    case bkAll:
        p.drawPath(check);
        p.drawPath(check.translated(0, -3));
        break;
    case bkCancel:
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
        break;
    case bkNo:
        p.drawEllipse(QRect(2, 2, 11, 11));
        p.drawLine(4, 11, 11, 4);
        break;
    case bkHelp:
        p.drawArc(QRect(4, 1, 8, 7), 180 * 16, -270 * 16);
        p.drawLine(8, 8, 8, 10);
        p.drawPoint(8, 13);
        break;
    case bkClose:
        p.drawRect(QRect(3, 2, 9, 12));
        p.drawPoint(10, 8);
        break;
    case bkAbort:
        p.drawEllipse(QRect(2, 2, 11, 11));
        p.drawLine(5, 7, 10, 7);
        break;
    case bkRetry:
        p.drawArc(QRect(2, 2, 11, 11), 60 * 16, 270 * 16);
        p.drawLine(11, 1, 11, 5);
        p.drawLine(11, 5, 7, 5);
        break;
    case bkIgnore:
        p.drawLine(3, 8, 12, 8);
        break;
    case bkCustom:
        break;
    }
    p.restore();
}

QImage DrawKindGlyph(TBitBtnKind kind) {
    QImage glyph(2 * kKindGlyphCell, kKindGlyphCell, QImage::Format_RGB32);
    glyph.fill(kGlyphBackground);
    QPainter p(&glyph);
    PaintKindCell(p, kind, 0, KindColor(kind));
    PaintKindCell(p, kind, kKindGlyphCell, QColor(128, 128, 128));
    return glyph;
}

} // namespace

const BitBtnKindInfo &KindInfo(TBitBtnKind kind) {
    return kKinds[std::size_t(kind)];
}

QString KindCaption(TBitBtnKind kind) {
    return QString::fromLatin1(KindInfo(kind).caption);
}

QPixmap KindGlyph(TBitBtnKind kind) {
    // Kept as images: they may outlive the application object, which pixmaps must not.
    static std::array<std::unique_ptr<QImage>, kBitBtnKindCount> glyphs;
    std::unique_ptr<QImage> &glyph = glyphs[std::size_t(kind)];
    if (!glyph)
        glyph = std::make_unique<QImage>(kind == bkCustom ? QImage() : DrawKindGlyph(kind));
    return QPixmap::fromImage(*glyph);
}
