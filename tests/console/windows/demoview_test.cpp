#include "console/link/globals.h"
#include "console/windows/blockdlg.h"
#include "console/windows/mainwindow.h"
#include "console/windows/mainwindowsetup.h"
#include "console/windows/monitorpanes.h"
#include "console/windows/mymainbutton.h"
#include "console/windows/mytabwidget.h"
#include "console/windows/networktree.h"
#include "console/windows/slotgrid.h"
#include "tests/console/windows/windowtesting.h"
#include "tools/fakecore/fakecore.h"
#include "tools/fakecore/servermessages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>

// The console as the demo shows it: started in a folder with the program's icons and help
// pages, fed by the simulated core, one alarm raised and a slot pressed. The picture of the
// window with its open pane goes to the file that NETVIEW_DEMO_PICTURE names, if it names one.

namespace {

constexpr QSize WINDOW_SIZE(1400, 860);
// Where the operator has put the primary pane, from the window's corner.
constexpr QPoint PANE_OFFSET(800, 150);

void copyFolder(const QString &from, const QString &to) {
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString target = to + file.mid(from.size());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()));
        ASSERT_TRUE(QFile::copy(file, target));
    }
}

bool containsColour(const QImage &image, const QColor &colour) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

TEST(DemoView, TheConsoleShowsTheCoresRacksWithModuleIconsAndThePrimaryPane) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char *assets : {"ICONS_NEW", "HELP"})
        copyFolder(QStringLiteral(NETVIEW_ASSETS "/") + QLatin1String(assets),
                   folder.filePath(QLatin1String(assets)));
    FakeCore::Options options;
    options.tickIntervalMs = 0;
    FakeCore core(options);
    ASSERT_TRUE(core.listen());
    QDir::setCurrent(folder.path());
    appDir = folder.path();
    settingFileName = folder.filePath(QStringLiteral("settings.txt"));
    ASSERT_TRUE(writeLoopbackSettings(settingFileName, core.port()));

    // Never destroyed: its destruction ends the process.
    auto *window = new MainWindow;
    setUpMainWindow(*window, folder.path());
    window->showNormal();
    window->setGeometry(QRect(QPoint(0, 0), WINDOW_SIZE));
    SlotGrid &grid = window->slotGrid();
    // Up to the last message of the core's snapshot, the last rack's alarm settings.
    const FakeRack &lastRack = core.network().racks().back();
    const FakeModule &lastModule = lastRack.modules.back();
    const int racks = int(core.network().racks().size());
    ASSERT_TRUE(waitUntil([&] {
        const ConsoleTables &t = window->consoleTables();
        return t.rackCount == racks &&
               t.alarm_table[racks - 1][lastModule.slot][lastModule.alarms.back().alarmIndex]
                       .alarm_set == 1;
    }));

    AlarmEventMsg event;
    event.raised = true;
    event.address = core.network().racks()[1].address;
    event.slot = 0;
    event.reg = 3;
    event.alarmIndex = 0;
    event.moduleId = 0x00A1B2C3;
    core.sendMessage(encodeAlarmEvent(event));
    ASSERT_TRUE(waitUntil([&] { return grid.slotButton(1, 0)->alarmMark == 1; }));

    // The first rack holds every module type: each pane shows a row for every line of the
    // module's table but the last, which the console drops, and a row for each of its alarms.
    MyTabWidget *pane = window->monitorPanes().paneWindow(1);
    for (const FakeModule &module : core.network().racks().front().modules) {
        const QStringList &lines = module.type->description.controlTable;
        SCOPED_TRACE(module.type->description.name.toStdString());
        grid.slotButton(0, module.slot)->click();
        ASSERT_TRUE(waitUntil([&] { return pane->isVisible(); }));
        const BlockDlg *panel = window->blockDlg(0, module.slot);
        for (int line = 1; line < lines.size(); ++line)
            EXPECT_NE(panel->control(line, 0), nullptr) << lines[line - 1].toStdString();
        EXPECT_EQ(window->monitorPanes().paneAlarmTable(1)->rowCount(), int(module.alarms.size()));
    }

    MyMainButton *amp = grid.slotButton(0, 1);
    amp->click();
    ASSERT_TRUE(waitUntil([&] { return pane->isVisible(); }));
    pane->move(window->pos() + PANE_OFFSET);
    window->treeWidget()->expandItem(window->treeWidget()->topLevelItem(0));
    QCoreApplication::processEvents();

    // Module icons on the slot buttons, and the pane's frame in the PRIMARY colour.
    EXPECT_FALSE(amp->icon().isNull());
    EXPECT_TRUE(containsColour(amp->grab().toImage(), QColor(60, 120, 220)));
    EXPECT_TRUE(pane->tabText(0).startsWith("AMP  :  b10002  :  slot 1"));
    const QImage paneImage = pane->grab().toImage();
    EXPECT_EQ(paneImage.pixelColor(2, paneImage.height() / 2), QColor(220, 0, 240));

    QImage picture = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        painter.drawImage(pane->pos() - window->pos(), paneImage);
    }
    EXPECT_EQ(picture.size(), WINDOW_SIZE);
    if (const QString path = qEnvironmentVariable("NETVIEW_DEMO_PICTURE"); !path.isEmpty()) {
        EXPECT_TRUE(picture.save(path, "PNG", 9));
    }
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // The console's window ends the process rather than being destroyed; so does this program.
    std::fflush(stdout);
    std::_Exit(status);
}
