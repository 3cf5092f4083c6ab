// Feeds arbitrary chunk sequences through the console's framer and every handler.
//
// Input, read as a sequence of commands; each starts with a control byte c:
//   c & 0x80       the connection changed first (the partial message is dropped)
//   c & 0x0F == 0  a raw chunk: one length byte, then that many bytes as they stand
//   otherwise      one well-framed message: code picked by c, a word-count byte n, n words,
//                  fed in two chunks cut at a position taken from the next byte

#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/rings.h"
#include "console/link/srvmsgprocessor.h"

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr int16_t codes[] = {20, 30, 40, 80, 90, 91, 100, 110, 120, 130, 140, 161, 60, 20, 40};

struct Input {
    const uint8_t *data;
    size_t size;
    size_t pos = 0;

    bool done() const { return pos >= size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    QByteArray bytes(size_t n) {
        n = std::min(n, size - pos);
        QByteArray out(reinterpret_cast<const char *>(data + pos), qsizetype(n));
        pos += n;
        return out;
    }
};

void appendWord(QByteArray &out, int word) {
    out.append(char((word >> 8) & 0xFF));
    out.append(char(word & 0xFF));
}

// Returns the tables to their initial state. Copying all of them back (some 20 MB) would cost
// far more than handling an input, so only what an input can have changed is copied: the racks
// it added with their blocks and alarms, and the alarm-init rows and log records it wrote, at
// most one of each per message (a message takes at least 4 of the bytes fed).
void restore(ConsoleTables &t, const ConsoleTables &initial, std::size_t bytesFed) {
    const int racks = t.rackCount;
    std::copy_n(initial.rack.begin(), racks, t.rack.begin());
    std::copy_n(initial.blockDesc.begin(), racks * SLOTS_PER_RACK, t.blockDesc.begin());
    std::copy_n(initial.alarm_table.begin(), racks, t.alarm_table.begin());
    const std::size_t messages = bytesFed / 4;
    std::copy_n(initial.alarm_init_file.begin(),
                std::min<std::size_t>(messages, MAX_ALARM_INIT_FILES), t.alarm_init_file.begin());
    std::copy_n(initial.logRecords.begin(), std::min<std::size_t>(messages, MAX_LOG_RECORDS),
                t.logRecords.begin());
    t.logRecIndex = initial.logRecIndex;
    t.AccumBuffer = initial.AccumBuffer;
    t.n_srv = initial.n_srv;
    t.rackNameList = initial.rackNameList;
    t.rxCarry = initial.rxCarry;
    t.msgWordCount = initial.msgWordCount;
    t.kod = initial.kod;
    t.currIp = initial.currIp;
    t.currnrack = initial.currnrack;
    t.currRackKnown = initial.currRackKnown;
    t.currRackMatched = initial.currRackMatched;
    t.treeStale = initial.treeStale;
    t.rackCount = initial.rackCount;
    t.visibleRackCount = initial.visibleRackCount;
    t.rackPanelHeight = initial.rackPanelHeight;
    t.num_init_file_all = initial.num_init_file_all;
    t.monitorRack1 = initial.monitorRack1;
    t.monitorSlot1 = initial.monitorSlot1;
    t.monitorRack2 = initial.monitorRack2;
    t.monitorSlot2 = initial.monitorSlot2;
    t.monitoringOn = initial.monitoringOn;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static NullConsoleViews views;
    [[maybe_unused]] static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Every input starts from the initial tables and link flags, so runs are reproducible.
    static const auto initial = ConsoleTables::create();
    static const auto tables = ConsoleTables::create();
    ConsoleTables &t = *tables;
    clearRackAddressTables();
    srv_reconnect = -1;
    srv_link_shown = -1;
    srv_rings_reset = -1;
    srv_log_requested = -1;
    srv_pulse_answered = 1;
    to_srv_130 = 0;
    SrvMsgProcessor processor(t, views, QStringLiteral("/nonexistent"));

    Input in{data, size};
    std::size_t fed = 0;
    while (!in.done()) {
        const uint8_t c = in.byte();
        if (c & 0x80)
            processor.discardPartial();
        if ((c & 0x0F) == 0) {
            const QByteArray chunk = in.bytes(in.byte());
            fed += std::size_t(chunk.size());
            processor.processChunk(chunk);
            continue;
        }
        const int16_t kod = codes[(c & 0x0F) % std::size(codes)];
        const int n = in.byte();
        QByteArray message;
        appendWord(message, n + 1);
        appendWord(message, kod);
        for (int i = 0; i < n; ++i) {
            // Small values most of the time, so counts, slots and lengths fit now and then.
            const uint8_t high = in.byte();
            const uint8_t low = in.byte();
            appendWord(message, high & 0x40 ? (high << 8 | low) : (high & 0x01 ? -low : low));
        }
        fed += std::size_t(message.size());
        const qsizetype cut = in.byte() % (message.size() + 1);
        processor.processChunk(QByteArrayView(message).first(cut));
        processor.processChunk(QByteArrayView(message).sliced(cut));
    }
    while (!outboundRing().waitingMessage().isEmpty())
        outboundRing().freeMessage();
    restore(t, *initial, fed);
    return 0;
}
