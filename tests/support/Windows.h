// Window helpers shared by the test programs.
#pragma once

#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

// Closes every open window, then lets the closes through as the event loop
// would, so that the next test starts with none.
inline void CloseAllWindows() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}
