#include "ComparisonPanel.h"

#include "engine/virionTron.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"
#include "labs/common/VirionDrag.h"

namespace ComparisonPanel {

void OpenRows(fw::Listbox& list) {
    list.AddRow("");
    list.AddRow("");
}

int32_t CountDifferences(const std::string& a, const std::string& b) {
    // Over the positions of the upper row: within one window every sequence
    // has the same length, so this is the number of differing positions.
    int32_t n = 0;
    const int32_t len = fw::Len(a);
    for (int32_t k = 1; k <= len; ++k) {
        if (fw::Mid(a, k, 1) != fw::Mid(b, k, 1)) ++n;
        fw::Yield();
    }
    return n;
}

void ShowVirion(fw::Listbox& list, fw::StaticText& numDiffs, int32_t row, const aniTron& t) {
    auto* v = dynamic_cast<const virionTron*>(&t);
    if (!v) throw fw::NilObjectException("the displayed sprite is not a virion");
    list.SetCell(row, 0, VirionDrag::SequenceString(v->Sequence));
    const std::string a = list.Cell(0, 0);
    const std::string b = list.Cell(1, 0);
    if (!a.empty() && !b.empty()) numDiffs.SetText(fw::Str(CountDifferences(a, b)));
}

void ClearSlot(fw::Listbox& list, fw::StaticText& label, fw::StaticText& numDiffs, int32_t row) {
    label.SetText("");
    list.SetCell(row, 0, "");
    numDiffs.SetText("");
}

}  // namespace ComparisonPanel
