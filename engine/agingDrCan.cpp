#include "engine/agingDrCan.h"

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/SpriteCanOps.h"
#include "engine/agingVTron.h"
#include "framework/core/Yield.h"

namespace {

// Index of the first sprite (lowest index) whose Adult flag is as asked.
// The counts guarantee there is one whenever this runs.
int32_t firstWithAdult(fw::Array<fw::Ref<aniTron>>& sprites, bool adult) {
    int32_t i = 0;
    do {
        i = i + 1;
        fw::Yield();
    } while (fw::Cast<agingVTron>(sprites(i))->Adult != adult);
    return i;
}

}  // namespace

void agingDrCan::redraw() {
    if (!processingClick) {
        for (int32_t i = 1; i <= AniTrons.UBound(); ++i) {
            fw::Deref(AniTrons(i)).move(*this);
            fw::Yield();
        }

        if (Lifestage == "growing") {
            if (numBabies > 0) {
                agingVTron& baby = *fw::Cast<agingVTron>(AniTrons(firstWithAdult(AniTrons, false)));
                baby.Adult = true;
                baby.height = Globals::DotSizeLg;
                baby.width = Globals::DotSizeLg;
                numBabies = numBabies - 1;
                numAdults = numAdults + 1;
            } else {
                Lifestage = "reproducing";
            }
        } else if (Lifestage == "reproducing") {
            if (numBabies < Globals::PopSize && numAdults > 0) {
                RAlea& alea = fw::Deref(Globals::myRAlea);
                const int32_t n = AniTrons.UBound();
                fw::Ref<agingVTron> parent;
                do {
                    const int32_t j = alea.random(1, n);
                    fw::Yield();
                    parent = fw::Cast<agingVTron>(AniTrons(j));
                } while (!parent->Adult);
                const double p = alea.random();
                // In the first generation MaxFitness is still 0.0 and the
                // quotient is +infinity: every attempt succeeds.
                if (p < parent->Fitness / MaxFitness) doAttach(parent->clone());
            } else {
                Lifestage = "dying";
            }
        } else if (Lifestage == "dying") {
            if (numAdults > 0) {
                doDetach(firstWithAdult(AniTrons, true));
            } else if (numBabies > 0) {
                Lifestage = "growing";
                GenTick.Raise();
                MaxFitness = GetMaxFitness();
            } else {
                Lifestage = "growing";
                Extinct.Raise();
            }
        }
    }
    UpdateCache();
}

void agingDrCan::prepare() {
    numAdults = 0;
    numBabies = 0;
}

void agingDrCan::doneAttach(fw::Ref<aniTron> t) {
    aniTron& s = fw::Deref(t);
    s.xLoc = static_cast<double>(s.X);
    s.yLoc = static_cast<double>(s.Y);
    if (auto v = fw::As<agingVTron>(t)) {
        if (!v->Adult)
            numBabies = numBabies + 1;
        else
            numAdults = numAdults + 1;
    }
}

void agingDrCan::doneDetach(fw::Ref<aniTron> t) {
    if (auto v = fw::As<agingVTron>(t)) {
        if (!v->Adult)
            numBabies = numBabies - 1;
        else
            numAdults = numAdults - 1;
    }
}

void agingDrCan::UpdateCache() {
    ClearCache();
    spritecan::drawSprites(*this);
}

double agingDrCan::GetMaxFitness() {
    double m = 0.0;
    for (int32_t i = 1; i <= AniTrons.UBound(); ++i) {
        const double f = fw::Cast<agingVTron>(AniTrons(i))->Fitness;
        if (m < f) m = f;
        fw::Yield();
    }
    return m;
}
