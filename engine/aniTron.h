// A sprite: a small filled oval on a canvas, with a position kept both with
// fractions (for smooth movement) and in whole pixels (for drawing and hit
// tests), a size, a colour, a speed and a heading.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/SpriteCanvas.h"
#include "framework/core/Color.h"
#include "framework/core/Object.h"
#include "framework/core/Text.h"

class aniTron : public fw::Object {
public:
    // When no pick-up or drop runs on can: bounce, then glide.
    virtual void move(SpriteCanvas& can);
    // Sets up a new sprite on can; nothing here.
    virtual void prepare(SpriteCanvas& can);
    // True strictly inside the sprite's rectangle (borders are outside);
    // x and y in the canvas's coordinates.
    virtual bool within(int32_t x, int32_t y);
    // Turns the heading away from any canvas edge the sprite has crossed
    // while still moving outward.
    virtual void bounce(SpriteCanvas& can);
    // One straight step of length speed; X and Y follow rounded.
    virtual void glide();

    double xLoc = 0.0;       // left edge, canvas pixels with fraction
    double yLoc = 0.0;       // top edge
    double speed = 0.0;      // length of one step in pixels
    double direction = 0.0;  // heading in radians; 0 is +x, positive sine moves down
    int32_t X = 0;           // xLoc rounded (a grab offset while dragged)
    int32_t Y = 0;           // yLoc rounded (a grab offset while dragged)
    int32_t height = 0;
    int32_t width = 0;
    fw::Color myColor;

    // The angle constants of the movement: the doubles nearest to these
    // decimals, not full-precision pi and 2 pi.
    static constexpr double kHalfTurn = 3.14159265;
    static constexpr double kFullTurn = 6.2831853;

protected:
    // The cosine and sine of the heading. They are kept with the heading they
    // belong to (compared bit for bit) and worked out again only when the
    // heading has changed, which a sprite does only at an edge.
    double CosDirection() {
        sync();
        return cos_;
    }
    double SinDirection() {
        sync();
        return sin_;
    }

private:
    void sync();

    uint64_t trigOf_ = 0;  // the bits of 0.0, whose cosine is 1 and sine 0
    double cos_ = 1.0;
    double sin_ = 0.0;
};

inline void aniTron::sync() {
    uint64_t bits;
    std::memcpy(&bits, &direction, sizeof bits);
    if (bits == trigOf_) return;
    trigOf_ = bits;
    cos_ = fw::Cos(direction);
    sin_ = fw::Sin(direction);
}
