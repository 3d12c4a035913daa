// The line of the tree under the first population before any split.
#pragma once

#include "framework/ui/Controls.h"

class RootLine : public fw::Line {
public:
    // True while the line follows the first population canvas.
    bool Active = false;
};
