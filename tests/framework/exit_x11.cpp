// A program that ends with windows still open (one shown, one hidden, each
// with a running timer) must end cleanly on the real X11 platform: run with
// "runtime" it keeps the application object for the whole process as
// Velloran does, with "stack" its application object goes before the
// windows, with "exit" it calls exit() with everything in place.
#include <QApplication>
#include <QtTest>
#include <cstdlib>
#include <cstring>

#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

using namespace fw;

namespace {

class LeftOpen : public Window {
public:
    void Layout() override {
        SetSize(200, 120);
        SetVisible(true);
    }
    void CreateControls() override {
        AddControl<PushButton>("Button")->SetBounds(10, 10, 80, 24);
        auto timer = AddControl<Timer>("Timer");
        timer->SetPeriod(10);
        timer->SetMode(2);
    }
};

class LeftHidden : public LeftOpen {
public:
    void Layout() override { SetSize(100, 60); }
};

// Opens the windows and lets the event loop run a little.
bool openWindows() {
    auto shown = ImplicitWindow<LeftOpen>();
    ImplicitWindow<LeftHidden>();
    if (!QTest::qWaitForWindowExposed(shown->widget())) return false;
    QTest::qWait(50);
    return OpenWindows().size() == 2;
}

}  // namespace

int main(int argc, char** argv) {
    const char* how = argc > 1 ? argv[1] : "runtime";
    if (std::strcmp(how, "stack") == 0) {
        QApplication app(argc, argv);
        return openWindows() ? 0 : 1;
    }
    RuntimeInit(argc, argv);
    if (!openWindows()) return 1;
    if (std::strcmp(how, "exit") == 0) std::exit(0);
    return 0;
}
