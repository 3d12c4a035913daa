#include "engine/scatterCan.h"

#include "engine/cArray.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"

namespace {

const int32_t kDot = 8;

// 32-bit Integer subtraction that wraps instead of overflowing.
int32_t minus(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// Where a value lies along its axis, 0 at the minimum and 1 at the maximum.
// An axis whose range is empty puts every dot at its middle.
double fraction(double a, double r) {
    if (r == 0.0) return 0.5;
    return a / r;
}

// The pairs run while i is at most the smaller upper bound, read again at
// every pass.
bool morePairs(cArray& xs, cArray& ys, int32_t i) {
    return static_cast<double>(i) <= fw::Min(static_cast<double>(xs.ubound()), static_cast<double>(ys.ubound()));
}

}  // namespace

scatterCan::scatterCan() {
    SetProperties.Bind([this] { Event_SetProperties(); });
}

void scatterCan::Event_SetProperties() {
    margin = 6;
}

void scatterCan::scatterplot(const fw::Ref<cArray>& xs, const fw::Ref<cArray>& ys, int32_t xmin,
                             int32_t xmax, int32_t ymin, int32_t ymax) {
    fw::Graphics& g = fw::Deref(Cache).Graphics();
    g.ForeColor = fw::RGB(240, 25, 25);
    cArray& x = fw::Deref(xs);
    cArray& y = fw::Deref(ys);
    for (int32_t i = 0; morePairs(x, y, i); ++i) {
        const int32_t yv = y.get(i).IntegerValue();
        double a = static_cast<double>(minus(yv, ymin));
        double r = static_cast<double>(minus(ymax, ymin));
        double s = static_cast<double>(Height() - 2 * margin);
        const int32_t py = fw::ToInt(static_cast<double>(margin) + (1.0 - fraction(a, r)) * s - 4.0);

        const int32_t xv = x.get(i).IntegerValue();
        a = static_cast<double>(minus(xv, xmin));
        r = static_cast<double>(minus(xmax, xmin));
        s = static_cast<double>(Width() - 2 * margin);
        const int32_t px = fw::ToInt(static_cast<double>(margin) + fraction(a, r) * s - 4.0);

        g.FillOval(px, py, kDot, kDot);
        fw::Yield();
    }
}

void scatterCan::scatterplot(const fw::Ref<cArray>& xs, const fw::Ref<cArray>& ys) {
    fw::Graphics& g = fw::Deref(Cache).Graphics();
    g.ForeColor = fw::RGB(240, 25, 25);
    cArray& x = fw::Deref(xs);
    cArray& y = fw::Deref(ys);

    int32_t xmax = 0;
    for (int32_t i = 0; i <= x.ubound(); ++i) {
        const int32_t v = x.get(i).IntegerValue();
        if (v > xmax) xmax = v;
        fw::Yield();
    }
    int32_t ymax = 0;
    for (int32_t i = 0; i <= y.ubound(); ++i) {
        const int32_t v = y.get(i).IntegerValue();
        if (v > ymax) ymax = v;
        fw::Yield();
    }

    for (int32_t i = 0; morePairs(x, y, i); ++i) {
        double s = static_cast<double>(Height() - 2 * margin);
        const double fy = fraction(y.get(i).DoubleValue(), static_cast<double>(ymax));
        const int32_t py = fw::ToInt(static_cast<double>(margin) + (1.0 - fy) * s - 4.0);

        s = static_cast<double>(Width() - 2 * margin);
        const double fx = fraction(x.get(i).DoubleValue(), static_cast<double>(xmax));
        const int32_t px = fw::ToInt(static_cast<double>(margin) + fx * s - 4.0);

        g.FillOval(px, py, kDot, kDot);
        fw::Yield();
    }
}
