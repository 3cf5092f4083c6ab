#include "console/link/settingsfile.h"
#include "console/link/srvmessage.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
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

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 60000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

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
    SettingsFile settings;
    settings.ip_srv = {127, 0, 0, 1};
    settings.port_srv_text = QString::number(server.serverPort());
    settings.settingFileName = folder.filePath(QStringLiteral("settings.txt"));
    QFile file(folder.filePath(QStringLiteral("settings.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(formatSettingsFile(settings));
    file.close();

    // Started from elsewhere, the console still reads its current folder's settings.
    ASSERT_NE(QDir::currentPath(), folder.path());
    Console console(folder.path());
    ASSERT_TRUE(console.started());

    ASSERT_TRUE(waitUntil([&] { return server.hasPendingConnections(); }));
    std::unique_ptr<QTcpSocket> link(server.nextPendingConnection());
    ASSERT_TRUE(waitUntil([&] { return link->bytesAvailable() >= 4; }));
    EXPECT_EQ(link->read(4), buildHello());
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
