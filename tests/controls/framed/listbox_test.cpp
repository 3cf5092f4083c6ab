#include "controls/framed/tkxlistbox.h"
#include "controls/framework/controlservices.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Exposes the search timer's expiry, so no test waits for 1,500 ms.
class TestListBox : public TKxListBox {
public:
    using TKxListBox::SearchTimerExpired;
};

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char *text : {"10.0.0.1", "10.0.0.10", "127.0.0.1", "192.168.0.1", "20.0.0.1"})
            list.AddListText(QString::fromLatin1(text));
        list.OnClick = [this](QObject *) { ++clicks; };
    }

    void Type(const char *text) {
        for (const char *p = text; *p != '\0'; ++p)
            TypeKey(list, 0, QString(QLatin1Char(*p)));
    }

    TestListBox list;
    int clicks = 0;
};

TEST_F(ListBoxTest, AddAndIndexOfText) {
    EXPECT_EQ(list.AddListText(QStringLiteral("10.0.0.2")), 5);
    EXPECT_EQ(list.count(), 6);
    EXPECT_EQ(list.ListTextIndex(QStringLiteral("10.0.0.1")), 0);
    EXPECT_EQ(list.ListTextIndex(QStringLiteral("10.0.0.10")), 1);
    EXPECT_EQ(list.ListTextIndex(QStringLiteral("10.0.0.")), -1);
    EXPECT_EQ(list.ListTextIndex(QStringLiteral("10.0.0.100")), -1);
}

TEST_F(ListBoxTest, SelectAllOnlyInAMultiSelectList) {
    list.SelectAllItems();
    EXPECT_TRUE(list.selectedItems().isEmpty());
    list.SetMultiSelect(true);
    list.SelectAllItems();
    EXPECT_EQ(list.selectedItems().size(), 5);
}

TEST_F(ListBoxTest, TypeAheadMovesToTheFirstMatchAndClicks) {
    int matches = 0;
    list.OnMatch = [&](QObject *) { ++matches; };
    Type("1");
    EXPECT_EQ(list.ItemIndex(), 0);
    Type("9");
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(list.SearchText(), QStringLiteral("19"));
    EXPECT_EQ(matches, 2);
    EXPECT_EQ(clicks, 2);
    list.SearchTimerExpired();
    Type("2");
    EXPECT_EQ(list.ItemIndex(), 4);
    EXPECT_EQ(list.SearchText(), QStringLiteral("2"));
}

TEST_F(ListBoxTest, UnmatchedKeyBeepsAndKeepsSelectionAndSearch) {
    BeepCounter beeps;
    Type("12");
    ASSERT_EQ(list.ItemIndex(), 2);
    Type("x");
    EXPECT_EQ(beeps.Count(), 1);
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(list.SearchText(), QStringLiteral("12"));
    list.SetBeepOnInvalidKey(false);
    Type("x");
    EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(ListBoxTest, BackspaceShortensTheSearch) {
    Type("19");
    TypeKey(list, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(list.SearchText(), QStringLiteral("1"));
    EXPECT_EQ(list.ItemIndex(), 0);
    Type("2");
    TypeKey(list, Qt::Key_Backspace, QStringLiteral("\b"));
    TypeKey(list, Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(list.SearchText(), QString());
    EXPECT_EQ(list.ItemIndex(), 0);
}

TEST_F(ListBoxTest, ArrowKeysClickAndClearTheSearch) {
    Type("12");
    clicks = 0;
    TypeKey(list, Qt::Key_Down);
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.SearchText(), QString());
    TypeKey(list, Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(ListBoxTest, TypeAheadInAMultiSelectListMovesTheSelection) {
    list.SetMultiSelect(true);
    Type("12");
    Type("");
    EXPECT_EQ(list.ItemIndex(), 2);
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems().first()->text(), QStringLiteral("127.0.0.1"));
    list.SearchTimerExpired();
    Type("2");
    ASSERT_EQ(list.selectedItems().size(), 1);
    EXPECT_EQ(list.selectedItems().first()->text(), QStringLiteral("20.0.0.1"));
}

TEST_F(ListBoxTest, KeyDownHandlerCanSwallowTheKey) {
    list.OnKeyDown = [](QObject *, int &key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Down)
            key = 0;
    };
    list.SetItemIndex(0);
    TypeKey(list, Qt::Key_Down);
    EXPECT_EQ(list.ItemIndex(), 0);
}

TEST(ListBoxGroups, GroupRowsAndOrdinals) {
    TKxListBox list;
    for (const char *text : {"//First", "a", "//Second", "b", "//Third", "c"})
        list.AddListText(QString::fromLatin1(text));
    EXPECT_TRUE(list.IsGroupRow(0));
    EXPECT_FALSE(list.IsGroupRow(1));
    EXPECT_FALSE(list.IsGroupRow(6));
    EXPECT_EQ(list.GroupRowOrdinal(4), 2);
    EXPECT_EQ(list.FindGroupRowAbove(3), 2);
    EXPECT_TRUE(list.HasGroupRowAbove(1));
    list.SetShowGroups(true);
    EXPECT_EQ(list.ItemHeight(), QFontMetrics(list.font()).height() + 2);
}

QImage GrabRow(TKxListBox &list, int row) {
    QImage image(120, list.ItemHeight(), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    list.PaintRow(painter, image.rect(), row, QStyle::State_Enabled);
    return image;
}

TEST(ListBoxGroups, GroupRowIsDrawnWithoutItsPrefixInTheGroupColours) {
    TKxListBox list;
    list.AddListText(QStringLiteral("//Group"));
    list.AddListText(QStringLiteral("item"));
    list.SetShowGroups(true);
    list.SetUseGradients(false);
    list.SetGroupColor(TColor::FromRgb(0, 0, 200));
    const QImage group = GrabRow(list, 0);
    EXPECT_EQ(group.pixelColor(119, 0), QColor(0, 0, 200));
    const QImage item = GrabRow(list, 1);
    EXPECT_EQ(item.pixelColor(119, 0), clWindow.Resolve(SystemPalette(&list)));
    // The caption is drawn, the prefix is not: a group row with only a prefix stays plain.
    TKxListBox bare;
    bare.AddListText(QStringLiteral("//"));
    bare.SetShowGroups(true);
    bare.SetUseGradients(false);
    bare.SetGroupColor(TColor::FromRgb(0, 0, 200));
    QImage empty = GrabRow(bare, 0);
    bool onlyFill = true;
    for (int x = 0; x < empty.width(); ++x) {
        for (int y = 0; y < empty.height(); ++y)
            onlyFill = onlyFill && empty.pixelColor(x, y) == QColor(0, 0, 200);
    }
    EXPECT_TRUE(onlyFill);
    bool textDrawn = false;
    for (int x = 0; x < 40; ++x) {
        for (int y = 0; y < group.height(); ++y)
            textDrawn = textDrawn || group.pixelColor(x, y) != QColor(0, 0, 200);
    }
    EXPECT_TRUE(textDrawn);
}

TEST(ListBoxFrame, BorderPixelsFollowTheFrameAndHotState) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    list->setGeometry(0, 0, 100, 60);
    list->SetFrameVisible(true);
    list->SetFrameColor(TColor::FromRgb(200, 0, 0));
    list->SetFrameHotColor(TColor::FromRgb(0, 0, 200));
    ShowActive(window);
    const QColor base = clWindow.Resolve(SystemPalette(list));
    QImage image = list->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 30), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(99, 30), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(50, 0), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 30), base);

    list->SetFrameHotTrack(true);
    list->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_TRUE(list->HotFlag(FramedControl::hfFocused));
    image = list->grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 30), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(1, 30), QColor(0, 0, 200));
    EXPECT_EQ(image.pixelColor(2, 30), base);
}

TEST(ListBoxFrame, EqualValuesRepaintNothing) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    list->SetFrameVisible(true);
    ShowActive(window);
    PaintCounter paints(list);
    list->SetFrameColor(list->FrameColor());
    list->SetFrameStyle(list->FrameStyle());
    list->SetFrameSides(list->FrameSides());
    list->SetFrameVisible(true);
    list->SetColor(list->Color());
    Settle();
    EXPECT_EQ(paints.Count(), 0);
    list->SetFrameColor(TColor::FromRgb(1, 2, 3));
    Settle();
    EXPECT_GT(paints.Count(), 0);
}

TEST(ListBoxColors, FocusColorFollowsTheStates) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    auto *other = new TKxListBox(&window);
    other->move(0, 100);
    list->SetFocusColor(TColor::FromRgb(255, 255, 0));
    ShowActive(window);
    list->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(list->Color(), TColor::FromRgb(255, 255, 0));
    other->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(list->Color(), clWindow);
    list->setEnabled(false);
    EXPECT_EQ(list->Color(), clBtnFace);
    list->setEnabled(true);
    // A colour set from outside becomes the normal colour; an equal focus colour follows it.
    list->SetFocusColor(clWindow);
    list->SetColor(TColor::FromRgb(0, 255, 0));
    EXPECT_EQ(list->FocusColor(), TColor::FromRgb(0, 255, 0));
}

TEST(ListBoxColors, FocusDuringLoadingKeepsTheFocusColourAfterwards) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    list->SetFocusColor(TColor::FromRgb(255, 255, 0));
    ShowActive(window);
    list->BeginLoading();
    list->setFocus(Qt::TabFocusReason);
    Settle();
    list->Loaded();
    EXPECT_TRUE(list->HotFlag(FramedControl::hfFocused));
    EXPECT_EQ(list->Color(), TColor::FromRgb(255, 255, 0));
}

TEST(ListBoxColors, SystemColourChangesReachASystemColouredList) {
    ExpectSystemColourChangesReach([](QWidget *parent) { return new TKxListBox(parent); });
}

TEST(ListBoxExtent, FollowsTheWidestRowWhileTheScrollBarIsOn) {
    TKxListBox list;
    list.AddListText(QStringLiteral("ab"));
    EXPECT_EQ(list.HorzExtent(), 0);
    list.SetHorzScrollBar(true);
    const QFontMetrics metrics(list.font());
    EXPECT_EQ(list.HorzExtent(), metrics.horizontalAdvance(QStringLiteral("abx")));
    list.AddListText(QStringLiteral("a much longer row"));
    EXPECT_EQ(list.HorzExtent(), metrics.horizontalAdvance(QStringLiteral("a much longer rowx")));
    list.takeItem(1);
    EXPECT_EQ(list.HorzExtent(), metrics.horizontalAdvance(QStringLiteral("abx")));
}

TEST(ListBoxFrame, ThemedFrameIsLeftToTheStyleUnlessCustomFramingIsAsked) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    list->setGeometry(0, 0, 100, 60);
    list->SetFrameVisible(true);
    list->SetFrameColor(TColor::FromRgb(200, 0, 0));
    ShowActive(window);
    SetThemesActive(true);
    EXPECT_TRUE(list->UsesThemedFrame());
    const QImage themed = list->grab().toImage();
    list->SetFramingPreference(fpCustomFraming);
    const QImage custom = list->grab().toImage();
    SetThemesActive(false);
    EXPECT_NE(themed.pixelColor(0, 30), QColor(200, 0, 0));
    EXPECT_EQ(custom.pixelColor(0, 30), QColor(200, 0, 0));
}

TEST(ListBoxGroups, DefaultGroupColoursStayLightWithoutThemes) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    list->setGeometry(0, 0, 160, 80);
    list->AddListText(QStringLiteral("//Racks"));
    list->AddListText(QStringLiteral("10.0.0.1"));
    list->SetShowGroups(true);
    ShowActive(window);
    for (bool gradients : {true, false}) {
        SCOPED_TRACE(gradients ? "gradient" : "plain");
        list->SetUseGradients(gradients);
        const QRect row = list->visualItemRect(list->item(0));
        const QImage image = list->viewport()->grab().toImage();
        EXPECT_GT(image.pixelColor(row.left() + 1, row.top() + 1).lightness(), 150);
    }
}

// A narrow list whose second row is wider than it.
TKxListBox *ListWithAWideRow(QWidget &window) {
    auto *list = new TKxListBox(&window);
    list->setGeometry(10, 10, 60, 80);
    list->AddListText(QStringLiteral("10.0.0.1"));
    list->AddListText(QStringLiteral("a row far wider than the list box"));
    return list;
}

// The item hint window that shows, if any.
const QWidget *ShownHint() {
    for (const QWidget *shown : QApplication::topLevelWidgets()) {
        if (shown->isVisible() && shown->windowType() == Qt::ToolTip)
            return shown;
    }
    return nullptr;
}

TEST(ListBoxHints, AHintForAWideRowLiesOverTheRow) {
    QWidget window;
    TKxListBox *list = ListWithAWideRow(window);
    list->AddListText(QStringLiteral("10.0.0.3"));
    ShowActive(window);
    const auto hover = [list](const QRect &row) {
        QMouseEvent move(QEvent::MouseMove, QPointF(row.center()),
                         QPointF(list->viewport()->mapToGlobal(row.center())), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        Settle();
    };
    const QRect row = list->visualItemRect(list->item(1));
    hover(row);
    const QWidget *hint = ShownHint();
    ASSERT_NE(hint, nullptr);
    const QPoint rowTop = list->viewport()->mapToGlobal(row.topLeft());
    EXPECT_EQ(hint->geometry().topLeft(), rowTop - QPoint(1, 2));
    EXPECT_EQ(hint->geometry().bottom(), rowTop.y() + row.height() + 1);

    hover(list->visualItemRect(list->item(0)));
    EXPECT_FALSE(hint->isVisible()) << "a row that fits gets no hint";
}

// The hint window opens under the pointer and the list hears that the pointer left: the hint
// stays while the pointer is over its row, a click on it clicks the row, and it goes when the
// pointer leaves it for another place.
TEST(ListBoxHints, AHintStaysWhileThePointerIsOverItsRow) {
    QWidget window;
    TKxListBox *list = ListWithAWideRow(window);
    ShowActive(window);
    const QRect row = list->visualItemRect(list->item(1));
    const QPoint over = list->viewport()->mapToGlobal(row.center());
    QCursor::setPos(over);
    QMouseEvent move(QEvent::MouseMove, QPointF(row.center()), QPointF(over), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    Settle();
    const QWidget *hint = ShownHint();
    ASSERT_NE(hint, nullptr);
    // A click on the hint is a click on its row.
    const QPoint onHint = hint->mapFromGlobal(over);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(onHint), QPointF(over), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(const_cast<QWidget *>(hint), &click);
    }
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(list->item(1)->isSelected());
    const auto leave = [list] {
        QEvent left(QEvent::Leave);
        QApplication::sendEvent(list, &left);
        Settle();
    };
    leave();
    EXPECT_TRUE(hint->isVisible()) << "the pointer is still over the row";
    // The pointer leaves the hint for a place beside the list.
    QCursor::setPos(list->mapToGlobal(QPoint(list->width() + 40, 0)));
    QEvent hintLeft(QEvent::Leave);
    QApplication::sendEvent(const_cast<QWidget *>(hint), &hintLeft);
    Settle();
    EXPECT_FALSE(hint->isVisible()) << "the pointer left the row";
}

TEST(ListBoxKeys, EnterMovesTheFocusOnWhenAsked) {
    QWidget window;
    auto *list = new TKxListBox(&window);
    auto *next = new TKxListBox(&window);
    next->move(0, 120);
    ShowActive(window);
    list->setFocus(Qt::TabFocusReason);
    Settle();
    list->SetTabOnEnter(true);
    TypeKey(*list, Qt::Key_Return, QStringLiteral("\r"));
    Settle();
    EXPECT_TRUE(next->hasFocus());
}

} // namespace
