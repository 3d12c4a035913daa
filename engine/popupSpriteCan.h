// A small canvas that pops up beside the mouse while a virion is dragged and
// vanishes again. It draws nothing itself: LoadImage asks its window to size,
// place and paint it before it shows.
#pragma once

#include <cstdint>

#include "framework/core/Event.h"
#include "framework/core/Variant.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"

class popupSpriteCan : public fw::Canvas {
public:
    // x, y: the mouse point (window coordinates); the payload (the dragged
    // virion); the window asking.
    fw::Event<int32_t, int32_t, fw::Variant, fw::Window*> LoadImage;
    fw::Event<> Vanished;

    // Hides the canvas, then raises Vanished (also when it was hidden).
    virtual void vanish();
    // Raises LoadImage with the same arguments, then shows the canvas above
    // every other control of the window.
    virtual void popup(int32_t x, int32_t y, fw::Variant v, fw::Window* w);
};
