// The simulation's shared parameters and the program's one random-number
// generator. StartUp sets the defaults once when the application opens; the
// Reset dialog later rewrites PopSize, SequenceLength and EffectOnFitness.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/Object.h"

class RAlea;

namespace Globals {

// Number of virions a population canvas is seeded with, and the size of
// each new generation.
extern int32_t PopSize;
// The one source of random draws; every draw of the simulation goes here.
extern fw::Ref<RAlea> myRAlea;
// Dot diameters in pixels: grown virions, newborns of the life-cycle
// population, and the tree's virions.
extern int32_t DotSizeLg;
extern int32_t DotSizeSm;
extern int32_t DotSizeTiny;
// Number of nucleotides in a founder's sequence.
extern int32_t SequenceLength;
// Probability of a mutation per nucleotide; only used to derive
// MutRatePerSeq at start-up.
extern double MutRatePerNuc;
// Probability that one copy carries a point mutation. Computed once at
// start-up from the default sequence length and kept after any reset.
extern double MutRatePerSeq;
// Effect of a mutation on fitness: "B" +5 %, "D" -5 %, anything else none.
extern std::string EffectOnFitness;

// Makes the generator (seeded from the microsecond clock) and sets every
// parameter to its default. Draws nothing.
void StartUp();

}  // namespace Globals
