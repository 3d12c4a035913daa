// The plain reference of the generation benchmarks: the work of a generation
// canvas's redraw written as a plain loop, with nothing of the framework.
// Sequences are std::vector<char> (index 0 unused, as in a sequence), every
// offspring copies its parent's letters, and the draws are those of the
// canvas, from an RAlea, in the same order: parent j and r by rejection,
// the mutation trial, a mutant's position, letters and colour, then every
// offspring's x and y. Nothing is drawn.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/RAlea.h"

namespace plain {

struct Virion {
    std::vector<char> letters;
    double fitness = 0.0;
    int32_t red = 0, green = 0, blue = 0;
    double xLoc = 0.0, yLoc = 0.0;
    int32_t X = 0, Y = 0, width = 0, height = 0;
};

// Sprites 1..n of a canvas at 0..n-1.
using Population = std::vector<Virion>;

struct Settings {
    int32_t popSize = 0;
    double mutRate = 0.0;
    char effect = 'N';  // 'B', 'D' or anything else
    int32_t canWidth = 0, canHeight = 0;
};

// A Double to an Integer as the program converts one: truncation, NaN 0,
// clamped to the Integer range.
inline int32_t toInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

inline void randomLoc(Virion& v, RAlea& rng, const Settings& s) {
    const double hx = static_cast<double>(v.width) / 2.0;
    const double r = rng.random();
    v.xLoc = hx + r * static_cast<double>(s.canWidth - 2 * v.width);
    const double hy = static_cast<double>(v.height) / 2.0;
    const double r2 = rng.random();
    v.yLoc = hy + r2 * static_cast<double>(s.canHeight - 2 * v.height);
    v.X = toInt(std::round(v.xLoc));
    v.Y = toInt(std::round(v.yLoc));
}

inline Virion offspring(const Virion& parent, RAlea& rng, const Settings& s) {
    Virion c;
    c.letters = parent.letters;
    const double r = rng.random();
    if (r > s.mutRate) {
        c.red = parent.red, c.green = parent.green, c.blue = parent.blue;
        c.fitness = parent.fitness;
    } else {
        static const char kLetters[4] = {'A', 'T', 'G', 'C'};
        const int32_t pos = rng.random(1, static_cast<int32_t>(c.letters.size()) - 1);
        const char old = c.letters[static_cast<size_t>(pos)];
        char b;
        do {
            b = kLetters[rng.random(1, 4) - 1];
        } while (b == old);
        c.letters[static_cast<size_t>(pos)] = b;
        c.red = toInt(rng.random() * 255.0);
        c.green = toInt(rng.random() * 255.0);
        c.blue = toInt(rng.random() * 255.0);
        const double step = parent.fitness * 0.05;
        c.fitness = s.effect == 'B' ? parent.fitness + step
                    : s.effect == 'D' ? parent.fitness - step
                                      : parent.fitness;
    }
    c.width = parent.width, c.height = parent.height;
    c.xLoc = parent.xLoc, c.yLoc = parent.yLoc, c.X = parent.X, c.Y = parent.Y;
    return c;
}

// One generation: popSize offspring of parents drawn by fitness replace
// the population, each placed at random. An empty population stays empty.
inline void generation(Population& pop, RAlea& rng, const Settings& s) {
    if (pop.empty()) return;
    double maxF = 0.0;
    for (const Virion& v : pop)
        if (maxF < v.fitness) maxF = v.fitness;
    const int32_t n = static_cast<int32_t>(pop.size());
    Population next;
    next.reserve(static_cast<size_t>(s.popSize));
    for (int32_t i = 1; i <= s.popSize; ++i) {
        const Virion* parent = nullptr;
        double r = 0.0;
        do {
            const int32_t j = rng.random(1, n);
            r = rng.random();
            parent = &pop[static_cast<size_t>(j - 1)];
        } while (!(r < parent->fitness / maxF));
        next.push_back(offspring(*parent, rng, s));
    }
    pop = std::move(next);
    for (Virion& v : pop) randomLoc(v, rng, s);
}

}  // namespace plain
