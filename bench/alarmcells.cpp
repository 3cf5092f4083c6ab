#include "bench/widgetbenchmain.h"
#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/windows/alarmtable.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTableWidget>
#include <QWidget>

#include <memory>

// The alarm-setting cells: made per slot the first time the slot is shown or loaded. Measured:
// the main window's start-up share (the cell store alone), the first showing of a slot, which
// makes its cells, what making all 40 racks x 17 slots x 6 alarms at once would cost, and the
// showing of one slot's alarms in a pane table once its cells exist.

namespace {

constexpr int CELL_SETS = MAX_RACK_NUMBER * SLOTS_PER_RACK * ALARMS_PER_SLOT;

// Six limit alarms on register 1 in slots 0 and 1 of rack 0.
void defineAlarms(ConsoleTables &tables) {
    for (int s = 0; s < 2; ++s) {
        tables.alarm_table[0][s][0].alarmCount = ALARMS_PER_SLOT;
        for (AlarmEntry &entry : tables.alarm_table[0][s]) {
            entry.kind = QStringLiteral("L");
            entry.reg = 1;
            entry.lower = -5.0;
            entry.upper = 5.0;
        }
        tables.block(0, s).valueCount = 2;
    }
}

// What the main window's constructor pays: the store, no cells.
void BM_CreateAlarmTable(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    NullConsoleViews views;
    for (auto _ : state) {
        auto cells = std::make_unique<AlarmTable>(*tables, views);
        benchmark::DoNotOptimize(cells.get());
    }
}
BENCHMARK(BM_CreateAlarmTable)->Unit(benchmark::kMicrosecond);

// A slot shown for the first time: its six cell sets are made and shown.
void BM_FirstShowOfASlot(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    defineAlarms(*tables);
    NullConsoleViews views;
    QWidget page;
    QTableWidget *table = AlarmTable::createPaneTable(&page);
    page.show();
    for (auto _ : state) {
        state.PauseTiming();
        auto cells = std::make_unique<AlarmTable>(*tables, views);
        state.ResumeTiming();
        cells->showSlot(*table, 0, 0);
        QCoreApplication::sendPostedEvents();
        state.PauseTiming();
        table->setRowCount(0);
        cells.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstShowOfASlot)->Unit(benchmark::kMillisecond);

// Every slot's cells made at once, as an eager start-up would.
void BM_MakeAllAlarmCells(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    NullConsoleViews views;
    for (auto _ : state) {
        auto cells = std::make_unique<AlarmTable>(*tables, views);
        for (int r = 0; r < MAX_RACK_NUMBER; ++r)
            for (int s = 0; s < SLOTS_PER_RACK; ++s)
                benchmark::DoNotOptimize(&cells->cells(r, s, 0));
        QCoreApplication::sendPostedEvents();
        state.PauseTiming();
        cells.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.counters["cell_sets"] = CELL_SETS;
    // Seconds per cell set (printed with an SI prefix: u = microseconds).
    state.counters["per_set"] = benchmark::Counter(
        CELL_SETS, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MakeAllAlarmCells)->Unit(benchmark::kMillisecond)->Iterations(3);

// Showing a slot of 6 alarms in a pane table, alternating between two slots.
void BM_ShowSlot(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    defineAlarms(*tables);
    NullConsoleViews views;
    AlarmTable cells(*tables, views);
    QWidget page;
    QTableWidget *table = AlarmTable::createPaneTable(&page);
    page.show();
    int slot = 0;
    for (auto _ : state) {
        cells.showSlot(*table, 0, slot);
        QCoreApplication::sendPostedEvents();
        slot = 1 - slot;
    }
}
BENCHMARK(BM_ShowSlot)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    return runWidgetBenchmarks(argc, argv);
}
