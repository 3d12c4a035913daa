// The comparison panel of the Divergence, Archipelago and Tree windows: two
// display slots, the source of each shown virion, the two sequences as the
// rows 0 and 1 of a one-column list, and the number of positions at which
// they differ. Each window keeps its own handlers, which call these.
#pragma once

#include <cstdint>
#include <string>

#include "engine/aniTron.h"
#include "framework/ui/Controls.h"

namespace ComparisonPanel {

// The list's Open: two empty rows, one per slot.
void OpenRows(fw::Listbox& list);

// A virion was dropped on slot `row`: its sequence goes into that row and,
// when both rows hold a sequence, the count is shown (otherwise the count
// keeps its text).
void ShowVirion(fw::Listbox& list, fw::StaticText& numDiffs, int32_t row, const aniTron& t);

// The virion was pulled out of slot `row`: its label, its row and the count
// are emptied.
void ClearSlot(fw::Listbox& list, fw::StaticText& label, fw::StaticText& numDiffs, int32_t row);

// The positions at which a and b differ; where one is longer, each of its
// letters past the end of the other counts as a difference.
int32_t CountDifferences(const std::string& a, const std::string& b);

}  // namespace ComparisonPanel
