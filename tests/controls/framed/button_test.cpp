#include "controls/framed/tkxbitbtn.h"
#include "controls/framed/tkxbutton.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/tcustomaction.h"
#include "controls/painting/buttonlayout.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/textlayers.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcutEvent>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

const TColor kRed = TColor::FromRgb(255, 0, 0);
const TColor kBlue = TColor::FromRgb(0, 0, 255);
const TColor kGreen = TColor::FromRgb(0, 160, 0);

struct LayerCase {
    const char *name;
    TTextStyle style;
    bool light;
    std::vector<TextLayer> layers;
};

TEST(TextLayers, StylesDrawTheirLayersUnderTheText) {
    const TextStyleColors colors{kBlue, kRed, clBlack};
    const QPoint shadow(2, 2);
    const TextLayer text{QPoint(0, 0), clBlack};
    const std::vector<LayerCase> cases{
        {"normal", tsNormal, false, {text}},
        {"raised", tsRaised, false, {{QPoint(1, 1), kRed}, {QPoint(-1, -1), kBlue}, text}},
        {"raised light", tsRaised, true, {{QPoint(-1, -1), kBlue}, text}},
        {"recessed", tsRecessed, false, {{QPoint(1, 1), kBlue}, {QPoint(-1, -1), kRed}, text}},
        {"recessed light", tsRecessed, true, {{QPoint(1, 1), kBlue}, text}},
        {"shadow", tsShadow, false, {{shadow, kRed}, text}},
        {"shadow light", tsShadow, true, {{shadow, kRed}, text}},
    };
    for (const LayerCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StyledTextLayers(c.style, c.light, colors, shadow, QPoint(0, 0)), c.layers);
    }
    const std::vector<TextLayer> disabled{{QPoint(1, 1), clBtnHighlight},
                                          {QPoint(0, 0), clBtnShadow}};
    EXPECT_EQ(DisabledTextLayers(), disabled);
}

TEST(ButtonLayout, CaptionIsPlacedVerticallyInItsArea) {
    const Edges area{5, 5, 70, 20};
    EXPECT_EQ(PlaceCaptionVertically(area, 10, avTop), (Edges{5, 5, 70, 15}));
    EXPECT_EQ(PlaceCaptionVertically(area, 10, avCenter), (Edges{5, 7, 70, 17}));
    EXPECT_EQ(PlaceCaptionVertically(area, 10, avBottom), (Edges{5, 9, 70, 20}));
    EXPECT_EQ(ButtonCaptionArea({0, 0, 75, 25}, false), (Edges{5, 5, 70, 20}));
    EXPECT_EQ(ButtonCaptionArea({0, 0, 75, 25}, true), (Edges{6, 6, 71, 21}));
}

struct GlyphCase {
    const char *name;
    TButtonLayout layout;
    int margin;
    bool pressed;
    Edges caption;
    Edges glyph;
};

TEST(ButtonLayout, GlyphAndCaptionShareTheCaptionArea) {
    // A 16 x 16 glyph, spacing 4, a 14-pixel caption, on a 75 x 60 button.
    const Edges area{5, 5, 70, 55};
    const std::vector<GlyphCase> cases{
        {"left", blGlyphLeft, 2, false, {27, 5, 70, 55}, {7, 22, 23, 38}},
        {"right", blGlyphRight, 2, false, {5, 5, 48, 55}, {52, 22, 68, 38}},
        {"top", blGlyphTop, 2, false, {5, 27, 70, 55}, {30, 7, 46, 23}},
        {"bottom", blGlyphBottom, 2, false, {5, 5, 70, 33}, {30, 37, 46, 53}},
        // Centred: d = (60 - (16 + 14 + 4)) / 2 = 13 from the control's top.
        {"top centred", blGlyphTop, -1, false, {5, 34, 70, 48}, {30, 13, 46, 29}},
        {"bottom centred", blGlyphBottom, -1, false, {5, 18, 70, 32}, {30, 32, 46, 48}},
        {"left centred", blGlyphLeft, -1, false, {24, 5, 70, 55}, {5, 22, 21, 38}},
        {"left pressed", blGlyphLeft, 2, true, {27, 5, 70, 55}, {7, 22, 23, 38}},
    };
    for (const GlyphCase &c : cases) {
        SCOPED_TRACE(c.name);
        const GlyphPlacement placement{c.layout, c.margin, 4, QPoint(16, 16), 14, 60};
        EXPECT_EQ(BitBtnCaptionArea(area, placement), c.caption);
        EXPECT_EQ(BitBtnGlyphArea(area, placement, c.pressed, false), c.glyph);
    }
    const GlyphPlacement left{blGlyphLeft, 2, 4, QPoint(16, 16), 14, 60};
    EXPECT_EQ(BitBtnGlyphArea(area, left, true, true), (Edges{8, 22, 24, 38}));
}

TEST(ButtonLayout, GlyphCellsFollowTheButtonState) {
    EXPECT_EQ(GlyphCell(4, true, false, true), 3);
    EXPECT_EQ(GlyphCell(3, true, false, true), 0);
    EXPECT_EQ(GlyphCell(3, false, true, true), 2);
    EXPECT_EQ(GlyphCell(2, false, true, true), 0);
    EXPECT_EQ(GlyphCell(2, false, false, false), 1);
    EXPECT_EQ(GlyphCell(1, false, false, false), 0);
    EXPECT_EQ(NumGlyphsForGlyph(64, 16, 1), 4);
    EXPECT_EQ(NumGlyphsForGlyph(80, 16, 2), 1);
    EXPECT_EQ(NumGlyphsForGlyph(32, 16, 1), 2);
    EXPECT_EQ(NumGlyphsForGlyph(33, 16, 3), 3);
    EXPECT_EQ(NumGlyphsForGlyph(0, 0, 3), 3);
}

// Exposes the painting geometry of a bit button.
class ProbeBitBtn : public TKxBitBtn {
public:
    using TKxBitBtn::GlyphArea;
    using TKxBitBtn::TKxBitBtn;
};

void SendMouse(QWidget &widget, QEvent::Type type, QPoint at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void SendKey(QWidget &widget, QEvent::Type type, int key) {
    QKeyEvent event(type, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

class ButtonWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 200);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 10, 100, 20);
        first = new TKxButton(&window);
        first->setGeometry(10, 40, 75, 25);
        first->SetCaption(QStringLiteral("First"));
        first->OnClick = [this](QObject *) { ++firstClicks; };
        second = new TKxButton(&window);
        second->setGeometry(100, 40, 75, 25);
        second->SetCaption(QStringLiteral("Second"));
        second->OnClick = [this](QObject *) { ++secondClicks; };
        ShowActive(window);
        edit->setFocus();
        Settle();
    }

    void Click(TKxButton &button) {
        SendMouse(button, QEvent::MouseButtonPress, QPoint(10, 10));
        SendMouse(button, QEvent::MouseButtonRelease, QPoint(10, 10));
    }

    QWidget window;
    QLineEdit *edit = nullptr;
    TKxButton *first = nullptr;
    TKxButton *second = nullptr;
    int firstClicks = 0;
    int secondClicks = 0;
};

TEST_F(ButtonWindow, EqualPropertyValuesRepaintNothing) {
    const std::vector<RepaintCase<TKxButton>> cases{
        {"Alignment", [](TKxButton &b) { b.SetAlignment(taCenter); },
         [](TKxButton &b) { b.SetAlignment(taLeftJustify); }},
        {"FrameColor", [](TKxButton &b) { b.SetFrameColor(cl3DDkShadow); },
         [](TKxButton &b) { b.SetFrameColor(kRed); }},
        {"TextStyle", [](TKxButton &b) { b.SetTextStyle(tsNormal); },
         [](TKxButton &b) { b.SetTextStyle(tsRaised); }},
        {"TextShadowDepth", [](TKxButton &b) { b.SetTextShadowDepth(2); },
         [](TKxButton &b) { b.SetTextShadowDepth(3); }},
        {"HotTrack", [](TKxButton &b) { b.SetHotTrack(false); },
         [](TKxButton &b) { b.SetHotTrack(true); }},
        {"ShowFocusRect", [](TKxButton &b) { b.SetShowFocusRect(true); },
         [](TKxButton &b) { b.SetShowFocusRect(false); }},
        {"AlignmentVertical", [](TKxButton &b) { b.SetAlignmentVertical(avCenter); },
         [](TKxButton &b) { b.SetAlignmentVertical(avTop); }},
    };
    ExpectOnlyChangesRepaint(*second, cases);
}

TEST_F(ButtonWindow, ReleaseInsideClicksAndDraggingOutTogglesThePressedLook) {
    Click(*first);
    EXPECT_EQ(firstClicks, 1);

    SendMouse(*first, QEvent::MouseButtonPress, QPoint(10, 10));
    EXPECT_TRUE(first->ShowPressed());
    EXPECT_TRUE(first->Tracking());
    SendMouse(*first, QEvent::MouseMove, QPoint(200, 10));
    EXPECT_FALSE(first->ShowPressed());
    SendMouse(*first, QEvent::MouseMove, QPoint(5, 5));
    EXPECT_TRUE(first->ShowPressed());
    SendMouse(*first, QEvent::MouseMove, QPoint(-1, 5));
    SendMouse(*first, QEvent::MouseButtonRelease, QPoint(-1, 5));
    EXPECT_FALSE(first->Tracking());
    EXPECT_EQ(firstClicks, 1);
}

TEST_F(ButtonWindow, SpaceClicksOnReleaseUnlessTheFocusLeftMeanwhile) {
    first->setFocus();
    SendKey(*first, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_TRUE(first->ShowPressed());
    SendKey(*first, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(firstClicks, 1);
    EXPECT_FALSE(first->ShowPressed());

    SendKey(*first, QEvent::KeyPress, Qt::Key_Space);
    edit->setFocus();
    Settle();
    EXPECT_FALSE(first->ShowPressed());
    first->setFocus();
    SendKey(*first, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(firstClicks, 1);
}

TEST_F(ButtonWindow, EnterClicksTheButtonWithTheDefaultLook) {
    first->SetDefault(true);
    EXPECT_TRUE(first->DefaultLook());
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(firstClicks, 1);

    // Focus on another button gives that one the default look.
    second->setFocus();
    Settle();
    EXPECT_TRUE(second->DefaultLook());
    EXPECT_FALSE(first->DefaultLook());
    SendKey(*second, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(secondClicks, 1);
    EXPECT_EQ(firstClicks, 1);

    edit->setFocus();
    Settle();
    EXPECT_TRUE(first->DefaultLook());
    EXPECT_FALSE(second->DefaultLook());
}

TEST_F(ButtonWindow, EscapeClicksTheCancelButton) {
    second->SetCancel(true);
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(secondClicks, 1);
    second->setEnabled(false);
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(secondClicks, 1);
}

TEST_F(ButtonWindow, AcceleratorClicksAButtonThatCanTakeTheFocus) {
    first->SetCaption(QStringLiteral("&Save"));
    QShortcutEvent shortcut(QKeySequence(QStringLiteral("Alt+S")), 0);
    QApplication::sendEvent(first, &shortcut);
    EXPECT_EQ(firstClicks, 1);
    first->setEnabled(false);
    QApplication::sendEvent(first, &shortcut);
    EXPECT_EQ(firstClicks, 1);
}

TEST_F(ButtonWindow, GroupedButtonsKeepOneDown) {
    first->SetDown(true);
    EXPECT_FALSE(first->Down()) << "without a group a button stays up";

    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    first->SetDown(true);
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(first->DownState(), TKxButton::bsExclusive);
    first->SetDown(false);
    EXPECT_TRUE(first->Down()) << "without AllowAllUp a grouped button cannot raise itself";

    Click(*second);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(secondClicks, 1);

    second->SetAllowAllUp(true);
    EXPECT_TRUE(first->AllowAllUp()) << "the group copies AllowAllUp";
    Click(*second);
    EXPECT_FALSE(second->Down());
}

TEST_F(ButtonWindow, InClickIsClearedWhenOnClickRaises) {
    std::vector<QString> reported;
    SetHandlerErrorReporter([&](const QString &message) { reported.push_back(message); });
    bool inClickSeen = false;
    first->OnClick = [&](QObject *) {
        inClickSeen = first->InClick();
        throw std::runtime_error("click failed");
    };
    Click(*first);
    SetHandlerErrorReporter([](const QString &message) {
        ADD_FAILURE() << "handler error: " << message.toStdString();
    });
    EXPECT_TRUE(inClickSeen);
    EXPECT_FALSE(first->InClick());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], QStringLiteral("click failed"));
}

TEST(ButtonModalResult, ClickGivesTheWindowTheButtonsResult) {
    QDialog dialog;
    auto *button = new TKxButton(&dialog);
    ShowActive(dialog);
    button->Click();
    EXPECT_EQ(dialog.property("ModalResult").toInt(), 0);
    EXPECT_TRUE(dialog.isVisible()) << "result 0 leaves the window open";
    button->SetModalResult(1);
    button->Click();
    EXPECT_EQ(dialog.result(), 1);
    EXPECT_FALSE(dialog.isVisible());
}

class ButtonPainting : public ::testing::Test {
protected:
    void SetUp() override {
        QFont font = button.font();
        font.setPixelSize(20);
        font.setBold(true);
        font.setStyleStrategy(QFont::NoAntialias);
        button.setFont(font);
        QPalette palette = button.palette();
        palette.setColor(QPalette::ButtonText, Qt::black);
        button.setPalette(palette);
        button.SetCaption(QStringLiteral("H"));
        button.resize(80, 40);
        button.SetShowFocusRect(false);
        button.SetTextShadowColor(kRed);
        button.SetTextHighlightColor(kBlue);
    }
    QImage Grab() { return button.grab().toImage(); }

    TKxButton button;
};

TEST_F(ButtonPainting, RaisedTextPutsShadowBelowRightAndHighlightAboveLeft) {
    button.SetTextStyle(tsRaised);
    const QImage image = Grab();
    const QRect text = ColorBounds(image, Qt::black);
    const QRect shadow = ColorBounds(image, Qt::red);
    const QRect highlight = ColorBounds(image, Qt::blue);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(shadow.right(), text.right() + 1);
    EXPECT_EQ(shadow.bottom(), text.bottom() + 1);
    EXPECT_EQ(highlight.left(), text.left() - 1);
    EXPECT_EQ(highlight.top(), text.top() - 1);

    button.SetLightTextStyle(true);
    const QImage light = Grab();
    EXPECT_TRUE(ColorBounds(light, Qt::red).isEmpty());
    EXPECT_FALSE(ColorBounds(light, Qt::blue).isEmpty());
}

TEST_F(ButtonPainting, ShadowTextIsOffsetByTheDepth) {
    button.SetTextStyle(tsShadow);
    button.SetTextShadowDepth(3);
    const QImage image = Grab();
    const QRect text = ColorBounds(image, Qt::black);
    const QRect shadow = ColorBounds(image, Qt::red);
    EXPECT_EQ(shadow.right(), text.right() + 3);
    EXPECT_EQ(shadow.bottom(), text.bottom() + 3);
}

TEST_F(ButtonPainting, DisabledTextIsHighlightUnderShadow) {
    button.SetTextStyle(tsRaised);
    button.setEnabled(false);
    // Inside the border, which has lines of the same colours.
    const QImage image = Grab().copy(5, 5, 70, 30);
    EXPECT_TRUE(ColorBounds(image, Qt::black).isEmpty());
    EXPECT_TRUE(ColorBounds(image, Qt::blue).isEmpty());
    const QRect shadow = ColorBounds(image, clBtnShadow.Resolve(button.palette()));
    const QRect highlight = ColorBounds(image, clBtnHighlight.Resolve(button.palette()));
    ASSERT_FALSE(shadow.isEmpty());
    EXPECT_EQ(highlight.right(), shadow.right() + 1);
}

TEST_F(ButtonPainting, HotTrackFramesInFrameColourAndDisabledInColourDarkened) {
    button.SetHotTrack(true);
    button.SetFrameColor(kRed);
    EXPECT_EQ(Grab().pixelColor(1, 20), QColor(Qt::red));
    button.SetColor(kGreen);
    button.setEnabled(false);
    EXPECT_EQ(Grab().pixelColor(1, 20), ShadeDarker(kGreen.Resolve(button.palette()), 80));
}

struct ColourLookCase {
    const char *name;
    bool themed;
    bool hotTrack;
};

TEST(ButtonColour, AColourOtherThanTheFaceShowsInEveryLook) {
    const std::vector<ColourLookCase> cases{
        {"themed", true, false},
        {"themed, hot-tracked", true, true},
        {"classic", false, false},
        {"hot-tracked", false, true},
    };
    for (const ColourLookCase &c : cases) {
        SCOPED_TRACE(c.name);
        SetThemesActive(c.themed);
        QWidget window;
        window.resize(200, 60);
        TKxButton plain(&window);
        TKxButton coloured(&window);
        for (TKxButton *button : {&plain, &coloured}) {
            button->SetHotTrack(c.hotTrack);
            button->SetCaption(QString());
            button->resize(80, 30);
        }
        coloured.move(100, 0);
        coloured.SetColor(kGreen);
        ShowActive(window);
        const QColor face = plain.grab().toImage().pixelColor(40, 12);
        const QColor shown = coloured.grab().toImage().pixelColor(40, 12);
        SetThemesActive(false);
        EXPECT_LT(face.green() - face.red(), 20) << "the face colour is a grey";
        EXPECT_GT(shown.green() - shown.red(), 60) << "the green button looks green";
    }
}

TEST_F(ButtonPainting, ClassicDefaultButtonGetsAFrameLine) {
    const QColor highlight(clBtnHighlight.Resolve(button.palette()).rgb());
    EXPECT_EQ(Grab().pixelColor(0, 0), highlight) << "the raised border starts at the edge";
    button.SetDefault(true);
    ASSERT_TRUE(button.DefaultLook());
    EXPECT_EQ(Grab().pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(Grab().pixelColor(1, 1), highlight) << "the border moves inside the line";
}

TEST_F(ButtonPainting, GroupedDownButtonShowsTheDownPattern) {
    button.SetCaption(QString());
    button.SetGroupIndex(1);
    button.SetDown(true);
    const QImage image = Grab();
    const QColor face(clBtnFace.Resolve(button.palette()).rgb());
    const QColor dots =
        face == QColor(0xC0, 0xC0, 0xC0) ? QColor(0x80, 0x80, 0x80) : QColor(0xC0, 0xC0, 0xC0);
    EXPECT_EQ(image.pixelColor(10, 10), dots);
    EXPECT_EQ(image.pixelColor(11, 10), face);
    button.SetShowDownPattern(false);
    EXPECT_EQ(Grab().pixelColor(10, 10), face);
}

TEST_F(ButtonPainting, HotTrackRingShowsUnderTheMouseInTheHotTrackColour) {
    button.SetCaption(QString());
    button.SetHotTrack(true);
    // The ring runs along the face inside the bevel and the frame, 2 pixels wide.
    const QPoint onRing(3, 35);
    const QColor plain = Grab().pixelColor(onRing);
    const QColor centre = Grab().pixelColor(20, 20);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&button, &enter);
    ASSERT_TRUE(button.MouseInside());
    const QColor hot = Grab().pixelColor(onRing);
    EXPECT_NE(hot, plain);
    EXPECT_GT(hot.red(), 200) << "near the hot colour (240, 155, 20) at the bottom";
    EXPECT_LT(hot.blue(), 120);
    EXPECT_EQ(Grab().pixelColor(20, 20), centre) << "only the ring changes";
    button.SetHotTrackColorType(htctComplement);
    EXPECT_NE(Grab().pixelColor(onRing), hot) << "the complement is another colour";
}

TEST(ButtonTransparency, HotTrackShowsTheParentInTheCorners) {
    QWidget parent;
    parent.resize(100, 60);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, Qt::green);
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    auto *button = new TKxButton(&parent);
    button->move(10, 10);
    button->SetHotTrack(true);
    EXPECT_TRUE(button->Transparent());
    ShowActive(parent);
    const QImage image = button->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_NE(image.pixelColor(20, 12), QColor(Qt::green));
}

TEST(BitBtnKind, AKindSetsCaptionResultAndGlyphUntilTheGlyphIsReplaced) {
    TKxBitBtn button;
    button.SetKind(bkOK);
    EXPECT_EQ(button.Caption(), QStringLiteral("OK"));
    EXPECT_TRUE(button.Default());
    EXPECT_EQ(button.ModalResult(), 1);
    EXPECT_EQ(button.NumGlyphs(), 2);
    EXPECT_EQ(button.Glyph().size(), QSize(32, 16));
    EXPECT_EQ(button.Kind(), bkOK);
    EXPECT_FALSE(button.IsCaptionStored());

    button.SetGlyph(QPixmap(16, 16));
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_TRUE(button.IsCustomKind());
    EXPECT_TRUE(button.IsCaptionStored());

    TKxBitBtn cancel;
    cancel.SetKind(bkCancel);
    EXPECT_TRUE(cancel.Cancel());
    cancel.SetModalResult(0);
    EXPECT_EQ(cancel.Kind(), bkCustom) << "a changed result no longer matches the kind";
}

TEST(BitBtnKind, AKindOnceLostStaysCustomAndCanBeSetAgain) {
    TKxBitBtn button;
    button.SetKind(bkOK);
    button.SetDefault(false);
    EXPECT_EQ(button.Kind(), bkCustom);
    button.SetDefault(true);
    EXPECT_EQ(button.Kind(), bkCustom) << "matching again does not bring the kind back";

    button.SetGlyph(QPixmap(16, 16));
    button.SetCaption(QStringLiteral("Go"));
    button.SetKind(bkOK);
    EXPECT_EQ(button.Kind(), bkOK);
    EXPECT_EQ(button.Caption(), QStringLiteral("OK"));
    EXPECT_EQ(button.Glyph().size(), QSize(32, 16)) << "the kind's glyph replaces the custom one";
    EXPECT_EQ(button.NumGlyphs(), 2);
}

TEST(BitBtnGlyph, GlyphWidthGivesTheCellCountAndMarginRefusesBelowMinusOne) {
    TKxBitBtn button;
    button.SetGlyph(QPixmap(64, 16));
    EXPECT_EQ(button.NumGlyphs(), 4);
    button.SetGlyph(QPixmap(80, 16));
    EXPECT_EQ(button.NumGlyphs(), 1);
    button.SetMargin(-5);
    EXPECT_EQ(button.Margin(), 2);
    button.SetMargin(-1);
    EXPECT_EQ(button.Margin(), -1);
    button.ChangeScale(2, 1);
    EXPECT_EQ(button.Margin(), -2);
    EXPECT_EQ(button.Spacing(), 8);
    button.SetSpacing(5);
    button.ChangeScale(3, 2);
    EXPECT_EQ(button.Spacing(), 8) << "7.5 rounds to the nearest";
    EXPECT_EQ(button.Margin(), -3);
}

TEST(BitBtnAction, TheActionGivesCaptionAndImageAndRunsForAButtonWithoutOnClick) {
    QWidget window;
    auto *button = new TKxBitBtn(&window);
    TCustomAction action;
    action.setText(QStringLiteral("&Save"));
    action.SetImageIndex(3);
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    button->SetAction(&action);
    EXPECT_EQ(button->Caption(), QStringLiteral("&Save"));
    EXPECT_EQ(button->ImageIndex(), 3);
    action.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    action.setEnabled(true);
    action.SetImageIndex(4);
    EXPECT_EQ(button->ImageIndex(), 4);
    button->Click();
    EXPECT_EQ(triggered, 1);
    int clicks = 0;
    button->OnClick = [&](QObject *) { ++clicks; };
    button->Click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(triggered, 1) << "an own OnClick replaces the action";
    button->SetAction(nullptr);
    action.setText(QStringLiteral("Other"));
    EXPECT_EQ(button->Caption(), QStringLiteral("&Save"));
}

TEST(BitBtnGlyph, DisabledButtonDrawsTheDisabledCell) {
    ProbeBitBtn button;
    button.resize(90, 30);
    button.SetKind(bkOK);
    const QRect area = button.GlyphArea();
    const QImage enabled = button.grab().toImage().copy(area);
    EXPECT_FALSE(ColorBounds(enabled, QColor(0, 128, 0)).isEmpty());
    button.setEnabled(false);
    const QImage disabled = button.grab().toImage().copy(area);
    EXPECT_TRUE(ColorBounds(disabled, QColor(0, 128, 0)).isEmpty());
    EXPECT_FALSE(ColorBounds(disabled, QColor(128, 128, 128)).isEmpty());
    EXPECT_TRUE(ColorBounds(disabled, QColor(128, 128, 0)).isEmpty()) << "transparent colour";
}

} // namespace
