// Helpers shared by the Divergence and Archipelago window tests: seeded
// start-up, mouse gestures run as the event loop would run them, and the
// census of every virion a window holds.
#pragma once

#include <QPoint>
#include <QtTest>

#include <string>
#include <vector>

#include "app/App.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/cArray.h"
#include "engine/virionTron.h"
#include "framework/core/Variant.h"
#include "framework/ui/Application.h"

namespace labtest {

inline void StartUp(double seed) {
    if (!fw::App_()) NewAppInstance();
    Globals::StartUp();
    Globals::myRAlea->setSeed(seed);
}

// The centre of sprite k of a canvas, in window coordinates.
template <class Can>
QPoint SpriteCentre(const Can& can, int32_t k) {
    const aniTron& t = fw::Deref(can.AniTrons(k));
    return {can.Left() + t.X + t.width / 2, can.Top() + t.Y + t.height / 2};
}

template <class Can>
QPoint Centre(const Can& can) {
    return {can.Left() + can.Width() / 2, can.Top() + can.Height() / 2};
}

template <class W>
bool Press(W& w, QPoint p) {
    bool taken = false;
    fw::Dispatch([&] { taken = w.Event_MouseDown(p.x(), p.y()); });
    return taken;
}

template <class W>
void Release(W& w, QPoint p) {
    fw::Dispatch([&] { w.Event_MouseUp(p.x(), p.y()); });
}

template <class W>
void Carry(W& w, QPoint from, QPoint to) {
    QVERIFY(Press(w, from));
    Release(w, to);
}

// Virions in every population and slot, plus the one in the user's hand.
template <class W>
int32_t Census(const W& w) {
    int32_t n = w.DragTron ? 1 : 0;
    for (int32_t i = 0; i < W::kPopulations; ++i) n += w.Population(i).AniTrons.UBound();
    for (int32_t i = 0; i < W::kSlots; ++i) n += w.Slot(i).AniTrons.UBound();
    return n;
}

inline fw::Ref<cArray> Letters(const std::string& s) {
    auto a = fw::New<cArray>(static_cast<int32_t>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) a->set(static_cast<int32_t>(i + 1), std::string(1, s[i]));
    return a;
}

// What a population looks like: each virion's place, colour, fitness and
// letters, in index order.
template <class Can>
std::vector<std::string> Portrait(const Can& can) {
    std::vector<std::string> out;
    for (int32_t k = 1; k <= can.AniTrons.UBound(); ++k) {
        const auto& v = dynamic_cast<const virionTron&>(fw::Deref(can.AniTrons(k)));
        std::string s = std::to_string(v.X) + "," + std::to_string(v.Y) + "," +
                        std::to_string(v.myColor.red) + ":" +
                        std::to_string(v.myColor.green) + ":" + std::to_string(v.myColor.blue) + "," + std::to_string(v.Fitness) + ",";
        for (int32_t j = 1; j <= v.Sequence->ubound(); ++j) s += v.Sequence->get(j).StringValue();
        out.push_back(s);
    }
    return out;
}

}  // namespace labtest
