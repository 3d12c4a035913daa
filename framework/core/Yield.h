// The yield to the event loop that every loop of the program calls once per
// pass.
//
// A yield is cheap: it counts, and only every so many passes looks at the
// clock; only when some milliseconds have passed since the event loop last
// ran does it hand over to the installed processor (the window layer installs
// one that lets Qt repaint and track keys, and holds all other input until
// the running handler returns). The start of an outermost handler counts as
// a run of the event loop (the loop has just handed over), so a handler
// shorter than the interval never lets the loop in half-way. Without a
// processor (model tests) a yield does nothing but count.
#pragma once

#include <cstdint>

namespace fw {

namespace detail {
// The clock is looked at once every this many yields (plus one): often
// enough for the millisecond interval, rarely enough to stay out of the way
// of loops whose passes take a few nanoseconds.
constexpr uint64_t kYieldsPerClockCheck = 0xFF;
extern uint64_t yieldCounter;
void YieldSlow();
}  // namespace detail

inline void Yield() {
    if ((++detail::yieldCounter & detail::kYieldsPerClockCheck) == 0) detail::YieldSlow();
}

// The processor runs at most once per interval (milliseconds).
using YieldProcessor = void (*)();
void SetYieldProcessor(YieldProcessor processor, int intervalMs = 15);
// Total yields since start (for tests).
uint64_t YieldCount();
// Forces the processor to run at the next checked yield (for tests).
void ExpireYieldInterval();
// The event loop has just run: the next interval starts now (the window
// layer calls it as an outermost handler begins).
void RestartYieldInterval();

}  // namespace fw
