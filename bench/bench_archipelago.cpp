// One fast-forward tick of the Archipelago window at the largest settings:
// eight populated islands of 500 virions with 500-letter sequences. The
// timer ticks every 100 ms, so a tick must leave most of that period free.
#include <benchmark/benchmark.h>

#include <QtGlobal>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/virionTron.h"
#include "framework/ui/Application.h"
#include "labs/divergence/WindowArchipelago.h"

namespace {

void StartRuntime() {
    static bool started = false;
    if (started) return;
    started = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velloran_bench";
    static char* argv[] = {name, nullptr};
    fw::RuntimeInit(argc, argv);
}

// A window whose eight islands each hold 500 virions (island 0 founded as
// the window opens, the others filled with clones of its virions).
fw::Ref<class WindowArchipelago> FullArchipelago() {
    StartRuntime();
    Globals::StartUp();
    Globals::myRAlea->setSeed(20240501.0);
    Globals::PopSize = 500;
    Globals::SequenceLength = 500;
    auto w = WindowArchipelago();
    driftCan& first = w->Population(0);
    for (int32_t i = 1; i < 8; ++i) {
        driftCan& island = w->Population(i);
        island.AniTrons.Redim(first.AniTrons.UBound());
        for (int32_t k = 1; k <= first.AniTrons.UBound(); ++k) {
            auto c = fw::Cast<virionTron>(first.AniTrons(k))->clone();
            c->randomizeLoc(island);
            island.AniTrons(k) = c;
        }
    }
    return w;
}

}  // namespace

static void BM_ArchipelagoTickEightIslands(benchmark::State& state) {
    auto w = FullArchipelago();
    auto timer = w->Ctl<fw::Timer>("TimerWait");
    auto countDown = w->Ctl<counter>("CountDown");
    for (auto _ : state) {
        countDown->set(100);
        fw::Dispatch([&] { w->TimerWait_Action(*timer); });
    }
    w->Close();
}
BENCHMARK(BM_ArchipelagoTickEightIslands)->Unit(benchmark::kMillisecond)->MinTime(3.0);
