// Keys pressed at the edits, numeric edits and list boxes of a shown, active window as the X11
// platform delivers them, with the window's Default and Cancel buttons beside them.
#include "controls/framed/tkxbutton.h"
#include "controls/framed/tkxedit.h"
#include "controls/framed/tkxlistbox.h"
#include "controls/framed/tkxnumericedit.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const TColor kYellow = TColor::FromRgb(255, 255, 0);

// A form as netsetup builds one: a plain edit, an octet edit, a port edit, a multi-select
// address list, and the form's Default and Cancel buttons.
class KeyForm : public ::testing::Test {
protected:
    void SetUp() override {
        auto *layout = new QVBoxLayout(&window);
        edit = new TKxEdit(&window);
        octet = new TKxNumericEdit(&window);
        octet->setMaxLength(3);
        octet->SetCheckRange(true);
        octet->SetMax(255);
        port = new TKxNumericEdit(&window);
        port->SetDisplayFormat(QString());
        list = new TKxListBox(&window);
        list->SetMultiSelect(true);
        for (const char *row : {"10.0.0.1", "10.0.0.2", "192.168.0.1"})
            list->AddListText(QString::fromLatin1(row));
        ok = new TKxButton(&window);
        ok->SetDefault(true);
        ok->OnClick = [this](QObject *) { ++okClicks; };
        cancel = new TKxButton(&window);
        cancel->SetCancel(true);
        cancel->OnClick = [this](QObject *) { ++cancelClicks; };
        for (QWidget *control :
             std::initializer_list<QWidget *>{edit, octet, port, list, ok, cancel})
            layout->addWidget(control);
        ShowActive(window);
    }

    void Focus(QWidget &control, Qt::FocusReason reason = Qt::MouseFocusReason) {
        control.setFocus(reason);
        Settle();
    }

    QWidget window;
    TKxEdit *edit = nullptr;
    TKxNumericEdit *octet = nullptr;
    TKxNumericEdit *port = nullptr;
    TKxListBox *list = nullptr;
    TKxButton *ok = nullptr;
    TKxButton *cancel = nullptr;
    int okClicks = 0;
    int cancelClicks = 0;
};

enum class Control { Edit, Octet, Port, List };

struct KeyCase {
    const char *name;
    Control control;
    const char *text; // the edit's text before the key; for the list, ignored
    int cursor;       // the edit's caret; for the list, the current row
    int key;
    const char *shown; // the edit's text after the key; for the list, the current row's text
    int beeps;
    int okClicks;
    int cancelClicks;
};

TEST_F(KeyForm, EditingKeysEditAndEnterAndEscapeClickTheFormsButtonsOnce) {
    const std::vector<KeyCase> cases{
        {"Delete in an edit", Control::Edit, "123", 0, Qt::Key_Delete, "23", 0, 0, 0},
        {"Delete in an octet", Control::Octet, "123", 0, Qt::Key_Delete, "23", 0, 0, 0},
        {"Delete in a port", Control::Port, "5003", 0, Qt::Key_Delete, "003", 0, 0, 0},
        {"Delete at the end of a port", Control::Port, "5003", 4, Qt::Key_Delete, "5003", 0, 0, 0},
        {"Backspace in a port", Control::Port, "5003", 4, Qt::Key_Backspace, "500", 0, 0, 0},
        {"Insert in a port", Control::Port, "5003", 1, Qt::Key_Insert, "5003", 0, 0, 0},
        {"Home in an octet", Control::Octet, "12", 2, Qt::Key_Home, "12", 0, 0, 0},
        {"Left in an octet", Control::Octet, "12", 2, Qt::Key_Left, "12", 0, 0, 0},
        {"F2 in a port", Control::Port, "1", 1, Qt::Key_F2, "1", 0, 0, 0},
        {"a letter in a port", Control::Port, "1", 1, Qt::Key_A, "1", 1, 0, 0},
        {"a digit in a port", Control::Port, "1", 1, Qt::Key_7, "17", 0, 0, 0},
        {"Enter in an edit", Control::Edit, "abc", 3, Qt::Key_Return, "abc", 0, 1, 0},
        {"Enter in an octet", Control::Octet, "12", 2, Qt::Key_Return, "12", 0, 1, 0},
        {"keypad Enter in a port", Control::Port, "12", 2, Qt::Key_Enter, "12", 0, 1, 0},
        {"Escape in an edit", Control::Edit, "abc", 3, Qt::Key_Escape, "abc", 0, 0, 1},
        {"Escape in a port", Control::Port, "12", 2, Qt::Key_Escape, "12", 0, 0, 1},
        {"Delete in a list", Control::List, "", 1, Qt::Key_Delete, "10.0.0.2", 0, 0, 0},
        {"Home in a list", Control::List, "", 1, Qt::Key_Home, "10.0.0.1", 0, 0, 0},
        {"a digit in a list", Control::List, "", 0, Qt::Key_1, "10.0.0.1", 0, 0, 0},
        {"a letter in a list", Control::List, "", 0, Qt::Key_X, "10.0.0.1", 1, 0, 0},
        {"Enter in a list", Control::List, "", 1, Qt::Key_Return, "10.0.0.2", 0, 1, 0},
        {"Escape in a list", Control::List, "", 1, Qt::Key_Escape, "10.0.0.2", 0, 0, 1},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        okClicks = 0;
        cancelClicks = 0;
        BeepCounter beeps;
        TKxEdit *target = c.control == Control::Edit    ? edit
                          : c.control == Control::Octet ? octet
                          : c.control == Control::Port  ? port
                                                        : nullptr;
        if (target != nullptr) {
            Focus(*target);
            target->setText(QString::fromLatin1(c.text));
            target->setCursorPosition(c.cursor);
        } else {
            Focus(*list);
            // Home ends the type-ahead of the case before.
            PressX11Key(window, Qt::Key_Home);
            list->SetItemIndex(c.cursor);
        }
        PressX11Key(window, c.key);
        Settle();
        if (target != nullptr) {
            EXPECT_EQ(target->text(), QString::fromLatin1(c.shown));
        } else {
            ASSERT_NE(list->currentItem(), nullptr);
            EXPECT_EQ(list->currentItem()->text(), QString::fromLatin1(c.shown));
        }
        EXPECT_EQ(beeps.Count(), c.beeps);
        EXPECT_EQ(okClicks, c.okClicks);
        EXPECT_EQ(cancelClicks, c.cancelClicks);
    }
}

TEST_F(KeyForm, WithoutDefaultAndCancelButtonsEnterAndEscapeKeepTheirOwnMeaning) {
    ok->SetDefault(false);
    cancel->SetCancel(false);
    BeepCounter beeps;
    Focus(*octet);
    octet->setText(QStringLiteral("12"));
    PressX11Key(window, Qt::Key_Return);
    EXPECT_EQ(beeps.Count(), 1) << "a numeric edit refuses Enter as a character";
    Focus(*list);
    list->SetItemIndex(1);
    PressX11Key(window, Qt::Key_Escape);
    EXPECT_EQ(list->ItemIndex(), -1) << "Escape deselects";
    EXPECT_EQ(okClicks + cancelClicks, 0);
}

TEST_F(KeyForm, EnterClicksTheFocusedButtonAndEscapeOneCancelButtonOnly) {
    auto *secondCancel = new TKxButton(&window);
    secondCancel->SetCancel(true);
    int secondCancelClicks = 0;
    secondCancel->OnClick = [&](QObject *) { ++secondCancelClicks; };
    window.layout()->addWidget(secondCancel);
    Settle();
    Focus(*cancel, Qt::TabFocusReason);
    PressX11Key(window, Qt::Key_Return);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(okClicks, 0);
    Focus(*edit);
    PressX11Key(window, Qt::Key_Escape);
    EXPECT_EQ(cancelClicks + secondCancelClicks, 2);
}

enum class Entry { Tab, Backtab, Program, Click };

struct EntryCase {
    const char *name;
    Control target; // Edit, Octet or Port
    bool autoSelect;
    const char *before;
    Entry entry; // Tab from the control before, Shift+Tab from the one after, setFocus, a click
    const char *selected;
    const char *typed;
    const char *after;
};

// An edit entered by keyboard or by the program selects its whole (formatted) text, so typing
// replaces it; a click places the caret where it lands (here past the last character).
TEST_F(KeyForm, EntryOtherThanByAClickSelectsTheWholeFormattedText) {
    octet->SetDisplayFormat(QString());
    port->SetDisplayFormat(QStringLiteral(",0;(,0)"));
    const std::vector<EntryCase> cases{
        {"Tab into an octet", Control::Octet, true, "192", Entry::Tab, "192", "1", "1"},
        {"Shift+Tab into an octet", Control::Octet, true, "10", Entry::Backtab, "10", "7", "7"},
        {"Tab into a formatted port", Control::Port, true, "5005", Entry::Tab, "5,005", "6", "6"},
        {"program focus into an octet", Control::Octet, true, "192", Entry::Program, "192", "1",
         "1"},
        {"program focus into a formatted port", Control::Port, true, "5005", Entry::Program,
         "5,005", "6", "6"},
        {"program focus into an edit", Control::Edit, true, "abc", Entry::Program, "abc", "x", "x"},
        {"click into an octet", Control::Octet, true, "12", Entry::Click, "", "3", "123"},
        {"click into an edit", Control::Edit, true, "abc", Entry::Click, "", "x", "abcx"},
        {"Tab into an edit without AutoSelect", Control::Edit, false, "abc", Entry::Tab, "", "x",
         "abcx"},
        {"program focus into an octet without AutoSelect", Control::Octet, false, "12",
         Entry::Program, "", "3", "123"},
    };
    for (const EntryCase &c : cases) {
        SCOPED_TRACE(c.name);
        TKxEdit *target = c.target == Control::Edit    ? edit
                          : c.target == Control::Octet ? static_cast<TKxEdit *>(octet)
                                                       : port;
        target->SetAutoSelect(c.autoSelect);
        target->setText(QString::fromLatin1(c.before));
        QWidget *from =
            c.entry == Entry::Backtab ? target->nextInFocusChain() : target->previousInFocusChain();
        Focus(*from);
        switch (c.entry) {
        case Entry::Tab:
            PressX11Key(window, Qt::Key_Tab);
            break;
        case Entry::Backtab:
            PressX11Key(window, Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Entry::Program:
            target->setFocus();
            break;
        case Entry::Click:
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                              QPoint(target->width() - 4, target->height() / 2));
            break;
        }
        Settle();
        ASSERT_TRUE(target->hasFocus());
        EXPECT_EQ(target->selectedText(), QString::fromLatin1(c.selected));
        PressX11Key(window, QChar::fromLatin1(c.typed[0]).unicode());
        EXPECT_EQ(target->text(), QString::fromLatin1(c.after));
        target->SetAutoSelect(true);
    }
}

TEST_F(KeyForm, ClearedFocusEndsTheFocusColourAndClampsAtOnce) {
    octet->SetFocusColor(kYellow);
    edit->SetFocusColor(kYellow);
    Focus(*octet);
    ASSERT_EQ(octet->Color(), kYellow);
    octet->setText(QStringLiteral("300"));
    octet->clearFocus();
    Settle();
    EXPECT_EQ(octet->text(), QStringLiteral("255"));
    EXPECT_EQ(octet->Color(), clWindow);

    Focus(*edit);
    ASSERT_EQ(edit->Color(), kYellow);
    edit->clearFocus();
    Settle();
    EXPECT_EQ(edit->Color(), clWindow);
    EXPECT_EQ(edit->palette().color(QPalette::Base), clWindow.Resolve(edit->palette()));
}

TEST_F(KeyForm, AnotherActiveWindowLeavesTheFocusedControlAsItWas) {
    octet->SetFocusColor(kYellow);
    Focus(*octet);
    octet->setText(QStringLiteral("300"));
    QWidget other;
    ShowActive(other);
    EXPECT_EQ(octet->text(), QStringLiteral("300"));
    EXPECT_EQ(octet->Color(), kYellow);
    ShowActive(window);
    EXPECT_EQ(octet->Color(), kYellow);
}

TEST_F(KeyForm, TheDefaultLookStaysWithinItsForm) {
    Focus(*cancel, Qt::TabFocusReason);
    ASSERT_TRUE(cancel->DefaultLook());
    ASSERT_FALSE(ok->DefaultLook());
    // Another window takes the activation and has no control to focus.
    QWidget other;
    TKxButton otherDefault(&other);
    otherDefault.SetDefault(true);
    otherDefault.setFocusPolicy(Qt::NoFocus);
    ShowActive(other);
    EXPECT_TRUE(otherDefault.DefaultLook());
    EXPECT_TRUE(cancel->DefaultLook());
    EXPECT_FALSE(ok->DefaultLook());
    ShowActive(window);
    PressX11Key(window, Qt::Key_Return);
    EXPECT_EQ(cancelClicks, 1);
    EXPECT_EQ(okClicks, 0);
}

} // namespace
