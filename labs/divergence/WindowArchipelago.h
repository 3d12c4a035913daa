// The Archipelago laboratory window.
#pragma once

#include "framework/ui/Window.h"

class WindowArchipelago : public fw::Window {
public:
    void Layout() override;
};

// The one open Archipelago window, or a new one (created hidden).
fw::Ref<class WindowArchipelago> WindowArchipelago();
