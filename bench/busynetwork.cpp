// The console's main window, in this process and offscreen, against a simulated core server
// with a full network (40 racks of 17 modules, values every second for every slot, alarms
// raised and cleared, log records), the server running as a child process so that this
// process's CPU time is the console's. One run reports, in phases:
// - shown_ms: from the server's hello to the whole network shown (tree with icons, grid rows
//   with module icons, the last slot's alarm settings), and shown_cpu_ms, the console's CPU
//   time (all its threads) over the same span, which a busy machine inflates less;
// - cpu_pct and stall_ms: the console's CPU share of one core and the longest gap between two
//   turns of the GUI thread's event loop over --busy-seconds of the busy network;
// - rss_*: resident memory during --flood-seconds of the busy network plus a flood of log
//   records with ever new addresses: at the first minute (or the first fifth of a shorter run),
//   at the end, and the largest growth over the first-minute value;
// - structure_*: messages per second and resident memory before and after
//   --structure-seconds of rack structures mixed with log records;
// - link_losses_*: the times the console lost the link and said hello again, in each phase.
// Durations are parameters: e.g. --busy-seconds=5 --flood-seconds=20 --structure-seconds=10.

#include "bench/widgetbenchmain.h"
#include "console/link/consoletables.h"
#include "console/link/globals.h"
#include "console/link/settingsfile.h"
#include "console/windows/mainwindow.h"
#include "console/windows/mainwindowsetup.h"
#include "console/windows/mymainbutton.h"
#include "console/windows/networktree.h"
#include "console/windows/slotgrid.h"
#include "tools/fakecore/fakecore.h"

#include <benchmark/benchmark.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char *const CORE_CHILD = "--core-child";
constexpr int CHILD_REPLY_TIMEOUT_MS = 10000;
constexpr int SHOWN_TIMEOUT_MS = 60000;
constexpr int STALL_PROBE_MS = 5;
constexpr int RSS_SAMPLE_MS = 1000;
constexpr double FIRST_MINUTE_S = 60.0;

struct Durations {
    int busySeconds = 30;
    int floodSeconds = 300;
    int structureSeconds = 60;
};
Durations durations;

double nowNs() {
    return double(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
            .count());
}

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The server: a full, busy network on a free port. It prints "port N", then "hello T" (T the
// steady clock in ns) at each hello; on stdin it takes "log", "structures" or "none" to start
// or stop a flood, and answers "sent N" with the flood messages sent since the last command.
int runCore(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FakeCore::Options options;
    options.networkSize = FakeNetworkSize::Full;
    FakeCore core(options);
    if (!core.listen())
        return 1;
    std::printf("port %u\n", unsigned(core.port()));
    std::fflush(stdout);
    QObject::connect(&core, &FakeCore::helloReceived, [] {
        std::printf("hello %.0f\n", nowNs());
        std::fflush(stdout);
    });
    long long sentBefore = 0;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64] = {};
        const ssize_t n = read(STDIN_FILENO, line, sizeof line - 1);
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        const QByteArray command = QByteArray(line, n).trimmed();
        core.setFlood(command == "log"          ? FakeFlood::LogAddresses
                      : command == "structures" ? FakeFlood::StructuresAndLog
                                                : FakeFlood::None);
        std::printf("sent %lld\n", core.floodSent() - sentBefore);
        std::fflush(stdout);
        sentBefore = core.floodSent();
    });
    return QCoreApplication::exec();
}

void writeImage(const QString &path, QSize size, const QColor &colour) {
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
}

// The block-state icons and one icon per module type of the network.
void writeIcons(const QString &root, const FakeNetwork &network) {
    const QString folder = root + QStringLiteral("/ICONS_NEW/");
    writeImage(folder + QStringLiteral("red_block.png"), {16, 16}, Qt::red);
    writeImage(folder + QStringLiteral("green_block.png"), {16, 16}, Qt::green);
    writeImage(folder + QStringLiteral("gray_block.png"), {16, 16}, Qt::gray);
    for (const FakeModule &m : network.racks().front().modules) {
        const QString name = m.type->description.name;
        writeImage(folder + QStringLiteral("ICON_TORV/%1/%1.png").arg(name), {94, 119},
                   QColor(40, 90, 200));
    }
}

// Runs the event loop for `ms`, or until `done` holds (checked every millisecond).
template <typename Done> bool runUntil(int ms, Done done) {
    QEventLoop loop;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    probe.start(1);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

void runFor(int ms) {
    runUntil(ms, [] { return false; });
}

// The longest gap between two turns of the GUI thread's event loop while it is watched.
class StallProbe {
public:
    StallProbe() {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            longestMs = std::max(longestMs, double(since.nsecsElapsed()) / 1e6);
            since.restart();
        });
        since.start();
        timer.start(STALL_PROBE_MS);
    }
    double longestMs = 0;

private:
    QTimer timer;
    QElapsedTimer since;
};

// The whole network as the server describes it is on screen.
bool networkShown(MainWindow &window, const FakeNetwork &network) {
    const ConsoleTables &t = window.consoleTables();
    const std::vector<FakeRack> &racks = network.racks();
    const NetworkTree *tree = window.treeWidget();
    if (t.visibleRackCount != int(racks.size()) || tree->topLevelItemCount() != int(racks.size()))
        return false;
    for (int r = 0; r < tree->topLevelItemCount(); ++r) {
        const QTreeWidgetItem *rack = tree->topLevelItem(r);
        if (rack->childCount() != SLOTS_PER_RACK || rack->icon(0).isNull())
            return false;
        for (int s = 0; s < SLOTS_PER_RACK; ++s)
            if (rack->child(s)->icon(0).isNull())
                return false;
    }
    SlotGrid &grid = window.slotGrid();
    for (int r = 0; r < int(racks.size()); ++r) {
        for (const FakeModule &m : racks[std::size_t(r)].modules)
            if (grid.slotButton(r, m.slot)->icon().isNull())
                return false;
    }
    const FakeModule &last = racks.back().modules.back();
    return t.alarm_table[racks.size() - 1][std::size_t(last.slot)]
                        [std::size_t(last.alarms.back().alarmIndex)]
                            .alarm_set == 1;
}

class CoreChild {
public:
    bool start() {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(CORE_CHILD)});
        const std::optional<QByteArray> line = nextLine(QByteArray("port "));
        if (!line)
            return false;
        port = quint16(line->toUInt());
        return port != 0;
    }
    ~CoreChild() {
        process.closeWriteChannel();
        if (!process.waitForFinished(2000))
            process.kill();
        process.waitForFinished();
    }
    // The value after `prefix` on the next line that starts with it. It waits without the
    // event loop, which a flood would keep busy for long; the link thread goes on meanwhile.
    std::optional<QByteArray> nextLine(const QByteArray &prefix) {
        const QDeadlineTimer deadline(CHILD_REPLY_TIMEOUT_MS);
        while (!deadline.hasExpired()) {
            while (process.canReadLine()) {
                const QByteArray line = process.readLine().trimmed();
                if (line.startsWith(prefix))
                    return line.mid(prefix.size());
                hellos += line.startsWith(HELLO);
            }
            if (process.state() == QProcess::NotRunning)
                return std::nullopt;
            process.waitForReadyRead(int(deadline.remainingTime()));
        }
        return std::nullopt;
    }
    // Sends a flood command; the number of flood messages sent under the previous one.
    long long command(const char *text) {
        process.write(QByteArray(text) + '\n');
        process.waitForBytesWritten(CHILD_REPLY_TIMEOUT_MS);
        const std::optional<QByteArray> sent = nextLine(QByteArray("sent "));
        return sent ? sent->toLongLong() : -1;
    }
    // The hellos passed over since the last call: each one after the first is a link loss.
    int takeHellos() { return std::exchange(hellos, 0); }

    QProcess process;
    quint16 port = 0;

private:
    static constexpr const char *HELLO = "hello ";
    int hellos = 0;
};

struct ResidentTrack {
    long atFirstMinuteKb = 0;
    long endKb = 0;
    long largestGrowthKb = 0;
};

// Samples the resident size every second for `seconds`; growth is measured from the value at
// the first minute (or at the first fifth of a shorter run).
ResidentTrack trackResident(int seconds) {
    ResidentTrack track;
    const double settle = std::min(FIRST_MINUTE_S, seconds / 5.0);
    QElapsedTimer clock;
    clock.start();
    bool settled = false;
    while (clock.elapsed() < qint64(seconds) * 1000) {
        runFor(RSS_SAMPLE_MS);
        const long now = residentKb();
        if (!settled && clock.elapsed() >= settle * 1000) {
            track.atFirstMinuteKb = now;
            settled = true;
        }
        if (settled)
            track.largestGrowthKb = std::max(track.largestGrowthKb, now - track.atFirstMinuteKb);
        track.endKb = now;
        std::printf("rss_at_%llds_MB=%.1f\n", static_cast<long long>(clock.elapsed() / 1000),
                    now / 1024.0);
        std::fflush(stdout);
    }
    return track;
}

// A figure, kept for the benchmark's report and printed at once: a run that is stopped early
// (a console that cannot keep up) still shows what it measured.
void report(benchmark::State &state, const char *name, double value) {
    state.counters[name] = value;
    std::printf("%s=%.2f\n", name, value);
    std::fflush(stdout);
}

void BM_FullBusyNetwork(benchmark::State &state) {
    for (auto _ : state) {
        CoreChild core;
        QTemporaryDir folder;
        if (!folder.isValid() || !core.start()) {
            state.SkipWithError("the simulated core server did not start");
            return;
        }
        const FakeNetwork network(QDateTime::currentDateTime(), FakeNetworkSize::Full);
        appDir = folder.path();
        settingFileName = folder.filePath(QStringLiteral("settings.txt"));
        SettingsFile settings;
        settings.ip_srv = {127, 0, 0, 1};
        settings.port_srv_text = QString::number(core.port);
        settings.settingFileName = settingFileName;
        QFile file(settingFileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(formatSettingsFile(settings)) < 0) {
            state.SkipWithError("cannot write the settings file");
            return;
        }
        file.close();
        writeIcons(appDir, network);
        QDir::setCurrent(appDir);

        // The window lives to the end of the process: its destruction ends the process.
        auto *window = new MainWindow;
        setUpMainWindow(*window, appDir);

        const std::optional<QByteArray> hello = core.nextLine(QByteArray("hello "));
        core.takeHellos();
        if (!hello) {
            state.SkipWithError("the console did not say hello");
            return;
        }
        const double cpuAtHello = cpuSeconds();
        if (!runUntil(SHOWN_TIMEOUT_MS, [&] { return networkShown(*window, network); })) {
            state.SkipWithError("the network was not shown");
            return;
        }
        report(state, "shown_ms", (nowNs() - hello->toDouble()) / 1e6);
        report(state, "shown_cpu_ms", (cpuSeconds() - cpuAtHello) * 1e3);
        core.command("none");
        report(state, "link_losses_shown", core.takeHellos());

        {
            const StallProbe stalls;
            const double cpuBefore = cpuSeconds();
            QElapsedTimer wall;
            wall.start();
            runFor(durations.busySeconds * 1000);
            report(state, "cpu_pct",
                   100.0 * (cpuSeconds() - cpuBefore) / (double(wall.nsecsElapsed()) / 1e9));
            report(state, "stall_ms", stalls.longestMs);
        }

        report(state, "rss_busy_MB", residentKb() / 1024.0);
        core.command("log");
        report(state, "link_losses_busy", core.takeHellos());
        const ResidentTrack flood = trackResident(durations.floodSeconds);
        const long long records = core.command("none");
        report(state, "link_losses_flood", core.takeHellos());
        report(state, "rss_first_minute_MB", flood.atFirstMinuteKb / 1024.0);
        report(state, "rss_end_MB", flood.endKb / 1024.0);
        report(state, "rss_growth_MB", flood.largestGrowthKb / 1024.0);
        report(state, "log_records_per_s", double(records) / durations.floodSeconds);

        const long before = residentKb();
        core.command("structures");
        runFor(durations.structureSeconds * 1000);
        const long long messages = core.command("none");
        report(state, "link_losses_structures", core.takeHellos());
        report(state, "structure_msgs_per_s", double(messages) / durations.structureSeconds);
        report(state, "structure_rss_before_MB", before / 1024.0);
        report(state, "structure_rss_after_MB", residentKb() / 1024.0);
        window->hide();
    }
}
BENCHMARK(BM_FullBusyNetwork)->Iterations(1)->Unit(benchmark::kSecond);

// Takes --busy-seconds=, --flood-seconds= and --structure-seconds= out of the arguments.
void takeDurations(int &argc, char **argv) {
    const struct {
        const char *prefix;
        int *value;
    } options[] = {{"--busy-seconds=", &durations.busySeconds},
                   {"--flood-seconds=", &durations.floodSeconds},
                   {"--structure-seconds=", &durations.structureSeconds}};
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        bool taken = false;
        for (const auto &o : options) {
            const std::size_t n = std::strlen(o.prefix);
            if (std::strncmp(argv[i], o.prefix, n) == 0) {
                *o.value = std::max(1, std::atoi(argv[i] + n));
                taken = true;
            }
        }
        if (!taken)
            argv[kept++] = argv[i];
    }
    argc = kept;
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 2 && std::strcmp(argv[1], CORE_CHILD) == 0)
        return runCore(argc, argv);
    takeDurations(argc, argv);
    // The console's window is never destroyed; ending before the application does skips its
    // settings write.
    return runWidgetBenchmarks(argc, argv, [] {
        std::fflush(stdout);
        std::_Exit(0);
    });
}
