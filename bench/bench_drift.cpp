// The Drift window's costly paths: a fast forward of 100 generations, run by
// the window's own handler, and one tick of the running population (the
// timer fires every 100 ms, so a tick must take well under that).
//
// Beside the window's fast forward runs a plain reference of the same work:
// the same generator with the same seed, every draw in the same order, the
// same moves, life cycle and picture once per generation, written with
// std::vector<char> sequences and plain records, no framework. The paired
// benchmark runs both from the same seed in each repetition, checks that
// they end in the same state, and reports their times and ratio.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/counter.h"
#include "framework/core/Text.h"
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

constexpr double kSeed = 20240601;

fw::Ref<class WindowDrift> freshWindow(int32_t popSize, int32_t sequenceLength) {
    ensureRuntime();
    closeAll();
    Globals::StartUp();
    Globals::PopSize = popSize;
    Globals::SequenceLength = sequenceLength;
    Globals::myRAlea->setSeed(kSeed);
    return WindowDrift();
}

double minimum(const std::vector<double>& v) {
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

// ------------------------------------------------------------ reference

namespace ref {

constexpr double kHalfTurn = 3.14159265;
constexpr double kFullTurn = 6.2831853;
constexpr char kLetters[4] = {'A', 'T', 'G', 'C'};

struct Virion {
    double xLoc = 0, yLoc = 0, speed = 0, direction = 0, cosD = 1, sinD = 0;
    int32_t X = 0, Y = 0, width = 0, height = 0;
    uint32_t color = 0xFF000000u;
    double fitness = 0;
    bool adult = false;
    std::vector<char> seq;

    void turn(double d) {
        direction = d;
        cosD = std::cos(d);
        sinD = std::sin(d);
    }
};

int32_t roundToInt(double v) {
    return static_cast<int32_t>(std::round(v));
}

struct Drift {
    RAlea rng;
    int32_t popSize, length, width, height;
    int32_t dotLg = 12, dotSm = 8;
    double mutRate;
    std::vector<Virion> pop;
    int32_t numAdults = 0, numBabies = 0, gen = 0;
    enum Stage { Growing, Reproducing, Dying } stage = Growing;
    double maxFitness = 0.0;
    std::vector<uint32_t> picture;
    std::vector<std::vector<std::pair<int32_t, int32_t>>> ovals;  // by size

    Drift(double seed, int32_t p, int32_t l, int32_t w, int32_t h)
        : rng(seed), popSize(p), length(l), width(w), height(h),
          mutRate(1.0 - std::pow(1.0 - 0.0005, 100.0)),
          picture(static_cast<size_t>(w) * static_cast<size_t>(h)) {
        ovals.resize(static_cast<size_t>(dotLg) + 1);
        for (int32_t d = 1; d <= dotLg; ++d) {
            auto& rows = ovals[static_cast<size_t>(d)];
            const double r = d / 2.0;
            for (int32_t j = 0; j < d; ++j) {
                const double dy = (j + 0.5 - r) / r, t = 1.0 - dy * dy;
                const double half = t < 0 ? 0 : r * std::sqrt(t);
                if (t < 0)
                    rows.push_back({1, 0});
                else
                    rows.push_back({static_cast<int32_t>(std::ceil(r - half - 0.5)),
                                    static_cast<int32_t>(std::floor(r + half - 0.5))});
            }
        }
    }

    void place(Virion& v) {
        v.xLoc = v.width / 2.0 + rng.random() * static_cast<double>(width - 2 * v.width);
        v.yLoc = v.height / 2.0 + rng.random() * static_cast<double>(height - 2 * v.height);
        v.X = roundToInt(v.xLoc);
        v.Y = roundToInt(v.yLoc);
    }

    Virion clone(const Virion& parent) {
        Virion c;
        if (rng.random() <= mutRate) {
            c.seq = parent.seq;
            const int32_t pos = rng.random(1, length);
            char b;
            do b = kLetters[rng.random(1, 4) - 1];
            while (b == c.seq[static_cast<size_t>(pos - 1)]);
            c.seq[static_cast<size_t>(pos - 1)] = b;
            const uint32_t red = static_cast<uint32_t>(rng.random() * 255.0);
            const uint32_t green = static_cast<uint32_t>(rng.random() * 255.0);
            const uint32_t blue = static_cast<uint32_t>(rng.random() * 255.0);
            c.color = 0xFF000000u | red << 16 | green << 8 | blue;
            c.fitness = parent.fitness;  // the neutral effect
        } else {
            c.seq = parent.seq;
            c.color = parent.color;
            c.fitness = parent.fitness;
        }
        c.width = c.height = dotSm;
        c.xLoc = parent.xLoc, c.yLoc = parent.yLoc, c.X = parent.X, c.Y = parent.Y;
        c.turn(kFullTurn * rng.random());
        c.speed = parent.speed;
        return c;
    }

    void attach(Virion v) {
        v.xLoc = v.X, v.yLoc = v.Y;
        (v.adult ? numAdults : numBabies) += 1;
        pop.push_back(std::move(v));
    }

    // The window's seeding: a founder that never joins, PopSize clones.
    void seed() {
        Virion f;
        f.fitness = 100.0;
        f.width = f.height = dotSm;
        place(f);
        f.turn(kFullTurn * rng.random());
        f.speed = 1.0;
        f.seq.resize(static_cast<size_t>(length));
        for (char& c : f.seq) c = kLetters[rng.random(1, 4) - 1];
        for (int32_t i = 0; i < popSize; ++i) {
            Virion c = clone(f);
            place(c);
            attach(std::move(c));
        }
    }

    void move(Virion& v) const {
        double d = v.direction;
        if (v.xLoc < 0.0 && v.cosD < 0.0) v.turn(d = kHalfTurn - d);
        if (width < v.xLoc + v.width && 0.0 < v.cosD) v.turn(d = kHalfTurn - d);
        if (v.yLoc < 0.0 && v.sinD < 0.0) v.turn(d = -1.0 * d);
        if (height < v.yLoc + v.height && 0.0 < v.sinD) v.turn(d = -1.0 * d);
        if (kFullTurn < d)
            v.turn(d - kFullTurn);
        else if (d < 0.0)
            v.turn(d + kFullTurn);
        v.xLoc = v.xLoc + v.speed * v.cosD;
        v.yLoc = v.yLoc + v.speed * v.sinD;
        v.X = roundToInt(v.xLoc);
        v.Y = roundToInt(v.yLoc);
    }

    size_t first(bool adult) const {
        size_t i = 0;
        while (pop[i].adult != adult) ++i;
        return i;
    }

    void tick() {
        for (Virion& v : pop) move(v);
        switch (stage) {
        case Growing:
            if (numBabies > 0) {
                Virion& b = pop[first(false)];
                b.adult = true;
                b.width = b.height = dotLg;
                --numBabies, ++numAdults;
            } else {
                stage = Reproducing;
            }
            break;
        case Reproducing:
            if (numBabies < popSize && numAdults > 0) {
                const int32_t n = static_cast<int32_t>(pop.size());
                size_t j;
                do j = static_cast<size_t>(rng.random(1, n) - 1);
                while (!pop[j].adult);
                if (rng.random() < pop[j].fitness / maxFitness) attach(clone(pop[j]));
            } else {
                stage = Dying;
            }
            break;
        case Dying:
            if (numAdults > 0) {
                pop.erase(pop.begin() + static_cast<std::ptrdiff_t>(first(true)));
                --numAdults;
            } else {
                stage = Growing;
                if (numBabies > 0) {
                    ++gen;
                    maxFitness = 0.0;
                    for (const Virion& v : pop) maxFitness = std::max(maxFitness, v.fitness);
                } else {
                    gen = 0;
                }
            }
            break;
        }
    }

    void draw() {
        std::fill(picture.begin(), picture.end(), 0xFFFFFFFFu);
        for (const Virion& v : pop) {
            const auto& rows = ovals[static_cast<size_t>(v.width)];
            for (int32_t j = 0; j < v.height; ++j) {
                const int32_t y = v.Y + j;
                if (y < 0 || y >= height) continue;
                const int32_t x0 = std::max(v.X + rows[static_cast<size_t>(j)].first, 0);
                const int32_t x1 = std::min(v.X + rows[static_cast<size_t>(j)].second, width - 1);
                uint32_t* row = picture.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
                for (int32_t x = x0; x <= x1; ++x) row[x] = v.color;
            }
        }
        benchmark::DoNotOptimize(picture.data());
    }

    // The window's fast forward of `generations`: the life cycle until the
    // next generation has grown up, then the population scattered afresh
    // and drawn once.
    void fastForward(int32_t generations) {
        const int32_t target = gen + generations;
        for (;;) {
            if (gen == target && stage == Reproducing) break;
            const int32_t start = gen;
            for (;;) {
                if (gen != start && stage == Reproducing) break;
                tick();
                if (pop.empty()) break;
            }
            for (Virion& v : pop) place(v);
            draw();
            if (pop.empty()) break;
        }
    }
};

}  // namespace ref

double seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
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
    ->ComputeStatistics("min", minimum)
    ->ReportAggregatesOnly(true);

// The window's fast forward of 100 generations and the plain reference of
// the same work, one after the other from the same seed in each
// repetition. The time is the window's; the counters give both times in
// seconds and their ratio. A reference that ends anywhere else than the
// window (population, generation, next draw) is reported as an error.
static void BM_DriftFastForward100VsReference(benchmark::State& state) {
    const auto popSize = static_cast<int32_t>(state.range(0));
    const auto length = static_cast<int32_t>(state.range(1));
    double window = 0.0, reference = 0.0;
    for (auto _ : state) {
        auto w = freshWindow(popSize, length);
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("100");
        agingDrCan& can = *w->Ctl<agingDrCan>("myAgingDrCan");

        auto t0 = std::chrono::steady_clock::now();
        fw::Dispatch([&] { w->PushButtonFastFwd_Action(); });
        const double tWindow = seconds(std::chrono::steady_clock::now() - t0);

        ref::Drift plain(kSeed, popSize, length, can.Width(), can.Height());
        plain.seed();
        t0 = std::chrono::steady_clock::now();
        plain.fastForward(100);
        const double tPlain = seconds(std::chrono::steady_clock::now() - t0);

        const bool same = static_cast<int32_t>(plain.pop.size()) == can.AniTrons.UBound() &&
                          plain.gen == fw::ToInt(fw::Val(w->Ctl<counter>("GenCounter")->Text())) &&
                          plain.rng.random() == Globals::myRAlea->random() &&
                          (plain.pop.empty() ||
                           plain.pop.back().xLoc == can.AniTrons(can.AniTrons.UBound())->xLoc);
        closeAll();
        if (!same) {
            state.SkipWithError("the reference is out of step with the window");
            break;
        }
        state.SetIterationTime(tWindow);
        window += tWindow;
        reference += tPlain;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["window_s"] = window / n;
    state.counters["reference_s"] = reference / n;
    state.counters["ratio"] = reference > 0 ? window / reference : 0.0;
}
BENCHMARK(BM_DriftFastForward100VsReference)
    ->Args({50, 100})
    ->Args({500, 500})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", minimum)
    ->ReportAggregatesOnly(true);

// One timer tick of a running population of 500 (sequences of 100 letters);
// the ticks run on through the stages of the life cycle.
static void BM_DriftTimerTick500(benchmark::State& state) {
    auto w = freshWindow(500, 100);
    for (auto _ : state) fw::Dispatch([&] { w->TheTimer_Action(); });
    closeAll();
}
BENCHMARK(BM_DriftTimerTick500)->Unit(benchmark::kMicrosecond)->Iterations(3000);
