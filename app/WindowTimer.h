// The class of a window's timer control: a timer that knows the window it
// belongs to and its index. Each window's timer class derives from it and
// adds nothing.
#pragma once

#include <cstdint>

#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"

class WindowTimer : public fw::Timer {
public:
    virtual void _SetWindow(fw::Window* w) { ownerWindow = w; }
    virtual fw::Window* Window() const { return ownerWindow; }
    virtual int32_t _Index() const { return Index; }
    virtual void _SetIndex(int32_t i) { Index = i; }

private:
    int32_t Index = 0;
    // Not owned: the window owns its timer.
    fw::Window* ownerWindow = nullptr;
};
