#include "controls/framed/tkxtoolbutton.h"
#include "controls/framework/controlservices.h"
#include "controls/framework/tcustomaction.h"
#include "controls/framework/timagelist.h"
#include "controls/painting/buttonlayout.h"
#include "controls/painting/colorarithmetic.h"
#include "controls/painting/toolbuttongeometry.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcutEvent>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct GeometryCase {
    const char *name;
    bool dropDown;
    bool rightToLeft;
    bool pushedIn;
    QRect content;
    QRect arrowPart;
    QPoint tip;
};

TEST(ToolButtonGeometry, PartsFollowStyleAndDirection) {
    const QSize size(39, 25);
    const std::vector<GeometryCase> cases{
        {"button", false, false, false, QRect(2, 2, 35, 21), QRect(), QPoint(31, 14)},
        {"drop-down", true, false, false, QRect(2, 2, 21, 21), QRect(25, 0, 14, 25),
         QPoint(31, 14)},
        {"drop-down right-to-left", true, true, false, QRect(16, 2, 21, 21), QRect(0, 0, 14, 25),
         QPoint(6, 14)},
        {"pushed in", true, false, true, QRect(2, 2, 21, 21), QRect(25, 0, 14, 25), QPoint(32, 15)},
    };
    for (const GeometryCase &c : cases) {
        SCOPED_TRACE(c.name);
        const ToolButtonGeometry g = ToolButtonLayout(size, c.dropDown, c.rightToLeft, c.pushedIn);
        EXPECT_EQ(g.content, c.content);
        EXPECT_EQ(g.arrowPart, c.arrowPart);
        EXPECT_EQ(g.arrow[0], c.tip);
        EXPECT_EQ(g.arrow[1], c.tip + QPoint(-2, -2));
        EXPECT_EQ(g.arrow[2], c.tip + QPoint(2, -2));
    }
    EXPECT_TRUE(InDropArrowPart(25, 39, false));
    EXPECT_FALSE(InDropArrowPart(24, 39, false));
    EXPECT_TRUE(InDropArrowPart(14, 39, true));
    EXPECT_FALSE(InDropArrowPart(15, 39, true));
}

TEST(ToolButtonGeometry, MenuOpensUnderTheButtonAndRightAlignedAtTheWorkAreaEdge) {
    const QRect button(100, 50, 39, 25);
    EXPECT_EQ(DropDownMenuPoint(button, false, 120, 1000), QPoint(100, 75));
    EXPECT_EQ(DropDownMenuPoint(button, true, 120, 1000), QPoint(139, 75));
    const QPoint moved = DropDownMenuPoint(button, false, 120, 200);
    EXPECT_EQ(moved, QPoint(19, 75));
    EXPECT_EQ(moved.x() + 120, button.left() + button.width()) << "ends under the right edge";
    EXPECT_EQ(DropDownMenuPoint(button, false, 100, 200), QPoint(100, 75)) << "just fits";
}

struct ToolLayoutCase {
    const char *name;
    TButtonLayout layout;
    TAlignment alignment;
    bool caption;
    QPoint pushed;
    ToolLayout expected;
};

TEST(ToolButtonGeometry, ImageAndCaptionAreLaidOutAndAligned) {
    // Area 2..58 x 2..38 of a 60 x 40 button, image 16 x 16, caption 20 x 10; justified
    // content starts 4 pixels from the button's edge.
    const Edges area{2, 2, 58, 38};
    const std::vector<ToolLayoutCase> cases{
        {"left", blGlyphLeft, taCenter, true, {}, {QRect(10, 12, 16, 16), QRect(30, 15, 20, 10)}},
        {"left, left-justified",
         blGlyphLeft,
         taLeftJustify,
         true,
         {},
         {QRect(4, 12, 16, 16), QRect(24, 15, 20, 10)}},
        {"left, right-justified",
         blGlyphLeft,
         taRightJustify,
         true,
         {},
         {QRect(16, 12, 16, 16), QRect(36, 15, 20, 10)}},
        {"right", blGlyphRight, taCenter, true, {}, {QRect(34, 12, 16, 16), QRect(10, 15, 20, 10)}},
        {"top", blGlyphTop, taCenter, true, {}, {QRect(22, 5, 16, 16), QRect(20, 25, 20, 10)}},
        {"bottom",
         blGlyphBottom,
         taCenter,
         true,
         {},
         {QRect(22, 19, 16, 16), QRect(20, 5, 20, 10)}},
        {"no caption", blGlyphLeft, taLeftJustify, false, {}, {QRect(4, 12, 16, 16), QRect()}},
        {"pushed",
         blGlyphTop,
         taCenter,
         true,
         QPoint(1, 1),
         {QRect(23, 6, 16, 16), QRect(21, 26, 20, 10)}},
    };
    for (const ToolLayoutCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LayoutToolImageAndCaption(area, QPoint(16, 16), QPoint(20, 10), c.caption,
                                            c.layout, c.alignment, c.pushed),
                  c.expected);
    }
}

// Where the mouse rests so that no button starts hot.
const QPoint kAwayFromWindows(700, 500);

void SendMouse(QWidget &widget, QEvent::Type type, QPoint at,
               Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Records the menus it would show instead of running them.
class ProbeToolButton : public TKxToolButton {
public:
    using TKxToolButton::TKxToolButton;
    std::vector<QPoint> menuPoints;
    // Where the mouse is when the menu closes, in button coordinates.
    QPoint cursorAfterMenu{5, 5};

protected:
    void PopupMenuAt(QMenu &, QPoint point) override {
        menuPoints.push_back(point);
        QCursor::setPos(mapToGlobal(cursorAfterMenu));
    }
};

class ToolButtonWindow : public ::testing::Test {
protected:
    void SetUp() override {
        QCursor::setPos(kAwayFromWindows);
        window.resize(300, 200);
        first = new ProbeToolButton(&window);
        first->move(10, 10);
        first->OnClick = [this](QObject *) { ++firstClicks; };
        second = new ProbeToolButton(&window);
        second->move(40, 10);
        second->OnClick = [this](QObject *) { ++secondClicks; };
        menu.addAction(QStringLiteral("Create folder"));
        ShowActive(window);
    }

    void Click(TKxToolButton &button, QPoint at = QPoint(5, 5)) {
        SendMouse(button, QEvent::MouseButtonPress, at);
        SendMouse(button, QEvent::MouseButtonRelease, at);
    }

    QWidget window;
    QMenu menu;
    ProbeToolButton *first = nullptr;
    ProbeToolButton *second = nullptr;
    int firstClicks = 0;
    int secondClicks = 0;
};

TEST_F(ToolButtonWindow, EqualPropertyValuesRepaintNothing) {
    const TColor red = TColor::FromRgb(255, 0, 0);
    const std::vector<RepaintCase<TKxToolButton>> cases{
        {"Alignment", [](TKxToolButton &b) { b.SetAlignment(taCenter); },
         [](TKxToolButton &b) { b.SetAlignment(taLeftJustify); }},
        {"Flat", [](TKxToolButton &b) { b.SetFlat(true); },
         [](TKxToolButton &b) { b.SetFlat(false); }},
        {"ImageIndex", [](TKxToolButton &b) { b.SetImageIndex(-1); },
         [](TKxToolButton &b) { b.SetImageIndex(2); }},
        {"SelectionFrameColor", [](TKxToolButton &b) { b.SetSelectionFrameColor(cl3DDkShadow); },
         [red](TKxToolButton &b) { b.SetSelectionFrameColor(red); }},
        {"VisualStyle", [](TKxToolButton &b) { b.SetVisualStyle(vsWinXP); },
         [](TKxToolButton &b) { b.SetVisualStyle(vsGradient); }},
        {"Transparent", [](TKxToolButton &b) { b.SetTransparent(true); },
         [](TKxToolButton &b) { b.SetTransparent(false); }},
        {"ShowCaption", [](TKxToolButton &b) { b.SetShowCaption(false); },
         [](TKxToolButton &b) { b.SetShowCaption(true); }},
        {"Layout", [](TKxToolButton &b) { b.SetLayout(blGlyphLeft); },
         [](TKxToolButton &b) { b.SetLayout(blGlyphTop); }},
    };
    ExpectOnlyChangesRepaint<TKxToolButton>(*second, cases);
}

TEST_F(ToolButtonWindow, StyleSizeAndToolbarFlags) {
    first->SetGroupIndex(3);
    first->SetToolStyle(tsDropDown);
    EXPECT_EQ(first->GroupIndex(), 0) << "a style change leaves no group";
    EXPECT_EQ(first->width(), 39);
    EXPECT_TRUE(first->UseToolbarButtonSize()) << "the style's own growth keeps the flag";
    first->SetGroupIndex(2);
    EXPECT_EQ(first->GroupIndex(), 0) << "a drop-down button has no group";
    first->SetToolStyle(tsButton);
    EXPECT_EQ(first->width(), 25);

    first->SetWidth(30);
    EXPECT_FALSE(first->UseToolbarButtonSize());
    first->SetLayout(blGlyphRight);
    EXPECT_FALSE(first->UseToolbarButtonLayout());
    first->SetVisualStyle(vsClassic);
    EXPECT_FALSE(first->UseToolbarVisualStyle());
    first->SetShowCaption(true);
    EXPECT_FALSE(first->UseToolbarShowCaption());

    TImageList images(32, 28);
    second->SetImages(&images);
    EXPECT_EQ(second->size(), QSize(32, 28)) << "the button holds its images";
}

TEST_F(ToolButtonWindow, PressDragAndReleaseClickOnlyInside) {
    SendMouse(*first, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsPressed);
    SendMouse(*first, QEvent::MouseMove, QPoint(40, 5));
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsUp);
    SendMouse(*first, QEvent::MouseMove, QPoint(6, 6));
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsPressed);
    SendMouse(*first, QEvent::MouseMove, QPoint(40, 5));
    SendMouse(*first, QEvent::MouseButtonRelease, QPoint(40, 5));
    EXPECT_EQ(firstClicks, 0);
    EXPECT_FALSE(first->Tracking());
    Click(*first);
    EXPECT_EQ(firstClicks, 1);
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsUp);
    SendMouse(*first, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton);
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsUp) << "only the left button presses";
}

TEST_F(ToolButtonWindow, GroupedButtonsKeepOneDownAndClickOnlyOnAChange) {
    first->SetDown(true);
    EXPECT_FALSE(first->Down()) << "without a group a button stays up";
    first->SetGroupIndex(1);
    second->SetGroupIndex(1);
    Click(*first);
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsDown);
    EXPECT_EQ(firstClicks, 1);
    Click(*first);
    EXPECT_TRUE(first->Down()) << "without AllowAllUp a down button stays down";
    EXPECT_EQ(firstClicks, 1) << "no change, no click";
    Click(*second);
    EXPECT_TRUE(second->Down());
    EXPECT_FALSE(first->Down());
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsUp);
    second->SetAllowAllUp(true);
    EXPECT_TRUE(first->AllowAllUp()) << "the group copies AllowAllUp";
    Click(*second);
    EXPECT_FALSE(second->Down());
    EXPECT_EQ(secondClicks, 2);
}

TEST_F(ToolButtonWindow, PureDropDownOpensItsMenuFromAnyPoint) {
    first->SetToolStyle(tsDropDown);
    first->OnClick = nullptr;
    first->SetDropDownMenu(&menu);
    QObject *dropped = nullptr;
    first->OnDropDown = [&](QObject *sender) { dropped = sender; };
    SendMouse(*first, QEvent::MouseButtonPress, QPoint(3, 3));
    ASSERT_EQ(first->menuPoints.size(), 1u);
    EXPECT_EQ(dropped, &menu);
    EXPECT_EQ(menu.property("PopupComponent").value<QObject *>(), first);
    EXPECT_EQ(first->ToolState(), TKxToolButton::tbsUp) << "the press ended with the menu";
    EXPECT_FALSE(first->InDropDown());
}

TEST_F(ToolButtonWindow, SplitButtonOpensItsMenuFromTheArrowPartOnly) {
    qint64 now = 1000;
    first->SetTickSource([&] { return now; });
    first->SetToolStyle(tsDropDown);
    first->SetDropDownMenu(&menu);
    Click(*first, QPoint(5, 5));
    EXPECT_EQ(firstClicks, 1);
    EXPECT_TRUE(first->menuPoints.empty());

    SendMouse(*first, QEvent::MouseButtonPress, QPoint(30, 5));
    EXPECT_EQ(first->menuPoints.size(), 1u);
    EXPECT_FALSE(first->ClickAllowed());
    // A press on the arrow right after the menu closed was the click that closed it.
    now += 50;
    SendMouse(*first, QEvent::MouseButtonPress, QPoint(30, 5));
    EXPECT_EQ(first->menuPoints.size(), 1u);
    EXPECT_TRUE(first->ClickAllowed());
    now += 500;
    SendMouse(*first, QEvent::MouseButtonPress, QPoint(30, 5));
    EXPECT_EQ(first->menuPoints.size(), 2u);

    // After a menu the next press on the main part is swallowed.
    Click(*first, QPoint(5, 5));
    EXPECT_EQ(firstClicks, 1);
    Click(*first, QPoint(5, 5));
    EXPECT_EQ(firstClicks, 2);

    // Unless the mouse left the button while the menu was open.
    now += 500;
    first->cursorAfterMenu = QPoint(200, 5);
    SendMouse(*first, QEvent::MouseButtonPress, QPoint(30, 5));
    EXPECT_TRUE(first->ClickAllowed());
    Click(*first, QPoint(5, 5));
    EXPECT_EQ(firstClicks, 3);
}

TEST_F(ToolButtonWindow, ActionGivesCaptionCheckedStateAndImageIndexWhileTheyAreLinked) {
    TCustomAction action;
    action.setText(QStringLiteral("New"));
    action.setCheckable(true);
    action.setChecked(true);
    action.SetImageIndex(4);
    int triggered = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggered; });
    first->OnClick = nullptr;
    first->SetGroupIndex(1);
    first->SetAllowAllUp(true);
    first->SetAction(&action);
    EXPECT_EQ(first->Caption(), QStringLiteral("New"));
    EXPECT_TRUE(first->Down());
    EXPECT_EQ(first->ImageIndex(), 4);

    action.setChecked(false);
    EXPECT_FALSE(first->Down());
    EXPECT_FALSE(first->IsDownStored()) << "the action supplies it";
    action.SetImageIndex(5);
    EXPECT_EQ(first->ImageIndex(), 5);
    EXPECT_FALSE(first->IsImageIndexStored()) << "the action supplies it";
    first->SetImageIndex(7);
    EXPECT_TRUE(first->IsImageIndexStored());
    action.SetImageIndex(6);
    EXPECT_EQ(first->ImageIndex(), 6) << "every change of the action reaches the button";

    Click(*first);
    EXPECT_EQ(triggered, 1) << "a button without OnClick runs its action";
    EXPECT_EQ(first->Down(), action.isChecked());

    TCustomAction target;
    target.setCheckable(true);
    first->SetDown(!action.isChecked());
    first->AssignTo(target);
    EXPECT_EQ(target.isChecked(), first->Down());
    EXPECT_EQ(target.ImageIndex(), 6);
}

TEST_F(ToolButtonWindow, AcceleratorClicksOrOpensThePureDropDownMenu) {
    first->SetCaption(QStringLiteral("&New"));
    QShortcutEvent shortcut(QKeySequence(QStringLiteral("Alt+N")), 0);
    QApplication::sendEvent(first, &shortcut);
    EXPECT_EQ(firstClicks, 1);
    first->SetToolStyle(tsDropDown);
    first->OnClick = nullptr;
    first->SetDropDownMenu(&menu);
    QApplication::sendEvent(first, &shortcut);
    EXPECT_EQ(first->menuPoints.size(), 1u);
    first->setEnabled(false);
    QApplication::sendEvent(first, &shortcut);
    EXPECT_EQ(first->menuPoints.size(), 1u) << "a disabled button ignores its accelerator";
}

QPixmap Solid(const QColor &color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return pixmap;
}

class ToolButtonPainting : public ::testing::Test {
protected:
    void SetUp() override {
        QCursor::setPos(kAwayFromWindows);
        parent.resize(100, 60);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, Qt::green);
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        button = new TKxToolButton(&parent);
        button->move(10, 10);
        images.Add(Solid(Qt::red));
        images.Add(Solid(Qt::blue));
        images.Add(Solid(Qt::yellow));
        images.Add(Solid(Qt::magenta));
        ShowActive(parent);
    }
    QImage Grab() {
        return parent.grab(QRect(10, 10, button->width(), button->height())).toImage();
    }
    QColor System(TColor color) { return QColor(color.Resolve(button->palette()).rgb()); }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
        QApplication::sendEvent(button, &enter);
    }

    QWidget parent;
    TKxToolButton *button = nullptr;
    TImageList images{16, 16};
};

TEST_F(ToolButtonPainting, FlatButtonShowsItsFaceOnlyWhenHot) {
    EXPECT_EQ(Grab().pixelColor(0, 0), QColor(Qt::green)) << "transparent and not hot";
    Enter();
    EXPECT_EQ(Grab().pixelColor(0, 0), System(clBtnHighlight)) << "popup frame when hot";
    SendMouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(Grab().pixelColor(0, 0), System(clBtnShadow)) << "status frame when pressed";
}

TEST_F(ToolButtonPainting, ClassicButtonIsRaisedAndLoweredWhenPressed) {
    button->SetVisualStyle(vsClassic);
    button->SetFlat(false);
    EXPECT_EQ(Grab().pixelColor(0, 0), System(clBtnHighlight));
    EXPECT_EQ(Grab().pixelColor(24, 24), System(cl3DDkShadow));
    SendMouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(Grab().pixelColor(0, 0), System(clBtnShadow));
    EXPECT_EQ(Grab().pixelColor(1, 1), System(cl3DDkShadow));
}

TEST_F(ToolButtonPainting, GradientStyleFramesInTheCustomSelectionColours) {
    const TColor frame = TColor::FromRgb(0, 0, 128);
    const TColor start = TColor::FromRgb(255, 255, 255);
    const TColor stop = TColor::FromRgb(200, 100, 0);
    button->SetVisualStyle(vsGradient);
    button->SetGradientColorStyle(gcsCustom);
    button->SetSelectionFrameColor(frame);
    button->SetSelectionColorStart(start);
    button->SetSelectionColorStop(stop);
    Enter();
    QImage image = Grab();
    EXPECT_EQ(image.pixelColor(0, 12), frame.Resolve(button->palette()));
    // Hot runs from stop to start: the first colour lies at the bottom.
    EXPECT_EQ(image.pixelColor(12, 23), stop.Resolve(button->palette()));
    SendMouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    image = Grab();
    EXPECT_EQ(image.pixelColor(12, 23), start.Resolve(button->palette()));
}

TEST_F(ToolButtonPainting, ImageVariantsFollowTheState) {
    button->SetImages(&images);
    button->SetImageIndex(0);
    button->SetHotIndex(1);
    button->SetDownIndex(2);
    const QPoint centre(12, 12);
    EXPECT_EQ(Grab().pixelColor(centre), QColor(Qt::red));
    Enter();
    EXPECT_EQ(Grab().pixelColor(centre), QColor(Qt::blue));
    SendMouse(*button, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(Grab().pixelColor(centre + QPoint(1, 1)), QColor(Qt::yellow)) << "pushed in";
    SendMouse(*button, QEvent::MouseButtonRelease, QPoint(5, 5));
    button->SetDisabledIndex(3);
    button->setEnabled(false);
    EXPECT_EQ(Grab().pixelColor(centre), QColor(Qt::magenta));
}

TEST_F(ToolButtonPainting, DownClassicButtonIsCheckered) {
    button->SetVisualStyle(vsClassic);
    button->SetFlat(false);
    button->SetGroupIndex(1);
    button->SetDown(true);
    const QImage image = Grab();
    const QColor face = System(clBtnFace);
    const QColor light = System(clBtnHighlight);
    const QColor a = image.pixelColor(10, 10);
    const QColor b = image.pixelColor(11, 10);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == face && b == light) || (a == light && b == face));
    EXPECT_EQ(image.pixelColor(10, 11), b);
}

// Turns visual styles on for one test.
class ThemesOn {
public:
    ThemesOn() { SetThemesActive(true); }
    ~ThemesOn() { SetThemesActive(false); }
    ThemesOn(const ThemesOn &) = delete;
    ThemesOn &operator=(const ThemesOn &) = delete;
};

TEST_F(ToolButtonPainting, ThemedFlatButtonShowsTheStyleElementOnlyWhenHot) {
    const ThemesOn themes;
    const QPoint inside(12, 3);
    EXPECT_EQ(Grab().pixelColor(inside), QColor(Qt::green));
    Enter();
    EXPECT_NE(Grab().pixelColor(inside), QColor(Qt::green));
    button->SetFlat(false);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_NE(Grab().pixelColor(inside), QColor(Qt::green)) << "a raised button always shows";
}

TEST_F(ToolButtonPainting, DropArrowIsAFilledTriangleInWindowTextAndShadowWhenDisabled) {
    button->SetToolStyle(tsDropDown);
    const QPoint tip = button->Geometry().arrow[0];
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        button->setEnabled(enabled);
        const QColor colour = System(enabled ? clWindowText : clBtnShadow);
        const QImage image = Grab();
        // Rows of 1, 3 and 5 pixels from the tip up, nothing beside them.
        for (int row = 0; row <= 2; ++row) {
            SCOPED_TRACE(row);
            for (int dx = -row - 1; dx <= row + 1; ++dx) {
                const bool inside = dx >= -row && dx <= row;
                EXPECT_EQ(image.pixelColor(tip + QPoint(dx, -row)) == colour, inside) << dx;
            }
        }
        EXPECT_NE(image.pixelColor(tip + QPoint(0, 1)), colour);
        EXPECT_NE(image.pixelColor(tip + QPoint(0, -3)), colour);
    }
}

TEST(ToolButtonState, EnablingAndDisablingSetTheStateWithoutAPaint) {
    TKxToolButton grouped;
    grouped.SetGroupIndex(1);
    grouped.SetDown(true);
    TKxToolButton plain;
    for (TKxToolButton *button : {&grouped, &plain}) {
        SCOPED_TRACE(button == &grouped ? "grouped and down" : "plain");
        button->setEnabled(false);
        EXPECT_EQ(button->ToolState(), TKxToolButton::tbsDisabled);
        EXPECT_FALSE(button->Tracking());
        button->setEnabled(true);
        EXPECT_EQ(button->ToolState(),
                  button == &grouped ? TKxToolButton::tbsDown : TKxToolButton::tbsUp);
    }
    QWidget disabledParent;
    disabledParent.setEnabled(false);
    TKxToolButton child(&disabledParent);
    EXPECT_EQ(child.ToolState(), TKxToolButton::tbsDisabled);
}

} // namespace
