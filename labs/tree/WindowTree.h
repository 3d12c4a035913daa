// The Tree laboratory window: up to eight populations on a green field,
// joined by black lines into a tree that grows upward with the generations.
// While the run goes on, a click on a population splits it (one of its
// virions founds a new population beside it); while paused, virions are
// picked up, moved between populations and compared in the panel below the
// field.
#pragma once

#include <vector>

#include <cstdint>

#include "engine/HLine.h"
#include "engine/VLine.h"
#include "engine/aniTron.h"
#include "engine/displayCan.h"
#include "engine/driftCan.h"
#include "engine/popupSpriteCan.h"
#include "framework/core/Array.h"
#include "framework/core/Object.h"
#include "framework/core/Variant.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"
#include "app/WindowTimer.h"

class WindowTree : public fw::Window {
public:
    // ---------------------------------------------- per-window control classes
    // Each exists so that the window can bind the control's events to its own
    // handlers; the array classes take the member's index.

    class MyDisplayCan : public displayCan {
    public:
        explicit MyDisplayCan(int32_t index) { SetIndex(index); }
    };

    class StaticTextSourcePop : public fw::StaticText {
    public:
        explicit StaticTextSourcePop(int32_t index) { SetIndex(index); }
    };

    class TimerWait : public WindowTimer {};

    class RectangleBound : public fw::Rectangle {
    public:
        explicit RectangleBound(int32_t index) { SetIndex(index); }
    };

    class myDriftCan : public driftCan {
    public:
        explicit myDriftCan(int32_t index) { SetIndex(index); }
    };

    class EditFieldPopLabel : public fw::EditField {
    public:
        explicit EditFieldPopLabel(int32_t index) { SetIndex(index); }
    };

    class myHLine : public HLine {
    public:
        explicit myHLine(int32_t index) { SetIndex(index); }
    };

    class myVLine : public VLine {
    public:
        explicit myVLine(int32_t index) { SetIndex(index); }
    };

    // ------------------------------------------------------------- members

    // The virion being dragged, or nil.
    fw::Ref<aniTron> DragTron;
    // The last mouse position seen during a drag.
    int32_t OldMouseX = 0;
    int32_t OldMouseY = 0;
    // The population the current press started on; -1 after a release.
    int32_t sourcePop = 0;
    // Populations 0 to LastPopActivated are in use (visible).
    int32_t LastPopActivated = 0;
    // The populations in use, left to right on the screen.
    fw::Array<fw::Ref<driftCan>> PopOrder;
    // myHLine(1..numHLines) and myVLine(1..numVLines) are in use.
    int32_t numHLines = 0;
    int32_t numVLines = 0;

    // ---------------------------------------------------------- operations

    void Layout() override;
    void CreateControls() override;
    virtual void _CreateControls0();
    virtual void _CreateControls1();
    virtual void MyDisplayCan_PulledAnitron(MyDisplayCan& me);
    virtual void MyDisplayCan_DroppedAniTron(MyDisplayCan& me, fw::Ref<aniTron> t);
    virtual void ListBoxSequence_Open();
    virtual void myRootline_Open();
    virtual void PushButtonFastFwd_Action(fw::PushButton& me);
    virtual void TimerWait_Action(TimerWait& me);
    virtual void myDriftCan_SetProperties(myDriftCan& me);
    virtual void MyPopUpVirion_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                         fw::Variant payload, fw::Window* w);
    virtual void myPopupVirionData_Vanished();
    virtual void myPopupVirionData_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                             fw::Variant payload, fw::Window* w);
    void AddMenuHandlers() override;
    void Event_EnableMenuItems() override;
    void Event_MouseDrag(int32_t x, int32_t y) override;
    void Event_MouseUp(int32_t x, int32_t y) override;
    bool Event_MouseDown(int32_t x, int32_t y) override;
    void Event_Open() override;
    virtual bool _FileReset_Action();

private:
    // Creates population i's canvas (hidden unless it is population 0).
    void addPopulationCanvas(int32_t i);
    // The population canvas under (x, y) that a click while running splits.
    void splitPopulation(int32_t x, int32_t y);
    // The press while paused: picks a virion up.
    bool pickUp(int32_t x, int32_t y);
    // The eight population canvases in index order, and the two slots.
    std::vector<fw::Ref<driftCan>> populations() const;
    std::vector<fw::Ref<displayCan>> displaySlots() const;
};

// The one open Tree window, or a new one (created hidden).
fw::Ref<class WindowTree> WindowTree();
