#include "controls/framed/ikxframecontrollernotification.h"
#include "controls/framed/tkxcustompanel.h"
#include "controls/framed/tkxcustomtreeview.h"
#include "controls/framed/tkxedit.h"
#include "controls/framed/tkxframecontroller.h"
#include "controls/framed/tkxlistbox.h"
#include "tests/controls/support/widgettesting.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A control that reads the settings itself and counts how often it is told.
class NotifiedControl : public QWidget, public IKxFrameControllerNotification {
public:
    void FrameControllerChanged() override { ++notifications; }
    int notifications = 0;
};

// A control that counts how often each of its frame properties is assigned.
class CountingEdit : public TKxEdit {
public:
    void SetFrameColor(TColor value) override {
        ++frameColorSets;
        TKxEdit::SetFrameColor(value);
    }
    void SetFrameStyle(TFrameStyle value) override {
        ++frameStyleSets;
        TKxEdit::SetFrameStyle(value);
    }
    int frameColorSets = 0;
    int frameStyleSets = 0;
};

TEST(FrameController, RegistrationAppliesEverySetting) {
    TKxFrameController controller;
    controller.SetFrameColor(TColor::FromRgb(1, 2, 3));
    controller.SetFrameStyle(fsGroove);
    controller.SetFocusColor(TColor::FromRgb(255, 255, 0));
    controller.SetReadOnlyColor(TColor::FromRgb(9, 9, 9));
    TKxEdit edit;
    TKxListBox list;
    edit.SetFrameController(&controller);
    list.SetFrameController(&controller);
    EXPECT_EQ(controller.ControlCount(), 2);
    for (FramedControl *control :
         {static_cast<FramedControl *>(&edit), static_cast<FramedControl *>(&list)}) {
        EXPECT_EQ(control->FrameColor(), TColor::FromRgb(1, 2, 3));
        EXPECT_EQ(control->FrameStyle(), fsGroove);
        EXPECT_EQ(control->FocusColor(), TColor::FromRgb(255, 255, 0));
    }
    EXPECT_EQ(edit.ReadOnlyColor(), TColor::FromRgb(9, 9, 9));
}

TEST(FrameController, ChangesReachEveryControlThatAcceptsThem) {
    TKxFrameController controller;
    TKxEdit accepting;
    TKxListBox refusing;
    refusing.SetFrameControllerNotifications(kAllFrameControllerNotifications &
                                             ~(1u << fcpFrameColor));
    refusing.SetFrameColor(TColor::FromRgb(7, 7, 7));
    accepting.SetFrameController(&controller);
    refusing.SetFrameController(&controller);
    controller.SetFrameColor(TColor::FromRgb(0, 0, 200));
    controller.SetFrameHotStyle(fsRaised);
    EXPECT_EQ(accepting.FrameColor(), TColor::FromRgb(0, 0, 200));
    EXPECT_EQ(refusing.FrameColor(), TColor::FromRgb(7, 7, 7));
    EXPECT_EQ(accepting.FrameHotStyle(), fsRaised);
    EXPECT_EQ(refusing.FrameHotStyle(), fsRaised);
}

TEST(FrameController, SuspendedChangesArriveOnceAsAFullApplication) {
    TKxFrameController controller;
    CountingEdit edit;
    edit.SetFrameController(&controller);
    edit.frameColorSets = 0;
    edit.frameStyleSets = 0;
    controller.SuspendApply();
    controller.SetFrameColor(TColor::FromRgb(1, 1, 1));
    controller.SetFrameColor(TColor::FromRgb(2, 2, 2));
    controller.SetFrameStyle(fsBump);
    controller.SetFrameHotColor(TColor::FromRgb(3, 3, 3));
    controller.SetDisabledColor(TColor::FromRgb(4, 4, 4));
    EXPECT_EQ(edit.frameColorSets, 0);
    EXPECT_EQ(edit.FrameColor(), clBtnShadow);
    controller.ResumeApply();
    EXPECT_EQ(edit.frameColorSets, 1);
    EXPECT_EQ(edit.frameStyleSets, 1);
    EXPECT_EQ(edit.FrameColor(), TColor::FromRgb(2, 2, 2));
    EXPECT_EQ(edit.FrameStyle(), fsBump);
    EXPECT_EQ(edit.FrameHotColor(), TColor::FromRgb(3, 3, 3));
    EXPECT_EQ(edit.DisabledColor(), TColor::FromRgb(4, 4, 4));
}

TEST(FrameController, EqualValueAppliesNothing) {
    TKxFrameController controller;
    CountingEdit edit;
    edit.SetFrameController(&controller);
    edit.frameColorSets = 0;
    controller.SetFrameColor(controller.FrameColor());
    EXPECT_EQ(edit.frameColorSets, 0);
}

TEST(FrameController, ColorEqualToFocusColorMovesBoth) {
    TKxFrameController controller;
    TKxEdit edit;
    edit.SetFrameController(&controller);
    controller.SetColor(TColor::FromRgb(0, 200, 0));
    EXPECT_EQ(controller.FocusColor(), TColor::FromRgb(0, 200, 0));
    EXPECT_EQ(edit.Color(), TColor::FromRgb(0, 200, 0));
    EXPECT_EQ(edit.FocusColor(), TColor::FromRgb(0, 200, 0));
    controller.SetFocusColor(TColor::FromRgb(255, 255, 0));
    controller.SetColor(TColor::FromRgb(0, 0, 200));
    EXPECT_EQ(controller.FocusColor(), TColor::FromRgb(255, 255, 0));
}

TEST(FrameController, HotTrackTurnsTheFrameOnWithAllSides) {
    TKxFrameController controller;
    controller.SetFrameSides(TSides().With(sdLeft));
    TKxListBox list;
    list.SetFrameController(&controller);
    controller.SetFrameHotTrack(true);
    EXPECT_TRUE(controller.FrameVisible());
    EXPECT_EQ(controller.FrameSides(), TSides::All());
    EXPECT_TRUE(list.FrameVisible());
    EXPECT_TRUE(list.FrameHotTrack());
}

TEST(FrameController, NotifiedControlsAreToldOncePerChange) {
    TKxFrameController controller;
    NotifiedControl control;
    controller.RegisterFramedControl(&control);
    controller.RegisterFramedControl(&control);
    EXPECT_EQ(control.notifications, 1);
    EXPECT_EQ(controller.ControlCount(), 1);
    controller.SetFrameStyle(fsRaised);
    EXPECT_EQ(control.notifications, 2);
    controller.UnregisterFramedControl(&control);
    EXPECT_EQ(controller.ControlCount(), 0);
}

TEST(FrameController, ControlsAndControllersForgetEachOther) {
    auto controller = std::make_unique<TKxFrameController>();
    {
        TKxEdit edit;
        edit.SetFrameController(controller.get());
        EXPECT_EQ(controller->ControlCount(), 1);
    }
    EXPECT_EQ(controller->ControlCount(), 0);
    TKxEdit edit;
    edit.SetFrameController(controller.get());
    controller.reset();
    EXPECT_EQ(edit.FrameController(), nullptr);
    TKxFrameController other;
    edit.SetFrameController(&other);
    EXPECT_EQ(other.ControlCount(), 1);

    auto storage = std::make_unique<TKxRegIniFile>();
    EXPECT_EQ(storage->PathType(), ptIniFile);
    EXPECT_EQ(storage->RegKey(), hkeyCurrentUser);
    EXPECT_EQ(storage->RegAccess(), RegAccessOf(keyAllAccess));
    other.SetRegIniFile(storage.get());
    EXPECT_EQ(other.RegIniFile(), storage.get());
    storage.reset();
    EXPECT_EQ(other.RegIniFile(), nullptr) << "a destroyed storage descriptor is forgotten";
}

TEST(FrameController, AssignCopiesEveryValue) {
    TKxFrameController source;
    source.SetFrameStyle(fsStatus);
    source.SetReadOnlyColorOnFocus(true);
    source.SetFlatButtons(false);
    source.SetFramingPreference(fpCustomFraming);
    TKxFrameController target;
    CountingEdit edit;
    edit.SetFrameController(&target);
    edit.frameStyleSets = 0;
    target.Assign(source);
    EXPECT_EQ(target.FrameStyle(), fsStatus);
    EXPECT_TRUE(target.ReadOnlyColorOnFocus());
    EXPECT_FALSE(target.FlatButtons());
    EXPECT_EQ(edit.FramingPreference(), fpCustomFraming);
    EXPECT_EQ(edit.frameStyleSets, 1);
}

// Values that the setters' side effects also touch: a colour moves an equal focus colour along
// and ends ParentColor, hot tracking shows the frame on every side.
TEST(FrameController, AssignKeepsValuesThatOtherSettersTouch) {
    TKxFrameController source;
    source.SetColor(clBtnFace);
    source.SetFocusColor(clInfoBk);
    source.SetParentColor(true);
    source.SetFrameHotTrack(true);
    source.SetFrameSides(TSides::All().Without(sdTop));
    source.SetFrameVisible(false);
    TKxFrameController target;
    target.Assign(source);
    EXPECT_EQ(target.Color(), clBtnFace);
    EXPECT_EQ(target.FocusColor(), clInfoBk);
    EXPECT_TRUE(target.ParentColor());
    EXPECT_TRUE(target.FrameHotTrack());
    EXPECT_EQ(target.FrameSides(), TSides::All().Without(sdTop));
    EXPECT_FALSE(target.FrameVisible());
}

struct ParentColorCase {
    const char *name;
    std::function<FramedControl *(QWidget *parent)> make;
};

// What a framed control shows inside its frame.
QColor InsideColour(QWidget &control) {
    return control.grab().toImage().pixelColor(control.width() / 2, control.height() / 2);
}

TEST(FrameController, ParentColorMakesFramedControlsFollowTheirPanel) {
    const TColor green = TColor::FromRgb(0, 160, 0);
    const TColor blue = TColor::FromRgb(0, 0, 200);
    const TColor red = TColor::FromRgb(200, 0, 0);
    const std::vector<ParentColorCase> cases{
        {"edit", [](QWidget *parent) { return new TKxEdit(parent); }},
        {"list box", [](QWidget *parent) { return new TKxListBox(parent); }},
        {"tree view", [](QWidget *parent) { return new TKxCustomTreeView(parent); }},
    };
    for (const ParentColorCase &c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        auto *panel = new TKxCustomPanel(&window);
        panel->setGeometry(0, 0, 200, 100);
        panel->SetColor(green);
        FramedControl *framed = c.make(panel);
        auto *control = dynamic_cast<QWidget *>(framed);
        control->setGeometry(10, 10, 120, 60);
        TKxFrameController controller;
        framed->SetFrameController(&controller);
        ShowActive(window);
        controller.SetParentColor(true);
        EXPECT_TRUE(framed->ParentColor());
        EXPECT_EQ(framed->Color(), green);
        EXPECT_EQ(InsideColour(*control), green.Resolve(control->palette()));
        panel->SetColor(blue);
        EXPECT_EQ(framed->Color(), blue) << "the panel hands its new colour down";
        EXPECT_EQ(InsideColour(*control), blue.Resolve(control->palette()));
        framed->SetColor(red);
        EXPECT_FALSE(framed->ParentColor()) << "an own colour ends taking the parent's";
        panel->SetColor(green);
        EXPECT_EQ(framed->Color(), red);
    }
}

} // namespace
