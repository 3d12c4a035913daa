#include "engine/aniTron.h"

void aniTron::move(SpriteCanvas& can) {
    if (can.IsProcessingClick()) return;
    // The bounce looks at the position before the step.
    bounce(can);
    glide();
}

void aniTron::prepare(SpriteCanvas&) {}

bool aniTron::within(int32_t x, int32_t y) {
    return X < x && x < X + width && Y < y && y < Y + height;
}

void aniTron::bounce(SpriteCanvas& can) {
    BounceWithin(static_cast<double>(can.CanvasWidth()), static_cast<double>(can.CanvasHeight()));
}

void aniTron::glide() {
    GlideStep();
}
