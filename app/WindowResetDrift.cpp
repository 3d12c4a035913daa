#include "WindowResetDrift.h"

#include "engine/Globals.h"
#include "framework/core/Text.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"

namespace {

const char* const kWarning =
    "Population Size and Sequence Length must both be integers between 1 and 500.  "
    "Please try again.";

// Pop-up rows, in order, and the effect code each stands for.
const char* const kEffectNames[] = {"Beneficial", "Neutral", "Deleterious"};

std::string effectForIndex(int32_t index) {
    if (index == 0) return "B";
    if (index == 2) return "D";
    return "N";
}

int32_t indexForEffect(const std::string& effect) {
    if (effect == "B") return 0;
    if (effect == "D") return 2;
    return 1;
}

// A population size or sequence length: a whole number from 1 to 500.
bool IsValidResetValue(double v) {
    return v >= 1 && v <= 500 && fw::Floor(v) == v;
}

void setLabel(const fw::Ref<fw::StaticText>& label, int32_t left, int32_t top, int32_t width,
              int32_t height, const std::string& text) {
    label->SetBounds(left, top, width, height);
    label->SetTextFont("System");
    label->SetTextSize(12);
    label->SetTextAlign(2);
    label->SetText(text);
}

void setNumberField(const fw::Ref<fw::EditField>& field, int32_t left, int32_t top) {
    field->SetBounds(left, top, 61, 22);
    field->SetBorder(true);
    field->SetBackColor(fw::RGB(255, 255, 255));
    field->SetReadOnly(false);
    field->SetTextFont("System");
    field->SetTextSize(12);
    field->SetText("");
}

void setButton(const fw::Ref<fw::PushButton>& button, int32_t left, const std::string& caption,
               bool isDefault) {
    button->SetBounds(left, 211, 69, 20);
    button->SetCaption(caption);
    button->SetTextFont("System");
    button->SetTextSize(12);
    button->SetDefault(isDefault);
    button->SetCancel(false);
}

}  // namespace

void WindowResetDrift::Layout() {
    SetTitle("");
    SetSize(360, 251);
    SetFrame(1);
    SetPlacement(0);
    SetCloseButton(false);
    SetResizeable(false);
    SetMaximizeButton(false);
    SetMinimizeButton(false);
    SetVisible(true);
}

void WindowResetDrift::CreateControls() {
    _CreateControls0();
    // Tab order: the creation order.
    int32_t tabIndex = 0;
    for (const auto& c : Controls()) c->SetTabIndex(tabIndex++);
}

void WindowResetDrift::_CreateControls0() {
    setLabel(AddControl<fw::StaticText>("StaticTextPopSize"), 67, 78, 107, 16, "Population size:");

    // Return presses Okay; no key is bound to Cancel.
    auto okay = AddControl<fw::PushButton>("PushButtonOkay");
    setButton(okay, 271, "Okay", true);
    okay->Action.Bind([this] { PushButtonOkay_Action(); });

    setNumberField(AddControl<fw::EditField>("EditFieldPopSize"), 182, 75);

    setLabel(AddControl<fw::StaticText>("StaticText1"), 74, 39, 100, 20, "Mutations are:");

    auto effects = AddControl<fw::PopupMenu>("PopupMenuMutEffects");
    effects->SetBounds(182, 39, 108, 20);
    effects->SetTextFont("System");
    effects->SetTextSize(12);
    for (const char* name : kEffectNames) effects->AddRow(name);
    effects->SetListIndex(1);

    auto warning = AddControl<fw::StaticText>("StaticTextWarning");
    warning->SetBounds(61, 159, 238, 40);
    warning->SetMultiline(true);
    warning->SetTextAlign(0);
    warning->SetTextFont("System");
    warning->SetTextSize(10);
    warning->SetText(kWarning);
    warning->SetVisible(false);

    auto cancel = AddControl<fw::PushButton>("PushButtonCancel");
    setButton(cancel, 192, "Cancel", false);
    cancel->Action.Bind([this] { PushButtonCancel_Action(); });

    setNumberField(AddControl<fw::EditField>("EditFieldSeqLen"), 182, 112);

    setLabel(AddControl<fw::StaticText>("StaticTextSeqLen"), 57, 115, 117, 16, "Sequence length:");
}

void WindowResetDrift::Event_Open() {
    Ctl<fw::EditField>("EditFieldPopSize")->SetText(fw::Str(Globals::PopSize));
    Ctl<fw::EditField>("EditFieldSeqLen")->SetText(fw::Str(Globals::SequenceLength));
    Ctl<fw::PopupMenu>("PopupMenuMutEffects")->SetListIndex(indexForEffect(Globals::EffectOnFitness));
}

void WindowResetDrift::PushButtonOkay_Action() {
    // Both fields are read and tested, whichever is wrong.
    const double popSize = fw::Val(Ctl<fw::EditField>("EditFieldPopSize")->Text());
    const double seqLen = fw::Val(Ctl<fw::EditField>("EditFieldSeqLen")->Text());
    const bool popOk = IsValidResetValue(popSize);
    const bool seqOk = IsValidResetValue(seqLen);
    if (!popOk || !seqOk) {
        Ctl<fw::StaticText>("StaticTextWarning")->SetVisible(true);
        return;
    }

    Globals::PopSize = fw::ToInt(popSize);
    Globals::SequenceLength = fw::ToInt(seqLen);
    Globals::EffectOnFitness = effectForIndex(Ctl<fw::PopupMenu>("PopupMenuMutEffects")->ListIndex());

    // The dialog is on its way out: nothing queued may press a button again.
    Ctl<fw::PushButton>("PushButtonOkay")->SetEnabled(false);
    Ctl<fw::PushButton>("PushButtonCancel")->SetEnabled(false);

    RebuildLaboratories({
        [] { return fw::Ref<fw::Window>(WindowDrift()); },
        [] { return fw::Ref<fw::Window>(WindowDiverge()); },
        [] { return fw::Ref<fw::Window>(WindowTree()); },
        [] { return fw::Ref<fw::Window>(WindowArchipelago()); },
    });
    Close();
}

void WindowResetDrift::PushButtonCancel_Action() {
    Close();
}

void RebuildLaboratories(const std::vector<std::function<fw::Ref<fw::Window>()>>& accessors) {
    for (const auto& accessor : accessors) {
        fw::Ref<fw::Window> lab = accessor();
        if (!fw::Deref(lab).Visible()) continue;
        const int32_t top = lab->Top();
        const int32_t left = lab->Left();
        lab->Close();
        lab = accessor();
        // Shown first, then put back where the old one was.
        fw::Deref(lab).Show();
        lab->SetTop(top);
        lab->SetLeft(left);
    }
}

fw::Ref<class WindowResetDrift> WindowResetDrift() {
    return fw::ImplicitWindow<class WindowResetDrift>();
}
