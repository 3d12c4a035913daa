#include "Yield.h"

#include <chrono>

namespace fw {

namespace {
YieldProcessor processor = nullptr;
std::chrono::steady_clock::duration interval = std::chrono::milliseconds(15);
std::chrono::steady_clock::time_point lastRun{};
bool running = false;
}  // namespace

namespace detail {
uint64_t yieldCounter = 0;

void YieldSlow() {
    if (!processor || running) return;
    auto now = std::chrono::steady_clock::now();
    if (now - lastRun < interval) return;
    running = true;
    processor();
    running = false;
    lastRun = std::chrono::steady_clock::now();
}
}  // namespace detail

void SetYieldProcessor(YieldProcessor p, int intervalMs) {
    processor = p;
    interval = std::chrono::milliseconds(intervalMs);
    lastRun = std::chrono::steady_clock::now();
}

uint64_t YieldCount() {
    return detail::yieldCounter;
}

void RestartYieldInterval() {
    lastRun = std::chrono::steady_clock::now();
}

void ExpireYieldInterval() {
    lastRun = std::chrono::steady_clock::time_point{};
    detail::yieldCounter |= detail::kYieldsPerClockCheck;  // the next Yield checks the clock
}

}  // namespace fw
