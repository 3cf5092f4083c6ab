#include "controls/painting/colorarithmetic.h"
#include "controls/painting/framepainting.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor kBackground(255, 0, 255);
const QColor kFace(200, 200, 200);
const QColor kShadow(100, 100, 100);
const QColor kHighlight(255, 255, 255);
const QColor kLight(230, 230, 230);
const QColor kDarkShadow(0, 0, 0);
const QColor kWindow(250, 250, 240);
const QColor kButtonText(10, 20, 30);

QPalette TestPalette() {
    QPalette palette;
    palette.setColor(QPalette::Button, kFace);
    palette.setColor(QPalette::Dark, kShadow);
    palette.setColor(QPalette::Light, kHighlight);
    palette.setColor(QPalette::Midlight, kLight);
    palette.setColor(QPalette::Shadow, kDarkShadow);
    palette.setColor(QPalette::Base, kWindow);
    palette.setColor(QPalette::ButtonText, kButtonText);
    return palette;
}

// A 10 x 8 canvas filled with a colour no border uses.
class Canvas {
public:
    Canvas()
        : m_image(10, 8, QImage::Format_RGB32) {
        m_image.fill(kBackground);
    }
    QImage &Image() { return m_image; }
    QColor At(int x, int y) const { return m_image.pixelColor(x, y); }

private:
    QImage m_image;
};

std::string Name(const QColor &c) {
    return c.name().toStdString();
}

struct BorderCase {
    const char *name;
    TFrameStyle style;
    TSides sides;
    QColor leftOuter, leftInner, rightOuter, rightInner;
    QRect inner;
};

TEST(FramePainting, StyledBorderColoursAndInsetPerStyle) {
    const TSides all = TSides::All();
    const TSides leftTop = TSides().With(sdLeft).With(sdTop);
    const QColor bg = kBackground;
    const std::vector<BorderCase> cases{
        {"none", fsNone, all, bg, bg, bg, bg, QRect(0, 0, 10, 8)},
        {"flat", fsFlat, all, kDarkShadow, bg, kDarkShadow, bg, QRect(1, 1, 8, 6)},
        {"groove", fsGroove, all, kShadow, kHighlight, kHighlight, kShadow, QRect(2, 2, 6, 4)},
        {"bump", fsBump, all, kHighlight, kShadow, kShadow, kHighlight, QRect(2, 2, 6, 4)},
        {"lowered", fsLowered, all, kShadow, kDarkShadow, kHighlight, kLight, QRect(2, 2, 6, 4)},
        {"raised", fsRaised, all, kLight, kHighlight, kDarkShadow, kShadow, QRect(2, 2, 6, 4)},
        {"button up", fsButtonUp, all, kHighlight, kLight, kDarkShadow, kShadow, QRect(2, 2, 6, 4)},
        {"button down", fsButtonDown, all, kButtonText, kShadow, kButtonText, kShadow,
         QRect(2, 2, 6, 4)},
        {"status", fsStatus, all, kShadow, bg, kHighlight, bg, QRect(1, 1, 8, 6)},
        {"popup", fsPopup, all, kHighlight, bg, kShadow, bg, QRect(1, 1, 8, 6)},
        {"flat bold", fsFlatBold, all, kShadow, kShadow, kShadow, kShadow, QRect(2, 2, 6, 4)},
        {"lowered left and top", fsLowered, leftTop, kShadow, kDarkShadow, bg, bg,
         QRect(2, 2, 8, 6)},
        {"flat left and top", fsFlat, leftTop, kDarkShadow, bg, bg, bg, QRect(1, 1, 9, 7)},
    };
    for (const BorderCase &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        QPainter painter(&canvas.Image());
        const QRect inner =
            PaintStyledBorder(painter, TestPalette(), QRect(0, 0, 10, 8), c.style, c.sides);
        painter.end();
        EXPECT_EQ(inner, c.inner);
        EXPECT_EQ(Name(canvas.At(0, 4)), Name(c.leftOuter));
        EXPECT_EQ(Name(canvas.At(1, 4)), Name(c.leftInner));
        EXPECT_EQ(Name(canvas.At(9, 4)), Name(c.rightOuter));
        EXPECT_EQ(Name(canvas.At(8, 4)), Name(c.rightInner));
        EXPECT_EQ(Name(canvas.At(4, 4)), Name(kBackground));
    }
}

TEST(FramePainting, GrooveOutlinesInterlockAtTheCorners) {
    Canvas canvas;
    QPainter painter(&canvas.Image());
    PaintStyledBorder(painter, TestPalette(), QRect(0, 0, 10, 8), fsGroove, TSides::All());
    painter.end();
    EXPECT_EQ(Name(canvas.At(0, 0)), Name(kShadow));
    EXPECT_EQ(Name(canvas.At(9, 0)), Name(kHighlight));
    EXPECT_EQ(Name(canvas.At(0, 7)), Name(kHighlight));
    EXPECT_EQ(Name(canvas.At(9, 7)), Name(kHighlight));
    EXPECT_EQ(Name(canvas.At(1, 1)), Name(kHighlight));
    EXPECT_EQ(Name(canvas.At(8, 6)), Name(kShadow));
}

TEST(FramePainting, NoneColourSkipsItsSidesButStillShrinks) {
    Canvas canvas;
    QPainter painter(&canvas.Image());
    const QRect inner =
        PaintFrameSides(painter, QRect(0, 0, 10, 8), kShadow, QColor(), TSides::All());
    painter.end();
    EXPECT_EQ(inner, QRect(1, 1, 8, 6));
    EXPECT_EQ(Name(canvas.At(0, 4)), Name(kShadow));
    EXPECT_EQ(Name(canvas.At(4, 0)), Name(kShadow));
    EXPECT_EQ(Name(canvas.At(9, 4)), Name(kBackground));
    EXPECT_EQ(Name(canvas.At(4, 7)), Name(kBackground));
}

TEST(FramePainting, TintedBorderDerivesItsColoursFromTheBase) {
    const QColor base(200, 40, 40);
    Canvas canvas;
    QPainter painter(&canvas.Image());
    PaintTintedBorder(painter, QRect(0, 0, 10, 8), base, TSides::All(), fsLowered);
    painter.end();
    EXPECT_EQ(Name(canvas.At(0, 4)), Name(ShadeDarker(base, 50)));
    EXPECT_EQ(Name(canvas.At(9, 4)), Name(ShadeLighter(base, 100)));
    EXPECT_EQ(Name(canvas.At(1, 4)), Name(ShadeDarker(base, 100)));
    EXPECT_EQ(Name(canvas.At(8, 4)), Name(ShadeLighter(base, 50)));
}

struct ControlFrameCase {
    const char *name;
    TFrameStyle style;
    TColor control;
    QColor outer, second, third;
};

TEST(FramePainting, ControlFramePaintsABandInTheControlColourUnderTheFrame) {
    const QColor red(200, 0, 0);
    const std::vector<ControlFrameCase> cases{
        {"flat", fsFlat, clWindow, kShadow, kWindow, kBackground},
        {"flat bold", fsFlatBold, clWindow, kShadow, kShadow, kBackground},
        {"styled on the window colour", fsLowered, clWindow, kShadow, kDarkShadow, kBackground},
        {"tinted on another colour", fsStatus, TColor::FromQColor(red), ShadeDarker(red, 50), red,
         kBackground},
    };
    for (const ControlFrameCase &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas;
        QPainter painter(&canvas.Image());
        PaintControlFrame(painter, TestPalette(), QSize(10, 8), TSides::All(), clBtnShadow,
                          c.control, c.style);
        painter.end();
        EXPECT_EQ(Name(canvas.At(0, 4)), Name(c.outer));
        EXPECT_EQ(Name(canvas.At(1, 4)), Name(c.second));
        EXPECT_EQ(Name(canvas.At(2, 4)), Name(c.third));
    }
}

TEST(FramePainting, CutCornerAndDottedBorders) {
    Canvas cut;
    QPainter painter(&cut.Image());
    PaintCutCornerBorder(painter, QRect(0, 0, 10, 8), kShadow, TSides::All());
    painter.end();
    EXPECT_EQ(Name(cut.At(0, 0)), Name(kBackground));
    EXPECT_EQ(Name(cut.At(1, 1)), Name(kShadow));
    EXPECT_EQ(Name(cut.At(1, 0)), Name(kShadow));
    EXPECT_EQ(Name(cut.At(9, 7)), Name(kBackground));

    Canvas dotted;
    painter.begin(&dotted.Image());
    PaintDottedBorder(painter, QRect(0, 0, 10, 8));
    painter.end();
    EXPECT_EQ(Name(dotted.At(0, 0)), Name(kBackground));
    EXPECT_EQ(Name(dotted.At(1, 0)), Name(QColor(0, 0, 0)));
    EXPECT_EQ(Name(dotted.At(2, 0)), Name(kBackground));
    EXPECT_EQ(Name(dotted.At(0, 1)), Name(QColor(0, 0, 0)));
}

TEST(FramePainting, BoxCornersAndDoubleBorder) {
    Canvas corners;
    QPainter painter(&corners.Image());
    PaintBoxCorners(painter, QRect(0, 0, 10, 8), kShadow, 3);
    painter.end();
    // Pieces of length 3 from each corner along both sides, nothing between them.
    for (const QPoint &p : {QPoint(0, 0), QPoint(2, 0), QPoint(0, 2), QPoint(9, 0), QPoint(7, 0),
                            QPoint(9, 2), QPoint(0, 7), QPoint(0, 5), QPoint(9, 7), QPoint(9, 5)})
        EXPECT_EQ(Name(corners.At(p.x(), p.y())), Name(kShadow)) << p.x() << "," << p.y();
    for (const QPoint &p : {QPoint(3, 0), QPoint(6, 0), QPoint(0, 3), QPoint(0, 4), QPoint(1, 1)})
        EXPECT_EQ(Name(corners.At(p.x(), p.y())), Name(kBackground)) << p.x() << "," << p.y();

    Canvas twice;
    painter.begin(&twice.Image());
    const QRect inner =
        PaintDoubleBorder(painter, TestPalette(), QRect(0, 0, 10, 8), fsFlat, fsFlat, 1, kWindow);
    painter.end();
    // The outer line, a band of the border width in the control colour, the inner line.
    EXPECT_EQ(inner, QRect(3, 3, 4, 2));
    EXPECT_EQ(Name(twice.At(0, 4)), Name(kDarkShadow));
    EXPECT_EQ(Name(twice.At(1, 4)), Name(kWindow));
    EXPECT_EQ(Name(twice.At(2, 4)), Name(kDarkShadow));
    EXPECT_EQ(Name(twice.At(3, 4)), Name(kBackground));
}

} // namespace
