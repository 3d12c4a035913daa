// A virion of the life-cycle laboratory: like virionTron (same sequence,
// fitness, mutation and placement) but born small, with a heading and speed
// of its own, and a life stage. It is a sibling of virionTron under aniTron,
// not derived from it.
#pragma once

#include "engine/aniTron.h"
#include "engine/cArray.h"

class agingVTron : public aniTron {
public:
    // A moving founder: not adult, fitness 100, black, small dot, random
    // place and heading, speed 1, Globals::SequenceLength random letters.
    // Draws x, y, heading, then the letters.
    void prepare(SpriteCanvas& can) override;
    // A newborn at this virion's place: small, not adult, this virion's
    // speed, a new heading drawn after the mutation draws.
    virtual fw::Ref<agingVTron> clone();
    virtual fw::Ref<cArray> mutate(double rate, const fw::Ref<cArray>& seq);
    virtual void randomizeLoc(SpriteCanvas& can);

    double Fitness = 0.0;
    fw::Ref<cArray> Sequence;
    bool Adult = false;
};
