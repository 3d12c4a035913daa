// The generation canvases at the largest settings, each next to a plain
// reference of the same work (plain_generation.h: std::vector<char>
// sequences, the same generator and draws, nothing drawn):
// - one fast-forward tick of the Archipelago window, eight islands of 500
//   virions with 500-letter sequences (the timer ticks every 100 ms, so a
//   tick must leave most of that period free);
// - one generation of one such island.
// The Ratio benchmarks run the window and the reference in turns from the
// same seed, report the window's time as their own and the reference's as a
// counter, and check at the end that both bred exactly the same virions.
// Run with --benchmark_repetitions=N: every benchmark here also reports the
// minimum of the repetitions next to the mean and median.
#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench/plain_generation.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/cArray.h"
#include "engine/virionTron.h"
#include "framework/ui/Application.h"
#include "labs/divergence/WindowArchipelago.h"

namespace {

constexpr double kSeed = 20240501.0;
constexpr int32_t kIslands = 8;

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

void CloseAll() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

// A window whose eight islands each hold 500 virions (island 0 founded as
// the window opens, the others filled with clones of its virions).
fw::Ref<class WindowArchipelago> FullArchipelago() {
    StartRuntime();
    CloseAll();
    Globals::StartUp();
    Globals::myRAlea->setSeed(kSeed);
    Globals::PopSize = 500;
    Globals::SequenceLength = 500;
    auto w = WindowArchipelago();
    driftCan& first = w->Population(0);
    for (int32_t i = 1; i < kIslands; ++i) {
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

// ------------------------------------------------------------ the reference

plain::Settings SettingsOf(driftCan& can) {
    plain::Settings s;
    s.popSize = Globals::PopSize;
    s.mutRate = Globals::MutRatePerSeq;
    s.effect = Globals::EffectOnFitness.size() == 1 ? Globals::EffectOnFitness[0] : 'N';
    s.canWidth = can.CanvasWidth();
    s.canHeight = can.CanvasHeight();
    return s;
}

// The canvas's virions as plain ones.
plain::Population Snapshot(driftCan& can) {
    plain::Population pop;
    for (int32_t k = 1; k <= can.AniTrons.UBound(); ++k) {
        const virionTron& v = *fw::Cast<virionTron>(can.AniTrons(k));
        plain::Virion p;
        cArray& seq = fw::Deref(v.Sequence);
        p.letters.resize(static_cast<size_t>(seq.ubound() + 1), '\0');
        for (int32_t i = 1; i <= seq.ubound(); ++i)
            p.letters[static_cast<size_t>(i)] = seq.get(i).StringRef()[0];
        p.fitness = v.Fitness;
        p.red = v.myColor.red, p.green = v.myColor.green, p.blue = v.myColor.blue;
        p.xLoc = v.xLoc, p.yLoc = v.yLoc, p.X = v.X, p.Y = v.Y;
        p.width = v.width, p.height = v.height;
        pop.push_back(std::move(p));
    }
    return pop;
}

bool Same(const plain::Population& a, const plain::Population& b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        const plain::Virion &p = a[k], &q = b[k];
        if (p.letters != q.letters || p.fitness != q.fitness || p.red != q.red ||
            p.green != q.green || p.blue != q.blue || p.xLoc != q.xLoc || p.yLoc != q.yLoc ||
            p.X != q.X || p.Y != q.Y || p.width != q.width || p.height != q.height)
            return false;
    }
    return true;
}

double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

double MinOf(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

// One tick as the timer delivers it.
void Tick(class WindowArchipelago& w) {
    auto timer = w.Ctl<fw::Timer>("TimerWait");
    w.Ctl<counter>("CountDown")->set(100);
    fw::Dispatch([&] { w.TimerWait_Action(*timer); });
}

}  // namespace

// ------------------------------------------------------------ the window

static void BM_ArchipelagoTickEightIslands(benchmark::State& state) {
    auto w = FullArchipelago();
    for (auto _ : state) Tick(*w);
    CloseAll();
}
BENCHMARK(BM_ArchipelagoTickEightIslands)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->ComputeStatistics("min", MinOf);

// One generation of island 0, drawing and copying to the screen included.
static void BM_GenerationOneIsland500x500(benchmark::State& state) {
    auto w = FullArchipelago();
    driftCan& island = w->Population(0);
    for (auto _ : state) island.redraw();
    CloseAll();
}
BENCHMARK(BM_GenerationOneIsland500x500)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", MinOf);

// ------------------------------------------------------------ the references

static void BM_PlainArchipelagoTickEightIslands(benchmark::State& state) {
    auto w = FullArchipelago();
    const plain::Settings s = SettingsOf(w->Population(0));
    std::vector<plain::Population> islands;
    for (int32_t i = 0; i < kIslands; ++i) islands.push_back(Snapshot(w->Population(i)));
    CloseAll();
    RAlea rng(kSeed);
    for (auto _ : state)
        for (plain::Population& pop : islands) plain::generation(pop, rng, s);
}
BENCHMARK(BM_PlainArchipelagoTickEightIslands)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", MinOf);

static void BM_PlainGeneration500x500(benchmark::State& state) {
    auto w = FullArchipelago();
    const plain::Settings s = SettingsOf(w->Population(0));
    plain::Population pop = Snapshot(w->Population(0));
    CloseAll();
    RAlea rng(kSeed);
    for (auto _ : state) plain::generation(pop, rng, s);
}
BENCHMARK(BM_PlainGeneration500x500)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->ComputeStatistics("min", MinOf);

// ------------------------------------------------------------ side by side

// Window and reference in turns, each from the same seed on its own
// generator: the time reported is the window's, "reference_ms" the
// reference's mean, "ratio" the one divided by the other. The two must end
// with the same virions, or the benchmark reports an error.
static void RunSideBySide(benchmark::State& state, int32_t islands) {
    auto w = FullArchipelago();
    const plain::Settings s = SettingsOf(w->Population(0));
    std::vector<plain::Population> pops;
    for (int32_t i = 0; i < islands; ++i) pops.push_back(Snapshot(w->Population(i)));
    Globals::myRAlea->setSeed(kSeed + 1.0);
    RAlea rng(kSeed + 1.0);
    double window = 0.0, reference = 0.0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (islands == kIslands)
            Tick(*w);
        else
            w->Population(0).redraw();
        const auto t1 = std::chrono::steady_clock::now();
        for (plain::Population& pop : pops) plain::generation(pop, rng, s);
        const auto t2 = std::chrono::steady_clock::now();
        window += Seconds(t0, t1);
        reference += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t0, t1));
    }
    for (int32_t i = 0; i < islands; ++i) {
        if (!Same(Snapshot(w->Population(i)), pops[static_cast<size_t>(i)])) {
            state.SkipWithError(("island " + std::to_string(i) + " differs from the reference").c_str());
            break;
        }
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["reference_ms"] = n > 0 ? reference / n * 1e3 : 0.0;
    state.counters["ratio"] = reference > 0 ? window / reference : 0.0;
    CloseAll();
}

static void BM_RatioArchipelagoTickEightIslands(benchmark::State& state) {
    RunSideBySide(state, kIslands);
}
BENCHMARK(BM_RatioArchipelagoTickEightIslands)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(2.0)
    ->ComputeStatistics("min", MinOf);

static void BM_RatioGeneration500x500(benchmark::State& state) {
    RunSideBySide(state, 1);
}
BENCHMARK(BM_RatioGeneration500x500)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(1.0)
    ->ComputeStatistics("min", MinOf);
