// Throughput of the server-message path: words from bytes and decoding of one 50,000-byte
// chunk of mixed messages, beside a plain copy of the same bytes as the limit.
#include "console/link/srvmessage.h"

#include "tools/fakecore/fakenetwork.h"
#include "tools/fakecore/servermessages.h"
#include "tools/fakecore/wellformed.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr int CHUNK_BYTES = 50000;

// Whole messages of the simulated network (rack lists, descriptions, values, alarms, log
// records), repeated up to the chunk size.
const QByteArray &chunk() {
    static const QByteArray bytes = [] {
        FakeNetwork network(QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
        QList<QByteArray> messages = network.snapshot();
        for (int i = 0; i < 10; ++i)
            messages += network.advance();
        messages += network.logRecords(QDateTime(QDate(2026, 1, 1), QTime(0, 0)),
                                       QDateTime(QDate(2027, 1, 1), QTime(0, 0)));
        QByteArray out;
        for (int i = 0;; i = (i + 1) % int(messages.size())) {
            if (out.size() + messages[i].size() > CHUNK_BYTES)
                break;
            out += messages[i];
        }
        // Pulse answers (4 bytes) and at most one empty rack list (6 bytes) fill it up exactly.
        if ((CHUNK_BYTES - out.size()) % 4 == 2)
            out += encodeRackSelectionList({});
        while (out.size() < CHUNK_BYTES)
            out += encodePulseAnswer();
        return out;
    }();
    return bytes;
}

void BM_CopyChunk(benchmark::State &state) {
    const QByteArray &bytes = chunk();
    std::vector<char> target(std::size_t(bytes.size()));
    for (auto _ : state) {
        std::memcpy(target.data(), bytes.constData(), target.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_CopyChunk);

void BM_WordsFromBytes(benchmark::State &state) {
    const QByteArray &bytes = chunk();
    std::vector<int16_t> words(std::size_t(bytes.size() / 2));
    for (auto _ : state) {
        ConvertByteToShortBuffer(bytes.constData(), int(bytes.size()), words.data(),
                                 int(words.size()));
        benchmark::DoNotOptimize(words.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_WordsFromBytes);

// Cuts each message off by word 0, converts it to words and decodes it.
void BM_FrameConvertDecode(benchmark::State &state) {
    const QByteArray &bytes = chunk();
    static std::array<int16_t, CHUNK_BYTES / 2> words;
    for (auto _ : state) {
        std::size_t decoded = 0;
        for (qsizetype p = 0; p + 2 <= bytes.size();) {
            const int n = int16_t((uchar(bytes[p]) << 8) | uchar(bytes[p + 1]));
            const int size = 2 * (n + 1);
            ConvertByteToShortBuffer(bytes.constData() + p, size, words.data(), n + 1);
            decoded += decodesAsConsole(SrvWords(words.data(), std::size_t(n + 1)));
            p += size;
        }
        benchmark::DoNotOptimize(decoded);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_FrameConvertDecode);

} // namespace

BENCHMARK_MAIN();
