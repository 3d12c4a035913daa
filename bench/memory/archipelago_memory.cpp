// Peak resident memory of the Archipelago window running at the largest
// settings: population 500, sequences of 500 letters, all eight islands
// populated. The islands are founded as a user would (one virion carried
// from island 0 to each other island), then the fast forward runs N ticks
// (default 50) through the window's own timer handler. Prints the peak
// (VmHWM) and the current (VmRSS) resident size from /proc/self/status
// after opening the window and after the ticks.
//
//   velloran_archipelago_memory [ticks]
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "framework/ui/Application.h"
#include "labs/divergence/WindowArchipelago.h"

namespace {

// A line of /proc/self/status, such as "VmHWM", in kB (-1 when absent).
long StatusKb(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size() + 1, key + ":") == 0) return std::atol(line.c_str() + key.size() + 1);
    }
    return -1;
}

void Report(const char* when) {
    std::printf("%-34s VmHWM %7.1f MB   VmRSS %7.1f MB\n", when, StatusKb("VmHWM") / 1024.0,
                StatusKb("VmRSS") / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 50;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fw::RuntimeInit(argc, argv);
    Report("runtime started");

    Globals::StartUp();
    Globals::myRAlea->setSeed(20240501.0);
    Globals::PopSize = 500;
    Globals::SequenceLength = 500;
    auto w = WindowArchipelago();
    Report("window open, island 0 founded");

    driftCan& first = w->Population(0);
    for (int32_t i = 1; i < 8; ++i) {
        const aniTron& t = fw::Deref(first.AniTrons(1));
        const int32_t fx = first.Left() + t.X + t.width / 2, fy = first.Top() + t.Y + t.height / 2;
        driftCan& island = w->Population(i);
        const int32_t tx = island.Left() + island.Width() / 2, ty = island.Top() + island.Height() / 2;
        fw::Dispatch([&] { w->Event_MouseDown(fx, fy); });
        fw::Dispatch([&] { w->Event_MouseUp(tx, ty); });
    }

    w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText(std::to_string(ticks));
    w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
    auto timer = w->Ctl<fw::Timer>("TimerWait");
    for (int k = 0; k <= ticks; ++k) {
        timer->Fire();
        fw::ProcessPendingEvents();
    }
    int populated = 0;
    for (int32_t i = 0; i < 8; ++i) populated += w->Population(i).AniTrons.UBound() == 500;
    char line[80];
    std::snprintf(line, sizeof line, "%d ticks, %d of 8 islands at 500", ticks, populated);
    Report(line);
    w->Close();
    fw::ProcessPendingEvents();
    return populated == 8 ? 0 : 1;
}
