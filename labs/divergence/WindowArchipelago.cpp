#include "WindowArchipelago.h"

#include <string>

#include "framework/core/Yield.h"

namespace {

// One island of the ring: its canvas's top-left corner and the names of its
// frame and of its "Gen:" label. The frame, name field, label and counter
// sit at fixed offsets from the canvas.
struct Island {
    int32_t left, top;
    const char* frame;
    const char* label;
};

const Island kIslands[8] = {
    {38, 62, "Rectangle1", "StaticText1"},     {163, 28, "Rectangle2", "StaticText3"},
    {288, 28, "Rectangle6", "StaticText5"},    {413, 62, "Rectangle7", "StaticText7"},
    {413, 214, "Rectangle11", "StaticText11"}, {288, 256, "Rectangle10", "StaticText10"},
    {163, 256, "Rectangle9", "StaticText9"},   {38, 214, "Rectangle8", "StaticText8"},
};

}  // namespace

void WindowArchipelago::Layout() {
    SetTitle("Archipelago");
    SetSize(570, 528);
    SetMinSize(64, 64);
    SetMaxSize(32000, 32000);
    SetFrame(0);
    SetPlacement(3);
    SetCloseButton(true);
    SetResizeable(false);
    SetMaximizeButton(false);
    SetMinimizeButton(false);
    SetVisible(false);
}

void WindowArchipelago::CreateControls() {
    _CreateControls0();
    _CreateControls1();
    FindLabControls();
}

// One island's frame, canvas, counter and "Gen:" label, in that order.
void WindowArchipelago::MakeIsland(int32_t i) {
    const Island& is = kIslands[i];
    MakeRectangle(is.frame, is.left - 1, is.top - 1, 102, 102, 1);
    MakePopulation(i, is.left, is.top, 100, 100);
    MakeGenCounter(i, is.left + 45, is.top + 107);
    MakeLabel(is.label, "Gen:", is.left + 1, is.top + 107, 37, 20, 2);
}

// The island's name field, above its frame.
void WindowArchipelago::MakeIslandName(int32_t i) {
    const Island& is = kIslands[i];
    auto f = fw::New<EditFieldPopName>(i);
    registerControl(f, "EditFieldPopName", i);
    f->SetBounds(is.left - 1, is.top - 19, 102, 16);
    f->SetTabIndex(49 + i);
    f->SetUseFocusRing(false);
    f->SetBorder(false);
    f->SetText("");
    f->SetReadOnly(false);
    f->SetEnabled(true);
    f->SetAlignment(0);
    f->SetTextFont("System");
    f->SetTextSize(12);
    f->SetBackColor(fw::RGB(255, 255, 255));
}

void WindowArchipelago::_CreateControls0() {
    MakeComparisonPanel(36, 401, 80, 60, "Rectangle12", 13);
    MakeIsland(0);
    MakeFastFwdButton(464, 360, 7);
    MakeFastFwdField(412, 359, 8, false);
    MakeLabel("StaticText6", "# Differences", 435, 403, 100, 20, 0);
    for (int32_t i : {1, 2, 3, 7, 6, 5, 4}) MakeIsland(i);
    MakeTimer();
    MakeCountDown(423, 22);
    MakeIslandName(0);
}

void WindowArchipelago::_CreateControls1() {
    for (int32_t i = 1; i <= 7; ++i) MakeIslandName(i);
    MakePopups(10, 17, -99, 55);
}

void WindowArchipelago::MyDisplayCan_PulledAnitron(displayCan& me) {
    ClearSlotRow(me);
}

// The source label is the name of the island the virion was taken from, as
// it reads now; a virion moved from the other slot leaves the label as it
// was.
void WindowArchipelago::MyDisplayCan_DroppedAniTron(displayCan& me, fw::Ref<aniTron> t) {
    const int32_t i = me.Index();
    if (sourcePop >= 0)
        SourceLabel(i).SetText(Ctl<fw::EditField>("EditFieldPopName", sourcePop)->Text());
    ShowDroppedSequence(me, t);
}

void WindowArchipelago::ListBoxSequence_Open(fw::Listbox& me) {
    OpenSequenceRows(me);
}

void WindowArchipelago::myDriftCan_SetProperties(driftCan& me) {
    FoundFirstPopulation(me);
}

void WindowArchipelago::myDriftCan_PulledAnitron(driftCan& me) {
    ZeroCounterIfEmpty(me);
}

void WindowArchipelago::PushButtonFastFwd_Action(fw::PushButton& me) {
    RequestFastForward(me);
}

void WindowArchipelago::TimerWait_Action(fw::Timer& me) {
    BreedAll(me);
}

void WindowArchipelago::MyPopUpVirion_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                                fw::Variant payload, fw::Window*) {
    PaintDragSprite(me, x, y, payload);
}

void WindowArchipelago::myPopupVirionData_Vanished(popupSpriteCan&) {}

void WindowArchipelago::myPopupVirionData_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                                    fw::Variant payload, fw::Window* w) {
    PaintSequenceCard(me, x, y, payload, w);
}

void WindowArchipelago::AddMenuHandlers() {
    AddFileResetHandler();
}

void WindowArchipelago::Event_EnableMenuItems() {
    EnableFileReset();
}

void WindowArchipelago::Event_MouseDrag(int32_t x, int32_t y) {
    FollowMouse(x, y);
}

void WindowArchipelago::Event_MouseUp(int32_t x, int32_t y) {
    Drop(x, y);
}

bool WindowArchipelago::Event_MouseDown(int32_t x, int32_t y) {
    return PickUp(x, y);
}

bool WindowArchipelago::_FileReset_Action() {
    return OpenResetDialog();
}

fw::Ref<class WindowArchipelago> WindowArchipelago() {
    return fw::ImplicitWindow<class WindowArchipelago>();
}
