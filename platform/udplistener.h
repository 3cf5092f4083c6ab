#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

#include <functional>

class QSocketNotifier;

// Listens for UDP datagrams on one port of every local IPv4 interface, on the thread that owns
// it, and hands each datagram with its sender to OnUDPRead. It only listens: nothing is sent.
// At most kDatagramsPerTurn datagrams are read per turn of the event loop, so input, timers and
// painting keep their turns under a flood. The socket's read notifier is level-triggered: while
// datagrams wait, every turn reads on, so no flood ever leaves the listener deaf.
class UdpListener : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 5003;
    // Datagrams larger than the receive buffer are dropped.
    static constexpr qint64 kBufferSize = 8192;
    static constexpr auto kBindErrorText =
        "Could not bind socket. Address and port are already in use.";
    static constexpr int kDatagramsPerTurn = 64;

    explicit UdpListener(quint16 port = kDefaultPort, QObject *parent = nullptr);
    ~UdpListener() override;

    bool Active() const { return m_fd >= 0; }
    // Binds or closes the socket; false when the port cannot be bound, the listener then stays
    // inactive.
    bool SetActive(bool active);
    // The port bound while active (the given one, or the one chosen for port 0).
    quint16 LocalPort() const;

    std::function<void(const QByteArray &datagram, const QHostAddress &sender)> OnUDPRead;

private:
    void readBatch();
    void close();

    quint16 m_port = kDefaultPort;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};
