// What every framed control shares, held for each kind: the frame painted over the border, the
// state colours following enabled changes, the mouse entering and leaving, and OnKeyDown seeing
// each key once, before the control, able to swallow it.
#include "controls/framed/tkxcustomlistview.h"
#include "controls/framed/tkxcustomtreeview.h"
#include "controls/framed/tkxedit.h"
#include "controls/framed/tkxlistbox.h"
#include "tests/controls/support/widgettesting.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace {

template <class Control> class FramedWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(160, 120);
        control = new Control(&window);
        control->setGeometry(10, 10, 120, 80);
        ShowActive(window);
        control->setFocus();
        Settle();
    }

    QWidget window;
    Control *control = nullptr;
};

using FramedKinds = ::testing::Types<TKxEdit, TKxListBox, TKxCustomListView, TKxCustomTreeView>;
TYPED_TEST_SUITE(FramedWidgetTest, FramedKinds);

TYPED_TEST(FramedWidgetTest, FrameIsPaintedOverTheBorder) {
    auto *control = this->control;
    control->SetFrameVisible(true);
    control->SetFrameStyle(fsFlat);
    control->SetFrameColor(TColor::FromRgb(200, 0, 0));
    control->SetFrameHotColor(TColor::FromRgb(200, 0, 0));
    const QImage image = control->grab().toImage();
    const int middle = image.height() / 2;
    EXPECT_EQ(image.pixelColor(0, middle), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 1, middle), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(image.width() / 2, 0), QColor(200, 0, 0));
}

TYPED_TEST(FramedWidgetTest, DisablingShowsTheDisabledColour) {
    auto *control = this->control;
    const TColor normal = control->Color();
    control->SetDisabledColor(TColor::FromRgb(1, 2, 3));
    control->setEnabled(false);
    EXPECT_EQ(control->Color(), TColor::FromRgb(1, 2, 3));
    control->setEnabled(true);
    EXPECT_EQ(control->Color(), normal);
}

TYPED_TEST(FramedWidgetTest, MouseEnteringAndLeavingFireTheirEvents) {
    auto *control = this->control;
    int enters = 0;
    int leaves = 0;
    control->OnMouseEnter = [&](QObject *) { ++enters; };
    control->OnMouseLeave = [&](QObject *) { ++leaves; };
    const QPointF inside(5, 5);
    QEnterEvent enter(inside, inside, QPointF(control->mapToGlobal(inside.toPoint())));
    QApplication::sendEvent(control, &enter);
    EXPECT_EQ(enters, 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(control, &leave);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);
}

TYPED_TEST(FramedWidgetTest, OnKeyDownSeesEachKeyOnceAndMaySwallowIt) {
    auto *control = this->control;
    std::vector<int> seen;
    bool swallow = true;
    control->OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) {
        seen.push_back(key);
        if (swallow)
            key = 0;
    };
    int parentKeys = 0;
    // A key the control leaves goes on to its window; a swallowed one goes nowhere.
    class KeyCounter : public QObject {
    public:
        explicit KeyCounter(int &count)
            : m_count(count) {}
        bool eventFilter(QObject *, QEvent *event) override {
            if (event->type() == QEvent::KeyPress)
                ++m_count;
            return false;
        }

    private:
        int &m_count;
    } counter(parentKeys);
    this->window.installEventFilter(&counter);
    PressX11Key(this->window, Qt::Key_F7);
    PressX11Key(this->window, Qt::Key_A);
    EXPECT_EQ(seen, (std::vector<int>{Qt::Key_F7, Qt::Key_A}));
    EXPECT_EQ(parentKeys, 0);
    swallow = false;
    PressX11Key(this->window, Qt::Key_F7);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(parentKeys, 1);
}

} // namespace
