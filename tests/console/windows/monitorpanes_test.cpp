#include "console/windows/monitorpanes.h"

#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/alarmdspin.h"
#include "console/windows/alarmtable.h"
#include "console/windows/blockdlg.h"
#include "console/windows/helpview.h"
#include "console/windows/mytabwidget.h"
#include "console/windows/panegrid.h"
#include "console/windows/paneplacement.h"
#include "tests/console/windows/windowtesting.h"
#include "tools/fakecore/servermessages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStringList>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWindow>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// The grid as the panes see it: every call recorded as text.
class FakeGrid : public PaneGrid {
public:
    void hideSelectionFrame(int pane) override {
        calls << QStringLiteral("hideSelectionFrame(%1)").arg(pane);
    }
    void restoreSlotHeader(int rack, int slot) override {
        calls << QStringLiteral("restoreSlotHeader(%1,%2)").arg(rack).arg(slot);
    }
    void refreshPaneHeader(int pane, int rack, int slot, int alarmCount) override {
        calls << QStringLiteral("refreshPaneHeader(%1,%2,%3,%4)")
                     .arg(pane)
                     .arg(rack)
                     .arg(slot)
                     .arg(alarmCount);
    }
    void setPaneHeaderAlarm(int pane, bool alarm) override {
        calls << QStringLiteral("setPaneHeaderAlarm(%1,%2)").arg(pane).arg(alarm);
    }
    void setPaneAlarmLed(int pane, int alarm, LedColour colour) override {
        calls << QStringLiteral("setPaneAlarmLed(%1,%2,%3)").arg(pane).arg(alarm).arg(int(colour));
    }

    QStringList calls;
};

// Rack 1 (index 0) of 127.0.0.5 holds module "AMP" (id 0x1A2B) in slot 3 and "MIXER"
// (id 0xC0DE) in slot 4; neither has register values yet. Only AMP has a help page.
class Panes : public testing::Test {
protected:
    Panes() {
        QDir(helpRoot.path()).mkpath(QStringLiteral("HELP"));
        writeHelp("AMP", "<p>amplifier help</p>");
        appDir = helpRoot.path();
        owner.move(40, 30);
        describe(2, "AMP", 0x1A2B, 2);
        describe(3, "MIXER", 0xC0DE, 1);
        takeSent();
    }
    ~Panes() override {
        appDir.clear();
        takeSent();
    }

    void describe(int s, const QString &name, uint32_t id, int alarmCount) {
        tables->rack[0].nRackStructureTable[s] = id;
        BlockDescription &block = tables->block(0, s);
        block.name = name;
        block.ipText = QStringLiteral("127.0.0.5");
        block.ip = {127, 0, 0, 5};
        block.entries.fill(QStringLiteral("not_defined"));
        block.entries[0] = QStringLiteral("%Mode,A,B,C");
        block.entries[1] = QStringLiteral("Gain[0.01](-100,100,0)");
        block.entries[2] = QStringLiteral("$Lastnot_defined");
        SlotAlarms &alarms = tables->alarm_table[0][s];
        alarms[0].alarmCount = alarmCount;
        for (int a = 0; a < alarmCount; ++a) {
            alarms[a].name = QStringLiteral("Level %1").arg(a);
            alarms[a].kind = QStringLiteral("L");
            alarms[a].reg = 1;
        }
    }
    void writeHelp(const QString &name, const QByteArray &page) {
        QFile file(helpRoot.path() + QStringLiteral("/HELP/") + name + QStringLiteral("_H.htm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(page);
    }
    void receiveValues(int s, int16_t gain) {
        BlockDescription &block = tables->block(0, s);
        block.values[1] = gain;
        block.valueCount = 3;
        block.valuesState = 1;
    }
    void select(int pane, int rack, int slot) {
        (pane == 1 ? tables->monitorRack1 : tables->monitorRack2) = rack;
        (pane == 1 ? tables->monitorSlot1 : tables->monitorSlot2) = slot;
    }
    BlockDlg &panel(int rack, int slot) {
        std::unique_ptr<BlockDlg> &made = blockDlgs[rack * SLOTS_PER_RACK + slot];
        if (!made)
            made = std::make_unique<BlockDlg>();
        return *made;
    }
    MyTabWidget &window(int pane) { return *monitor.paneWindow(pane); }
    // Where a pane's first showing will put it: the pair beside the owner (pane 1 by (210, 340),
    // pane 2 by (810, 340)), inside the screen. The owner's frame stands for the pane's, unknown
    // before it shows.
    QPoint firstPlace(int pane) {
        const QSize frame = window(pane).size() + owner.frameGeometry().size() - owner.size();
        return firstPanePositions({QRect(owner.pos() + QPoint(210, 340), frame),
                                   QRect(owner.pos() + QPoint(810, 340), frame)},
                                  owner.screen()->availableGeometry(), {})[pane - 1];
    }
    QStringList tabTextColours(int pane) {
        QStringList colours;
        QTabBar *tabBar = window(pane).tabBar();
        for (int tab = 0; tab < tabBar->count(); ++tab)
            colours << tabBar->tabTextColor(tab).name();
        return colours;
    }

    QTemporaryDir helpRoot;
    QWidget owner;
    std::unique_ptr<ConsoleTables> tables = ConsoleTables::create();
    NullConsoleViews views;
    AlarmTable alarms{*tables, views};
    std::array<std::unique_ptr<BlockDlg>, MAX_BLOCKS> blockDlgs;
    FakeGrid grid;
    MonitorPanes monitor{*tables, alarms,
                         [this](int r, int s) -> BlockDlg & { return panel(r, s); }, grid, &owner};
};

TEST_F(Panes, WindowsAreSeparateFixedTabWindowsWithHiddenFrames) {
    for (int pane = 1; pane <= 2; ++pane) {
        SCOPED_TRACE(pane);
        MyTabWidget &w = window(pane);
        EXPECT_TRUE(w.isWindow());
        EXPECT_EQ(w.parentWidget(), &owner);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.size(), QSize(580, 673));
        EXPECT_EQ(w.minimumSize(), QSize(580, 673));
        EXPECT_EQ(w.windowTitle(), "TORVALE v3");
        EXPECT_EQ(w.paneNumber, pane);
        EXPECT_EQ(w.lastPage, 1);
        ASSERT_EQ(w.count(), 4);
        EXPECT_EQ(w.tabText(0), "");
        EXPECT_EQ(w.tabText(1), "MAIN");
        EXPECT_EQ(w.tabText(2), "ALARMS");
        EXPECT_EQ(w.tabText(3), "HELP");
        const QString style = pane == 1 ? "QLineEdit { background: rgb(220, 0, 240); }"
                                        : "QLineEdit { background: rgb(255, 100, 0); }";
        const std::array<QRect, 4> frame{QRect(0, 0, 580, 6), QRect(574, 0, 6, 673),
                                         QRect(0, 667, 580, 6), QRect(0, 0, 6, 673)};
        for (int side = 0; side < 4; ++side) {
            QLineEdit *strip = monitor.paneBorderStrip(pane, side);
            EXPECT_EQ(strip->parentWidget(), &w);
            EXPECT_EQ(strip->geometry(), frame[side]);
            EXPECT_EQ(strip->styleSheet(), style);
            EXPECT_FALSE(strip->isEnabled());
            EXPECT_TRUE(strip->isHidden());
        }
    }
    EXPECT_EQ(monitor.paneWindow(0), nullptr);
    EXPECT_EQ(monitor.paneWindow(3), nullptr);
}

// The panes' frames at their first showing, from where they are wanted beside the main
// window, on the screens operators have: side by side wherever the area is wide enough,
// overlapping as little as it allows otherwise, inside the area, and clear of SETTING and LOG
// where there is room elsewhere.
TEST(PanePlacement, PanesGoSideBySideInsideTheScreenAndClearOfSettingAndLog) {
    const QSize pane(582, 694);
    // The offsets from the main window's corner, and the two buttons' places in the window.
    const QPoint offsets[2] = {{210, 340}, {810, 340}};
    const auto buttonsOf = [](const QRect &window) {
        const int y = window.bottom() - 45;
        return std::vector<QRect>{QRect(window.left() + window.width() / 4, y, 195, 40),
                                  QRect(window.left() + window.width() * 5 / 8, y, 195, 40)};
    };
    struct Case {
        const char *what;
        QRect available;
        QRect window; // the main window's frame
        std::array<QPoint, 2> placed;
    };
    const std::vector<Case> cases = {
        {"1600x1000, maximised",
         {0, 0, 1600, 1000},
         {0, 0, 1600, 1000},
         {{{210, 260}, {810, 260}}}},
        {"1280x800, maximised: the pair moved left, side by side",
         {0, 0, 1280, 800},
         {0, 0, 1280, 800},
         {{{98, 60}, {698, 60}}}},
        {"1024x768, maximised: at the edges, overlapping 140 pixels",
         {0, 0, 1024, 768},
         {0, 0, 1024, 768},
         {{{0, 28}, {442, 0}}}},
        {"1600x1000, restored at (5, 20): right of LOG, the second pane at the edge",
         {0, 0, 1600, 1000},
         {5, 20, 1080, 698},
         {{{875, 306}, {1018, 306}}}},
        {"an area below a panel, elsewhere on the desktop",
         {1600, 30, 1280, 770},
         {1600, 30, 1280, 770},
         {{{1698, 60}, {2298, 60}}}},
        {"larger than the area: corners in the area",
         {0, 0, 400, 300},
         {0, 0, 400, 300},
         {{{0, 0}, {0, 0}}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::array<QRect, 2> wanted{QRect(c.window.topLeft() + offsets[0], pane),
                                          QRect(c.window.topLeft() + offsets[1], pane)};
        const std::array<QPoint, 2> placed =
            firstPanePositions(wanted, c.available, buttonsOf(c.window));
        EXPECT_EQ(placed, c.placed);
        for (const QPoint &at : placed)
            EXPECT_TRUE(c.available.contains(QRect(at, pane)) ||
                        pane.width() > c.available.width());
    }
}

// Each pane is a dialog-type window transient for the owner, the kind the X11 window manager
// keeps above the main window (it writes WM_TRANSIENT_FOR only for transient types).
TEST_F(Panes, EachPaneIsTransientForItsOwner) {
    owner.show();
    for (int pane = 1; pane <= 2; ++pane) {
        SCOPED_TRACE(pane);
        select(pane, 1, pane + 2);
        monitor.showMonitorPane(pane, 1);
        MyTabWidget &w = window(pane);
        ASSERT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowType(), Qt::Dialog);
        ASSERT_NE(w.windowHandle(), nullptr);
        EXPECT_EQ(w.windowHandle()->transientParent(), owner.windowHandle());
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    }
}

TEST_F(Panes, SlotSelectionOpensThePrimaryPaneOnThatModule) {
    select(1, 1, 3);
    const QPoint placed = firstPlace(1);
    monitor.showMonitorPane1(1);

    MyTabWidget &w = window(1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(window(2).isVisible());
    EXPECT_EQ(w.pos(), placed);
    EXPECT_EQ(w.tabText(0), "AMP  :  1a2b  :  slot 2  :  127.0.0.5");
    EXPECT_EQ(w.currentIndex(), 1);
    EXPECT_EQ(tabTextColours(1), (QStringList{"#00ffff", "#000000", "#00ffff", "#00ffff"}));
    EXPECT_EQ(w.tabBar()->palette().color(QPalette::Window), QColor(220, 0, 240));
    for (int side = 0; side < 4; ++side)
        EXPECT_TRUE(monitor.paneBorderStrip(1, side)->isVisible());

    BlockDlg &amp = panel(0, 2);
    EXPECT_EQ(amp.built, 1);
    EXPECT_EQ(amp.viewAttached, 1);
    EXPECT_EQ(amp.windowTitle(), "AMP");
    EXPECT_EQ(amp.parentWidget(), monitor.panePage(1, MonitorPanes::MainPage));
    EXPECT_EQ(amp.pos(), QPoint(0, 0));
    EXPECT_TRUE(amp.isVisible());
    ASSERT_NE(amp.content, nullptr);
    EXPECT_FALSE(amp.content->isEnabled()) << "no register values yet";

    EXPECT_EQ(monitor.paneAlarmTable(1)->rowCount(), 2);
    EXPECT_EQ(monitor.paneHelpView(1)->toPlainText(), "amplifier help");
    EXPECT_EQ(monitor.paneHelpView(1)->geometry(), QRect(5, 2, 565, 608));
}

TEST_F(Panes, SecondPaneWorksAlikeAndActivatesTheOtherFirst) {
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    select(2, 1, 4);
    const QPoint placed = firstPlace(2);
    monitor.showMonitorPane2(1);

    MyTabWidget &w = window(2);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(window(1).isVisible());
    EXPECT_EQ(w.pos(), placed);
    EXPECT_EQ(w.tabText(0), "MIXER  :  c0de  :  slot 3  :  127.0.0.5");
    EXPECT_EQ(w.tabBar()->palette().color(QPalette::Window), QColor(255, 100, 0));
    EXPECT_EQ(panel(0, 3).parentWidget(), monitor.panePage(2, MonitorPanes::MainPage));
    EXPECT_EQ(panel(0, 2).parentWidget(), monitor.panePage(1, MonitorPanes::MainPage));
    EXPECT_EQ(monitor.paneAlarmTable(2)->rowCount(), 1);
    EXPECT_EQ(monitor.paneHelpView(2)->toPlainText(), "") << "MIXER has no help page";
}

// What a grabbed control shows inside its frame: the share of its pixels in the pending gray,
// and how many are white (the pending text).
struct Look {
    double grayShare = 0;
    int whitePixels = 0;
};

Look lookOf(QWidget &control) {
    const QImage image = control.grab().toImage();
    Look look;
    int all = 0;
    int gray = 0;
    for (int y = 3; y < image.height() - 3; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            const QColor c = image.pixelColor(x, y);
            ++all;
            gray += std::abs(c.red() - c.green()) <= 12 && std::abs(c.green() - c.blue()) <= 12 &&
                    c.red() >= 120 && c.red() <= 200;
            look.whitePixels += c.red() >= 235 && c.green() >= 235 && c.blue() >= 235;
        }
    }
    look.grayShare = all ? double(gray) / all : 0;
    return look;
}

// The pane's style sheet must not hide the pending look (gray with white text) of any control
// kind, and a pressed button stays readable while held and after.
TEST_F(Panes, EveryControlKindShowsItsPendingLookInsideThePane) {
    BlockDescription &block = tables->block(0, 2);
    block.entries.fill(QStringLiteral("not_defined"));
    const QStringList lines = {"%Mode,Auto,Manual,Off", "Gain[0.01](0,100,0)",
                               "Band,Low,Middle,High", "$Power", "|Mute,Muted"};
    for (int e = 0; e < lines.size(); ++e)
        block.entries[e] = lines[e];
    block.values.fill(0);
    block.values[2] = 1234;
    block.valueCount = 6;
    block.valuesState = 1;
    select(1, 1, 3);
    owner.show();
    monitor.showMonitorPane1(1);
    ASSERT_TRUE(showActive(window(1)));
    BlockDlg &amp = panel(0, 2);
    QWidget *list = amp.control(1, 0);
    auto *number = static_cast<QAbstractSpinBox *>(amp.control(2, 0));
    QWidget *group = amp.control(3, 1);
    QWidget *on = amp.control(4, 0);
    QWidget *toggle = amp.control(5, 0);
    ASSERT_TRUE(list && number && group && on && toggle);
    const auto mouse = [](QWidget *w, QEvent::Type type) {
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    };

    struct Case {
        const char *what;
        QWidget *control;
        std::function<void()> act;
        std::function<void()> then; // the look must stay pending after it too
    };
    const std::vector<Case> cases = {
        {"list",
         list,
         [&] {
             list->setFocus(Qt::MouseFocusReason);
             pressKey(*list, Qt::Key_Down);
             QAbstractItemView *items = static_cast<QComboBox *>(list)->view();
             pressKey(*items, Qt::Key_Down);
             pressKey(*items, Qt::Key_Return, QStringLiteral("\r"));
         },
         {}},
        {"number field",
         number,
         [&] {
             number->setFocus(Qt::MouseFocusReason);
             pressKey(*number, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
             typeText(*number, QStringLiteral("7.5"));
             pressKey(*number, Qt::Key_Return, QStringLiteral("\r"));
             list->setFocus(Qt::MouseFocusReason);
         },
         {}},
        {"group button", group, [&] { mouse(group, QEvent::MouseButtonPress); },
         [&] { mouse(group, QEvent::MouseButtonRelease); }},
        {"ON button", on, [&] { clickAt(*on, on->rect().center()); }, {}},
        {"toggle", toggle, [&] { clickAt(*toggle, toggle->rect().center()); }, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_LT(lookOf(*c.control).grayShare, 0.3) << "not pending before the operator acts";
        c.act();
        Look look = lookOf(*c.control);
        EXPECT_GT(look.grayShare, 0.5);
        EXPECT_GT(look.whitePixels, 4) << "white text";
        if (c.then) {
            c.then();
            look = lookOf(*c.control);
            EXPECT_GT(look.grayShare, 0.5);
            EXPECT_GT(look.whitePixels, 4) << "white text";
        }
    }
    // The next values from the server restore every normal look.
    amp.UpdateBlockControls();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_LT(lookOf(*c.control).grayShare, 0.3);
    }
}

// A number field of a shown pane, the block panel's and an alarm limit's alike: Enter, Tab
// and a click on another control send the typed value once; Escape and closing the pane send
// nothing and show the value again; the pane going inactive sends nothing and keeps the typed
// text for the operator to come back to.
TEST_F(Panes, NumberFieldsSendWhatIsCommittedAndNothingOfAnAbandonedEdit) {
    receiveValues(2, 500);
    AlarmEntry &limit = tables->alarm_table[0][2][0];
    limit.lower = 3;
    limit.upper = 900;
    limit.decimals = 2;
    limit.alarm_set = 1;
    limit.snmp = 1;
    owner.show();
    const auto showPane = [&](int page) {
        if (!window(1).isVisible()) {
            select(1, 1, 3);
            monitor.showMonitorPane1(1);
        }
        window(1).setCurrentIndex(page);
        return showActive(window(1));
    };
    ASSERT_TRUE(showPane(MonitorPanes::MainPage));
    BlockDlg &amp = panel(0, 2);
    AlarmTable::Cells &cells = alarms.cells(0, 2, 0);

    struct Field {
        const char *name;
        QAbstractSpinBox *spin;
        QWidget *other; // another control of the same page
        int page;
    };
    const std::vector<Field> fields = {
        {"panel number field", static_cast<QAbstractSpinBox *>(amp.control(2, 0)),
         amp.control(1, 0), MonitorPanes::MainPage},
        {"alarm limit", cells.lower, cells.upper, MonitorPanes::AlarmPage},
    };
    const auto focused = [] { return QApplication::focusWidget(); };
    struct Case {
        const char *what;
        std::function<void(const Field &)> end;
        int writes;
        bool typedTextStays;
    };
    const std::vector<Case> cases = {
        {"Enter", [&](const Field &) { pressKey(*focused(), Qt::Key_Return, "\r"); }, 1, true},
        {"Tab", [&](const Field &) { pressKey(*focused(), Qt::Key_Tab, "\t"); }, 1, true},
        {"a click on another control",
         [&](const Field &f) {
             // The window system focuses what the press lands on before the press arrives.
             f.other->setFocus(Qt::MouseFocusReason);
             clickAt(*f.other, QPoint(10, f.other->height() / 2));
             if (auto *list = qobject_cast<QComboBox *>(f.other))
                 list->hidePopup();
         },
         1, true},
        {"Escape, then Tab",
         [&](const Field &) {
             pressKey(*focused(), Qt::Key_Escape, "\x1b");
             pressKey(*focused(), Qt::Key_Tab, "\t");
         },
         0, false},
        {"the pane closed", [&](const Field &) { window(1).close(); }, 0, false},
        {"the pane inactive", [&](const Field &) { ASSERT_TRUE(showActive(owner)); }, 0, true},
    };
    int typed = 40;
    for (const Field &field : fields) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(field.name) + ": " + c.what);
            ASSERT_TRUE(showPane(field.page));
            field.spin->setFocus(Qt::MouseFocusReason);
            ASSERT_TRUE(field.spin->hasFocus());
            const QString before = field.spin->text();
            const QString digits = QString::number(++typed);
            pressKey(*focused(), Qt::Key_A, "\x01", Qt::ControlModifier);
            typeText(*focused(), digits);
            c.end(field);
            EXPECT_EQ(takeSent().size(), c.writes);
            if (c.typedTextStays) {
                EXPECT_TRUE(field.spin->text().startsWith(digits))
                    << field.spin->text().toStdString();
            } else {
                EXPECT_EQ(field.spin->text(), before);
            }
            if (c.writes == 0 && c.typedTextStays) {
                // Back in the pane, Escape drops the edit.
                ASSERT_TRUE(showPane(field.page));
                pressKey(*focused(), Qt::Key_Escape, "\x1b");
                EXPECT_EQ(field.spin->text(), before);
                EXPECT_TRUE(takeSent().isEmpty());
            }
        }
    }
    EXPECT_DOUBLE_EQ(limit.lower, 49.0);
}

// While the link is down a pane drops the operator's uncommitted edit, takes no action and
// says that its values are not live; it comes back with the first values for its block.
TEST_F(Panes, APaneTellsALostLinkAndTakesNoActionUntilItsValuesReturn) {
    receiveValues(2, 500);
    select(1, 1, 3);
    owner.show();
    monitor.showMonitorPane1(1);
    ASSERT_TRUE(showActive(window(1)));
    const QString title = window(1).tabText(MonitorPanes::TitlePage);
    auto *gain = static_cast<QAbstractSpinBox *>(panel(0, 2).control(2, 0));
    QWidget *list = panel(0, 2).control(1, 0);
    const QString shown = gain->text();
    gain->setFocus(Qt::MouseFocusReason);
    pressKey(*gain, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier);
    typeText(*gain, QStringLiteral("77"));

    monitor.setLinkUp(false);
    const auto live = [&](bool expected) {
        EXPECT_EQ(monitor.isPaneLive(1), expected);
        EXPECT_EQ(monitor.panePage(1, MonitorPanes::MainPage)->isEnabled(), expected);
        EXPECT_EQ(monitor.panePage(1, MonitorPanes::AlarmPage)->isEnabled(), expected);
        EXPECT_TRUE(monitor.panePage(1, MonitorPanes::HelpPage)->isEnabled());
        EXPECT_EQ(window(1).windowTitle(),
                  expected ? "TORVALE v3"
                           : "TORVALE v3  :  NO CONNECTION TO SERVER  :  VALUES NOT LIVE");
        EXPECT_EQ(window(1).tabText(MonitorPanes::TitlePage), title);
    };
    live(false);
    EXPECT_EQ(panel(0, 2).statusField(StatusRef)->palette().color(QPalette::Base),
              QColor(Qt::gray));
    EXPECT_EQ(gain->text(), shown);
    EXPECT_FALSE(gain->isEnabled() && list->isEnabled());
    // The operator's keys and clicks reach no control, and nothing waits to be sent.
    pressKey(*gain, Qt::Key_Up);
    clickAt(*list, QPoint(10, 5));
    EXPECT_TRUE(takeSent().isEmpty());

    monitor.setLinkUp(true);
    live(false);
    monitor.blockValuesArrived(0, 3); // another block
    live(false);
    monitor.blockValuesArrived(0, 2);
    live(true);
    panel(0, 2).UpdateBlockControls();
    EXPECT_NE(panel(0, 2).statusField(StatusRef)->palette().color(QPalette::Base),
              QColor(Qt::gray));
    ASSERT_TRUE(showActive(window(1)));
    gain->setFocus(Qt::MouseFocusReason);
    pressKey(*gain, Qt::Key_Up);
    EXPECT_EQ(takeSent().size(), 1);
}

TEST_F(Panes, ReshowingReusesHelpViewAndAlarmTableAndKeepsTheOperatorsPosition) {
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    HelpView *help = monitor.paneHelpView(1);
    QTableWidget *table = monitor.paneAlarmTable(1);
    window(1).move(300, 200);
    const QPoint moved = window(1).pos();

    writeHelp("AMP", "<p>edited help</p>");
    monitor.showMonitorPane1(1);
    EXPECT_EQ(monitor.paneHelpView(1)->toPlainText(), "edited help");

    select(1, 1, 4);
    monitor.showMonitorPane1(1);
    EXPECT_EQ(window(1).pos(), moved);
    EXPECT_EQ(monitor.paneHelpView(1), help);
    EXPECT_EQ(monitor.paneAlarmTable(1), table);
    EXPECT_EQ(window(1).findChildren<HelpView *>().size(), 1);
    EXPECT_EQ(window(1).findChildren<QTableWidget *>().size(), 1);
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(help->toPlainText(), "");
    // The block page holds the shown panel only.
    QScrollArea *blockPage = monitor.panePage(1, MonitorPanes::MainPage);
    EXPECT_EQ(blockPage->findChildren<BlockDlg *>(QString(), Qt::FindDirectChildrenOnly),
              QList<BlockDlg *>{&panel(0, 3)});
    EXPECT_EQ(panel(0, 2).parentWidget(), nullptr);
}

TEST_F(Panes, BuiltPanelIsRefreshedOnlyWhenValuesArrivedWhileItWasDisabled) {
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    BlockDlg &amp = panel(0, 2);
    ASSERT_FALSE(amp.content->isEnabled());

    receiveValues(2, 40);
    monitor.showMonitorPane1(1);
    EXPECT_TRUE(amp.content->isEnabled());
    EXPECT_EQ(amp.values[1], 40);
    QWidget *const builtContent = amp.content;

    // Enabled already: neither rebuilt nor refreshed.
    receiveValues(2, 55);
    monitor.showMonitorPane1(1);
    EXPECT_EQ(amp.content, builtContent);
    EXPECT_EQ(amp.values[1], 40);
}

TEST_F(Panes, PanelWithValuesIsBuiltEnabled) {
    receiveValues(2, 12);
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    EXPECT_TRUE(panel(0, 2).content->isEnabled());
    EXPECT_EQ(panel(0, 2).values[1], 12);
}

TEST_F(Panes, ClosingAPaneResetsAndClearsOnlyItsSelection) {
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    select(2, 1, 4);
    monitor.showMonitorPane2(1);

    window(1).close();
    EXPECT_FALSE(window(1).isVisible());
    EXPECT_EQ(grid.calls, (QStringList{"restoreSlotHeader(0,2)", "hideSelectionFrame(1)"}));
    EXPECT_EQ(tables->monitorRack1, -1);
    EXPECT_EQ(tables->monitorSlot1, -1);
    EXPECT_EQ(tables->monitorRack2, 1);
    EXPECT_EQ(tables->monitorSlot2, 4);
    EXPECT_TRUE(window(2).isVisible());

    grid.calls.clear();
    monitor.closePane(2);
    EXPECT_FALSE(window(2).isVisible());
    EXPECT_EQ(grid.calls, (QStringList{"restoreSlotHeader(0,3)", "hideSelectionFrame(2)"}));
    EXPECT_EQ(tables->monitorRack2, -1);
    EXPECT_EQ(tables->monitorSlot2, -1);
}

TEST_F(Panes, PaneWithNothingSelectedHasNothingToReset) {
    monitor.closePane(1);
    monitor.closePane(2);
    window(1).close();
    monitor.resetBlockSelection(1, -1, -1);
    monitor.resetBlockSelection(2, 1, -1);
    monitor.resetBlockSelection(3, 1, 1);
    monitor.closePane(0);
    monitor.closePane(3);
    EXPECT_TRUE(grid.calls.isEmpty());
    EXPECT_EQ(tables->monitorRack1, -1);
    EXPECT_EQ(tables->monitorRack2, -1);
}

TEST_F(Panes, ModuleLeavingAShownSlotResetsAndClosesItsPane) {
    select(2, 1, 4);
    monitor.showMonitorPane2(1);
    // What the rack-structure handler does for a shown slot whose module changed.
    monitor.resetBlockSelection(2, tables->monitorRack2, tables->monitorSlot2);
    select(2, -1, -1);
    monitor.closePane(2);

    EXPECT_FALSE(window(2).isVisible());
    EXPECT_EQ(grid.calls, (QStringList{"restoreSlotHeader(0,3)", "hideSelectionFrame(2)"}))
        << "the close finds nothing left to reset";
    EXPECT_EQ(tables->monitorRack2, -1);
    EXPECT_EQ(tables->monitorSlot2, -1);
}

// The rack-structure handler's calls, as the main window passes them on to the panes.
class PaneViews : public NullConsoleViews {
public:
    explicit PaneViews(MonitorPanes &panes)
        : panes(panes) {}
    void resetBlockSelection(int pane, int rack, int slot) override {
        panes.resetBlockSelection(pane, rack, slot);
    }
    void closePane(int pane) override { panes.closePane(pane); }

private:
    MonitorPanes &panes;
};

TEST_F(Panes, ModuleRemovedFromItsShownSlotByTheServerResetsItsPane) {
    PaneViews paneViews(monitor);
    SrvMsgProcessor processor(*tables, paneViews, helpRoot.path());
    const WireAddress rack{127, 0, 0, 5};
    std::array<uint32_t, SLOTS_PER_RACK> ids{};
    ids[2] = 0x1A2B;
    ids[3] = 0xC0DE;
    processor.processChunk(encodeRackStructure(rack, ids));
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    select(2, 1, 4);
    monitor.showMonitorPane2(1);
    ASSERT_TRUE(grid.calls.isEmpty());

    ids[2] = 0;
    processor.processChunk(encodeRackStructure(rack, ids));

    EXPECT_FALSE(window(1).isVisible());
    EXPECT_EQ(grid.calls, (QStringList{"restoreSlotHeader(0,2)", "hideSelectionFrame(1)"}));
    EXPECT_EQ(tables->monitorRack1, -1);
    EXPECT_EQ(tables->monitorSlot1, -1);
    EXPECT_TRUE(window(2).isVisible()) << "the other slot's module stays";
    EXPECT_EQ(tables->monitorSlot2, 4);
}

TEST_F(Panes, MonitoringShowsThePaneOfTheOnlySelection) {
    struct Case {
        const char *name;
        std::array<int, 4> selection; // rack 1, slot 1, rack 2, slot 2
        bool pane1;
        bool pane2;
    };
    const std::vector<Case> cases = {
        {"PRIMARY only", {1, 3, -1, -1}, true, false},
        {"SECONDARY only", {-1, -1, 1, 4}, false, true},
        {"both", {1, 3, 1, 4}, false, false},
        {"none", {-1, -1, -1, -1}, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        window(1).hide();
        window(2).hide();
        tables->monitoringOn = -1;
        select(1, c.selection[0], c.selection[1]);
        select(2, c.selection[2], c.selection[3]);
        monitor.on_CurrentBtn_clicked();
        EXPECT_EQ(window(1).isVisible(), c.pane1);
        EXPECT_EQ(window(2).isVisible(), c.pane2);
        EXPECT_EQ(tables->monitoringOn, 1);
    }
}

TEST_F(Panes, ChoosingTheTitleTabKeepsThePreviousPage) {
    select(1, 1, 3);
    monitor.showMonitorPane1(1);
    MyTabWidget &w = window(1);
    w.setCurrentIndex(MonitorPanes::HelpPage);
    EXPECT_EQ(w.lastPage, 3);
    EXPECT_EQ(monitor.paneHelpView(1)->isVisible(), true);

    w.setCurrentIndex(MonitorPanes::TitlePage);
    EXPECT_EQ(w.currentIndex(), 3);
    EXPECT_EQ(w.lastPage, 3);
    EXPECT_EQ(tabTextColours(1), (QStringList{"#00ffff", "#00ffff", "#00ffff", "#000000"}));

    monitor.showMonitorPane1(1);
    EXPECT_EQ(w.currentIndex(), 1) << "every showing opens MAIN";
    EXPECT_EQ(w.lastPage, 1);
}

TEST_F(Panes, PaneRowsAreAskedOfTheGridWithinRange) {
    monitor.refreshPaneHeader(1, 0, 2, 2);
    monitor.refreshPaneHeader(2, 39, 16, 9);
    monitor.refreshPaneHeader(2, 40, 0, 1);
    monitor.refreshPaneHeader(0, 0, 0, 1);
    monitor.setPaneHeaderAlarm(2, true);
    monitor.setPaneHeaderAlarm(3, true);
    monitor.setPaneAlarmLed(1, 5, LedColour::Red);
    monitor.setPaneAlarmLed(1, 6, LedColour::Red);
    EXPECT_EQ(grid.calls, (QStringList{"refreshPaneHeader(1,0,2,2)", "refreshPaneHeader(2,39,16,6)",
                                       "setPaneHeaderAlarm(2,1)", "setPaneAlarmLed(1,5,1)"}));
}

TEST_F(Panes, SelectionOutOfRangeShowsNoBlock) {
    select(1, 41, 3);
    monitor.showMonitorPane1(41);
    select(1, 1, 18);
    monitor.showMonitorPane1(1);
    EXPECT_EQ(window(1).tabText(0), "");
    EXPECT_EQ(blockDlgs[2], nullptr);
}

TEST_F(Panes, ShownPanelOutlivesThePanes) {
    QWidget otherOwner;
    {
        MonitorPanes shortLived(
            *tables, alarms, [this](int r, int s) -> BlockDlg & { return panel(r, s); }, grid,
            &otherOwner);
        select(1, 1, 3);
        shortLived.showMonitorPane1(1);
        ASSERT_NE(panel(0, 2).parentWidget(), nullptr);
    }
    EXPECT_EQ(panel(0, 2).parentWidget(), nullptr);
    EXPECT_TRUE(otherOwner.findChildren<MyTabWidget *>().isEmpty());
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
