// The sprite-list behaviour shared by the sprite canvas (aniCan) and the
// display slot (displayCan). The two classes are unrelated by derivation but
// hold the same members and offer the same operations; each declares its own
// virtual operations and forwards to these templates, which call back
// through the canvas's virtual operations (doneAttach, doDetach, redraw...)
// so that every subclass hook runs.
#pragma once

#include <cstdint>

#include "engine/aniTron.h"
#include "framework/core/Object.h"
#include "framework/core/Yield.h"
#include "framework/ui/Graphics.h"

namespace spritecan {

// Appends t and tells the canvas.
template <class C>
void doAttach(C& c, const fw::Ref<aniTron>& t) {
    c.AniTrons.Insert(c.AniTrons.UBound() + 1, t);
    c.doneAttach(t);
}

// Strictly inside the canvas; x and y in window coordinates.
template <class C>
bool within(const C& c, int32_t x, int32_t y) {
    return c.Left() < x && x < c.Left() + c.Width() && c.Top() < y && y < c.Top() + c.Height();
}

// Detaches every sprite, the last index first.
template <class C>
void clear(C& c) {
    for (int32_t i = c.AniTrons.UBound(); i >= 1; --i) {
        c.doDetach(i);
        fw::Yield();
    }
}

// Removes index i (later sprites move down by one) and tells the canvas.
template <class C>
void doDetach(C& c, int32_t i) {
    fw::Ref<aniTron> t = c.AniTrons(i);
    c.AniTrons.Remove(i);
    c.doneDetach(t);
}

// Pick-up at a window point: the sprite with the lowest index under the
// point is detached and returned with X and Y turned into its offset from
// the point (its grab offset, both negative); nil when none is hit.
template <class C>
fw::Ref<aniTron> mouseDown(C& c, int32_t x, int32_t y) {
    c.processingClick = true;
    const int32_t lx = x - c.Left();
    const int32_t ly = y - c.Top();
    fw::Ref<aniTron> picked;
    for (int32_t i = 1; i <= c.AniTrons.UBound(); ++i) {
        if (fw::Deref(c.AniTrons(i)).within(lx, ly)) {
            picked = c.AniTrons(i);
            c.doDetach(i);
            c.PulledAnitron.Raise();
            picked->X = picked->X - lx;
            picked->Y = picked->Y - ly;
            break;
        }
        fw::Yield();
    }
    if (picked) {
        c.redraw();
        c.processingClick = false;
        return picked;
    }
    c.processingClick = false;
    return nullptr;
}

// Drop at a window point: the grab offset turns back into a position on this
// canvas, the sprite is attached (after emptying the canvas when replace is
// set), the canvas redrawn and DroppedAniTron raised.
template <class C>
void AniTronDrop(C& c, int32_t x, int32_t y, fw::Ref<aniTron> t, bool replace) {
    c.processingClick = true;
    aniTron& s = fw::Deref(t);
    s.X = s.X + (x - c.Left());
    s.Y = s.Y + (y - c.Top());
    if (replace) c.clear();
    c.doAttach(t);
    c.redraw();
    c.DroppedAniTron.Raise(t);
    c.processingClick = false;
}

// Draws every sprite into the cache as a filled oval, index 1 first, so a
// later sprite covers an earlier one.
template <class C>
void drawSprites(C& c) {
    fw::Graphics& g = fw::Deref(c.Cache).Graphics();
    for (int32_t i = 1; i <= c.AniTrons.UBound(); ++i) {
        const aniTron& t = fw::Deref(c.AniTrons(i));
        g.ForeColor = t.myColor;
        g.FillOval(t.X, t.Y, t.width, t.height);
        fw::Yield();
    }
}

}  // namespace spritecan
