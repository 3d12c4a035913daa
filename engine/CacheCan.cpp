#include "engine/CacheCan.h"

void CacheCan::Event_Paint(fw::Graphics&) {
    BlitCache();
}

void CacheCan::Event_Open() {
    Cache = fw::NewPicture(Width(), Height(), 32);
    SetProperties.Raise();
}

void CacheCan::ClearCache() {
    if (!Cache) return;
    fw::Graphics& g = Cache->Graphics();
    g.ForeColor = fw::RGB(255, 255, 255);
    g.FillRect(0, 0, Cache->Width(), Cache->Height());
}

void CacheCan::BlitCache() {
    if (!Cache) return;
    // -10000 stands for the picture's own width or height.
    Graphics().DrawPicture(Cache, 0, 0, -10000, -10000, 0, 0, -10000, -10000);
}
