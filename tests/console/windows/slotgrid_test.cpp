#include "console/windows/slotgrid.h"

#include "console/windows/consolecolours.h"
#include "console/windows/mymainbutton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionButton>

#include <cmath>
#include <vector>

namespace {

QColor face(const QWidget *w) {
    return w->palette().color(QPalette::Button);
}

// An icon whose left half is red and right half blue, to see how a button turns its face.
QIcon halvesIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::blue);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, 8, 16, Qt::red);
    return QIcon(pixmap);
}

// The mean position of the pixels of exactly `colour`.
QPointF centreOf(const QImage &image, const QColor &colour) {
    QPointF sum;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) {
                sum += QPointF(x, y);
                ++count;
            }
    return count ? sum / count : QPointF(-1, -1);
}

struct TurnCase {
    const char *name;
    Qt::Orientation orientation;
    bool mirrored;
    QSize size;
    QPointF redToBlue; // the direction from the icon's left half to its right half
};

TEST(MyMainButton, PaintsItsFaceTurnedByOrientationAndMirroring) {
    const std::vector<TurnCase> cases{
        {"horizontal", Qt::Horizontal, false, {96, 40}, {1, 0}},
        {"horizontal mirrored", Qt::Horizontal, true, {96, 40}, {-1, 0}},
        {"vertical, reading top to bottom", Qt::Vertical, false, {40, 96}, {0, 1}},
        {"vertical mirrored, reading bottom to top", Qt::Vertical, true, {40, 96}, {0, -1}},
    };
    for (const TurnCase &c : cases) {
        SCOPED_TRACE(c.name);
        MyMainButton button;
        button.setOrientation(c.orientation);
        button.setMirrored(c.mirrored);
        button.setIcon(halvesIcon());
        button.setFixedSize(c.size);
        const QImage image = button.grab().toImage();
        const QPointF red = centreOf(image, Qt::red);
        const QPointF blue = centreOf(image, Qt::blue);
        ASSERT_GE(red.x(), 0);
        ASSERT_GE(blue.x(), 0);
        const QPointF step = blue - red;
        EXPECT_GT(step.x() * c.redToBlue.x() + step.y() * c.redToBlue.y(), 4.0);
        EXPECT_LT(std::abs(step.x() * c.redToBlue.y()) + std::abs(step.y() * c.redToBlue.x()), 1.0);
    }
}

TEST(MyMainButton, AVerticalButtonHintsThePushButtonsSizeTurned) {
    QFont font;
    font.setPixelSize(9);
    QPushButton plain(QStringLiteral("127.0.10.1"));
    plain.setFont(font);
    MyMainButton rack;
    rack.setText(QStringLiteral("127.0.10.1"));
    rack.setFont(font);
    rack.setOrientation(Qt::Vertical);
    rack.setMirrored(true);
    EXPECT_EQ(rack.sizeHint(), plain.sizeHint().transposed());
    EXPECT_EQ(rack.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    EXPECT_EQ(rack.sizePolicy().verticalPolicy(), QSizePolicy::Minimum);

    rack.setOrientation(Qt::Horizontal);
    EXPECT_EQ(rack.sizeHint(), plain.sizeHint());
    EXPECT_EQ(rack.sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    EXPECT_EQ(rack.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
}

TEST(MyMainButton, ResizingSetsTheIconSizeInsideTheFace) {
    MyMainButton button;
    button.setFixedSize(96, 123);
    button.show();
    EXPECT_EQ(button.iconSize(), QSize(94, 119));
}

TEST(MyMainButton, TheStyleOptionCarriesTheButtonsStateAndTurnedRectangle) {
    struct Case {
        const char *name;
        bool flat;
        bool isDefault;
        bool checked;
        bool down;
        QStyleOptionButton::ButtonFeatures features;
        QStyle::State present;
        QStyle::State absent;
    };
    const std::vector<Case> cases{
        {"plain", false, false, false, false, QStyleOptionButton::None, QStyle::State_Raised,
         QStyle::State_Sunken | QStyle::State_On},
        {"flat", true, false, false, false, QStyleOptionButton::Flat, {}, QStyle::State_Raised},
        {"default",
         false,
         true,
         false,
         false,
         QStyleOptionButton::DefaultButton | QStyleOptionButton::AutoDefaultButton,
         QStyle::State_Raised,
         {}},
        {"checked",
         false,
         false,
         true,
         false,
         QStyleOptionButton::None,
         QStyle::State_On | QStyle::State_Raised,
         {}},
        {"down", false, false, false, true, QStyleOptionButton::None, QStyle::State_Sunken,
         QStyle::State_Raised},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        MyMainButton button;
        button.setText(QStringLiteral("RACK"));
        button.setOrientation(Qt::Vertical);
        button.setGeometry(3, 4, 22, 123);
        button.setFlat(c.flat);
        button.setDefault(c.isDefault);
        button.setCheckable(c.checked);
        button.setChecked(c.checked);
        button.setDown(c.down);
        const QStyleOptionButton option = initMainButtonStyleOption(&button);
        EXPECT_EQ(option.features, c.features);
        EXPECT_EQ(option.state & c.present, c.present);
        EXPECT_EQ(option.state & c.absent, QStyle::State{});
        EXPECT_EQ(option.rect, QRect(0, 0, 123, 22));
        EXPECT_EQ(option.text, "RACK");
    }
}

// One grid for the program: its rows have no parent until a rack is reported.
SlotGrid &grid() {
    static auto *const shared = new SlotGrid;
    return *shared;
}

TEST(SlotGrid, AnEmptiedSlotTakesTheRackButtonsFaceIsDisabledAndShowsNoAlarm) {
    SlotGrid &g = grid();
    g.rackButton(4)->setPalette(QPalette(QColor(10, 20, 30)));
    g.setSlotModule(4, 2, QString(), QStringLiteral("AMP"));
    g.slotButton(4, 2)->setIcon(halvesIcon());
    // The module pulled while its alarm was raised: the alarm goes with it, or the tree would
    // show the empty slot and its rack red until the next alarm reset.
    g.setSlotButtonAlarm(4, 2, true);
    ASSERT_EQ(g.moduleLabel(g.rackRow(4), 3)->text(), "AMP");

    g.emptySlotButton(4, 2);
    EXPECT_EQ(face(g.slotButton(4, 2)), QColor(10, 20, 30));
    EXPECT_TRUE(g.slotButton(4, 2)->icon().isNull());
    EXPECT_TRUE(g.moduleLabel(g.rackRow(4), 3)->text().isEmpty());
    EXPECT_FALSE(g.slotButton(4, 2)->isEnabled());
    EXPECT_EQ(g.slotButton(4, 2)->alarmMark, -1);
}

TEST(SlotGrid, AnAlarmColoursTheSlotButtonAndMarksIt) {
    SlotGrid &g = grid();
    g.setSlotButtonAlarm(5, 7, true);
    EXPECT_EQ(face(g.slotButton(5, 7)), alarmColor);
    EXPECT_EQ(g.slotButton(5, 7)->alarmMark, 1);
    g.setSlotButtonAlarm(5, 7, false);
    EXPECT_EQ(face(g.slotButton(5, 7)), normalColor);
    EXPECT_EQ(g.slotButton(5, 7)->alarmMark, -1);
}

TEST(SlotGrid, APaneHeaderCopiesTheSlotsFaceLabelAndShownAlarms) {
    SlotGrid &g = grid();
    const int r = 6;
    const int s = 3;
    g.slotButton(r, s)->setIcon(halvesIcon());
    g.setSlotModule(r, s, QString(), QStringLiteral("PSU"));
    g.setSlotButtonAlarm(r, s, true);
    for (int a = 0; a < ALARMS_PER_SLOT; ++a)
        g.showSlotAlarm(r, s, a, QStringLiteral("Alarm %1").arg(a));
    g.setSlotAlarmLed(r, s, 0, LedColour::Red);
    g.setSlotAlarmLed(r, s, 1, LedColour::Green);

    g.refreshPaneHeader(2, r, s, 2);
    const MyMainButton *header = g.paneHeader(2);
    SlotRow &row = g.paneRows[1];
    EXPECT_EQ(header->icon().cacheKey(), g.slotButton(r, s)->icon().cacheKey());
    EXPECT_EQ(face(header), alarmColor);
    EXPECT_EQ(g.moduleLabel(row, 1)->text(), "PSU");
    EXPECT_EQ(g.alarmLed(row, 1, 0)->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(g.alarmLed(row, 1, 1)->palette().color(QPalette::Base), QColor(Qt::green));
    EXPECT_EQ(g.alarmLabel(row, 1, 1)->text(), "Alarm 1");
    for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
        SCOPED_TRACE(a);
        EXPECT_EQ(g.alarmLed(row, 1, a)->isHidden(), a >= 2);
        EXPECT_EQ(g.alarmLabel(row, 1, a)->isHidden(), a >= 2);
    }

    g.resetAlarmIndicators();
    EXPECT_EQ(face(g.slotButton(r, s)), normalColor);
    EXPECT_EQ(g.slotButton(r, s)->alarmMark, -1);
    for (SlotRow *reset : {&g.rackRow(r), &row}) {
        const int column = reset == &row ? 1 : s + 1;
        for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
            EXPECT_TRUE(g.alarmLed(*reset, column, a)->isHidden());
            EXPECT_EQ(g.alarmLed(*reset, column, a)->palette().color(QPalette::Base),
                      QColor(Qt::gray));
            EXPECT_TRUE(g.alarmLabel(*reset, column, a)->text().isEmpty());
        }
    }
}

TEST(SlotGrid, ASelectionFrameMovesOntoTheChosenSlotAndItsNumberTakesThePaneColour) {
    SlotGrid &g = grid();
    g.placeSelectionFrame(2, 8, 9);
    EXPECT_TRUE(g.frameSitsOn(2, g.slotButton(8, 9)));
    EXPECT_FALSE(g.frameSitsOn(1, g.slotButton(8, 9)));
    for (const QLineEdit *strip : g.selectionStrips[1]) {
        EXPECT_EQ(strip->parentWidget(), g.slotButton(8, 9));
        EXPECT_FALSE(strip->isHidden());
    }
    g.markSlotHeader(2, 8, 9);
    EXPECT_EQ(face(g.headerButton(8, 9)), paneColor2);

    g.hideSelectionFrame(2);
    g.restoreSlotHeader(8, 9);
    for (const QLineEdit *strip : g.selectionStrips[1])
        EXPECT_TRUE(strip->isHidden());
    EXPECT_EQ(face(g.headerButton(8, 9)), face(g.rackButton(8)));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
