// The program's pseudo-random number generator.
//
// The state is a Double: each step multiplies it by 513, adds
// 29741096258473 and reduces modulo 2^48, every operation rounded to a
// double on its own (no fused multiply-add). The product loses low-order
// bits once the state passes about 1.76e13, so the stream differs from the
// exact integer recurrence; that rounding is part of the stream and must be
// kept.
#pragma once

#include <cstdint>

#include "framework/core/Object.h"

class RAlea : public fw::Object {
public:
    // Seeds from the microsecond clock (guessSeed).
    RAlea();
    // Seeds with s (setSeed).
    explicit RAlea(double s);

    virtual double getSeed();
    // Seed and state become Abs(Floor(s)); not reduced modulo 2^48.
    virtual void setSeed(double s);
    // One step; a multiple of 2^-48 in [0, 1).
    virtual double random();
    // One draw; lo to hi inclusive (lo when hi = lo - 1).
    virtual int32_t random(int32_t lo, int32_t hi);
    // One draw; lo + r * (hi - lo).
    virtual double random(double lo, double hi);
    // Restarts the stream from the last seed; no draw.
    virtual void reset();

protected:
    virtual void INFO();

public:
    // Seeds from the microsecond clock modulo one second.
    virtual void guessSeed();
    // Sets a state whose next draw is exactly 0.
    virtual void demonstrateZero();

protected:
    // a - b * Floor(a / b): a result in [0, b) for positive b.
    virtual double fmod(double a, double b);

public:
    // A die: 1 to 6. ("throw" is a C++ keyword, hence the underscore.)
    virtual int32_t throw_();
    // True when the deviate is below 0.5.
    virtual bool headsOrTails();

protected:
    double mySeed = 0.0;
    double myR = 0.0;
};
