#include "platform/udplistener.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace {

struct Received {
    QByteArray datagram;
    QHostAddress sender;
};

// Runs the event loop until the condition holds; the timer only ends a test that would hang.
bool RunUntil(const std::function<bool()> &condition) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(1);
    guard.start(10000);
    if (!condition())
        loop.exec();
    return condition();
}

class UdpListenerTest : public ::testing::Test {
protected:
    UdpListenerTest() {
        listener.OnUDPRead = [this](const QByteArray &datagram, const QHostAddress &sender) {
            received.push_back({datagram, sender});
        };
    }

    void send(const QByteArray &datagram) {
        ASSERT_EQ(sender.writeDatagram(datagram, QHostAddress::LocalHost, listener.LocalPort()),
                  datagram.size());
    }

    UdpListener listener{0};
    QUdpSocket sender;
    std::vector<Received> received;
};

TEST_F(UdpListenerTest, InactiveUntilSwitchedOn) {
    EXPECT_FALSE(listener.Active());
    EXPECT_EQ(listener.LocalPort(), 0);
    ASSERT_TRUE(listener.SetActive(true));
    EXPECT_TRUE(listener.Active());
    EXPECT_NE(listener.LocalPort(), 0);
    ASSERT_TRUE(listener.SetActive(false));
    EXPECT_FALSE(listener.Active());
}

TEST_F(UdpListenerTest, HandsOverEachDatagramWithItsSender) {
    ASSERT_TRUE(listener.SetActive(true));
    send("first");
    send(QByteArray("sec\0nd", 6));
    ASSERT_TRUE(RunUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[0].datagram, "first");
    EXPECT_EQ(received[1].datagram, QByteArray("sec\0nd", 6));
    EXPECT_EQ(received[0].sender, QHostAddress(QHostAddress::LocalHost));
}

TEST_F(UdpListenerTest, DropsDatagramsLargerThanTheBuffer) {
    ASSERT_TRUE(listener.SetActive(true));
    send(QByteArray(UdpListener::kBufferSize + 1, 'x'));
    send(QByteArray(UdpListener::kBufferSize, 'y'));
    send("last");
    ASSERT_TRUE(RunUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received[0].datagram, QByteArray(UdpListener::kBufferSize, 'y'));
    EXPECT_EQ(received[1].datagram, "last");
}

TEST_F(UdpListenerTest, APortInUseIsNotBoundTwice) {
    ASSERT_TRUE(listener.SetActive(true));
    UdpListener second(listener.LocalPort());
    EXPECT_FALSE(second.SetActive(true));
    EXPECT_FALSE(second.Active());
    // Switching off frees the port at once.
    ASSERT_TRUE(listener.SetActive(false));
    EXPECT_TRUE(second.SetActive(true));
}

// A flood waiting in the socket is handed over in turns: a timer of the same thread runs between
// every two batches, and no batch is larger than the limit.
TEST_F(UdpListenerTest, AFloodLeavesTimersTheirTurns) {
    constexpr int kFlood = 2 * UdpListener::kDatagramsPerTurn + 32; // fits the socket's buffer
    ASSERT_TRUE(listener.SetActive(true));
    for (int i = 0; i < kFlood; ++i)
        send(QByteArray::number(i));
    std::vector<std::size_t> atTicks{0};
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] { atTicks.push_back(received.size()); });
    probe.start(0);
    ASSERT_TRUE(RunUntil([&] { return received.size() == std::size_t(kFlood); }));
    probe.stop();
    atTicks.push_back(received.size());
    std::size_t largest = 0;
    for (std::size_t i = 1; i < atTicks.size(); ++i)
        largest = std::max(largest, atTicks[i] - atTicks[i - 1]);
    EXPECT_EQ(largest, std::size_t(UdpListener::kDatagramsPerTurn));
    for (int i = 0; i < kFlood; ++i)
        EXPECT_EQ(received[i].datagram, QByteArray::number(i));
}

TEST_F(UdpListenerTest, SwitchingOffBetweenTurnsDropsTheRestOfTheFlood) {
    constexpr int kFlood = 2 * UdpListener::kDatagramsPerTurn;
    ASSERT_TRUE(listener.SetActive(true));
    for (int i = 0; i < kFlood; ++i)
        send("x");
    std::size_t atSwitchOff = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!received.empty() && listener.Active()) {
            atSwitchOff = received.size();
            listener.SetActive(false);
        }
    });
    probe.start(0);
    ASSERT_TRUE(RunUntil([&] { return !listener.Active(); }));
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    EXPECT_EQ(atSwitchOff, std::size_t(UdpListener::kDatagramsPerTurn));
    EXPECT_EQ(received.size(), atSwitchOff);
}

TEST_F(UdpListenerTest, AHandlerMaySwitchTheListenerOff) {
    listener.OnUDPRead = [this](const QByteArray &datagram, const QHostAddress &) {
        received.push_back({datagram, {}});
        listener.SetActive(false);
    };
    ASSERT_TRUE(listener.SetActive(true));
    send("one");
    send("two");
    ASSERT_TRUE(RunUntil([&] { return !received.empty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(received.size(), 1u);
    EXPECT_FALSE(listener.Active());
}

// Sends count datagrams of 12 bytes to the port of 127.0.0.1 as fast as the kernel takes them,
// from a thread of its own, while the listener's thread runs its event loop.
class Flood {
public:
    Flood(quint16 port, int count)
        : m_thread([this, port, count] {
            const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
            sockaddr_in to{};
            to.sin_family = AF_INET;
            to.sin_port = htons(port);
            to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            const char junk[12] = "junk-junk-j";
            for (int i = 0; i < count; ++i)
                ::sendto(fd, junk, sizeof junk, 0, reinterpret_cast<const sockaddr *>(&to),
                         sizeof to);
            ::close(fd);
            m_done = true;
        }) {}
    ~Flood() { m_thread.join(); }
    bool Done() const { return m_done; }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// A flood far larger than the socket's queue, sent while the listener reads: datagrams sent
// after it are handed over (each turn sends one more until one arrives, as the queue may still
// be full when the flood ends), and the flood is read in turns all along.
TEST_F(UdpListenerTest, DatagramsAfterAFloodArrive) {
    constexpr int kFlood = 200000;
    std::size_t junk = 0;
    std::vector<QByteArray> late;
    listener.OnUDPRead = [&](const QByteArray &datagram, const QHostAddress &) {
        if (datagram.startsWith("late"))
            late.push_back(datagram);
        else
            ++junk;
    };
    ASSERT_TRUE(listener.SetActive(true));
    std::size_t atLastTick = 0;
    std::size_t largest = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        largest = std::max(largest, junk - atLastTick);
        atLastTick = junk;
    });
    probe.start(0);
    {
        Flood flood(listener.LocalPort(), kFlood);
        ASSERT_TRUE(RunUntil([&] { return flood.Done(); }));
    }
    const std::size_t duringFlood = junk;
    int sent = 0;
    QTimer announcer;
    QObject::connect(&announcer, &QTimer::timeout, [&] {
        if (late.empty())
            send("late" + QByteArray::number(sent++));
    });
    announcer.start(0);
    ASSERT_TRUE(RunUntil([&] { return !late.empty(); }))
        << junk << " of the flood read, nothing of " << sent << " sent after it";
    EXPECT_GT(duringFlood, 0u) << "the flood is read while it lasts";
    EXPECT_LE(largest, std::size_t(UdpListener::kDatagramsPerTurn));
    // Once the queue has room, what is sent arrives, in order.
    announcer.stop();
    late.clear();
    for (int i = 0; i < 3; ++i)
        send("late" + QByteArray::number(i));
    ASSERT_TRUE(RunUntil([&] { return late.size() == 3; }));
    EXPECT_EQ(late, (std::vector<QByteArray>{"late0", "late1", "late2"}));
}

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
