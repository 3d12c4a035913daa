#include "engine/RAlea.h"

#include <cstring>

#include "framework/core/Text.h"

namespace {
constexpr double kModulus = 281474976710656.0;  // 2^48
constexpr double kMultiplier = 513.0;
constexpr double kIncrement = 29741096258473.0;
}  // namespace

RAlea::RAlea() {
    guessSeed();
}

RAlea::RAlea(double s) {
    setSeed(s);
}

double RAlea::getSeed() {
    return mySeed;
}

void RAlea::setSeed(double s) {
    mySeed = fw::Abs(fw::Floor(s));
    myR = mySeed;
}

double RAlea::random() {
    double p = myR * kMultiplier;  // rounded before the add
    double s = p + kIncrement;
    myR = fmod(s, kModulus);
    return myR / kModulus;
}

int32_t RAlea::random(int32_t lo, int32_t hi) {
    double d = static_cast<double>(lo);
    double r = random();
    // Span in 32-bit arithmetic, wrapping rather than overflowing.
    int32_t span = static_cast<int32_t>(static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u);
    double n = static_cast<double>(span);
    double f = fw::Floor(r * n);
    return fw::ToInt(d + f);
}

double RAlea::random(double lo, double hi) {
    double r = random();
    double range = hi - lo;
    double scaled = r * range;
    return lo + scaled;
}

void RAlea::reset() {
    myR = mySeed;
}

void RAlea::INFO() {}

void RAlea::guessSeed() {
    double m = fw::Microseconds();
    double r = fmod(m, 1000000.0);
    double t = r * 1000000.0;
    setSeed(r + t);
}

void RAlea::demonstrateZero() {
    // 490709318620.23975: times 513 rounds to 251733880452183, plus the
    // increment gives exactly 2^48, so the next draw is 0.
    const uint64_t bits = 0x425C90237EF70F58ull;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    mySeed = v;
    myR = v;
}

double RAlea::fmod(double a, double b) {
    double q = a / b;
    double f = fw::Floor(q);
    double t = b * f;
    return a - t;
}

int32_t RAlea::throw_() {
    double r = random();
    double f = fw::Floor(6.0 * r);
    return fw::ToInt(1.0 + f);
}

bool RAlea::headsOrTails() {
    return random() < 0.5;
}
