#include "WindowArchipelago.h"

void WindowArchipelago::Layout() {
    SetTitle("Archipelago");
    SetSize(570, 528);
    SetMinSize(64, 64);
    SetMaxSize(32000, 32000);
    SetFrame(0);
    SetPlacement(3);
    SetCloseButton(true);
    SetResizeable(false);
    SetVisible(false);
}

fw::Ref<class WindowArchipelago> WindowArchipelago() {
    return fw::ImplicitWindow<class WindowArchipelago>();
}
