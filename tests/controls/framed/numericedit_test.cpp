#include "controls/framed/tkxnumericedit.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A window with a numeric edit and a second field to move the focus to.
class NumericEditWindow : public ::testing::Test {
protected:
    void SetUp() override {
        auto *layout = new QVBoxLayout(&window);
        edit = new TKxNumericEdit(&window);
        other = new TKxEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        ShowActive(window);
    }

    void MakeOctet() {
        edit->setMaxLength(3);
        edit->SetCheckRange(true);
        edit->SetMax(255);
    }

    void MakePort() { edit->SetDisplayFormat(QString()); }

    // Types the text into the focused edit and moves the focus to the other field.
    void Leave(const QString &text) {
        edit->setFocus(Qt::TabFocusReason);
        Settle();
        edit->setText(text);
        other->setFocus(Qt::TabFocusReason);
        Settle();
    }

    QWidget window;
    TKxNumericEdit *edit = nullptr;
    TKxEdit *other = nullptr;
};

TEST_F(NumericEditWindow, StartsAtZeroRightAligned) {
    EXPECT_EQ(edit->text(), QStringLiteral("0"));
    EXPECT_EQ(edit->Alignment(), taRightJustify);
    EXPECT_EQ(edit->DisplayFormat(), QStringLiteral(",0;(,0)"));
    EXPECT_TRUE(edit->IntegersOnly());
}

struct LeaveCase {
    const char *name;
    const char *typed;
    const char *shown;
};

TEST_F(NumericEditWindow, OctetIsClampedWhenTheFocusMovesOn) {
    MakeOctet();
    const std::vector<LeaveCase> cases{
        {"above the range", "300", "255"}, {"negative", "-5", "0"},
        {"in parentheses", "(5)", "0"},    {"empty", "", "0"},
        {"in range", "192", "192"},
    };
    for (const LeaveCase &c : cases) {
        SCOPED_TRACE(c.name);
        Leave(QString::fromLatin1(c.typed));
        ASSERT_TRUE(other->hasFocus());
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(NumericEditWindow, OctetKeepsItsTextWhenTheWindowIsDeactivated) {
    MakeOctet();
    edit->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_TRUE(edit->hasFocus());
    edit->setText(QStringLiteral("300"));
    QWidget elsewhere;
    ShowActive(elsewhere);
    ASSERT_FALSE(edit->hasFocus());
    EXPECT_EQ(edit->text(), QStringLiteral("300"));
    EXPECT_TRUE(edit->HotFlag(FramedControl::hfFocused));
}

TEST_F(NumericEditWindow, PortTakesAnyValue) {
    MakePort();
    Leave(QStringLiteral("-5"));
    EXPECT_EQ(edit->text(), QStringLiteral("-5"));
    EXPECT_EQ(edit->ValueAsInteger(), -5);
    Leave(QStringLiteral("70000"));
    EXPECT_EQ(edit->text(), QStringLiteral("70000"));
    EXPECT_EQ(edit->ValueAsInteger(), 70000);
    Leave(QStringLiteral("99999999999"));
    EXPECT_EQ(edit->ValueAsInteger(), 1215752191);
}

TEST_F(NumericEditWindow, RangeErrorWithoutAutoCorrectKeepsTheFocusAndTheText) {
    MakeOctet();
    std::vector<std::pair<double, double>> errors;
    edit->OnRangeError = [&](QObject *, double entered, double adjusted, bool &autoCorrect) {
        errors.emplace_back(entered, adjusted);
        autoCorrect = false;
    };
    int exits = 0;
    edit->OnExit = [&](QObject *) { ++exits; };
    Leave(QStringLiteral("300"));
    EXPECT_EQ(edit->text(), QStringLiteral("300"));
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(exits, 0);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], std::make_pair(300.0, 255.0));
}

TEST_F(NumericEditWindow, EnteringReformatsTheText) {
    other->setFocus(Qt::TabFocusReason);
    Settle();
    edit->setText(QStringLiteral("5005"));
    edit->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(edit->text(), QStringLiteral("5,005"));
}

TEST_F(NumericEditWindow, ExceptionFromAHandlerMakesTheValueMin) {
    MakeOctet();
    edit->SetMin(7);
    edit->OnRangeError = [](QObject *, double, double, bool &) {
        throw std::runtime_error("range handler failed");
    };
    Leave(QStringLiteral("300"));
    EXPECT_EQ(edit->text(), QStringLiteral("7"));
}

struct KeyCase {
    const char *name;
    const char *text;
    int cursor;
    bool selectAll;
    int key;
    const char *typed;
    const char *result;
    int beeps;
};

TEST(NumericEditKeys, RejectedKeysAreDroppedWithABeep) {
    const std::vector<KeyCase> cases{
        {"digit before a minus", "-12", 0, false, Qt::Key_5, "5", "-12", 1},
        {"minus at the start", "12", 0, false, Qt::Key_Minus, "-", "-12", 0},
        {"minus at the end", "12", 2, false, Qt::Key_Minus, "-", "12", 1},
        {"minus over the whole text", "12", 0, true, Qt::Key_Minus, "-", "-", 0},
        {"point", "12", 2, false, Qt::Key_Period, ".", "12", 1},
        {"blank", "12", 2, false, Qt::Key_Space, " ", "12", 1},
        {"backspace", "12", 2, false, Qt::Key_Backspace, "\b", "1", 0},
        {"backspace after a leading minus", "-12", 0, false, Qt::Key_Backspace, "\b", "-12", 1},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        BeepCounter beeps;
        TKxNumericEdit edit;
        edit.setText(QString::fromLatin1(c.text));
        if (c.selectAll)
            edit.selectAll();
        else
            edit.setCursorPosition(c.cursor);
        TypeKey(edit, c.key, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit.text(), QString::fromLatin1(c.result));
        EXPECT_EQ(beeps.Count(), c.beeps);
    }
}

TEST(NumericEditKeys, NoBeepWhenBeepOnInvalidKeyIsOff) {
    BeepCounter beeps;
    TKxNumericEdit edit;
    edit.SetBeepOnInvalidKey(false);
    edit.setText(QStringLiteral("12"));
    TypeKey(edit, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    EXPECT_EQ(beeps.Count(), 0);
}

TEST(NumericEditValue, EmptyTextShowsMinWhenRead) {
    TKxNumericEdit edit;
    edit.SetMax(255);
    edit.SetMin(10);
    edit.setText(QString());
    EXPECT_EQ(edit.Value(), 10);
    EXPECT_EQ(edit.text(), QStringLiteral("10"));
    edit.SetAllowBlank(true);
    edit.SetBlankValue(3);
    edit.setText(QString());
    EXPECT_EQ(edit.Value(), 3);
    EXPECT_EQ(edit.text(), QString());
}

TEST(NumericEditValue, SettingTheShownValueChangesNothing) {
    TKxNumericEdit edit;
    edit.SetValueAsInteger(5005);
    int changes = 0;
    edit.OnChange = [&](QObject *) { ++changes; };
    edit.SetValue(5005);
    EXPECT_EQ(changes, 0);
    edit.SetValueAsInteger(7);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit.text(), QStringLiteral("7"));
}

TEST(NumericEditValue, IntegerValueRoundsHalvesToEven) {
    TKxNumericEdit edit;
    edit.SetIntegersOnly(false);
    edit.SetDisplayFormat(QString());
    edit.SetValue(2.5);
    EXPECT_EQ(edit.ValueAsInteger(), 2);
    edit.SetValue(3.5);
    EXPECT_EQ(edit.ValueAsInteger(), 4);
    edit.SetIntegersOnly(true);
    EXPECT_EQ(edit.text(), QStringLiteral("4"));
}

TEST(NumericEditValue, MinAndMaxPushEachOther) {
    TKxNumericEdit edit;
    edit.SetMax(255);
    edit.SetMin(300);
    EXPECT_EQ(edit.Max(), 300);
    edit.SetMax(-1);
    EXPECT_EQ(edit.Min(), -1);
}

TEST(NumericEditValue, DisplayFormatRewritesTheText) {
    TKxNumericEdit edit;
    edit.SetValueAsInteger(5005);
    EXPECT_EQ(edit.text(), QStringLiteral("5,005"));
    edit.SetDisplayFormat(QString());
    EXPECT_EQ(edit.text(), QStringLiteral("5005"));
}

TEST(NumericEditValue, LoadingIsSilentAndReformatsAtTheEnd) {
    TKxNumericEdit edit;
    int changes = 0;
    edit.OnChange = [&](QObject *) { ++changes; };
    edit.BeginLoading();
    edit.setText(QStringLiteral("1234"));
    edit.Loaded();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(edit.text(), QStringLiteral("1,234"));
}

} // namespace
