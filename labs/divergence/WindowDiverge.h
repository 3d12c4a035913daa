// The Divergence laboratory window: two populations side by side, the left
// one founded when the window opens, the right one founded by dragging
// virions across; a fast forward that breeds both once per timer tick; and
// the comparison panel with its two display slots.
#pragma once

#include "app/WindowTimer.h"
#include <cstdint>

#include "engine/counter.h"
#include "engine/displayCan.h"
#include "engine/driftCan.h"
#include "engine/popupSpriteCan.h"
#include "framework/core/Variant.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"
#include "labs/divergence/PopulationLab.h"

class WindowDiverge : public PopulationLab<class WindowDiverge, 2> {
public:
    // The window's control classes: each only carries its index into the
    // control array.
    class MyDisplayCan : public displayCan {
    public:
        explicit MyDisplayCan(int32_t index) { SetIndex(index); }
    };
    class StaticTextSourcePop : public fw::StaticText {
    public:
        explicit StaticTextSourcePop(int32_t index) { SetIndex(index); }
    };
    class myDriftCan : public driftCan {
    public:
        explicit myDriftCan(int32_t index) { SetIndex(index); }
    };
    class GenCounter : public counter {
    public:
        explicit GenCounter(int32_t index) { SetIndex(index); }
    };
    class TimerWait : public WindowTimer {};

    WindowDiverge() = default;

    virtual void Layout() override;
    virtual void CreateControls() override;
    virtual void _CreateControls0();
    virtual void MyDisplayCan_PulledAnitron(displayCan& me);
    virtual void MyDisplayCan_DroppedAniTron(displayCan& me, fw::Ref<aniTron> t);
    virtual void ListBoxSequence_Open(fw::Listbox& me);
    virtual void myDriftCan_PulledAnitron(driftCan& me);
    virtual void myDriftCan_SetProperties(driftCan& me);
    virtual void PushButtonFastFwd_Action(fw::PushButton& me);
    virtual void TimerWait_Action(fw::Timer& me);
    virtual void MyPopUpVirion_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                         fw::Variant payload, fw::Window* w);
    virtual void myPopupVirionData_Vanished(popupSpriteCan& me);
    virtual void myPopupVirionData_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                             fw::Variant payload, fw::Window* w);
    virtual void AddMenuHandlers() override;
    virtual void Event_EnableMenuItems() override;
    virtual void Event_MouseDrag(int32_t x, int32_t y) override;
    virtual void Event_MouseUp(int32_t x, int32_t y) override;
    virtual bool Event_MouseDown(int32_t x, int32_t y) override;
    virtual bool _FileReset_Action();
};

// The one open Divergence window, or a new one (created hidden).
fw::Ref<class WindowDiverge> WindowDiverge();
