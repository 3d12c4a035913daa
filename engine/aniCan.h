// A cached canvas that holds sprites (AniTrons, from index 1; index 0 is
// never used) and lets the user pull one out with the mouse and drop it on
// another canvas. While a pick-up or drop runs, processingClick is true:
// no generation or life-cycle step runs and no sprite moves.
#pragma once

#include <cstdint>

#include "engine/CacheCan.h"
#include "engine/SpriteCanvas.h"
#include "engine/aniTron.h"
#include "framework/core/Array.h"
#include "framework/core/Event.h"
#include "framework/core/Object.h"

class aniCan : public CacheCan, public SpriteCanvas {
public:
    // Upper bound 0: an empty canvas.
    fw::Array<fw::Ref<aniTron>> AniTrons{0};
    bool processingClick = false;

    // Raised by AniTronDrop once the sprite is attached and drawn.
    fw::Event<fw::Ref<aniTron>> DroppedAniTron;
    // Raised by mouseDown once the hit sprite is detached.
    fw::Event<> PulledAnitron;

    // Hooks for the population canvases; nothing here.
    virtual void redraw();
    virtual void prepare();
    virtual void doAttach(fw::Ref<aniTron> t);
    // Strictly inside the canvas, window coordinates.
    virtual bool within(int32_t x, int32_t y);
    virtual void clear();
    virtual void doneAttach(fw::Ref<aniTron> t);
    virtual void doneDetach(fw::Ref<aniTron> t);
    virtual void doDetach(int32_t i);
    virtual fw::Ref<aniTron> mouseDown(int32_t x, int32_t y);
    virtual void AniTronDrop(int32_t x, int32_t y, fw::Ref<aniTron> t);

    int32_t CanvasWidth() const override { return Width(); }
    int32_t CanvasHeight() const override { return Height(); }
    bool IsProcessingClick() const override { return processingClick; }
};
