// A virion of the generation laboratories: a sprite with a nucleotide
// Sequence and a Fitness. Copies carry at most one point mutation; a mutant
// gets a random colour and, by Globals::EffectOnFitness, a fitness 5 %
// higher or lower than its parent's.
#pragma once

#include "engine/aniTron.h"
#include "engine/cArray.h"

class virionTron : public aniTron {
public:
    // A founder at a random place on can: fitness 100, black, large dot,
    // Globals::SequenceLength random letters. Draws x, y, then the letters.
    void prepare(SpriteCanvas& can) override;
    // A descendant after one mutation trial with Globals::MutRatePerSeq.
    virtual fw::Ref<virionTron> clone();
    // With probability rate, a copy of seq with one letter changed;
    // otherwise nil. seq itself never changes.
    virtual fw::Ref<cArray> mutate(double rate, const fw::Ref<cArray>& seq);
    // A random place on can at least half a sprite away from every edge.
    virtual void randomizeLoc(SpriteCanvas& can);

    double Fitness = 0.0;
    fw::Ref<cArray> Sequence;
};

// The steps that virionTron and agingVTron share: the two virion classes
// are siblings, so their common sequence, placement and mutant handling
// lives here. Every draw goes to Globals::myRAlea.
namespace virionSteps {

// A new sequence with indices 0 to n, letters drawn for 1 to its upper
// bound (one Integer draw from 1 to 4 each: A, T, G, C); element 0 empty.
fw::Ref<cArray> RandomSequence(int32_t n);
// The mutation trial: one draw; when it is at most rate, a copy of seq with
// the letter at a random position 1..ubound replaced by a different one
// (letters drawn until one differs). Otherwise nil.
fw::Ref<cArray> MutatedCopy(double rate, const fw::Ref<cArray>& seq);
// x (one draw) then y (one draw) in [size / 2, canvas size - 1.5 * size).
void RandomLoc(aniTron& t, SpriteCanvas& can);
// Red, green, blue: one draw each, times 255, truncated.
fw::Color RandomColor();
// F + 5 % under "B", F - 5 % under "D", F otherwise.
double MutantFitness(double F);

}  // namespace virionSteps
