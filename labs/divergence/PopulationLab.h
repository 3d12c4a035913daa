// What the Divergence and Archipelago windows have in common: populations of
// virions on generation canvases side by side, each with its generation
// counter; a fast forward that breeds every population once per tick of a
// 100 ms timer; virions carried by the mouse between populations and the two
// display slots of the comparison panel at any time.
//
// W is the window class (it carries the per-window control classes and the
// handlers the controls are bound to), Populations its number of population
// canvases. The window keeps every handler of its own and calls the steps
// below; only what differs between the two windows (layout, creation order,
// the source label of a display slot) is written in the window itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "engine/aniTron.h"
#include "engine/counter.h"
#include "engine/displayCan.h"
#include "engine/driftCan.h"
#include "engine/popupSpriteCan.h"
#include "engine/virionTron.h"
#include "framework/core/Object.h"
#include "framework/core/Text.h"
#include "framework/core/Variant.h"
#include "framework/core/Yield.h"
#include "framework/ui/Application.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"
#include "labs/common/ComparisonPanel.h"
#include "labs/common/VirionDrag.h"

namespace PopulationLabText {
inline const std::string kTooFew =
    "The number of generations for fast forward must be a positive integer.";
inline const std::string kTooMany = "The maximum number of generations for fast forward is 500.";
constexpr double kMaxFastForward = 500.0;
}  // namespace PopulationLabText

template <class W, int32_t Populations>
class PopulationLab : public fw::Window {
public:
    // The virion in the user's hand (detached from wherever it came from),
    // or nil.
    fw::Ref<aniTron> DragTron;
    // The last mouse point seen by the press or the drag, window coordinates.
    int32_t OldMouseX = 0;
    int32_t OldMouseY = 0;
    // The population the current press started on; -1 after every release
    // (a press on a display slot leaves it as it is).
    int32_t sourcePop = 0;

    static constexpr int32_t kPopulations = Populations;
    static constexpr int32_t kSlots = 2;

    driftCan& Population(int32_t i) const { return fw::Deref(pops_.at(static_cast<size_t>(i))); }
    counter& GenCounterOf(int32_t i) const { return fw::Deref(gens_.at(static_cast<size_t>(i))); }
    displayCan& Slot(int32_t i) const { return fw::Deref(slots_.at(static_cast<size_t>(i))); }
    fw::StaticText& SourceLabel(int32_t i) const {
        return fw::Deref(labels_.at(static_cast<size_t>(i)));
    }

protected:
    W& self() { return static_cast<W&>(*this); }

    // ------------------------------------------------------------ creation
    // Each maker creates one control (or one array member) with its design
    // properties and binds its events to the window's handlers.

    fw::Rectangle& MakeRectangle(const std::string& name, int32_t l, int32_t t, int32_t w,
                                 int32_t h, int32_t borderWidth) {
        auto r = AddControl<fw::Rectangle>(name);
        r->SetBounds(l, t, w, h);
        r->SetFillColor(fw::RGB(255, 255, 255));
        r->SetBorderWidth(borderWidth);
        r->SetBorderColor(fw::RGB(0, 0, 0));
        return *r;
    }

    fw::StaticText& MakeLabel(const std::string& name, const std::string& text, int32_t l,
                              int32_t t, int32_t w, int32_t h, int32_t align) {
        auto s = AddControl<fw::StaticText>(name);
        s->SetBounds(l, t, w, h);
        s->SetText(text);
        s->SetTextAlign(align);
        s->SetTextFont("System");
        s->SetTextSize(12);
        s->SetTextColor(fw::RGB(0, 0, 0));
        return *s;
    }

    void MakeDisplaySlot(int32_t i, int32_t l, int32_t t) {
        auto c = fw::New<typename W::MyDisplayCan>(i);
        registerControl(c, "MyDisplayCan", i);
        c->SetBounds(l, t, 20, 20);
        c->processingClick = false;
        c->AcceptFocus = false;
        c->EraseBackground = true;
        auto* me = c.get();
        c->PulledAnitron.Bind([this, me] { self().MyDisplayCan_PulledAnitron(*me); });
        c->DroppedAniTron.Bind(
            [this, me](fw::Ref<aniTron> t) { self().MyDisplayCan_DroppedAniTron(*me, t); });
    }

    void MakeSourceLabel(int32_t i, int32_t l, int32_t t, int32_t w) {
        auto s = fw::New<typename W::StaticTextSourcePop>(i);
        registerControl(s, "StaticTextSourcePop", i);
        s->SetBounds(l, t, w, 20);
        s->SetText("");
        s->SetTextAlign(0);
        s->SetTextFont("System");
        s->SetTextSize(12);
    }

    // The one column is wider than the list: the horizontal bar shows.
    void MakeSequenceList(int32_t l, int32_t t, int32_t tabIndex) {
        auto list = AddControl<fw::Listbox>("ListBoxSequence");
        list->SetBounds(l, t, 278, 84);
        list->SetColumnCount(1);
        list->SetColumnWidths("1000");
        list->SetDefaultRowHeight(37);
        list->SetTextFont("courier");
        list->SetTextSize(12);
        list->SetGridLines(2, 0);
        list->SetSelectionType(0);
        list->SetScrollbarHorizontal(true);
        list->SetScrollbarVertical(false);
        list->SetAutoHideScrollbars(true);
        list->SetUseFocusRing(false);
        list->SetTabIndex(tabIndex);
        list->SetInitialValue("");
        auto* me = list.get();
        list->Open.Bind([this, me] { self().ListBoxSequence_Open(*me); });
    }

    // Controls 1 to 12 of both windows: the panel, the two slots in their
    // frames, the source labels, the titles, the sequence list and its
    // frame, the difference count. (l, t) is the panel's top-left corner;
    // the rest lies at the same offsets from it in both windows, but for
    // the source labels, whose left and width are given. A list TabIndex of
    // -1 leaves the list at its place in creation order.
    void MakeComparisonPanel(int32_t l, int32_t t, int32_t labelLeft, int32_t labelWidth,
                             const std::string& listFrameName, int32_t listTabIndex) {
        MakeRectangle("Rectangle5", l, t, 485, 110, 0);
        MakeRectangle("Rectangle4", l + 13, t + 70, 22, 22, 1);
        MakeDisplaySlot(1, l + 14, t + 71);
        MakeRectangle("Rectangle3", l + 13, t + 33, 22, 22, 1);
        MakeDisplaySlot(0, l + 14, t + 34);
        MakeSourceLabel(0, labelLeft, t + 34, labelWidth);
        MakeSourceLabel(1, labelLeft, t + 71, labelWidth);
        MakeLabel("StaticText4", "Source", l + 51, t + 2, 50, 20, 0);
        MakeLabel("StaticText2", "Sequence", l + 209, t + 2, 100, 20, 0);
        MakeSequenceList(l + 113, t + 26, listTabIndex);
        MakeRectangle(listFrameName, l + 113, t + 26, 278, 84, 1);
        MakeLabel("StaticTextNumDiffs", "", l + 415, t + 55, 46, 20, 1);
    }

    void MakePopulation(int32_t i, int32_t l, int32_t t, int32_t w, int32_t h) {
        auto c = fw::New<typename W::myDriftCan>(i);
        registerControl(c, "myDriftCan", i);
        c->SetBounds(l, t, w, h);
        c->processingClick = false;
        c->AcceptFocus = false;
        c->EraseBackground = true;
        auto* me = c.get();
        c->SetProperties.Bind([this, me] { self().myDriftCan_SetProperties(*me); });
        c->PulledAnitron.Bind([this, me] { self().myDriftCan_PulledAnitron(*me); });
    }

    void MakeGenCounter(int32_t i, int32_t l, int32_t t) {
        auto c = fw::New<typename W::GenCounter>(i);
        registerControl(c, "GenCounter", i);
        c->SetBounds(l, t, 43, 20);
        c->SetText("GenCounter");
        c->SetTextAlign(0);
        c->SetTextFont("System");
        c->SetTextSize(12);
    }

    void MakeFastFwdButton(int32_t l, int32_t t, int32_t tabIndex) {
        auto b = AddControl<fw::PushButton>("PushButtonFastFwd");
        b->SetBounds(l, t, 72, 20);
        b->SetTabIndex(tabIndex);
        b->SetCaption("Fast Fwd");
        b->SetTextFont("System");
        b->SetTextSize(12);
        b->SetDefault(false);
        b->SetCancel(false);
        b->SetEnabled(true);
        auto* me = b.get();
        b->Action.Bind([this, me] { self().PushButtonFastFwd_Action(*me); });
    }

    void MakeFastFwdField(int32_t l, int32_t t, int32_t tabIndex, bool focusRing) {
        auto f = AddControl<fw::EditField>("EditFieldFastFwd");
        f->SetBounds(l, t, 40, 22);
        f->SetTabIndex(tabIndex);
        f->SetUseFocusRing(focusRing);
        f->SetText("1");
        f->SetTextFont("System");
        f->SetTextSize(12);
        f->SetBorder(true);
        f->SetReadOnly(false);
        f->SetBackColor(fw::RGB(255, 255, 255));
    }

    void MakeTimer() {
        auto tm = AddControl<typename W::TimerWait>("TimerWait");
        tm->_SetWindow(this);
        tm->SetMode(0);
        tm->SetPeriod(100);
        auto* me = tm.get();
        tm->Action.Bind([this, me] { self().TimerWait_Action(*me); });
    }

    void MakeCountDown(int32_t l, int32_t t) {
        auto c = AddControl<counter>("CountDown");
        c->SetBounds(l, t, 78, 20);
        c->SetText("CountDown");
        c->SetTextFont("System");
        c->SetTextSize(12);
        c->SetVisible(false);
    }

    // The drag sprite and the sequence card, made last so that they show
    // above every other control.
    void MakePopups(int32_t spriteLeft, int32_t spriteTop, int32_t cardLeft, int32_t cardTop) {
        auto sprite = AddControl<popupSpriteCan>("MyPopUpVirion");
        sprite->SetBounds(spriteLeft, spriteTop, 18, 16);
        sprite->SetVisible(false);
        sprite->AcceptFocus = false;
        sprite->EraseBackground = true;
        auto* s = sprite.get();
        sprite->LoadImage.Bind([this, s](int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
            self().MyPopUpVirion_LoadImage(*s, x, y, v, w);
        });

        auto card = AddControl<popupSpriteCan>("myPopupVirionData");
        card->SetBounds(cardLeft, cardTop, 124, 100);
        card->SetVisible(true);
        card->AcceptFocus = false;
        card->EraseBackground = true;
        auto* c = card.get();
        card->Vanished.Bind([this, c] { self().myPopupVirionData_Vanished(*c); });
        card->LoadImage.Bind([this, c](int32_t x, int32_t y, fw::Variant v, fw::Window* w) {
            self().myPopupVirionData_LoadImage(*c, x, y, v, w);
        });
    }

    // Keeps direct references to the controls the handlers use at every
    // tick and every mouse event (run once, after every control exists).
    void FindLabControls() {
        for (int32_t i = 0; i < Populations; ++i) {
            pops_[static_cast<size_t>(i)] = Ctl<driftCan>("myDriftCan", i).get();
            gens_[static_cast<size_t>(i)] = Ctl<counter>("GenCounter", i).get();
        }
        for (int32_t i = 0; i < kSlots; ++i) {
            slots_[static_cast<size_t>(i)] = Ctl<displayCan>("MyDisplayCan", i).get();
            labels_[static_cast<size_t>(i)] = Ctl<fw::StaticText>("StaticTextSourcePop", i).get();
        }
        list_ = Ctl<fw::Listbox>("ListBoxSequence").get();
        numDiffs_ = Ctl<fw::StaticText>("StaticTextNumDiffs").get();
        countDown_ = Ctl<counter>("CountDown").get();
        fastFwd_ = Ctl<fw::PushButton>("PushButtonFastFwd").get();
        fastFwdField_ = Ctl<fw::EditField>("EditFieldFastFwd").get();
        sprite_ = Ctl<popupSpriteCan>("MyPopUpVirion").get();
        card_ = Ctl<popupSpriteCan>("myPopupVirionData").get();
    }

    // ------------------------------------------------------------ populations

    // Only population 0 is founded: PopSize clones of one new founder (the
    // founder itself never joins), each placed at random, then one
    // generation is bred at once. The counters are left alone.
    void FoundFirstPopulation(driftCan& me) {
        if (me.Index() != 0) return;
        auto t = fw::New<virionTron>();
        t->prepare(me);
        me.AniTrons.Redim(Globals::PopSize);
        for (int32_t i = 1; i <= me.AniTrons.UBound(); ++i) {
            auto c = t->clone();
            me.AniTrons(i) = c;
            c->randomizeLoc(me);
            fw::Yield();
        }
        me.redraw();
    }

    // The population a virion was just taken from starts counting again
    // from 0 once it is empty.
    void ZeroCounterIfEmpty(driftCan& me) {
        if (Population(me.Index()).AniTrons.UBound() < 1) GenCounterOf(me.Index()).zero();
    }

    // A request for 1 to 500 generations loads CountDown and starts the
    // timer; anything else is refused with a message and the field set to
    // the nearest allowed bound.
    void RequestFastForward(fw::PushButton& me) {
        fw::EditField& field = fw::Deref(fastFwdField_);
        if (fw::Val(field.Text()) < 1.0) {
            fw::MsgBox(PopulationLabText::kTooFew);
            field.SetText(fw::Str(1));
            return;
        }
        if (fw::Val(field.Text()) > PopulationLabText::kMaxFastForward) {
            fw::MsgBox(PopulationLabText::kTooMany);
            field.SetText(fw::Str(500));
            return;
        }
        fw::Timer& timer = *Ctl<fw::Timer>("TimerWait");
        if (timer.Mode() == 0) {
            me.SetEnabled(false);
            fw::Deref(countDown_).set(static_cast<int32_t>(fw::Round(fw::Val(field.Text()))));
            timer.SetMode(2);
        }
    }

    // One tick: the run ends on the tick that finds nothing left to breed;
    // otherwise every population, in index order, is bred once and its
    // counter counts on (or shows 0 while it is empty).
    void BreedAll(fw::Timer& me) {
        counter& countDown = fw::Deref(countDown_);
        if (fw::Val(countDown.Text()) < 1.0) {
            me.SetMode(0);
            fw::Deref(fastFwd_).SetEnabled(true);
            return;
        }
        countDown.decrement();
        for (int32_t i = 0; i < Populations; ++i) {
            driftCan& pop = Population(i);
            pop.redraw();
            if (pop.AniTrons.UBound() > 0)
                GenCounterOf(i).increment();
            else
                GenCounterOf(i).zero();
            fw::Yield();
        }
    }

    // ------------------------------------------------------------ the mouse

    // The press takes the first virion under the point out of the
    // population or slot it lies in. Any press inside a population or a
    // slot claims the mouse, whether or not a virion was hit.
    bool PickUp(int32_t x, int32_t y) {
        const int32_t hit = VirionDrag::PickUpFrom(pops_, slots_, x, y, DragTron);
        if (hit == VirionDrag::kNoHit) return false;
        showPopups(x, y);
        OldMouseX = x;
        OldMouseY = y;
        if (hit != VirionDrag::kSlotHit) sourcePop = hit;
        return true;
    }

    // The release gives the held virion to every population and slot under
    // the point; released anywhere else it is lost.
    void Drop(int32_t x, int32_t y) {
        VirionDrag::DropOn(pops_, slots_, x, y, DragTron);
        VirionDrag::VanishPopups(fw::Deref(sprite_), fw::Deref(card_));
        DragTron = nullptr;
        sourcePop = -1;
    }

    void FollowMouse(int32_t x, int32_t y) {
        VirionDrag::FollowMouse(*this, fw::Deref(sprite_), fw::Deref(card_), OldMouseX, OldMouseY,
                                x, y);
    }

    // The payload of the pop-ups is the held virion.
    static void PaintDragSprite(popupSpriteCan& me, int32_t x, int32_t y, const fw::Variant& v) {
        VirionDrag::PaintDragSpriteOf<virionTron>(me, x, y, v);
    }

    static void PaintSequenceCard(popupSpriteCan& me, int32_t x, int32_t y, const fw::Variant& v,
                                  fw::Window* w) {
        VirionDrag::PaintSequenceCardOf<virionTron>(me, x, y, v, w);
    }

    // ------------------------------------------------------------ the panel

    void OpenSequenceRows(fw::Listbox& me) { ComparisonPanel::OpenRows(me); }

    // The sequence of the virion just dropped on slot `me` goes into its
    // row, and the count is brought up to date.
    void ShowDroppedSequence(displayCan& me, const fw::Ref<aniTron>& t) {
        ComparisonPanel::ShowVirion(fw::Deref(list_), fw::Deref(numDiffs_), me.Index(),
                                    fw::Deref(t));
    }

    void ClearSlotRow(displayCan& me) {
        ComparisonPanel::ClearSlot(fw::Deref(list_), SourceLabel(me.Index()),
                                   fw::Deref(numDiffs_), me.Index());
    }

    // ------------------------------------------------------------ File > Reset...

    void AddFileResetHandler() {
        AddMenuHandler("FileReset", [this] { return self()._FileReset_Action(); });
    }
    static void EnableFileReset() { FileReset()->Enable(); }
    static bool OpenResetDialog() {
        WindowResetDrift()->Show();
        return false;
    }

private:
    void showPopups(int32_t x, int32_t y) {
        if (!DragTron) return;
        fw::Deref(sprite_).popup(x, y, fw::Variant(DragTron), this);
        fw::Deref(card_).popup(x, y, fw::Variant(DragTron), this);
    }

    std::array<driftCan*, Populations> pops_{};
    std::array<counter*, Populations> gens_{};
    std::array<displayCan*, 2> slots_{};
    std::array<fw::StaticText*, 2> labels_{};
    fw::Listbox* list_ = nullptr;
    fw::StaticText* numDiffs_ = nullptr;
    counter* countDown_ = nullptr;
    fw::PushButton* fastFwd_ = nullptr;
    fw::EditField* fastFwdField_ = nullptr;
    popupSpriteCan* sprite_ = nullptr;
    popupSpriteCan* card_ = nullptr;
};
