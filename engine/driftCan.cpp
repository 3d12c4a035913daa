#include "engine/driftCan.h"

#include <vector>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/SpriteCanOps.h"
#include "engine/virionTron.h"
#include "framework/core/Yield.h"

void driftCan::redraw() {
    if (!processingClick && AniTrons.UBound() > 0) {
        RAlea& alea = fw::Deref(Globals::myRAlea);
        const double maxF = GetMaxFitness();
        // The offspring, first bred first, in a list that keeps its room
        // from one generation to the next (taken out of the member while
        // in use, so a nested redraw could only find it empty).
        std::vector<fw::Ref<virionTron>> next;
        next.swap(next_);
        next.clear();

        for (int32_t i = 1; i <= Globals::PopSize; ++i) {
            // Parent by rejection: j, then r, until r < F / maxF, so a virion
            // of the highest fitness is always accepted at once.
            virionTron* parent = nullptr;
            double r = 0.0;
            do {
                const int32_t j = alea.random(1, AniTrons.UBound());
                fw::Yield();
                r = alea.random();
                parent = &fw::CastRef<virionTron>(AniTrons(j));
            } while (!(r < parent->Fitness / maxF));
            next.push_back(parent->clone());
            fw::Yield();
        }

        clear();

        AniTrons.raw().reserve(next.size() + 1);
        for (fw::Ref<virionTron>& child : next) {
            virionTron& v = *child;
            AniTrons.Insert(AniTrons.UBound() + 1, std::move(child));
            v.randomizeLoc(*this);
            fw::Yield();
        }
        next.clear();
        next_.swap(next);
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
        const double f = fw::CastRef<virionTron>(AniTrons(i)).Fitness;
        if (m < f) m = f;
        fw::Yield();
    }
    return m;
}
