// Throughput of the two message rings on their own, without a socket.
#include "console/link/rings.h"

#include <benchmark/benchmark.h>

#include <QByteArray>

#include <cstring>
#include <memory>

namespace {

void BM_OutboundQueueAndSend(benchmark::State &state) {
    auto ring = std::make_unique<OutboundRing>();
    const QByteArray message(int(state.range(0)), 'm');
    for (auto _ : state) {
        ring->queue(message.constData(), int(message.size()));
        benchmark::DoNotOptimize(ring->waitingMessage().data());
        ring->freeMessage();
    }
    state.SetBytesProcessed(state.iterations() * message.size());
}
BENCHMARK(BM_OutboundQueueAndSend)->Arg(4)->Arg(NUM_MSG_TO_SRV_BYTES);

void BM_InboundFillAndTake(benchmark::State &state) {
    auto ring = std::make_unique<InboundRing>();
    const QByteArray bytes(int(state.range(0)), 'c');
    for (auto _ : state) {
        char *chunk = ring->reserveChunk();
        std::memcpy(chunk, bytes.constData(), size_t(bytes.size()));
        ring->publishChunk(int(bytes.size()));
        const InboundChunk taken = ring->takeInboundChunk();
        benchmark::DoNotOptimize(taken.bytes().data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_InboundFillAndTake)->Arg(64)->Arg(RX_CHUNK_BYTES);

// A reconnect with the whole ring waiting: the consumer frees 1000 stale chunks by their lengths.
void BM_InboundDiscardFullRing(benchmark::State &state) {
    auto ring = std::make_unique<InboundRing>();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < RING_ENTRIES; ++i) {
            ring->reserveChunk()[0] = 'x';
            ring->publishChunk(1);
        }
        state.ResumeTiming();
        ring->discardAll();
        benchmark::DoNotOptimize(ring->takeInboundChunk().dropPartial());
    }
}
BENCHMARK(BM_InboundDiscardFullRing);

} // namespace

BENCHMARK_MAIN();
