// Time to take in a full network snapshot: rack names and lists, 40 racks of 17 slots, each
// slot with a block description of 60 control-table lines and its register values, cut into
// ring-sized chunks and fed through the framer and every handler.

#include "bench/networksnapshot.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/srvmsgprocessor.h"

#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace {

// 60 number lines per block.
QStringList controlTable() {
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines.append(QStringLiteral("Param%1[0.1],%2,list[1],#x").arg(i).arg(i * 3));
    return lines;
}

void BM_NetworkSnapshot(benchmark::State &state) {
    // The handlers' debug lines would measure the terminal.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const NetworkSnapshot snapshot = makeNetworkSnapshot(controlTable());
    NullConsoleViews views;
    for (auto _ : state) {
        state.PauseTiming();
        auto tables = ConsoleTables::create();
        SrvMsgProcessor processor(*tables, views, QStringLiteral("/nonexistent"));
        state.ResumeTiming();
        for (const QByteArray &chunk : snapshot.chunks)
            processor.processChunk(chunk);
        benchmark::DoNotOptimize(tables->block(39, 16).values[59]);
        state.PauseTiming();
        tables.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * snapshot.messages);
    state.counters["messages"] = snapshot.messages;
    state.counters["chunks"] = double(snapshot.chunks.size());
}
BENCHMARK(BM_NetworkSnapshot)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
