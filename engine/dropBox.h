// The list that collects dropped virions: each row holds the generation at
// which the virion was taken, the number of positions at which its sequence
// differs from that of the first virion collected (row 1), and its sequence.
// Row 0 is the title row. The list answers Edit > Copy with its selected
// rows as tab-separated text.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/Object.h"
#include "framework/ui/Controls.h"

class aniTron;

class dropBox : public fw::Listbox {
public:
    // Enables Edit > Copy, whether or not a row is selected.
    void Event_EnableMenuItems() override;
    // Puts the selected rows on the clipboard; returns false.
    virtual bool _EditCopy_Action();
    // Strictly inside the list, in window coordinates.
    virtual bool within(int32_t x, int32_t y);
    // Adds a row for a Drift virion (anything else is ignored) and scrolls
    // the list to it.
    virtual void TronDrop(const fw::Ref<aniTron>& t, const std::string& label);
};
