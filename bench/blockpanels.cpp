#include "console/windows/blockdlg.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>
#include <vector>

// The block panels: the 680 empty ones the main window makes at start-up, and building and
// refreshing one panel whose control table fills all 255 lines.

namespace {

constexpr int PANELS = 40 * 17;

bool discard(const QByteArray &) {
    return true;
}

void BM_CreateEmptyPanels(benchmark::State &state) {
    for (auto _ : state) {
        std::vector<std::unique_ptr<BlockDlg>> panels;
        panels.reserve(PANELS);
        for (int i = 0; i < PANELS; ++i)
            panels.push_back(std::make_unique<BlockDlg>(discard));
        benchmark::DoNotOptimize(panels.data());
        state.PauseTiming();
        panels.clear();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    state.counters["panels"] = PANELS;
}
BENCHMARK(BM_CreateEmptyPanels)->Unit(benchmark::kMillisecond);

// A full table cycling through every kind of line.
void fillTable(BlockDlg &panel) {
    const char *kinds[] = {"#Lamp,G,R,Y", "$Power",     "|Mute,Muted", "%Mode,A,B,C",
                           "~%State,X,Y", "~Temp[0.1]", "Band,Lo,Hi",  "Gain[0.01](0,100,0)"};
    for (int e = 0; e < PANEL_LINES - 1; ++e) {
        panel.lines[e] = kinds[e % 8];
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

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
