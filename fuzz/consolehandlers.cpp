// Feeds arbitrary chunk sequences through the console's framer and every handler.
//
// Input, read as a sequence of commands; each starts with a control byte c:
//   c & 0x80       the connection changed first (the partial message is dropped)
//   c & 0x0F == 0  a raw chunk: one length byte, then that many bytes as they stand
//   otherwise      one well-framed message: code picked by c, a word-count byte n, n words,
//                  fed in two chunks cut at a position taken from the next byte

#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/srvmsgprocessor.h"
#include "fuzz/serverinput.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static NullConsoleViews views;
    [[maybe_unused]] static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Every input starts from the initial tables and link flags, so runs are reproducible.
    static const auto initial = ConsoleTables::create();
    static const auto tables = ConsoleTables::create();
    ConsoleTables &t = *tables;
    restoreLinkState();
    SrvMsgProcessor processor(t, views, QStringLiteral("/nonexistent"));

    FuzzInput in{data, size};
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
        const QByteArray message = in.framedMessage(c);
        fed += std::size_t(message.size());
        const qsizetype cut = in.byte() % (message.size() + 1);
        processor.processChunk(QByteArrayView(message).first(cut));
        processor.processChunk(QByteArrayView(message).sliced(cut));
    }
    restoreTables(t, *initial, fed);
    return 0;
}
