// What a sprite needs of the canvas it lives on: its size in pixels and
// whether a pick-up or drop is running on it. The sprite canvases implement
// it; the model itself never sees a widget.
#pragma once

#include <cstdint>

class SpriteCanvas {
public:
    virtual ~SpriteCanvas() = default;
    virtual int32_t CanvasWidth() const = 0;
    virtual int32_t CanvasHeight() const = 0;
    virtual bool IsProcessingClick() const = 0;
};
