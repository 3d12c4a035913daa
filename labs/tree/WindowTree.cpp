#include "WindowTree.h"

#include <string>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/RootLine.h"
#include "engine/counter.h"
#include "engine/virionTron.h"
#include "framework/core/Color.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"
#include "labs/common/ComparisonPanel.h"
#include "labs/common/VirionDrag.h"

namespace {

const fw::Color kWhite = fw::RGB(255, 255, 255);
const fw::Color kBlack = fw::RGB(0, 0, 0);
const char* const kRunning = "Pause";
const char* const kPaused = "Fast Fwd";

// Design positions of the eight populations: canvas, box and label. The
// populations not yet in use are parked hidden at the right edge.
struct PopulationPlace {
    int32_t canLeft, canTop, boxLeft, boxTop, labelLeft, labelTop;
};
const PopulationPlace kPlaces[8] = {
    {11, 355, 5, 354, 5, 337},     {626, 62, 620, 61, 606, 60},
    {626, 104, 620, 103, 606, 101}, {626, 146, 620, 145, 606, 142},
    {626, 188, 620, 187, 606, 183}, {626, 230, 620, 229, 606, 224},
    {626, 272, 620, 271, 606, 265}, {626, 314, 620, 313, 606, 306},
};

// The y of the tree lines myHLine(1..7) as laid out (index 0 at 7).
const int32_t kHLineY[8] = {7, 15, 24, 32, 41, 49, 58, 67};

// A hidden black tree line, two pixels wide, as the array member `index`.
template <class L>
void addTreeLine(fw::Window& w, const std::string& name, int32_t index, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2) {
    auto l = fw::New<L>(index);
    w.registerControl(l, name, index);
    l->SetPoints(x1, y1, x2, y2);
    l->SetBorderColor(kBlack);
    l->SetBorderWidth(2);
    l->SetVisible(false);
}

}  // namespace

// ------------------------------------------------------------------ building

void WindowTree::Layout() {
    SetTitle("Tree");
    SetSize(662, 540);
    SetFrame(0);
    SetPlacement(3);
    SetCloseButton(true);
    SetResizeable(false);
    SetMaximizeButton(false);
    SetMinimizeButton(false);
    SetVisible(false);
}

void WindowTree::CreateControls() {
    _CreateControls0();
    _CreateControls1();
}

void WindowTree::_CreateControls0() {
    // The comparison panel.
    {
        auto r = AddControl<fw::Rectangle>("Rectangle5");
        r->SetBounds(36, 413, 485, 110);
        r->SetFillColor(kWhite);
        r->SetBorderWidth(0);
        r->SetBorderColor(kBlack);
    }
    auto slotFrame = [this](const std::string& name, int32_t top) {
        auto r = AddControl<fw::Rectangle>(name);
        r->SetBounds(49, top, 22, 22);
        r->SetFillColor(kWhite);
        r->SetBorderWidth(1);
        r->SetBorderColor(kBlack);
    };
    auto slot = [this](int32_t index, int32_t top) {
        auto c = fw::New<MyDisplayCan>(index);
        registerControl(c, "MyDisplayCan", index);
        c->SetBounds(50, top, 20, 20);
        c->processingClick = false;
        MyDisplayCan* p = c.get();
        c->PulledAnitron.Bind([this, p] { MyDisplayCan_PulledAnitron(*p); });
        c->DroppedAniTron.Bind(
            [this, p](fw::Ref<aniTron> t) { MyDisplayCan_DroppedAniTron(*p, t); });
    };
    slotFrame("Rectangle4", 483);
    slot(1, 484);
    slotFrame("Rectangle3", 446);
    slot(0, 447);
    for (int32_t i = 0; i <= 1; ++i) {
        auto s = fw::New<StaticTextSourcePop>(i);
        registerControl(s, "StaticTextSourcePop", i);
        s->SetBounds(93, i == 0 ? 447 : 484, 30, 20);
        s->SetText("");
        s->SetTextAlign(1);
        s->SetTextFont("System");
        s->SetTextSize(12);
    }
    auto label = [this](const std::string& name, int32_t left, int32_t top, int32_t width,
                        const std::string& text, int32_t align) {
        auto s = AddControl<fw::StaticText>(name);
        s->SetBounds(left, top, width, 20);
        s->SetText(text);
        s->SetTextAlign(align);
        s->SetTextFont("System");
        s->SetTextSize(12);
    };
    label("StaticText4", 87, 415, 50, "Source", 0);
    label("StaticText2", 245, 415, 100, "Sequence", 0);
    {
        auto l = AddControl<fw::Listbox>("ListBoxSequence");
        l->SetBounds(149, 439, 278, 84);
        l->SetColumnCount(1);
        l->SetColumnWidths("1000");
        l->SetGridLines(2, 0);
        l->SetDefaultRowHeight(37);
        l->SetTextFont("courier");
        l->SetTextSize(12);
        l->SetSelectionType(0);
        // The one column is wider than the list: the horizontal bar shows.
        l->SetScrollbarHorizontal(true);
        l->SetScrollbarVertical(false);
        l->SetAutoHideScrollbars(true);
        l->SetUseFocusRing(false);
        l->SetTabIndex(12);
        l->Open.Bind([this] { ListBoxSequence_Open(); });
    }
    {
        auto r = AddControl<fw::Rectangle>("Rectangle1");
        r->SetBounds(149, 439, 278, 84);
        r->SetFillColor(kWhite);
        r->SetBorderWidth(1);
        r->SetBorderColor(kBlack);
    }
    label("StaticTextNumDiffs", 451, 468, 46, "", 1);
    label("StaticText6", 435, 415, 79, "# Differences", 0);
    label("StaticText1", 547, 431, 34, "Gen:", 0);

    // The field on which the tree grows, and the root line.
    {
        auto r = AddControl<fw::Rectangle>("TreeRect");
        r->SetBounds(20, 20, 622, 376);
        r->SetFillColor(fw::ColorFromHex(0xBFFFBF));
        r->SetBorderWidth(0);
    }
    {
        auto l = AddControl<RootLine>("myRootline");
        l->SetPoints(331, 396, 331, 397);
        l->SetBorderColor(kBlack);
        l->SetBorderWidth(2);
        l->Active = false;
        l->Open.Bind([this] { myRootline_Open(); });
    }

    // Running.
    {
        auto b = AddControl<fw::PushButton>("PushButtonFastFwd");
        b->SetBounds(544, 463, 72, 20);
        b->SetCaption(kPaused);
        b->SetTabIndex(7);
        b->SetTextFont("System");
        b->SetTextSize(12);
        b->SetDefault(false);
        b->SetCancel(false);
        fw::PushButton* p = b.get();
        b->Action.Bind([this, p] { PushButtonFastFwd_Action(*p); });
    }
    {
        auto t = fw::New<TimerWait>();
        registerControl(t, "TimerWait", -1);
        t->_SetWindow(this);
        t->SetMode(0);
        t->SetPeriod(100);
        TimerWait* p = t.get();
        t->Action.Bind([this, p] { TimerWait_Action(*p); });
    }
    {
        auto c = AddControl<counter>("CountUp");
        c->SetBounds(580, 430, 39, 22);
        c->SetText("0");
        c->SetTextAlign(1);
        c->SetTextFont("System");
        c->SetTextSize(12);
    }

    // The populations: boxes, canvases and labels, in their creation order.
    for (int32_t i : {0, 1, 2, 3, 7, 6, 5, 4}) {
        auto r = fw::New<RectangleBound>(i);
        registerControl(r, "RectangleBound", i);
        r->SetBounds(kPlaces[i].boxLeft, kPlaces[i].boxTop, 42, 42);
        r->SetFillColor(kWhite);
        r->SetBorderWidth(1);
        r->SetBorderColor(kBlack);
        r->SetVisible(i == 0);
    }
    for (int32_t i : {0, 1, 2, 3, 5, 7}) addPopulationCanvas(i);
    for (int32_t i : {1, 2, 3, 4, 5, 6, 7, 0}) {
        auto e = fw::New<EditFieldPopLabel>(i);
        registerControl(e, "EditFieldPopLabel", i);
        e->SetBounds(kPlaces[i].labelLeft, kPlaces[i].labelTop, 42, 15);
        // Tab goes through the labels 1 to 7, then 0.
        e->SetTabIndex(i == 0 ? 42 : 34 + i);
        e->SetUseFocusRing(false);
        e->SetBorder(false);
        e->SetReadOnly(false);
        e->SetBackColor(kWhite);
        e->SetText("");
        e->SetAlignment(0);
        e->SetTextFont("System");
        e->SetTextSize(12);
        e->SetVisible(i == 0);
    }

    // The tree's lines, all hidden until a split uses them.
    addTreeLine<myHLine>(*this, "myHLine", 0, 8, kHLineY[0], 108, kHLineY[0]);
    addTreeLine<myVLine>(*this, "myVLine", 0, 344, 7, 344, 23);
    for (int32_t i = 1; i <= 6; ++i)
        addTreeLine<myHLine>(*this, "myHLine", i, 8, kHLineY[i], 108, kHLineY[i]);
}

void WindowTree::_CreateControls1() {
    addTreeLine<myHLine>(*this, "myHLine", 7, 8, kHLineY[7], 108, kHLineY[7]);
    for (int32_t i = 1; i <= 14; ++i)
        addTreeLine<myVLine>(*this, "myVLine", i, 344 + 5 * i, 7, 344 + 5 * i, 23);

    // The pop-ups of a drag: they raise themselves above everything when
    // they pop up, so the canvases created after them do not hide them.
    {
        auto p = AddControl<popupSpriteCan>("MyPopUpVirion");
        p->SetBounds(643, 3, 18, 16);
        p->SetVisible(false);
        popupSpriteCan* me = p.get();
        p->LoadImage.Bind([this, me](int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
            MyPopUpVirion_LoadImage(*me, x, y, v, w);
        });
    }
    {
        auto p = AddControl<popupSpriteCan>("myPopupVirionData");
        p->SetBounds(643, 393, 124, 100);
        p->SetVisible(true);
        popupSpriteCan* me = p.get();
        p->Vanished.Bind([this] { myPopupVirionData_Vanished(); });
        p->LoadImage.Bind([this, me](int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
            myPopupVirionData_LoadImage(*me, x, y, v, w);
        });
    }

    for (int32_t i : {6, 4}) addPopulationCanvas(i);
}

void WindowTree::addPopulationCanvas(int32_t i) {
    auto c = fw::New<myDriftCan>(i);
    registerControl(c, "myDriftCan", i);
    c->SetBounds(kPlaces[i].canLeft, kPlaces[i].canTop, 40, 40);
    c->processingClick = false;
    c->SetVisible(i == 0);
    myDriftCan* p = c.get();
    c->SetProperties.Bind([this, p] { myDriftCan_SetProperties(*p); });
}

// --------------------------------------------------------- the comparison panel

void WindowTree::MyDisplayCan_PulledAnitron(MyDisplayCan& me) {
    const int32_t i = me.Index();
    ComparisonPanel::ClearSlot(*Ctl<fw::Listbox>("ListBoxSequence"),
                               *Ctl<fw::StaticText>("StaticTextSourcePop", i),
                               *Ctl<fw::StaticText>("StaticTextNumDiffs"), i);
}

void WindowTree::MyDisplayCan_DroppedAniTron(MyDisplayCan& me, fw::Ref<aniTron> t) {
    const int32_t i = me.Index();
    // The label of the population the virion came from, as it reads now; a
    // virion moved on from the other slot leaves the label as it was.
    if (sourcePop >= 0) {
        Ctl<fw::StaticText>("StaticTextSourcePop", i)
            ->SetText(Ctl<fw::EditField>("EditFieldPopLabel", sourcePop)->Text());
    }
    ComparisonPanel::ShowVirion(*Ctl<fw::Listbox>("ListBoxSequence"),
                                *Ctl<fw::StaticText>("StaticTextNumDiffs"), i, fw::Deref(t));
}

void WindowTree::ListBoxSequence_Open() {
    ComparisonPanel::OpenRows(*Ctl<fw::Listbox>("ListBoxSequence"));
}

// ---------------------------------------------------------------- growth

void WindowTree::myRootline_Open() {
    Ctl<RootLine>("myRootline")->Active = true;
}

void WindowTree::PushButtonFastFwd_Action(fw::PushButton& me) {
    auto timer = Ctl<fw::Timer>("TimerWait");
    if (me.Caption() == kPaused) {
        me.SetCaption(kRunning);
        timer->SetMode(2);
    } else {
        me.SetCaption(kPaused);
        timer->SetMode(0);
    }
}

void WindowTree::TimerWait_Action(TimerWait& me) {
    auto count = Ctl<counter>("CountUp");
    // The run ends on the tick after the count has passed 1000.
    if (fw::Val(count->Text()) > 1000.0) {
        me.SetMode(0);
        Ctl<fw::PushButton>("PushButtonFastFwd")->SetCaption(kPaused);
        return;
    }

    // One generation in every population in use, in index order; every third
    // generation they all rise by one pixel (time grows upward).
    for (int32_t i = 0; i <= 7; ++i) {
        auto can = Ctl<driftCan>("myDriftCan", i);
        if (can->Visible()) {
            can->redraw();
            if (fw::ToInt(fw::Val(count->Text())) % 3 == 0) {
                can->SetTop(can->Top() - 1);
                auto box = Ctl<fw::Control>("RectangleBound", i);
                box->SetTop(box->Top() - 1);
                auto label = Ctl<fw::Control>("EditFieldPopLabel", i);
                label->SetTop(label->Top() - 1);
            }
        }
        fw::Yield();
    }

    count->increment();

    // The vertical lines under single populations follow them up.
    for (int32_t m = 1; m <= numHLines; ++m) {
        auto bar = Ctl<HLine>("myHLine", m);
        if (bar->LeftEnd.UBound() == 0)
            fw::Deref(bar->leftVLine).SetY1(fw::Deref(bar->LeftEnd(0)).Top() + 41);
        if (bar->RightEnd.UBound() == 0)
            fw::Deref(bar->rightVLine).SetY1(fw::Deref(bar->RightEnd(0)).Top() + 41);
        fw::Yield();
    }

    auto root = Ctl<RootLine>("myRootline");
    if (root->Active) root->SetY1(Ctl<driftCan>("myDriftCan", 0)->Top() + 41);
}

void WindowTree::myDriftCan_SetProperties(myDriftCan& me) {
    // Only population 0 is founded; the others start empty.
    if (me.Index() != 0) return;

    auto t = fw::New<virionTron>();
    t->prepare(me);
    t->height = Globals::DotSizeTiny;
    t->width = Globals::DotSizeTiny;

    me.AniTrons.Redim(Globals::PopSize);
    for (int32_t k = 1; k <= me.AniTrons.UBound(); ++k) {
        fw::Ref<virionTron> v = t->clone();
        me.AniTrons(k) = v;
        v->randomizeLoc(me);
        fw::Yield();
    }
    // One generation from the clones, shown at once and not counted.
    me.redraw();
}

// ------------------------------------------------------------ the drag family

void WindowTree::MyPopUpVirion_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                         fw::Variant payload, fw::Window*) {
    VirionDrag::PaintDragSpriteOf<virionTron>(me, x, y, payload);
}

void WindowTree::myPopupVirionData_Vanished() {}

void WindowTree::myPopupVirionData_LoadImage(popupSpriteCan& me, int32_t x, int32_t y,
                                             fw::Variant payload, fw::Window* w) {
    VirionDrag::PaintSequenceCardOf<virionTron>(me, x, y, payload, w);
}

// ------------------------------------------------------------------- menus

void WindowTree::AddMenuHandlers() {
    AddMenuHandler("FileReset", [this] { return _FileReset_Action(); });
}

void WindowTree::Event_EnableMenuItems() {
    FileReset()->Enable();
}

bool WindowTree::_FileReset_Action() {
    WindowResetDrift()->Show();
    return false;
}

// ------------------------------------------------------------------- mouse

void WindowTree::Event_MouseDrag(int32_t x, int32_t y) {
    VirionDrag::FollowMouse(*this, *Ctl<popupSpriteCan>("MyPopUpVirion"),
                            *Ctl<popupSpriteCan>("myPopupVirionData"), OldMouseX, OldMouseY, x, y);
}

void WindowTree::Event_MouseUp(int32_t x, int32_t y) {
    VirionDrag::DropOn(populations(), displaySlots(), x, y, DragTron);
    VirionDrag::VanishPopups(*Ctl<popupSpriteCan>("MyPopUpVirion"),
                             *Ctl<popupSpriteCan>("myPopupVirionData"));
    DragTron = nullptr;
    sourcePop = -1;
}

bool WindowTree::Event_MouseDown(int32_t x, int32_t y) {
    if (Ctl<fw::PushButton>("PushButtonFastFwd")->Caption() == kRunning) {
        splitPopulation(x, y);
        return false;
    }
    return pickUp(x, y);
}

// Every population canvas, in use or not, then the two slots.
bool WindowTree::pickUp(int32_t x, int32_t y) {
    const int32_t hit = VirionDrag::PickUpFrom(populations(), displaySlots(), x, y, DragTron);
    if (hit == VirionDrag::kNoHit) return false;
    if (DragTron) {
        Ctl<popupSpriteCan>("MyPopUpVirion")->popup(x, y, fw::Variant(DragTron), this);
        Ctl<popupSpriteCan>("myPopupVirionData")->popup(x, y, fw::Variant(DragTron), this);
    }
    OldMouseX = x;
    OldMouseY = y;
    if (hit != VirionDrag::kSlotHit) sourcePop = hit;
    return true;
}

std::vector<fw::Ref<driftCan>> WindowTree::populations() const {
    std::vector<fw::Ref<driftCan>> pops;
    for (int32_t i = 0; i <= 7; ++i) pops.push_back(Ctl<driftCan>("myDriftCan", i));
    return pops;
}

std::vector<fw::Ref<displayCan>> WindowTree::displaySlots() const {
    return {Ctl<displayCan>("MyDisplayCan", 0), Ctl<displayCan>("MyDisplayCan", 1)};
}

// ------------------------------------------------------------------- split

void WindowTree::splitPopulation(int32_t x, int32_t y) {
    auto field = Ctl<fw::Rectangle>("TreeRect");
    // Population 7 is never split: it can only be the last one made.
    for (int32_t i = 0; i <= 6; ++i) {
        fw::Ref<driftCan> c = Ctl<driftCan>("myDriftCan", i);
        // Only a population in use that holds a virion can be split; a click
        // on an empty one, or on a hidden canvas parked at the field's edge,
        // is no hit at all.
        if (!c->within(x, y) || !c->Visible() || c->AniTrons.UBound() < 1) {
            fw::Yield();
            continue;
        }

        Ctl<RootLine>("myRootline")->Active = false;

        // Where the clicked population stands in the screen order.
        int32_t k = 0;
        for (int32_t j = 0; j <= PopOrder.UBound(); ++j) {
            if (PopOrder(j).get() == c.get()) k = j;
            fw::Yield();
        }

        if (LastPopActivated < 7) {
            const int32_t n = LastPopActivated + 1;
            fw::Ref<driftCan> newCan = Ctl<driftCan>("myDriftCan", n);
            auto newBox = Ctl<fw::Control>("RectangleBound", n);
            auto newLabel = Ctl<fw::Control>("EditFieldPopLabel", n);

            // The new population starts at its parent's height, directly to
            // its right in the order.
            newCan->SetTop(c->Top());
            newBox->SetTop(newCan->Top() - 1);
            newLabel->SetTop(newBox->Top() - 17);
            if (k == PopOrder.UBound())
                PopOrder.Append(newCan);
            else
                PopOrder.Insert(k + 1, newCan);

            // The populations and the two margins share the field's width.
            const double share =
                static_cast<double>(field->Width()) / static_cast<double>(n + 2);
            const int32_t spacing = fw::ToInt(fw::Round(share));
            for (int32_t j = 0; j <= PopOrder.UBound(); ++j) {
                PopOrder(j)->SetLeft(field->Left() + (j + 1) * spacing - 20);
                fw::Yield();
            }
            for (int32_t j = 0; j <= 7; ++j) {
                auto box = Ctl<fw::Control>("RectangleBound", j);
                box->SetLeft(Ctl<fw::Control>("myDriftCan", j)->Left() - 1);
                Ctl<fw::Control>("EditFieldPopLabel", j)->SetLeft(box->Left());
                fw::Yield();
            }
            newCan->SetVisible(true);
            newBox->SetVisible(true);
            newLabel->SetVisible(true);

            // One virion, drawn at random, founds the new population.
            const int32_t r = fw::Deref(Globals::myRAlea).random(1, c->AniTrons.UBound());
            fw::Ref<aniTron> founder = c->AniTrons(r);
            c->doDetach(r);
            newCan->doAttach(founder);

            LastPopActivated = LastPopActivated + 1;
            numHLines = numHLines + 1;
            auto h = Ctl<HLine>("myHLine", numHLines);
            h->LeftEnd.Redim(-1);
            h->RightEnd.Redim(-1);
            h->LeftEnd.Append(c);
            h->RightEnd.Append(newCan);

            // The bar's depth: the bottom of the field less a third of the
            // generations, truncated, which is the populations' Top + 41.
            const double bottom = static_cast<double>(field->Top() + field->Height());
            h->TimeDepth = fw::ToInt(bottom - fw::Val(Ctl<counter>("CountUp")->Text()) / 3.0);

            numVLines = numVLines + 1;
            h->leftVLine = Ctl<VLine>("myVLine", numVLines);
            h->leftVLine->SetVisible(true);
            numVLines = numVLines + 1;
            h->rightVLine = Ctl<VLine>("myVLine", numVLines);
            h->rightVLine->SetVisible(true);
            h->SetVisible(true);

            // Older bars that lead to the clicked population now lead to the
            // new one too.
            for (int32_t m = 1; m <= numHLines - 1; ++m) {
                auto older = Ctl<HLine>("myHLine", m);
                const int32_t p = older->LeftContains(c);
                if (p > -1) older->LeftEnd.Insert(p + 1, newCan);
                const int32_t q = older->RightContains(c);
                if (q > -1) older->RightEnd.Insert(q + 1, newCan);
                fw::Yield();
            }
            for (int32_t m = numHLines; m >= 1; --m) {
                Ctl<HLine>("myHLine", m)->Reposition();
                fw::Yield();
            }
            Refresh(true);
        }
        break;
    }
}

// ------------------------------------------------------------------- open

void WindowTree::Event_Open() {
    LastPopActivated = 0;
    numHLines = 0;
    numVLines = 0;
    auto can = Ctl<driftCan>("myDriftCan", 0);
    can->SetTop(355);
    can->SetLeft(311);
    auto box = Ctl<fw::Control>("RectangleBound", 0);
    box->SetTop(354);
    box->SetLeft(310);
    auto label = Ctl<fw::Control>("EditFieldPopLabel", 0);
    label->SetTop(337);
    label->SetLeft(310);
    PopOrder.Insert(PopOrder.UBound() + 1, can);
}

fw::Ref<class WindowTree> WindowTree() {
    return fw::ImplicitWindow<class WindowTree>();
}
