#include "engine/Globals.h"

#include "engine/RAlea.h"
#include "framework/core/Text.h"

namespace Globals {

int32_t PopSize = 0;
fw::Ref<RAlea> myRAlea;
int32_t DotSizeLg = 0;
int32_t DotSizeSm = 0;
int32_t DotSizeTiny = 0;
int32_t SequenceLength = 0;
double MutRatePerNuc = 0.0;
double MutRatePerSeq = 0.0;
std::string EffectOnFitness;

void StartUp() {
    myRAlea = fw::New<RAlea>();
    DotSizeLg = 12;
    DotSizeSm = 8;
    DotSizeTiny = 5;
    PopSize = 50;
    SequenceLength = 100;
    MutRatePerNuc = 0.0005;
    // 1 - (1 - per-nucleotide rate) ^ length, from the default length only.
    double keep = 1.0 - MutRatePerNuc;
    double length = static_cast<double>(SequenceLength);
    double power = fw::Pow(keep, length);
    MutRatePerSeq = 1.0 - power;
    EffectOnFitness = "N";
}

}  // namespace Globals
