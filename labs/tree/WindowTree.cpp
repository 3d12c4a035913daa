#include "WindowTree.h"

void WindowTree::Layout() {
    SetTitle("Tree");
    SetSize(662, 540);
    SetMinSize(64, 64);
    SetMaxSize(32000, 32000);
    SetFrame(0);
    SetPlacement(3);
    SetCloseButton(true);
    SetResizeable(false);
    SetVisible(false);
}

fw::Ref<class WindowTree> WindowTree() {
    return fw::ImplicitWindow<class WindowTree>();
}
