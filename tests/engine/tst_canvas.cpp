// The sprite canvases: a driftCan generation and agingDrCan life-cycle ticks
// against an independent replay of the random stream, and the pick-up and
// drop of sprites between canvases and a display slot.
#include <QtTest>

#include <algorithm>
#include <vector>

#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/cArray.h"
#include "engine/displayCan.h"
#include "engine/driftCan.h"
#include "engine/virionTron.h"
#include "framework/ui/Window.h"

namespace {

// Records the order in which sprites leave, and whether a redraw ran while a
// pick-up or drop was in progress.
class SpyCan : public driftCan {
public:
    std::vector<double> detached;
    int redraws = 0;
    bool busyInRedraw = false;
    void doneDetach(fw::Ref<aniTron> t) override { detached.push_back(fw::Cast<virionTron>(t)->Fitness); }
    void redraw() override {
        ++redraws;
        busyInRedraw = processingClick;
        driftCan::redraw();
    }
};

class CanWindow : public fw::Window {
public:
    fw::Ref<SpyCan> drift;
    fw::Ref<agingDrCan> aging;
    fw::Ref<displayCan> slot;
    void CreateControls() override {
        drift = AddControl<SpyCan>("drift");
        drift->SetBounds(10, 20, 200, 100);
        aging = AddControl<agingDrCan>("aging");
        aging->SetBounds(10, 140, 220, 130);
        slot = AddControl<displayCan>("slot");
        slot->SetBounds(300, 150, 20, 20);
    }
};

const fw::Color kColors[] = {fw::RGB(200, 0, 0), fw::RGB(0, 200, 0), fw::RGB(0, 0, 200)};

template <class V = virionTron>
fw::Ref<V> virion(double fitness, int32_t color, int32_t size, int32_t x, int32_t y) {
    auto v = fw::New<V>();
    v->Fitness = fitness;
    v->myColor = kColors[color];
    v->width = v->height = size;
    v->xLoc = v->X = x;
    v->yLoc = v->Y = y;
    v->Sequence = fw::New<cArray>(6);
    for (int32_t i = 1; i <= 6; ++i) v->Sequence->set(i, fw::Variant("A"));
    return v;
}

int32_t colorOf(const fw::Ref<aniTron>& t) {
    return int32_t(std::find(std::begin(kColors), std::end(kColors), t->myColor) - std::begin(kColors));
}

}  // namespace

class TestCanvas : public QObject {
    Q_OBJECT

    fw::Ref<CanWindow> win;

private slots:
    void initTestCase() {
        Globals::StartUp();
        win = fw::ImplicitWindow<CanWindow>();
    }
    void init() {
        Globals::MutRatePerSeq = 0.0;  // each copy then costs its fixed draws only
        SpyCan& d = *win->drift;
        d.clear();
        d.detached.clear();
        d.redraws = 0;
        d.processingClick = false;
        d.PulledAnitron.Bind(nullptr);
        win->aging->clear();
        win->aging->prepare();
        win->aging->processingClick = false;
        win->slot->clear();
    }

    void generation_data() {
        QTest::addColumn<double>("seed");
        QTest::addColumn<QVector<double>>("fitness");
        QTest::addColumn<int>("popSize");
        QTest::newRow("graded") << 17.0 << QVector<double>{100, 80, 50} << 6;
        QTest::newRow("equal") << 4242.0 << QVector<double>{100, 100, 100} << 5;
        QTest::newRow("strong second") << 99.0 << QVector<double>{30, 120} << 8;
        QTest::newRow("one parent") << 3.0 << QVector<double>{90} << 3;
        QTest::newRow("pop of one") << 12.0 << QVector<double>{60, 100, 70} << 1;
    }
    void generation() {
        QFETCH(double, seed);
        QFETCH(QVector<double>, fitness);
        QFETCH(int, popSize);
        SpyCan& can = *win->drift;
        const int32_t n = fitness.size();
        for (int32_t k = 0; k < n; ++k) can.doAttach(virion(fitness[k], k, 12, 5 + 20 * k, 7));
        Globals::PopSize = popSize;
        Globals::myRAlea->setSeed(seed);

        // Replay: j, r until r < F / maxF, then the copy's mutation trial;
        // the positions only once every parent is drawn.
        RAlea ref(seed);
        const double maxF = *std::max_element(fitness.begin(), fitness.end());
        std::vector<int32_t> parents;
        for (int32_t i = 1; i <= popSize; ++i) {
            int32_t j;
            do j = ref.random(1, n);
            while (!(ref.random() < fitness[j - 1] / maxF));
            parents.push_back(j - 1);
            QVERIFY(ref.random() > 0.0);
        }
        std::vector<QPointF> where;
        for (int32_t i = 1; i <= popSize; ++i) {
            const double x = 6.0 + ref.random() * (200 - 24);
            where.emplace_back(x, 6.0 + ref.random() * (100 - 24));
        }

        can.redraw();

        QCOMPARE(can.AniTrons.UBound(), popSize);
        for (int32_t i = 1; i <= popSize; ++i) {
            auto v = fw::Cast<virionTron>(can.AniTrons(i));
            QCOMPARE(colorOf(v), parents[i - 1]);
            QCOMPARE(v->Fitness, fitness[parents[i - 1]]);
            QCOMPARE(QPointF(v->xLoc, v->yLoc), where[i - 1]);
        }
        std::vector<double> lastFirst(fitness.rbegin(), fitness.rend());
        QCOMPARE(can.detached, lastFirst);
        QCOMPARE(Globals::myRAlea->random(), ref.random());
        // The screen shows the cache with the top sprite on it.
        auto top = can.AniTrons(popSize);
        const QColor want(top->myColor.red, top->myColor.green, top->myColor.blue);
        QCOMPARE(can.Cache->image().pixelColor(top->X + 6, top->Y + 6), want);
        QCOMPARE(can.Snapshot().pixelColor(top->X + 6, top->Y + 6), want);
    }

    void noStepOnlyRepaints_data() {
        QTest::addColumn<bool>("aging");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("empty");
        QTest::newRow("generation during a pick-up") << false << true << false;
        QTest::newRow("generation on an empty canvas") << false << false << true;
        QTest::newRow("tick during a pick-up") << true << true << false;
    }
    void noStepOnlyRepaints() {
        QFETCH(bool, aging);
        QFETCH(bool, busy);
        QFETCH(bool, empty);
        aniCan& can = aging ? static_cast<aniCan&>(*win->aging) : *win->drift;
        auto v = virion<agingVTron>(100, 1, 8, 30, 30);
        v->speed = 3.0;
        if (!empty) can.doAttach(aging ? fw::Ref<aniTron>(v) : virion(100, 1, 8, 30, 30));
        win->aging->Lifestage = "growing";
        can.processingClick = busy;
        Globals::myRAlea->setSeed(5);
        RAlea ref(5);
        can.redraw();
        QCOMPARE(Globals::myRAlea->random(), ref.random());
        QCOMPARE(can.AniTrons.UBound(), empty ? 0 : 1);
        QCOMPARE(v->xLoc, 30.0);
        QCOMPARE(v->Adult, false);
        QCOMPARE(win->aging->numBabies, aging ? 1 : 0);
        QCOMPARE(can.Cache->image().pixelColor(34, 34), empty ? QColor(Qt::white) : QColor(0, 200, 0));
    }

    // Four generations of the life cycle, tick by tick, against the same
    // rules replayed on plain records; one adult is picked up and put back
    // on the way.
    void lifeCycle() {
        struct Rec {
            bool adult;
            double fitness;
            int32_t color;
        };
        agingDrCan& can = *win->aging;
        std::vector<Rec> pop;
        for (int32_t k = 0; k < 3; ++k) {
            auto v = virion<agingVTron>(100 - 30 * k, k, 8, 20 + 40 * k, 30 + 10 * k);
            v->speed = 1.0;
            v->direction = 0.5 + k;
            can.doAttach(v);
            pop.push_back({false, v->Fitness, k});
        }
        can.Lifestage = "growing";
        Globals::PopSize = 4;
        Globals::myRAlea->setSeed(555);
        RAlea ref(555);
        std::string stage = "growing";
        double maxF = 0.0;
        int32_t births = 0, attempts = 0, gens = 0;
        bool movedOne = false;
        std::vector<double> seenAtGenTick;
        can.GenTick.Bind([&] { seenAtGenTick.push_back(can.MaxFitness); });
        auto firstWith = [&](bool adult) {
            return std::find_if(pop.begin(), pop.end(), [=](const Rec& r) { return r.adult == adult; });
        };

        for (int32_t tick = 0; gens < 4 && tick < 500; ++tick) {
            const int32_t babies = int32_t(std::count_if(pop.begin(), pop.end(), [](const Rec& r) { return !r.adult; }));
            const int32_t adults = int32_t(pop.size()) - babies;
            const double before = maxF;
            bool boundary = false;
            if (stage == "growing") {
                if (babies > 0) firstWith(false)->adult = true;
                else stage = "reproducing";
            } else if (stage == "reproducing") {
                if (babies < 4 && adults > 0) {
                    int32_t j;
                    do j = ref.random(1, int32_t(pop.size()));
                    while (!pop[j - 1].adult);
                    ++attempts;
                    if (ref.random() < pop[j - 1].fitness / maxF) {
                        ref.random();  // mutation trial
                        ref.random();  // heading
                        pop.push_back({false, pop[j - 1].fitness, pop[j - 1].color});
                        ++births;
                    }
                } else {
                    stage = "dying";
                }
            } else if (adults > 0) {
                pop.erase(firstWith(true));
            } else {
                QVERIFY(babies > 0);
                stage = "growing";
                boundary = true;
                maxF = 0.0;
                for (const Rec& r : pop) maxF = std::max(maxF, r.fitness);
                if (gens == 0) QCOMPARE(births, attempts);  // divisor 0.0: every birth accepted
                ++gens;
            }

            can.redraw();

            QCOMPARE(int(seenAtGenTick.size()), gens);
            if (boundary) QCOMPARE(seenAtGenTick.back(), before);  // raised before the recompute
            QCOMPARE(can.MaxFitness, maxF);
            QCOMPARE(QString::fromStdString(can.Lifestage), QString::fromStdString(stage));
            QCOMPARE(can.AniTrons.UBound(), int32_t(pop.size()));
            int32_t a = 0, b = 0;
            for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i) {
                auto v = fw::Cast<agingVTron>(can.AniTrons(i));
                QCOMPARE(v->Adult, pop[i - 1].adult);
                QCOMPARE(v->Fitness, pop[i - 1].fitness);
                QCOMPARE(colorOf(v), pop[i - 1].color);
                QCOMPARE(v->width, v->Adult ? 12 : 8);
                (v->Adult ? a : b)++;
            }
            QCOMPARE(can.numAdults, a);
            QCOMPARE(can.numBabies, b);

            // The first adult, picked up where nothing earlier covers it and
            // dropped back, rejoins at the end of the list.
            const int32_t k = int32_t(firstWith(true) - pop.begin()) + 1;
            if (tick < 40 || movedOne || a == 0) continue;
            auto t = can.AniTrons(k);
            const int32_t lx = t->X + 2, ly = t->Y + 2;
            bool covered = false;
            for (int32_t i = 1; i < k; ++i) covered = covered || can.AniTrons(i)->within(lx, ly);
            if (covered) continue;
            QCOMPARE(can.mouseDown(can.Left() + lx, can.Top() + ly), t);
            QCOMPARE(can.numAdults, a - 1);
            bool busy = false;
            can.DroppedAniTron.Bind([&](fw::Ref<aniTron>) { busy = can.processingClick; });
            can.AniTronDrop(can.Left() + lx, can.Top() + ly, t);
            can.DroppedAniTron.Bind(nullptr);
            QVERIFY(busy);
            QCOMPARE(can.numAdults, a);
            QCOMPARE(can.AniTrons(can.AniTrons.UBound()), t);
            QCOMPARE(t->xLoc, double(t->X));
            pop.push_back(pop[k - 1]);
            pop.erase(pop.begin() + (k - 1));
            movedOne = true;
        }
        QCOMPARE(gens, 4);
        QVERIFY(movedOne);
        QVERIFY(attempts > births);  // later generations do reject
        QCOMPARE(Globals::myRAlea->random(), ref.random());
        can.GenTick.Bind(nullptr);
    }

    void pickUp_data() {
        QTest::addColumn<QVector<QPoint>>("sprites");  // top-left corners, 12 pixels
        QTest::addColumn<QPoint>("point");             // canvas-local
        QTest::addColumn<int>("hit");                  // index hit, 0 for none
        const QVector<QPoint> two{{20, 20}, {24, 24}}, one{{20, 20}};
        QTest::newRow("overlap: lowest index wins") << two << QPoint(28, 28) << 1;
        QTest::newRow("second alone under point") << two << QPoint(34, 34) << 2;
        QTest::newRow("left border") << one << QPoint(20, 25) << 0;
        QTest::newRow("inside left border") << one << QPoint(21, 25) << 1;
        QTest::newRow("right border") << one << QPoint(32, 25) << 0;
        QTest::newRow("inside bottom-right") << one << QPoint(31, 31) << 1;
        QTest::newRow("top border") << one << QPoint(25, 20) << 0;
        QTest::newRow("bottom border") << one << QPoint(25, 32) << 0;
        QTest::newRow("empty canvas") << QVector<QPoint>{} << QPoint(25, 25) << 0;
    }
    void pickUp() {
        QFETCH(QVector<QPoint>, sprites);
        QFETCH(QPoint, point);
        QFETCH(int, hit);
        SpyCan& can = *win->drift;
        std::vector<fw::Ref<aniTron>> made;
        for (const QPoint& p : sprites) {
            made.push_back(virion(100, 0, 12, p.x(), p.y()));
            can.doAttach(made.back());
        }
        int pulled = 0;
        can.PulledAnitron.Bind([&] { pulled += can.processingClick ? 1 : 100; });

        auto t = can.mouseDown(can.Left() + point.x(), can.Top() + point.y());

        QCOMPARE(can.processingClick, false);
        QCOMPARE(can.AniTrons.UBound(), int(sprites.size()) - (hit ? 1 : 0));
        QCOMPARE(pulled, hit ? 1 : 0);
        QCOMPARE(can.redraws, hit ? 1 : 0);
        if (!hit) {
            QVERIFY(!t);
            return;
        }
        QCOMPARE(t, made[hit - 1]);
        QVERIFY(can.busyInRedraw);
        QCOMPARE(QPoint(t->X, t->Y), sprites[hit - 1] - point);  // the grab offset
        QCOMPARE(t->xLoc, double(sprites[hit - 1].x()));
        QVERIFY(!can.within(can.Left(), can.Top() + 5) && can.within(can.Left() + 1, can.Top() + 1));
    }

    // Picked from a population canvas and dropped on a display slot, which
    // then shows only the last virion dropped on it.
    void dropOnDisplaySlot() {
        SpyCan& from = *win->drift;
        displayCan& slot = *win->slot;
        QVERIFY(!fw::IsA<aniCan>(win->slot));
        auto first = virion(100, 0, 12, 5, 5);
        auto mine = virion(100, 2, 12, 50, 30);
        from.doAttach(first);
        from.doAttach(mine);
        // Grabbed 3 right of and 4 below its top-left corner.
        QCOMPARE(from.mouseDown(from.Left() + 53, from.Top() + 34), fw::Ref<aniTron>(mine));
        QCOMPARE(from.AniTrons(1), fw::Ref<aniTron>(first));
        std::vector<fw::Ref<aniTron>> seen;
        slot.DroppedAniTron.Bind([&](fw::Ref<aniTron> d) { seen.push_back(slot.processingClick ? d : nullptr); });
        auto other = virion(100, 0, 12, -6, -6);
        slot.AniTronDrop(slot.Left() + 10, slot.Top() + 10, other);
        slot.AniTronDrop(slot.Left() + 9, slot.Top() + 15, mine);
        QCOMPARE(seen, (std::vector<fw::Ref<aniTron>>{other, mine}));
        QCOMPARE(slot.AniTrons.UBound(), 1);
        QCOMPARE(QPoint(mine->X, mine->Y), QPoint(6, 11));
        QCOMPARE(slot.Snapshot().pixelColor(12, 17), QColor(0, 0, 200));  // drawn and shown at once

        int pulled = 0;
        slot.PulledAnitron.Bind([&] { ++pulled; });
        QCOMPARE(slot.mouseDown(slot.Left() + 12, slot.Top() + 17), fw::Ref<aniTron>(mine));
        QCOMPARE(pulled, 1);
        QCOMPARE(slot.AniTrons.UBound(), 0);
        QCOMPARE(slot.Snapshot().pixelColor(12, 17), QColor(Qt::white));
        slot.DroppedAniTron.Bind(nullptr);
        slot.PulledAnitron.Bind(nullptr);
    }
};

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
