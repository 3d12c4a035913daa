#include "engine/agingVTron.h"

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/virionTron.h"

void agingVTron::prepare(SpriteCanvas& can) {
    Adult = false;
    Fitness = 100.0;
    myColor = fw::RGB(0, 0, 0);
    height = Globals::DotSizeSm;
    width = Globals::DotSizeSm;
    randomizeLoc(can);
    direction = kFullTurn * fw::Deref(Globals::myRAlea).random();
    speed = 1.0;
    Sequence = virionSteps::RandomSequence(Globals::SequenceLength);
}

fw::Ref<agingVTron> agingVTron::clone() {
    auto c = fw::New<agingVTron>();
    c->Adult = false;
    fw::Ref<cArray> m = mutate(Globals::MutRatePerSeq, Sequence);
    if (m) {
        c->Sequence = m->clone();
        c->myColor = virionSteps::RandomColor();
        c->Fitness = virionSteps::MutantFitness(Fitness);
    } else {
        c->Sequence = fw::Deref(Sequence).clone();
        c->myColor = myColor;
        c->Fitness = Fitness;
    }
    // A newborn is small whatever its parent's size, and starts where its
    // parent is.
    c->height = Globals::DotSizeSm;
    c->width = Globals::DotSizeSm;
    c->xLoc = xLoc;
    c->yLoc = yLoc;
    c->X = X;
    c->Y = Y;
    // The heading is drawn after every draw of the mutation.
    c->direction = kFullTurn * fw::Deref(Globals::myRAlea).random();
    c->speed = speed;
    return c;
}

fw::Ref<cArray> agingVTron::mutate(double rate, const fw::Ref<cArray>& seq) {
    return virionSteps::MutatedCopy(rate, seq);
}

void agingVTron::randomizeLoc(SpriteCanvas& can) {
    virionSteps::RandomLoc(*this, can);
}
