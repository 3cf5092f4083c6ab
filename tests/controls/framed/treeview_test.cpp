#include "controls/framed/tkxcustomtreeview.h"
#include "controls/framed/tkxframecontroller.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records the menus the tree would pop up instead of showing them.
class TestTreeView : public TKxCustomTreeView {
public:
    using TKxCustomTreeView::ShowMenuForSelection;
    struct Shown {
        QMenu *menu;
        QPoint pos;
    };
    std::vector<Shown> shown;

protected:
    void PopupMenuAt(QMenu *menu, const QPoint &globalPos) override {
        shown.push_back({menu, viewport()->mapFromGlobal(globalPos)});
    }
};

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.resize(200, 150);
        tree.SetPopupMenu(&own);
        for (const char *name : {"Desktop", "Home", "Computer"}) {
            auto *node = new QTreeWidgetItem(&tree, QStringList(QString::fromLatin1(name)));
            new QTreeWidgetItem(node, QStringList(QStringLiteral("child")));
        }
        first = tree.topLevelItem(0);
        second = tree.topLevelItem(1);
        ShowActive(tree);
    }

    QPoint CentreOf(QTreeWidgetItem *node) { return tree.NodeTextRect(node).center(); }

    TestTreeView tree;
    QMenu own;
    QTreeWidgetItem *first = nullptr;
    QTreeWidgetItem *second = nullptr;
};

TEST(TreeWheelScrollPositionTest, StepsByLinesAndStopsAtTheTop) {
    struct Case {
        const char *name;
        int position, lines;
        bool down;
        int expected;
    };
    const std::vector<Case> cases = {
        {"down from the top", 0, 3, true, 3},
        {"down further", 5, 3, true, 8},
        {"up within range", 5, 3, false, 2},
        {"up to exactly the top", 3, 3, false, 0},
        {"up past the top stops at 0", 2, 3, false, 0},
        {"up at the top keeps 0", 0, 3, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TreeWheelScrollPosition(c.position, c.lines, c.down), c.expected);
    }
}

TEST_F(TreeViewTest, AutoExpandAndSelectOnToggleExcludeEachOther) {
    tree.SetAutoExpand(true);
    tree.SetSelectOnToggle(true);
    EXPECT_TRUE(tree.SelectOnToggle());
    EXPECT_FALSE(tree.AutoExpand());
    tree.SetAutoExpand(true);
    EXPECT_FALSE(tree.SelectOnToggle());
}

TEST_F(TreeViewTest, SelectOnToggleSelectsTheToggledNode) {
    tree.SelectNode(first);
    tree.SetSelectOnToggle(true);
    second->setExpanded(true);
    EXPECT_EQ(tree.SelectedNode(), second);
    tree.SelectNode(first);
    second->setExpanded(false);
    EXPECT_EQ(tree.SelectedNode(), second);
}

TEST_F(TreeViewTest, AutoExpandOpensTheSelectedBranchAndClosesThePrevious) {
    tree.SelectNode(nullptr);
    tree.SetAutoExpand(true);
    tree.SelectNode(first);
    EXPECT_TRUE(first->isExpanded());
    tree.SelectNode(first->child(0));
    EXPECT_TRUE(first->isExpanded()) << "an ancestor of the new selection stays open";
    tree.SelectNode(second);
    EXPECT_TRUE(second->isExpanded());
    EXPECT_FALSE(first->isExpanded());
}

TEST_F(TreeViewTest, EqualValuesRepaintNothing) {
    PaintCounter frame(&tree);
    PaintCounter nodes(tree.viewport());
    Settle();
    frame.Reset();
    nodes.Reset();
    tree.SetSelectionFramePen(tree.SelectionFramePen());
    tree.SetHideSelection(tree.HideSelection());
    tree.SetFrameColor(tree.FrameColor());
    tree.SetFrameStyle(tree.FrameStyle());
    Settle();
    EXPECT_EQ(frame.Count(), 0);
    EXPECT_EQ(nodes.Count(), 0);
    tree.SetSelectionFramePen(QPen(Qt::red));
    Settle();
    EXPECT_GT(nodes.Count(), 0);
}

TEST_F(TreeViewTest, RightClickSelectReportsTheClickedNodeOnlyDuringTheHandler) {
    tree.SelectNode(first);
    tree.SetRightClickSelect(true);
    QTreeWidgetItem *during = nullptr;
    QTreeWidgetItem *named = nullptr;
    tree.OnNodeContextMenu = [&](QObject *, QTreeWidgetItem *node, QPoint &, QMenu *&) {
        during = tree.SelectedNode();
        named = node;
    };
    RightClick(tree, CentreOf(second));
    EXPECT_EQ(during, second);
    EXPECT_EQ(named, second);
    EXPECT_EQ(tree.SelectedNode(), first);
    ASSERT_EQ(tree.shown.size(), 1u);
    EXPECT_EQ(tree.shown[0].menu, &own);

    tree.SetRightClickSelect(false);
    RightClick(tree, CentreOf(second));
    EXPECT_EQ(during, first) << "without RightClickSelect the selection is reported";
}

TEST_F(TreeViewTest, HandlerMenuReplacesOrCancelsThePopupAndNothingShowsTwice) {
    QMenu substitute;
    QMenu *answer = nullptr;
    tree.OnNodeContextMenu = [&](QObject *, QTreeWidgetItem *, QPoint &pos, QMenu *&menu) {
        menu = answer;
        pos += QPoint(3, 4);
    };
    RightClick(tree, CentreOf(first));
    EXPECT_TRUE(tree.shown.empty()) << "a handler that clears the menu suppresses it";

    answer = &substitute;
    RightClick(tree, CentreOf(first));
    ASSERT_EQ(tree.shown.size(), 1u);
    EXPECT_EQ(tree.shown[0].menu, &substitute);
    EXPECT_EQ(tree.shown[0].pos, CentreOf(first) + QPoint(3, 4));
}

TEST_F(TreeViewTest, MenuKeysOpenTheMenuAtTheSelectedNode) {
    tree.SelectNode(second);
    int keyDowns = 0;
    tree.OnKeyDown = [&](QObject *, int &, Qt::KeyboardModifiers) { ++keyDowns; };
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(&tree, &shiftF10);
    QKeyEvent menuKey(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier);
    QApplication::sendEvent(&tree, &menuKey);
    ASSERT_EQ(tree.shown.size(), 2u);
    for (const auto &shown : tree.shown) {
        EXPECT_EQ(shown.menu, &own);
        EXPECT_EQ(shown.pos, CentreOf(second));
    }
    EXPECT_EQ(keyDowns, 2) << "the menu keys reach OnKeyDown after the menu";

    tree.clearSelection();
    tree.setCurrentItem(nullptr);
    tree.ShowMenuForSelection();
    ASSERT_EQ(tree.shown.size(), 3u);
    EXPECT_EQ(tree.shown[2].pos, QPoint(0, 0));
}

TEST_F(TreeViewTest, WheelScrollsByLinesAndStopsAtTheTop) {
    for (int i = 0; i < 40; ++i)
        new QTreeWidgetItem(&tree, QStringList(QString::number(i)));
    Settle();
    const auto wheel = [&](int delta) {
        const QPointF pos(10, 10);
        QWheelEvent event(pos, tree.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tree.viewport(), &event);
        return event.isAccepted();
    };
    QScrollBar *bar = tree.verticalScrollBar();
    EXPECT_TRUE(wheel(120));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(wheel(-120));
    EXPECT_EQ(bar->value(), QApplication::wheelScrollLines());
}

TEST_F(TreeViewTest, VisibleFrameAndUnfocusedSelectionOutlineArePainted) {
    const TColor red = TColor::FromRgb(255, 0, 0);
    tree.SetFrameColor(red);
    tree.SetFrameVisible(true);
    tree.SetHideSelection(false);
    tree.SetSelectionFramePen(QPen(QColor(0, 0, 255)));
    tree.SelectNode(second);
    tree.clearFocus();
    Settle();
    const QImage image = tree.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 40), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(40, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 1, 40), QColor(255, 0, 0));
    const QRect outline = tree.NodeTextRect(second).translated(tree.viewport()->pos());
    EXPECT_EQ(image.pixelColor(outline.topLeft() + QPoint(4, 0)), QColor(0, 0, 255));
}

TEST_F(TreeViewTest, TheOutlineSurroundsTheNodesTextNotItsRow) {
    const QColor blue(0, 0, 255);
    tree.SetHideSelection(false);
    tree.SetSelectionFramePen(QPen(blue));
    tree.SelectNode(second);
    tree.clearFocus();
    Settle();
    const QRect text = tree.NodeTextRect(second);
    const int advance = tree.fontMetrics().horizontalAdvance(second->text(0));
    EXPECT_GE(text.width(), advance);
    EXPECT_LE(text.width(), advance + 8) << "the label ends with its text";
    EXPECT_LT(text.right(), tree.visualItemRect(second).right() - 20);
    EXPECT_EQ(ColorBounds(tree.viewport()->grab().toImage(), blue), text);
}

TEST_F(TreeViewTest, FrameControllerAndStateColoursReachTheTree) {
    TKxFrameController controller;
    controller.SetFrameVisible(true);
    controller.SetFrameHotTrack(true);
    controller.SetFrameHotColor(TColor::FromRgb(0, 0, 200));
    controller.SetFocusColor(TColor::FromRgb(255, 255, 0));
    controller.SetDisabledColor(TColor::FromRgb(0, 0, 210));
    tree.SetFrameController(&controller);
    EXPECT_TRUE(tree.FrameHotTrack());
    EXPECT_EQ(tree.FrameHotColor(), TColor::FromRgb(0, 0, 200));

    tree.setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(tree.Color(), TColor::FromRgb(255, 255, 0));
    const QImage hot = tree.grab().toImage();
    EXPECT_EQ(hot.pixelColor(0, 40), QColor(0, 0, 200)) << "the hot frame of a focused tree";
    tree.setEnabled(false);
    EXPECT_EQ(tree.Color(), TColor::FromRgb(0, 0, 210));
    tree.setEnabled(true);
    tree.SetFrameController(nullptr);
    EXPECT_EQ(controller.ControlCount(), 0);
}

TEST_F(TreeViewTest, SystemColourChangesReachASystemColouredTree) {
    ASSERT_EQ(tree.Color(), clWindow);
    ExpectSystemColourChangesReach([](QWidget *parent) { return new TKxCustomTreeView(parent); });
}

} // namespace
