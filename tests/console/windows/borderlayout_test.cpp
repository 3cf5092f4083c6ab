#include "console/windows/borderlayout.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A layout item with fixed hint and minimum that records its geometry and its deletion.
class FakeItem : public QLayoutItem {
public:
    FakeItem(QSize hint, QSize minimum = QSize(0, 0), bool *deleted = nullptr)
        : hint(hint)
        , minimum(minimum)
        , deleted(deleted) {}
    ~FakeItem() override {
        if (deleted)
            *deleted = true;
    }

    QSize sizeHint() const override { return hint; }
    QSize minimumSize() const override { return minimum; }
    QSize maximumSize() const override { return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); }
    Qt::Orientations expandingDirections() const override { return {}; }
    void setGeometry(const QRect &rect) override {
        area = rect;
        ++geometryCalls;
    }
    QRect geometry() const override { return area; }
    bool isEmpty() const override { return false; }

    int geometryCalls = 0;

private:
    QSize hint;
    QSize minimum;
    bool *deleted;
    QRect area;
};

struct Placed {
    BorderLayout::Position position;
    QSize hint;
    QRect expected;
};

struct GeometryCase {
    const char *name;
    int spacing;
    QRect rect;
    std::vector<Placed> items;
};

TEST(BorderLayoutGeometry, PlacesItemsByPosition) {
    using B = BorderLayout;
    const std::vector<GeometryCase> cases = {
        {"main window: centre over a south button panel",
         0,
         {0, 0, 1080, 698},
         {{B::Center, {300, 300}, {0, 0, 1080, 637}}, {B::South, {500, 61}, {0, 637, 1080, 61}}}},
        {"two north items with spacing 6",
         6,
         {0, 0, 400, 300},
         {{B::North, {50, 20}, {0, 0, 400, 20}},
          {B::North, {50, 30}, {0, 26, 400, 30}},
          {B::Center, {10, 10}, {0, 62, 400, 238}}}},
        {"south items stack upwards, the first lowest",
         2,
         {0, 0, 200, 100},
         {{B::South, {10, 10}, {0, 90, 200, 10}},
          {B::South, {10, 15}, {0, 73, 200, 15}},
          {B::Center, {10, 10}, {0, 0, 200, 71}}}},
        {"west rightwards, east leftwards, the first east rightmost",
         4,
         {0, 0, 300, 200},
         {{B::North, {10, 20}, {0, 0, 300, 20}},
          {B::West, {30, 10}, {0, 24, 30, 176}},
          {B::East, {40, 10}, {260, 24, 40, 176}},
          {B::West, {20, 10}, {34, 24, 20, 176}},
          {B::East, {25, 10}, {231, 24, 25, 176}},
          {B::Center, {10, 10}, {58, 24, 169, 176}}}},
        {"all five positions in a rectangle off the origin",
         0,
         {10, 20, 200, 100},
         {{B::West, {30, 5}, {10, 40, 30, 60}},
          {B::Center, {5, 5}, {40, 40, 120, 60}},
          {B::North, {5, 20}, {10, 20, 200, 20}},
          {B::East, {50, 5}, {160, 40, 50, 60}},
          {B::South, {5, 20}, {10, 100, 200, 20}}}},
        {"bands taller than the rectangle leave an empty centre",
         0,
         {0, 0, 100, 50},
         {{B::North, {10, 40}, {0, 0, 100, 40}},
          {B::South, {10, 40}, {0, 10, 100, 40}},
          {B::West, {60, 10}, {0, 40, 60, 0}},
          {B::East, {60, 10}, {40, 40, 60, 0}},
          {B::Center, {10, 10}, {60, 40, 0, 0}}}},
        {"unset spacing places items edge to edge",
         -1,
         {0, 0, 100, 100},
         {{B::North, {10, 10}, {0, 0, 100, 10}}, {B::North, {10, 10}, {0, 10, 100, 10}}}},
    };
    for (const GeometryCase &c : cases) {
        SCOPED_TRACE(c.name);
        BorderLayout layout(c.spacing);
        std::vector<FakeItem *> items;
        for (const Placed &placed : c.items) {
            items.push_back(new FakeItem(placed.hint));
            layout.add(items.back(), placed.position);
        }
        layout.setGeometry(c.rect);
        for (std::size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "item " << i);
            EXPECT_EQ(items[i]->geometry(), c.items[i].expected);
        }
    }
}

TEST(BorderLayoutGeometry, OnlyTheLastCentreItemIsLaidOut) {
    BorderLayout layout(0);
    auto *first = new FakeItem({10, 10});
    auto *second = new FakeItem({10, 10});
    layout.add(first, BorderLayout::Center);
    layout.add(second, BorderLayout::Center);
    layout.setGeometry({0, 0, 80, 60});
    EXPECT_EQ(first->geometryCalls, 0);
    EXPECT_EQ(second->geometry(), QRect(0, 0, 80, 60));
}

TEST(BorderLayoutGeometry, AddItemPlacesAtWest) {
    BorderLayout layout(0);
    auto *item = new FakeItem({25, 10});
    layout.addItem(item);
    layout.add(new FakeItem({10, 10}), BorderLayout::Center);
    layout.setGeometry({0, 0, 100, 50});
    EXPECT_EQ(item->geometry(), QRect(0, 0, 25, 50));
}

TEST(BorderLayoutGeometry, LaysOutWidgetsOfAResizedWindow) {
    QWidget window;
    auto *layout = new BorderLayout(-1);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *center = new QWidget;
    auto *south = new QWidget;
    south->setFixedHeight(61);
    layout->addWidget(center, BorderLayout::Center);
    window.setLayout(layout);
    layout->addWidget(south, BorderLayout::South); // added after the layout is installed
    window.resize(1080, 698);
    window.show();
    layout->activate();
    EXPECT_EQ(south->parentWidget(), &window);
    EXPECT_EQ(center->parentWidget(), &window);
    EXPECT_EQ(south->geometry(), QRect(0, 637, 1080, 61));
    EXPECT_EQ(center->geometry(), QRect(0, 0, 1080, 637));
}

TEST(BorderLayoutSize, SumsBandsOntoAnInvalidStart) {
    BorderLayout layout(6);
    EXPECT_EQ(layout.sizeHint(), QSize(-1, -1));
    EXPECT_EQ(layout.minimumSize(), QSize(-1, -1));

    layout.add(new FakeItem({100, 20}, {50, 10}), BorderLayout::North);
    layout.add(new FakeItem({100, 30}, {40, 15}), BorderLayout::South);
    layout.add(new FakeItem({70, 200}, {30, 100}), BorderLayout::West);
    layout.add(new FakeItem({80, 200}, {20, 90}), BorderLayout::East);
    layout.add(new FakeItem({300, 400}, {150, 60}), BorderLayout::Center);
    // Heights of north, south and centre; widths of west, east and centre; no spacing.
    EXPECT_EQ(layout.sizeHint(), QSize(70 + 80 + 300 - 1, 20 + 30 + 400 - 1));
    EXPECT_EQ(layout.minimumSize(), QSize(30 + 20 + 150 - 1, 10 + 15 + 60 - 1));
    EXPECT_EQ(layout.expandingDirections(), Qt::Horizontal | Qt::Vertical);
    EXPECT_FALSE(layout.hasHeightForWidth());
}

TEST(BorderLayoutItems, IndexOutOfRangeGivesNullAndChangesNothing) {
    BorderLayout layout(0);
    auto *item = new FakeItem({10, 10});
    layout.add(item, BorderLayout::North);
    for (int index : {-1, 1}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(layout.itemAt(index), nullptr);
        EXPECT_EQ(layout.takeAt(index), nullptr);
        EXPECT_EQ(layout.count(), 1);
        EXPECT_EQ(layout.itemAt(0), item);
    }
}

TEST(BorderLayoutItems, TakenItemsBelongToTheCallerTheRestAreDeleted) {
    bool firstDeleted = false;
    bool secondDeleted = false;
    bool thirdDeleted = false;
    std::unique_ptr<QLayoutItem> taken;
    {
        BorderLayout layout(0);
        layout.add(new FakeItem({1, 1}, {}, &firstDeleted), BorderLayout::North);
        layout.add(new FakeItem({1, 1}, {}, &secondDeleted), BorderLayout::South);
        layout.add(new FakeItem({1, 1}, {}, &thirdDeleted), BorderLayout::Center);
        taken.reset(layout.takeAt(1));
        EXPECT_EQ(layout.count(), 2);
        EXPECT_FALSE(secondDeleted);
    }
    EXPECT_TRUE(firstDeleted);
    EXPECT_TRUE(thirdDeleted);
    EXPECT_FALSE(secondDeleted);
}

TEST(BorderLayoutItems, ADeletedWidgetLeavesTheLayout) {
    QWidget window;
    auto *layout = new BorderLayout(&window, 0, 0);
    auto *south = new QWidget;
    layout->addWidget(south, BorderLayout::South);
    layout->addWidget(new QWidget, BorderLayout::Center);
    delete south;
    ASSERT_EQ(layout->count(), 1);
    window.resize(100, 100);
    layout->setGeometry(window.rect());
    EXPECT_EQ(layout->itemAt(0)->geometry(), QRect(0, 0, 100, 100));
}

TEST(BorderLayoutConstruction, ParentConstructorSetsMarginThenSpacing) {
    QWidget window;
    auto *layout = new BorderLayout(&window, 7, 3);
    EXPECT_EQ(window.layout(), layout);
    EXPECT_EQ(layout->contentsMargins(), QMargins(7, 7, 7, 7));
    EXPECT_EQ(layout->spacing(), 3);
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
