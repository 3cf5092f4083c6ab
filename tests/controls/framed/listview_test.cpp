#include "controls/framed/tkxcustomlistview.h"
#include "controls/framed/tkxframecontroller.h"
#include "controls/framed/tkxlistviewheader.h"
#include "controls/painting/listviewlayout.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ListViewLayout, SortArrowBoxAndTriangle) {
    const QRect box = SortArrowBox(QRect(10, 2, 40, 14));
    EXPECT_EQ(box, QRect(10, 4, 9, 8));
    EXPECT_TRUE(SortArrowFits(box, 19));
    EXPECT_FALSE(SortArrowFits(box, 18)) << "the column must be wider than twice the box";
    const auto up = SortArrowTriangle(box, true);
    EXPECT_EQ(up[0], QPoint(15, 6));
    EXPECT_EQ(up[1], QPoint(10, 11));
    EXPECT_EQ(up[2], QPoint(20, 11));
    const auto down = SortArrowTriangle(box, false);
    EXPECT_EQ(down[0], QPoint(15, 11));
    EXPECT_EQ(down[1], QPoint(10, 6));
    EXPECT_EQ(down[2], QPoint(20, 6));
}

TEST(ListViewLayout, TextsCompareCaseInsensitivelyWithEmptyLast) {
    struct Case {
        const char *a, *b;
        int sign;
    };
    const std::vector<Case> cases = {
        {"abc", "ABD", -1}, {"B", "a", 1}, {"same", "SAME", 0},
        {"", "a", 1},       {"a", "", -1}, {"", "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const int result = CompareListTexts(QString::fromLatin1(c.a), QString::fromLatin1(c.b));
        EXPECT_EQ((result > 0) - (result < 0), c.sign);
    }
}

TEST(ListViewLayout, ClicksOnOneColumnAlternateTheDirection) {
    ColumnSort sort;
    std::vector<bool> directions;
    for (int click = 0; click < 3; ++click) {
        sort = ColumnClickSort(sort.lastAscending, 1);
        EXPECT_EQ(sort.arrowColumn, 1);
        directions.push_back(sort.ascending);
    }
    EXPECT_EQ(directions, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(ColumnClickSort(1, 2), (ColumnSort{2, true, 2}));
}

TEST(ListViewLayout, LastColumnFillsTheRestButNeverBelowFivePixels) {
    struct Case {
        const char *name;
        std::vector<int> widths;
        int available, expected;
    };
    const std::vector<Case> cases = {
        {"fills the rest", {100, 50, 20}, 300, 150},
        {"at least five pixels", {100, 50, 20}, 152, 5},
        {"untouched when the others fill the width", {100, 50, 20}, 150, -1},
        {"a single column takes all", {20}, 300, 300},
        {"no columns", {}, 300, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StretchedLastColumnWidth(c.widths, c.available), c.expected);
    }
    EXPECT_EQ(ListWheelScrollPixels(3), 48);
}

// Records the menus the list would pop up instead of showing them.
class TestListView : public TKxCustomListView {
public:
    struct Shown {
        QMenu *menu;
        QPoint pos;
    };
    std::vector<Shown> shown;
    bool Editing() const { return state() == EditingState; }

protected:
    void PopupMenuAt(QMenu *menu, const QPoint &globalPos) override {
        shown.push_back({menu, viewport()->mapFromGlobal(globalPos)});
    }
};

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.resize(300, 200);
        list.setColumnCount(3);
        list.setHeaderLabels(
            {QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Kind")});
        list.SetPopupMenu(&own);
    }

    QTreeWidgetItem *Add(const QString &name, const QString &size = QString()) {
        return new QTreeWidgetItem(&list, QStringList{name, size});
    }

    QStringList Column(int column) const {
        QStringList texts;
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            texts << list.topLevelItem(row)->text(column);
        return texts;
    }

    void ClickHeader(int column) {
        QHeaderView *header = list.Header();
        const QPointF pos(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                          header->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, pos, header->viewport()->mapToGlobal(pos),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, header->viewport()->mapToGlobal(pos),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &release);
    }

    TestListView list;
    QMenu own;
};

TEST_F(ListViewTest, ColumnClicksSortAscendingDescendingAscending) {
    Add(QStringLiteral("b"), QStringLiteral("2"));
    Add(QString(), QStringLiteral("9"));
    Add(QStringLiteral("A"), QStringLiteral("1"));
    Add(QStringLiteral("c"));
    list.SetSortOnColumnClick(true);
    std::vector<int> clicked;
    list.OnColumnClick = [&](QObject *, int column) { clicked.push_back(column); };
    ShowActive(list);

    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"A", "b", "c", ""}));
    EXPECT_EQ(list.SortArrowColumn(), 0);
    EXPECT_EQ(list.SortDirection(), sdAscending);
    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"", "c", "b", "A"}));
    EXPECT_EQ(list.SortDirection(), sdDescending);
    ClickHeader(0);
    EXPECT_EQ(Column(0), (QStringList{"A", "b", "c", ""}));
    EXPECT_EQ(list.SortDirection(), sdAscending);

    ClickHeader(1);
    EXPECT_EQ(Column(1), (QStringList{"1", "2", "9", ""})) << "a missing sub-item is empty";
    EXPECT_EQ(list.SortArrowColumn(), 1);
    EXPECT_EQ(clicked, (std::vector<int>{0, 0, 0, 1}));

    list.SetSortOnColumnClick(false);
    ClickHeader(0);
    EXPECT_EQ(Column(1), (QStringList{"1", "2", "9", ""}));
    EXPECT_EQ(clicked.size(), 5u);
}

TEST_F(ListViewTest, SortArrowIsDrawnOnlyInAWideEnoughColumn) {
    ShowActive(list);
    list.Header()->resizeSection(0, 120);
    list.SetSortArrowColumn(0);
    const QColor shadow = clBtnShadow.Resolve(SystemPalette(&list));
    const auto arrowPixels = [&] {
        const QImage image = list.Header()->grab().toImage();
        int count = 0;
        for (int x = 0; x < list.Header()->sectionSize(0); ++x) {
            for (int y = 3; y < image.height() - 3; ++y)
                count += image.pixelColor(x, y).rgb() == shadow.rgb();
        }
        return count;
    };
    const int wide = arrowPixels();
    EXPECT_GT(wide, 10);
    list.Header()->resizeSection(0, 16);
    EXPECT_LT(arrowPixels(), wide / 2);
}

TEST_F(ListViewTest, LastColumnStretchesToTheViewportWidth) {
    ShowActive(list);
    list.Header()->resizeSection(0, 100);
    list.Header()->resizeSection(1, 50);
    const int extent = list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
    EXPECT_EQ(list.Header()->sectionSize(2), list.viewport()->width() - 150 - extent)
        << "an empty list leaves room for the scroll bar";
    Add(QStringLiteral("one"));
    list.StretchLastColumn();
    EXPECT_EQ(list.Header()->sectionSize(2), list.viewport()->width() - 150);
    list.Header()->resizeSection(0, list.viewport()->width());
    EXPECT_EQ(list.Header()->sectionSize(2), list.viewport()->width() - 150)
        << "not touched when the others fill the width";

    list.SetLastColumnFills(false);
    list.Header()->resizeSection(0, 100);
    EXPECT_EQ(list.Header()->sectionSize(2), list.viewport()->width() - 150);
}

TEST_F(ListViewTest, DraggingTheLastDividerEndsWithTheLastColumnFillingTheWidth) {
    Add(QStringLiteral("one"));
    ShowActive(list);
    QHeaderView *header = list.Header();
    header->resizeSection(0, 100);
    header->resizeSection(1, 50);
    const int filled = header->sectionSize(2);
    ASSERT_EQ(filled, list.viewport()->width() - 150);
    QWidget *target = header->viewport();
    const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons buttons) {
        const QPointF pos(x, header->height() / 2);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    const int divider = header->sectionViewportPosition(2) + filled - 1;
    send(QEvent::MouseButtonPress, divider, Qt::LeftButton);
    send(QEvent::MouseMove, divider - 60, Qt::LeftButton);
    ASSERT_LT(header->sectionSize(2), filled) << "the drag narrows the column";
    send(QEvent::MouseButtonRelease, divider - 60, Qt::NoButton);
    EXPECT_EQ(header->sectionSize(2), filled);
}

TEST_F(ListViewTest, CheckBoxChangesMayBeRefused) {
    list.SetCheckboxes(true);
    QTreeWidgetItem *item = Add(QStringLiteral("a"));
    EXPECT_EQ(item->checkState(0), Qt::Unchecked);
    bool allow = false;
    std::vector<bool> asked;
    int changed = 0;
    list.OnItemCheckChanging = [&](QObject *, QTreeWidgetItem *, bool checked, bool &allowChange) {
        asked.push_back(checked);
        allowChange = allow;
    };
    list.OnItemCheckChanged = [&](QObject *, QTreeWidgetItem *) { ++changed; };
    item->setCheckState(0, Qt::Checked);
    EXPECT_EQ(item->checkState(0), Qt::Unchecked);
    EXPECT_EQ(changed, 0);
    allow = true;
    item->setCheckState(0, Qt::Checked);
    EXPECT_EQ(item->checkState(0), Qt::Checked);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(asked, (std::vector<bool>{true, true}));
}

TEST_F(ListViewTest, MenuKeysOpenTheMenuAtTheFocusedSelectedItem) {
    Add(QStringLiteral("a"));
    QTreeWidgetItem *second = Add(QStringLiteral("b"));
    ShowActive(list);
    list.setCurrentItem(second);
    int keyDowns = 0;
    list.OnKeyDown = [&](QObject *, int &, Qt::KeyboardModifiers) { ++keyDowns; };
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(&list, &shiftF10);
    QKeyEvent menuKey(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier);
    QApplication::sendEvent(&list, &menuKey);
    ASSERT_EQ(list.shown.size(), 2u);
    for (const auto &shown : list.shown) {
        EXPECT_EQ(shown.menu, &own);
        EXPECT_EQ(shown.pos, list.ItemIconRect(second).center());
    }
    EXPECT_EQ(keyDowns, 0) << "the menu keys are consumed";
}

TEST_F(ListViewTest, RightClickMenuIsShownOnceAndTheHandlerMayReplaceIt) {
    QTreeWidgetItem *item = Add(QStringLiteral("a"));
    ShowActive(list);
    const QPoint on = list.visualItemRect(item).center();
    RightClick(list, on);
    ASSERT_EQ(list.shown.size(), 1u);
    EXPECT_EQ(list.shown[0].menu, &own);
    EXPECT_EQ(list.shown[0].pos, on);

    QMenu substitute;
    QMenu *answer = &substitute;
    QTreeWidgetItem *named = nullptr;
    list.OnItemMenu = [&](QObject *, QTreeWidgetItem *target, QPoint &pos, QMenu *&menu) {
        named = target;
        pos += QPoint(2, 3);
        menu = answer;
    };
    RightClick(list, on);
    ASSERT_EQ(list.shown.size(), 2u);
    EXPECT_EQ(named, item);
    EXPECT_EQ(list.shown[1].menu, &substitute);
    EXPECT_EQ(list.shown[1].pos, on + QPoint(2, 3));
    answer = nullptr;
    RightClick(list, on);
    EXPECT_EQ(list.shown.size(), 2u) << "a cleared menu shows nothing";
}

TEST_F(ListViewTest, WheelScrollsSixteenPixelsPerLine) {
    for (int i = 0; i < 60; ++i)
        Add(QString::number(i));
    ShowActive(list);
    QScrollBar *bar = list.verticalScrollBar();
    const QPointF pos(10, 10);
    QWheelEvent down(pos, list.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &down);
    EXPECT_TRUE(down.isAccepted());
    EXPECT_EQ(bar->value(), 16 * QApplication::wheelScrollLines());
    QWheelEvent up(pos, list.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &up);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ListViewTest, ClicksStartAnEditOnlyOnTheCaptionText) {
    QTreeWidgetItem *item = Add(QStringLiteral("caption"), QStringLiteral("42"));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    list.setEditTriggers(QAbstractItemView::DoubleClicked);
    ShowActive(list);
    const QRect sizeCell = list.visualRect(list.model()->index(0, 1));
    DoubleClick(list, sizeCell.center());
    EXPECT_FALSE(list.Editing()) << "a sub-item is not edited";
    const QRect label = list.ItemLabelRect(item);
    DoubleClick(list, QPoint(label.right() + 20, label.center().y()));
    EXPECT_FALSE(list.Editing()) << "beside the caption's text";
    DoubleClick(list, label.center());
    EXPECT_TRUE(list.Editing());
}

TEST_F(ListViewTest, FrameControllerAndStateColoursReachTheList) {
    TKxFrameController controller;
    controller.SetFrameVisible(true);
    controller.SetFrameColor(TColor::FromRgb(200, 0, 0));
    list.SetFrameController(&controller);
    EXPECT_TRUE(list.FrameVisible());
    EXPECT_EQ(list.FrameColor(), TColor::FromRgb(200, 0, 0));
    Add(QStringLiteral("a"));
    ShowActive(list);
    QImage image = list.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 100), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(299, 100), QColor(200, 0, 0));

    list.SetDisabledColor(TColor::FromRgb(0, 0, 210));
    list.setEnabled(false);
    EXPECT_EQ(list.Color(), TColor::FromRgb(0, 0, 210));
    image = list.grab().toImage();
    const QPoint below = list.viewport()->geometry().bottomLeft() + QPoint(20, -5);
    EXPECT_EQ(image.pixelColor(below), QColor(0, 0, 210)) << "the list is drawn on the colour";
    list.setEnabled(true);
    EXPECT_EQ(list.Color(), clWindow);
    list.SetFrameController(nullptr);
}

TEST_F(ListViewTest, EqualValuesRepaintNothing) {
    list.SetFrameVisible(true);
    ShowActive(list);
    PaintCounter frame(&list);
    PaintCounter header(list.Header()->viewport());
    list.SetFrameColor(list.FrameColor());
    list.SetFrameStyle(list.FrameStyle());
    list.SetSortArrowColumn(list.SortArrowColumn());
    list.SetSortDirection(list.SortDirection());
    list.SetColor(list.Color());
    Settle();
    EXPECT_EQ(frame.Count(), 0);
    EXPECT_EQ(header.Count(), 0);
    list.SetSortArrowColumn(1);
    Settle();
    EXPECT_GT(header.Count(), 0);
}

} // namespace
