#include "controls/framed/tkxcustompanel.h"
#include "controls/framed/tkxframecontroller.h"
#include "controls/framed/tkxpaneldockmanager.h"
#include "controls/framework/controlalign.h"
#include "controls/painting/borderlayers.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/panellayout.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

#include <vector>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);

TColor Rgb(const QColor &color) {
    return TColor::FromQColor(color);
}

TEST(PanelLayout, CaptionIsPlacedByItsVerticalAlignment) {
    struct Case {
        const char *name;
        QRect rect;
        int margin, height;
        TAlignmentVertical alignment;
        QRect expected;
    };
    const std::vector<Case> cases = {
        {"top", QRect(0, 0, 100, 50), 0, 10, avTop, QRect(0, 0, 100, 10)},
        {"top within a margin", QRect(0, 0, 100, 50), 4, 10, avTop, QRect(4, 4, 92, 10)},
        {"centre truncates", QRect(0, 0, 100, 51), 0, 10, avCenter, QRect(0, 20, 100, 10)},
        {"centre of a taller caption clips its bottom", QRect(0, 0, 100, 20), 0, 30, avCenter,
         QRect(0, -5, 100, 25)},
        {"bottom keeps one row free", QRect(0, 0, 100, 50), 0, 10, avBottom, QRect(0, 39, 100, 11)},
        {"bottom never above the top", QRect(0, 0, 100, 8), 0, 10, avBottom, QRect(0, 0, 100, 8)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PanelCaptionRect(c.rect, c.margin, c.height, c.alignment), c.expected);
    }
}

TEST(PanelLayout, GridHasOneLinePerFullSpacing) {
    struct Case {
        const char *name;
        QRect rect;
        int sx, sy;
        std::vector<int> xs, ys;
    };
    const std::vector<Case> cases = {
        {"spacing 8 in 20 pixels", QRect(0, 0, 20, 17), 8, 8, {7, 15}, {7, 15}},
        {"offset rect", QRect(2, 3, 16, 8), 8, 4, {9, 17}, {6, 10}},
        {"spacing 0 gives no columns", QRect(0, 0, 20, 20), 0, 10, {}, {9, 19}},
        {"spacing larger than the rect", QRect(0, 0, 5, 5), 8, 8, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const PanelGrid grid = PanelGridLines(c.rect, c.sx, c.sy);
        EXPECT_EQ(grid.xs, c.xs);
        EXPECT_EQ(grid.ys, c.ys);
    }
}

TEST(PanelLayout, BorderAreaTakesEachBorderOnItsNamedSides) {
    struct Case {
        const char *name;
        TFrameStyle outer, inner;
        TSides sides;
        int borderWidth, bevelWidth;
        bool withBorderWidth;
        QRect expected;
    };
    const QRect whole(0, 0, 100, 50);
    const TSides leftTop = TSides().With(sdLeft).With(sdTop);
    const std::vector<Case> cases = {
        {"none", fsNone, fsNone, TSides::All(), 0, 1, true, whole},
        {"flat", fsFlat, fsNone, TSides::All(), 0, 1, true, QRect(1, 1, 98, 48)},
        {"raised and lowered", fsRaised, fsLowered, TSides::All(), 0, 1, true, QRect(4, 4, 92, 42)},
        {"status takes the bevel width", fsStatus, fsNone, TSides::All(), 0, 3, true,
         QRect(3, 3, 94, 44)},
        {"flat bold and rounded take two", fsFlatBold, fsFlatRounded, TSides::All(), 0, 1, true,
         QRect(4, 4, 92, 42)},
        {"only the named sides", fsGroove, fsNone, leftTop, 0, 1, true, QRect(2, 2, 98, 48)},
        {"border width on all sides", fsFlat, fsNone, leftTop, 5, 1, true, QRect(6, 6, 89, 39)},
        {"border width left out", fsFlat, fsNone, leftTop, 5, 1, false, QRect(1, 1, 99, 49)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BorderLayers layers;
        layers.outer = c.outer;
        layers.inner = c.inner;
        layers.sides = c.sides;
        layers.borderWidth = c.borderWidth;
        layers.bevelWidth = c.bevelWidth;
        EXPECT_EQ(InsideBorderLayers(whole, layers, c.withBorderWidth), c.expected);
    }
}

TEST(ControlAlign, AlignedControlsShareTheAreaInOrder) {
    const QRect area(0, 0, 100, 80);
    const std::vector<AlignedControl> controls = {
        {alClient, QRect(5, 5, 5, 5)}, {alBottom, QRect(0, 0, 30, 19)},
        {alTop, QRect(0, 0, 10, 10)},  {alLeft, QRect(0, 0, 20, 5)},
        {alNone, QRect(7, 7, 7, 7)},   {alRight, QRect(0, 0, 15, 5)},
        {alTop, QRect(40, 40, 10, 6)},
    };
    const std::vector<QRect> expected = {
        QRect(20, 16, 65, 45), QRect(0, 61, 100, 19), QRect(0, 0, 100, 10), QRect(0, 16, 20, 45),
        QRect(7, 7, 7, 7),     QRect(85, 16, 15, 45), QRect(0, 10, 100, 6),
    };
    EXPECT_EQ(AlignedBounds(area, controls), expected);
}

TEST(ControlAlign, BottomAndRightAlignedControlsKeepTheirEdge) {
    struct Case {
        const char *name;
        TAlign align;
        QRect old, requested, expected;
    };
    const std::vector<Case> cases = {
        {"bottom, taller", alBottom, QRect(0, 100, 50, 19), QRect(0, 100, 50, 30),
         QRect(0, 89, 50, 30)},
        {"bottom, same height", alBottom, QRect(0, 100, 50, 19), QRect(3, 100, 60, 19),
         QRect(3, 100, 60, 19)},
        {"right, narrower", alRight, QRect(80, 0, 20, 40), QRect(80, 0, 10, 40),
         QRect(90, 0, 10, 40)},
        {"top moves freely", alTop, QRect(0, 0, 50, 19), QRect(0, 0, 50, 30), QRect(0, 0, 50, 30)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KeepAlignedEdge(c.align, c.old, c.requested), c.expected);
    }
}

TEST(PanelLayout, ResizeRepaintsStripsFromTheNearerBorderEdge) {
    const QPoint margin(1, 1);
    const QRect oldArea(2, 2, 96, 46);
    const QRect wider(2, 2, 116, 46);
    EXPECT_EQ(PanelResizeStrips(QSize(100, 50), QSize(120, 50), oldArea, wider, margin),
              std::vector<QRect>{QRect(97, 0, 23, 50)});
    const QRect lower(2, 2, 96, 36);
    EXPECT_EQ(PanelResizeStrips(QSize(100, 50), QSize(100, 40), oldArea, lower, margin),
              std::vector<QRect>{QRect(0, 37, 100, 3)});
    EXPECT_TRUE(
        PanelResizeStrips(QSize(100, 50), QSize(100, 50), oldArea, oldArea, margin).empty());
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 150);
        panel = new TKxCustomPanel(&window);
        panel->setGeometry(0, 0, 100, 60);
    }

    QImage Grab() { return panel->grab().toImage(); }

    QWidget window;
    TKxCustomPanel *panel = nullptr;
};

TEST_F(PanelTest, DefaultsAreARaisedPanelWithACentredWrappedCaption) {
    EXPECT_EQ(panel->BorderOuter(), fsRaised);
    EXPECT_EQ(panel->BorderInner(), fsNone);
    EXPECT_EQ(panel->BorderSides(), TSides::All());
    EXPECT_EQ(panel->FlatColorAdjustment(), 30);
    EXPECT_EQ(panel->GradientColorStart(), clWhite);
    EXPECT_EQ(panel->VisualStyle(), vsWinXP);
    EXPECT_EQ(panel->CaptionVertAlignment(), avCenter);
    EXPECT_TRUE(panel->CaptionWordWrap());
    EXPECT_TRUE(panel->FillClientArea());
    EXPECT_EQ(panel->GridSpacingX(), 8);
    EXPECT_TRUE(panel->OwnDockCaptions());
    EXPECT_EQ(panel->WholeRect(), QRect(0, 0, 100, 60));
    EXPECT_EQ(panel->FrameMargin(), QPoint(1, 1));
}

TEST_F(PanelTest, EqualValuesRepaintNothing) {
    ShowActive(window);
    PaintCounter paints(panel);
    panel->SetBorderOuter(panel->BorderOuter());
    panel->SetBorderSides(panel->BorderSides());
    panel->SetFlatColor(panel->FlatColor());
    panel->SetGradientDirection(panel->GradientDirection());
    panel->SetGridSpacingX(panel->GridSpacingX());
    panel->SetCaption(panel->Caption());
    panel->SetColor(panel->Color());
    panel->SetVisualStyle(panel->VisualStyle());
    Settle();
    EXPECT_EQ(paints.Count(), 0);
    panel->SetGridVisible(true);
    Settle();
    EXPECT_GT(paints.Count(), 0);
}

TEST_F(PanelTest, ParentColouredChildFollowsThePanel) {
    auto *child = new TKxCustomPanel(panel);
    child->setGeometry(10, 10, 20, 20);
    child->SetBorderOuter(fsNone);
    child->SetParentColor(true);
    panel->SetColor(Rgb(kGreen));
    EXPECT_EQ(child->Color(), Rgb(kGreen));
    ShowActive(window);
    PaintCounter paints(child);
    panel->SetColor(Rgb(kBlue));
    Settle();
    EXPECT_GT(paints.Count(), 0);
    EXPECT_EQ(child->grab().toImage().pixelColor(5, 5), kBlue);
    child->SetColor(Rgb(kRed));
    EXPECT_FALSE(child->ParentColor()) << "an own colour ends ParentColor";
}

TEST_F(PanelTest, BorderChangesRealignTheChildrenInsideTheBorders) {
    auto *client = new QWidget(panel);
    SetAlignOf(client, alClient);
    auto *bottom = new TKxCustomPanel(panel);
    bottom->resize(10, 12);
    bottom->SetAlign(alBottom);
    EXPECT_EQ(client->geometry(), QRect(2, 2, 96, 44));
    EXPECT_EQ(bottom->geometry(), QRect(2, 46, 96, 12));
    panel->SetBorderInner(fsFlat);
    EXPECT_EQ(client->geometry(), QRect(3, 3, 94, 42));
    ShowActive(window);
    panel->resize(120, 60);
    EXPECT_EQ(bottom->geometry(), QRect(3, 45, 114, 12));
}

TEST_F(PanelTest, ReenablingKeepsChildrenThatWereDisabledBefore) {
    auto *wasEnabled = new QWidget(panel);
    auto *wasDisabled = new QWidget(panel);
    wasDisabled->setEnabled(false);
    panel->setEnabled(false);
    EXPECT_FALSE(wasEnabled->isEnabled());
    auto *addedMeanwhile = new QWidget(panel);
    panel->setEnabled(true);
    EXPECT_TRUE(wasEnabled->isEnabled());
    EXPECT_FALSE(wasDisabled->isEnabled());
    EXPECT_TRUE(addedMeanwhile->isEnabled());
}

TEST_F(PanelTest, FrameControllerSettingsArriveOnlyWhileItsFrameIsVisible) {
    TKxFrameController controller;
    controller.SetFrameStyle(fsGroove);
    controller.SetFrameColor(Rgb(kRed));
    controller.SetColor(TColor::FromRgb(100, 100, 100));
    panel->SetFrameController(&controller);
    EXPECT_EQ(panel->BorderOuter(), fsRaised) << "a controller without a visible frame";

    controller.SetFrameVisible(true);
    EXPECT_EQ(panel->BorderOuter(), fsGroove);
    EXPECT_EQ(panel->FlatColor(), Rgb(kRed));
    EXPECT_EQ(panel->FlatColorAdjustment(), 0);
    EXPECT_EQ(panel->Color(), TColor::FromRgb(100, 100, 100));
    EXPECT_EQ(panel->BorderHighlightColor(), Rgb(ShadeLighter(QColor(100, 100, 100), 100)));
    EXPECT_EQ(panel->BorderShadowColor(), Rgb(ShadeDarker(QColor(100, 100, 100), 50)));

    TKxCustomPanel refusing(&window);
    refusing.SetFrameControllerNotifications(kAllFrameControllerNotifications &
                                             ~(1u << fcpFrameStyle));
    refusing.SetFrameController(&controller);
    EXPECT_EQ(refusing.BorderOuter(), fsRaised);
    EXPECT_EQ(refusing.FlatColor(), Rgb(kRed));
    EXPECT_EQ(controller.ControlCount(), 2);
}

TEST_F(PanelTest, FlatBorderAndFillArePainted) {
    panel->SetBorderOuter(fsFlat);
    panel->SetFlatColor(Rgb(kRed));
    panel->SetFlatColorAdjustment(0);
    panel->SetColor(Rgb(kGreen));
    const QImage image = Grab();
    EXPECT_EQ(image.pixelColor(0, 30), kRed);
    EXPECT_EQ(image.pixelColor(99, 30), kRed);
    EXPECT_EQ(image.pixelColor(50, 59), kRed);
    EXPECT_EQ(image.pixelColor(1, 30), kGreen);
}

TEST_F(PanelTest, GridDotsSitAtEverySpacing) {
    panel->SetBorderOuter(fsNone);
    panel->SetColor(Rgb(kGreen));
    panel->SetGridLineColor(Rgb(kBlue));
    panel->SetGridVisible(true);
    QImage image = Grab();
    EXPECT_EQ(image.pixelColor(7, 7), kBlue);
    EXPECT_EQ(image.pixelColor(15, 23), kBlue);
    EXPECT_EQ(image.pixelColor(8, 7), kGreen);
    panel->SetGridLineStyle(2);
    image = Grab();
    EXPECT_EQ(image.pixelColor(7, 3), kBlue);
    EXPECT_EQ(image.pixelColor(3, 15), kBlue);
    panel->SetGridLineStyle(1);
    image = Grab();
    EXPECT_EQ(image.pixelColor(7, 3), kBlue) << "dotted lines start one pixel in";
    EXPECT_EQ(image.pixelColor(7, 4), kGreen);
    panel->SetGridSpacingX(0);
    image = Grab();
    EXPECT_EQ(image.pixelColor(7, 3), kGreen) << "spacing 0 draws no vertical lines";
}

TEST_F(PanelTest, CustomGradientRunsFromTheStopColourAtTheBottom) {
    panel->SetBorderOuter(fsNone);
    panel->SetVisualStyle(vsGradient);
    panel->SetGradientColorStyle(gcsCustom);
    panel->SetGradientColorStart(Rgb(QColor(255, 255, 255)));
    panel->SetGradientColorStop(Rgb(QColor(0, 0, 0)));
    const QImage image = Grab();
    EXPECT_LT(image.pixelColor(50, 59).lightness(), 10);
    EXPECT_GT(image.pixelColor(50, 0).lightness(), 245);
}

TEST_F(PanelTest, DisabledCaptionIsDrawnInTheShadowColours) {
    panel->SetBorderOuter(fsNone);
    panel->SetColor(TColor::FromRgb(255, 255, 255));
    panel->SetCaption(QStringLiteral("MMMM"));
    bool painted = false;
    panel->OnPaint = [&](QObject *sender, QPainter &) { painted = sender == panel; };
    const auto darkest = [this] {
        const QImage image = Grab();
        int lightness = 255;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y)
                lightness = std::min(lightness, image.pixelColor(x, y).lightness());
        }
        return lightness;
    };
    EXPECT_LT(darkest(), 60) << "the font colour";
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
    panel->setPalette(palette);
    EXPECT_GE(darkest(), 190) << "the panel's own font colour";
    EXPECT_TRUE(painted);
    panel->setEnabled(false);
    const int shadow = clBtnShadow.Resolve(SystemPalette(panel)).lightness();
    EXPECT_GE(darkest(), shadow - 2);
    EXPECT_LT(darkest(), 255);
}

TEST_F(PanelTest, MouseEntryAndExitFireTheirEvents) {
    std::vector<const char *> fired;
    panel->OnMouseEnter = [&](QObject *sender) {
        EXPECT_EQ(sender, panel);
        fired.push_back("enter");
    };
    panel->OnMouseLeave = [&](QObject *) { fired.push_back("leave"); };
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), panel->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(panel, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(panel, &leave);
    EXPECT_EQ(fired, (std::vector<const char *>{"enter", "leave"}));
}

TEST_F(PanelTest, TransparentPanelShowsWhatLiesUnderIt) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kBlue);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    panel->SetBorderOuter(fsNone);
    panel->SetColor(Rgb(kGreen));
    ShowActive(window);
    EXPECT_EQ(window.grab().toImage().pixelColor(50, 30), kGreen);
    panel->SetTransparentBackground(true);
    EXPECT_FALSE(panel->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(window.grab().toImage().pixelColor(50, 30), kBlue);
}

TEST_F(PanelTest, DockedControlsGetZonesBesideTheirGrabbers) {
    panel->SetBorderOuter(fsNone);
    panel->SetAlign(alTop);
    panel->SetDockSite(true);
    ASSERT_NE(panel->DockManager(), nullptr);
    auto *first = new QWidget;
    auto *second = new QWidget;
    panel->DockControl(first);
    panel->DockControl(second);
    EXPECT_TRUE(panel->DockManager()->GrabberOnLeft());
    EXPECT_EQ(first->geometry(), QRect(kDockGrabberSize, 0, 50 - kDockGrabberSize, 60));
    EXPECT_EQ(second->geometry(), QRect(50 + kDockGrabberSize, 0, 50 - kDockGrabberSize, 60));

    const QPointF close(DockGrabberLayout(QRect(0, 0, 50, 60), true).closeGlyph.center());
    QMouseEvent press(QEvent::MouseButtonPress, close, panel->mapToGlobal(close), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &press);
    EXPECT_TRUE(first->isHidden());
    EXPECT_EQ(second->geometry(), QRect(kDockGrabberSize, 0, 100 - kDockGrabberSize, 60));

    delete second;
    EXPECT_EQ(panel->DockManager()->DockedControls(), QList<QWidget *>{first});
}

TEST_F(PanelTest, GrabberShowsTheActiveCaptionColoursWhileItsControlHasTheFocus) {
    panel->SetBorderOuter(fsNone);
    panel->SetDockSite(true);
    auto *docked = new QWidget;
    docked->setFocusPolicy(Qt::StrongFocus);
    auto *outside = new QWidget(&window);
    outside->setFocusPolicy(Qt::StrongFocus);
    outside->setGeometry(0, 100, 50, 20);
    panel->DockControl(docked);
    EXPECT_EQ(docked->geometry(), QRect(0, kDockGrabberSize, 100, 60 - kDockGrabberSize));
    ShowActive(window);
    const QPalette palette = SystemPalette(panel);
    const QPoint inBar(40, 7);
    outside->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(Grab().pixelColor(inBar).rgb(), clInactiveCaption.Resolve(palette).rgb());
    docked->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(Grab().pixelColor(inBar).rgb(), clActiveCaption.Resolve(palette).rgb());
    panel->SetOwnDockCaptions(false);
    EXPECT_EQ(Grab().pixelColor(inBar).rgb(), clBtnFace.Resolve(palette).rgb());
}

TEST(PanelDock, GrabberRunsAcrossTheTopOfAnUnalignedSite) {
    const DockGrabber top = DockGrabberLayout(QRect(0, 0, 100, 60), false);
    EXPECT_EQ(top.bar, QRect(0, 0, 100, 14));
    EXPECT_EQ(top.captionOrigin, QPoint(2, 0));
    EXPECT_EQ(top.closeGlyph, QRect(85, 1, 13, 11));
    const DockGrabber left = DockGrabberLayout(QRect(10, 0, 100, 60), true);
    EXPECT_EQ(left.bar, QRect(10, 0, 14, 60));
    EXPECT_EQ(left.captionOrigin, QPoint(22, 57));
    EXPECT_EQ(left.closeGlyph, QRect(11, 1, 11, 11));
    EXPECT_EQ(AdjustDockRect(QRect(0, 0, 100, 60), false), QRect(0, 14, 100, 46));
}

TEST(Panel, CursorPositionIsGivenInClientCoordinates) {
    QWidget window;
    window.resize(200, 100);
    TKxCustomPanel panel(&window);
    panel.setGeometry(30, 20, 100, 50);
    ShowActive(window);
    QCursor::setPos(panel.mapToGlobal(QPoint(7, 9)));
    EXPECT_EQ(panel.CursorPosInClient(), QPoint(7, 9));
}

} // namespace
