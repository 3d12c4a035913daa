#include "engine/HLine.h"

#include "engine/driftCan.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"

namespace {

// The x of an end: mean Left of its canvases plus half a canvas. False for an
// end with no canvas, whose mean does not exist.
bool endX(const fw::Array<fw::Ref<driftCan>>& end, int32_t& x) {
    double sum = 0.0;
    int32_t count = 0;
    for (int32_t i = 0; i <= end.UBound(); ++i) {
        sum = sum + static_cast<double>(fw::Deref(end(i)).Left());
        count = count + 1;
        fw::Yield();
    }
    if (count == 0) return false;
    x = fw::ToInt(sum / static_cast<double>(count) + 20.0);
    return true;
}

// Hangs an end's vertical line from the bar; with one canvas under that end
// the line reaches one pixel below the canvas's 40-pixel height.
void hang(const fw::Ref<VLine>& line, const fw::Array<fw::Ref<driftCan>>& end, int32_t x,
          int32_t timeDepth) {
    VLine& v = fw::Deref(line);
    v.SetX2(x);
    v.SetX1(x);
    v.SetY2(timeDepth);
    if (end.UBound() == 0) v.SetY1(fw::Deref(end(0)).Top() + 41);
}

int32_t indexOf(const fw::Array<fw::Ref<driftCan>>& end, const fw::Ref<driftCan>& c) {
    for (int32_t i = 0; i <= end.UBound(); ++i) {
        if (end(i).get() == c.get()) return i;
        fw::Yield();
    }
    return -1;
}

}  // namespace

void HLine::Reposition() {
    int32_t leftX = X1();
    int32_t rightX = X2();
    const bool haveLeft = endX(LeftEnd, leftX);
    const bool haveRight = endX(RightEnd, rightX);

    SetX1(leftX);
    SetY1(TimeDepth);
    SetX2(rightX);
    SetY2(Y1());

    if (haveLeft) hang(leftVLine, LeftEnd, leftX, TimeDepth);
    if (haveRight) hang(rightVLine, RightEnd, rightX, TimeDepth);
}

int32_t HLine::LeftContains(const fw::Ref<driftCan>& c) {
    return indexOf(LeftEnd, c);
}

int32_t HLine::RightContains(const fw::Ref<driftCan>& c) {
    return indexOf(RightEnd, c);
}
