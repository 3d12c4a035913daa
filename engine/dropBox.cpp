#include "engine/dropBox.h"

#include "engine/agingVTron.h"
#include "engine/cArray.h"
#include "framework/core/Text.h"
#include "framework/core/Yield.h"
#include "framework/ui/Application.h"

void dropBox::Event_EnableMenuItems() {
    fw::Application& app = fw::Deref(fw::App_());
    fw::MenuBar& bar = fw::Deref(app.MenuBar);
    fw::Deref(bar.Find("EditCopy")).Enable();
}

bool dropBox::_EditCopy_Action() {
    // Exactly the selected rows, top to bottom: each cell followed by a tab,
    // each row by a carriage return.
    const std::string tab = fw::Chr(9);
    const std::string cr = fw::Chr(13);
    std::string text;
    const int32_t count = ListCount();
    for (int32_t r = 0; r < count; ++r) {
        if (Selected(r)) {
            for (int32_t c = 0; c <= 2; ++c) {
                text += Cell(r, c);
                text += tab;
                fw::Yield();
            }
            text += cr;
        }
        fw::Yield();
    }
    fw::Ref<fw::Clipboard> clip = fw::New<fw::Clipboard>();
    clip->Text = text;
    clip->Close();
    return false;
}

bool dropBox::within(int32_t x, int32_t y) {
    return Left() < x && x < Left() + Width() && Top() < y && y < Top() + Height();
}

void dropBox::TronDrop(const fw::Ref<aniTron>& t, const std::string& label) {
    fw::Ref<agingVTron> v = fw::As<agingVTron>(t);
    if (!v) return;

    AddRow(label);
    const int32_t row = LastIndex();

    cArray& seq = fw::Deref(v->Sequence);
    std::string letters;
    const int32_t n = seq.ubound();
    letters.reserve(n > 0 ? static_cast<size_t>(n) : 0);
    for (int32_t j = 1; j <= n; ++j) {
        letters += seq.get(j).StringValue();
        fw::Yield();
    }
    SetCell(row, 2, letters);

    // Differences against row 1, position by position over the new
    // sequence; a position past the end of row 1's sequence counts.
    const std::string mine = Cell(row, 2);
    const std::string reference = Cell(1, 2);
    int32_t diffs = 0;
    const int32_t len = fw::Len(mine);
    for (int32_t j = 1; j <= len; ++j) {
        if (fw::Mid(reference, j, 1) != fw::Mid(mine, j, 1)) diffs = diffs + 1;
        fw::Yield();
    }
    SetCell(row, 1, fw::Str(diffs));
    // A row added below the visible ones would look like a drop that did
    // nothing.
    ScrollToRow(row);
    Refresh(true);
}
