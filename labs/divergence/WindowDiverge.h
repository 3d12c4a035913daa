// The Divergence laboratory window.
#pragma once

#include "framework/ui/Window.h"

class WindowDiverge : public fw::Window {
public:
    void Layout() override;
};

// The one open Divergence window, or a new one (created hidden).
fw::Ref<class WindowDiverge> WindowDiverge();
