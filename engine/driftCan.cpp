#include "engine/driftCan.h"

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/SpriteCanOps.h"
#include "engine/cArray.h"
#include "engine/virionTron.h"
#include "framework/core/Variant.h"
#include "framework/core/Yield.h"

void driftCan::redraw() {
    if (!processingClick && AniTrons.UBound() > 0) {
        RAlea& alea = fw::Deref(Globals::myRAlea);
        const double maxF = GetMaxFitness();
        fw::Ref<cArray> next = fw::New<cArray>(Globals::PopSize);

        for (int32_t i = 1; i <= Globals::PopSize; ++i) {
            // Parent by rejection: j, then r, until r < F / maxF, so a virion
            // of the highest fitness is always accepted at once.
            fw::Ref<virionTron> parent;
            double r = 0.0;
            do {
                const int32_t j = alea.random(1, AniTrons.UBound());
                fw::Yield();
                r = alea.random();
                parent = fw::Cast<virionTron>(AniTrons(j));
            } while (!(r < parent->Fitness / maxF));
            next->set(i, fw::Variant(parent->clone()));
            fw::Yield();
        }

        clear();

        for (int32_t i = 1; i <= Globals::PopSize; ++i) {
            AniTrons.Insert(AniTrons.UBound() + 1, next->get(i).As<aniTron>());
            fw::Cast<virionTron>(AniTrons(i))->randomizeLoc(*this);
            fw::Yield();
        }
    }
    UpdateCache();
    BlitCache();
}

void driftCan::UpdateCache() {
    ClearCache();
    spritecan::drawSprites(*this);
}

double driftCan::GetMaxFitness() {
    double m = 0.0;
    for (int32_t i = 1; i <= AniTrons.UBound(); ++i) {
        const double f = fw::Cast<virionTron>(AniTrons(i))->Fitness;
        if (m < f) m = f;
        fw::Yield();
    }
    return m;
}
