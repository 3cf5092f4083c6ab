#include "tools/fakecore/fakecore.h"

#include "tools/fakecore/servermessages.h"

#include <QDebug>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <vector>

namespace {

// Largest message the console sends (one outbound slot).
constexpr int MAX_CONSOLE_MESSAGE_BYTES = NUM_MSG_TO_SRV_BYTES;
constexpr int OVERSIZED_WORDS = MAX_SRV_MSG_WORDS + 1;
// A flood waits while this much is still unsent, so the core never buffers without end.
constexpr qint64 FLOOD_BACKLOG_BYTES = 256 * 1024;
constexpr int FLOOD_INTERVAL_MS = 1;

std::vector<int16_t> wordsOf(const QByteArray &message) {
    std::vector<int16_t> words(std::size_t(message.size() / 2));
    ConvertByteToShortBuffer(message.constData(), int(2 * words.size()), words.data(),
                             int(words.size()));
    return words;
}

QDateTime dateTimeAt(SrvWords w, int i) {
    return QDateTime(QDate(w[i], w[i + 1], w[i + 2]), QTime(w[i + 3], w[i + 4], w[i + 5]));
}

} // namespace

FakeCore::FakeCore(QObject *parent)
    : FakeCore(Options(), parent) {}

FakeCore::FakeCore(const Options &options, QObject *parent)
    : QObject(parent)
    , opts(options)
    , net(QDateTime::currentDateTime(), options.networkSize)
    , server(new QTcpServer(this)) {
    connect(server, &QTcpServer::newConnection, this, &FakeCore::acceptConsole);
    connect(&ticker, &QTimer::timeout, this, &FakeCore::tick);
    connect(&pieceTimer, &QTimer::timeout, this, &FakeCore::writeNextPiece);
    connect(&floodTimer, &QTimer::timeout, this, &FakeCore::writeFlood);
    setTickInterval(opts.tickIntervalMs);
    setFlood(opts.flood);
}

FakeCore::~FakeCore() = default;

bool FakeCore::listen(quint16 port) {
    return server->listen(QHostAddress::LocalHost, port);
}

quint16 FakeCore::port() const {
    return server->serverPort();
}

void FakeCore::setTickInterval(int ms) {
    opts.tickIntervalMs = ms;
    if (ms > 0)
        ticker.start(ms);
    else
        ticker.stop();
}

void FakeCore::setFlood(FakeFlood flood) {
    opts.flood = flood;
    if (flood == FakeFlood::None)
        floodTimer.stop();
    else
        floodTimer.start(FLOOD_INTERVAL_MS);
}

void FakeCore::writeFlood() {
    if (!hello || !isConsoleConnected() || console->bytesToWrite() > FLOOD_BACKLOG_BYTES)
        return;
    writeAll(net.flood(opts.flood, opts.floodBurst));
    flooded += opts.floodBurst;
}

bool FakeCore::isConsoleConnected() const {
    return console && console->state() == QAbstractSocket::ConnectedState;
}

void FakeCore::sendGarbage() {
    write(QByteArray("\x00\x00\xFF\xFE garbage \x80\x00", 16));
}

void FakeCore::sendOversized() {
    std::vector<int16_t> words(std::size_t(OVERSIZED_WORDS), 0);
    words[0] = int16_t(OVERSIZED_WORDS - 1);
    words[1] = msgRegisterValues;
    QByteArray bytes(qsizetype(2 * words.size()), '\0');
    ConvertShortToByteBuffer(words.data(), int(words.size()), bytes.data(), int(bytes.size()));
    write(bytes);
}

void FakeCore::closeConnection() {
    if (console)
        console->disconnectFromHost();
}

void FakeCore::tick() {
    const QList<QByteArray> messages = net.advance();
    if (hello && isConsoleConnected())
        writeAll(messages);
}

void FakeCore::acceptConsole() {
    while (QTcpSocket *next = server->nextPendingConnection()) {
        if (console) {
            console->disconnect(this);
            console->abort();
            console->deleteLater();
        }
        console = next;
        inbound.clear();
        pieces.clear();
        hello = false;
        connect(console, &QTcpSocket::readyRead, this, &FakeCore::readConsole);
        connect(console, &QTcpSocket::disconnected, this, [this, socket = console] {
            if (socket != console)
                return;
            console->deleteLater();
            console = nullptr;
            hello = false;
            pieces.clear();
            emit consoleDisconnected();
        });
        emit consoleConnected();
    }
}

void FakeCore::readConsole() {
    if (!console)
        return;
    inbound += console->readAll();
    while (console && inbound.size() >= 2) {
        const int16_t count = int16_t((uchar(inbound[0]) << 8) | uchar(inbound[1]));
        const int size = 2 * (count + 1);
        if (count < 1 || size > MAX_CONSOLE_MESSAGE_BYTES) {
            dropConsole(QStringLiteral("word 0 = %1").arg(count));
            return;
        }
        if (inbound.size() < size)
            return;
        const QByteArray message = inbound.left(size);
        inbound.remove(0, size);
        handleMessage(message);
    }
}

void FakeCore::handleMessage(const QByteArray &message) {
    const std::vector<int16_t> words = wordsOf(message);
    const SrvWords w(words);
    const int kod = w[1];
    received.append(message);
    emit messageReceived(kod, message);

    if (!hello) {
        if (kod != msgHello || w.size() != 2) {
            dropConsole(QStringLiteral("expected the hello, got code %1").arg(kod));
            return;
        }
        hello = true;
        emit helloReceived();
        if (opts.sendNetworkOnHello)
            writeAll(net.snapshot());
        return;
    }

    switch (kod) {
    case msgPulse:
        ++pulses;
        emit pulseReceived();
        if (opts.answerPulses)
            write(encodePulseAnswer());
        break;
    case msgRackSelection:
        // Laid out as the server's own list of selected racks.
        if (const auto selection = decodeRackSelection(w))
            writeAll(net.selectRacks(*selection));
        break;
    case msgSetRegister:
        if (w.size() == 9)
            writeAll(net.setRegister({w[2], w[3], w[4], w[5]}, w[6], w[7], w[8]));
        break;
    case msgAlarmSetting:
        // The body is the record that code 80 carries.
        if (w.size() == 20) {
            std::vector<int16_t> asSettings = words;
            asSettings[1] = msgAlarmSettings;
            if (const auto records = decodeAlarmSettings(asSettings))
                writeAll(net.setAlarm(records->front()));
        }
        break;
    case msgLogRequest:
        if (w.size() == 14)
            writeAll(net.logRecords(dateTimeAt(w, 2), dateTimeAt(w, 8)));
        break;
    case msgRackRename:
        if (w.size() >= 7 && w[6] >= 0 && w.size() == std::size_t(7 + w[6]))
            writeAll(net.renameRack({w[2], w[3], w[4], w[5]}, textFromLowBytes(w.subspan(7))));
        break;
    default:
        qDebug() << "fakecore: ignoring code" << kod;
    }
}

void FakeCore::write(const QByteArray &bytes) {
    if (!isConsoleConnected())
        return;
    if (opts.splitPieceBytes <= 0 && pieces.empty()) {
        console->write(bytes);
        return;
    }
    const int piece = opts.splitPieceBytes > 0 ? opts.splitPieceBytes : int(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        pieces.push_back(bytes.mid(at, piece));
    if (!pieceTimer.isActive())
        pieceTimer.start(opts.pieceIntervalMs);
}

void FakeCore::writeAll(const QList<QByteArray> &messages) {
    for (const QByteArray &m : messages)
        write(m);
}

void FakeCore::writeNextPiece() {
    if (pieces.empty() || !isConsoleConnected()) {
        pieceTimer.stop();
        return;
    }
    console->write(pieces.front());
    console->flush();
    pieces.pop_front();
}

void FakeCore::dropConsole(const QString &reason) {
    qDebug().noquote() << "fakecore:" << reason << "- closing the connection";
    emit protocolError(reason);
    inbound.clear();
    closeConnection();
}
