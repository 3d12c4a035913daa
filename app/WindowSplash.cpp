#include "WindowSplash.h"

#include "App.h"

void WindowSplash::Layout() {
    SetTitle("");
    SetSize(327, 371);
    SetFrame(2);
    SetPlacement(0);
    SetBackColor(fw::ColorFromHex(0xFFFFFF));
    SetCloseButton(true);
    SetResizeable(true);
    SetMaximizeButton(true);
    SetMinimizeButton(true);
    SetVisible(true);
}

void WindowSplash::CreateControls() {
    _CreateControls0();
}

void WindowSplash::_CreateControls0() {
    auto title = AddControl<fw::StaticText>("LabelTitle");
    title->SetBounds(33, 238, 296, 33);
    title->SetMultiline(true);
    title->SetTextFont("System");
    title->SetTextSize(12);
    title->SetText(kVelloranTitle);

    auto web = AddControl<fw::StaticText>("StaticText2");
    web->SetBounds(70, 272, 210, 16);
    web->SetTextFont("System");
    web->SetTextSize(10);
    web->SetText(kVelloranWebAddress);

    auto version = AddControl<fw::StaticText>("StaticText1");
    version->SetBounds(46, 350, 240, 16);
    version->SetTextFont("System");
    version->SetTextSize(10);
    version->SetText("Velloran version 1.0");

    // Fires once, seven seconds after the window opened; it goes with the
    // window when a click closes it first.
    auto timer = AddControl<TimerClose>("TimerClose");
    timer->_SetWindow(this);
    timer->SetPeriod(7000);
    timer->SetMode(1);
    timer->Action.Bind([this] { TimerClose_Action(); });

    auto cover = AddControl<fw::Canvas>("CanvasVLCover");
    cover->SetBackdrop(VLCover());
    cover->SetBounds(135, 43, 158, 204);
    cover->AcceptFocus = false;
}

void WindowSplash::TimerClose_Action() {
    Close();
}

bool WindowSplash::Event_MouseDown(int32_t, int32_t) {
    return true;
}

void WindowSplash::Event_MouseUp(int32_t, int32_t) {
    Close();
}

fw::Ref<class WindowSplash> WindowSplash() {
    return fw::ImplicitWindow<class WindowSplash>();
}
