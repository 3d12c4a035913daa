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

}  // namespace VirionDrag
