#include "engine/virionTron.h"

#include <string>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"

namespace virionSteps {

namespace {
// The four letters, made once: a trial compares against these instead of
// building a string per draw.
const std::string& Letter(int32_t k) {
    static const std::string letters[4] = {"A", "T", "G", "C"};
    return letters[(k - 1) & 3];
}

RAlea& Rng() {
    return fw::Deref(Globals::myRAlea);
}
}  // namespace

fw::Ref<cArray> RandomSequence(int32_t n) {
    RAlea& rng = Rng();
    auto seq = fw::New<cArray>(n);
    for (int32_t i = 1; i <= seq->ubound(); ++i) {
        int32_t k = rng.random(1, 4);
        seq->set(i, fw::Variant(Letter(k)));
        fw::Yield();
    }
    return seq;
}

fw::Ref<cArray> MutatedCopy(double rate, const fw::Ref<cArray>& seq) {
    RAlea& rng = Rng();
    double r = rng.random();
    if (r > rate) return nullptr;
    cArray& source = fw::Deref(seq);
    fw::Ref<cArray> copy = source.clone();
    int32_t pos = rng.random(1, source.ubound());
    const std::string old = copy->get(pos).StringValue();
    const std::string* b = nullptr;
    do {
        b = &Letter(rng.random(1, 4));
        fw::Yield();
    } while (*b == old);
    copy->set(pos, fw::Variant(*b));
    return copy;
}

void RandomLoc(aniTron& t, SpriteCanvas& can) {
    RAlea& rng = Rng();
    double hx = static_cast<double>(t.width) / 2.0;
    double r = rng.random();
    int32_t kx = can.CanvasWidth() - 2 * t.width;
    double offx = r * static_cast<double>(kx);
    t.xLoc = hx + offx;
    double hy = static_cast<double>(t.height) / 2.0;
    double r2 = rng.random();
    int32_t ky = can.CanvasHeight() - 2 * t.height;
    double offy = r2 * static_cast<double>(ky);
    t.yLoc = hy + offy;
    t.X = fw::ToInt(fw::Round(t.xLoc));
    t.Y = fw::ToInt(fw::Round(t.yLoc));
}

fw::Color RandomColor() {
    RAlea& rng = Rng();
    // Drawn one after the other: red, green, blue.
    int32_t red = fw::ToInt(rng.random() * 255.0);
    int32_t green = fw::ToInt(rng.random() * 255.0);
    int32_t blue = fw::ToInt(rng.random() * 255.0);
    return fw::RGB(red, green, blue);
}

double MutantFitness(double F) {
    double step = F * 0.05;  // rounded before it is added or subtracted
    if (Globals::EffectOnFitness == "B") return F + step;
    if (Globals::EffectOnFitness == "D") return F - step;
    return F;
}

}  // namespace virionSteps

void virionTron::prepare(SpriteCanvas& can) {
    Fitness = 100.0;
    myColor = fw::RGB(0, 0, 0);
    height = Globals::DotSizeLg;
    width = Globals::DotSizeLg;
    randomizeLoc(can);
    Sequence = virionSteps::RandomSequence(Globals::SequenceLength);
}

fw::Ref<virionTron> virionTron::clone() {
    auto c = fw::New<virionTron>();
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
    c->height = height;
    c->width = width;
    c->xLoc = xLoc;
    c->yLoc = yLoc;
    c->X = X;
    c->Y = Y;
    return c;
}

fw::Ref<cArray> virionTron::mutate(double rate, const fw::Ref<cArray>& seq) {
    return virionSteps::MutatedCopy(rate, seq);
}

void virionTron::randomizeLoc(SpriteCanvas& can) {
    virionSteps::RandomLoc(*this, can);
}
