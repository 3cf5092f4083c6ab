#include "bench/networksnapshot.h"
#include "bench/widgetbenchmain.h"
#include "console/link/nullconsoleviews.h"
#include "console/link/srvmsgprocessor.h"
#include "console/windows/blockdlg.h"
#include "console/windows/blockpage.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <iterator>
#include <memory>
#include <vector>

// The block panels: the 680 empty ones the main window makes at start-up, building and
// refreshing one panel whose control table fills all 255 lines, and building and filling all
// 680 panels from a full network snapshot whose blocks have 60 lines each.

namespace {

bool discard(const QByteArray &) {
    return true;
}

// One line of every kind, in turn.
const char *const KINDS[] = {"#Lamp,G,R,Y", "$Power",     "|Mute,Muted", "%Mode,A,B,C",
                             "~%State,X,Y", "~Temp[0.1]", "Band,Lo,Hi",  "Gain[0.01](0,100,0)"};
constexpr int KIND_COUNT = int(std::size(KINDS));

void BM_CreateEmptyPanels(benchmark::State &state) {
    for (auto _ : state) {
        std::vector<std::unique_ptr<BlockDlg>> panels;
        panels.reserve(MAX_BLOCKS);
        for (int i = 0; i < MAX_BLOCKS; ++i)
            panels.push_back(std::make_unique<BlockDlg>(discard));
        benchmark::DoNotOptimize(panels.data());
        state.PauseTiming();
        panels.clear();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.counters["panels"] = MAX_BLOCKS;
}
BENCHMARK(BM_CreateEmptyPanels)->Unit(benchmark::kMillisecond);

// A full table cycling through every kind of line.
void fillTable(BlockDlg &panel) {
    for (int e = 0; e < PANEL_LINES - 1; ++e) {
        panel.lines[e] = KINDS[e % KIND_COUNT];
        panel.values[e + 1] = e % 3;
    }
    panel.state = 1;
    panel.slotIndex = 1;
}

void BM_BuildFullPanel(benchmark::State &state) {
    BlockDlg panel(discard);
    fillTable(panel);
    for (auto _ : state) {
        panel.CreateBlockControls();
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildFullPanel)->Unit(benchmark::kMillisecond);

void BM_RefreshFullPanel(benchmark::State &state) {
    BlockDlg panel(discard);
    fillTable(panel);
    panel.CreateBlockControls();
    int round = 0;
    for (auto _ : state) {
        for (int n = 1; n < PANEL_LINES; ++n)
            panel.values[n] = (n + round) % 3;
        ++round;
        panel.UpdateBlockControls();
    }
}
BENCHMARK(BM_RefreshFullPanel)->Unit(benchmark::kMillisecond);

// The console's tables after a full snapshot of 680 blocks with 60 lines of every kind.
std::unique_ptr<ConsoleTables> snapshotTables() {
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines.append(QString::fromLatin1(KINDS[i % KIND_COUNT]));
    const NetworkSnapshot snapshot = makeNetworkSnapshot(lines);
    auto tables = ConsoleTables::create();
    NullConsoleViews views;
    SrvMsgProcessor processor(*tables, views, QStringLiteral("/nonexistent"));
    for (const QByteArray &chunk : snapshot.chunks)
        processor.processChunk(chunk);
    return tables;
}

// New register values for every block, as code 30 leaves them.
void changeValues(ConsoleTables &tables, int round) {
    for (BlockDescription &block : tables.blockDesc)
        for (int n = 1; n < 60; ++n)
            block.values[n] = int16_t((n + round) % 3);
}

using Panels = std::vector<std::unique_ptr<BlockDlg>>;

Panels emptyPanels() {
    Panels panels;
    for (int i = 0; i < MAX_BLOCKS; ++i)
        panels.push_back(std::make_unique<BlockDlg>(discard));
    return panels;
}

void setupAll(Panels &panels, ConsoleTables &tables) {
    for (int r = 0; r < MAX_RACK_NUMBER; ++r)
        for (int s = 0; s < SLOTS_PER_RACK; ++s) {
            BlockDescription &block = tables.block(r, s);
            setupBlockWindow(*panels[r * SLOTS_PER_RACK + s], block, r, s, block.name);
        }
}

// Every block shown for the first time: 680 panels built from the snapshot.
void BM_BuildAllPanelsFromSnapshot(benchmark::State &state) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const std::unique_ptr<ConsoleTables> tables = snapshotTables();
    for (auto _ : state) {
        state.PauseTiming();
        Panels panels = emptyPanels();
        state.ResumeTiming();
        setupAll(panels, *tables);
        state.PauseTiming();
        panels.clear();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.counters["panels"] = MAX_BLOCKS;
}
BENCHMARK(BM_BuildAllPanelsFromSnapshot)->Unit(benchmark::kMillisecond)->Iterations(3);

// New values for every block: all 680 built panels refreshed in place.
void BM_FillAllPanelsFromSnapshot(benchmark::State &state) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const std::unique_ptr<ConsoleTables> tables = snapshotTables();
    Panels panels = emptyPanels();
    setupAll(panels, *tables);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        changeValues(*tables, ++round);
        state.ResumeTiming();
        for (int r = 0; r < MAX_RACK_NUMBER; ++r)
            for (int s = 0; s < SLOTS_PER_RACK; ++s)
                fillBlockPage(*panels[r * SLOTS_PER_RACK + s], tables->block(r, s), r, s);
    }
    state.counters["panels"] = MAX_BLOCKS;
}
BENCHMARK(BM_FillAllPanelsFromSnapshot)->Unit(benchmark::kMillisecond);

// One block's new values: fillBlockPage of a 60-line panel.
void BM_FillBlockPage60Lines(benchmark::State &state) {
    BlockDescription block;
    for (int e = 0; e < 60; ++e)
        block.entries[e] = QString::fromLatin1(KINDS[e % KIND_COUNT]);
    block.valuesState = 1;
    block.valueCount = 60;
    BlockDlg panel(discard);
    setupBlockWindow(panel, block, 0, 1, QStringLiteral("MOD"));
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int n = 1; n < 60; ++n)
            block.values[n] = int16_t((n + round) % 3);
        fillBlockPage(panel, block, 0, 1);
    }
}
BENCHMARK(BM_FillBlockPage60Lines)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    return runWidgetBenchmarks(argc, argv);
}
