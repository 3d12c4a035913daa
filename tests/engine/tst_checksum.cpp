// The random stream, pinned: fixed seeds run through the Drift window's fast
// forward and the Archipelago window's ticks, and every virion (letters,
// fitness, colour, place, heading, size, stage) together with the next draw
// of the generator is folded into one checksum. The expected values were
// taken from the code before any speed work; a change that moves a single
// draw, a single position or a single fitness bit changes the checksum.
#include <QtTest>

#include <cstring>
#include <string>

#include "app/App.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/cArray.h"
#include "engine/counter.h"
#include "engine/virionTron.h"
#include "framework/ui/Application.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/drift/WindowDrift.h"
#include "support/TestApp.h"

namespace {

// FNV-1a, 64 bits, over the values in the order given: a double by its
// bits, a string by its length and bytes.
class Checksum {
public:
    template <class... T>
    void add(const T&... v) { (one(v), ...); }
    uint64_t value() const { return h_; }

private:
    void bytes(const void* p, size_t n) {
        for (size_t i = 0; i < n; ++i) h_ = (h_ ^ static_cast<const unsigned char*>(p)[i]) * 0x100000001b3ull;
    }
    void one(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        bytes(&bits, sizeof bits);
    }
    void one(int32_t i) { bytes(&i, sizeof i); }
    void one(const std::string& s) { one(static_cast<int32_t>(s.size())), bytes(s.data(), s.size()); }
    uint64_t h_ = 0xcbf29ce484222325ull;
};

// Every virion through the public interface only: its sprite, its fitness
// (and stage), its sequence's upper bound and every element, element 0
// included, as a string.
template <class Can>
void addPopulation(Checksum& sum, const Can& can) {
    sum.add(can.AniTrons.UBound());
    for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i) {
        const fw::Ref<aniTron>& t = can.AniTrons(i);
        sum.add(t->xLoc, t->yLoc, t->X, t->Y, t->width, t->height, t->direction, t->speed);
        sum.add(t->myColor.red, t->myColor.green, t->myColor.blue);
        auto aging = fw::As<agingVTron>(t);
        if (aging) sum.add(aging->Fitness, static_cast<int32_t>(aging->Adult));
        else sum.add(fw::Cast<virionTron>(t)->Fitness);
        cArray& seq = fw::Deref(aging ? aging->Sequence : fw::Cast<virionTron>(t)->Sequence);
        sum.add(seq.ubound());
        for (int32_t k = 0; k <= seq.ubound(); ++k) sum.add(seq.get(k).StringValue());
    }
}

// A new Drift window, then `generations` generations in fast forwards of
// `chunk` each (the fast forward runs every life-cycle step and every move),
// the population folded in after each.
uint64_t driftRun(int32_t generations, int32_t chunk) {
    auto w = WindowDrift();
    agingDrCan& can = *w->Ctl<agingDrCan>("myAgingDrCan");
    Checksum sum;
    addPopulation(sum, can);
    for (int32_t done = 0; done < generations; done += chunk) {
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText(std::to_string(chunk));
        w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
        sum.add(w->Ctl<counter>("GenCounter")->Text(), can.Lifestage, can.numAdults, can.numBabies, can.MaxFitness);
        addPopulation(sum, can);
    }
    sum.add(Globals::myRAlea->random());  // where the stream stands
    return sum.value();
}

QPoint centre(const driftCan& can) {
    return {can.Left() + can.Width() / 2, can.Top() + can.Height() / 2};
}

QPoint spritePoint(const driftCan& can, int32_t k) {
    const aniTron& t = fw::Deref(can.AniTrons(k));
    return {can.Left() + t.X + t.width / 2, can.Top() + t.Y + t.height / 2};
}

// A new Archipelago window; islands 1 to 7 founded by carrying one to three
// virions each from island 0 with the mouse; then a fast forward of `ticks`
// generations, every island folded in every `every` ticks.
uint64_t archipelagoRun(int32_t ticks, int32_t every) {
    auto w = WindowArchipelago();
    for (int32_t i = 1; i < 8; ++i) {
        for (int32_t n = 0; n < i % 3 + 1; ++n) {
            const QPoint from = spritePoint(w->Population(0), 1 + (i * 7 + n) % 5);
            const QPoint to = centre(w->Population(i)) + QPoint(n * 9 - 9, n * 5 - 5);
            bool taken = false;
            fw::Dispatch([&] { taken = w->Event_MouseDown(from.x(), from.y()); });
            if (!taken || !w->DragTron) return 0;
            fw::Dispatch([&] { w->Event_MouseDrag(to.x(), to.y()); });
            fw::Dispatch([&] { w->Event_MouseUp(to.x(), to.y()); });
        }
    }
    Checksum sum;
    for (int32_t i = 0; i < 8; ++i) addPopulation(sum, w->Population(i));
    w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText(std::to_string(ticks));
    w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
    auto timer = w->Ctl<fw::Timer>("TimerWait");
    for (int32_t k = 1; k <= ticks + 1; ++k) {
        timer->Fire();
        if (k % every == 0 || k > ticks) {
            for (int32_t i = 0; i < 8; ++i) {
                sum.add(w->Ctl<counter>("GenCounter", i)->Text());
                addPopulation(sum, w->Population(i));
            }
        }
    }
    if (timer->Mode() != 0) return 0;
    sum.add(Globals::myRAlea->random());
    return sum.value();
}

}  // namespace

class TestChecksum : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { StartApplicationForTest("tst_checksum", kApplicationOnly); }
    void cleanup() { CloseAllWindows(); }

    // A seeded run: Drift's (`count` generations in fast forwards of `step`)
    // or Archipelago's (`count` ticks, folded in every `step`).
    void seededRun_data() {
        QTest::addColumn<bool>("drift");
        QTest::addColumn<double>("seed");
        QTest::addColumn<int>("popSize");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("effect");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::addColumn<quint64>("expected");
        QTest::newRow("Drift, defaults") << true << 20240601.0 << 50 << 100 << "N" << 100 << 25
                                         << Q_UINT64_C(0xfaa255defc4cc120);
        QTest::newRow("Drift, harmful mutations") << true << 987654321.0 << 50 << 100 << "D" << 100 << 100
                                                  << Q_UINT64_C(0xabf49ba42bb72be4);
        QTest::newRow("Drift, beneficial, 120 x 60") << true << 31337.0 << 120 << 60 << "B" << 100 << 50
                                                     << Q_UINT64_C(0x08b4140fdbf68449);
        QTest::newRow("Drift, 500 x 500") << true << 424242.0 << 500 << 500 << "D" << 2 << 1
                                          << Q_UINT64_C(0x6b00053022f21428);
        QTest::newRow("Archipelago, defaults") << false << 20240501.0 << 50 << 100 << "N" << 50 << 10
                                               << Q_UINT64_C(0x1c257afcb6ee67e4);
        QTest::newRow("Archipelago, beneficial mutations") << false << 5551212.0 << 50 << 100 << "B" << 50 << 25
                                                           << Q_UINT64_C(0x3bc1a2340d625e66);
        QTest::newRow("Archipelago, harmful, 200 x 40") << false << 8675309.0 << 200 << 40 << "D" << 50 << 50
                                                        << Q_UINT64_C(0xf802f696a2908bf0);
        QTest::newRow("Archipelago, 500 x 500") << false << 1234567.0 << 500 << 500 << "N" << 3 << 3
                                                << Q_UINT64_C(0x96c62b883d37b31c);
    }
    void seededRun() {
        QFETCH(bool, drift);
        QFETCH(double, seed);
        QFETCH(int, popSize);
        QFETCH(int, length);
        QFETCH(QString, effect);
        QFETCH(int, count);
        QFETCH(int, step);
        QFETCH(quint64, expected);
        Globals::StartUp();
        Globals::PopSize = popSize, Globals::SequenceLength = length, Globals::EffectOnFitness = effect.toStdString();
        Globals::myRAlea->setSeed(seed);
        const quint64 got = drift ? driftRun(count, step) : archipelagoRun(count, step);
        if (got != expected) qWarning("checksum 0x%016llx", static_cast<unsigned long long>(got));
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(TestChecksum)
#include "tst_checksum.moc"
