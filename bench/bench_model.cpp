// The model's hot paths: a generation of 500 virions clones 500 sequences
// of up to 500 letters, so a clone must cost about as little as a plain
// copy of the letters.
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
