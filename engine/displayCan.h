// A display slot: shows one virion so its sequence can be read and compared.
// It holds the same members and offers the same operations as the sprite
// canvas (aniCan) without being one; a drop replaces whatever the slot
// showed, and redraw always draws and copies to the screen.
#pragma once

#include <cstdint>

#include "engine/CacheCan.h"
#include "engine/SpriteCanvas.h"
#include "engine/aniTron.h"
#include "framework/core/Array.h"
#include "framework/core/Event.h"
#include "framework/core/Object.h"

class displayCan : public CacheCan, public SpriteCanvas {
public:
    fw::Array<fw::Ref<aniTron>> AniTrons{0};
    bool processingClick = false;

    fw::Event<fw::Ref<aniTron>> DroppedAniTron;
    fw::Event<> PulledAnitron;

    // Clears the cache, draws the slot's sprites, copies to the screen.
    virtual void redraw();
    virtual void prepare();
    virtual void doAttach(fw::Ref<aniTron> t);
    virtual bool within(int32_t x, int32_t y);
    virtual void clear();
    virtual void doneAttach(fw::Ref<aniTron> t);
    virtual void doneDetach(fw::Ref<aniTron> t);
    virtual void doDetach(int32_t i);
    virtual fw::Ref<aniTron> mouseDown(int32_t x, int32_t y);
    // Empties the slot, then attaches t where it was let go.
    virtual void AniTronDrop(int32_t x, int32_t y, fw::Ref<aniTron> t);

    int32_t CanvasWidth() const override { return Width(); }
    int32_t CanvasHeight() const override { return Height(); }
    bool IsProcessingClick() const override { return processingClick; }
};
