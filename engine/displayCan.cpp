#include "engine/displayCan.h"

#include <utility>

#include "engine/SpriteCanOps.h"

void displayCan::redraw() {
    ClearCache();
    spritecan::drawSprites(*this);
    BlitCache();
}

void displayCan::prepare() {}

void displayCan::doAttach(fw::Ref<aniTron> t) {
    spritecan::doAttach(*this, t);
}

bool displayCan::within(int32_t x, int32_t y) {
    return spritecan::within(*this, x, y);
}

void displayCan::clear() {
    spritecan::clear(*this);
}

void displayCan::doneAttach(fw::Ref<aniTron>) {}

void displayCan::doneDetach(fw::Ref<aniTron>) {}

void displayCan::doDetach(int32_t i) {
    spritecan::doDetach(*this, i);
}

fw::Ref<aniTron> displayCan::mouseDown(int32_t x, int32_t y) {
    return spritecan::mouseDown(*this, x, y);
}

void displayCan::AniTronDrop(int32_t x, int32_t y, fw::Ref<aniTron> t) {
    spritecan::AniTronDrop(*this, x, y, std::move(t), true);
}
