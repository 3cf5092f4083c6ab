#include "bench/widgetbenchmain.h"
#include "console/link/consoletables.h"
#include "console/link/nullconsoleviews.h"
#include "console/windows/alarmtable.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTableWidget>
#include <QWidget>

#include <memory>

// The alarm-setting cells of all 40 racks x 17 slots x 6 alarms, made at start-up, and the
// showing of one slot's alarms in a pane table.

namespace {

constexpr int CELL_SETS = MAX_RACK_NUMBER * SLOTS_PER_RACK * ALARMS_PER_SLOT;

// Creation alone, as the main window's constructor pays it.
void BM_CreateAlarmCells(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    NullConsoleViews views;
    for (auto _ : state) {
        auto cells = std::make_unique<AlarmTable>(*tables, views);
        benchmark::DoNotOptimize(cells.get());
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
BENCHMARK(BM_CreateAlarmCells)->Unit(benchmark::kMillisecond)->Iterations(3);

// Creation and the events it leaves for the first turns of the event loop.
void BM_CreateAlarmCellsAndFirstEvents(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    NullConsoleViews views;
    for (auto _ : state) {
        auto cells = std::make_unique<AlarmTable>(*tables, views);
        QCoreApplication::sendPostedEvents();
        state.PauseTiming();
        cells.reset();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.counters["cell_sets"] = CELL_SETS;
}
BENCHMARK(BM_CreateAlarmCellsAndFirstEvents)->Unit(benchmark::kMillisecond)->Iterations(3);

// Showing a slot of 6 alarms in a pane table, alternating between two slots.
void BM_ShowSlot(benchmark::State &state) {
    auto tables = ConsoleTables::create();
    NullConsoleViews views;
    for (int s = 0; s < 2; ++s) {
        tables->alarm_table[0][s][0].alarmCount = ALARMS_PER_SLOT;
        for (AlarmEntry &entry : tables->alarm_table[0][s]) {
            entry.kind = QStringLiteral("L");
            entry.reg = 1;
            entry.lower = -5.0;
            entry.upper = 5.0;
        }
        tables->block(0, s).valueCount = 2;
    }
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
