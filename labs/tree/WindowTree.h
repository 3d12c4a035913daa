// The Tree laboratory window.
#pragma once

#include "framework/ui/Window.h"

class WindowTree : public fw::Window {
public:
    void Layout() override;
};

// The one open Tree window, or a new one (created hidden).
fw::Ref<class WindowTree> WindowTree();
