#include "controls/framed/tkxcustompanel.h"
#include "controls/framed/tkxstatusbar.h"
#include "controls/framework/controlservices.h"
#include "controls/painting/panellayout.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <functional>

#include <vector>

namespace {

TColor Rgb(int r, int g, int b) {
    return TColor::FromRgb(r, g, b);
}

// Counts the requests to size the form instead of handing them to the window system.
class TestStatusBar : public TKxStatusBar {
public:
    using TKxStatusBar::TKxStatusBar;
    int sizingRequests = 0;

protected:
    void BeginFormSizing() override { ++sizingRequests; }
};

TEST(StatusBarLayout, ClientRectFollowsThemesAndSimpleStatus) {
    struct Case {
        const char *name;
        bool themes, simple;
        QRect client, pane;
    };
    const std::vector<Case> cases = {
        {"classic panes", false, false, QRect(-1, 1, 202, 19), QRect(-1, 1, 202, 18)},
        {"classic simple", false, true, QRect(0, 2, 200, 18), QRect(0, 2, 200, 17)},
        {"themed panes", true, false, QRect(0, 0, 200, 19), QRect(0, 0, 200, 18)},
        {"themed simple", true, true, QRect(1, 1, 198, 18), QRect(1, 1, 198, 17)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const StatusBarGeometry geometry = StatusBarLayout(QSize(200, 19), c.themes, c.simple);
        EXPECT_EQ(geometry.client, c.client);
        EXPECT_EQ(geometry.pane, c.pane);
        EXPECT_EQ(geometry.grip, QRect(187, 0, 13, 19));
    }
}

TEST(StatusBarLayout, SizeGripSquaresStepUpTheCorner) {
    const auto squares = SizeGripSquares(QRect(0, 0, 100, 20));
    const std::array<QRect, 6> expected = {QRect(95, 8, 2, 2),  QRect(95, 12, 2, 2),
                                           QRect(95, 16, 2, 2), QRect(91, 12, 2, 2),
                                           QRect(91, 16, 2, 2), QRect(87, 16, 2, 2)};
    EXPECT_EQ(squares, expected);
}

TEST(StatusBarLayout, PanesGrowInProportionRoundingHalvesToEven) {
    struct Case {
        const char *name;
        int width, delta, recorded, expected;
    };
    const std::vector<Case> cases = {
        {"half the bar grows by half the delta", 100, 20, 200, 110},
        {"shrinks", 100, -20, 200, 90},
        {"2.5 rounds to 2", 25, 20, 200, 27},
        {"3.5 rounds to 4", 35, 20, 200, 39},
        {"no recorded width keeps the pane", 50, 20, 0, 50},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ScaledPaneWidth(c.width, c.delta, c.recorded), c.expected);
    }
}

class StatusBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.resize(200, 100);
        bar = new TestStatusBar(&form);
        bar->setGeometry(0, 81, 200, 19);
    }

    void PressAt(const QPoint &pos) {
        const QPointF local(pos);
        QMouseEvent press(QEvent::MouseButtonPress, local, bar->mapToGlobal(local), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
    }

    QWidget form;
    TestStatusBar *bar = nullptr;
};

TEST_F(StatusBarTest, DefaultsAreABorderlessBottomBarWithAGrip) {
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->BorderOuter(), fsNone);
    EXPECT_EQ(bar->BorderInner(), fsNone);
    EXPECT_EQ(bar->SimpleFrameStyle(), fsFlat);
    EXPECT_TRUE(bar->ShowSizeGrip());
    EXPECT_TRUE(bar->AutoStyle());
    EXPECT_FALSE(bar->SimpleStatus());
    EXPECT_EQ(TestStatusBar().height(), TKxStatusBar::kDefaultHeight);
}

TEST(StatusBar, PanelLaysTheBarOutAlongItsBottom) {
    TKxCustomPanel panel;
    panel.SetBorderOuter(fsNone);
    panel.resize(200, 100);
    TKxStatusBar bar(&panel);
    EXPECT_EQ(bar.geometry(), QRect(0, 81, 200, TKxStatusBar::kDefaultHeight));
}

TEST_F(StatusBarTest, GripCornerSizesOnlyASizeableForm) {
    ShowActive(form);
    ASSERT_TRUE(bar->GripUsable());
    PressAt(QPoint(195, 10));
    EXPECT_EQ(bar->sizingRequests, 1);
    PressAt(QPoint(180, 10));
    EXPECT_EQ(bar->sizingRequests, 1) << "outside the rightmost 13 pixels";
    bar->SetShowSizeGrip(false);
    PressAt(QPoint(195, 10));
    EXPECT_EQ(bar->sizingRequests, 1);
}

TEST_F(StatusBarTest, GripCornerShowsTheSizingCursor) {
    ShowActive(form);
    const auto moveTo = [&](const QPoint &pos) {
        const QPointF local(pos);
        QMouseEvent move(QEvent::MouseMove, local, bar->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
    };
    moveTo(QPoint(195, 10));
    EXPECT_EQ(bar->cursor().shape(), Qt::SizeFDiagCursor);
    moveTo(QPoint(100, 10));
    EXPECT_EQ(bar->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(StatusBarTest, FixedSizeFormShowsNoGripAndIgnoresPresses) {
    form.setFixedSize(200, 100);
    bar->SetColor(Rgb(0, 255, 0));
    ShowActive(form);
    EXPECT_FALSE(bar->GripUsable());
    form.setMinimumSize(0, 0);
    form.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    form.showMaximized();
    Settle();
    bar->grab();
    EXPECT_FALSE(bar->GripUsable()) << "a maximised form";
    form.showNormal();
    form.setFixedSize(200, 100);
    Settle();
    bar->grab();
    PressAt(QPoint(195, 10));
    EXPECT_EQ(bar->sizingRequests, 0);
    const QImage image = bar->grab().toImage();
    for (const QRect &square : SizeGripSquares(QRect(0, 0, 200, 19)))
        EXPECT_EQ(image.pixelColor(square.topLeft()), QColor(0, 255, 0));
}

TEST_F(StatusBarTest, GripIsPaintedInLightAndDarkSquares) {
    bar->SetColor(Rgb(0, 255, 0));
    ShowActive(form);
    const QImage image = bar->grab().toImage();
    const QPalette palette = SystemPalette(bar);
    const QRect pane = StatusBarLayout(bar->size(), false, false).pane;
    const auto squares = SizeGripSquares(pane);
    EXPECT_EQ(image.pixelColor(squares[0].bottomRight()).rgb(),
              clBtnHighlight.Resolve(palette).rgb());
    EXPECT_EQ(image.pixelColor(squares[0].topLeft() - QPoint(1, 1)).rgb(),
              clBtnShadow.Resolve(palette).rgb());
}

TEST_F(StatusBarTest, ChangingTheBordersEndsTheAutoStyle) {
    bar->SetBounds(QRect(0, 60, 200, 40));
    bar->Loaded();
    EXPECT_EQ(bar->height(), TKxStatusBar::kDefaultHeight);
    EXPECT_EQ(bar->y(), 81) << "a bottom-aligned bar keeps its bottom edge";

    bar->SetBorderOuter(bar->BorderOuter());
    bar->SetBorderInner(bar->BorderInner());
    bar->SetBorderSides(bar->BorderSides());
    EXPECT_TRUE(bar->AutoStyle()) << "an equal value changes nothing";
    for (const auto &change : std::vector<std::function<void(TKxStatusBar &)>>{
             [](TKxStatusBar &b) { b.SetBorderInner(fsFlat); },
             [](TKxStatusBar &b) { b.SetBorderSides(TSides().With(sdTop)); }}) {
        TKxStatusBar other;
        change(other);
        EXPECT_FALSE(other.AutoStyle());
    }
    bar->SetBorderOuter(fsRaised);
    EXPECT_FALSE(bar->AutoStyle());
    bar->SetBounds(QRect(0, 60, 200, 40));
    bar->Loaded();
    EXPECT_EQ(bar->BorderOuter(), fsRaised);
    EXPECT_EQ(bar->height(), 40);
}

TEST_F(StatusBarTest, SimpleStatusHidesThePanesAndShowsTheCaption) {
    auto *pane = new QWidget(bar);
    ShowActive(form);
    bar->SetSimpleStatus(true);
    EXPECT_TRUE(pane->isHidden());
    bar->SetSimpleStatus(false);
    EXPECT_FALSE(pane->isHidden());

    bar->SetSimpleStatus(true);
    bar->SetVisualStyle(vsClassic);
    bar->SetFlatColor(Rgb(255, 0, 0));
    bar->SetFlatColorAdjustment(0);
    bar->SetColor(Rgb(0, 255, 0));
    bar->SetShowSizeGrip(false);
    QImage image = bar->grab().toImage();
    const QRect frame = StatusBarLayout(bar->size(), false, true).pane.adjusted(1, 1, -1, -1);
    EXPECT_EQ(image.pixelColor(frame.left(), frame.center().y()), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(frame.topLeft()), QColor(0, 255, 0)) << "the corner is cut";
    EXPECT_EQ(image.pixelColor(frame.topLeft() + QPoint(1, 1)), QColor(255, 0, 0));

    Settle();
    PaintCounter paints(bar);
    bar->SetSimpleCaption(bar->SimpleCaption());
    Settle();
    EXPECT_EQ(paints.Count(), 0);
    bar->SetSimpleCaption(QStringLiteral("/home/user"));
    Settle();
    EXPECT_GT(paints.Count(), 0);
    image = bar->grab().toImage();
    bool textFound = false;
    for (int x = frame.left() + 2; x < frame.left() + 40 && !textFound; ++x) {
        for (int y = frame.top() + 1; y < frame.bottom() && !textFound; ++y)
            textFound = image.pixelColor(x, y) != QColor(0, 255, 0);
    }
    EXPECT_TRUE(textFound);
}

TEST_F(StatusBarTest, ThemedBarDrawsItsBackgroundAndCaptionThroughTheStyle) {
    bar->SetColor(Rgb(0, 255, 0));
    bar->SetSimpleStatus(true);
    bar->SetSimpleCaption(QStringLiteral("MMMMMMMM"));
    ShowActive(form);
    SetThemesActive(true);
    const QImage image = bar->grab().toImage();
    SetThemesActive(false);
    int background = 0;
    int other = 0;
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < bar->height(); ++y)
            (image.pixelColor(x, y) == QColor(0, 255, 0) ? background : other) += 1;
    }
    EXPECT_GT(background, 0);
    EXPECT_GT(other, 0) << "the caption";
}

TEST_F(StatusBarTest, CustomGradientRunsOppositeToAPlainPanel) {
    bar->resize(200, 40);
    bar->SetVisualStyle(vsGradient);
    bar->SetGradientColorStyle(gcsCustom);
    bar->SetGradientColorStart(Rgb(255, 255, 255));
    bar->SetGradientColorStop(Rgb(0, 0, 0));
    const QImage image = bar->grab().toImage();
    EXPECT_GT(image.pixelColor(20, 39).lightness(), 245);
    EXPECT_LT(image.pixelColor(20, 0).lightness(), 10);
}

TEST_F(StatusBarTest, AutoScaledPanesGrowWithTheBar) {
    bar->SetAutoScalePanes(true);
    auto *pane = new QWidget(bar);
    pane->setGeometry(0, 0, 50, 19);
    ShowActive(form);
    bar->resize(201, 19);
    EXPECT_EQ(pane->width(), 50) << "the first resize only records the width";
    bar->resize(301, 19);
    EXPECT_EQ(pane->width(), 75);
}

} // namespace
