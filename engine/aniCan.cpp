#include "engine/aniCan.h"

#include <utility>

#include "engine/SpriteCanOps.h"

void aniCan::redraw() {}

void aniCan::prepare() {}

void aniCan::doAttach(fw::Ref<aniTron> t) {
    spritecan::doAttach(*this, t);
}

bool aniCan::within(int32_t x, int32_t y) {
    return spritecan::within(*this, x, y);
}

void aniCan::clear() {
    spritecan::clear(*this);
}

void aniCan::doneAttach(fw::Ref<aniTron>) {}

void aniCan::doneDetach(fw::Ref<aniTron>) {}

void aniCan::doDetach(int32_t i) {
    spritecan::doDetach(*this, i);
}

fw::Ref<aniTron> aniCan::mouseDown(int32_t x, int32_t y) {
    return spritecan::mouseDown(*this, x, y);
}

void aniCan::AniTronDrop(int32_t x, int32_t y, fw::Ref<aniTron> t) {
    spritecan::AniTronDrop(*this, x, y, std::move(t), false);
}
