#include "engine/counter.h"

#include "framework/core/Text.h"

void counter::Event_Open() {
    zero();
}

void counter::increment() {
    SetText(fw::Str(fw::Val(Text()) + 1.0));
    Refresh(true);
}

void counter::decrement() {
    SetText(fw::Str(fw::Val(Text()) - 1.0));
    Refresh(true);
}

void counter::set(int32_t n) {
    SetText(fw::Str(n));
    Refresh(true);
}

void counter::zero() {
    set(0);
    Refresh(true);
}
