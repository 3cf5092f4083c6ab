#pragma once

#include "console/link/pulseanswerscanner.h"

#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <memory>

class QTcpSocket;
class QTimer;

// The link's timings; tests shorten them.
struct LinkIntervals {
    int connectWaitMs = 1000;   // wait for a connect
    int connectPacingMs = 1000; // least time from one connect attempt to the next
    int readWaitMs = 200;       // wait for data at each turn
    int writeWaitMs = 200;      // wait for a message to be written
    int pulseMs = 2500;         // pulse period
};

// The console's only connection to the core server. The thread body owns the socket: it
// connects and reconnects, sends the hello after each connect, fills the inbound ring and
// sends queued messages. A pulse timer in the GUI thread marks a pulse due; the link thread
// writes it and counts it in to_srv_130 once written, and counts each answer down as it reads
// it, however much input waits for the GUI thread.
class TcpThread : public QThread {
    Q_OBJECT

public:
    explicit TcpThread(QObject *parent = nullptr, const LinkIntervals &intervals = {});
    ~TcpThread() override;

signals:
    void sig_SrvMsgObrabot(); // one received chunk waits in the inbound ring
    void sig_InfoMsgExec();   // the link state to show (srv_link_shown) has changed

public slots:
    void slot_SendPulseToSrv();

protected:
    void run() override;

private:
    void emptyInboundRing();
    void announceLink(int shown);
    void connectionClosed();
    void connectToServer(QTcpSocket &socket);
    void checkPulses();
    void writeDuePulse(QTcpSocket &socket);
    void receiveChunk(QTcpSocket &socket);
    void sendOneMessage(QTcpSocket &socket);
    bool writeWhole(QTcpSocket &socket, const char *bytes, qint64 length);
    void pause(int ms);

    LinkIntervals intervals;
    std::unique_ptr<QTimer> pulseTimer;
    std::atomic<bool> socketConnected = false;
    std::atomic<bool> pulseDue = false;
    std::atomic<Qt::HANDLE> socketThreadId = nullptr;
    // Link thread only.
    PulseAnswerScanner pulseAnswers;
    bool hadConnection = false;
    QElapsedTimer lastConnectAttempt;
};
