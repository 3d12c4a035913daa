// The Drift window's costly paths: a fast forward of 100 generations, run by
// the window's own handler, and one tick of the running population (the
// timer fires every 100 ms, so a tick must take well under that).
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "framework/ui/Application.h"
#include "framework/ui/Controls.h"
#include "labs/drift/WindowDrift.h"

namespace {

void ensureRuntime() {
    static bool ready = false;
    if (ready) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_drift";
    static char* argv[] = {name, nullptr};
    fw::RuntimeInit(argc, argv);
    ready = true;
}

void closeAll() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

fw::Ref<class WindowDrift> freshWindow(int32_t popSize, int32_t sequenceLength) {
    ensureRuntime();
    closeAll();
    Globals::StartUp();
    Globals::PopSize = popSize;
    Globals::SequenceLength = sequenceLength;
    Globals::myRAlea->setSeed(20240601);
    return WindowDrift();
}

}  // namespace

// Arguments: population size, sequence length.
static void BM_DriftFastForward100(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto w = freshWindow(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("100");
        state.ResumeTiming();
        fw::Dispatch([&] { w->PushButtonFastFwd_Action(); });
        state.PauseTiming();
        closeAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DriftFastForward100)
    ->Args({50, 100})
    ->Args({500, 500})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One timer tick of a running population of 500 (sequences of 100 letters);
// the ticks run on through the stages of the life cycle.
static void BM_DriftTimerTick500(benchmark::State& state) {
    auto w = freshWindow(500, 100);
    for (auto _ : state) fw::Dispatch([&] { w->TheTimer_Action(); });
    closeAll();
}
BENCHMARK(BM_DriftTimerTick500)->Unit(benchmark::kMicrosecond)->Iterations(3000);
