// Start-up of the console: the time from starting the process to the first hello that reaches
// a simulated core server on 127.0.0.1, and the process's CPU time (all its threads) and
// resident memory (VmRSS) at that moment; beside it, a bare Qt program that shows one empty window
// and then says hello the same way. Both children are this program started again, offscreen, in a
// folder whose settings file names the server. The console child also reports where its start-up
// went: time and resident memory after the application object, the main window's construction and
// the window's set-up (style, icons, maximised showing), measured from its own main.

#include "bench/widgetbenchmain.h"
#include "console/link/globals.h"
#include "console/link/settingsfile.h"
#include "console/link/srvmessage.h"
#include "console/windows/mainwindow.h"
#include "console/windows/mainwindowsetup.h"
#include "tools/fakecore/fakecore.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

const char *const CONSOLE_CHILD = "--console-child";
const char *const BARE_CHILD = "--bare-window-child";
constexpr int HELLO_TIMEOUT_MS = 30000;

// VmRSS of the process in kB, or 0 when it cannot be read.
long residentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return 0;
}

// CPU time of the process, all its threads (also those that have ended), in ms; 0 when it
// cannot be read. The process's CPU clock counts in nanoseconds, where /proc counts in ticks of
// 10 ms, as coarse as the bare window's whole start-up.
double cpuMs(qint64 pid) {
    clockid_t clock{};
    timespec used{};
    if (clock_getcpuclockid(pid_t(pid), &clock) != 0 || clock_gettime(clock, &used) != 0)
        return 0;
    return 1e3 * double(used.tv_sec) + double(used.tv_nsec) / 1e6;
}

long ownResidentKb() {
    return residentKb(QCoreApplication::applicationPid());
}

// The console exactly as its program starts it, reporting its phases on stdout.
int runConsole(int argc, char **argv) {
    const Clock::time_point start = Clock::now();
    const long rssStart = ownResidentKb();
    const auto msSinceStart = [&] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    QApplication app(argc, argv);
    const double appMs = msSinceStart();
    const long rssApp = ownResidentKb();
    MainWindow window;
    const double windowMs = msSinceStart();
    const long rssWindow = ownResidentKb();
    setUpMainWindow(window, QDir::currentPath());
    mainWindow = &window;
    const double setupMs = msSinceStart();
    const long rssSetup = ownResidentKb();
    std::printf("app_ms=%.1f window_ms=%.1f setup_ms=%.1f rss_main_kB=%ld rss_app_kB=%ld "
                "rss_window_kB=%ld rss_setup_kB=%ld\n",
                appMs, windowMs, setupMs, rssStart, rssApp, rssWindow, rssSetup);
    std::fflush(stdout);
    return QApplication::exec();
}

// One shown, empty window; then the hello to the server on the given port.
int runBareWindow(int argc, char **argv, quint16 port) {
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(HELLO_TIMEOUT_MS))
        return 1;
    socket.write(buildHello());
    socket.flush();
    return QApplication::exec();
}

struct StartSample {
    double seconds = 0;
    double cpuMs = 0;
    long rssKb = 0;
    std::map<std::string, double> phases; // the console child's report
};

std::map<std::string, double> parsePhases(const QByteArray &line) {
    std::map<std::string, double> phases;
    for (const QByteArray &field : line.trimmed().split(' ')) {
        const qsizetype eq = field.indexOf('=');
        if (eq > 0)
            phases[field.left(eq).toStdString()] = field.mid(eq + 1).toDouble();
    }
    return phases;
}

// Starts the child and waits for its hello; nothing when it does not come.
std::optional<StartSample> startToHello(const char *childMode) {
    FakeCore::Options options;
    options.sendNetworkOnHello = false;
    options.tickIntervalMs = 0;
    FakeCore core(options);
    QTemporaryDir folder;
    if (!core.listen() || !folder.isValid())
        return std::nullopt;
    SettingsFile settings;
    settings.ip_srv = {127, 0, 0, 1};
    settings.port_srv_text = QString::number(core.port());
    settings.settingFileName = folder.filePath(QStringLiteral("settings.txt"));
    QFile file(settings.settingFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(formatSettingsFile(settings)) < 0)
        return std::nullopt;
    file.close();

    QProcess child;
    child.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setStandardErrorFile(QProcess::nullDevice());
    QStringList arguments{QString::fromLatin1(childMode)};
    if (std::strcmp(childMode, BARE_CHILD) == 0)
        arguments << QString::number(core.port());

    QEventLoop loop;
    std::optional<StartSample> sample;
    Clock::time_point started;
    QObject::connect(&core, &FakeCore::helloReceived, &loop, [&] {
        StartSample s;
        s.seconds = std::chrono::duration<double>(Clock::now() - started).count();
        s.cpuMs = cpuMs(child.processId());
        s.rssKb = residentKb(child.processId());
        sample = s;
        loop.quit();
    });
    QObject::connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(HELLO_TIMEOUT_MS, &loop, &QEventLoop::quit);
    started = Clock::now();
    child.start(QCoreApplication::applicationFilePath(), arguments);
    loop.exec();

    if (sample && std::strcmp(childMode, CONSOLE_CHILD) == 0) {
        // The report is written right after the window is built, about when the hello goes.
        while (!child.canReadLine() && child.waitForReadyRead(HELLO_TIMEOUT_MS)) {
        }
        sample->phases = parsePhases(child.readLine());
    }
    child.kill();
    child.waitForFinished();
    return sample;
}

void measureStartup(benchmark::State &state, const char *childMode) {
    double rssKb = 0;
    double cpu = 0;
    std::map<std::string, double> phases;
    int samples = 0;
    for (auto _ : state) {
        const std::optional<StartSample> sample = startToHello(childMode);
        if (!sample) {
            state.SkipWithError("no hello from the child");
            return;
        }
        state.SetIterationTime(sample->seconds);
        rssKb += double(sample->rssKb);
        cpu += sample->cpuMs;
        for (const auto &[name, value] : sample->phases)
            phases[name] += value;
        ++samples;
    }
    if (samples == 0)
        return;
    state.counters["rss_at_hello_MB"] = rssKb / samples / 1024.0;
    state.counters["cpu_at_hello_ms"] = cpu / samples;
    for (const auto &[name, value] : phases)
        state.counters[name] = value / samples;
}

void BM_ConsoleStartToHello(benchmark::State &state) {
    measureStartup(state, CONSOLE_CHILD);
}
BENCHMARK(BM_ConsoleStartToHello)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BareWindowStartToHello(benchmark::State &state) {
    measureStartup(state, BARE_CHILD);
}
BENCHMARK(BM_BareWindowStartToHello)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv) {
    if (argc >= 2 && std::strcmp(argv[1], CONSOLE_CHILD) == 0)
        return runConsole(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], BARE_CHILD) == 0)
        return runBareWindow(argc, argv, quint16(std::atoi(argv[2])));
    return runWidgetBenchmarks(argc, argv);
}
