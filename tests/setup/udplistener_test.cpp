#include "platform/udplistener.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <functional>
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

} // namespace

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
