// A horizontal bar of the tree: it joins the two sides of one split at the
// height of the generation of the split, knows the population canvases under
// each of its ends, and places itself and its two vertical lines from them.
#pragma once

#include <cstdint>

#include "engine/VLine.h"
#include "framework/core/Array.h"
#include "framework/core/Object.h"
#include "framework/ui/Controls.h"

class driftCan;

class HLine : public fw::Line {
public:
    // The canvases under each end, from index 0 (empty: upper bound -1).
    fw::Array<fw::Ref<driftCan>> LeftEnd;
    fw::Array<fw::Ref<driftCan>> RightEnd;
    // The bar's y in window coordinates.
    int32_t TimeDepth = 0;
    fw::Ref<VLine> rightVLine;
    fw::Ref<VLine> leftVLine;

    // Puts each end at the mean horizontal centre of its canvases (40 pixels
    // wide) and hangs the vertical lines from there; a vertical line whose
    // end holds one canvas reaches down to just below that canvas. An end
    // with no canvas is left where it is.
    virtual void Reposition();
    // The lowest index holding that very canvas, or -1.
    virtual int32_t LeftContains(const fw::Ref<driftCan>& c);
    virtual int32_t RightContains(const fw::Ref<driftCan>& c);
};
