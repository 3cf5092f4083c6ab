#include "console/link/tcpthread.h"

#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/srvmessage.h"
#include "debuglog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QTcpServer>
#include <QTcpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int WAIT_MS = 30000;

bool waitUntil(const std::function<bool()> &done, int timeoutMs = WAIT_MS) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

QByteArray pattern(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xff);
    return bytes;
}

// The core server's side of the link, on 127.0.0.1: records what each connection received.
class LinkServer {
public:
    bool listen(quint16 port = 0) {
        if (!server.listen(QHostAddress::LocalHost, port))
            return false;
        QObject::connect(&server, &QTcpServer::newConnection, [this] { accept(); });
        return true;
    }
    void close() {
        QObject::disconnect(&server, nullptr, nullptr, nullptr);
        server.close();
    }
    quint16 port() const { return server.serverPort(); }
    int connections() const { return int(sockets.size()); }
    QTcpSocket &socket(int i) { return *sockets.at(size_t(i)); }
    QByteArray received(int i) const { return inbox.at(size_t(i)); }
    bool receivedAtLeast(int i, int bytes) const {
        return connections() > i && inbox[size_t(i)].size() >= bytes;
    }

    // Connections from this index on answer each pulse.
    int answerPulsesFrom = 1 << 30;
    // Each connection is sent messages without pause (its answers queue behind them).
    bool flooding = false;

private:
    void accept() {
        while (QTcpSocket *s = server.nextPendingConnection()) {
            const size_t index = sockets.size();
            sockets.emplace_back(s);
            inbox.emplace_back();
            QObject::connect(s, &QTcpSocket::readyRead, [this, s, index] {
                const QByteArray bytes = s->readAll();
                inbox[index] += bytes;
                if (int(index) >= answerPulsesFrom)
                    for (int i = 0; i < bytes.count(buildPulse()); ++i)
                        s->write(buildPulse());
            });
            if (flooding) {
                QObject::connect(s, &QTcpSocket::bytesWritten, [s] { topUp(*s); });
                topUp(*s);
            }
        }
    }

    static void topUp(QTcpSocket &s) {
        // Messages of a code the console passes over, whose words look like pulse answers.
        static const QByteArray message = [] {
            std::vector<int16_t> words(FLOOD_MESSAGE_WORDS, 0);
            words[0] = FLOOD_MESSAGE_WORDS - 1;
            words[1] = 60;
            for (std::size_t i = 2; i + 1 < words.size(); i += 2) {
                words[i] = 1;
                words[i + 1] = msgPulse;
            }
            QByteArray bytes(2 * FLOOD_MESSAGE_WORDS, Qt::Uninitialized);
            ConvertShortToByteBuffer(words.data(), FLOOD_MESSAGE_WORDS, bytes.data(),
                                     int(bytes.size()));
            return bytes;
        }();
        while (s.state() == QAbstractSocket::ConnectedState && s.bytesToWrite() < FLOOD_BACKLOG)
            s.write(message);
    }
    static constexpr int FLOOD_MESSAGE_WORDS = 2000;
    static constexpr qint64 FLOOD_BACKLOG = 256 * 1024;

    QTcpServer server;
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    std::vector<QByteArray> inbox;
};

// A core server that refuses the console: it accepts each connection and closes it, at once
// or once the hello has come. Its own thread waits in accept, so the times it notes are the
// link's, whatever the test thread is doing.
class RefusingServer {
public:
    explicit RefusingServer(bool readsHello)
        : readsHello(readsHello) {
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            ::listen(listener, 64) != 0 ||
            ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        listeningPort = ntohs(address.sin_port);
        acceptor = std::thread([this] { acceptAll(); });
    }
    ~RefusingServer() {
        ::shutdown(listener, SHUT_RDWR); // ends the waiting accept
        if (acceptor.joinable())
            acceptor.join();
        ::close(listener);
    }
    RefusingServer(const RefusingServer &) = delete;
    RefusingServer &operator=(const RefusingServer &) = delete;

    quint16 port() const { return listeningPort; }
    std::vector<std::chrono::steady_clock::time_point> accepted() const {
        const std::lock_guard lock(mutex);
        return acceptTimes;
    }

private:
    void acceptAll() {
        for (;;) {
            const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0)
                return;
            {
                const std::lock_guard lock(mutex);
                acceptTimes.push_back(std::chrono::steady_clock::now());
            }
            char hello[4];
            if (readsHello)
                ::recv(connection, hello, sizeof hello, MSG_WAITALL);
            ::close(connection);
        }
    }

    const bool readsHello;
    int listener = -1;
    quint16 listeningPort = 0;
    std::thread acceptor;
    mutable std::mutex mutex;
    std::vector<std::chrono::steady_clock::time_point> acceptTimes;
};

class TcpThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        srv_reconnect = -1;
        srv_link_shown = -1;
        srv_rings_reset = -1;
        srv_log_requested = -1;
        srv_pulse_answered = -1;
        to_srv_130 = 0;
        while (!inboundRing().takeInboundChunk().bytes().isEmpty()) {
        }
        inboundRing().takeNotice();
        while (!outboundRing().waitingMessage().isEmpty())
            outboundRing().freeMessage();
        ASSERT_TRUE(server.listen());
        setServer("127.0.0.1", server.port());
        intervals.connectWaitMs = 2000;
        intervals.connectPacingMs = 20;
        intervals.readWaitMs = 10;
        intervals.writeWaitMs = 2000;
        intervals.pulseMs = 3600 * 1000;
    }

    void TearDown() override { link.reset(); }

    static void setServer(const QString &address, int port) {
        const QMutexLocker locker(&srvAddressLock);
        ip_srv_text = address;
        port_srv = port;
    }

    void startLink() {
        link = std::make_unique<TcpThread>(nullptr, intervals);
        QObject::connect(link.get(), &TcpThread::sig_InfoMsgExec, &context,
                         [this] { ++announcements; });
        QObject::connect(link.get(), &TcpThread::sig_SrvMsgObrabot, &context, [this] {
            ++chunkSignals;
            if (consuming) {
                takeAll();
                inboundRing().takeNotice();
                takeAll();
            }
        });
        link->start();
    }

    // The GUI thread's consumer: one chunk per call; at a signal it takes every chunk waiting.
    bool takeOne() {
        const InboundChunk chunk = inboundRing().takeInboundChunk();
        if (chunk.dropPartial()) {
            ++partialDrops;
            consumed.clear();
        }
        if (chunk.bytes().isEmpty())
            return false;
        largestChunk = std::max(largestChunk, int(chunk.bytes().size()));
        ++chunksTaken;
        if (keepBytes)
            consumed += chunk.bytes().toByteArray();
        return true;
    }

    void takeAll() {
        while (takeOne()) {
        }
    }

    // Queues a message and waits until connection `i` has received it: every message queued
    // before it was sent by then.
    void sendMarkerThrough(int i) {
        const QByteArray marker = buildLogRequest(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)),
                                                  QDateTime(QDate(2021, 6, 7), QTime(8, 9, 10)));
        ASSERT_TRUE(queueToSrv(marker.constData(), int(marker.size())));
        ASSERT_TRUE(waitUntil([&] { return server.received(i).endsWith(marker); }));
    }

    DebugLog log;
    LinkServer server;
    LinkIntervals intervals;
    QObject context;
    std::unique_ptr<TcpThread> link;
    int announcements = 0;
    int chunkSignals = 0;
    bool consuming = true;
    bool keepBytes = true;
    int partialDrops = 0;
    int chunksTaken = 0;
    int largestChunk = 0;
    QByteArray consumed;
};

TEST_F(TcpThreadTest, HelloComesFirstThenQueuedMessagesOnceEachInOrder) {
    QByteArray expected = buildHello();
    for (int i = 0; i < 5; ++i) {
        const QByteArray message = buildSetRegister(WireAddress{127, 0, 0, 9}, 3, int16_t(i), 7);
        ASSERT_TRUE(queueToSrv(message.constData(), int(message.size())));
        expected += message;
    }
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(0, int(expected.size())); }));
    sendMarkerThrough(0);

    EXPECT_TRUE(server.received(0).startsWith(expected));
    EXPECT_EQ(server.received(0).size(), expected.size() + buildLogRequest({}, {}).size());
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(srv_reconnect, -1);
    EXPECT_EQ(srv_log_requested, -1);
    EXPECT_EQ(announcements, 0) << "a first connect that works announces nothing";
}

TEST_F(TcpThreadTest, ThirdUnansweredPulseDropsTheLinkAndANewOneStartsWithHello) {
    intervals.pulseMs = 50;
    server.answerPulsesFrom = 1;
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(1, 4 * 4); }));
    ASSERT_TRUE(
        waitUntil([&] { return server.socket(0).state() == QAbstractSocket::UnconnectedState; }));
    ASSERT_TRUE(waitUntil([&] { return announcements == 2 && srv_link_shown == -1; }));
    const int answeredPulses = int(server.received(1).count(buildPulse()));
    ASSERT_TRUE(
        waitUntil([&] { return server.received(1).count(buildPulse()) >= answeredPulses + 5; }));

    const QByteArray pulse = buildPulse();
    EXPECT_EQ(server.received(0), buildHello() + pulse + pulse + pulse);
    EXPECT_TRUE(server.received(1).startsWith(buildHello()));
    EXPECT_EQ(server.connections(), 2);
    EXPECT_EQ(announcements, 2) << "link down once, link up once";
    EXPECT_EQ(log.count("Server cabel don't connecting..."), 1);
    EXPECT_EQ(srv_rings_reset, 1);
}

// The window thread takes nothing for a while, then everything: the answers wait behind up to
// the whole ring of input, and the link thread counts them as they arrive.
TEST_F(TcpThreadTest, FloodingServerThatAnswersEveryPulseIsNeverLost) {
    constexpr int ANSWERED_PULSES = 20;
    // Long enough for an answer to come through the sockets' buffers on a loaded machine.
    intervals.pulseMs = 250;
    server.answerPulsesFrom = 0;
    server.flooding = true;
    consuming = false;
    keepBytes = false;
    startLink();
    ASSERT_TRUE(waitUntil([&] { return inboundRing().waitingChunks() == RING_ENTRIES; }));
    const int pulsesAtFullRing = int(server.received(0).count(buildPulse()));
    consuming = true;
    takeAll();
    inboundRing().takeNotice();
    takeAll();
    ASSERT_TRUE(waitUntil([&] {
        return server.received(0).count(buildPulse()) >= pulsesAtFullRing + ANSWERED_PULSES;
    }));

    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(log.count("Server cabel don't connecting..."), 0);
    EXPECT_EQ(announcements, 0);
    EXPECT_EQ(srv_pulse_answered, 1);
    EXPECT_LE(to_srv_130, 2);
}

TEST_F(TcpThreadTest, FloodingServerThatStopsAnsweringIsLostAtTheThirdPulse) {
    intervals.pulseMs = 50;
    server.answerPulsesFrom = 1;
    server.flooding = true;
    keepBytes = false;
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(1, 4) && announcements >= 1; }));

    const QByteArray pulse = buildPulse();
    EXPECT_EQ(server.received(0), buildHello() + pulse + pulse + pulse);
    EXPECT_EQ(log.count("Server cabel don't connecting..."), 1);
}

TEST_F(TcpThreadTest, UnreachableServerIsAnnouncedDownOnceAndUpOnceItAnswersAPulse) {
    intervals.pulseMs = 50;
    server.answerPulsesFrom = 0;
    const quint16 port = server.port();
    server.close();
    startLink();
    ASSERT_TRUE(waitUntil([&] { return log.count("socket don't connecting") >= 3; }));
    ASSERT_TRUE(waitUntil([&] { return announcements >= 1; }));
    EXPECT_EQ(srv_link_shown, 1);

    ASSERT_TRUE(server.listen(port));
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(0, 4); }));
    EXPECT_TRUE(server.received(0).startsWith(buildHello()));
    ASSERT_TRUE(waitUntil([&] { return srv_link_shown == -1; }));
    EXPECT_EQ(srv_pulse_answered, 1) << "shown up only after a pulse answer";
    sendMarkerThrough(0);
    EXPECT_EQ(announcements, 2);
}

TEST_F(TcpThreadTest, OnlyDottedDecimalAddressesAreConnected) {
    struct Case {
        const char *address;
        bool connects;
    };
    const Case cases[] = {
        {"127.000.000.001", true}, {"localhost", false}, {"", false}, {"127.0.0", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.address);
        const int connectionsBefore = server.connections();
        const int failuresBefore = log.count("socket don't connecting");
        setServer(QString::fromLatin1(c.address), server.port());
        startLink();
        if (c.connects) {
            EXPECT_TRUE(waitUntil([&] { return server.receivedAtLeast(connectionsBefore, 4); }));
        } else {
            EXPECT_TRUE(waitUntil(
                [&] { return log.count("socket don't connecting") >= failuresBefore + 2; }));
            QCoreApplication::processEvents();
            EXPECT_EQ(server.connections(), connectionsBefore);
        }
        link.reset();
    }
}

TEST_F(TcpThreadTest, BurstArrivesWholeInOrderInChunksOfAtMost50000Bytes) {
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(0, 4); }));
    const QByteArray burst = pattern(120000);
    server.socket(0).write(burst);
    ASSERT_TRUE(waitUntil([&] { return consumed.size() >= burst.size(); }));

    EXPECT_EQ(consumed, burst);
    EXPECT_LE(largestChunk, RX_CHUNK_BYTES);
    EXPECT_GE(chunksTaken, 3);
    EXPECT_EQ(partialDrops, 0);
}

TEST_F(TcpThreadTest, ReconnectDiscardsWhatTheOldConnectionLeftBuffered) {
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(0, 4); }));
    server.socket(0).write("partial-");
    ASSERT_TRUE(waitUntil([&] { return consumed == "partial-"; }));

    consuming = false;
    server.socket(0).write("untaken");
    ASSERT_TRUE(waitUntil([&] { return inboundRing().waitingChunks() == 1; }));
    srv_reconnect = 1; // as the settings dialog does for a new server address
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(1, 4); }));
    server.socket(1).write("fresh");
    ASSERT_TRUE(waitUntil([&] { return inboundRing().waitingChunks() == 2; }));

    takeAll();
    EXPECT_EQ(partialDrops, 1);
    EXPECT_EQ(consumed, "fresh");
    EXPECT_EQ(srv_rings_reset, 1);
    EXPECT_EQ(inboundRing().waitingChunks(), 0);
}

TEST_F(TcpThreadTest, ConnectionClosedByTheServerIsReplacedAndItsPartialDataDropped) {
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(0, 4); }));
    server.socket(0).write("partial-");
    ASSERT_TRUE(waitUntil([&] { return consumed == "partial-"; }));
    to_srv_130 = 2;
    srv_pulse_answered = 1; // the connection has worked
    server.socket(0).close();

    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(1, 4); }));
    EXPECT_EQ(server.received(1), buildHello());
    server.socket(1).write("fresh");
    ASSERT_TRUE(waitUntil([&] { return consumed == "fresh"; }));
    EXPECT_EQ(partialDrops, 1);
    EXPECT_EQ(to_srv_130, 0);
    EXPECT_EQ(announcements, 0) << "the reconnect succeeded at once";
}

TEST_F(TcpThreadTest, ServerThatAcceptsAndClosesIsReconnectedPacedAndShownAsLost) {
    using namespace std::chrono;
    constexpr int CONNECTIONS = 5;
    intervals.connectPacingMs = 200;
    // Each reconnect comes a whole pacing after the previous one; this much of it may be lost
    // to the scheduling of the two threads that note the times.
    constexpr milliseconds SLACK{60};
    for (const bool readsHello : {false, true}) {
        SCOPED_TRACE(readsHello ? "closes once the hello came" : "closes at once");
        srv_link_shown = -1;
        announcements = 0;
        const int closedBefore = log.count("before its first pulse answer");
        RefusingServer refusing(readsHello);
        ASSERT_NE(refusing.port(), 0);
        setServer("127.0.0.1", refusing.port());
        startLink();
        ASSERT_TRUE(waitUntil([&] { return int(refusing.accepted().size()) >= CONNECTIONS; }));
        const auto times = refusing.accepted();
        for (std::size_t i = 1; i < std::min<std::size_t>(times.size(), 100); ++i)
            EXPECT_GE(times[i] - times[i - 1], milliseconds(intervals.connectPacingMs) - SLACK)
                << "reconnect " << i;
        ASSERT_TRUE(waitUntil([&] { return announcements >= 1; }, 5000));
        link.reset();

        EXPECT_EQ(srv_link_shown, 1) << "the notice shows";
        EXPECT_EQ(announcements, 1) << "link down once, never up in between";
        EXPECT_GE(log.count("before its first pulse answer") - closedBefore, CONNECTIONS - 1);
    }
}

TEST_F(TcpThreadTest, FullInboundRingStopsReadingUntilChunksAreFreedAndLosesNothing) {
    consuming = false;
    startLink();
    ASSERT_TRUE(waitUntil([&] { return server.receivedAtLeast(0, 4); }));
    const QByteArray stream = pattern(RING_ENTRIES * RX_CHUNK_BYTES + 6 * 1000 * 1000);
    server.socket(0).write(stream);
    ASSERT_TRUE(waitUntil([&] { return inboundRing().waitingChunks() == RING_ENTRIES; }, 120000));
    // The link keeps running but takes no more data while every chunk waits.
    sendMarkerThrough(0);
    EXPECT_EQ(inboundRing().waitingChunks(), RING_ENTRIES);
    EXPECT_EQ(chunkSignals, 1) << "a consumer that lags holds one signal, not one per chunk";

    ASSERT_TRUE(waitUntil(
        [&] {
            takeAll();
            return consumed.size() >= stream.size();
        },
        120000));
    EXPECT_TRUE(consumed == stream);
    EXPECT_EQ(partialDrops, 0);
}

TEST(LinkIntervals, DefaultsAreTheLinksRealTimings) {
    const LinkIntervals defaults;
    const struct {
        const char *name;
        int actual;
        int expected;
    } cases[] = {
        {"pulse period", defaults.pulseMs, 2500},
        {"connect wait", defaults.connectWaitMs, 1000},
        {"connect pacing", defaults.connectPacingMs, 1000},
        {"read wait", defaults.readWaitMs, 200},
        {"write wait", defaults.writeWaitMs, 200},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
