#include "controls/framework/controlservices.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/paintingservices.h"
#include "controls/painting/schemecolors.h"
#include "tests/controls/support/widgettesting.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(PaintingServices, CenteredRectTruncatesHalves) {
    EXPECT_EQ(CenteredRect(QRect(0, 0, 10, 10), 4, 4), QRect(3, 3, 4, 4));
    EXPECT_EQ(CenteredRect(QRect(0, 0, 10, 10), 5, 3), QRect(2, 3, 5, 3));
    EXPECT_EQ(CenteredRect(QRect(10, 20, 4, 4), 9, 9), QRect(8, 18, 9, 9));
}

TEST(PaintingServices, GradientRingLeavesTheInsideAlone) {
    QImage image(12, 12, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    PaintGradientRing(painter, image.rect(), gdVerticalEnd, 1, QColor(0, 0, 0),
                      QColor(200, 200, 200));
    painter.end();
    EXPECT_NE(image.pixelColor(1, 6), QColor(255, 0, 255));
    EXPECT_NE(image.pixelColor(6, 0), QColor(255, 0, 255));
    EXPECT_EQ(image.pixelColor(2, 6), QColor(255, 0, 255));
    EXPECT_EQ(image.pixelColor(6, 6), QColor(255, 0, 255));
}

TEST(PaintingServices, TransparentBitmapSkipsItsTransparentColour) {
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, QColor(0, 255, 0));
    source.setPixelColor(1, 0, QColor(10, 20, 30));
    QImage image(2, 1, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    DrawTransparentBitmap(painter, image.rect(), QPixmap::fromImage(source), source.rect(),
                          QColor(0, 255, 0));
    painter.end();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 255));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(10, 20, 30));
}

TEST(PaintingServices, UnthemedSchemeColoursDeriveFromSystemColours) {
    QPalette palette;
    palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Button, QColor(200, 200, 200));
    const SelectionColorSet selection = SelectionColors(palette);
    EXPECT_EQ(selection.frame, QColor(0, 0, 200));
    const QColor blend = MixColors(QColor(0, 0, 200), QColor(255, 255, 255), 77);
    EXPECT_EQ(selection.gradientStop, blend);
    EXPECT_EQ(selection.gradientStart, ShadeLighter(blend, 20));
    EXPECT_EQ(GradientPanelColors(palette).stop, ShadeDarker(QColor(200, 200, 200), 10));
    EXPECT_EQ(StatusBarColors(palette).third, ShadeDarker(QColor(200, 200, 200), 40));
    EXPECT_EQ(ThemedSchemeColor(tcGroupFill, palette), QColor(200, 200, 200));
}

TEST(PaintingServices, ThemedSchemeColoursComeFromTheFixedSet) {
    SetThemesActive(true);
    const QPalette palette;
    const SelectionColorSet selection = SelectionColors(palette);
    const GradientPair bar = GradientPanelColors(palette);
    const QColor frame = GradientFrameColor(palette);
    const QColor unknown = ThemedSchemeColor(99, palette);
    SetThemesActive(false);
    EXPECT_EQ(selection.frame, QColor(0, 0, 128));
    EXPECT_EQ(selection.gradientStart, QColor(255, 238, 194));
    EXPECT_EQ(bar.start, QColor(227, 239, 255));
    EXPECT_EQ(frame, QColor(87, 127, 191));
    EXPECT_EQ(unknown, QColor(255, 255, 255));
}

TEST(PaintingServices, ParentBackgroundShowsUnderAControl) {
    QWidget parent;
    parent.resize(40, 40);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(0, 120, 0));
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    QWidget child(&parent);
    child.setGeometry(10, 10, 10, 10);
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    PaintParentBackground(&child, painter);
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 120, 0));
}

TEST(PaintingServices, ScreensAndWorkAreas) {
    QScreen *screen = MonitorAtPoint(QPoint(1, 1));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(MonitorBounds(screen).contains(MonitorWorkArea(screen)));
    EXPECT_EQ(MonitorAtPoint(QPoint(-100000, -100000)), nullptr);
    QWidget widget;
    EXPECT_EQ(MonitorWorkAreaWidth(&widget), MonitorWorkArea(screen).width());
}

TEST(PaintingServices, OnlyTransparentChildrenAreRepainted) {
    QWidget container;
    container.resize(60, 30);
    QWidget transparent(&container);
    transparent.setProperty("Transparent", true);
    transparent.resize(30, 30);
    QWidget opaque(&container);
    opaque.resize(30, 30);
    opaque.setProperty("Transparent", false);
    opaque.move(30, 0);
    ShowActive(container);
    PaintCounter transparentPaints(&transparent);
    PaintCounter opaquePaints(&opaque);
    InvalidateTransparentChildren(&container);
    Settle();
    EXPECT_GT(transparentPaints.Count(), 0);
    EXPECT_EQ(opaquePaints.Count(), 0);
}

} // namespace
