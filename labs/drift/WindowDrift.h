// The Drift laboratory window: one population of aging virions with
// overlapping generations on myAgingDrCan, a generation counter, Run/Pause,
// a fast forward of up to 100 generations, a list that collects virions
// dropped on it, and a scatter plot of what was collected.
#pragma once

#include "app/WindowTimer.h"
#include <cstdint>

#include "engine/aniTron.h"
#include "framework/core/Variant.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"

class agingDrCan;
class dropBox;
class popupSpriteCan;

class WindowDrift : public fw::Window {
public:
    // The window's timer: it only knows its owner and an index; its ticks go
    // to TheTimer_Action.
    class TheTimer : public WindowTimer {};

    // The virion being dragged, out of the population.
    fw::Ref<aniTron> DragTron;
    // The last mouse position of the drag, window coordinates.
    int32_t OldMouseX = 0;
    int32_t OldMouseY = 0;

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();
    virtual void myAgingDrCan_Extinct();
    virtual void myAgingDrCan_GenTick();
    // Seeds the population when the canvas opens.
    virtual void myAgingDrCan_SetProperties(agingDrCan* me);
    virtual void MyDropBox_Open(dropBox* me);
    virtual void PushButtonRun_Action(fw::PushButton* me);
    virtual void TheTimer_Action();
    virtual void PushButtonFastFwd_Action();
    virtual void PushButtonClear_Action();
    virtual void PushButtonPlot_Action();
    virtual void MyPopUpVirion_LoadImage(popupSpriteCan* me, int32_t x, int32_t y,
                                         fw::Variant payload, fw::Window* w);
    virtual void myPopupVirionData_Vanished();
    virtual void myPopupVirionData_LoadImage(popupSpriteCan* me, int32_t x, int32_t y,
                                             fw::Variant payload, fw::Window* w);
    void AddMenuHandlers() override;
    void Event_EnableMenuItems() override;
    void Event_MouseDrag(int32_t x, int32_t y) override;
    void Event_MouseUp(int32_t x, int32_t y) override;
    bool Event_MouseDown(int32_t x, int32_t y) override;
    virtual bool _FileReset_Action();
};

// The one open Drift window, or a new one (created hidden).
fw::Ref<class WindowDrift> WindowDrift();
