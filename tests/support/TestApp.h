// The application's start for a test program: the window layer on the Qt
// application, the application object, and as much of the rest as the test
// wants.
#pragma once

#include <QtTest>
#include <string>

#include "app/App.h"
#include "engine/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

// The parts of the start beyond the application object.
enum StartPart : unsigned {
    kApplicationOnly = 0u,
    kMenuHandlers = 1u << 0,    // the menu items' handlers, as the program adds them
    kGlobalsStartUp = 1u << 1,  // Globals::StartUp: default parameters and a generator
    kMessagesFail = 1u << 2,    // any message box fails the test
};

// Closes every open window, then lets the closes through as the event loop
// would, so that the next test starts with none.
inline void CloseAllWindows() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

// Once per program, from initTestCase. The Qt application usually exists
// already (QTEST_MAIN made it); where it does not, it is made under `name`.
// A test that collects messages leaves out kMessagesFail and installs its
// own hook afterwards.
inline void StartApplicationForTest(const char* name,
                                    unsigned parts = kMenuHandlers | kGlobalsStartUp | kMessagesFail) {
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    fw::RuntimeInit(argc, argv);
    NewAppInstance();
    if (parts & kMenuHandlers) ApplicationAddMenuHandlers();
    if (parts & kGlobalsStartUp) Globals::StartUp();
    if (parts & kMessagesFail) fw::SetMsgBoxHook([](const std::string& text) { QFAIL(text.c_str()); });
}
