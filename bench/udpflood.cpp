// How long a key press waits for netsetup's main thread while "Find" listens: a key event is
// posted to the rack-port edit of the main form and timed until the event-loop turn that handed
// it to the edit is over (then its effect can be painted), with the listener idle and under paced
// floods of rack announcements sent to it on 127.0.0.1 from a few threads (the argument:
// datagrams a second in all). Each flood is bounded in time and count.

#include "bench/widgetbenchmain.h"
#include "controls/framed/tkxnumericedit.h"
#include "platform/udplistener.h"
#include "setup/tformmain.h"

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned char kAnnouncement[] = {5, 5, 0, 0, 0, 0, 0x10, 8, 0, 0, 6, 6};
constexpr long long kMaxDatagrams = 50'000'000;
constexpr auto kMaxFlood = std::chrono::seconds(60);

// Sends announcements to the port from a few threads, together at the given rate, until stopped
// or a bound is reached.
class Flood {
public:
    static constexpr int kSenders = 4;

    Flood(quint16 port, long long perSecond) {
        for (int i = 0; i < kSenders; ++i)
            m_threads.emplace_back([this, port, perSecond] { run(port, perSecond / kSenders); });
    }
    ~Flood() {
        m_stop = true;
        for (std::thread &thread : m_threads)
            thread.join();
    }
    long long Sent() const { return m_sent; }

private:
    void run(quint16 port, long long perSecond) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const Clock::time_point start = Clock::now();
        long long sent = 0;
        while (!m_stop && m_sent < kMaxDatagrams && Clock::now() - start < kMaxFlood) {
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            if (sent >= static_cast<long long>(elapsed * double(perSecond))) {
                std::this_thread::yield();
                continue;
            }
            ::sendto(fd, kAnnouncement, sizeof kAnnouncement, 0,
                     reinterpret_cast<const sockaddr *>(&to), sizeof to);
            ++sent;
            ++m_sent;
        }
        ::close(fd);
    }

    std::atomic<bool> m_stop{false};
    std::atomic<long long> m_sent{0};
    std::vector<std::thread> m_threads;
};

// Ends the loop once a key press has reached the widget; the loop returns when the turn that
// delivered it is over, which is when the edit can show what the key did.
class KeyWatch : public QObject {
public:
    explicit KeyWatch(QEventLoop &loop)
        : m_loop(loop) {}
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::KeyPress)
            m_loop.quit();
        return false;
    }

private:
    QEventLoop &m_loop;
};

void BM_KeyPressWhileListening(benchmark::State &state) {
    const long long perSecond = state.range(0);
    QTemporaryDir dir;
    ProgramPaths paths{dir.path() + "/", dir.filePath("netsetup.ini"),
                       dir.filePath("netsetup.dat")};
    TFormMain form(paths, 0);
    form.show();
    form.BtnRackFindClick();
    if (!form.UDPS()->Active()) {
        state.SkipWithError("the listener could not bind");
        return;
    }
    std::optional<Flood> flood;
    if (perSecond > 0)
        flood.emplace(form.UDPS()->LocalPort(), perSecond);
    // Let the flood build up before the first press.
    QEventLoop warmUp;
    QTimer::singleShot(200, &warmUp, &QEventLoop::quit);
    warmUp.exec();

    QEventLoop loop;
    KeyWatch watch(loop);
    form.EditCoreRackPort->installEventFilter(&watch);
    double worst = 0;
    for (auto _ : state) {
        const Clock::time_point pressed = Clock::now();
        QCoreApplication::postEvent(
            form.EditCoreRackPort,
            new QKeyEvent(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, QStringLiteral("1")));
        loop.exec();
        const double waited = std::chrono::duration<double>(Clock::now() - pressed).count();
        worst = std::max(worst, waited);
        state.SetIterationTime(waited);
    }
    form.EditCoreRackPort->removeEventFilter(&watch);
    state.counters["worst_ms"] = worst * 1000;
    if (flood)
        state.counters["sent"] = double(flood->Sent());
}
BENCHMARK(BM_KeyPressWhileListening)
    ->Arg(0)
    ->Arg(300'000)
    ->Arg(3'000'000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(2000);

} // namespace

int main(int argc, char **argv) {
    return runWidgetBenchmarks(argc, argv);
}
