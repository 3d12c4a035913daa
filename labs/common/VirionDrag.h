// The pick-up, drag and drop family that every laboratory window shares:
// the drag sprite (a copy of the virion's dot in a thin grey frame) and the
// sequence card (the virion picture above the whole sequence) that follow
// the mouse while a virion is held, and the clean-up at the release.
//
// The windows keep their own handlers (they differ in which canvases they
// search and which virion class they hold); each handler calls these.
#pragma once

#include <cstdint>
#include <string>

#include "engine/aniTron.h"
#include "engine/cArray.h"
#include "engine/popupSpriteCan.h"
#include "framework/core/Variant.h"
#include "framework/core/Yield.h"
#include "framework/ui/Window.h"

namespace VirionDrag {

// Event_MouseDrag: the drag sprite moves by the mouse's displacement; the
// card keeps 5 pixels right of the pointer (flush with the window's right
// edge where it would pass it) and moves vertically with the mouse.
void FollowMouse(fw::Window& w, popupSpriteCan& sprite, popupSpriteCan& card, int32_t& oldX,
                 int32_t& oldY, int32_t x, int32_t y);

// The release: hides whichever pop-up is visible, the sprite first.
void VanishPopups(popupSpriteCan& sprite, popupSpriteCan& card);

// The drag sprite's LoadImage: placed over the virion's old place (x, y is
// the press point; the virion's X and Y hold its grab offset), one pixel
// larger on every side for the frame.
void PaintDragSprite(popupSpriteCan& me, int32_t x, int32_t y, const aniTron& t);

// The sequence card's LoadImage for a virion whose sequence is seq.
void PaintSequenceCard(popupSpriteCan& me, int32_t x, int32_t y, const fw::Ref<cArray>& seq,
                       fw::Window& w);

// The card's text: 9 letters a line separated by blanks, a carriage return
// after every ninth letter.
std::string SequenceCardText(const fw::Ref<cArray>& seq);
// The card's height for a sequence of that many letters: room for every
// line of the text.
int32_t SequenceCardHeight(int32_t letters);

// The letters 1 to the upper bound as one string.
std::string SequenceString(const fw::Ref<cArray>& seq);

// The two pop-ups' LoadImage handlers for a payload holding a virion of
// class V (agingVTron or virionTron). The drag sprite draws nothing for any
// other payload.
template <class V>
void PaintDragSpriteOf(popupSpriteCan& me, int32_t x, int32_t y, const fw::Variant& payload) {
    if (fw::Ref<V> t = fw::As<V>(payload.ObjectValue())) PaintDragSprite(me, x, y, *t);
}
template <class V>
void PaintSequenceCardOf(popupSpriteCan& me, int32_t x, int32_t y, const fw::Variant& payload,
                         fw::Window* w) {
    PaintSequenceCard(me, x, y, payload.As<V>()->Sequence, fw::Deref(w));
}

// The windows with several populations and two display slots.
constexpr int32_t kNoHit = -1;    // the point lies in no population and no slot
constexpr int32_t kSlotHit = -2;  // it lies in a slot

// The press: the first population under the point, else the first slot,
// gives up the first virion under it (held becomes that virion, or nil).
// Returns the population's index, kSlotHit or kNoHit; one yield for every
// canvas passed over.
template <class Populations, class Displays>
int32_t PickUpFrom(const Populations& pops, const Displays& displays, int32_t x, int32_t y,
                   fw::Ref<aniTron>& held) {
    held = nullptr;
    for (size_t i = 0; i < pops.size(); ++i) {
        if (pops[i]->within(x, y)) {
            held = pops[i]->mouseDown(x, y);
            return static_cast<int32_t>(i);
        }
        fw::Yield();
    }
    for (const auto& slot : displays) {
        if (slot->within(x, y)) {
            held = slot->mouseDown(x, y);
            return kSlotHit;
        }
        fw::Yield();
    }
    return kNoHit;
}

// The release: every population, then every slot, under the point gets the
// held virion; under none it is lost.
template <class Populations, class Displays>
void DropOn(const Populations& pops, const Displays& displays, int32_t x, int32_t y,
            const fw::Ref<aniTron>& held) {
    if (!held) return;
    for (const auto& pop : pops) {
        if (pop->within(x, y)) pop->AniTronDrop(x, y, held);
        fw::Yield();
    }
    for (const auto& slot : displays) {
        if (slot->within(x, y)) slot->AniTronDrop(x, y, held);
        fw::Yield();
    }
}

}  // namespace VirionDrag
