#include "controls/painting/gradient.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct BandCase {
    const char *name;
    int lines;
    QColor from, to;
    int steps;
    bool box;
    std::vector<GradientBand> bands;
};

TEST(Gradient, BandsFollowTheFixedPointSteps) {
    const QColor black(0, 0, 0);
    const QColor red(255, 0, 0);
    const std::vector<BandCase> cases{
        {"no lines", 0, black, red, 1, false, {}},
        {"one step a line",
         4,
         black,
         red,
         1,
         false,
         {{0, 1, QColor(0, 0, 0)},
          {1, 1, QColor(63, 0, 0)},
          {2, 1, QColor(127, 0, 0)},
          {3, 1, QColor(191, 0, 0)}}},
        {"many steps give wider bands",
         4,
         black,
         red,
         255,
         false,
         {{0, 2, QColor(0, 0, 0)}, {2, 2, QColor(127, 0, 0)}}},
        {"box modes divide 256",
         4,
         black,
         red,
         256,
         true,
         {{0, 2, QColor(0, 0, 0)}, {2, 2, QColor(127, 0, 0)}}},
        {"equal colours join one band",
         10,
         black,
         QColor(2, 0, 0),
         1,
         false,
         {{0, 6, QColor(0, 0, 0)}, {6, 4, QColor(1, 0, 0)}}},
        {"zero steps count as one",
         2,
         black,
         red,
         0,
         false,
         {{0, 1, QColor(0, 0, 0)}, {1, 1, QColor(127, 0, 0)}}},
    };
    for (const BandCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GradientBands(c.lines, c.from, c.to, c.steps, c.box), c.bands);
    }
}

QImage Paint(QSize size, TGradientDirection direction, const QColor &first, const QColor &second) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    FillGradientRect(painter, QRect(QPoint(0, 0), size), direction, 1, first, second);
    return image;
}

TEST(Gradient, EqualColoursGiveOneSolidFill) {
    const QImage image = Paint(QSize(12, 9), gdDiagonalUp, QColor(10, 20, 30), QColor(10, 20, 30));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), QColor(10, 20, 30));
    }
}

TEST(Gradient, EndAndCentreModesPlaceTheFirstColour) {
    const QColor first(0, 0, 0);
    const QColor second(240, 240, 240);
    const QImage horizontal = Paint(QSize(6, 10), gdHorizontalEnd, first, second);
    EXPECT_EQ(horizontal.pixelColor(3, 9), first);
    EXPECT_GT(horizontal.pixelColor(3, 0).red(), 200);
    const QImage vertical = Paint(QSize(10, 6), gdVerticalEnd, first, second);
    EXPECT_EQ(vertical.pixelColor(9, 3), first);
    EXPECT_GT(vertical.pixelColor(0, 3).red(), 200);
    const QImage centre = Paint(QSize(6, 10), gdHorizontalCenter, first, second);
    EXPECT_EQ(centre.pixelColor(3, 5), first);
    EXPECT_EQ(centre.pixelColor(3, 4), first);
    EXPECT_GT(centre.pixelColor(3, 0).red(), 150);
    EXPECT_GT(centre.pixelColor(3, 9).red(), 150);
}

TEST(Gradient, CentreModesOnOnePixelRectangles) {
    const QColor first(0, 0, 0);
    const QColor second(240, 240, 240);
    const QImage row = Paint(QSize(5, 1), gdHorizontalCenter, first, second);
    EXPECT_EQ(row.pixelColor(2, 0), first);
    const QImage column = Paint(QSize(1, 5), gdVerticalCenter, first, second);
    EXPECT_EQ(column.pixelColor(0, 2), first);
    const QImage dot = Paint(QSize(1, 1), gdVerticalCenter, first, second);
    EXPECT_EQ(dot.pixelColor(0, 0), first);
}

TEST(Gradient, DiagonalAndBoxModesCoverTheWholeRect) {
    const QColor first(0, 0, 0);
    const QColor second(240, 240, 240);
    const QColor untouched(255, 0, 255);
    for (TGradientDirection direction : {gdDiagonalUp, gdDiagonalDown, gdHorizontalBox,
                                         gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        SCOPED_TRACE(int(direction));
        const QImage image = Paint(QSize(20, 14), direction, first, second);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ASSERT_NE(image.pixelColor(x, y), untouched) << x << "," << y;
        }
        if (direction >= gdHorizontalBox) {
            EXPECT_EQ(image.pixelColor(0, 0), first);
        }
    }
    EXPECT_EQ(Paint(QSize(20, 14), gdDiagonalDown, first, second).pixelColor(0, 0), first);
    EXPECT_EQ(Paint(QSize(20, 14), gdDiagonalUp, first, second).pixelColor(0, 13), first);
    // Box areas too small for rings get a plain fill in the second colour.
    const QImage narrow = Paint(QSize(4, 14), gdSquareBox, first, second);
    EXPECT_EQ(narrow.pixelColor(0, 0), second);
    EXPECT_EQ(narrow.pixelColor(2, 7), second);
}

TEST(Gradient, EmptyRectPaintsNothing) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    FillGradientRect(painter, QRect(1, 1, 0, 3), gdHorizontalCenter, 1, QColor(0, 0, 0),
                     QColor(9, 9, 9));
    painter.end();
    EXPECT_EQ(image.pixelColor(1, 1), QColor(255, 0, 255));
}

} // namespace
