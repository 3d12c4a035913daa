// A static text that shows a whole number and counts up and down. The number
// lives in the text itself; every change repaints the control at once.
#pragma once

#include <cstdint>

#include "framework/ui/Controls.h"

class counter : public fw::StaticText {
public:
    // Shows "0" as soon as the control opens, whatever text it was given.
    void Event_Open() override;
    virtual void increment();
    virtual void decrement();
    virtual void set(int32_t n);
    virtual void zero();
};
