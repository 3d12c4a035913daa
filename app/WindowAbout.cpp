#include "WindowAbout.h"

#include "App.h"

namespace {

// Paragraphs separated by an empty line (carriage returns).
std::string aboutNotice() {
    const std::string par = "\r\r";
    return "Velloran, version 1.0" + par +
           "Velloran is free. You are welcome to give copies of it to others, but only as "
           "the application on its own: it may not be sold, and it may not be put into "
           "collections or bundles of other software." +
           par +
           "Velloran comes with no warranty of any kind, neither for the program itself nor "
           "for the accuracy of its simulations. You use it at your own risk." +
           par + "Velloran was made with C++ and Qt." + par +
           "Comments, questions and ideas are very welcome: please write to the author "
           "through the web address above.";
}

}  // namespace

void WindowAbout::Layout() {
    SetTitle("About Velloran");
    SetSize(441, 535);
    SetFrame(2);
    SetPlacement(2);
    SetBackColor(fw::ColorFromHex(0xFFFFFF));
    SetCloseButton(false);
    SetResizeable(false);
    SetMaximizeButton(false);
    SetMinimizeButton(false);
    SetVisible(true);
}

void WindowAbout::CreateControls() {
    _CreateControls0();
}

void WindowAbout::_CreateControls0() {
    auto blurb = AddControl<fw::StaticText>("StaticTextAboutBlurb");
    blurb->SetBounds(32, 299, 386, 212);
    blurb->SetMultiline(true);
    blurb->SetTextFont("System");
    blurb->SetTextSize(10);
    blurb->SetText(aboutNotice());

    auto title = AddControl<fw::StaticText>("LabelTitle");
    title->SetBounds(87, 217, 253, 33);
    title->SetMultiline(true);
    title->SetTextFont("System");
    title->SetTextSize(12);
    title->SetText(kVelloranTitle);

    auto web = AddControl<fw::StaticText>("LabelWebAddress");
    web->SetBounds(97, 258, 210, 16);
    web->SetTextFont("System");
    web->SetTextSize(10);
    web->SetText(kVelloranWebAddress);

    // Neither button is the default or the cancel button: Return and Escape
    // do nothing here.
    auto ok = AddControl<fw::PushButton>("PushButtonClose");
    ok->SetBounds(361, 491, 60, 20);
    ok->SetCaption("OK");
    ok->SetTextFont("System");
    ok->SetTextSize(12);
    ok->SetDefault(false);
    ok->SetCancel(false);
    ok->Action.Bind([this] { PushButtonClose_Action(); });

    auto goThere = AddControl<fw::PushButton>("PushButtonGoThere");
    goThere->SetBounds(273, 256, 58, 18);
    goThere->SetCaption("Go there");
    goThere->SetTextFont("System");
    goThere->SetTextSize(10);
    goThere->SetDefault(false);
    goThere->SetCancel(false);
    goThere->Action.Bind([this] { PushButtonGoThere_Action(); });

    auto cover = AddControl<fw::Canvas>("CanvasVLCover");
    cover->SetBackdrop(VLCover());
    cover->SetBounds(190, 23, 158, 204);
    cover->AcceptFocus = false;
}

void WindowAbout::PushButtonClose_Action() {
    Close();
}

// The window is gone before the browser comes up.
void WindowAbout::PushButtonGoThere_Action() {
    ::WindowAbout()->Close();
    fw::ShowURL(kVelloranWebAddress);
}

bool WindowAbout::Event_MouseDown(int32_t, int32_t) {
    return true;
}

void WindowAbout::Event_MouseUp(int32_t, int32_t) {
    Close();
}

fw::Ref<class WindowAbout> WindowAbout() {
    return fw::ImplicitWindow<class WindowAbout>();
}
