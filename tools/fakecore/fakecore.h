#pragma once

#include "tools/fakecore/fakenetwork.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <deque>

class QTcpServer;
class QTcpSocket;

// A simulated core server on 127.0.0.1 for the demo and the tests. It accepts one console at a
// time (a new one replaces the old), expects the hello first, answers pulses, sends the
// network after the hello, steps the network every tick and answers the console's requests.
// Tests script it: silence, a closed connection, messages split into pieces, garbage.
class FakeCore : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool answerPulses = true;
        bool sendNetworkOnHello = true;
        int tickIntervalMs = 1000; // 0: no timer, call tick() yourself
        int splitPieceBytes = 0;   // > 0: every write goes out in pieces of this many bytes
        int pieceIntervalMs = 5;   // pause between two pieces
        FakeNetworkSize networkSize = FakeNetworkSize::Small;
        FakeFlood flood = FakeFlood::None; // sent after the hello for as long as it is set
        int floodBurst = 100;              // flood messages per write
    };

    explicit FakeCore(QObject *parent = nullptr);
    FakeCore(const Options &options, QObject *parent = nullptr);
    ~FakeCore() override;

    // Listens on 127.0.0.1; port 0 takes any free port. False when the port cannot be bound.
    bool listen(quint16 port = 0);
    quint16 port() const;

    Options options() const { return opts; }
    void setAnswerPulses(bool answer) { opts.answerPulses = answer; }
    void setSplitPieceBytes(int bytes) { opts.splitPieceBytes = bytes; }
    void setTickInterval(int ms);
    // Starts or stops a flood; it goes out as fast as the console reads it.
    void setFlood(FakeFlood flood);
    // Flood messages sent so far.
    long long floodSent() const { return flooded; }

    FakeNetwork &network() { return net; }
    bool isConsoleConnected() const;
    bool helloSeen() const { return hello; }
    int pulseCount() const { return pulses; }
    // Every message the console sent on the current or an earlier connection, in order.
    const QList<QByteArray> &receivedMessages() const { return received; }

    // Sends a whole message, or any bytes, to the console (split when so set).
    void sendMessage(const QByteArray &message) { write(message); }
    void sendRaw(const QByteArray &bytes) { write(bytes); }
    // Bytes that frame as nothing: word 0 below 1.
    void sendGarbage();
    // A message of 25,000 words, one more than the console accepts.
    void sendOversized();
    void closeConnection();

signals:
    void consoleConnected();
    void consoleDisconnected();
    void helloReceived();
    void pulseReceived();
    void messageReceived(int kod, const QByteArray &message);
    // The console sent something that is not a message (the connection is closed).
    void protocolError(const QString &reason);

public slots:
    // One step of the network; its messages go to a console that has said hello.
    void tick();

private slots:
    void acceptConsole();
    void readConsole();
    void writeNextPiece();
    void writeFlood();

private:
    void handleMessage(const QByteArray &message);
    void write(const QByteArray &bytes);
    void writeAll(const QList<QByteArray> &messages);
    void dropConsole(const QString &reason);

    Options opts;
    FakeNetwork net;
    QTcpServer *server = nullptr;
    QTcpSocket *console = nullptr;
    QTimer ticker;
    QTimer pieceTimer;
    QTimer floodTimer;
    QByteArray inbound;
    std::deque<QByteArray> pieces;
    QList<QByteArray> received;
    bool hello = false;
    int pulses = 0;
    long long flooded = 0;
};
