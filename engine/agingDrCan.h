// The life-cycle population canvas: agingVTron virions swim about and live
// through overlapping generations. Each redraw is one tick: every virion
// moves one step, then exactly one life-cycle event happens (a baby grows
// up, a birth is attempted, an adult dies, or the stage changes), and the
// cache is redrawn (not copied to the screen).
//
// The cache is drawn when it is about to be looked at: UpdateCache notes
// where each virion stands and how it looks, and the picture is drawn from
// that note at the next BlitCache, paint or use of Cache. A fast forward's
// intermediate steps, never shown, are never drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/aniCan.h"
#include "framework/core/Event.h"

class agingDrCan : public aniCan {
public:
    // "growing", "reproducing" or "dying"; empty until the window seeds.
    std::string Lifestage;
    // Divisor of the birth test, set at each generation boundary that
    // leaves babies. 0.0 until the first boundary, so every birth attempt
    // of the first generation succeeds.
    double MaxFitness = 0.0;
    // Adult and baby sprites in AniTrons, kept through every attach and
    // detach.
    int32_t numAdults = 0;
    int32_t numBabies = 0;

    // The last adult died and babies remain: a generation has passed.
    fw::Event<> GenTick;
    // The last adult died and no baby remains.
    fw::Event<> Extinct;

    void redraw() override;
    // Both counts to 0; the stage and MaxFitness stay.
    void prepare() override;
    // A dropped sprite swims on from where it was put; virions are counted.
    void doneAttach(fw::Ref<aniTron> t) override;
    void doneDetach(fw::Ref<aniTron> t) override;
    // The picture of the sprites as they stand now, index 1 first (drawn
    // when it is next used).
    virtual void UpdateCache();
    // The highest fitness, adults and babies alike; 0.0 when empty.
    virtual double GetMaxFitness();

protected:
    void DrawDeferred() override;

private:
    // One sprite as UpdateCache found it.
    struct Dot {
        int32_t x, y, width, height;
        uint8_t red, green, blue;
    };
    std::vector<Dot> dots_;
};
