// A population canvas with non-overlapping generations: each redraw replaces
// the whole population of virionTron virions by Globals::PopSize offspring,
// each a clone of a parent drawn with probability proportional to its
// fitness, placed at random, and repaints.
#pragma once

#include <vector>

#include "engine/aniCan.h"

class driftCan : public aniCan {
public:
    // One generation (unless a pick-up or drop runs or the canvas is empty),
    // then UpdateCache and BlitCache.
    void redraw() override;
    // Draws every sprite into the cache; no copy to the screen.
    virtual void UpdateCache();
    // The highest fitness among the sprites, 0.0 for an empty canvas.
    virtual double GetMaxFitness();

private:
    // The generation being bred, first offspring first; kept between
    // generations only for its room.
    std::vector<fw::Ref<class virionTron>> next_;
};
