// The Tree window: growth by generations, splits and their tree lines, and
// the clicks that must split nothing.
#include <QtTest>

#include "app/App.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/RootLine.h"
#include "engine/displayCan.h"
#include "engine/virionTron.h"
#include "framework/ui/Application.h"
#include "labs/tree/WindowTree.h"
#include "support/HeldInput.h"
#include "support/TestApp.h"

namespace {

using Tree = fw::Ref<class WindowTree>;

fw::Ref<driftCan> pop(const Tree& w, int i) { return w->Ctl<driftCan>("myDriftCan", i); }
std::string gen(const Tree& w) { return w->Ctl<fw::StaticText>("CountUp")->Text(); }
void tick(const Tree& w, int n) { while (n-- > 0) w->Ctl<fw::Timer>("TimerWait")->Fire(); }
void click(const Tree& w, QPoint at) {
    w->SimulateMouseDown(at.x(), at.y());
    w->SimulateMouseUp(at.x(), at.y());
}
void clickPop(const Tree& w, int i) { click(w, {pop(w, i)->Left() + 20, pop(w, i)->Top() + 20}); }

// The tops of population 0, its box, its label and the root line; lifted(t)
// is what they read with the population's top at t.
QList<int> tops(const Tree& w) {
    auto top = [&](const char* name) { return w->Ctl<fw::Control>(name, 0)->Top(); };
    return {top("myDriftCan"), top("RectangleBound"), top("EditFieldPopLabel"),
            w->Ctl<RootLine>("myRootline")->Y1()};
}
QList<int> lifted(int t) { return {t, t - 1, t - 18, t + 41}; }

// The populations of a list, by index (or by left edge).
template <class List>
QList<int> indices(const List& list, bool lefts = false) {
    QList<int> out;
    for (const auto& c : list.raw()) out << (lefts ? c->Left() : c->Index());
    return out;
}

// The ends of a line: X1, X2, Y1, Y2.
template <class Line>
QList<int> ends(const Line& l) { return {l->X1(), l->X2(), l->Y1(), l->Y2()}; }

// All that a click could change: the splits, the lines, the order, and each
// population's place, visibility and size.
QList<int> state(const Tree& w) {
    QList<int> s = indices(w->PopOrder);
    s << w->LastPopActivated << w->numHLines << w->numVLines << bool(w->DragTron)
      << w->Ctl<RootLine>("myRootline")->Active;
    for (int i = 0; i < 8; ++i)
        s << pop(w, i)->Left() << pop(w, i)->Visible() << pop(w, i)->AniTrons.UBound();
    return s;
}

}  // namespace

class TestTree : public QObject {
    Q_OBJECT

    Tree w;

private slots:
    void initTestCase() { StartApplicationForTest("tst_tree", kGlobalsStartUp | kMessagesFail); }
    // A running window of five virions.
    void init() {
        Globals::PopSize = 5;
        w = WindowTree();
        w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
    }
    void cleanup() { CloseAllWindows(); }

    // Tick by tick from "0" the population rises; left alone the run breeds
    // 1001 generations and stops at the next tick, its button reading
    // "Fast Fwd" again.
    void growthUntil1001() {
        const QMap<int, int> lifts{{1, 354}, {2, 354}, {3, 354}, {4, 353}, {7, 352}};
        QCOMPARE(gen(w), std::string("0"));
        for (int t = 1; t <= 1001; ++t) {
            tick(w, 1);
            QCOMPARE(gen(w), std::to_string(t));
            if (lifts.contains(t)) QCOMPARE(tops(w), lifted(lifts.value(t)));
        }
        auto timer = w->Ctl<fw::Timer>("TimerWait");
        QCOMPARE(timer->Mode(), 2);
        tick(w, 1);
        QCOMPARE(timer->Mode(), 0);
        QCOMPARE(w->Ctl<fw::PushButton>("PushButtonFastFwd")->Caption(), std::string("Fast Fwd"));
        QCOMPARE(gen(w), std::string("1001"));
        QCOMPARE(tops(w), lifted(21));
    }

    // Population 0 split again and again (a tick after each): every new
    // population lands right after 0, and the n + 1 populations stand at 1,
    // 2, ... n + 1 times the spacing for that count. Once all eight are out,
    // clicks split nothing.
    void splitsSpreadEvenly() {
        const int spacing[] = {207, 156, 124, 104, 89, 78, 69};
        QList<int> order{0};
        for (int n = 1; n <= 7; ++n) {
            clickPop(w, 0);
            tick(w, 1);  // breeds population 0 back to PopSize
            order.insert(1, n);
            QCOMPARE(w->LastPopActivated, n);
            QCOMPARE(indices(w->PopOrder), order);
            QList<int> lefts;
            for (int k = 1; k <= n + 1; ++k) lefts << k * spacing[n - 1];
            QCOMPARE(indices(w->PopOrder, true), lefts);
            for (int i = 0; i < 8; ++i) QCOMPARE(pop(w, i)->Visible(), i <= n);
        }
        const QList<int> before = state(w);
        for (int i : {7, 0, 3}) clickPop(w, i);
        QCOMPARE(state(w), before);
    }

    // Split 0 at generation 0, 1 at 4, 0 at 7: the ends and heights of every
    // bar and of its two vertical lines.
    void splitLines() {
        clickPop(w, 0);
        tick(w, 4);
        clickPop(w, 1);
        tick(w, 3);
        clickPop(w, 0);
        QCOMPARE(indices(w->PopOrder), QList<int>({0, 3, 1, 2}));
        QVERIFY(!w->Ctl<RootLine>("myRootline")->Active);
        // Per bar: LeftEnd, RightEnd, its own ends, its left and right lines' ends.
        const QList<int> bars[3][5] = {
            {{0, 3}, {1, 2}, {206, 454, 396, 396}, {206, 206, 393, 396}, {454, 454, 394, 396}},
            {{1}, {2}, {392, 516, 394, 394}, {392, 392, 393, 394}, {516, 516, 393, 394}},
            {{0}, {3}, {144, 268, 393, 393}, {144, 144, 393, 393}, {268, 268, 393, 393}}};
        for (int bar = 1; bar <= 3; ++bar) {
            const QList<int>* e = bars[bar - 1];
            auto h = w->Ctl<HLine>("myHLine", bar);
            QCOMPARE(indices(h->LeftEnd), e[0]);
            QCOMPARE(indices(h->RightEnd), e[1]);
            QCOMPARE(ends(h), e[2]);
            QCOMPARE(ends(h->leftVLine), e[3]);
            QCOMPARE(ends(h->rightVLine), e[4]);
            QCOMPARE(h->TimeDepth, e[2][2]);
            QVERIFY(h->Visible() && h->leftVLine->Visible() && h->rightVLine->Visible());
        }
    }

    // The bar lies where the populations' boxes end.
    void timeDepth_data() {
        QTest::addColumn<int>("generations");
        QTest::addColumn<int>("depth");
        QTest::newRow("0") << 0 << 396;
        QTest::newRow("1") << 1 << 395;
        QTest::newRow("3") << 3 << 395;
        QTest::newRow("1000") << 1000 << 62;
    }
    void timeDepth() {
        QFETCH(int, generations);
        QFETCH(int, depth);
        tick(w, generations);
        clickPop(w, 0);
        auto h = w->Ctl<HLine>("myHLine", 1);
        QCOMPARE(h->TimeDepth, depth);
        QCOMPARE(pop(w, 0)->Top() + 41, depth);
    }

    // The founder is the virion of one draw from the generator (and no more
    // than one), taken out of population 0.
    void founderIsTheDrawnVirion() {
        tick(w, 2);
        Globals::myRAlea->setSeed(777.0);
        RAlea replay(777.0);
        const fw::Ref<aniTron> founder =
            pop(w, 0)->AniTrons(replay.random(1, pop(w, 0)->AniTrons.UBound()));
        clickPop(w, 0);
        QVERIFY(Globals::myRAlea->random() == replay.random());  // one draw, no more
        QCOMPARE(pop(w, 1)->AniTrons.UBound(), 1);
        QVERIFY(pop(w, 1)->AniTrons(1) == founder && founder->width == 5);  // Tree's virions are 5-pixel dots
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), Globals::PopSize - 1);
    }

    // A click on an empty population, or on a hidden canvas (population 1,
    // parked) even if it holds a virion, changes nothing at all.
    void clickSplitsNothing_data() {
        QTest::addColumn<bool>("hidden");
        QTest::newRow("empty population") << false;
        QTest::newRow("hidden canvas holding a virion") << true;
    }
    void clickSplitsNothing() {
        QFETCH(bool, hidden);
        fw::Dispatch(
            [&] { hidden ? pop(w, 1)->doAttach(fw::New<virionTron>()) : pop(w, 0)->clear(); });
        const QList<int> before = state(w);
        hidden ? click(w, QPoint(640, 80)) : clickPop(w, 0);
        QCOMPARE(state(w), before);
        tick(w, 1);  // the run goes on
        QCOMPARE(gen(w), std::string("1"));
    }

    // Paused (a quick Fast Fwd and Pause leaves it so), a virion carried to a
    // slot shows the name its population had at the drop; carried on to the
    // other slot it keeps that slot's label.
    void pausedDragToSlots() {
        QWidget* button = w->Ctl<fw::PushButton>("PushButtonFastFwd")->widget();
        QTest::mouseClick(button, Qt::LeftButton);
        doubleClick(button);
        QCOMPARE(w->Ctl<fw::Timer>("TimerWait")->Mode(), 0);
        auto name = w->Ctl<fw::EditField>("EditFieldPopLabel", 0);
        auto slot = [&](int i) { return w->Ctl<displayCan>("MyDisplayCan", i); };
        auto label = [&](int i) { return w->Ctl<fw::StaticText>("StaticTextSourcePop", i)->Text(); };
        auto carry = [&](QPoint from, QPoint to) {
            w->SimulateMouseDown(from.x(), from.y());
            w->SimulateMouseDrag(to.x(), to.y());
            w->SimulateMouseUp(to.x(), to.y());
        };
        const aniTron& t = *pop(w, 0)->AniTrons(1);
        const QPoint on(pop(w, 0)->Left() + t.X + 2, pop(w, 0)->Top() + t.Y + 2);
        name->SetText("root");
        carry(on, {slot(0)->Left() + 10, slot(0)->Top() + 10});
        name->SetText("renamed");
        QCOMPARE(label(0), std::string("root"));
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), Globals::PopSize - 1);
        QCOMPARE(slot(0)->AniTrons.UBound(), 1);
        carry({slot(0)->Left() + 10, slot(0)->Top() + 10}, {slot(1)->Left() + 10, slot(1)->Top() + 10});
        QCOMPARE(label(0), std::string());
        QCOMPARE(label(1), std::string());
        QCOMPARE(slot(1)->AniTrons.UBound(), 1);
        QCOMPARE(slot(0)->AniTrons.UBound(), 0);
    }
};

QTEST_MAIN(TestTree)
#include "tst_tree.moc"
