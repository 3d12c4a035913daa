// The population canvases at their largest, against the 100 ms timer
// period: a generation of 500 virions of 500 letters, and one life-cycle
// tick with 1,000 virions on the canvas.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/driftCan.h"
#include "engine/virionTron.h"
#include "framework/ui/Window.h"

namespace {

void EnsureApplication() {
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "velloran_bench";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

class BenchWindow : public fw::Window {
public:
    fw::Ref<driftCan> drift;
    fw::Ref<agingDrCan> aging;
    void CreateControls() override {
        drift = AddControl<driftCan>("drift");
        drift->SetBounds(20, 20, 256, 192);
        aging = AddControl<agingDrCan>("aging");
        aging->SetBounds(300, 20, 256, 192);
    }
};

fw::Ref<BenchWindow> OpenBenchWindow() {
    EnsureApplication();
    Globals::StartUp();
    Globals::myRAlea->setSeed(777.0);
    return fw::ImplicitWindow<BenchWindow>();
}

}  // namespace

// One whole generation, UpdateCache and BlitCache included, with the
// Beneficial effect so fitness varies and the parent draw rejects.
static void BM_DriftGeneration500x500(benchmark::State& state) {
    auto w = OpenBenchWindow();
    driftCan& can = *w->drift;
    Globals::PopSize = 500;
    Globals::SequenceLength = 500;
    Globals::EffectOnFitness = "B";
    can.clear();
    auto founder = fw::New<virionTron>();
    founder->prepare(can);
    for (int i = 0; i < 500; ++i) can.doAttach(founder->clone());
    can.redraw();
    for (auto _ : state) can.redraw();
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(BM_DriftGeneration500x500)->Unit(benchmark::kMillisecond);

// A growing tick with 1,000 virions: every virion moves, the search for the
// first baby runs over the whole list (the only baby is the last one), and
// the cache is redrawn.
static void BM_AgingTick1000(benchmark::State& state) {
    auto w = OpenBenchWindow();
    agingDrCan& can = *w->aging;
    Globals::PopSize = 1000;
    Globals::SequenceLength = 100;
    can.clear();
    can.prepare();
    auto founder = fw::New<agingVTron>();
    founder->prepare(can);
    for (int i = 0; i < 1000; ++i) {
        auto c = founder->clone();
        c->randomizeLoc(can);
        c->Adult = i < 999;
        can.doAttach(c);
    }
    auto last = fw::Cast<agingVTron>(can.AniTrons(1000));
    for (auto _ : state) {
        state.PauseTiming();
        last->Adult = false;
        can.numAdults = 999;
        can.numBabies = 1;
        can.Lifestage = "growing";
        state.ResumeTiming();
        can.redraw();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_AgingTick1000)->Unit(benchmark::kMicrosecond);
