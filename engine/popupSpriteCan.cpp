#include "engine/popupSpriteCan.h"

#include <utility>

void popupSpriteCan::vanish() {
    SetVisible(false);
    Vanished.Raise();
}

void popupSpriteCan::popup(int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
    LoadImage.Raise(x, y, std::move(v), w);
    SetVisible(true);
    // A pop-up made before other controls must still show above them.
    Raise();
}
