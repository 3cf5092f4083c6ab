// Time to take in a full network snapshot: rack names and lists, 40 racks of 17 slots, each
// slot with a block description of 60 control-table lines and its register values, cut into
// ring-sized chunks and fed through the framer and every handler.

#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/rings.h"
#include "console/link/srvmsgprocessor.h"
#include "tools/fakecore/servermessages.h"

#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Snapshot {
    std::vector<QByteArray> chunks;
    int messages = 0;
};

Snapshot makeSnapshot() {
    std::vector<WireAddress> racks;
    std::vector<RackNameEntry> names;
    for (int r = 0; r < MAX_RACK_NUMBER; ++r) {
        racks.push_back({127, 0, 1, int16_t(r)});
        names.push_back({racks.back(), QStringLiteral("Стойка %1").arg(r)});
    }
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines.append(QStringLiteral("Param%1[0.1],%2,list[1],#x").arg(i).arg(i * 3));
    const std::vector<int16_t> values(60, 1234);
    std::vector<uint32_t> ids;
    for (int s = 0; s < SLOTS_PER_RACK; ++s)
        ids.push_back(0xA10000u + uint32_t(s));

    Snapshot snapshot;
    QByteArray stream;
    const auto add = [&](const QByteArray &message) {
        stream += message;
        ++snapshot.messages;
    };
    add(encodeRackNames(names));
    add(encodeAlarmReset(racks));
    add(encodeRackSelectionList(racks));
    for (const WireAddress &rack : racks) {
        add(encodeRackStructure(rack, ids));
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            add(encodeBlockDescription(rack, int16_t(s),
                                       {QStringLiteral("MOD%1").arg(s),
                                        QStringLiteral("Модуль питания"),
                                        QStringLiteral("Power module"), lines}));
            add(encodeRegisterValues(rack, int16_t(s), values));
        }
    }
    for (qsizetype at = 0; at < stream.size(); at += RX_CHUNK_BYTES)
        snapshot.chunks.push_back(stream.mid(at, RX_CHUNK_BYTES));
    return snapshot;
}

void BM_NetworkSnapshot(benchmark::State &state) {
    // The handlers' debug lines would measure the terminal.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const Snapshot snapshot = makeSnapshot();
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
