// A canvas that draws into an off-screen picture, Cache, and copies the
// whole picture to the screen. The picture is made once, when the canvas
// opens, with the canvas's size at that moment; right after that the canvas
// raises SetProperties so its window can fill it.
#pragma once

#include "framework/core/Event.h"
#include "framework/core/Object.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Graphics.h"

class CacheCan : public fw::Canvas {
public:
    fw::Ref<fw::Picture> Cache;

    fw::Event<> SetProperties;

    // Paint copies the cache to the screen; the Graphics passed in is unused.
    void Event_Paint(fw::Graphics& g) override;
    // Makes the cache (32 bits deep), then raises SetProperties.
    void Event_Open() override;
    // Fills the whole picture white.
    virtual void ClearCache();
    // Draws the whole picture, unscaled, at the canvas's top-left corner.
    virtual void BlitCache();
};
