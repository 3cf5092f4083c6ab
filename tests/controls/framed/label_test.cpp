#include "controls/framed/tkxframecontroller.h"
#include "controls/framed/tkxlabel.h"
#include "controls/framework/tkxblinkingcontrolslist.h"
#include "controls/painting/borderlayers.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/labelgeometry.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const TColor kRed = TColor::FromRgb(255, 0, 0);
const TColor kBlue = TColor::FromRgb(0, 0, 255);
const TColor kGreen = TColor::FromRgb(0, 160, 0);
const TColor kGrey = TColor::FromRgb(128, 128, 128);

BorderLayers Borders(TFrameStyleEx outer, TFrameStyleEx inner, TSides sides, int bevelWidth,
                     int borderWidth) {
    BorderLayers layers;
    layers.outer = outer;
    layers.inner = inner;
    layers.sides = sides;
    layers.bevelWidth = bevelWidth;
    layers.borderWidth = borderWidth;
    return layers;
}

TEST(LabelGeometry, AnglesAreKeptWithinOneTurn) {
    const std::vector<std::pair<int, int>> cases{{-30, 330}, {370, 10}, {0, 0},     {360, 0},
                                                 {45, 45},   {-360, 0}, {-400, 320}};
    for (const auto &[given, stored] : cases) {
        SCOPED_TRACE(given);
        EXPECT_EQ(NormalizeLabelAngle(given), stored);
    }
}

struct AreaCase {
    const char *name;
    BorderLayers border;
    bool withBorderWidth;
    QRect area;
};

TEST(LabelGeometry, BorderAreaTakesEachStyleOnTheNamedSides) {
    const QRect client(0, 0, 100, 50);
    const TSides leftTop = TSides().With(sdLeft).With(sdTop);
    const std::vector<AreaCase> cases{
        {"none", Borders(fsNone, fsNone, TSides::All(), 1, 0), true, client},
        {"flat", Borders(fsFlat, fsNone, TSides::All(), 1, 0), true, QRect(1, 1, 98, 48)},
        {"flat bold", Borders(fsFlatBold, fsNone, TSides::All(), 1, 0), true, QRect(2, 2, 96, 46)},
        {"rounded", Borders(fsFlatRounded, fsNone, TSides::All(), 1, 0), true, QRect(2, 2, 96, 46)},
        {"status bevel 3", Borders(fsStatus, fsNone, TSides::All(), 3, 0), true,
         QRect(3, 3, 94, 44)},
        {"groove inside raised", Borders(fsRaised, fsGroove, TSides::All(), 1, 0), true,
         QRect(4, 4, 92, 42)},
        {"left and top only", Borders(fsLowered, fsFlat, leftTop, 1, 0), true, QRect(3, 3, 97, 47)},
        {"border width", Borders(fsFlat, fsNone, TSides::All(), 1, 5), true, QRect(6, 6, 88, 38)},
        {"border width left out", Borders(fsFlat, fsNone, TSides::All(), 1, 5), false,
         QRect(1, 1, 98, 48)},
    };
    for (const AreaCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InsideBorderLayers(client, c.border, c.withBorderWidth), c.area);
    }
}

struct GrowCase {
    const char *name;
    LabelGrowth growth;
    QSize size;
};

TEST(LabelGeometry, AutoSizeGrowsByBordersShadowAndRotation) {
    const QRect text(0, 0, 40, 10);
    const TSides right = TSides().With(sdRight);
    const std::vector<GrowCase> cases{
        {"plain", {}, QSize(40, 10)},
        {"flat", {Borders(fsFlat, fsNone, TSides::All(), 1, 0)}, QSize(42, 12)},
        {"flat bold adds nothing",
         {Borders(fsFlatBold, fsNone, TSides::All(), 1, 0)},
         QSize(40, 10)},
        {"rounded adds nothing",
         {Borders(fsFlatRounded, fsNone, TSides::All(), 1, 0)},
         QSize(40, 10)},
        {"popup by bevel", {Borders(fsPopup, fsNone, TSides::All(), 3, 0)}, QSize(46, 16)},
        {"outer, width and inner",
         {Borders(fsButtonUp, fsFlat, TSides::All(), 1, 2)},
         QSize(50, 20)},
        {"right side only", {Borders(fsGroove, fsNone, right, 1, 0)}, QSize(42, 10)},
        {"shadow", {{}, roNone, tsShadow, 3, 0}, QSize(43, 13)},
        {"quarter turn", {{}, roFlat, tsNormal, 2, 90}, QSize(10, 40)},
        {"half turn", {{}, roFlat, tsNormal, 2, 180}, QSize(40, 10)},
        // cos 30 * 40 + sin 30 * 10 = 39.64; sin 30 * 40 + cos 30 * 10 = 28.66.
        {"30 degrees", {{}, roFlat, tsNormal, 2, 30}, QSize(40, 29)},
        {"turned shadow", {{}, roFlat, tsShadow, 4, 270}, QSize(12, 42)},
    };
    for (const GrowCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GrowByBorders(text, c.growth).size(), c.size);
    }
}

TEST(LabelGeometry, LayoutPlacesTheTextRectAndTheShadowMovesIt) {
    const QRect rect(0, 0, 100, 50);
    EXPECT_EQ(PlaceLabelTextRect(rect, 10, tlTop, false, false, 2), rect);
    EXPECT_EQ(PlaceLabelTextRect(rect, 10, tlCenter, false, false, 2), rect.translated(0, 20));
    EXPECT_EQ(PlaceLabelTextRect(rect, 11, tlCenter, false, false, 2), rect.translated(0, 19));
    EXPECT_EQ(PlaceLabelTextRect(rect, 10, tlBottom, false, false, 2), rect.translated(0, 40));
    EXPECT_EQ(PlaceLabelTextRect(rect, 10, tlBottom, true, true, 2), rect.translated(-2, 38));
    EXPECT_EQ(PlaceLabelTextRect(rect, 10, tlTop, false, true, 2), rect);
}

struct FlatCase {
    const char *name;
    int angle;
    TAlignment alignment;
    FlatTextPlacement placement;
};

TEST(LabelGeometry, FlatTextStartsWhereTheAngleAndAlignmentPutIt) {
    // Control 100 x 60, text rect inset by 2, caption 30 wide, line 12 high, shadow extra 1:
    // P = (50, 30), q = 3, w = 31, H = 13.
    const QRect textRect(2, 2, 96, 56);
    const std::vector<FlatCase> cases{
        {"0 centred", 0, taCenter, {QPoint(50, 24), TextAnchor::TopCenter}},
        {"0 right", 0, taRightJustify, {QPoint(66, 24), TextAnchor::TopLeft}},
        {"0 left", 0, taLeftJustify, {QPoint(3, 24), TextAnchor::TopLeft}},
        {"90 centred", 90, taCenter, {QPoint(53, 45), TextAnchor::BaselineLeft}},
        {"90 right", 90, taRightJustify, {QPoint(53, 34), TextAnchor::BaselineLeft}},
        {"90 left", 90, taLeftJustify, {QPoint(53, 57), TextAnchor::BaselineLeft}},
        {"180 centred", 180, taCenter, {QPoint(65, 27), TextAnchor::BaselineLeft}},
        {"180 right", 180, taRightJustify, {QPoint(33, 27), TextAnchor::BaselineLeft}},
        {"180 left", 180, taLeftJustify, {QPoint(97, 27), TextAnchor::BaselineLeft}},
        {"270 centred", 270, taCenter, {QPoint(47, 13), TextAnchor::BaselineLeft}},
        {"270 right", 270, taRightJustify, {QPoint(47, 26), TextAnchor::BaselineLeft}},
        {"270 left", 270, taLeftJustify, {QPoint(47, 3), TextAnchor::BaselineLeft}},
        // a = 135 degrees: x = 50 - round(-0.707 * 3), y = 30 + round(0.707 * 3).
        {"45", 45, taLeftJustify, {QPoint(52, 32), TextAnchor::BaselineCenter}},
    };
    for (const FlatCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaceFlatText({c.angle, c.alignment, textRect, QSize(100, 60), 30, 12, 1}),
                  c.placement);
    }
}

TEST(LabelGeometry, ArcCentresAndRadiiFollowTheCentrePoint) {
    const QSize size(100, 60);
    EXPECT_EQ(ArcCenter(cpUpperRight, size, 3), QPoint(100, 3)) << "no border width on the right";
    EXPECT_EQ(ArcCenter(cpRightCenter, size, 3), QPoint(97, 30));
    EXPECT_EQ(ArcCenter(cpLowerRight, size, 3), QPoint(97, 57));
    EXPECT_EQ(ArcCenter(cpUpperLeft, size, 3), QPoint(3, 3));
    EXPECT_EQ(ArcCenter(cpCenter, size, 3), QPoint(50, 30));
    EXPECT_EQ(ArcCenter(cpLowerCenter, size, 3), QPoint(50, 57));
    EXPECT_EQ(ArcRadii(cpUpperCenter, size, 3), QPoint(44, 54));
    EXPECT_EQ(ArcRadii(cpLeftCenter, size, 3), QPoint(94, 24));
    EXPECT_EQ(ArcRadii(cpCenter, size, 3), QPoint(44, 24));
    EXPECT_EQ(ArcRadii(cpLowerRight, size, 3), QPoint(94, 54));
}

TEST(LabelGeometry, ArcCharactersRunClockwiseFromTheStartAngle) {
    const std::vector<ArcCharacter> characters =
        ArcCharacters(3, 0, QPoint(50, 50), QPoint(40, 40), 10, 10);
    ASSERT_EQ(characters.size(), 3u);
    EXPECT_EQ(characters[0], (ArcCharacter{QPoint(50, 20), 0}));
    // t = -0.25: x = 50 + round(sin 0.25 * 30), y = 50 - round(cos 0.25 * 30).
    EXPECT_EQ(characters[1], (ArcCharacter{QPoint(57, 21), -143}));
    EXPECT_EQ(characters[2].escapementTenths, -286);
    EXPECT_TRUE(ArcCharacters(3, 0, QPoint(0, 0), QPoint(0, 10), 10, 10).empty())
        << "no horizontal radius, no steps to divide by";
}

class LabelWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        label = new TKxLabel(&window);
        label->move(10, 10);
        label->SetCaption(QStringLiteral("Label"));
        ShowActive(window);
    }

    QWidget window;
    TKxLabel *label = nullptr;
};

TEST_F(LabelWindow, EqualPropertyValuesRepaintNothing) {
    const std::vector<RepaintCase<TKxLabel>> cases{
        {"Caption", [](TKxLabel &l) { l.SetCaption(QStringLiteral("Label")); },
         [](TKxLabel &l) { l.SetCaption(QStringLiteral("Other")); }},
        {"Angle", [](TKxLabel &l) { l.SetAngle(360); }, [](TKxLabel &l) { l.SetAngle(30); }},
        // The angle made the label flat.
        {"Rotation", [](TKxLabel &l) { l.SetRotation(roFlat); },
         [](TKxLabel &l) { l.SetRotation(roCurve); }},
        {"BorderOuter", [](TKxLabel &l) { l.SetBorderOuter(fsNone); },
         [](TKxLabel &l) { l.SetBorderOuter(fsFlat); }},
        {"BorderSides", [](TKxLabel &l) { l.SetBorderSides(TSides::All()); },
         [](TKxLabel &l) { l.SetBorderSides(TSides().With(sdLeft)); }},
        {"BorderWidth", [](TKxLabel &l) { l.SetBorderWidth(0); },
         [](TKxLabel &l) { l.SetBorderWidth(2); }},
        {"BlinkColor", [](TKxLabel &l) { l.SetBlinkColor(clHighlight); },
         [](TKxLabel &l) { l.SetBlinkColor(kRed); }},
        {"FlatColorAdjustment", [](TKxLabel &l) { l.SetFlatColorAdjustment(30); },
         [](TKxLabel &l) { l.SetFlatColorAdjustment(0); }},
        {"TextStyle", [](TKxLabel &l) { l.SetTextStyle(tsNormal); },
         [](TKxLabel &l) { l.SetTextStyle(tsRaised); }},
        {"ShadowDepth", [](TKxLabel &l) { l.SetShadowDepth(2); },
         [](TKxLabel &l) { l.SetShadowDepth(4); }},
        {"CenterPoint", [](TKxLabel &l) { l.SetCenterPoint(cpCenter); },
         [](TKxLabel &l) { l.SetCenterPoint(cpUpperLeft); }},
        {"Layout", [](TKxLabel &l) { l.SetLayout(tlTop); },
         [](TKxLabel &l) { l.SetLayout(tlBottom); }},
        {"Color", [](TKxLabel &l) { l.SetColor(clBtnFace); },
         [](TKxLabel &l) { l.SetColor(kGreen); }},
        {"FontColor", [](TKxLabel &l) { l.SetFontColor(clWindowText); },
         [](TKxLabel &l) { l.SetFontColor(kBlue); }},
        {"Transparent", [](TKxLabel &l) { l.SetTransparent(false); },
         [](TKxLabel &l) { l.SetTransparent(true); }},
    };
    ExpectOnlyChangesRepaint(*label, cases);
}

TEST_F(LabelWindow, AnglesAndRotationsDecideEachOther) {
    label->SetAngle(-30);
    EXPECT_EQ(label->Angle(), 330);
    label->SetAngle(45);
    EXPECT_EQ(label->Rotation(), roFlat) << "a non-zero angle turns a plain label flat";
    label->SetCenterPoint(cpLowerLeft);
    label->SetRotation(roCurve);
    EXPECT_EQ(label->Angle(), 45) << "arc text keeps angle and centre point";
    EXPECT_EQ(label->CenterPoint(), cpLowerLeft);
    label->SetRotation(roFlat);
    EXPECT_EQ(label->Angle(), 0);
    EXPECT_EQ(label->CenterPoint(), cpCenter);
    label->SetAngle(90);
    label->SetRotation(roNone);
    EXPECT_EQ(label->Angle(), 0);
}

TEST_F(LabelWindow, AutoSizeFollowsCaptionAndBordersAndKeepsTheRightEdgeOfARightAlignedLabel) {
    const QSize plain = label->size();
    EXPECT_EQ(plain, label->sizeHint());
    label->SetBorderOuter(fsFlat);
    EXPECT_EQ(label->size(), plain + QSize(2, 2));
    label->SetBorderOuter(fsFlatBold);
    EXPECT_EQ(label->size(), plain) << "a bold flat border adds nothing when the label grows";
    label->SetBorderOuter(fsNone);

    label->SetAlignment(taRightJustify);
    const int right = label->geometry().right();
    label->SetCaption(QStringLiteral("A much longer caption"));
    EXPECT_GT(label->width(), plain.width());
    EXPECT_EQ(label->geometry().right(), right);
}

TEST_F(LabelWindow, CondensingSwitchesAutoSizeOffAndShortensTheMiddleOfAPath) {
    QFont font = label->font();
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    label->setFont(font);
    label->SetFontColor(TColor::FromRgb(0, 0, 0));
    const QString path = QStringLiteral("/home/operator/configuration/core/racks/folder");
    label->SetCaption(path);
    label->SetCondenseCaption(ccWithinPath);
    EXPECT_FALSE(label->AutoSize());
    label->resize(120, 20);
    const QImage image = label->grab().toImage();
    const QRect text = ColorBounds(image, Qt::black);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_LT(text.left(), 10) << "the start of the path stays";
    EXPECT_GT(text.right(), 100) << "its end stays, right up to the edge";
    EXPECT_LT(text.right(), 120);
}

TEST_F(LabelWindow, BlinkingLabelsShareIntervalsAndChangeTogether) {
    TKxLabel other(&window);
    label->SetBlinkIntervalOn(300);
    EXPECT_EQ(other.BlinkIntervalOn(), 300);
    EXPECT_EQ(TKxBlinkingControlsList::Instance().IntervalOn(), 300);
    label->SetBlinkIntervalOn(500);

    label->SetFontColor(kGreen);
    label->SetBlinkColor(kRed);
    label->SetBlinking(true);
    TKxBlinkingControlsList &list = TKxBlinkingControlsList::Instance();
    for (int tick = 0; tick < 2; ++tick) {
        list.Tick();
        EXPECT_EQ(label->DrawColor(), list.Phase() == 1 ? kRed : kGreen);
        EXPECT_EQ(other.DrawColor(), clWindowText) << "a label that does not blink stays";
    }
    if (list.Phase() != 1)
        list.Tick();
    ASSERT_EQ(label->DrawColor(), kRed);
    label->SetFontColor(kBlue);
    EXPECT_EQ(label->BaseFontColor(), kGreen) << "while blinking the base colour stays";
    label->SetBlinking(false);
    EXPECT_FALSE(label->BlinkOn());
    EXPECT_EQ(label->DrawColor(), kGreen);
}

TEST_F(LabelWindow, FlyByColourShowsWhileTheMouseIsOver) {
    int entered = 0;
    int left = 0;
    label->OnMouseEnter = [&](QObject *) { ++entered; };
    label->OnMouseLeave = [&](QObject *) { ++left; };
    label->SetFontColor(kGreen);
    label->SetFlyByColor(kRed);
    label->SetFlyByEnabled(true);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(11, 11));
    QApplication::sendEvent(label, &enter);
    EXPECT_EQ(label->FontColor(), kRed);
    EXPECT_EQ(label->DrawColor(), kRed);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_EQ(label->FontColor(), kGreen);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);

    QApplication::sendEvent(label, &enter);
    label->SetFlyByEnabled(false);
    EXPECT_EQ(label->FontColor(), kGreen) << "switching fly-by off restores the saved colour";
    label->SetFontColor(kBlue);
    label->SetFlyByEnabled(true);
    QApplication::sendEvent(label, &leave);
    EXPECT_EQ(label->FontColor(), kBlue) << "no fly-by colour was shown, none is undone";
}

TEST_F(LabelWindow, FrameControllerSetsBordersAndColoursWhileItShowsFrames) {
    TKxFrameController controller;
    controller.SetFrameStyle(fsLowered);
    controller.SetFrameColor(kRed);
    controller.SetColor(kGrey);
    label->SetFrameController(&controller);
    EXPECT_EQ(label->BorderOuter(), fsNone) << "a controller without frames changes nothing";
    EXPECT_EQ(controller.ControlCount(), 1);

    controller.SetFrameVisible(true);
    EXPECT_EQ(label->BorderOuter(), fsLowered);
    EXPECT_EQ(label->FlatColor(), kRed);
    EXPECT_EQ(label->FlatColorAdjustment(), 0);
    EXPECT_EQ(label->Color(), kGrey);
    EXPECT_FALSE(label->ParentColor());
    const QColor grey = kGrey.Resolve(label->palette());
    EXPECT_EQ(label->BorderHighlight(), TColor::FromQColor(ShadeLighter(grey, 100)));
    EXPECT_EQ(label->BorderShadow(), TColor::FromQColor(ShadeDarker(grey, 50)));

    label->SetFrameControllerNotifications(kAllFrameControllerNotifications &
                                           ~(1u << fcpFrameStyle));
    controller.SetFrameStyle(fsRaised);
    EXPECT_EQ(label->BorderOuter(), fsLowered) << "a refused property keeps the label's own";
    controller.SetFrameSides(TSides().With(sdTop));
    EXPECT_EQ(label->BorderSides(), TSides().With(sdTop));

    label->SetFrameController(nullptr);
    EXPECT_EQ(controller.ControlCount(), 0);
}

class LabelPainting : public ::testing::Test {
protected:
    void SetUp() override {
        QFont font = label.font();
        font.setPixelSize(20);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        label.setFont(font);
        label.SetAutoSize(false);
        label.resize(80, 40);
        label.SetCaption(QStringLiteral("H"));
        label.SetFontColor(TColor::FromRgb(0, 0, 0));
        label.SetShadowColor(kRed);
        label.SetHighlightColor(kBlue);
        label.SetParentColor(false);
    }
    QImage Grab() { return label.grab().toImage(); }

    TKxLabel label;
};

TEST_F(LabelPainting, RaisedTextAndItsLightStyle) {
    label.SetTextStyle(tsRaised);
    const QImage image = Grab();
    const QRect text = ColorBounds(image, Qt::black);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(ColorBounds(image, Qt::red).bottomRight(), text.bottomRight() + QPoint(1, 1));
    EXPECT_EQ(ColorBounds(image, Qt::blue).topLeft(), text.topLeft() - QPoint(1, 1));
    label.SetLightTextStyle(true);
    EXPECT_TRUE(ColorBounds(Grab(), Qt::red).isEmpty());
    label.SetTextStyle(tsRecessed);
    const QImage recessed = Grab();
    EXPECT_FALSE(ColorBounds(recessed, Qt::blue).isEmpty()) << "recessed keeps its lower layer";
    EXPECT_TRUE(ColorBounds(recessed, Qt::red).isEmpty());
}

TEST_F(LabelPainting, ShadowAndBottomLayoutStayInsideTheLabel) {
    label.SetTextStyle(tsShadow);
    label.SetShadowDepth(3);
    label.SetLayout(tlBottom);
    const QImage image = Grab();
    const QRect text = ColorBounds(image, Qt::black);
    const QRect shadow = ColorBounds(image, Qt::red);
    EXPECT_EQ(shadow.bottomRight(), text.bottomRight() + QPoint(3, 3));
    EXPECT_LT(shadow.bottom(), 40);
    EXPECT_GT(text.top(), 10) << "placed at the bottom";
}

TEST_F(LabelPainting, DisabledTextIsHighlightUnderShadow) {
    label.SetTextStyle(tsRaised);
    label.setEnabled(false);
    const QImage image = Grab();
    EXPECT_TRUE(ColorBounds(image, Qt::black).isEmpty());
    EXPECT_TRUE(ColorBounds(image, Qt::blue).isEmpty());
    const QRect shadow = ColorBounds(image, clBtnShadow.Resolve(label.palette()));
    const QRect highlight = ColorBounds(image, clBtnHighlight.Resolve(label.palette()));
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(highlight.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

TEST_F(LabelPainting, FlatBorderInTheAdjustedFlatColourAroundTheFill) {
    label.SetColor(kGreen);
    label.SetBorderOuter(fsFlat);
    label.SetFlatColor(kGrey);
    label.SetFlatColorAdjustment(-30);
    const QImage image = Grab();
    const QColor line = ShadeDarker(kGrey.Resolve(label.palette()), 30);
    EXPECT_EQ(image.pixelColor(0, 20), line);
    EXPECT_EQ(image.pixelColor(79, 39), line);
    EXPECT_EQ(image.pixelColor(1, 1), kGreen.Resolve(label.palette()));
}

TEST_F(LabelPainting, QuarterTurnStandsTheCaptionUp) {
    label.SetCaption(QStringLiteral("HHHH"));
    label.resize(80, 80);
    label.SetAlignment(taCenter);
    const QRect flat = ColorBounds(Grab(), Qt::black);
    label.SetAngle(90);
    const QRect turned = ColorBounds(Grab(), Qt::black);
    ASSERT_FALSE(turned.isEmpty());
    EXPECT_GT(flat.width(), flat.height());
    EXPECT_GT(turned.height(), turned.width());
    EXPECT_NEAR(turned.center().y(), 40, 3) << "centred along the height";
}

TEST_F(LabelPainting, DisabledArcTextKeepsItsRaisedLayers) {
    label.resize(100, 100);
    label.SetCaption(QStringLiteral("HHH"));
    label.SetRotation(roCurve);
    label.SetTextStyle(tsRaised);
    label.setEnabled(false);
    const QImage image = Grab();
    EXPECT_FALSE(ColorBounds(image, Qt::blue).isEmpty()) << "the upper-left layer shows";
    EXPECT_TRUE(ColorBounds(image, Qt::black).isEmpty());
    label.SetTextStyle(tsShadow);
    label.SetShadowDepth(4);
    EXPECT_FALSE(ColorBounds(Grab(), Qt::red).isEmpty()) << "so does the shadow";
    const QRect shadow = ColorBounds(image, clBtnShadow.Resolve(label.palette()));
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_LT(shadow.top(), 50) << "the arc starts at the top";
}

} // namespace
