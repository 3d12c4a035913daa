#include "WindowDrift.h"

void WindowDrift::Layout() {
    SetTitle("Drift");
    SetSize(663, 520);
    SetMinSize(64, 64);
    SetMaxSize(32000, 32000);
    SetFrame(0);
    SetPlacement(3);
    SetCloseButton(true);
    SetResizeable(false);
    SetVisible(false);
}

fw::Ref<class WindowDrift> WindowDrift() {
    return fw::ImplicitWindow<class WindowDrift>();
}
