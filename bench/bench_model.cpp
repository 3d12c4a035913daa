// The model's hot paths: a generation of 500 virions clones 500 sequences
// of up to 500 letters, so a clone must cost about as little as a plain
// copy of the letters (a faithful clone shares its parent's letters and
// copies none; a mutant copies them once).
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/virionTron.h"

namespace {
struct BenchCanvas : SpriteCanvas {
    int32_t CanvasWidth() const override { return 400; }
    int32_t CanvasHeight() const override { return 300; }
    bool IsProcessingClick() const override { return false; }
};

fw::Ref<virionTron> Founder(int32_t letters) {
    Globals::StartUp();
    Globals::SequenceLength = letters;
    Globals::myRAlea->setSeed(12345.0);
    BenchCanvas can;
    auto v = fw::New<virionTron>();
    v->prepare(can);
    return v;
}
}  // namespace

// clone with the start-up mutation rate: mostly faithful copies, about one
// in twenty a mutant.
static void BM_VirionClone500(benchmark::State& state) {
    auto v = Founder(500);
    for (auto _ : state) {
        auto c = v->clone();
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_VirionClone500);

// 500 mutation trials at rate 1: each copies the sequence and changes one
// letter.
static void BM_Mutate500Trials(benchmark::State& state) {
    auto v = Founder(500);
    for (auto _ : state) {
        for (int i = 0; i < 500; ++i) {
            auto m = v->mutate(1.0, v->Sequence);
            benchmark::DoNotOptimize(m);
        }
    }
    state.SetItemsProcessed(state.iterations() * 500);
}
BENCHMARK(BM_Mutate500Trials);

static void BM_RandomMillionDraws(benchmark::State& state) {
    RAlea g(0.0);
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < 1000000; ++i) sum += g.random();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_RandomMillionDraws);

// A mutant every time: the trial, one copy of the 500 letters with one
// changed, a colour and a fitness.
static void BM_MutantClone500(benchmark::State& state) {
    auto v = Founder(500);
    Globals::MutRatePerSeq = 1.0;
    for (auto _ : state) {
        auto c = v->clone();
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MutantClone500);

// For comparison: a plain copy of 500 bytes.
static void BM_PlainVectorCopy500(benchmark::State& state) {
    std::vector<char> letters(500, 'A');
    for (auto _ : state) {
        std::vector<char> copy(letters);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainVectorCopy500);

// For comparison with BM_MutantClone500: a plain copy of 500 bytes with one
// changed, drawn as a mutant draws (position, then letters until one
// differs).
static void BM_PlainMutantCopy500(benchmark::State& state) {
    std::vector<char> letters(501, 'A');
    RAlea g(12345.0);
    for (auto _ : state) {
        std::vector<char> copy(letters);
        const int32_t pos = g.random(1, 500);
        char b;
        do {
            b = "ATGC"[g.random(1, 4) - 1];
        } while (b == copy[static_cast<size_t>(pos)]);
        copy[static_cast<size_t>(pos)] = b;
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainMutantCopy500);
