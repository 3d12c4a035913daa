// The About window: the cover picture, the title, the web address with a
// button that opens it, and the notice on the terms of use. It closes on
// "OK", on "Go there" or on a click.
#pragma once

#include "framework/ui/Window.h"

class WindowAbout : public fw::Window {
public:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override {}
    bool Event_MouseDown(int32_t x, int32_t y) override;
    void Event_MouseUp(int32_t x, int32_t y) override;

private:
    void _CreateControls0();
    void PushButtonClose_Action();
    void PushButtonGoThere_Action();
};

// The one open About window, or a new one (created visible).
fw::Ref<class WindowAbout> WindowAbout();
