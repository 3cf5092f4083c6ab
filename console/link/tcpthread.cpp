#include "console/link/tcpthread.h"

#include "console/link/globals.h"
#include "console/link/rings.h"
#include "console/link/serveraddress.h"
#include "console/link/srvmessage.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace {

// Longest single sleep of the link thread, so a stop request is seen promptly.
constexpr int PAUSE_STEP_MS = 20;
// The socket's receive buffer in the kernel. Bounded, so that the input ahead of a pulse
// answer (this buffer and what the server still holds) fits the room a pulse waits for.
constexpr int SOCKET_RECEIVE_BYTES = 1 << 20;
// A due pulse waits, and unanswered pulses are not judged, while fewer chunks than this are
// free: the link thread would soon stop reading the socket, and an answer would wait behind
// the input there. The GUI thread lagging is no sign of a lost server.
constexpr int PULSE_ROOM_CHUNKS = RING_ENTRIES / 4;
static_assert(std::int64_t(PULSE_ROOM_CHUNKS) * RX_CHUNK_BYTES > 4 * SOCKET_RECEIVE_BYTES);

bool roomToRead() {
    return RING_ENTRIES - inboundRing().waitingChunks() >= PULSE_ROOM_CHUNKS;
}

} // namespace

TcpThread::TcpThread(QObject *parent, const LinkIntervals &intervals)
    : QThread(parent)
    , intervals(intervals)
    , pulseTimer(std::make_unique<QTimer>()) {
    pulseTimer->setInterval(intervals.pulseMs);
    connect(pulseTimer.get(), &QTimer::timeout, this, &TcpThread::slot_SendPulseToSrv);
    pulseTimer->start();
    qDebug() << "thread id:" << QThread::currentThreadId();
    qDebug() << "timer thread id:" << pulseTimer->thread();
}

TcpThread::~TcpThread() {
    requestInterruption();
    wait();
}

void TcpThread::slot_SendPulseToSrv() {
    qDebug() << "from TcpThread::slot_SendPulseToSrv(): socket thread id:" << socketThreadId.load();
    if (socketConnected.load() && srv_reconnect.load() == -1)
        pulseDue.store(true);
}

void TcpThread::run() {
    qDebug() << "in TcpThread::run()";
    qDebug() << "thread run!!!!";
    qDebug() << "thread id:" << QThread::currentThreadId();
    QTcpSocket socket;
    // Qt never buffers more than one chunk, so a full inbound ring stops reading the socket.
    socket.setReadBufferSize(RX_CHUNK_BYTES);
    socketThreadId.store(QThread::currentThreadId());
    qDebug() << "socket thread id:" << socketThreadId.load();

    while (!isInterruptionRequested()) {
        bool connectNow = true;
        if (socket.state() == QAbstractSocket::ConnectedState) {
            if (srv_reconnect.load() == 1) {
                emptyInboundRing();
            } else {
                connectNow = false;
                // A link shown as lost is shown up again once the server answers a pulse, so
                // a server that accepts and then drops the console never hides the notice.
                if (srv_link_shown.load() != -1 && to_srv_130.load() == 0 &&
                    srv_pulse_answered.load() == 1)
                    announceLink(-1);
            }
        } else if (srv_reconnect.load() == 1 || hadConnection) {
            // A connection that the server closed is replaced like a lost one.
            if (hadConnection)
                connectionClosed();
            emptyInboundRing();
        }
        if (connectNow)
            connectToServer(socket);
        checkPulses();
        if (socket.state() == QAbstractSocket::ConnectedState) {
            writeDuePulse(socket);
            receiveChunk(socket);
            sendOneMessage(socket);
        }
    }
    socketConnected.store(false);
    socket.disconnectFromHost();
    socket.close();
}

void TcpThread::emptyInboundRing() {
    // Set first: the GUI thread sees the flag by the time it sees the ring's new connection.
    srv_rings_reset.store(1);
    inboundRing().discardAll();
    hadConnection = false;
    to_srv_130.store(0);
}

void TcpThread::announceLink(int shown) {
    srv_link_shown.store(shown);
    emit sig_InfoMsgExec();
}

void TcpThread::connectionClosed() {
    // Before its first pulse answer a connection never worked: the server refuses the console.
    if (srv_pulse_answered.load() == 1)
        return;
    qDebug() << "server closed the connection before its first pulse answer";
    if (srv_link_shown.load() != 1)
        announceLink(1);
}

void TcpThread::connectToServer(QTcpSocket &socket) {
    // Also after a connection the server accepted and closed at once.
    if (lastConnectAttempt.isValid())
        pause(int(intervals.connectPacingMs - lastConnectAttempt.elapsed()));
    if (isInterruptionRequested())
        return;
    socketConnected.store(false);
    // Aborting also drops whatever the old connection left in the socket's buffers.
    if (socket.state() != QAbstractSocket::UnconnectedState || socket.isOpen()) {
        socket.abort();
        socket.close();
    }

    // Served from here on: a request made while this attempt runs (a new address set after
    // the copy below) stays pending and rebuilds the link at the next turn.
    srv_reconnect.store(-1);
    QString host;
    int port = 0;
    {
        const QMutexLocker locker(&srvAddressLock);
        host = ip_srv_text;
        port = port_srv;
    }
    lastConnectAttempt.start();
    bool connected = false;
    if (const std::optional<QHostAddress> address = parseServerAddress(host)) {
        socket.connectToHost(*address, quint16(port), QIODevice::ReadWrite);
        connected = socket.waitForConnected(intervals.connectWaitMs);
    }
    if (!connected) {
        socket.abort();
        qDebug() << "socket don't connecting............";
        if (srv_link_shown.load() != 1)
            announceLink(1);
        srv_reconnect.store(1);
        return;
    }
    srv_log_requested.store(-1);
    srv_pulse_answered.store(-1);
    pulseAnswers.restart();
    socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, SOCKET_RECEIVE_BYTES);
    socket.readAll();
    pulseDue.store(false);
    hadConnection = true;
    const QByteArray hello = buildHello();
    writeWhole(socket, hello.constData(), hello.size());
    socketConnected.store(true);
}

void TcpThread::checkPulses() {
    if (to_srv_130.load() <= 2 || !roomToRead())
        return;
    qDebug() << "Server cabel don't connecting...";
    if (srv_link_shown.load() != 1)
        announceLink(1);
    to_srv_130.store(1);
    srv_reconnect.store(1);
}

void TcpThread::writeDuePulse(QTcpSocket &socket) {
    // A due pulse stays due while the ring is short of room.
    if (!pulseDue.load() || !roomToRead())
        return;
    pulseDue.store(false);
    if (srv_reconnect.load() != -1)
        return;
    const QByteArray pulse = buildPulse();
    if (writeWhole(socket, pulse.constData(), pulse.size())) {
        to_srv_130.fetch_add(1);
    } else {
        qDebug() << "RES=-1 from slot_SendPulseToSrv(): to_srv_130 = " << to_srv_130.load();
    }
    qDebug() << "from slot_SendPulseToSrv(): to_srv_130 = " << to_srv_130.load();
}

void TcpThread::receiveChunk(QTcpSocket &socket) {
    char *chunk = inboundRing().reserveChunk();
    if (!chunk) {
        // The GUI thread has not freed the next chunk yet: leave the data in the socket.
        pause(intervals.readWaitMs);
        return;
    }
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(intervals.readWaitMs))
        return;
    const qint64 length = std::min<qint64>(socket.bytesAvailable(), RX_CHUNK_BYTES);
    if (length <= 0)
        return;
    const qint64 read = socket.read(chunk, length);
    if (read <= 0)
        return;
    // Noted before the chunk is published, so the GUI thread that handles an answer finds it
    // counted.
    if (const int answers = pulseAnswers.scan(QByteArrayView(chunk, read)); answers > 0) {
        countPulseAnswers(answers);
        srv_pulse_answered.store(1);
    }
    inboundRing().publishChunk(int(read));
    if (inboundRing().announceChunk())
        emit sig_SrvMsgObrabot();
}

void TcpThread::sendOneMessage(QTcpSocket &socket) {
    // A link about to be rebuilt keeps its messages for the new connection.
    if (srv_reconnect.load() != -1)
        return;
    const QByteArrayView message = outboundRing().waitingMessage();
    if (message.isEmpty())
        return;
    if (!writeWhole(socket, message.data(), message.size()))
        qDebug() << "Error: In tcpsocket thread: data is not written to srv!!!";
    outboundRing().freeMessage();
}

bool TcpThread::writeWhole(QTcpSocket &socket, const char *bytes, qint64 length) {
    if (socket.write(bytes, length) != length)
        return false;
    QElapsedTimer waited;
    waited.start();
    while (socket.bytesToWrite() > 0) {
        const qint64 left = intervals.writeWaitMs - waited.elapsed();
        if (left <= 0 || !socket.waitForBytesWritten(int(left)))
            break;
    }
    return socket.bytesToWrite() == 0;
}

void TcpThread::pause(int ms) {
    QElapsedTimer slept;
    slept.start();
    while (!isInterruptionRequested() && slept.elapsed() < ms)
        QThread::msleep(std::min<qint64>(PAUSE_STEP_MS, ms - slept.elapsed()));
}
