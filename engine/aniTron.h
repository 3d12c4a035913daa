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

    // move, bounce and glide exactly as this class defines them, without
    // the class's table: for a canvas that has made sure its sprite's class
    // replaces none of the three, and that reads its own size and flag once
    // for a whole pass of moves. canWidth and canHeight are the canvas's
    // Width and Height.
    void MoveAsDefined(bool processingClick, double canWidth, double canHeight) {
        if (processingClick) return;
        BounceWithin(canWidth, canHeight);
        GlideStep();
    }

protected:
    // The bodies of bounce and glide.
    void BounceWithin(double canWidth, double canHeight) {
        // Each test sees the heading as the tests before it left it; the
        // cosine or sine is only looked at once the sprite is past that
        // edge, and a sprite already heading back inside is not turned
        // again.
        const double w = static_cast<double>(width);
        const double h = static_cast<double>(height);
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
    void GlideStep() {
        const double dx = speed * CosDirection();
        xLoc = xLoc + dx;
        const double dy = speed * SinDirection();
        yLoc = yLoc + dy;
        X = fw::RoundToInt(xLoc);  // ToInt(Round(xLoc))
        Y = fw::RoundToInt(yLoc);
    }

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
