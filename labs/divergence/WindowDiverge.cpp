#include "WindowDiverge.h"

#include "framework/core/Yield.h"

void WindowDiverge::Layout() {
    SetTitle("Divergence");
    SetSize(608, 436);
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

void WindowDiverge::CreateControls() {
    _CreateControls0();
    FindLabControls();
}

void WindowDiverge::_CreateControls0() {
    // No Tab order of its own: the focusable controls follow creation order.
    MakeComparisonPanel(61, 305, 114, 50, "Rectangle6", -1);
    MakeRectangle("Rectangle2", 325, 19, 258, 194, 1);
    MakePopulation(1, 326, 20, 256, 192);
    MakeRectangle("Rectangle1", 19, 19, 258, 194, 1);
    MakePopulation(0, 20, 20, 256, 192);
    MakeGenCounter(0, 100, 221);
    MakeLabel("StaticText1", "Generation:", 12, 221, 81, 20, 2);
    MakeFastFwdButton(514, 258, -1);
    MakeFastFwdField(462, 257, -1, true);
    MakeGenCounter(1, 406, 221);
    MakeLabel("StaticText3", "Generation:", 318, 221, 81, 20, 2);
    MakeLabel("StaticText6", "# Differences", 459, 307, 100, 20, 0);
    MakeTimer();
    MakeCountDown(371, 258);
    MakePopups(6, 47, 6, 75);
}

void WindowDiverge::MyDisplayCan_PulledAnitron(displayCan& me) {
    ClearSlotRow(me);
}

// The source label names the population the virion was taken from; a
// virion moved from the other slot gets an empty label.
void WindowDiverge::MyDisplayCan_DroppedAniTron(displayCan& me, fw::Ref<aniTron> t) {
    const int32_t i = me.Index();
    if (sourcePop == 0)
        SourceLabel(i).SetText("Left");
    else if (sourcePop == 1)
        SourceLabel(i).SetText("Right");
    else
        SourceLabel(i).SetText("");
    ShowDroppedSequence(me, t);
}

void WindowDiverge::ListBoxSequence_Open(fw::Listbox& me) {
    OpenSequenceRows(me);
}

void WindowDiverge::myDriftCan_PulledAnitron(driftCan& me) {
    ZeroCounterIfEmpty(me);
}

void WindowDiverge::myDriftCan_SetProperties(driftCan& me) {
    FoundFirstPopulation(me);
}

void WindowDiverge::PushButtonFastFwd_Action(fw::PushButton& me) {
    RequestFastForward(me);
}

void WindowDiverge::TimerWait_Action(fw::Timer& me) {
    BreedAll(me);
}

void WindowDiverge::MyPopUpVirion_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                            fw::Variant payload, fw::Window*) {
    PaintDragSprite(me, x, y, payload);
}

void WindowDiverge::myPopupVirionData_Vanished(popupSpriteCan&) {}

void WindowDiverge::myPopupVirionData_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                                fw::Variant payload, fw::Window* w) {
    PaintSequenceCard(me, x, y, payload, w);
}

void WindowDiverge::AddMenuHandlers() {
    AddFileResetHandler();
}

void WindowDiverge::Event_EnableMenuItems() {
    EnableFileReset();
}

void WindowDiverge::Event_MouseDrag(int32_t x, int32_t y) {
    FollowMouse(x, y);
}

void WindowDiverge::Event_MouseUp(int32_t x, int32_t y) {
    Drop(x, y);
}

bool WindowDiverge::Event_MouseDown(int32_t x, int32_t y) {
    return PickUp(x, y);
}

bool WindowDiverge::_FileReset_Action() {
    return OpenResetDialog();
}

fw::Ref<class WindowDiverge> WindowDiverge() {
    return fw::ImplicitWindow<class WindowDiverge>();
}
