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

// FNV-1a, 64 bits.
class Checksum {
public:
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (size_t i = 0; i < n; ++i) {
            h_ ^= b[i];
            h_ *= 0x100000001b3ull;
        }
    }
    void add(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        bytes(&bits, sizeof bits);
    }
    void add(int32_t i) { bytes(&i, sizeof i); }
    void add(const std::string& s) {
        add(static_cast<int32_t>(s.size()));
        bytes(s.data(), s.size());
    }
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 0xcbf29ce484222325ull;
};

// Through the public interface only: the upper bound and every element,
// element 0 included, as a string.
void addSequence(Checksum& sum, const fw::Ref<cArray>& seq) {
    cArray& a = fw::Deref(seq);
    sum.add(a.ubound());
    for (int32_t i = 0; i <= a.ubound(); ++i) sum.add(a.get(i).StringValue());
}

void addSprite(Checksum& sum, const aniTron& t) {
    sum.add(t.xLoc);
    sum.add(t.yLoc);
    sum.add(t.X);
    sum.add(t.Y);
    sum.add(t.width);
    sum.add(t.height);
    sum.add(t.direction);
    sum.add(t.speed);
    sum.add(t.myColor.red);
    sum.add(t.myColor.green);
    sum.add(t.myColor.blue);
}

void addVirion(Checksum& sum, const fw::Ref<aniTron>& t) {
    addSprite(sum, fw::Deref(t));
    if (auto v = fw::As<agingVTron>(t)) {
        sum.add(v->Fitness);
        sum.add(static_cast<int32_t>(v->Adult));
        addSequence(sum, v->Sequence);
    } else {
        auto w = fw::Cast<virionTron>(t);
        sum.add(w->Fitness);
        addSequence(sum, w->Sequence);
    }
}

template <class Can>
void addPopulation(Checksum& sum, const Can& can) {
    sum.add(can.AniTrons.UBound());
    for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i) addVirion(sum, can.AniTrons(i));
}

// Where the stream stands: the next draw (taken, so call this last).
void addNextDraw(Checksum& sum) {
    sum.add(Globals::myRAlea->random());
}

void setUp(double seed, int32_t popSize, int32_t length, const QString& effect) {
    Globals::StartUp();
    Globals::PopSize = popSize;
    Globals::SequenceLength = length;
    Globals::EffectOnFitness = effect.toStdString();
    Globals::myRAlea->setSeed(seed);
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
        sum.add(w->Ctl<counter>("GenCounter")->Text());
        sum.add(can.Lifestage);
        sum.add(can.numAdults);
        sum.add(can.numBabies);
        sum.add(can.MaxFitness);
        addPopulation(sum, can);
    }
    addNextDraw(sum);
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
    addNextDraw(sum);
    return sum.value();
}

}  // namespace

class TestChecksum : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { StartApplicationForTest("tst_checksum", kApplicationOnly); }
    void cleanup() { CloseAllWindows(); }

    void drift_data() {
        QTest::addColumn<double>("seed");
        QTest::addColumn<int>("popSize");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("effect");
        QTest::addColumn<int>("generations");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<quint64>("expected");
        QTest::newRow("defaults") << 20240601.0 << 50 << 100 << "N" << 100 << 25
                                  << Q_UINT64_C(0xfaa255defc4cc120);
        QTest::newRow("harmful mutations") << 987654321.0 << 50 << 100 << "D" << 100 << 100
                                           << Q_UINT64_C(0xabf49ba42bb72be4);
        QTest::newRow("beneficial, 120 x 60") << 31337.0 << 120 << 60 << "B" << 100 << 50
                                              << Q_UINT64_C(0x08b4140fdbf68449);
        QTest::newRow("500 x 500") << 424242.0 << 500 << 500 << "D" << 2 << 1
                                   << Q_UINT64_C(0x6b00053022f21428);
    }
    void drift() {
        QFETCH(double, seed);
        QFETCH(int, popSize);
        QFETCH(int, length);
        QFETCH(QString, effect);
        QFETCH(int, generations);
        QFETCH(int, chunk);
        QFETCH(quint64, expected);
        setUp(seed, popSize, length, effect);
        const quint64 got = driftRun(generations, chunk);
        if (got != expected) qWarning("checksum 0x%016llx", static_cast<unsigned long long>(got));
        QCOMPARE(got, expected);
    }

    void archipelago_data() {
        QTest::addColumn<double>("seed");
        QTest::addColumn<int>("popSize");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("effect");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("every");
        QTest::addColumn<quint64>("expected");
        QTest::newRow("defaults") << 20240501.0 << 50 << 100 << "N" << 50 << 10
                                  << Q_UINT64_C(0x1c257afcb6ee67e4);
        QTest::newRow("beneficial mutations") << 5551212.0 << 50 << 100 << "B" << 50 << 25
                                              << Q_UINT64_C(0x3bc1a2340d625e66);
        QTest::newRow("harmful, 200 x 40") << 8675309.0 << 200 << 40 << "D" << 50 << 50
                                           << Q_UINT64_C(0xf802f696a2908bf0);
        QTest::newRow("500 x 500") << 1234567.0 << 500 << 500 << "N" << 3 << 3
                                   << Q_UINT64_C(0x96c62b883d37b31c);
    }
    void archipelago() {
        QFETCH(double, seed);
        QFETCH(int, popSize);
        QFETCH(int, length);
        QFETCH(QString, effect);
        QFETCH(int, ticks);
        QFETCH(int, every);
        QFETCH(quint64, expected);
        setUp(seed, popSize, length, effect);
        const quint64 got = archipelagoRun(ticks, every);
        if (got != expected) qWarning("checksum 0x%016llx", static_cast<unsigned long long>(got));
        QCOMPARE(got, expected);
    }
};

QTEST_MAIN(TestChecksum)
#include "tst_checksum.moc"
