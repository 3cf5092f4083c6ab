#include "console/windows/blockdlg.h"

#include "console/windows/mybutton.h"
#include "console/windows/mydspin.h"
#include "console/windows/mylist.h"
#include "tests/console/windows/windowtesting.h"

#include <QApplication>
#include <QImage>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QScrollArea>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int SLOT = 3;

// The 18 bytes of a set-register message, words high byte first.
QByteArray setRegisterBytes(int reg, int value) {
    const int words[9] = {8, 50, 127, 0, 0, 5, SLOT, reg, value};
    QByteArray bytes;
    for (int w : words) {
        bytes.append(char((w >> 8) & 0xFF));
        bytes.append(char(w & 0xFF));
    }
    return bytes;
}

// A panel of rack 127.0.0.5, slot 3, with a line of every kind.
class Panel : public testing::Test {
protected:
    enum Line {
        LampLine = 1,
        OnOffLine,
        ToggleLine,
        ListLine,
        ReadOnlyListLine,
        ReadOnlyNumberLine,
        GroupLine,
        NumberLine,
        EmptyLine,
        WideLine,
    };

    void SetUp() override {
        panel = std::make_unique<BlockDlg>([this](const QByteArray &message) {
            sent.push_back(message);
            return true;
        });
        panel->lines[LampLine - 1] = "#Lamp,G,R,Z";
        panel->lines[OnOffLine - 1] = "$Power";
        panel->lines[ToggleLine - 1] = "|Mute,Muted";
        panel->lines[ListLine - 1] = "%Mode,Auto,Manual,Off";
        panel->lines[ReadOnlyListLine - 1] = "~%State,Idle,Run";
        panel->lines[ReadOnlyNumberLine - 1] = "~Temp[0.1]";
        panel->lines[GroupLine - 1] = "Band,Lo,Mid,High";
        panel->lines[NumberLine - 1] = "Atten[0.01](0,100,0)";
        panel->lines[WideLine - 1] = "Wide(-40000,40000,0)";
        panel->values[0] = 0x03;
        panel->values[LampLine] = 2;
        panel->values[OnOffLine] = 1;
        panel->values[ToggleLine] = 1;
        panel->values[ListLine] = 1;
        panel->values[ReadOnlyListLine] = 1;
        panel->values[ReadOnlyNumberLine] = 250;
        panel->values[GroupLine] = 2;
        panel->values[NumberLine] = 1234;
        panel->slotIndex = SLOT;
        panel->ipOctets = {127, 0, 0, 5};
        panel->state = 1;
    }

    template <class T> T *at(int line, int item = 0) {
        return qobject_cast<T *>(panel->control(line, item));
    }
    static QColor base(QWidget *w) { return w->palette().color(QPalette::Base); }
    bool checked(int line, int item = 0) { return at<MyButton>(line, item)->isChecked(); }

    std::vector<QByteArray> sent;
    std::unique_ptr<BlockDlg> panel;
};

TEST_F(Panel, AnEmptyPanelHasNoControlsUntilBuilt) {
    EXPECT_EQ(panel->built, -1);
    EXPECT_EQ(panel->viewAttached, -1);
    EXPECT_EQ(panel->content, nullptr);
    EXPECT_EQ(panel->scrollArea, nullptr);
    EXPECT_TRUE(panel->findChildren<QWidget *>().isEmpty());
    panel->UpdateBlockControls();
    EXPECT_TRUE(sent.empty());
}

TEST_F(Panel, BuildsOneRowPerLineShowingItsValue) {
    panel->CreateBlockControls();
    EXPECT_TRUE(sent.empty());
    ASSERT_NE(panel->scrollArea, nullptr);
    EXPECT_EQ(panel->scrollArea->widget(), panel->content);

    EXPECT_EQ(panel->rowKind(LampLine), ControlKind::Lamp);
    EXPECT_EQ(base(at<QLineEdit>(LampLine)), QColor(Qt::red));
    EXPECT_FALSE(at<QLineEdit>(LampLine)->isEnabled());

    EXPECT_EQ(at<MyButton>(OnOffLine, 0)->text(), "ON");
    EXPECT_EQ(at<MyButton>(OnOffLine, 1)->text(), "OFF");
    EXPECT_TRUE(checked(OnOffLine, 0));
    EXPECT_FALSE(checked(OnOffLine, 1));

    EXPECT_EQ(at<MyButton>(ToggleLine)->text(), "Muted");
    EXPECT_EQ(at<MyButton>(ToggleLine)->value, MyButton::TOGGLE);
    EXPECT_TRUE(checked(ToggleLine));

    EXPECT_EQ(at<MyList>(ListLine)->count(), 3);
    EXPECT_EQ(at<MyList>(ListLine)->currentIndex(), 1);
    auto *readOnlyList = at<QComboBox>(ReadOnlyListLine);
    EXPECT_EQ(qobject_cast<MyList *>(readOnlyList), nullptr);
    EXPECT_FALSE(readOnlyList->isEnabled());
    EXPECT_EQ(readOnlyList->currentText(), "Run");

    QDoubleSpinBox *temp = panel->spin(ReadOnlyNumberLine);
    EXPECT_EQ(qobject_cast<MyDspin *>(temp), nullptr);
    EXPECT_FALSE(temp->isEnabled());
    EXPECT_DOUBLE_EQ(temp->value(), 25.0);
    EXPECT_EQ(temp->decimals(), 1);

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(at<MyButton>(GroupLine, i)->value, i);
        EXPECT_EQ(at<MyButton>(GroupLine, i)->size(), QSize(5 * 4 + 20, 15));
    }
    EXPECT_TRUE(checked(GroupLine, 2));
    EXPECT_FALSE(checked(GroupLine, 0));

    auto *atten = at<MyDspin>(NumberLine);
    EXPECT_EQ(panel->spin(NumberLine), atten);
    EXPECT_DOUBLE_EQ(atten->value(), 12.34);
    EXPECT_EQ(atten->decimals(), 2);
    EXPECT_DOUBLE_EQ(atten->singleStep(), 0.01);
    EXPECT_DOUBLE_EQ(atten->minimum(), 0.0);
    EXPECT_DOUBLE_EQ(atten->maximum(), 100.0);
    EXPECT_DOUBLE_EQ(panel->scale[NumberLine], 0.01);
    EXPECT_DOUBLE_EQ(panel->scale[ReadOnlyNumberLine], 0.1);
    EXPECT_DOUBLE_EQ(panel->scale[ListLine], 1.0);

    EXPECT_EQ(panel->rowKind(EmptyLine), ControlKind::Empty);
    EXPECT_EQ(panel->control(EmptyLine, 0), nullptr);
    EXPECT_EQ(base(panel->statusField(StatusRef)), QColor(Qt::green));
    EXPECT_EQ(base(panel->statusField(StatusFreeze)), QColor(Qt::gray));
}

TEST_F(Panel, TheLastLineOfTheTableNeverGetsARow) {
    panel->lines[PANEL_LINES - 2] = "Next";
    panel->lines[PANEL_LINES - 1] = "Last";
    panel->CreateBlockControls();
    QStringList captions;
    for (QLabel *label : panel->content->findChildren<QLabel *>())
        captions << label->text();
    EXPECT_TRUE(captions.contains("Next"));
    EXPECT_FALSE(captions.contains("Last"));
    EXPECT_EQ(panel->rowKind(PANEL_LINES - 1), ControlKind::Number);
    EXPECT_EQ(panel->control(PANEL_LINES, 0), nullptr);
}

TEST_F(Panel, WithoutValuesNothingIsColouredOrChecked) {
    panel->state = -1;
    panel->CreateBlockControls();
    EXPECT_NE(base(at<QLineEdit>(LampLine)), QColor(Qt::red));
    EXPECT_FALSE(checked(ToggleLine));
    EXPECT_FALSE(checked(GroupLine, 2));
    EXPECT_EQ(at<MyList>(ListLine)->normalPalette, QPalette());
    EXPECT_EQ(base(panel->statusField(StatusRef)), panel->statusField(StatusRef)->palette().base());
    EXPECT_NE(base(panel->statusField(StatusRef)), QColor(Qt::green));
}

TEST_F(Panel, SlotZeroNeverColoursTheStatusFields) {
    panel->slotIndex = 0;
    panel->CreateBlockControls();
    panel->UpdateBlockControls();
    for (int f = 0; f < STATUS_FIELDS; ++f)
        EXPECT_EQ(base(panel->statusField(f)), QColor(Qt::gray));
}

TEST_F(Panel, ARefreshSetsEveryControlAndSendsNothing) {
    panel->CreateBlockControls();
    panel->values[0] = 0x0C;
    panel->values[LampLine] = 1;
    panel->values[OnOffLine] = 0;
    panel->values[ToggleLine] = 0;
    panel->values[ListLine] = 2;
    panel->values[ReadOnlyNumberLine] = -7;
    panel->values[GroupLine] = 0;
    panel->values[NumberLine] = 29;
    panel->UpdateBlockControls();

    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(base(at<QLineEdit>(LampLine)), QColor(Qt::green));
    EXPECT_TRUE(checked(OnOffLine, 1));
    EXPECT_FALSE(checked(OnOffLine, 0));
    EXPECT_FALSE(checked(ToggleLine));
    EXPECT_EQ(at<MyList>(ListLine)->currentIndex(), 2);
    EXPECT_DOUBLE_EQ(panel->spin(ReadOnlyNumberLine)->value(), -0.7);
    EXPECT_TRUE(checked(GroupLine, 0));
    EXPECT_DOUBLE_EQ(panel->spin(NumberLine)->value(), 0.29);
    EXPECT_EQ(base(panel->statusField(StatusFreeze)), QColor(Qt::red));
    EXPECT_EQ(base(panel->statusField(StatusBars)), QColor(Qt::red));
}

TEST_F(Panel, ValuesOutsideAControlsRangeChangeNothing) {
    panel->CreateBlockControls();
    struct Case {
        int lamp;
        int onOff;
        int list;
        int group;
    };
    // Lamp: 0, above 6 or an unknown letter; list: negative or 256 and above; group: bit 15
    // set or at/above the item count; ON/OFF: neither 0 nor 1.
    const std::vector<Case> cases = {{0, 2, 256, 3}, {7, -1, -1, 0x8001}, {3, 5, 300, -2}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lamp);
        panel->values[LampLine] = 2;
        panel->UpdateBlockControls();
        panel->values[LampLine] = c.lamp;
        panel->values[OnOffLine] = c.onOff;
        panel->values[ListLine] = c.list;
        panel->values[GroupLine] = c.group;
        panel->UpdateBlockControls();
        EXPECT_EQ(base(at<QLineEdit>(LampLine)),
                  QColor(c.lamp == 3 ? Qt::red : Qt::gray)); // unknown letter keeps red
        EXPECT_TRUE(checked(OnOffLine, 0));
        EXPECT_EQ(at<MyList>(ListLine)->currentIndex(), 1);
        EXPECT_TRUE(checked(GroupLine, 2));
    }
    EXPECT_TRUE(sent.empty());
}

TEST_F(Panel, AListBuiltWithAValueThatIsNoItemShowsItsFirstItem) {
    for (const int value : {-1, 256, 300}) {
        SCOPED_TRACE(value);
        panel->values[ListLine] = value;
        panel->values[ReadOnlyListLine] = value;
        panel->CreateBlockControls();
        EXPECT_EQ(at<MyList>(ListLine)->currentIndex(), 0);
        EXPECT_EQ(at<QComboBox>(ReadOnlyListLine)->currentIndex(), 0);
        panel->values[ListLine] = 2;
        panel->UpdateBlockControls();
        panel->values[ListLine] = value;
        panel->UpdateBlockControls();
        EXPECT_EQ(at<MyList>(ListLine)->currentIndex(), 2) << "a refresh keeps the current item";
    }
    EXPECT_TRUE(sent.empty());
}

TEST_F(Panel, OperatorChangesSendTheRegisterAtOnceAndShowPending) {
    panel->CreateBlockControls();
    auto *list = at<MyList>(ListLine);
    auto *atten = at<MyDspin>(NumberLine);
    auto *toggle = at<MyButton>(ToggleLine);

    struct Case {
        const char *what;
        std::function<void()> act;
        int reg;
        int value;
        QWidget *control;
        QPalette::ColorRole pendingRole;
    };
    const std::vector<Case> cases = {
        {"list index", [&] { list->activated(2); }, ListLine, 2, list, QPalette::Button},
        {"spin value / scale, rounded", [&] { atten->setValue(0.29); }, NumberLine, 29, atten,
         QPalette::Base},
        {"group position", [&] { at<MyButton>(GroupLine, 1)->click(); }, GroupLine, 1,
         at<MyButton>(GroupLine, 1), QPalette::ButtonText},
        {"OFF", [&] { at<MyButton>(OnOffLine, 1)->click(); }, OnOffLine, 0,
         at<MyButton>(OnOffLine, 1), QPalette::ButtonText},
        {"ON", [&] { at<MyButton>(OnOffLine, 0)->click(); }, OnOffLine, 1,
         at<MyButton>(OnOffLine, 0), QPalette::ButtonText},
        {"toggle unchecked", [&] { toggle->click(); }, ToggleLine, 0, toggle, QPalette::ButtonText},
        {"toggle checked", [&] { toggle->click(); }, ToggleLine, 1, toggle, QPalette::ButtonText},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sent.clear();
        c.act();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], setRegisterBytes(c.reg, c.value));
        const QColor pending = c.pendingRole == QPalette::ButtonText ? Qt::white : Qt::gray;
        EXPECT_EQ(c.control->palette().color(c.pendingRole), pending);
    }
    EXPECT_EQ(atten->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(list->palette().color(QPalette::ButtonText), QColor(Qt::white));

    sent.clear();
    panel->UpdateBlockControls();
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(list->palette(), list->normalPalette);
    EXPECT_EQ(atten->palette(), atten->normalPalette);
    EXPECT_EQ(toggle->palette(), toggle->normalPalette);
    EXPECT_EQ(toggle->styleSheet(), MyButton::CHECKED_STYLE);
    EXPECT_NE(list->palette().color(QPalette::Button), QColor(Qt::gray));
}

TEST_F(Panel, ValuesOutsideSixteenBitsAreClampedNeverWrapped) {
    panel->lines[NumberLine - 1] = "Atten[0.01]";
    panel->CreateBlockControls();
    auto *atten = at<MyDspin>(NumberLine);
    auto *wide = at<MyDspin>(WideLine);
    EXPECT_DOUBLE_EQ(atten->maximum(), 327.67);
    EXPECT_DOUBLE_EQ(wide->minimum(), -32768.0);

    struct Case {
        MyDspin *spin;
        double shown;
        int reg;
        int value;
    };
    const std::vector<Case> cases = {
        {atten, 500.0, NumberLine, 32767},
        {atten, -500.0, NumberLine, -32768},
        {wide, 40000.0, WideLine, 32767},
        {wide, -40000.0, WideLine, -32768},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        sent.clear();
        c.spin->setValue(c.shown);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], setRegisterBytes(c.reg, c.value));
        sent.clear();
        c.spin->slot_Get_Reg_Value(c.shown * 100);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0], setRegisterBytes(c.reg, c.value));
    }
}

// The panel as a pane holds it.
class EmbeddedPanel : public Panel {
protected:
    void SetUp() override {
        Panel::SetUp();
        panel->CreateBlockControls();
        panel->setParent(&page);
        page.show();
        panel->show();
    }
    void TearDown() override { panel->setParent(nullptr); }
    QWidget page;
};

TEST_F(EmbeddedPanel, EscapeDoesNotHideIt) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(panel.get(), &escape);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->result(), 0);
    EXPECT_TRUE(sent.empty());
}

TEST_F(EmbeddedPanel, TheWheelWithoutFocusChangesNothing) {
    auto *list = at<MyList>(ListLine);
    auto *atten = at<MyDspin>(NumberLine);
    for (QWidget *control : std::initializer_list<QWidget *>{list, atten}) {
        SCOPED_TRACE(control->metaObject()->className());
        ASSERT_FALSE(control->hasFocus());
        EXPECT_EQ(control->focusPolicy(), Qt::StrongFocus);
        const QPointF at(5, 5);
        QWheelEvent wheel(at, control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &wheel);
    }
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(atten->value(), 12.34);
    EXPECT_TRUE(sent.empty());
}

TEST_F(EmbeddedPanel, ANumberFieldWritesEachCommittedValueOnce) {
    panel->values[NumberLine] = 500;
    panel->UpdateBlockControls();
    auto *atten = at<MyDspin>(NumberLine);
    ASSERT_TRUE(showActive(page));
    for (const SpinOperatorStep &step : spinOperatorSteps()) {
        SCOPED_TRACE(step.what);
        sent.clear();
        atten->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(atten->hasFocus());
        step.act({*atten, *at<MyDspin>(WideLine), [&] { panel->UpdateBlockControls(); }});
        ASSERT_EQ(int(sent.size()), step.writes);
        if (step.writes == 1) {
            EXPECT_EQ(sent[0], setRegisterBytes(NumberLine, qRound(atten->value() * 100)));
        }
    }
    EXPECT_DOUBLE_EQ(atten->value(), 12.37);
    // Once committed, the server's values show again.
    panel->UpdateBlockControls();
    EXPECT_DOUBLE_EQ(atten->value(), 5.0);
}

// The 15-pixel buttons and status fields lie whole inside their 19-pixel group box, and its
// frame shows around them.
TEST_F(EmbeddedPanel, RowControlsLieWholeInsideTheirBox) {
    page.resize(600, 700);
    QCoreApplication::processEvents();
    const std::vector<std::pair<int, int>> linesAndItems = {{0, 4}, {OnOffLine, 2}, {GroupLine, 3}};
    for (const auto &[line, items] : linesAndItems) {
        for (int item = 0; item < items; ++item) {
            SCOPED_TRACE(line * 10 + item);
            QWidget *control = panel->control(line, item);
            QWidget *box = control->parentWidget();
            ASSERT_EQ(box->height(), 19);
            EXPECT_EQ(control->height(), 15);
            EXPECT_TRUE(box->contentsRect().contains(control->geometry()));
            // The frame's bottom line lies below the control.
            const QImage image = box->grab().toImage();
            const QPoint below(control->geometry().center().x(), box->height() - 1);
            EXPECT_NE(image.pixelColor(below), image.pixelColor(below.x(), box->height() - 2));
        }
    }
}

// Arrow keys walk a button group, an ON/OFF pair and a list without writing; Space writes the
// focused button, a click writes as before, and a list writes only the item picked in it.
TEST_F(EmbeddedPanel, ArrowKeysMoveTheFocusOnlySpaceAndClicksWrite) {
    ASSERT_TRUE(showActive(page));
    auto *list = at<MyList>(ListLine);
    const auto key = [](int k, const QString &text = QString()) {
        return [k, text] { pressKey(*QApplication::focusWidget(), k, text); };
    };
    struct Step {
        const char *what;
        std::function<void()> act;
        QWidget *focused;
        std::vector<QByteArray> writes;
    };
    const std::vector<Step> steps = {
        {"Left from the checked High", key(Qt::Key_Left), at<MyButton>(GroupLine, 1), {}},
        {"Left again", key(Qt::Key_Left), at<MyButton>(GroupLine, 0), {}},
        {"Left at the end of the group", key(Qt::Key_Left), at<MyButton>(GroupLine, 0), {}},
        {"Right", key(Qt::Key_Right), at<MyButton>(GroupLine, 1), {}},
        {"Space on Mid",
         key(Qt::Key_Space, QStringLiteral(" ")),
         at<MyButton>(GroupLine, 1),
         {setRegisterBytes(GroupLine, 1)}},
        {"Down", key(Qt::Key_Down), at<MyButton>(GroupLine, 2), {}},
        {"a click on Lo",
         [&] {
             MyButton *lo = at<MyButton>(GroupLine, 0);
             clickAt(*lo, lo->rect().center());
         },
         nullptr,
         {setRegisterBytes(GroupLine, 0)}},
        {"ON/OFF: Left from ON",
         [&] {
             at<MyButton>(OnOffLine, 0)->setFocus(Qt::TabFocusReason);
             key(Qt::Key_Left)();
         },
         at<MyButton>(OnOffLine, 1),
         {}},
        {"ON/OFF: Right, Space on ON",
         [&] {
             key(Qt::Key_Right)();
             key(Qt::Key_Space, QStringLiteral(" "))();
         },
         at<MyButton>(OnOffLine, 0),
         {setRegisterBytes(OnOffLine, 1)}},
        {"list: Down opens it",
         [&] {
             list->setFocus(Qt::TabFocusReason);
             key(Qt::Key_Down)();
             EXPECT_TRUE(list->view()->isVisible());
         },
         nullptr,
         {}},
        {"list: Down and Enter in it pick Off",
         [&] {
             pressKey(*list->view(), Qt::Key_Down);
             pressKey(*list->view(), Qt::Key_Return, QStringLiteral("\r"));
         },
         list,
         {setRegisterBytes(ListLine, 2)}},
    };
    at<MyButton>(GroupLine, 2)->setFocus(Qt::TabFocusReason);
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        sent.clear();
        step.act();
        EXPECT_EQ(sent, step.writes);
        if (step.focused) {
            EXPECT_EQ(QApplication::focusWidget(), step.focused);
        }
    }
    EXPECT_TRUE(checked(GroupLine, 0)); // the click
    EXPECT_TRUE(checked(OnOffLine, 0));
    EXPECT_EQ(list->currentIndex(), 2);
}

// Enter in a number field confirms that field's value (Qt sends it again); it must not press
// a button of the panel as a dialog's default button.
TEST(StandalonePanel, EnterInANumberFieldPressesNoButton) {
    std::vector<QByteArray> sent;
    BlockDlg panel([&](const QByteArray &message) {
        sent.push_back(message);
        return true;
    });
    panel.lines[0] = "Band,Lo,Hi";
    panel.lines[1] = "Level";
    panel.state = 1;
    panel.CreateBlockControls();
    panel.show();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(panel.spin(2), &enter);
    for (const QByteArray &message : sent)
        EXPECT_EQ(message.mid(14, 2), QByteArray::fromHex("0002"));
    EXPECT_TRUE(panel.isVisible());
}

TEST_F(Panel, ARefreshAfterTheTableChangedLeavesRowsOfAnotherKindAlone) {
    panel->CreateBlockControls();
    panel->lines[ListLine - 1] = "Band,A,B,C,D,E";
    panel->lines[GroupLine - 1] = "Band,Lo";
    panel->values[ListLine] = 4;
    panel->values[GroupLine] = 1;
    panel->UpdateBlockControls();
    EXPECT_EQ(at<MyList>(ListLine)->currentIndex(), 1);
    EXPECT_TRUE(checked(GroupLine, 2)); // one item left: position 1 is out of range
    EXPECT_TRUE(sent.empty());
}

TEST_F(Panel, ARebuildReplacesAllRows) {
    panel->CreateBlockControls();
    QPointer<QWidget> oldContent = panel->content;
    panel->lines.fill(QString());
    panel->lines[0] = "$Only";
    panel->CreateBlockControls();
    EXPECT_TRUE(oldContent.isNull());
    EXPECT_EQ(panel->rowKind(1), ControlKind::OnOff);
    EXPECT_EQ(panel->rowKind(ListLine), ControlKind::Empty);
    EXPECT_EQ(panel->findChildren<QScrollArea *>().size(), 1);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
