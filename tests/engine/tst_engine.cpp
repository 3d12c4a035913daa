// The engine: the random stream, the start-up parameters, cArray, the
// virions and their movement, the sprite canvases and the small controls.
// Doubles are compared with ==, bit for bit (QCOMPARE on doubles is fuzzy).
// Every draw is replayed by hand on a second generator with the same seed,
// which predicts parents, positions, letters, colours and headings.
#include <QtTest>

#include <cmath>

#include "engine/Globals.h"
#include "engine/HLine.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/counter.h"
#include "engine/displayCan.h"
#include "engine/driftCan.h"
#include "engine/dropBox.h"
#include "engine/scatterCan.h"
#include "engine/virionTron.h"
#include "framework/core/Text.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "support/CArrayText.h"

namespace {
constexpr double kPi = aniTron::kHalfTurn, kTwoPi = aniTron::kFullTurn;
const fw::Color kColors[] = {fw::RGB(200, 0, 0), fw::RGB(0, 200, 0), fw::RGB(0, 0, 200)};

int32_t colorOf(const fw::Ref<aniTron>& t) {
    return int32_t(std::find(std::begin(kColors), std::end(kColors), t->myColor) - std::begin(kColors));
}

// Records the colours of the sprites in the order they leave, and counts
// redraws: 1 for each made during a pick-up or drop, 100 for any other.
struct SpyCan : driftCan {
    std::vector<int32_t> detached;
    int redraws = 0;
    void doneDetach(fw::Ref<aniTron> t) override { detached.push_back(colorOf(t)); }
    void redraw() override { redraws += processingClick ? 1 : 100, driftCan::redraw(); }
};

struct CanWindow : fw::Window {
    fw::Ref<SpyCan> drift;  // 200 x 100, also the canvas of the single virions
    fw::Ref<agingDrCan> aging;
    fw::Ref<displayCan> slot;
    fw::Ref<scatterCan> plot;
    fw::Ref<dropBox> list;
    fw::Ref<HLine> bar;
    fw::Ref<VLine> leftV, rightV;
    fw::Ref<driftCan> cans[4];
    fw::Ref<counter> count;
    int opened = 0;  // 1: SetProperties raised once, with the cache already made
    void CreateControls() override {
        (drift = AddControl<SpyCan>("drift"))->SetBounds(10, 20, 200, 100);
        drift->SetProperties.Bind([this] {
            opened += drift->Cache && drift->Cache->Width() == 200 && drift->Cache->Height() == 100 ? 1 : 100;
        });
        (aging = AddControl<agingDrCan>("aging"))->SetBounds(10, 140, 220, 130);
        (slot = AddControl<displayCan>("slot"))->SetBounds(300, 150, 20, 20);
        (plot = AddControl<scatterCan>("plot"))->SetBounds(400, 500, 256, 192);
        (list = AddControl<dropBox>("list"))->SetBounds(400, 150, 300, 150);
        list->SetColumnCount(3), list->SetSelectionType(1);
        list->SetInitialValue("Generation\tDifferences\tSequence");
        for (int i = 0; i < 4; ++i) (cans[i] = AddControl<driftCan>("can", i))->SetBounds(0, 355, 40, 40);
        bar = AddControl<HLine>("bar"), leftV = AddControl<VLine>("leftV"), rightV = AddControl<VLine>("rightV");
        (count = AddControl<counter>("count"))->SetBounds(10, 300, 60, 20);
        count->SetText("GenCounter");
    }
};

// Every deviate is the same value.
struct FixedRAlea : RAlea {
    double value;
    explicit FixedRAlea(double v) : RAlea(0.0), value(v) {}
    using RAlea::random;
    double random() override { return value; }
};

QChar Letter(RAlea& ref) { return QLatin1Char("ATGC"[ref.random(1, 4) - 1]); }

// A canvas's clone costs its mutation trial only (the rate is 0), and needs a
// Sequence to copy.
template <class V = virionTron>
fw::Ref<V> virion(double fitness, int32_t color, int32_t size, int32_t x, int32_t y, double speed = 0.0) {
    auto v = fw::New<V>();
    v->Fitness = fitness, v->myColor = kColors[color], v->width = v->height = size, v->speed = speed;
    v->xLoc = v->X = x, v->yLoc = v->Y = y, v->Sequence = Make("_");
    return v;
}

struct Clone { bool aging; double rate; const char* effect; double once, twice; };
struct Bounce { double x, y, heading, expected; };
struct Generation { double seed; QVector<double> fitness; int popSize; };
struct Pick { QVector<QPoint> sprites; QPoint point; int hit; };  // 12-pixel sprites; hit: index, 0 for none
struct Dot { QVector<int> bounds; int x, y; QPoint corner; };   // xmin xmax ymin ymax; empty: from the data
struct Bar { QVector<int> leftLefts, rightLefts, expected; };    // bar x1 x2, left line y1, right line y1
}  // namespace

class TestEngine : public QObject {
    Q_OBJECT

    fw::Ref<CanWindow> win;

    // A founder: x, y, [heading,] one letter per position. Then its copy:
    // trial, [position, letters until one differs, red, green, blue,] [heading].
    template <class V, class Sibling>
    void checkFounderAndClone(const Clone& k) {
        Globals::MutRatePerSeq = k.rate, Globals::EffectOnFitness = k.effect, Globals::SequenceLength = 20;
        Globals::myRAlea->setSeed(42);
        RAlea ref(42);
        auto p = fw::New<V>();
        p->prepare(*win->drift);
        const int size = k.aging ? 8 : 12;
        const double x = size / 2.0 + ref.random() * (200 - 2 * size);
        const double y = size / 2.0 + ref.random() * (100 - 2 * size);
        QVERIFY(p->xLoc == x && p->yLoc == y && p->X == std::lround(x) && p->Y == std::lround(y));
        QVERIFY(p->direction == (k.aging ? 6.2831853 * ref.random() : 0.0) && p->speed == (k.aging ? 1.0 : 0.0));
        QVERIFY(p->width == size && p->height == size && p->Fitness == 100.0 && p->myColor == fw::RGB(0, 0, 0));
        QString letters = "_";
        for (int i = 0; i < 20; ++i) letters += Letter(ref);
        QCOMPARE(Text(p->Sequence), letters);
        QVERIFY(Globals::myRAlea->random() == ref.random());

        p->width = p->height = 12, p->speed = 1.5, p->myColor = fw::RGB(1, 2, 3);
        Globals::myRAlea->setSeed(97713000), ref.setSeed(97713000);  // the first new letter repeats the old one
        fw::Ref<aniTron> base = p->clone();
        QVERIFY(fw::IsA<V>(base) && !fw::IsA<Sibling>(base));
        auto c = fw::Cast<V>(base);
        QString expected = letters;
        fw::Color color = p->myColor;
        const bool mutant = ref.random() <= k.rate;
        if (mutant) {
            const int32_t pos = ref.random(1, 20);
            do expected[pos] = Letter(ref);
            while (expected[pos] == letters[pos]);
            const int32_t red = fw::ToInt(ref.random() * 255.0), green = fw::ToInt(ref.random() * 255.0);
            color = fw::RGB(red, green, fw::ToInt(ref.random() * 255.0));
        }
        QCOMPARE(Text(c->Sequence), expected);
        QVERIFY(c->myColor == color && c->Fitness == (mutant ? k.once : 100.0) && c->speed == (k.aging ? 1.5 : 0.0));
        QVERIFY(c->xLoc == p->xLoc && c->yLoc == p->yLoc && c->X == p->X && c->Y == p->Y);
        QVERIFY(c->width == size && c->height == size && c->direction == (k.aging ? 6.2831853 * ref.random() : 0.0));
        QVERIFY(Globals::myRAlea->random() == ref.random());
        if (k.rate == 1.0) QVERIFY(c->clone()->Fitness == k.twice);
        c->Sequence->set(1, fw::Variant("x"));  // the copy owns its letters; the parent's never change
        QCOMPARE(Text(p->Sequence), letters);
    }

private slots:
    // The window opens each canvas once, making its cache before SetProperties.
    void initTestCase() {
        win = fw::ImplicitWindow<CanWindow>();
        QCOMPARE(win->opened, 1);
        QCOMPARE(win->plot->margin, 6);
    }
    void init() {
        Globals::StartUp(), Globals::MutRatePerSeq = 0.0;
        win->drift->clear(), win->aging->clear(), win->aging->prepare(), win->slot->clear();
        win->drift->detached.clear(), win->drift->redraws = 0;
    }

    // The seed is Abs(Floor(s)), not reduced modulo 2^48, and is the state too.
    void setSeedRounds() {
        const double cases[][2] = {{12345.9, 12345.0}, {-2.5, 3.0}, {3e14, 3e14}};
        for (const auto& [given, stored] : cases) {
            RAlea g(0.0), ref(stored);
            g.random(), g.setSeed(given);
            QVERIFY(g.getSeed() == stored && g.random() == ref.random());
        }
    }

    // Every kind of draw sees the deviate 0 and leaves the state at 0.
    void demonstrateZero() {
        RAlea g[5];
        for (RAlea& r : g) r.demonstrateZero();
        QVERIFY(g[0].getSeed() == 490709318620.23975);
        QVERIFY(g[0].random() == 0.0 && g[1].throw_() == 1 && g[2].headsOrTails() && g[3].random(1, 4) == 1);
        QVERIFY(g[4].random(2.5, 7.5) == 2.5);
        for (RAlea& r : g) QVERIFY(r.random() == std::ldexp(29741096258473.0, -48));
    }

    // From seed 0 (deviates 0.106, 0.310, 0.168, 0.054), one draw per call:
    // lo, hi, then the results.
    void integerRange() {
        const QList<int> cases[] = {{1, 4, 1, 2, 1, 1}, {5, 5, 5, 5}, {1, 0, 1, 1}, {-3, 3, -3, -1, -2, -3}};
        for (const QList<int>& c : cases) {
            RAlea g(0.0), ref(0.0);
            for (int i = 2; i < c.size(); ++i) QCOMPARE(g.random(c[0], c[1]), c[i]);
            for (int i = 2; i < c.size(); ++i) ref.random();
            QVERIFY(g.random() == ref.random());
        }
    }

    void resetReplays() {
        RAlea g(987654.0);
        g.random(), g.setSeed(42.0);
        const double first[] = {g.random(), g.random(), g.random()};
        g.reset();
        for (double d : first) QVERIFY(g.random() == d);
    }

    // StartUp restores every default and makes a fresh generator seeded from
    // the clock: microseconds modulo one second, r, give r * 1000001.
    void startUpDefaults() {
        using namespace Globals;
        fw::SetMicrosecondsSource([] { return 1234567890123.0; });
        fw::Ref<RAlea> first = myRAlea;
        PopSize = 7, SequenceLength = 200, MutRatePerSeq = 0.5, EffectOnFitness = "B";
        StartUp();
        fw::SetMicrosecondsSource({});
        QCOMPARE(std::tuple(PopSize, SequenceLength, DotSizeLg, DotSizeSm, DotSizeTiny), std::tuple(50, 100, 12, 8, 5));
        QVERIFY(MutRatePerNuc == 0.0005 && EffectOnFitness == "N");
        QVERIFY(MutRatePerSeq == 1.0 - std::pow(0.9995, 100.0) && MutRatePerSeq == 0.04878246975766576);
        QVERIFY(myRAlea && myRAlea != first && myRAlea->getSeed() == 890123890123.0);
        QVERIFY(myRAlea->random() == RAlea(890123890123.0).random());
    }

    // dest keeps its size; only indices both arrays have are copied.
    void copyTo() {
        const char* cases[][3] = {{"ABCDEFGHIJK", "______", "ABCDEF"}, {"A_", "xyzw", "A_zw"}, {"ABC", "", ""},
                                  {"", "xyz", "xyz"}};
        for (const auto& [source, dest, expected] : cases) {
            auto d = Make(dest);
            Make(source)->copyTo(d);
            QCOMPARE(Text(d), QString(expected));
        }
    }

    void reverse() {
        const char* cases[][2] = {{"", ""}, {"A", "A"}, {"_ATG", "GTA_"}, {"_ATGC", "CGTA_"}};
        for (const auto& [start, expected] : cases) {
            auto a = Make(start);
            a->reverse();
            QCOMPARE(Text(a), QString(expected));
        }
    }

    // A mutant's fitness moves by 5 % of its parent's under "B" and "D".
    void founderAndClone_data() {
        QTest::addColumn<Clone>("k");
        const double d = RAlea(97713000).random(), below = std::nextafter(d, 0.0);  // d: the trial's deviate
        QTest::newRow("virionTron mutant, B") << Clone{false, 1.0, "B", 105.0, 110.25};
        QTest::newRow("agingVTron mutant, D") << Clone{true, 1.0, "D", 95.0, 90.25};
        QTest::newRow("agingVTron mutant, N") << Clone{true, 1.0, "N", 100.0, 100.0};
        QTest::newRow("virionTron, deviate equal to rate: mutant") << Clone{false, d, "D", 95.0, 0.0};
        QTest::newRow("virionTron, deviate just above rate: faithful") << Clone{false, below, "B", 0.0, 0.0};
        QTest::newRow("agingVTron, deviate just above rate: faithful") << Clone{true, below, "B", 0.0, 0.0};
    }
    void founderAndClone() {
        QFETCH(Clone, k);
        if (k.aging) checkFounderAndClone<agingVTron, virionTron>(k);
        else checkFounderAndClone<virionTron, agingVTron>(k);
    }

    // 200 x 100 canvas, 12-pixel sprite: xLoc in [6, 182), yLoc in [6, 82).
    void randomizeLocBounds() {
        for (double deviate : {0.0, 1.0 - std::ldexp(1.0, -48)}) {
            Globals::myRAlea = fw::New<FixedRAlea>(deviate);
            auto v = virion(100, 0, 12, 0, 0);
            v->randomizeLoc(*win->drift);
            QVERIFY(v->xLoc >= 6.0 && v->xLoc < 182.0 && v->yLoc >= 6.0 && v->yLoc < 82.0);
            QCOMPARE(QPoint(v->X, v->Y), deviate == 0.0 ? QPoint(6, 6) : QPoint(182, 82));
        }
    }

    // 12 x 12 sprites on a 200 x 100 canvas.
    void bounce_data() {
        QTest::addColumn<Bounce>("b");
        QTest::newRow("past left, moving left") << Bounce{-0.5, 50.0, kPi, 0.0};
        QTest::newRow("exactly on left edge") << Bounce{0.0, 50.0, kPi, kPi};
        QTest::newRow("right edge on border") << Bounce{188.0, 50.0, 0.0, 0.0};
        QTest::newRow("past right, moving right") << Bounce{188.5, 50.0, 0.0, kPi};
        QTest::newRow("past right, moving left") << Bounce{188.5, 50.0, kPi, kPi};
        QTest::newRow("past top, moving up: wraps") << Bounce{50.0, -1.0, 4.712389, -4.712389 + kTwoPi};
        QTest::newRow("past bottom, moving down") << Bounce{50.0, 88.5, 1.5707963, -1.5707963 + kTwoPi};
        QTest::newRow("corner: two reflections") << Bounce{-1.0, -1.0, 3.9269908, -(kPi - 3.9269908)};
        QTest::newRow("above 2 pi: one correction only") << Bounce{50.0, 50.0, 13.0, 13.0 - kTwoPi};
    }
    void bounce() {
        QFETCH(Bounce, b);
        aniTron t;
        t.width = t.height = 12, t.xLoc = b.x, t.yLoc = b.y, t.direction = b.heading;
        t.bounce(*win->drift);
        QVERIFY2(t.direction == b.expected, qPrintable(QString::number(t.direction, 'g', 17)));
        QVERIFY(t.xLoc == b.x && t.yLoc == b.y);
    }

    // The bounce looks at the position before the step; during a pick-up or
    // drop nothing moves.
    void moveBouncesThenGlides() {
        aniTron t;
        t.width = t.height = 12, t.xLoc = -0.5, t.yLoc = 40.0, t.direction = kPi, t.speed = 2.0;
        t.move(*win->drift);
        win->drift->processingClick = true, t.move(*win->drift), win->drift->processingClick = false;
        QVERIFY(t.direction == 0.0 && t.xLoc == 1.5 && t.X == 2 && t.Y == 40);
    }

    // Sprite at X 10, Y 20, 12 wide, 8 high: every border is outside.
    void within_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("inside");
        QTest::newRow("left border") << QPoint(10, 24) << false;
        QTest::newRow("inside left border") << QPoint(11, 24) << true;
        QTest::newRow("right border") << QPoint(22, 24) << false;
        QTest::newRow("inside right border") << QPoint(21, 24) << true;
        QTest::newRow("top border") << QPoint(15, 20) << false;
        QTest::newRow("bottom border") << QPoint(15, 28) << false;
    }
    void within() {
        QFETCH(QPoint, point);
        QFETCH(bool, inside);
        aniTron t;
        t.X = 10, t.Y = 20, t.width = 12, t.height = 8;
        QCOMPARE(t.within(point.x(), point.y()), inside);
    }

    void generation_data() {
        QTest::addColumn<Generation>("g");
        QTest::newRow("graded") << Generation{17.0, {100, 80, 50}, 6};
        QTest::newRow("strong second") << Generation{99.0, {30, 120}, 8};
        QTest::newRow("pop of one") << Generation{12.0, {60, 100, 70}, 1};
    }
    void generation() {
        QFETCH(Generation, g);
        SpyCan& can = *win->drift;
        Globals::PopSize = g.popSize;
        Globals::myRAlea->setSeed(g.seed);
        can.redraw();  // an empty canvas draws nothing: the replay below stays in step
        const int32_t n = g.fitness.size();
        for (int32_t k = 0; k < n; ++k) can.doAttach(virion(g.fitness[k], k, 12, 5 + 20 * k, 7));
        can.redraw();
        // Replay: j, r until r < F / maxF, then the copy's mutation trial;
        // the positions only once every parent is drawn.
        RAlea ref(g.seed);
        const double maxF = *std::max_element(g.fitness.begin(), g.fitness.end());
        std::vector<int32_t> parents(g.popSize);
        for (int32_t& j : parents) {
            do j = ref.random(1, n);
            while (!(ref.random() < g.fitness[j - 1] / maxF));
            QVERIFY(ref.random() > 0.0);
        }
        QCOMPARE(can.AniTrons.UBound(), g.popSize);
        for (int32_t i = 1; i <= g.popSize; ++i) {
            auto v = fw::Cast<virionTron>(can.AniTrons(i));
            QVERIFY(colorOf(v) == parents[i - 1] - 1 && v->Fitness == g.fitness[parents[i - 1] - 1]);
            const double x = 6.0 + ref.random() * (200 - 24);
            QCOMPARE(QPointF(v->xLoc, v->yLoc), QPointF(x, 6.0 + ref.random() * (100 - 24)));
        }
        QCOMPARE(int(can.detached.size()), n);
        for (int32_t k = 0; k < n; ++k) QCOMPARE(can.detached[k], n - 1 - k);  // the last first
        QCOMPARE(Globals::myRAlea->random(), ref.random());
        auto top = can.AniTrons(g.popSize);  // the screen shows the top sprite
        QCOMPARE(can.Snapshot().pixelColor(top->X + 6, top->Y + 6),
                 QColor(top->myColor.red, top->myColor.green, top->myColor.blue));
    }

    // Four generations of the life cycle, tick by tick, against the same
    // rules replayed on plain records.
    void lifeCycle() {
        struct Rec { bool adult; double fitness; int32_t color; };
        agingDrCan& can = *win->aging;
        std::vector<Rec> pop;
        for (int32_t k = 0; k < 3; ++k) {
            auto v = virion<agingVTron>(100 - 30 * k, k, 8, 20 + 40 * k, 30 + 10 * k, 1.0);
            v->direction = 0.5 + k;
            can.doAttach(v), pop.push_back({false, v->Fitness, k});
        }
        can.Lifestage = "growing", Globals::PopSize = 4;
        Globals::myRAlea->setSeed(555);
        RAlea ref(555);
        std::string stage = "growing";
        double maxF = 0.0;
        int32_t births = 0, attempts = 0, gens = 0;
        std::vector<double> seenAtGenTick;
        can.GenTick.Bind([&] { seenAtGenTick.push_back(can.MaxFitness); });
        auto isAdult = [](const Rec& r) { return r.adult; };
        for (int32_t tick = 0; gens < 4 && tick < 500; ++tick) {
            auto adult = std::find_if(pop.begin(), pop.end(), isAdult);
            auto baby = std::find_if_not(pop.begin(), pop.end(), isAdult);
            const auto babies = pop.size() - std::count_if(pop.begin(), pop.end(), isAdult);
            const double before = maxF;
            const bool boundary = stage == "dying" && adult == pop.end();
            if (stage == "growing" && baby != pop.end()) baby->adult = true;
            else if (stage == "growing") stage = "reproducing";
            else if (stage == "reproducing" && babies < 4 && adult != pop.end()) {
                int32_t j;
                do j = ref.random(1, int32_t(pop.size()));
                while (!pop[j - 1].adult);
                if (++attempts, ref.random() < pop[j - 1].fitness / maxF) {
                    ref.random(), ref.random(), ++births;  // mutation trial, heading
                    pop.push_back({false, pop[j - 1].fitness, pop[j - 1].color});
                }
            } else if (stage == "reproducing") stage = "dying";
            else if (!boundary) pop.erase(adult);
            else {
                stage = "growing", maxF = 0.0;
                if (gens++ == 0) QCOMPARE(births, attempts);  // divisor 0.0: every birth accepted
                for (const Rec& r : pop) maxF = std::max(maxF, r.fitness);
            }
            can.redraw();
            QCOMPARE(int(seenAtGenTick.size()), gens);
            if (boundary) QCOMPARE(seenAtGenTick.back(), before);  // raised before the recompute
            QVERIFY(can.MaxFitness == maxF && can.Lifestage == stage);
            QCOMPARE(can.AniTrons.UBound(), int32_t(pop.size()));
            int32_t i = 0, a = 0;
            for (const Rec& r : pop) {
                auto v = fw::Cast<agingVTron>(can.AniTrons(++i));
                QVERIFY(v->Adult == r.adult && v->Fitness == r.fitness && colorOf(v) == r.color);
                QCOMPARE(v->width, v->Adult ? 12 : 8);
                a += v->Adult;
            }
            QCOMPARE(std::tuple(can.numAdults, can.numBabies), std::tuple(a, int32_t(pop.size()) - a));
        }
        QVERIFY(gens == 4 && attempts > births);  // later generations do reject
        QCOMPARE(Globals::myRAlea->random(), ref.random());
        can.GenTick.Bind(nullptr);
    }

    // A pick-up draws nothing: the redraw it makes runs with processingClick set.
    void pickUp_data() {
        QTest::addColumn<Pick>("p");
        const QVector<QPoint> two{{20, 20}, {24, 24}}, one{{20, 20}};
        QTest::newRow("overlap: lowest index wins") << Pick{{{20, 20}, {24, 24}, {22, 22}}, {28, 28}, 1};
        QTest::newRow("second alone under point") << Pick{two, {34, 34}, 2};
        QTest::newRow("left border") << Pick{one, {20, 25}, 0};
        QTest::newRow("inside bottom-right") << Pick{one, {31, 31}, 1};
        QTest::newRow("empty canvas") << Pick{{}, {25, 25}, 0};
    }
    void pickUp() {
        QFETCH(Pick, p);
        SpyCan& can = *win->drift;
        for (const QPoint& s : p.sprites) can.doAttach(virion(100, 0, 12, s.x(), s.y()));
        const fw::Ref<aniTron> hit = p.hit ? can.AniTrons(p.hit) : nullptr;
        int pulled = 0;
        can.PulledAnitron.Bind([&] { pulled += can.processingClick ? 1 : 100; });
        Globals::myRAlea->setSeed(5);
        auto t = can.mouseDown(can.Left() + p.point.x(), can.Top() + p.point.y());
        can.PulledAnitron.Bind(nullptr);
        QVERIFY(t == hit && !can.processingClick && Globals::myRAlea->random() == RAlea(5).random());
        QCOMPARE(can.AniTrons.UBound(), int(p.sprites.size()) - (p.hit ? 1 : 0));
        QCOMPARE(std::tuple(pulled, can.redraws), std::tuple(p.hit ? 1 : 0, p.hit ? 1 : 0));
        QVERIFY(!can.within(can.Left(), can.Top() + 5) && can.within(can.Left() + 1, can.Top() + 1));
        if (!p.hit) return;
        // The grab offset, X and Y from the point; xLoc as it was.
        QVERIFY(QPoint(t->X, t->Y) == p.sprites[p.hit - 1] - p.point && t->xLoc == p.sprites[p.hit - 1].x());
    }

    // Picked from a population canvas and dropped on a display slot, which
    // shows only the last virion dropped on it; picked from there and
    // dropped on the life-cycle canvas, which counts and appends it, and
    // whose sprites neither move nor grow while it does.
    void dragAcrossCanvases() {
        SpyCan& from = *win->drift;
        displayCan& slot = *win->slot;
        agingDrCan& to = *win->aging;
        auto mine = virion<agingVTron>(100, 2, 12, 50, 30), shown = virion<agingVTron>(100, 0, 12, -6, -6);
        auto baby = virion<agingVTron>(100, 1, 8, 60, 60, 3.0);
        mine->Adult = true, to.Lifestage = "growing";
        from.doAttach(virion(100, 0, 12, 5, 5)), from.doAttach(mine), to.doAttach(baby);
        // Grabbed 3 right of and 4 below its top-left corner.
        QCOMPARE(from.mouseDown(from.Left() + 53, from.Top() + 34), fw::Ref<aniTron>(mine));
        std::vector<fw::Ref<aniTron>> seen;
        slot.DroppedAniTron.Bind([&](fw::Ref<aniTron> d) { seen.push_back(slot.processingClick ? d : nullptr); });
        to.DroppedAniTron.Bind([&](fw::Ref<aniTron> d) { seen.push_back(to.processingClick ? d : nullptr); });
        slot.AniTronDrop(slot.Left() + 10, slot.Top() + 10, shown);
        slot.AniTronDrop(slot.Left() + 9, slot.Top() + 15, mine);
        QVERIFY(slot.AniTrons.UBound() == 1 && mine->X == 6 && mine->Y == 11 && !fw::IsA<aniCan>(win->slot));
        QCOMPARE(slot.Snapshot().pixelColor(12, 17), QColor(0, 0, 200));  // drawn and shown at once
        QVERIFY(slot.mouseDown(slot.Left() + 12, slot.Top() + 17) == mine && slot.AniTrons.UBound() == 0);
        Globals::myRAlea->setSeed(5);
        to.AniTronDrop(to.Left() + 30, to.Top() + 40, mine);
        slot.DroppedAniTron.Bind(nullptr), to.DroppedAniTron.Bind(nullptr);
        QCOMPARE(seen, (std::vector<fw::Ref<aniTron>>{shown, mine, mine}));
        QVERIFY(to.AniTrons(2) == mine && to.numAdults == 1 && to.numBabies == 1 && baby->xLoc == 60.0);
        QVERIFY(mine->X == 24 && mine->Y == 34 && mine->xLoc == 24.0 && mine->yLoc == 34.0);
        QCOMPARE(Globals::myRAlea->random(), RAlea(5).random());
        QCOMPARE(to.Cache->image().pixelColor(64, 64), QColor(0, 200, 0));
    }

    void scatterDots_data() {
        QTest::addColumn<Dot>("d");
        QTest::newRow("minimum corner") << Dot{{12, 40, 0, 10}, 12, 0, {2, 182}};
        QTest::newRow("maximum corner") << Dot{{12, 40, 0, 10}, 40, 10, {246, 2}};
        QTest::newRow("middle height") << Dot{{12, 40, 0, 10}, 12, 5, {2, 92}};
        QTest::newRow("one generation") << Dot{{30, 30, 0, 10}, 30, 10, {124, 2}};
        QTest::newRow("flat y range") << Dot{{0, 10, 7, 7}, 10, 7, {246, 92}};
        QTest::newRow("data bounds") << Dot{{}, 50, 20, {246, 2}};
        QTest::newRow("data all zero") << Dot{{}, 0, 0, {124, 92}};
    }
    void scatterDots() {
        QFETCH(Dot, d);
        scatterCan& plot = *win->plot;
        auto xs = fw::New<cArray>(0), ys = fw::New<cArray>(0);
        xs->set(0, fw::Variant(fw::Str(d.x))), ys->set(0, fw::Variant(fw::Str(d.y)));
        plot.ClearCache();
        if (d.bounds.isEmpty()) plot.scatterplot(xs, ys);
        else plot.scatterplot(xs, ys, d.bounds[0], d.bounds[1], d.bounds[2], d.bounds[3]);
        // The 8 x 8 dot covers columns and rows corner to corner + 7, no more.
        const QImage& img = plot.Cache->image();
        auto red = [&](int dx, int dy) { return img.pixelColor(d.corner + QPoint(dx, dy)) == QColor(240, 25, 25); };
        QVERIFY(red(0, 4) && red(7, 4) && red(4, 0) && red(4, 7));
        QVERIFY(!red(-1, 4) && !red(8, 4) && !red(4, -1) && !red(4, 8));
    }

    // Differences from row 1 over the new sequence; positions past its end
    // count. Anything but a Drift virion adds no row.
    void listRows() {
        dropBox& list = *win->list;
        const char* cases[][2] = {{"ATGCA", "0"}, {"TTGCC", "2"}, {"ATGCAGG", "2"}, {"ATG", "0"}};
        for (const auto& [letters, differences] : cases) {
            auto v = fw::New<agingVTron>();
            v->Sequence = Make("_" + QString(letters));
            const int row = list.ListCount();
            list.TronDrop(v, "g" + std::to_string(row)), list.TronDrop(fw::New<virionTron>(), "7");
            QCOMPARE(list.ListCount(), row + 1);
            QCOMPARE(QString::fromStdString(list.Cell(row, 0) + "|" + list.Cell(row, 1) + "|" + list.Cell(row, 2)),
                     QString("g%1|%2|%3").arg(row).arg(differences, letters));
        }
    }

    // Exactly the selected rows, top to bottom, whichever was selected first.
    // The rows run in order, each finding the last one's text on the clipboard.
    void copy_data() {
        QTest::addColumn<QVector<int>>("select");
        QTest::addColumn<QVector<int>>("rows");
        QTest::newRow("contiguous") << QVector<int>{2, 3} << QVector<int>{2, 3};
        QTest::newRow("with a gap") << QVector<int>{1, 3, 4} << QVector<int>{1, 3, 4};
        QTest::newRow("current row not lowest") << QVector<int>{4, 2} << QVector<int>{2, 4};
        QTest::newRow("none") << QVector<int>{} << QVector<int>{};
    }
    void copy() {
        QFETCH(QVector<int>, select);
        QFETCH(QVector<int>, rows);
        dropBox& list = *win->list;
        QCOMPARE(list.ListCount(), 5);
        list.SetListIndex(-1);
        for (int r : select) list.SetSelected(r, true);
        std::string want;
        for (int r : rows) want += list.Cell(r, 0) + "\t" + list.Cell(r, 1) + "\t" + list.Cell(r, 2) + "\t\r";
        QCOMPARE(list._EditCopy_Action(), false);
        QCOMPARE(QString::fromStdString(fw::ClipboardText()), QString::fromStdString(want));
    }

    // Copy is enabled through the application's menu bar, with no row selected.
    void copyIsEnabled() {
        auto app = fw::New<fw::Application>();
        auto edit = fw::New<fw::MenuItem>(), copyItem = fw::New<fw::MenuItem>();
        copyItem->Name = "EditCopy", copyItem->Disable(), edit->Append(copyItem);
        (app->MenuBar = fw::New<fw::MenuBar>())->Append(edit), fw::RegisterApp(app);
        win->list->SetListIndex(-1);
        win->list->Event_EnableMenuItems();
        QVERIFY(copyItem->Enabled());
    }

    // Canvases sit at Top 355; the lines start from y1 = 500.
    void barGeometry_data() {
        QTest::addColumn<Bar>("b");
        QTest::newRow("one each side") << Bar{{311}, {400}, {331, 420, 396, 396}};
        QTest::newRow("two each side, fractional means truncate") << Bar{{100, 151}, {200, 203}, {145, 221, 500, 500}};
        QTest::newRow("empty left end stays") << Bar{{}, {400}, {77, 420, 500, 396}};
    }
    void barGeometry() {
        QFETCH(Bar, b);
        HLine& bar = *win->bar;
        VLine &l = *win->leftV, &r = *win->rightV;
        bar.LeftEnd.Redim(-1), bar.RightEnd.Redim(-1), bar.TimeDepth = 380;
        bar.SetPoints(77, 1, 88, 1), l.SetPoints(77, 500, 77, 1), r.SetPoints(88, 500, 88, 1);
        bar.leftVLine = win->leftV, bar.rightVLine = win->rightV;
        const QVector<int> lefts = b.leftLefts + b.rightLefts;
        for (int i = 0; i < lefts.size(); ++i) {
            win->cans[i]->SetLeft(lefts[i]);
            (i < b.leftLefts.size() ? bar.LeftEnd : bar.RightEnd).Append(win->cans[i]);
        }
        const int x1 = b.expected[0], x2 = b.expected[1], leftY2 = b.leftLefts.isEmpty() ? 1 : 380;
        for (int pass = 0; pass < 2; ++pass) {
            bar.Reposition();
            QCOMPARE(QVector<int>({bar.X1(), bar.Y1(), bar.X2(), bar.Y2(), l.X1(), l.Y1(), l.X2(), l.Y2()}),
                     QVector<int>({x1, 380, x2, 380, x1, b.expected[2], x1, leftY2}));
            QCOMPARE(QVector<int>({r.X1(), r.Y1(), r.X2(), r.Y2()}), QVector<int>({x2, b.expected[3], x2, 380}));
        }
    }

    // Start, then i increment, d decrement, s set 500, z zero; the first
    // case is the counter as opened.
    void counting() {
        const char* cases[][3] = {{"", "", "0"}, {"0", "d", "-1"}, {"abc", "i", "1"},
                                  {"3", "sddd", "497"}, {"999", "ii", "1001"}, {"42", "z", "0"}};
        counter& c = *win->count;
        for (const auto& [start, ops, shown] : cases) {
            if (*start) c.SetText(start);
            for (const char* op = ops; *op; ++op)
                *op == 'i' ? c.increment() : *op == 'd' ? c.decrement() : *op == 's' ? c.set(500) : c.zero();
            QCOMPARE(QString::fromStdString(c.Text()), QString(shown));
        }
    }
};

QTEST_MAIN(TestEngine)
#include "tst_engine.moc"
