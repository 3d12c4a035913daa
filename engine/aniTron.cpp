#include "engine/aniTron.h"

#include "framework/core/Text.h"

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
    // Each test sees the heading as the tests before it left it; the cosine
    // or sine is only looked at once the sprite is past that edge, and a
    // sprite already heading back inside is not turned again.
    double canWidth = static_cast<double>(can.CanvasWidth());
    double canHeight = static_cast<double>(can.CanvasHeight());
    double w = static_cast<double>(width);
    double h = static_cast<double>(height);
    if (xLoc < 0.0 && CosDirection() < 0.0) direction = kHalfTurn - direction;
    if (canWidth < xLoc + w && 0.0 < CosDirection()) direction = kHalfTurn - direction;
    if (yLoc < 0.0 && SinDirection() < 0.0) direction = -1.0 * direction;
    if (canHeight < yLoc + h && 0.0 < SinDirection()) direction = -1.0 * direction;
    // One correction back into [0, 2 pi], not a loop.
    if (kFullTurn < direction) {
        direction = direction - kFullTurn;
    } else if (direction < 0.0) {
        direction = direction + kFullTurn;
    }
}

void aniTron::glide() {
    double dx = speed * CosDirection();
    xLoc = xLoc + dx;
    double dy = speed * SinDirection();
    yLoc = yLoc + dy;
    X = fw::RoundToInt(xLoc);  // ToInt(Round(xLoc))
    Y = fw::RoundToInt(yLoc);
}
