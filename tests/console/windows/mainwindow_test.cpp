#include "console/windows/mainwindow.h"

#include "console/link/globals.h"
#include "console/link/settingdlg.h"
#include "console/link/settingsfile.h"
#include "console/link/srvmessage.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/blockdlg.h"
#include "console/windows/consolecolours.h"
#include "console/windows/logdialog.h"
#include "console/windows/mymainbutton.h"
#include "console/windows/slotgrid.h"
#include "tools/fakecore/fakenetwork.h"
#include "tools/fakecore/servermessages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

namespace {

// The folder the shared window starts in; its settings name the loopback server.
QTemporaryDir *startFolder = nullptr;
QTcpServer *server = nullptr;

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 30000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void writeSettings(const QString &path, quint16 port) {
    SettingsFile settings;
    settings.ip_srv = {127, 0, 0, 1};
    settings.port_srv_text = QString::number(port);
    settings.settingFileName = path;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(formatSettingsFile(settings));
}

// A module icon for the fake network's PSU modules; the other modules show their names.
void writePsuIcon(const QString &root) {
    const QString folder = root + QStringLiteral("/ICONS_NEW/ICON_TORV/PSU");
    ASSERT_TRUE(QDir().mkpath(folder));
    QImage icon(94, 119, QImage::Format_RGB32);
    icon.fill(QColor(40, 90, 200));
    ASSERT_TRUE(icon.save(folder + QStringLiteral("/PSU.png")));
}

// One window for the whole program, like the console's: it is never destroyed, since its
// destruction ends the process.
class MainWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (window)
            return;
        startFolder = new QTemporaryDir;
        server = new QTcpServer;
        ASSERT_TRUE(startFolder->isValid());
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost));
        QDir::setCurrent(startFolder->path());
        appDir = startFolder->path();
        settingFileName = startFolder->filePath(QStringLiteral("settings.txt"));
        writeSettings(settingFileName, server->serverPort());
        writePsuIcon(appDir);
        window = new MainWindow;
        window->show();
        for (const QByteArray &message : FakeNetwork().snapshot())
            window->messageProcessor().processChunk(message);
    }

    static MyMainButton *slotButton(int rack, int slot) {
        return window->slotGrid().slotButton(rack, slot);
    }
    static QColor face(const QWidget *w) { return w->palette().color(QPalette::Button); }
    static QColor ledColour(int rack, int slot, int alarm) {
        return window->slotGrid().rackRows[rack].alarmLeds[slot + 1][alarm]->palette().color(
            QPalette::Base);
    }

    static MainWindow *window;
};

MainWindow *MainWindowTest::window = nullptr;

TEST_F(MainWindowTest, TheLinkStartsLastAndConnectsToTheStoredServer) {
    EXPECT_TRUE(window->linkThread().isRunning());
    ASSERT_TRUE(waitUntil([] { return server->hasPendingConnections(); }));
    std::unique_ptr<QTcpSocket> link(server->nextPendingConnection());
    ASSERT_TRUE(waitUntil([&] { return link->bytesAvailable() >= 4; }));
    EXPECT_EQ(link->read(4), buildHello());
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
    EXPECT_EQ(logFrom.addMonths(1), logTo);
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
    const auto button = [](const char *text) {
        for (QPushButton *b : window->buttonRow()->findChildren<QPushButton *>())
            if (b->text() == QLatin1String(text))
                return b;
        return static_cast<QPushButton *>(nullptr);
    };
    EXPECT_FALSE(button("STOP")->isEnabled());
    EXPECT_TRUE(button("NETWORK")->isChecked());
    EXPECT_EQ(button("SETTING")->width(), 197);
}

TEST_F(MainWindowTest, EveryRackHasItsRowsOfSlotButtonsWithIndicators) {
    const SlotGrid &grid = window->slotGrid();
    EXPECT_EQ(grid.rackPanelWidth, 1692);
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        SCOPED_TRACE(r);
        const SlotRow &row = grid.rackRows[r];
        const MyMainButton *rackButton = row.buttons[0];
        EXPECT_EQ(rackButton->size(), QSize(22, 123));
        EXPECT_EQ(rackButton->orientation(), Qt::Vertical);
        EXPECT_TRUE(rackButton->mirrored());
        EXPECT_EQ(rackButton->rack, r + 1);
        const HeaderRow &header = grid.rackHeaders[r];
        EXPECT_FALSE(header.buttons[0]->isEnabled());
        for (int s = 1; s < GRID_COLUMNS; ++s) {
            const MyMainButton *button = row.buttons[s];
            EXPECT_EQ(button->size(), QSize(96, 123));
            EXPECT_EQ(button->rack, r + 1);
            EXPECT_EQ(button->slot, s);
            EXPECT_EQ(header.buttons[s]->text(), QString::number(s - 1));
            EXPECT_EQ(row.moduleLabels[s]->parentWidget(), button);
            for (int a = 0; a < ALARMS_PER_SLOT; ++a) {
                EXPECT_EQ(row.alarmLeds[s][a]->parentWidget(), button);
                EXPECT_EQ(row.alarmLeds[s][a]->geometry(), QRect(5, 68 + 9 * a, 10, 7));
                EXPECT_EQ(row.alarmLabels[s][a]->geometry(), QRect(18, 63 + 9 * a, 75, 16));
            }
        }
    }
    for (int p = 0; p < PANES; ++p)
        for (int s = 1; s < GRID_COLUMNS; ++s)
            EXPECT_EQ(grid.paneRows[p].buttons[s]->rack, -(p + 1));
}

TEST_F(MainWindowTest, ReportedRacksShowTheirRowsModulesAndAlarmLamps) {
    const SlotGrid &grid = window->slotGrid();
    const ConsoleTables &t = window->consoleTables();
    ASSERT_EQ(t.rackCount, 3);
    EXPECT_TRUE(grid.gridColumn->isVisible());
    // Header row, slot row and spacing per rack, in the order the racks came.
    ASSERT_EQ(grid.gridColumnLayout->count(), 3 * 3);
    EXPECT_EQ(grid.gridColumnLayout->itemAt(3)->widget(), grid.rackHeaders[1].box);
    EXPECT_EQ(grid.gridColumnLayout->itemAt(4)->widget(), grid.rackRows[1].box);
    EXPECT_FALSE(grid.rackRows[3].box->isVisibleTo(window));

    EXPECT_GE(grid.gridColumn->width(), grid.rackRows[0].box->width());
    EXPECT_EQ(slotButton(0, 0)->iconSize(), QSize(94, 119));
    EXPECT_EQ(grid.rackButton(0)->text(), "127.0.10.1");
    // Rack 127.0.10.1: PSU in slot 0 (an icon), AMP in slot 1 (its name), slot 3 empty.
    EXPECT_FALSE(slotButton(0, 0)->icon().isNull());
    EXPECT_TRUE(grid.rackRows[0].moduleLabels[1]->text().isEmpty());
    EXPECT_TRUE(slotButton(0, 1)->icon().isNull());
    EXPECT_EQ(grid.rackRows[0].moduleLabels[2]->text(), "AMP");
    EXPECT_TRUE(slotButton(0, 1)->isEnabled());
    EXPECT_FALSE(slotButton(0, 3)->isEnabled());
    EXPECT_EQ(face(slotButton(0, 3)), face(grid.rackButton(0)));
    // The PSU's two alarms are shown with their names; their lamps gray until an event.
    EXPECT_TRUE(grid.rackRows[0].alarmLabels[1][0]->isVisibleTo(window));
    EXPECT_EQ(grid.rackRows[0].alarmLabels[1][0]->text(), "Voltage");
    EXPECT_EQ(grid.rackRows[0].alarmLabels[1][1]->text(), "INPUT");
    EXPECT_FALSE(grid.rackRows[0].alarmLabels[1][2]->isVisibleTo(window));
    EXPECT_EQ(ledColour(0, 0, 0), QColor(Qt::gray));
    EXPECT_EQ(face(slotButton(0, 0)), normalColor);

    AlarmEventMsg event;
    event.raised = true;
    event.address = {127, 0, 10, 1};
    event.slot = 0;
    event.reg = 3;
    event.alarmIndex = 0;
    event.moduleId = 0x00A1B2C3;
    window->messageProcessor().processChunk(encodeAlarmEvent(event));
    EXPECT_EQ(ledColour(0, 0, 0), QColor(Qt::red));
    EXPECT_EQ(face(slotButton(0, 0)), alarmColor);
    EXPECT_EQ(slotButton(0, 0)->alarmMark, 1);

    event.raised = false;
    window->messageProcessor().processChunk(encodeAlarmEvent(event));
    EXPECT_EQ(ledColour(0, 0, 0), QColor(Qt::green));
    EXPECT_EQ(face(slotButton(0, 0)), normalColor);
    EXPECT_EQ(slotButton(0, 0)->alarmMark, -1);
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

TEST_F(MainWindowTest, LooksLikeAConsoleWithRacks) {
    window->resize(1280, 800);
    QCoreApplication::processEvents();
    const QImage picture = window->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    // The grid area is dark behind the racks' rows.
    EXPECT_EQ(picture.size(), QSize(1280, 800));
    if (const QByteArray path = qgetenv("NETVIEW_SCREENSHOT"); !path.isEmpty())
        picture.save(QString::fromLocal8Bit(path));
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
