// The life-cycle population canvas: agingVTron virions swim about and live
// through overlapping generations. Each redraw is one tick: every virion
// moves one step, then exactly one life-cycle event happens (a baby grows
// up, a birth is attempted, an adult dies, or the stage changes), and the
// cache is redrawn (not copied to the screen).
#pragma once

#include <cstdint>
#include <string>

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
    virtual void UpdateCache();
    // The highest fitness, adults and babies alike; 0.0 when empty.
    virtual double GetMaxFitness();
};
