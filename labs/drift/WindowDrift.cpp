#include "WindowDrift.h"

#include <string>

#include "labs/common/VirionDrag.h"
#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/cArray.h"
#include "engine/counter.h"
#include "engine/dropBox.h"
#include "engine/popupSpriteCan.h"
#include "engine/scatterCan.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"
#include "framework/ui/Application.h"

namespace {

const char* const kFastFwdTooFew =
    "The number of generations for fast forward must be a positive integer.";
const char* const kFastFwdTooMany = "The maximum number of generations for fast forward is 100.";
const int32_t kFastFwdMax = 100;
const int32_t kPeriodKey = 47;

void frame(fw::Rectangle& r, int32_t left, int32_t top, int32_t width, int32_t height) {
    r.SetBounds(left, top, width, height);
    r.SetFillColor(fw::RGB(255, 255, 255));
    r.SetBorderWidth(1);
    r.SetBorderColor(fw::RGB(0, 0, 0));
}

void button(fw::PushButton& b, int32_t left, int32_t top, const std::string& caption) {
    b.SetBounds(left, top, 72, 20);
    b.SetCaption(caption);
    b.SetTextFont("System");
    b.SetTextSize(12);
}

void label(fw::StaticText& t, int32_t left, int32_t top, int32_t width, int32_t height,
           const std::string& text, int32_t align, int32_t size = 12) {
    t.SetBounds(left, top, width, height);
    t.SetTextFont("System");
    t.SetTextSize(size);
    t.SetTextAlign(align);
    t.SetText(text);
}

void tick(fw::Line& l, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    l.SetPoints(x1, y1, x2, y2);
    l.SetBorderWidth(1);
    l.SetBorderColor(fw::RGB(0, 0, 0));
}

// An axis number of the plot, shown once something has been plotted.
void axisNumber(fw::StaticText& t, int32_t left, int32_t top, int32_t align) {
    label(t, left, top, 40, 20, "0", align, 10);
    t.SetVisible(false);
}

}  // namespace

// ------------------------------------------------------------ building

void WindowDrift::Layout() {
    SetTitle("Drift");
    SetSize(663, 520);
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

void WindowDrift::CreateControls() {
    _CreateControls0();
}

void WindowDrift::_CreateControls0() {
    auto rect2 = AddControl<fw::Rectangle>("Rectangle2");
    frame(*rect2, 267, 286, 258, 194);

    auto plot = AddControl<scatterCan>("MyScatterCan");
    plot->SetBounds(268, 287, 256, 192);
    plot->AcceptFocus = false;
    plot->EraseBackground = true;

    auto rect1 = AddControl<fw::Rectangle>("Rectangle1");
    frame(*rect1, 19, 13, 258, 194);

    auto can = AddControl<agingDrCan>("myAgingDrCan");
    can->SetBounds(20, 14, 256, 192);
    can->processingClick = false;
    can->AcceptFocus = false;
    can->EraseBackground = true;
    agingDrCan* canPtr = can.get();
    can->Extinct.Bind([this] { myAgingDrCan_Extinct(); });
    can->GenTick.Bind([this] { myAgingDrCan_GenTick(); });
    can->SetProperties.Bind([this, canPtr] { myAgingDrCan_SetProperties(canPtr); });

    auto list = AddControl<dropBox>("MyDropBox");
    list->SetBounds(302, 13, 339, 194);
    list->SetColumnCount(3);
    list->SetColumnWidths("100,100,500");
    list->SetInitialValue(std::string("Generation") + fw::Chr(9) + "Differences" + fw::Chr(9) +
                          "Sequence");
    list->SetGridLines(2, 2);
    list->SetSelectionType(1);
    list->SetTextFont("courier");
    list->SetTextSize(12);
    list->SetDefaultRowHeight(-1);
    list->SetScrollbarHorizontal(true);
    list->SetScrollbarVertical(true);
    list->SetAutoHideScrollbars(true);
    list->SetUseFocusRing(false);
    dropBox* listPtr = list.get();
    list->AddMenuHandler("EditCopy", [listPtr] { return listPtr->_EditCopy_Action(); });
    list->Open.Bind([this, listPtr] { MyDropBox_Open(listPtr); });

    auto rect3 = AddControl<fw::Rectangle>("Rectangle3");
    frame(*rect3, 302, 13, 339, 194);

    auto run = AddControl<fw::PushButton>("PushButtonRun");
    button(*run, 204, 215, "Run");
    fw::PushButton* runPtr = run.get();
    run->Action.Bind([this, runPtr] { PushButtonRun_Action(runPtr); });

    auto gen = AddControl<counter>("GenCounter");
    label(*gen, 100, 215, 43, 20, "GenCounter", 0);

    auto genTitle = AddControl<fw::StaticText>("StaticText1");
    label(*genTitle, 12, 215, 81, 20, "Generation:", 2);

    auto timer = AddControl<TheTimer>("TheTimer");
    timer->_SetWindow(this);
    timer->SetMode(0);
    timer->SetPeriod(100);
    timer->Action.Bind([this] { TheTimer_Action(); });

    auto fastFwd = AddControl<fw::PushButton>("PushButtonFastFwd");
    button(*fastFwd, 204, 241, "Fast Fwd");
    fastFwd->Action.Bind([this] { PushButtonFastFwd_Action(); });

    auto count = AddControl<fw::EditField>("EditFieldFastFwd");
    count->SetBounds(152, 240, 40, 22);
    count->SetBorder(true);
    count->SetReadOnly(false);
    count->SetTextFont("System");
    count->SetTextSize(12);
    count->SetBackColor(fw::RGB(255, 255, 255));
    count->SetUseFocusRing(false);
    count->SetText("1");

    auto clear = AddControl<fw::PushButton>("PushButtonClear");
    button(*clear, 569, 215, "Clear");
    clear->Action.Bind([this] { PushButtonClear_Action(); });

    auto plotButton = AddControl<fw::PushButton>("PushButtonPlot");
    button(*plotButton, 569, 241, "Plot");
    plotButton->Action.Bind([this] { PushButtonPlot_Action(); });

    auto yTitle = AddControl<fw::StaticText>("StaticText2");
    yTitle->SetMultiline(true);
    label(*yTitle, 108, 353, 143, 39, std::string("Number of sequence") + fw::Chr(13) + "differences",
          2);

    auto xTitle = AddControl<fw::StaticText>("StaticText3");
    label(*xTitle, 350, 487, 100, 20, "Generation", 1);

    tick(*AddControl<fw::Line>("Line1"), 262, 293, 267, 293);
    tick(*AddControl<fw::Line>("Line2"), 262, 472, 267, 472);
    tick(*AddControl<fw::Line>("Line3"), 274, 479, 274, 484);
    tick(*AddControl<fw::Line>("Line4"), 517, 479, 517, 484);

    axisNumber(*AddControl<fw::StaticText>("StaticTextyMin"), 217, 463, 2);
    axisNumber(*AddControl<fw::StaticText>("StaticTextyMax"), 217, 284, 2);
    axisNumber(*AddControl<fw::StaticText>("StaticTextxMin"), 255, 484, 1);
    axisNumber(*AddControl<fw::StaticText>("StaticTextxMax"), 498, 484, 1);

    auto sprite = AddControl<popupSpriteCan>("MyPopUpVirion");
    sprite->SetBounds(6, 41, 18, 16);
    sprite->SetVisible(false);
    sprite->AcceptFocus = false;
    sprite->EraseBackground = true;
    popupSpriteCan* spritePtr = sprite.get();
    sprite->LoadImage.Bind([this, spritePtr](int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
        MyPopUpVirion_LoadImage(spritePtr, x, y, v, w);
    });

    auto card = AddControl<popupSpriteCan>("myPopupVirionData");
    card->SetBounds(6, 69, 124, 100);
    card->AcceptFocus = false;
    card->EraseBackground = true;
    popupSpriteCan* cardPtr = card.get();
    card->Vanished.Bind([this] { myPopupVirionData_Vanished(); });
    card->LoadImage.Bind([this, cardPtr](int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
        myPopupVirionData_LoadImage(cardPtr, x, y, v, w);
    });
}

// ------------------------------------------------------------ population

void WindowDrift::myAgingDrCan_Extinct() {
    Ctl<counter>("GenCounter")->zero();
}

void WindowDrift::myAgingDrCan_GenTick() {
    Ctl<counter>("GenCounter")->increment();
}

void WindowDrift::myAgingDrCan_SetProperties(agingDrCan* me) {
    agingDrCan& can = fw::Deref(me);
    can.prepare();
    // Every member of the first generation is a clone of the same founder,
    // which itself never joins the population.
    fw::Ref<agingVTron> founder = fw::New<agingVTron>();
    founder->prepare(can);
    for (int32_t i = 1; i <= Globals::PopSize; ++i) {
        fw::Ref<agingVTron> c = founder->clone();
        c->randomizeLoc(can);
        can.doAttach(c);
        fw::Yield();
    }
    can.Lifestage = "growing";
    can.UpdateCache();
}

void WindowDrift::MyDropBox_Open(dropBox* me) {
    dropBox& list = fw::Deref(me);
    list.SetColumnAlignment(0, 2);
    list.SetColumnAlignment(1, 2);
    list.SetColumnAlignment(2, 1);
    list.SetColumnAlignmentOffset(2, 3);
}

// ------------------------------------------------------------ run and pause

void WindowDrift::PushButtonRun_Action(fw::PushButton* me) {
    fw::PushButton& run = fw::Deref(me);
    if (run.Caption() == "Run") {
        run.SetCaption("Pause");
        Ctl<TheTimer>("TheTimer")->SetMode(2);
        Ctl<fw::PushButton>("PushButtonFastFwd")->SetEnabled(false);
        Ctl<fw::PushButton>("PushButtonPlot")->SetEnabled(false);
        Ctl<fw::PushButton>("PushButtonClear")->SetEnabled(false);
    } else {
        run.SetCaption("Run");
        Ctl<TheTimer>("TheTimer")->SetMode(0);
        Ctl<fw::PushButton>("PushButtonFastFwd")->SetEnabled(true);
        Ctl<fw::PushButton>("PushButtonPlot")->SetEnabled(true);
        Ctl<fw::PushButton>("PushButtonClear")->SetEnabled(true);
    }
}

void WindowDrift::TheTimer_Action() {
    fw::Ref<agingDrCan> can = Ctl<agingDrCan>("myAgingDrCan");
    can->redraw();
    can->BlitCache();
}

// ------------------------------------------------------------ fast forward

void WindowDrift::PushButtonFastFwd_Action() {
    fw::Ref<fw::EditField> field = Ctl<fw::EditField>("EditFieldFastFwd");
    if (fw::Val(field->Text()) < 1) {
        fw::MsgBox(kFastFwdTooFew);
        field->SetText(fw::Str(1));
        return;
    }
    if (fw::Val(field->Text()) > kFastFwdMax) {
        fw::MsgBox(kFastFwdTooMany);
        field->SetText(fw::Str(kFastFwdMax));
        return;
    }

    fw::Ref<fw::PushButton> fastFwd = Ctl<fw::PushButton>("PushButtonFastFwd");
    // Only this button is greyed: a press on Run meanwhile waits, as all
    // input does while a handler runs, and starts the run once this returns.
    fastFwd->SetEnabled(false);

    // Raw pointers for the loop: the window keeps its controls alive.
    agingDrCan& can = *Ctl<agingDrCan>("myAgingDrCan");
    counter& gen = *Ctl<counter>("GenCounter");
    const int32_t target = fw::ToInt(fw::Val(gen.Text()) + fw::Val(field->Text()));

    for (;;) {
        if (fw::Val(gen.Text()) == target && can.Lifestage == "reproducing") break;

        // Run the life cycle, off screen, until the next generation has been
        // born and has grown up, or nothing is left.
        const int32_t start = fw::ToInt(fw::Val(gen.Text()));
        for (;;) {
            if (fw::Val(gen.Text()) != start && can.Lifestage == "reproducing") break;
            can.redraw();
            if (can.AniTrons.UBound() < 1) break;
            fw::Yield();
        }

        // Show the new generation once, scattered afresh.
        for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i) {
            fw::Cast<agingVTron>(can.AniTrons(i))->randomizeLoc(can);
            fw::Yield();
        }
        can.UpdateCache();
        can.BlitCache();

        if (can.AniTrons.UBound() < 1) break;
        if (fw::Keyboard::AsyncCommandKey() && fw::Keyboard::AsyncKeyDown(kPeriodKey)) break;
        fw::Yield();
    }

    fastFwd->SetEnabled(true);
}

// ------------------------------------------------------------ clear and plot

void WindowDrift::PushButtonClear_Action() {
    fw::Ref<dropBox> list = Ctl<dropBox>("MyDropBox");
    // The title row stays.
    while (list->ListCount() > 1) {
        list->RemoveRow(list->ListCount() - 1);
        fw::Yield();
    }
}

void WindowDrift::PushButtonPlot_Action() {
    fw::Ref<dropBox> list = Ctl<dropBox>("MyDropBox");
    const int32_t rows = list->ListCount();
    // One element per collected row (row 0 holds the titles).
    fw::Ref<cArray> x = fw::New<cArray>(rows - 2);
    fw::Ref<cArray> y = fw::New<cArray>(rows - 2);
    for (int32_t i = 1; i <= rows - 1; ++i) {
        x->set(i - 1, fw::Variant(list->Cell(i, 0)));
        y->set(i - 1, fw::Variant(list->Cell(i, 1)));
        fw::Yield();
    }

    int32_t xMax = 0;
    for (int32_t i = 0; i <= x->ubound(); ++i) {
        const int32_t v = x->get(i).IntegerValue();
        if (v > xMax) xMax = v;
        fw::Yield();
    }
    // The x axis starts at generation 1000 at the latest.
    int32_t xMin = 1000;
    for (int32_t i = 0; i <= y->ubound(); ++i) {
        const int32_t v = x->get(i).IntegerValue();
        if (v < xMin) xMin = v;
        fw::Yield();
    }
    int32_t yMax = 0;
    for (int32_t i = 0; i <= y->ubound(); ++i) {
        const int32_t v = y->get(i).IntegerValue();
        if (v > yMax) yMax = v;
        fw::Yield();
    }
    int32_t scale = 100;
    if (yMax < 10)
        scale = 10;
    else if (yMax < 20)
        scale = 20;
    else if (yMax < 50)
        scale = 50;

    Ctl<fw::StaticText>("StaticTextyMax")->SetText(fw::Str(scale));
    Ctl<fw::StaticText>("StaticTextxMin")->SetText(fw::Str(xMin));
    Ctl<fw::StaticText>("StaticTextxMax")->SetText(fw::Str(xMax));
    Ctl<fw::StaticText>("StaticTextyMin")->SetVisible(true);
    Ctl<fw::StaticText>("StaticTextyMax")->SetVisible(true);
    Ctl<fw::StaticText>("StaticTextxMin")->SetVisible(true);
    Ctl<fw::StaticText>("StaticTextxMax")->SetVisible(true);

    // Rows from a single generation give an empty x range: the plot then
    // puts their dots in the middle of the axis.
    fw::Ref<scatterCan> plot = Ctl<scatterCan>("MyScatterCan");
    plot->ClearCache();
    plot->scatterplot(x, y, xMin, xMax, 0, scale);
    plot->Refresh(true);
}

// ------------------------------------------------------------ pop-ups

void WindowDrift::MyPopUpVirion_LoadImage(popupSpriteCan* me, int32_t x, int32_t y,
                                          fw::Variant payload, fw::Window*) {
    VirionDrag::PaintDragSpriteOf<agingVTron>(fw::Deref(me), x, y, payload);
}

void WindowDrift::myPopupVirionData_Vanished() {}

void WindowDrift::myPopupVirionData_LoadImage(popupSpriteCan* me, int32_t x, int32_t y,
                                              fw::Variant payload, fw::Window* w) {
    VirionDrag::PaintSequenceCardOf<agingVTron>(fw::Deref(me), x, y, payload, w);
}

// ------------------------------------------------------------ menus

void WindowDrift::AddMenuHandlers() {
    AddMenuHandler("FileReset", [this] { return _FileReset_Action(); });
}

void WindowDrift::Event_EnableMenuItems() {
    FileReset()->Enable();
}

// ------------------------------------------------------------ mouse

void WindowDrift::Event_MouseDrag(int32_t x, int32_t y) {
    VirionDrag::FollowMouse(*this, *Ctl<popupSpriteCan>("MyPopUpVirion"),
                            *Ctl<popupSpriteCan>("myPopupVirionData"), OldMouseX, OldMouseY, x, y);
}

void WindowDrift::Event_MouseUp(int32_t x, int32_t y) {
    if (DragTron) {
        fw::Ref<agingDrCan> can = Ctl<agingDrCan>("myAgingDrCan");
        fw::Ref<dropBox> list = Ctl<dropBox>("MyDropBox");
        // The canvas and the list do not overlap; over neither, the virion
        // is lost.
        if (can->within(x, y)) can->AniTronDrop(x, y, DragTron);
        if (list->within(x, y)) list->TronDrop(DragTron, Ctl<counter>("GenCounter")->Text());
    }
    VirionDrag::VanishPopups(*Ctl<popupSpriteCan>("MyPopUpVirion"),
                             *Ctl<popupSpriteCan>("myPopupVirionData"));
    DragTron = nullptr;
}

bool WindowDrift::Event_MouseDown(int32_t x, int32_t y) {
    DragTron = nullptr;
    fw::Ref<agingDrCan> can = Ctl<agingDrCan>("myAgingDrCan");
    // Virions are taken only while the population is paused.
    if (Ctl<TheTimer>("TheTimer")->Mode() == 0 && can->within(x, y)) {
        DragTron = can->mouseDown(x, y);
        if (DragTron) {
            Ctl<popupSpriteCan>("MyPopUpVirion")->popup(x, y, fw::Variant(DragTron), this);
            Ctl<popupSpriteCan>("myPopupVirionData")->popup(x, y, fw::Variant(DragTron), this);
        }
        OldMouseX = x;
        OldMouseY = y;
        return true;
    }
    return false;
}

bool WindowDrift::_FileReset_Action() {
    ::WindowResetDrift()->Show();
    return false;
}

fw::Ref<class WindowDrift> WindowDrift() {
    return fw::ImplicitWindow<class WindowDrift>();
}
