#include "console/link/srvmsgprocessor.h"

#include "console/link/alarmhandlers.h"
#include "console/link/consoletables.h"
#include "console/link/consoleviews.h"
#include "console/link/linkhandlers.h"
#include "console/link/rackhandlers.h"
#include "console/link/rings.h"
#include "console/link/srvmessage.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

static_assert(2 * MAX_SRV_MSG_WORDS < SRV_BUFFER_BYTES, "a whole message fits the carry buffer");
static_assert(MAX_SRV_MSG_WORDS <= SRV_BUFFER_WORDS);

SrvMsgProcessor::SrvMsgProcessor(ConsoleTables &tables, ConsoleViews &views, QString iconRoot)
    : t(tables)
    , views(views)
    , iconFiles(std::move(iconRoot)) {}

void SrvMsgProcessor::processInboundChunk(const InboundChunk &chunk) {
    if (chunk.dropPartial()) {
        discardPartial();
        // The old connection's racks go before the new connection's messages show theirs.
        hideRacksAfterRingsReset(t, views);
    }
    chunkInHand = &chunk;
    cutMessages(chunk.bytes());
    chunkInHand = nullptr;
}

void SrvMsgProcessor::refreshViews() {
    refreshStaleViews(t, views);
    iconFiles.forget();
}

void SrvMsgProcessor::discardPartial() {
    t.rxCarry = 0;
    waitingForReconnect = false;
}

void SrvMsgProcessor::processChunk(QByteArrayView bytes) {
    cutMessages(bytes);
    refreshViews();
}

void SrvMsgProcessor::cutMessages(QByteArrayView bytes) {
    qsizetype offset = 0;
    while (offset < bytes.size() && !waitingForReconnect) {
        // Take as much of the chunk as the carry buffer holds; a remainder left after cutting
        // is always shorter than one message, so every round makes room for more.
        const qsizetype room = SRV_BUFFER_BYTES - t.rxCarry;
        const qsizetype taken = std::min(room, bytes.size() - offset);
        std::memcpy(t.AccumBuffer.data() + t.rxCarry, bytes.data() + offset, size_t(taken));
        offset += taken;
        const int avail = t.rxCarry + int(taken);

        int p = 0;
        while (avail - p >= 2) {
            const int n = int16_t(uint16_t(t.AccumBuffer[p] << 8 | t.AccumBuffer[p + 1]));
            if (n < 1 || n + 1 > MAX_SRV_MSG_WORDS) {
                qDebug() << "server message of" << n
                         << "words cannot be framed: dropping the stream";
                dropStream();
                return;
            }
            const int size = 2 * (n + 1);
            if (avail - p < size)
                break;
            if (chunkInHand && chunkInHand->fromOldConnection()) {
                // The next take drops the partial message and starts the new connection.
                t.rxCarry = 0;
                return;
            }
            ConvertByteToShortBuffer(reinterpret_cast<const char *>(t.AccumBuffer.data() + p), size,
                                     t.n_srv.data(), n + 1);
            t.msgWordCount = n + 1;
            handleMessage();
            p += size;
        }
        t.rxCarry = avail - p;
        if (p > 0 && t.rxCarry > 0)
            std::memmove(t.AccumBuffer.data(), t.AccumBuffer.data() + p, size_t(t.rxCarry));
    }
}

void SrvMsgProcessor::dropStream() {
    t.rxCarry = 0;
    waitingForReconnect = true;
    srv_reconnect = 1;
}

void SrvMsgProcessor::handleMessage() {
    t.kod = t.n_srv[1];
    findRack();
    dispatch();
}

void SrvMsgProcessor::findRack() {
    // Address words past the end of a short message read as 0.
    WireAddress address{};
    for (int i = 0; i < 4; ++i)
        address[i] = 2 + i < t.msgWordCount ? t.n_srv[2 + i] : 0;
    t.currIp = lowByteAddressText(address);

    int found = -1;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        if (t.rack[r].ipText == t.currIp) {
            found = r;
            break;
        }
    }
    t.currRackMatched = found >= 0;
    if (found >= 0)
        t.currnrack = t.rack[found].number;
    else if (t.currnrack != -1)
        t.currnrack = t.rackCount - 1;

    if (t.kod != msgRackStructure && t.kod != msgBlockDescription)
        return;
    t.currRackKnown = -1;
    if (found < 0)
        return;
    RackRecord &record = t.rack[found];
    if (record.absent == 1) {
        views.setRackRowsVisible(found, true);
        record.absent = 0;
        t.rackPanelHeight += RACK_ROWS_SHOWN_HEIGHT;
        t.rackPanelStale = true;
        ++t.visibleRackCount;
        t.treeStale = true;
    }
    t.currRackKnown = 1;
}

void SrvMsgProcessor::dispatch() {
    const SrvWords msg(t.n_srv.data(), size_t(t.msgWordCount));
    switch (t.kod) {
    case msgRackNames:
        handleRackNames(t, msg);
        break;
    case msgRackStructure:
        handleRackStructure(t, views, msg);
        break;
    case msgBlockDescription:
        handleBlockDescription(t, views, msg, iconFiles);
        break;
    case msgRegisterValues:
        handleRegisterValues(t, views, msg);
        break;
    case msgAlarmSettings:
        handleAlarmSettings(t, views, msg);
        break;
    case msgAlarmRaised:
    case msgAlarmCleared:
        handleAlarmEvent(t, views, msg);
        break;
    case msgAlarmInitFiles:
        handleAlarmInitFiles(t, msg);
        break;
    case msgAlarmReset:
        handleAlarmReset(t, views, msg);
        break;
    case msgRackSelection:
        handleRackSelection(t, views, msg);
        break;
    case msgPulse:
        handlePulseAnswer(t, views, msg);
        break;
    case msgLogRecord:
        handleLogRecord(t, views, msg);
        break;
    default:
        break;
    }
}
