// The Reset dialog: population size, sequence length and the effect of a
// mutation on fitness, shared by every laboratory. Okay stores valid values
// and rebuilds every laboratory window that is showing; Cancel changes
// nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/ui/Window.h"

class WindowResetDrift : public fw::Window {
public:
    void Layout() override;
    void CreateControls() override;
    void AddMenuHandlers() override {}
    void Event_Open() override;

private:
    void _CreateControls0();
    void PushButtonOkay_Action();
    void PushButtonCancel_Action();
};

// The one open Reset dialog, or a new one (created visible).
fw::Ref<class WindowResetDrift> WindowResetDrift();

// Takes each laboratory, in the order given, through its accessor. One that
// is showing is closed and replaced by a new window at the same top-left
// position; one that is hidden is left as it is (an accessor that had no
// window makes a hidden one here).
void RebuildLaboratories(const std::vector<std::function<fw::Ref<fw::Window>()>>& accessors);
