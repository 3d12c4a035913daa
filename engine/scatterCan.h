// A scatter plot of two number series, drawn as red dots into the cache.
// The plot area is inset by margin from every edge, y pointing up. The plot
// only adds dots: it neither clears the picture nor copies it to the screen.
#pragma once

#include <cstdint>

#include "engine/CacheCan.h"
#include "framework/core/Object.h"

class cArray;

class scatterCan : public CacheCan {
public:
    scatterCan();

    int32_t margin = 0;

    // The canvas's own handler of SetProperties: sets the margin.
    virtual void Event_SetProperties();
    // Bounds taken from the data: both minima 0, maxima the largest values.
    virtual void scatterplot(const fw::Ref<cArray>& xs, const fw::Ref<cArray>& ys);
    virtual void scatterplot(const fw::Ref<cArray>& xs, const fw::Ref<cArray>& ys, int32_t xmin,
                             int32_t xmax, int32_t ymin, int32_t ymax);
};
