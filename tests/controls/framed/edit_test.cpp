#include "controls/framed/tkxedit.h"
#include "controls/framework/controlservices.h"
#include "tests/controls/support/widgettesting.h"

#include <QImage>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

const TColor kYellow = TColor::FromRgb(255, 255, 0);
const TColor kGray = TColor::FromRgb(128, 128, 128);

class EditWindow : public ::testing::Test {
protected:
    void SetUp() override {
        auto *layout = new QVBoxLayout(&window);
        other = new TKxEdit(&window);
        edit = new TKxEdit(&window);
        layout->addWidget(other);
        layout->addWidget(edit);
        edit->SetFocusColor(kYellow);
        edit->SetReadOnlyColor(kGray);
        ShowActive(window);
        other->setFocus(Qt::TabFocusReason);
        Settle();
    }

    void FocusEdit(bool focused) {
        (focused ? edit : other)->setFocus(Qt::TabFocusReason);
        Settle();
    }

    QWidget window;
    TKxEdit *edit = nullptr;
    TKxEdit *other = nullptr;
};

struct ColorCase {
    const char *name;
    bool readOnly;
    bool readOnlyOnFocus;
    bool focused;
    bool enabled;
    TColor shown;
};

TEST_F(EditWindow, ColourFollowsFocusReadOnlyAndEnabledStates) {
    const std::vector<ColorCase> cases{
        {"normal", false, false, false, true, clWindow},
        {"focused", false, false, true, true, kYellow},
        {"read-only", true, false, false, true, kGray},
        {"read-only focused", true, false, true, true, kYellow},
        {"read-only focused, colour on focus", true, true, true, true, kGray},
        {"disabled", true, false, false, false, clBtnFace},
    };
    for (const ColorCase &c : cases) {
        SCOPED_TRACE(c.name);
        edit->setEnabled(true);
        edit->SetReadOnly(c.readOnly);
        edit->SetReadOnlyColorOnFocus(c.readOnlyOnFocus);
        FocusEdit(c.focused);
        edit->setEnabled(c.enabled);
        EXPECT_EQ(edit->Color(), c.shown);
        EXPECT_EQ(edit->palette().color(QPalette::Base), c.shown.Resolve(SystemPalette(edit)));
    }
}

TEST_F(EditWindow, LoadingEndsUnfocused) {
    edit->BeginLoading();
    FocusEdit(true);
    edit->Loaded();
    EXPECT_FALSE(edit->HotFlag(FramedControl::hfFocused));
    EXPECT_EQ(edit->Color(), clWindow);
}

TEST(Edit, SystemColourChangesReachASystemColouredEdit) {
    ExpectSystemColourChangesReach([](QWidget *parent) { return new TKxEdit(parent); });
}

TEST_F(EditWindow, EnterAndExitFireOnFieldChangesOnly) {
    int enters = 0;
    int exits = 0;
    edit->OnEnter = [&](QObject *) { ++enters; };
    edit->OnExit = [&](QObject *) { ++exits; };
    FocusEdit(true);
    QWidget elsewhere;
    ShowActive(elsewhere);
    ShowActive(window);
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 0);
    FocusEdit(false);
    EXPECT_EQ(exits, 1);
}

TEST_F(EditWindow, HotFrameIsPaintedInTheBorder) {
    edit->SetFrameHotTrack(true);
    edit->SetFrameColor(TColor::FromRgb(200, 0, 0));
    edit->SetFrameHotColor(TColor::FromRgb(0, 0, 200));
    QImage image = edit->grab().toImage();
    const int middle = image.height() / 2;
    EXPECT_EQ(image.pixelColor(0, middle), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(1, middle), clWindow.Resolve(SystemPalette(edit)));
    FocusEdit(true);
    image = edit->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, middle), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(1, middle), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(image.width() - 1, middle), QColor(0, 0, 200));
}

TEST_F(EditWindow, EqualValuesRepaintNothing) {
    edit->SetFrameVisible(true);
    Settle();
    PaintCounter paints(edit);
    edit->SetFrameColor(edit->FrameColor());
    edit->SetFrameHotTrack(edit->FrameHotTrack());
    edit->SetReadOnlyColor(edit->ReadOnlyColor());
    edit->SetAlignment(edit->Alignment());
    edit->SetReadOnly(edit->isReadOnly());
    edit->SetColor(edit->Color());
    Settle();
    EXPECT_EQ(paints.Count(), 0);
    edit->SetFrameStyle(fsRaised);
    Settle();
    EXPECT_GT(paints.Count(), 0);
}

TEST(Edit, TabOnEnterMovesTheFocusOn) {
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new TKxEdit(&window);
    auto *second = new TKxEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    ShowActive(window);
    first->setFocus(Qt::TabFocusReason);
    Settle();
    first->SetTabOnEnter(true);
    TypeKey(*first, Qt::Key_Return, QStringLiteral("\r"));
    Settle();
    EXPECT_TRUE(second->hasFocus());
}

TEST(Edit, HandlerExceptionsStopAtTheBoundary) {
    std::vector<QString> reported;
    SetHandlerErrorReporter([&](const QString &message) { reported.push_back(message); });
    TKxEdit edit;
    edit.OnChange = [](QObject *) { throw std::runtime_error("change failed"); };
    edit.setText(QStringLiteral("x"));
    SetHandlerErrorReporter([](const QString &message) {
        ADD_FAILURE() << "handler error: " << message.toStdString();
    });
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], QStringLiteral("change failed"));
}

TEST(Edit, DescendantHooksGiveTheTextAndItsArea) {
    TKxEdit edit;
    edit.resize(80, 24);
    edit.setText(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(edit.ShownText(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(edit.TextAreaRect(), edit.contentsRect());
}

} // namespace
