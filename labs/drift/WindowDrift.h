// The Drift laboratory window.
#pragma once

#include "framework/ui/Window.h"

class WindowDrift : public fw::Window {
public:
    void Layout() override;
};

// The one open Drift window, or a new one (created hidden).
fw::Ref<class WindowDrift> WindowDrift();
