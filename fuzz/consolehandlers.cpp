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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static NullConsoleViews views;
    [[maybe_unused]] static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Every input starts from the initial tables, so runs are reproducible; copying them back
    // is far cheaper than allocating new ones.
    static const auto initial = ConsoleTables::create();
    static const auto tables = ConsoleTables::create();
    ConsoleTables &t = *tables;
    t = *initial;
    clearRackAddressTables();
    srv_log_requested = -1;
    SrvMsgProcessor processor(t, views, QStringLiteral("/nonexistent"));

    Input in{data, size};
    while (!in.done()) {
        const uint8_t c = in.byte();
        if (c & 0x80)
            processor.discardPartial();
        if ((c & 0x0F) == 0) {
            processor.processChunk(in.bytes(in.byte()));
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
        const qsizetype cut = in.byte() % (message.size() + 1);
        processor.processChunk(QByteArrayView(message).first(cut));
        processor.processChunk(QByteArrayView(message).sliced(cut));
    }
    while (!outboundRing().waitingMessage().isEmpty())
        outboundRing().freeMessage();
    srv_reconnect = -1;
    return 0;
}
