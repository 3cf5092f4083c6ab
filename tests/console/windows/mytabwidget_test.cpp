#include "console/windows/mytabwidget.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MyTabWidget, StartsOnTheFirstPageWithNoPane) {
    MyTabWidget pane;
    EXPECT_EQ(pane.lastPage, 1);
    EXPECT_EQ(pane.paneNumber, 0);
}

// Two pane windows owned by a main window, as the console builds them.
class PaneWindows : public testing::Test {
protected:
    void SetUp() override {
        for (int p = 1; p <= 2; ++p) {
            auto *pane = new MyTabWidget;
            pane->setParent(&owner, Qt::Window);
            pane->paneNumber = p;
            pane->paneClosed = [this](MyTabWidget *closed) { closedPanes.push_back(closed); };
            panes.push_back(pane);
            pane->show();
        }
    }

    QWidget owner;
    std::vector<QPointer<MyTabWidget>> panes;
    std::vector<MyTabWidget *> closedPanes;
};

TEST_F(PaneWindows, ClosingAPaneReportsOnlyThatPaneAndHidesIt) {
    for (int p : {1, 2}) {
        SCOPED_TRACE(p);
        closedPanes.clear();
        MyTabWidget *pane = panes[p - 1];
        MyTabWidget *other = panes[2 - p];
        other->show();

        EXPECT_TRUE(pane->close());

        ASSERT_EQ(closedPanes.size(), 1u);
        EXPECT_EQ(closedPanes[0], pane);
        EXPECT_EQ(closedPanes[0]->paneNumber, p);
        EXPECT_FALSE(pane->isVisible());
        EXPECT_TRUE(other->isVisible());
    }
}

TEST_F(PaneWindows, AClosedPaneLivesOnAndShowsAgain) {
    MyTabWidget *pane = panes[0];
    pane->addTab(new QWidget, "MAIN");
    pane->close();
    ASSERT_FALSE(panes[0].isNull());
    pane->show();
    EXPECT_TRUE(pane->isVisible());
    EXPECT_EQ(pane->count(), 1);
    EXPECT_TRUE(pane->close());
    EXPECT_EQ(closedPanes.size(), 2u);
}

TEST(MyTabWidget, ClosesWithoutAHandler) {
    MyTabWidget pane;
    pane.show();
    EXPECT_TRUE(pane.close());
    EXPECT_FALSE(pane.isVisible());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
