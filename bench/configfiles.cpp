#include "setup/addresslist.h"
#include "setup/formmainstate.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace {

QStringList addresses(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> octet(0, 255);
    QStringList list;
    while (list.size() < count) {
        AddUniqueIp(list, QStringLiteral("%1.%2.%3.%4")
                              .arg(octet(random))
                              .arg(octet(random))
                              .arg(octet(random))
                              .arg(octet(random)));
    }
    return list;
}

// A core folder whose core file lists 250 users and 250 racks, and a gui file with a section
// for every user.
struct CoreFolder {
    CoreFolder() {
        state.CoreDir = dir.path() + "/";
        state.DatPath = dir.filePath("netsetup.dat");
        state.CoreGui = addresses(250, 1);
        state.CoreRack = addresses(250, 2);
        state.CoreGuiIndex = 0;
        state.SaveCoreConfig();
        for (const QString &user : std::as_const(state.CoreGui)) {
            state.GuiRack = state.CoreRack.mid(0, 20);
            state.SaveGuiSection(user);
        }
    }

    QTemporaryDir dir;
    FormMainState state;
};

void BM_LoadCoreConfig(benchmark::State &s) {
    CoreFolder folder;
    for (auto _ : s) {
        folder.state.LoadCoreConfig();
        benchmark::DoNotOptimize(folder.state.CoreRack.size());
    }
}
BENCHMARK(BM_LoadCoreConfig)->Unit(benchmark::kMillisecond);

void BM_SaveCoreConfig(benchmark::State &s) {
    CoreFolder folder;
    for (auto _ : s)
        folder.state.SaveCoreConfig();
}
BENCHMARK(BM_SaveCoreConfig)->Unit(benchmark::kMillisecond);

void BM_SortIpList(benchmark::State &s) {
    QStringList shuffled = addresses(int(s.range(0)), 3);
    for (auto _ : s) {
        QStringList list = shuffled;
        SortIpList(list);
        benchmark::DoNotOptimize(list.front());
    }
}
BENCHMARK(BM_SortIpList)->Arg(250)->Arg(5000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
