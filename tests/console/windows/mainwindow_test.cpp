#include "console/windows/mainwindow.h"

#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/settingdlg.h"
#include "console/link/settingsfile.h"
#include "console/link/srvmessage.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/blockdlg.h"
#include "console/windows/consolecolours.h"
#include "console/windows/logdialog.h"
#include "console/windows/mainwindowsetup.h"
#include "console/windows/monitorpanes.h"
#include "console/windows/mymainbutton.h"
#include "console/windows/mytabwidget.h"
#include "console/windows/networktree.h"
#include "console/windows/paneplacement.h"
#include "console/windows/slotgrid.h"
#include "tests/console/windows/windowtesting.h"
#include "tools/fakecore/fakecore.h"
#include "tools/fakecore/servermessages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <array>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

namespace {

// The folder the shared window starts in; its settings name the simulated core server.
QTemporaryDir *startFolder = nullptr;
FakeCore *core = nullptr;

void writeImage(const QString &path, QSize size, const QColor &colour) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path));
}

// The block-state icons and a module icon for the fake network's PSU modules; the other
// modules show their names.
void writeIcons(const QString &root) {
    const QString folder = root + QStringLiteral("/ICONS_NEW/");
    writeImage(folder + QStringLiteral("ICON_TORV/PSU/PSU.png"), {94, 119}, QColor(40, 90, 200));
    writeImage(folder + QStringLiteral("red_block.png"), {16, 16}, Qt::red);
    writeImage(folder + QStringLiteral("green_block.png"), {16, 16}, Qt::green);
    writeImage(folder + QStringLiteral("gray_block.png"), {16, 16}, Qt::gray);
}

bool sameIcon(const QIcon &a, const QIcon &b) {
    return a.cacheKey() == b.cacheKey();
}

// One window for the whole program, like the console's: it is never destroyed, since its
// destruction ends the process.
class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (window)
            return;
        startFolder = new QTemporaryDir;
        ASSERT_TRUE(startFolder->isValid());
        // The network changes only when a test says so.
        FakeCore::Options options;
        options.tickIntervalMs = 0;
        core = new FakeCore(options);
        ASSERT_TRUE(core->listen());
        QDir::setCurrent(startFolder->path());
        appDir = startFolder->path();
        settingFileName = startFolder->filePath(QStringLiteral("settings.txt"));
        ASSERT_TRUE(writeLoopbackSettings(settingFileName, core->port()));
        writeIcons(appDir);
        window = new MainWindow;
        setUpMainWindow(*window, QDir::currentPath());
        // The core sends its network in answer to the hello.
        ASSERT_TRUE(waitUntil(snapshotHandled));
    }

    // The last message of the core's snapshot, the last rack's alarm settings, has arrived.
    static bool snapshotHandled() {
        const std::vector<FakeRack> &racks = core->network().racks();
        const FakeModule &module = racks.back().modules.back();
        const ConsoleTables &t = window->consoleTables();
        return t.rackCount == int(racks.size()) &&
               t.alarm_table[racks.size() - 1][module.slot][module.alarms.back().alarmIndex]
                       .alarm_set == 1;
    }

    static MyMainButton *slotButton(int rack, int slot) {
        return window->slotGrid().slotButton(rack, slot);
    }
    static QColor face(const QWidget *w) { return w->palette().color(QPalette::Button); }
    static MonitorPanes &panes() { return window->monitorPanes(); }
    static MyTabWidget *pane(int p) { return panes().paneWindow(p); }
    static QPushButton *mainButton(const char *text) {
        for (QPushButton *b : window->buttonRow()->findChildren<QPushButton *>())
            if (b->text() == QLatin1String(text))
                return b;
        return nullptr;
    }
    static QColor ledColour(int rack, int slot, int alarm) {
        SlotGrid &grid = window->slotGrid();
        return grid.alarmLed(grid.rackRow(rack), slot + 1, alarm)->palette().color(QPalette::Base);
    }

    static MainWindow *window;
};

MainWindow *MainWindowTest::window = nullptr;

TEST_F(MainWindowTest, TheLinkStartsLastAndConnectsToTheStoredServer) {
    EXPECT_TRUE(window->linkThread().isRunning());
    // The first connect went to the port of the settings file, and the hello came first.
    ASSERT_TRUE(core->isConsoleConnected());
    ASSERT_FALSE(core->receivedMessages().isEmpty());
    EXPECT_EQ(core->receivedMessages().front(), buildHello());
}

TEST_F(MainWindowTest, OpensMaximisedAsTheConsoleWithItsIcons) {
    EXPECT_EQ(window->windowTitle(), "TORVALE v3");
    EXPECT_EQ(window->minimumSize(), QSize(1080, 698));
    EXPECT_TRUE(window->isMaximized());
    // Restored, it takes its start geometry.
    EXPECT_EQ(window->normalGeometry(), QRect(5, 20, 1080, 698));
    EXPECT_TRUE(window->isVisible());
    for (const QIcon *icon : {&redBlockIcon, &greenBlockIcon, &grayBlockIcon})
        EXPECT_FALSE(icon->isNull());
    // No window icon file in the start folder: the icon stays empty.
    EXPECT_TRUE(window->windowIcon().isNull());
}

TEST_F(MainWindowTest, TheTreeSitsLeftOfTheGridAndTheMonitorColumnIsKeptAside) {
    auto *splitter = window->findChild<QSplitter *>();
    ASSERT_NE(splitter, nullptr);
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_TRUE(splitter->widget(0)->isAncestorOf(window->treeWidget()));
    EXPECT_TRUE(splitter->widget(1)->isAncestorOf(window->gridArea()));
    EXPECT_TRUE(window->treeWidget()->isHeaderHidden());
    EXPECT_EQ(window->treeWidget()->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_EQ(window->gridArea()->widget(), window->slotGrid().gridColumn);
    EXPECT_EQ(window->monitorArea()->widget(), window->slotGrid().monitorColumn);
    EXPECT_EQ(window->monitorArea()->parentWidget(), nullptr);
    EXPECT_FALSE(window->monitorArea()->isVisible());
    // The button row is the bottom band across the whole window.
    EXPECT_EQ(window->buttonRow()->geometry().bottom(), window->rect().bottom());
    EXPECT_EQ(window->buttonRow()->width(), window->width());
}

TEST_F(MainWindowTest, EachPaneIsASeparateTabWindowOfTheConsole) {
    for (int p = 1; p <= 2; ++p) {
        SCOPED_TRACE(p);
        MyTabWidget *w = pane(p);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isWindow());
        EXPECT_EQ(w->parentWidget(), window);
        EXPECT_EQ(w->paneNumber, p);
        EXPECT_EQ(w->size(), QSize(580, 673));
        EXPECT_EQ(w->windowTitle(), "TORVALE v3");
        ASSERT_EQ(w->count(), 4);
        EXPECT_EQ(w->tabText(1), "MAIN");
        EXPECT_EQ(w->tabText(2), "ALARMS");
        EXPECT_EQ(w->tabText(3), "HELP");
    }
    // The frames of the selected slot buttons fit a 96 x 123 button.
    const std::array<QRect, 4> frame{QRect(0, 0, 96, 6), QRect(90, 0, 6, 123), QRect(0, 119, 96, 6),
                                     QRect(0, 0, 6, 123)};
    for (int p = 0; p < PANES; ++p)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(window->slotGrid().selectionStrips[p][i]->geometry(), frame[i]);
}

TEST_F(MainWindowTest, BuildsOnePanelPerSlotAndTheDialogsWithTheirOwners) {
    QSet<BlockDlg *> panels;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r)
        for (int s = 0; s < SLOTS_PER_RACK; ++s)
            panels.insert(window->blockDlg(r, s));
    EXPECT_EQ(panels.size(), MAX_BLOCKS);
    for (BlockDlg *panel : panels) {
        EXPECT_EQ(panel->parentWidget(), nullptr);
        EXPECT_EQ(panel->built, -1);
    }
    EXPECT_EQ(window->logDialog()->parentWidget(), nullptr);
    EXPECT_EQ(window->settingDialog()->parentWidget(), window);
    EXPECT_EQ(logTo.secsTo(QDateTime::currentDateTime()) / 60, 0);
    // Compared this way round, so that a day the earlier month lacks (31 March) still matches.
    EXPECT_EQ(logFrom, logTo.addMonths(-1));
}

TEST_F(MainWindowTest, OnlySettingAndLogAreOffered) {
    QStringList shown;
    QStringList all;
    for (const QPushButton *button : window->buttonRow()->findChildren<QPushButton *>()) {
        all << button->text();
        if (button->isVisibleTo(window))
            shown << button->text();
    }
    EXPECT_EQ(shown, (QStringList{"SETTING", "LOG"}));
    EXPECT_EQ(all, (QStringList{"START", "STOP", "SETTING", "UTILITYS", "LOG", "NETWORK",
                                "MONITORING", "HELP"}));
    EXPECT_FALSE(mainButton("STOP")->isEnabled());
    EXPECT_FALSE(mainButton("MONITORING")->isEnabled());
    EXPECT_TRUE(mainButton("NETWORK")->isChecked());
    EXPECT_EQ(mainButton("SETTING")->width(), 197);
}

TEST_F(MainWindowTest, EveryRackHasItsRowsOfSlotButtonsWithIndicators) {
    SlotGrid &grid = window->slotGrid();
    EXPECT_EQ(grid.rackPanelWidth, 1692);
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        SCOPED_TRACE(r);
        SlotRow &row = grid.rackRow(r);
        const MyMainButton *rackButton = row.buttons[0];
        EXPECT_EQ(rackButton->size(), QSize(22, 123));
        EXPECT_EQ(rackButton->orientation(), Qt::Vertical);
        EXPECT_TRUE(rackButton->mirrored());
        EXPECT_EQ(rackButton->rack, r + 1);
        const HeaderRow &header = grid.rackHeader(r);
        EXPECT_FALSE(header.buttons[0]->isEnabled());
        for (int s = 1; s < GRID_COLUMNS; ++s) {
            const MyMainButton *button = row.buttons[s];
            EXPECT_EQ(button->size(), QSize(96, 123));
            EXPECT_EQ(button->rack, r + 1);
            EXPECT_EQ(button->slot, s);
            EXPECT_EQ(header.buttons[s]->text(), QString::number(s - 1));
            EXPECT_EQ(grid.moduleLabel(row, s)->parentWidget(), button);
            for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
                EXPECT_EQ(grid.alarmLed(row, s, a)->parentWidget(), button);
                EXPECT_EQ(grid.alarmLed(row, s, a)->geometry(), QRect(5, 68 + 9 * a, 10, 7));
                EXPECT_EQ(grid.alarmLabel(row, s, a)->geometry(), QRect(18, 63 + 9 * a, 75, 16));
            }
        }
    }
    for (int p = 0; p < PANES; ++p)
        for (int s = 1; s < GRID_COLUMNS; ++s)
            EXPECT_EQ(grid.paneRows[p].buttons[s]->rack, -(p + 1));
}

TEST_F(MainWindowTest, ReportedRacksShowTheirRowsModulesAndAlarmLamps) {
    SlotGrid &grid = window->slotGrid();
    const ConsoleTables &t = window->consoleTables();
    ASSERT_EQ(t.rackCount, 3);
    EXPECT_TRUE(grid.gridColumn->isVisible());
    // Header row, slot row and spacing per rack, in the order the racks came.
    ASSERT_EQ(grid.gridColumnLayout->count(), 3 * 3);
    EXPECT_EQ(grid.gridColumnLayout->itemAt(3)->widget(), grid.rackHeader(1).box);
    EXPECT_EQ(grid.gridColumnLayout->itemAt(4)->widget(), grid.rackRow(1).box);
    EXPECT_FALSE(grid.rackRow(3).box->isVisibleTo(window));

    EXPECT_GE(grid.gridColumn->width(), grid.rackRow(0).box->width());
    EXPECT_EQ(slotButton(0, 0)->iconSize(), QSize(94, 119));
    EXPECT_EQ(grid.rackButton(0)->text(), "127.0.10.1");
    // Rack 127.0.10.1: PSU in slot 0 (an icon), AMP in slot 1 (its name), slot 3 empty.
    EXPECT_FALSE(slotButton(0, 0)->icon().isNull());
    EXPECT_TRUE(grid.moduleLabel(grid.rackRow(0), 1)->text().isEmpty());
    EXPECT_TRUE(slotButton(0, 1)->icon().isNull());
    EXPECT_EQ(grid.moduleLabel(grid.rackRow(0), 2)->text(), "AMP");
    EXPECT_TRUE(slotButton(0, 1)->isEnabled());
    EXPECT_FALSE(slotButton(0, 3)->isEnabled());
    EXPECT_EQ(face(slotButton(0, 3)), face(grid.rackButton(0)));
    // The PSU's two alarms are shown with their names; their lamps gray until an event.
    EXPECT_TRUE(grid.alarmLabel(grid.rackRow(0), 1, 0)->isVisibleTo(window));
    EXPECT_EQ(grid.alarmLabel(grid.rackRow(0), 1, 0)->text(), "Voltage");
    EXPECT_EQ(grid.alarmLabel(grid.rackRow(0), 1, 1)->text(), "INPUT");
    EXPECT_FALSE(grid.alarmLabel(grid.rackRow(0), 1, 2)->isVisibleTo(window));
    EXPECT_EQ(ledColour(0, 0, 0), QColor(Qt::gray));
    EXPECT_EQ(face(slotButton(0, 0)), normalColor);

    AlarmEventMsg event;
    event.raised = true;
    event.address = {127, 0, 10, 1};
    event.slot = 0;
    event.reg = 3;
    event.alarmIndex = 0;
    event.moduleId = 0x00A1B2C3;
    QTreeWidgetItem *rackItem = window->treeWidget()->rackItem(0);
    ASSERT_NE(rackItem, nullptr);
    window->messageProcessor().processChunk(encodeAlarmEvent(event));
    EXPECT_EQ(ledColour(0, 0, 0), QColor(Qt::red));
    EXPECT_EQ(face(slotButton(0, 0)), alarmColor);
    EXPECT_EQ(slotButton(0, 0)->alarmMark, 1);
    EXPECT_TRUE(sameIcon(rackItem->icon(0), redBlockIcon));
    EXPECT_TRUE(sameIcon(rackItem->child(0)->icon(0), redBlockIcon));
    EXPECT_TRUE(sameIcon(rackItem->child(1)->icon(0), greenBlockIcon));

    event.raised = false;
    window->messageProcessor().processChunk(encodeAlarmEvent(event));
    EXPECT_EQ(ledColour(0, 0, 0), QColor(Qt::green));
    EXPECT_EQ(face(slotButton(0, 0)), normalColor);
    EXPECT_EQ(slotButton(0, 0)->alarmMark, -1);
    EXPECT_TRUE(sameIcon(rackItem->icon(0), greenBlockIcon));
    EXPECT_TRUE(sameIcon(rackItem->child(0)->icon(0), greenBlockIcon));
}

TEST_F(MainWindowTest, TheTreeListsTheReportedRacksWithTheirSlots) {
    const NetworkTree *tree = window->treeWidget();
    const std::vector<FakeRack> &racks = core->network().racks();
    ASSERT_EQ(tree->topLevelItemCount(), int(racks.size()));
    EXPECT_TRUE(tree->isVisibleTo(window));
    for (int r = 0; r < int(racks.size()); ++r) {
        SCOPED_TRACE(r);
        const QTreeWidgetItem *item = tree->topLevelItem(r);
        const QString ip = window->consoleTables().rack[r].ipText;
        EXPECT_EQ(item->text(0), racks[r].name + " : " + ip);
        EXPECT_EQ(item->childCount(), SLOTS_PER_RACK);
        // The rack button shows the address and knows the rack's row in the tree.
        EXPECT_EQ(window->slotGrid().rackButton(r)->text(), ip);
        EXPECT_EQ(window->slotGrid().rackButton(r)->treeItemRow, r + 1);
        EXPECT_TRUE(sameIcon(item->icon(0), greenBlockIcon));
    }
    const QTreeWidgetItem *first = tree->topLevelItem(0);
    EXPECT_EQ(first->child(0)->text(0), "00 : a1b2c3 : PSU : Power supply unit");
    EXPECT_EQ(first->child(3)->text(0), "03 : empty");
    EXPECT_TRUE(sameIcon(first->child(3)->icon(0), grayBlockIcon));
}

TEST_F(MainWindowTest, ASlotPressOpensThePrimaryPaneOnItsBlock) {
    // Rack 127.0.10.2 holds a SWITCH in slot 2.
    slotButton(1, 2)->click();
    MyTabWidget *w = pane(1);
    ASSERT_TRUE(waitUntil([&] { return w->isVisible(); }));
    EXPECT_EQ(w->tabText(0), "SWITCH  :  d30004  :  slot 2  :  127.0.10.2");
    EXPECT_EQ(w->currentIndex(), int(MonitorPanes::MainPage));
    BlockDlg *panel = window->blockDlg(1, 2);
    EXPECT_EQ(panel->parentWidget(), panes().panePage(1, MonitorPanes::MainPage));
    EXPECT_EQ(panel->built, 1);
    EXPECT_TRUE(panel->isVisibleTo(w));
    EXPECT_EQ(panes().paneAlarmTable(1)->rowCount(), 1);
    EXPECT_TRUE(mainButton("MONITORING")->isEnabled());
    // The first showing places the pane below and right of the console's corner, moved inside
    // the screen and clear of the main buttons where the screen leaves room.
    std::vector<QRect> buttons;
    for (const char *name : {"SETTING", "LOG"}) {
        const QPushButton *button = mainButton(name);
        buttons.emplace_back(button->mapToGlobal(QPoint(0, 0)), button->size());
    }
    const QSize frame = w->size() + window->frameGeometry().size() - window->size();
    EXPECT_EQ(w->pos(), firstPanePositions({QRect(window->pos() + QPoint(210, 340), frame),
                                            QRect(window->pos() + QPoint(810, 340), frame)},
                                           window->screen()->availableGeometry(), buttons)[0]);
}

TEST_F(MainWindowTest, TheSlotMenuAndTheTreeChooseThePaneForASlot) {
    NetworkTree *tree = window->treeWidget();
    const auto menu = tree->chooseMonitorPane;
    tree->chooseMonitorPane = [](const QPoint &) { return 2; };
    ConsoleTables &t = window->consoleTables();

    // The SECONDARY choice on the AMP in rack 127.0.10.1's slot 1.
    emit slotButton(0, 1)->customContextMenuRequested(QPoint(10, 10));
    EXPECT_EQ(t.monitorRack2, 1);
    EXPECT_EQ(t.monitorSlot2, 2);
    EXPECT_TRUE(window->slotGrid().frameSitsOn(2, slotButton(0, 1)));
    EXPECT_EQ(face(window->slotGrid().headerButton(0, 1)), paneColor2);
    EXPECT_TRUE(pane(2)->isVisible());
    EXPECT_EQ(window->blockDlg(0, 1)->parentWidget(), panes().panePage(2, MonitorPanes::MainPage));

    // A double click on the tree's slot 3 of rack 127.0.10.3 (an AMP) opens it in pane 1.
    QTreeWidgetItem *slotItem = tree->rackItem(2)->child(3);
    tree->setCurrentItem(slotItem);
    tree->on_TreeItem_DoubleClicked(tree->indexFromItem(slotItem));
    EXPECT_EQ(t.monitorRack1, 3);
    EXPECT_EQ(t.monitorSlot1, 4);
    EXPECT_TRUE(pane(1)->isVisible());
    EXPECT_EQ(t.monitorRack2, 1); // the SECONDARY selection stays
    tree->chooseMonitorPane = menu;
}

TEST_F(MainWindowTest, AModuleChangeInAShownSlotClosesItsPane) {
    ConsoleTables &t = window->consoleTables();
    slotButton(2, 5)->click(); // the TUNER of rack 127.0.10.3
    ASSERT_TRUE(pane(1)->isVisible());
    const FakeRack &rack = core->network().racks()[2];
    std::array<uint32_t, MAX_RACK_SLOTS> ids = rack.slotIds();
    ids[5] = 0;
    window->messageProcessor().processChunk(encodeRackStructure(rack.address, ids));
    EXPECT_FALSE(pane(1)->isVisible());
    EXPECT_EQ(t.monitorRack1, -1);
    EXPECT_EQ(t.monitorSlot1, -1);
    EXPECT_FALSE(window->slotGrid().selectionStrips[0][0]->isVisibleTo(window));
    EXPECT_EQ(face(window->slotGrid().headerButton(2, 5)), face(window->slotGrid().rackButton(2)));
    EXPECT_FALSE(slotButton(2, 5)->isEnabled());

    // The module is back.
    window->messageProcessor().processChunk(encodeRackStructure(rack.address, rack.slotIds()));
    EXPECT_TRUE(slotButton(2, 5)->isEnabled());
}

TEST_F(MainWindowTest, PressingASlotButtonMakesItThePrimarySelection) {
    SlotGrid &grid = window->slotGrid();
    ConsoleTables &t = window->consoleTables();
    // The SECONDARY selection sits on rack 1's slot 2.
    t.monitorRack2 = 1;
    t.monitorSlot2 = 3;
    grid.placeSelectionFrame(2, 0, 2);

    slotButton(0, 1)->click();
    EXPECT_EQ(t.monitorRack1, 1);
    EXPECT_EQ(t.monitorSlot1, 2);
    EXPECT_TRUE(grid.frameSitsOn(1, slotButton(0, 1)));
    EXPECT_EQ(face(grid.headerButton(0, 1)), paneColor1);
    EXPECT_EQ(t.monitorRack2, 1); // a press elsewhere keeps the SECONDARY selection

    slotButton(0, 2)->click();
    EXPECT_EQ(face(grid.headerButton(0, 1)), face(grid.rackButton(0)));
    EXPECT_TRUE(grid.frameSitsOn(1, slotButton(0, 2)));
    EXPECT_FALSE(grid.selectionStrips[1][0]->isVisibleTo(window));
    EXPECT_EQ(t.monitorRack2, -1);
    EXPECT_EQ(t.monitorSlot2, -1);
    for (const QLineEdit *strip : grid.selectionStrips[0])
        EXPECT_TRUE(strip->isVisibleTo(window));

    slotButton(0, 2)->click();
    EXPECT_TRUE(grid.frameSitsOn(1, slotButton(0, 2)));
    int framesShown = 0;
    for (const QLineEdit *strip : slotButton(0, 2)->findChildren<QLineEdit *>())
        framesShown += strip->isVisibleTo(window) && strip->width() != 10;
    EXPECT_EQ(framesShown, 4);
}

TEST_F(MainWindowTest, SettingOpensTheSettingsAndItsCloseOffersStartAgain) {
    QPushButton *setting = nullptr;
    QPushButton *start = nullptr;
    QPushButton *stop = nullptr;
    for (QPushButton *b : window->buttonRow()->findChildren<QPushButton *>()) {
        if (b->text() == "SETTING")
            setting = b;
        if (b->text() == "START")
            start = b;
        if (b->text() == "STOP")
            stop = b;
    }
    setting->click();
    EXPECT_TRUE(window->settingDialog()->isVisible());
    EXPECT_EQ(window->settingDialog()->windowTitle(), "Settings");
    EXPECT_FALSE(start->isEnabled());
    window->settingDialog()->reject();
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
}

// The link's announcements reach the panes: a lost link leaves a shown pane disabled and not
// live, and it stays so after the link is back until the first values for its block arrive.
TEST_F(MainWindowTest, ALostLinkLeavesThePanesNotLiveUntilTheirValuesReturn) {
    slotButton(0, 1)->click();
    ASSERT_TRUE(waitUntil([] { return pane(1)->isVisible(); }));
    ASSERT_TRUE(panes().isPaneLive(1));
    srv_link_shown = 1;
    emit window->linkThread().sig_InfoMsgExec(); // as the link thread announces it
    EXPECT_FALSE(panes().isPaneLive(1));
    EXPECT_FALSE(panes().panePage(1, MonitorPanes::MainPage)->isEnabled());
    EXPECT_FALSE(panes().panePage(1, MonitorPanes::AlarmPage)->isEnabled());
    // The server answers its pulses: the link thread shows the link up again.
    ASSERT_TRUE(waitUntil([] { return srv_link_shown.load() == -1; }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(panes().isPaneLive(1)) << "no values since";
    core->tick();
    ASSERT_TRUE(waitUntil([] { return panes().isPaneLive(1); }));
    EXPECT_TRUE(panes().panePage(1, MonitorPanes::MainPage)->isEnabled());
    pane(1)->close();
}

// The settings dialog opens where it opened first, however it was closed last: a click on Set
// or Cancel, Escape or Enter (its window is made anew at each opening, which the window system
// placed at the screen's corner).
TEST_F(MainWindowTest, TheSettingsDialogOpensWhereItOpenedFirst) {
    SettingDlg *dialog = window->settingDialog();
    mainButton("SETTING")->click();
    ASSERT_TRUE(showActive(*dialog));
    const QPoint first = dialog->pos();
    const auto button = [&](const char *name) {
        return dialog->findChild<QPushButton *>(QString::fromLatin1(name));
    };
    const std::vector<std::pair<const char *, std::function<void()>>> closings = {
        {"a click on Cancel",
         [&] { clickAt(*button("CanselBtn"), button("CanselBtn")->rect().center()); }},
        {"a click on Set", [&] { clickAt(*button("SetBtn"), button("SetBtn")->rect().center()); }},
        {"Escape", [&] { pressKey(*QApplication::focusWidget(), Qt::Key_Escape, "\x1b"); }},
        {"Enter", [&] { pressKey(*QApplication::focusWidget(), Qt::Key_Return, "\r"); }},
    };
    for (const auto &[what, close] : closings) {
        SCOPED_TRACE(what);
        close();
        ASSERT_TRUE(waitUntil([&] { return !dialog->isVisible(); }, 5000));
        dialog->move(0, 0);
        mainButton("SETTING")->click();
        ASSERT_TRUE(showActive(*dialog));
        EXPECT_EQ(dialog->pos(), first);
    }
    dialog->reject();
}

// The settings file still holds the log filter of the last start; opening SETTING reads the
// file again for the server but keeps the filter the operator set since, which the exit writes.
TEST_F(MainWindowTest, OpeningSettingKeepsTheOperatorsLogFilter) {
    const std::vector<std::pair<QString *, QString>> filter = {
        {&logFilterOnOff, "1"},
        {&logSelectFilter, "0001"},
        {&logDateTime, "01/12/2026 00:00:00;10/12/2026 00:00:00;"},
        {&logEventType, "1000"},
        {&logIPs, "127.0.10.1,1;127.0.10.2,0;127.0.10.3,0;"},
        {&logSlots, "10000000000000000"},
    };
    for (const auto &[setting, value] : filter)
        *setting = value;
    mainButton("SETTING")->click();
    ASSERT_TRUE(window->settingDialog()->isVisible());
    for (const auto &[setting, value] : filter) {
        EXPECT_EQ(*setting, value);
        setting->clear();
    }
    EXPECT_EQ(port_srv, core->port()) << "the server is read from the file";
    window->settingDialog()->reject();
}

TEST_F(MainWindowTest, ClosingTheWindowClosesTheLogDialogAndBothPanes) {
    NetworkTree *tree = window->treeWidget();
    const auto menu = tree->chooseMonitorPane;
    tree->chooseMonitorPane = [](const QPoint &) { return 2; };
    slotButton(0, 0)->click();
    emit slotButton(0, 2)->customContextMenuRequested(QPoint(10, 10));
    tree->chooseMonitorPane = menu;
    window->on_LogBtn_clicked();
    ASSERT_TRUE(pane(1)->isVisible());
    ASSERT_TRUE(pane(2)->isVisible());
    ASSERT_TRUE(window->logDialog()->isVisible());

    // Only the window's close handler runs; the window itself stays for the other tests.
    QCloseEvent close;
    QCoreApplication::sendEvent(window, &close);
    EXPECT_TRUE(close.isAccepted());
    EXPECT_FALSE(pane(1)->isVisible());
    EXPECT_FALSE(pane(2)->isVisible());
    EXPECT_FALSE(window->logDialog()->isVisible());
    const ConsoleTables &t = window->consoleTables();
    EXPECT_EQ(t.monitorRack1, -1);
    EXPECT_EQ(t.monitorRack2, -1);
}

// Last of the window's tests: STOP empties the view.
TEST_F(MainWindowTest, StartAndStopChangeOnlyWhatTheWindowShows) {
    QPushButton *start = mainButton("START");
    QPushButton *stop = mainButton("STOP");
    start->setEnabled(true);
    start->click();
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_TRUE(mainButton("NETWORK")->isChecked());
    EXPECT_TRUE(window->gridArea()->isVisible());
    EXPECT_FALSE(window->monitorArea()->isVisible());
    EXPECT_EQ(window->gridArea()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

    stop->click();
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_TRUE(start->isEnabled());
    EXPECT_FALSE(window->slotGrid().gridColumn->isVisible());
    EXPECT_EQ(window->treeWidget()->topLevelItemCount(), 0);
    // The link goes on.
    EXPECT_TRUE(window->linkThread().isRunning());
    EXPECT_TRUE(core->isConsoleConnected());
}

TEST(MainWindowDeathTest, ClosingTheWindowWritesTheSettingsWithTheCloseTimeAndExitsWithZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child runs this test again from its start; it inherits the parent's folder through
    // the environment.
    const char *const folderVariable = "MAINWINDOW_TEST_CLOSE_FOLDER";
    std::optional<QTemporaryDir> ownFolder;
    if (qEnvironmentVariableIsEmpty(folderVariable)) {
        ownFolder.emplace();
        ASSERT_TRUE(ownFolder->isValid());
        qputenv(folderVariable, ownFolder->path().toLocal8Bit());
    }
    const QString path = qEnvironmentVariable(folderVariable);
    const QDateTime before = QDateTime::currentDateTime();

    EXPECT_EXIT(
        {
            QDir::setCurrent(path);
            appDir = path;
            settingFileName = path + QStringLiteral("/settings.txt");
            auto *window = new MainWindow;
            window->show();
            QTimer::singleShot(0, window, &QWidget::close);
            QApplication::exec();
            delete window;
        },
        ::testing::ExitedWithCode(0), "");

    qunsetenv(folderVariable);
    QFile file(path + QStringLiteral("/settings.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    SettingsFile written;
    parseSettingsFile(file.readAll(), written);
    ASSERT_TRUE(written.lastTime.isValid());
    EXPECT_GE(written.lastTime, before.addSecs(-1));
    EXPECT_LE(written.lastTime, QDateTime::currentDateTime().addSecs(1));
}

// A console of its own, started in `folder` (no settings there: no server, no racks) and set up
// as the program does it.
MainWindow *startConsoleIn(const QString &folder) {
    QDir::setCurrent(folder);
    appDir = folder;
    settingFileName = folder + QStringLiteral("/settings.txt");
    auto *window = new MainWindow;
    setUpMainWindow(*window, folder);
    QCoreApplication::processEvents();
    return window;
}

TEST(MainWindowDeathTest, BeforeAnyRackIsReportedTheGridAreaHoldsNoRackPanel) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QTemporaryDir folder;
            MainWindow *window = startConsoleIn(folder.path());
            const bool emptyArea =
                window->gridArea()->isVisible() && !window->slotGrid().gridColumn->isVisible();
            folder.remove();
            std::_Exit(emptyArea ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(MainWindowDeathTest, StartIconsAreFoundWhateverTheCaseOfTheirFileNames) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QTemporaryDir folder;
            const QString icons = folder.path() + QStringLiteral("/ICONS_NEW/");
            writeImage(icons + QStringLiteral("TORVALE30_4.PNG"), {16, 16}, Qt::yellow);
            writeImage(icons + QStringLiteral("Red_Block.png"), {16, 16}, Qt::blue);
            // The exact name wins over one that differs only in case.
            writeImage(icons + QStringLiteral("red_block.png"), {16, 16}, Qt::red);
            writeImage(icons + QStringLiteral("GREEN_BLOCK.png"), {16, 16}, Qt::green);
            writeImage(icons + QStringLiteral("gray_block.PNG"), {16, 16}, Qt::gray);
            const MainWindow *window = startConsoleIn(folder.path());
            const auto colour = [](const QIcon &icon) {
                return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
            };
            int missing = 0;
            missing |= colour(window->windowIcon()) == QColor(Qt::yellow) ? 0 : 1;
            missing |= colour(redBlockIcon) == QColor(Qt::red) ? 0 : 2;
            missing |= colour(greenBlockIcon) == QColor(Qt::green) ? 0 : 4;
            missing |= colour(grayBlockIcon) == QColor(Qt::gray) ? 0 : 8;
            folder.remove();
            std::_Exit(missing);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (startFolder)
        startFolder->remove();
    // The console's window ends the process rather than being destroyed; so does this program.
    std::fflush(stdout);
    std::_Exit(status);
}
