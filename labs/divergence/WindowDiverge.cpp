#include "WindowDiverge.h"

void WindowDiverge::Layout() {
    SetTitle("Divergence");
    SetSize(608, 436);
    SetMinSize(64, 64);
    SetMaxSize(32000, 32000);
    SetFrame(0);
    SetPlacement(3);
    SetCloseButton(true);
    SetResizeable(false);
    SetVisible(false);
}

fw::Ref<class WindowDiverge> WindowDiverge() {
    return fw::ImplicitWindow<class WindowDiverge>();
}
