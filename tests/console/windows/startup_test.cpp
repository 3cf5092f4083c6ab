#include "console/link/globals.h"
#include "console/link/settingsfile.h"
#include "console/link/srvmessage.h"
#include "console/windows/mainwindow.h"
#include "tests/console/windows/windowtesting.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

// Runs the built console in a folder of its own and kills it at the end.
class Console {
public:
    explicit Console(const QString &folder) {
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(NETVIEW_PROGRAM), {});
    }
    ~Console() {
        process.kill();
        process.waitForFinished();
    }
    bool started() { return process.waitForStarted(); }

private:
    QProcess process;
};

TEST(Startup, ConsoleConnectsToTheServerInTheSettingsFileOfItsCurrentFolder) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(writeLoopbackSettings(folder.filePath(QStringLiteral("settings.txt")),
                                      server.serverPort()));

    // Started from elsewhere, the console still reads its current folder's settings.
    ASSERT_NE(QDir::currentPath(), folder.path());
    Console console(folder.path());
    ASSERT_TRUE(console.started());

    ASSERT_TRUE(waitUntil([&] { return server.hasPendingConnections(); }));
    std::unique_ptr<QTcpSocket> link(server.nextPendingConnection());
    ASSERT_TRUE(waitUntil([&] { return link->bytesAvailable() >= 4; }));
    EXPECT_EQ(link->read(4), buildHello());
}

TEST(StartupDeathTest, DestroyingTheWindowWritesTheSettingsWithTheTimeAndExitsWithZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The death test's child runs this body again, so the path must not be a random one.
    const QString path = QDir::currentPath() + QStringLiteral("/exit_settings.txt");
    QFile::remove(path);
    const QDateTime before = QDateTime::currentDateTime();

    EXPECT_EXIT(
        {
            settingFileName = path;
            { const MainWindow window; }
        },
        ::testing::ExitedWithCode(0), "");

    QFile file(path);
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
    return RUN_ALL_TESTS();
}
