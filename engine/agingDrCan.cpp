#include "engine/agingDrCan.h"

#include <type_traits>
#include <typeinfo>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/SpriteCanOps.h"
#include "engine/agingVTron.h"
#include "framework/core/Yield.h"

namespace {

// An agingVTron moves as aniTron defines it: the move loop calls the three
// steps directly for a sprite of exactly that class.
template <class C>
constexpr bool movesAsDefined =
    std::is_same_v<decltype(&C::move), void (aniTron::*)(SpriteCanvas&)> &&
    std::is_same_v<decltype(&C::bounce), void (aniTron::*)(SpriteCanvas&)> &&
    std::is_same_v<decltype(&C::glide), void (aniTron::*)()>;
static_assert(movesAsDefined<agingVTron>, "agingVTron replaces a step of the move");

// Index of the first sprite (lowest index) whose Adult flag is as asked.
// The counts guarantee there is one whenever this runs.
int32_t firstWithAdult(fw::Array<fw::Ref<aniTron>>& sprites, bool adult) {
    int32_t i = 0;
    do {
        i = i + 1;
        fw::Yield();
    } while (fw::CastRef<agingVTron>(sprites(i)).Adult != adult);
    return i;
}

}  // namespace

void agingDrCan::redraw() {
    if (!processingClick) {
        // Nothing in the loop can resize the canvas or start a pick-up, so
        // its size and flag are read once for every sprite.
        const bool held = IsProcessingClick();
        const double canWidth = static_cast<double>(CanvasWidth());
        const double canHeight = static_cast<double>(CanvasHeight());
        for (int32_t i = 1; i <= AniTrons.UBound(); ++i) {
            aniTron& t = fw::Deref(AniTrons(i));
            if (typeid(t) == typeid(agingVTron))
                t.MoveAsDefined(held, canWidth, canHeight);
            else
                t.move(*this);  // another sprite, or one that moves its own way
            fw::Yield();
        }

        if (Lifestage == "growing") {
            if (numBabies > 0) {
                agingVTron& baby = fw::CastRef<agingVTron>(AniTrons(firstWithAdult(AniTrons, false)));
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
                agingVTron* parent = nullptr;
                do {
                    const int32_t j = alea.random(1, n);
                    fw::Yield();
                    parent = &fw::CastRef<agingVTron>(AniTrons(j));
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
    const int32_t n = AniTrons.UBound();
    dots_.resize(static_cast<size_t>(n < 0 ? 0 : n));
    for (int32_t i = 1; i <= n; ++i) {
        const aniTron& t = fw::Deref(AniTrons(i));
        Dot& d = dots_[static_cast<size_t>(i - 1)];
        d.x = t.X;
        d.y = t.Y;
        d.width = t.width;
        d.height = t.height;
        d.red = t.myColor.red;
        d.green = t.myColor.green;
        d.blue = t.myColor.blue;
        fw::Yield();
    }
    DeferDrawing();
}

void agingDrCan::DrawDeferred() {
    ClearCache();
    fw::Graphics& g = Cache.raw()->Graphics();
    for (const Dot& d : dots_) {
        g.ForeColor = fw::RGB(d.red, d.green, d.blue);
        g.FillOval(d.x, d.y, d.width, d.height);
    }
}

double agingDrCan::GetMaxFitness() {
    double m = 0.0;
    for (int32_t i = 1; i <= AniTrons.UBound(); ++i) {
        const double f = fw::CastRef<agingVTron>(AniTrons(i)).Fitness;
        if (m < f) m = f;
        fw::Yield();
    }
    return m;
}
