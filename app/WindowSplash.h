// The splash window shown above the Drift laboratory at start: the cover
// picture, the title, the web address and the version. It closes itself
// after seven seconds or on a click.
#pragma once

#include "app/WindowTimer.h"
#include "framework/ui/Window.h"

class WindowSplash : public fw::Window {
public:
    class TimerClose : public WindowTimer {};

    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override {}
    bool Event_MouseDown(int32_t x, int32_t y) override;
    void Event_MouseUp(int32_t x, int32_t y) override;

private:
    void _CreateControls0();
    void TimerClose_Action();
};

// The one open splash window, or a new one (created visible).
fw::Ref<class WindowSplash> WindowSplash();
