// The Tree laboratory: growth by generations, splits and their tree lines,
// the clicks that must split nothing, and the comparison of dragged virions.
#include <QtTest>

#include <vector>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/RootLine.h"
#include "engine/counter.h"
#include "engine/virionTron.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "labs/tree/WindowTree.h"

namespace {

// Reads and sets the generator's state, so that a draw can be replayed.
class TapRAlea : public RAlea {
public:
    using RAlea::RAlea;
    double state() const { return myR; }
    void setState(double s) { myR = s; }
};

using Tree = fw::Ref<class WindowTree>;

void closeAll() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

fw::Ref<driftCan> pop(const Tree& w, int i) {
    return w->Ctl<driftCan>("myDriftCan", i);
}
QString text(const Tree& w) {
    return QString::fromStdString(w->Ctl<counter>("CountUp")->Text());
}
void tick(const Tree& w, int n) {
    auto timer = w->Ctl<fw::Timer>("TimerWait");
    for (int k = 0; k < n; ++k) timer->Fire();
}
void run(const Tree& w) {
    w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
}
// A click in the middle of population i.
void clickPop(const Tree& w, int i) {
    auto c = pop(w, i);
    w->SimulateMouseDown(c->Left() + 20, c->Top() + 20);
    w->SimulateMouseUp(c->Left() + 20, c->Top() + 20);
}
QList<int> orderLefts(const Tree& w) {
    QList<int> lefts;
    for (const auto& c : w->PopOrder.raw()) lefts << c->Left();
    return lefts;
}
QList<int> orderIndices(const Tree& w) {
    QList<int> idx;
    for (const auto& c : w->PopOrder.raw()) idx << c->Index();
    return idx;
}

}  // namespace

class TestTree : public QObject {
    Q_OBJECT

    Tree fresh() {
        closeAll();
        Globals::PopSize = 5;
        Globals::SequenceLength = 10;
        return WindowTree();
    }

private slots:
    void initTestCase() {
        static int argc = 1;
        static char name[] = "tst_tree";
        static char* argv[] = {name, nullptr};
        fw::RuntimeInit(argc, argv);
        NewAppInstance();
        ApplicationAddMenuHandlers();
        Globals::StartUp();
        Globals::myRAlea = fw::New<TapRAlea>(12345.0);
        fw::SetMsgBoxHook([](const std::string& t) { QFAIL(t.c_str()); });
    }
    void cleanup() { closeAll(); }

    void opensWithOnePopulation() {
        Tree w = fresh();
        QCOMPARE(int(w->Controls().size()), 68);
        QVERIFY(!w->Visible());
        QCOMPARE(text(w), QString("0"));
        QCOMPARE(orderIndices(w), QList<int>({0}));
        QCOMPARE(pop(w, 0)->Left(), 311);
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), 5);
        for (int k = 1; k <= 5; ++k) QCOMPARE(pop(w, 0)->AniTrons(k)->width, Globals::DotSizeTiny);
        QVERIFY(w->Ctl<RootLine>("myRootline")->Active);
        for (int i = 1; i <= 7; ++i) {
            QVERIFY(!pop(w, i)->Visible());
            QCOMPARE(pop(w, i)->AniTrons.UBound(), 0);
        }
    }

    // Tops of population 0 (box and label follow) tick by tick from "0".
    void tickSequence_data() {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("top");
        QTest::newRow("first tick lifts") << 1 << 354;
        QTest::newRow("tick at 1") << 2 << 354;
        QTest::newRow("tick at 2") << 3 << 354;
        QTest::newRow("tick at 3 lifts") << 4 << 353;
        QTest::newRow("tick at 6 lifts") << 7 << 352;
    }
    void tickSequence() {
        QFETCH(int, ticks);
        QFETCH(int, top);
        Tree w = fresh();
        run(w);
        tick(w, ticks);
        QCOMPARE(text(w), QString::number(ticks));
        QCOMPARE(pop(w, 0)->Top(), top);
        QCOMPARE(w->Ctl<fw::Control>("RectangleBound", 0)->Top(), top - 1);
        QCOMPARE(w->Ctl<fw::Control>("EditFieldPopLabel", 0)->Top(), top - 18);
        QCOMPARE(w->Ctl<RootLine>("myRootline")->Y1(), top + 41);
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), 5);
    }

    void runLeftAloneEndsAt1001() {
        Tree w = fresh();
        auto timer = w->Ctl<fw::Timer>("TimerWait");
        auto button = w->Ctl<fw::PushButton>("PushButtonFastFwd");
        run(w);
        QCOMPARE(timer->Mode(), 2);
        tick(w, 1001);
        QCOMPARE(text(w), QString("1001"));
        QCOMPARE(timer->Mode(), 2);
        tick(w, 1);
        QCOMPARE(timer->Mode(), 0);
        QCOMPARE(QString::fromStdString(button->Caption()), QString("Fast Fwd"));
        QCOMPARE(text(w), QString("1001"));
        QCOMPARE(pop(w, 0)->Top(), 21);
        QCOMPARE(w->Ctl<fw::Control>("RectangleBound", 0)->Top(), 20);
        QCOMPARE(w->Ctl<fw::Control>("EditFieldPopLabel", 0)->Top(), 3);
        auto root = w->Ctl<RootLine>("myRootline");
        QCOMPARE(root->Y1(), 62);
        QCOMPARE(root->Y2(), 397);
        // Starting again breeds nothing more: the next tick stops at once.
        run(w);
        tick(w, 1);
        QCOMPARE(text(w), QString("1001"));
        QCOMPARE(timer->Mode(), 0);
    }

    // Splitting population 0 again and again: each new population lands
    // right after 0, and all are spread evenly over the field.
    void splitSpacing_data() {
        QTest::addColumn<QList<int>>("lefts");
        QTest::newRow("2") << QList<int>{207, 414};
        QTest::newRow("3") << QList<int>{156, 312, 468};
        QTest::newRow("4") << QList<int>{124, 248, 372, 496};
        QTest::newRow("5") << QList<int>{104, 208, 312, 416, 520};
        QTest::newRow("6") << QList<int>{89, 178, 267, 356, 445, 534};
        QTest::newRow("7") << QList<int>{78, 156, 234, 312, 390, 468, 546};
        QTest::newRow("8") << QList<int>{69, 138, 207, 276, 345, 414, 483, 552};
    }
    void splitSpacing() {
        QFETCH(QList<int>, lefts);
        Tree w = fresh();
        run(w);
        const int n = lefts.size();
        for (int s = 1; s < n; ++s) {
            clickPop(w, 0);
            tick(w, 1);  // breeds population 0 back to PopSize
        }
        QCOMPARE(w->LastPopActivated, n - 1);
        QList<int> order{0};
        for (int i = n - 1; i >= 1; --i) order << i;
        QCOMPARE(orderIndices(w), order);
        QCOMPARE(orderLefts(w), lefts);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(pop(w, i)->Visible(), i < n);
            const int boxLeft = w->Ctl<fw::Control>("RectangleBound", i)->Left();
            QCOMPARE(boxLeft, pop(w, i)->Left() - 1);
            QCOMPARE(w->Ctl<fw::Control>("EditFieldPopLabel", i)->Left(), boxLeft);
        }
    }

    // Split 0 at generation 0, 1 at 4, 0 at 7: ends and heights of every line.
    void splitLines_data() {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QList<int>>("left");   // LeftEnd populations
        QTest::addColumn<QList<int>>("right");  // RightEnd populations
        QTest::addColumn<QList<int>>("geometry");  // bar X1, X2, Y; left Y1, right Y1
        QTest::newRow("bar 1") << 1 << QList<int>{0, 3} << QList<int>{1, 2}
                               << QList<int>{206, 454, 396, 393, 394};
        QTest::newRow("bar 2") << 2 << QList<int>{1} << QList<int>{2}
                               << QList<int>{392, 516, 394, 393, 393};
        QTest::newRow("bar 3") << 3 << QList<int>{0} << QList<int>{3}
                               << QList<int>{144, 268, 393, 393, 393};
    }
    void splitLines() {
        QFETCH(int, bar);
        QFETCH(QList<int>, left);
        QFETCH(QList<int>, right);
        QFETCH(QList<int>, geometry);
        Tree w = fresh();
        run(w);
        clickPop(w, 0);
        tick(w, 4);
        clickPop(w, 1);
        tick(w, 3);
        clickPop(w, 0);
        QCOMPARE(orderIndices(w), QList<int>({0, 3, 1, 2}));
        QCOMPARE(w->numHLines, 3);
        QCOMPARE(w->numVLines, 6);
        QVERIFY(!w->Ctl<RootLine>("myRootline")->Active);

        auto h = w->Ctl<HLine>("myHLine", bar);
        QList<int> l, r;
        for (const auto& c : h->LeftEnd.raw()) l << c->Index();
        for (const auto& c : h->RightEnd.raw()) r << c->Index();
        QCOMPARE(l, left);
        QCOMPARE(r, right);
        QVERIFY(h->Visible());
        QCOMPARE(h->X1(), geometry[0]);
        QCOMPARE(h->X2(), geometry[1]);
        QCOMPARE(h->Y1(), geometry[2]);
        QCOMPARE(h->Y2(), geometry[2]);
        QCOMPARE(h->TimeDepth, geometry[2]);
        QVERIFY(h->leftVLine == w->Ctl<VLine>("myVLine", 2 * bar - 1));
        QVERIFY(h->rightVLine == w->Ctl<VLine>("myVLine", 2 * bar));
        const QList<int> xs{h->X1(), h->X2()};
        const QList<int> tops{geometry[3], geometry[4]};
        const fw::Ref<VLine> lines[2] = {h->leftVLine, h->rightVLine};
        for (int s = 0; s < 2; ++s) {
            QVERIFY(lines[s]->Visible());
            QCOMPARE(lines[s]->X1(), xs[s]);
            QCOMPARE(lines[s]->X2(), xs[s]);
            QCOMPARE(lines[s]->Y1(), tops[s]);
            QCOMPARE(lines[s]->Y2(), geometry[2]);
        }
        QVERIFY(!w->Ctl<HLine>("myHLine", 0)->Visible());
        QVERIFY(!w->Ctl<VLine>("myVLine", 0)->Visible());
    }

    // The bar lies where the populations' boxes end: its new vertical lines
    // start with length zero.
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
        Tree w = fresh();
        run(w);
        tick(w, generations);
        clickPop(w, 0);
        auto h = w->Ctl<HLine>("myHLine", 1);
        QCOMPARE(h->TimeDepth, depth);
        QCOMPARE(pop(w, 0)->Top() + 41, depth);
        QCOMPARE(h->leftVLine->Y1(), h->leftVLine->Y2());
        QCOMPARE(h->rightVLine->Y1(), h->rightVLine->Y2());
    }

    void founderIsTheDrawnVirion_data() {
        QTest::addColumn<double>("seed");
        QTest::newRow("seed 1") << 1.0;
        QTest::newRow("seed 777") << 777.0;
        QTest::newRow("seed 2^40") << 1099511627776.0;
    }
    void founderIsTheDrawnVirion() {
        QFETCH(double, seed);
        Tree w = fresh();
        run(w);
        tick(w, 2);
        auto tap = std::static_pointer_cast<TapRAlea>(Globals::myRAlea);
        tap->setSeed(seed);
        TapRAlea replay(0.0);
        replay.setState(tap->state());
        const int r = replay.random(1, pop(w, 0)->AniTrons.UBound());
        const fw::Ref<aniTron> expected = pop(w, 0)->AniTrons(r);
        clickPop(w, 0);
        QCOMPARE(tap->state(), replay.state());  // one draw, no more
        QCOMPARE(pop(w, 1)->AniTrons.UBound(), 1);
        QVERIFY(pop(w, 1)->AniTrons(1) == expected);
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), Globals::PopSize - 1);
        for (int k = 1; k <= pop(w, 0)->AniTrons.UBound(); ++k)
            QVERIFY(pop(w, 0)->AniTrons(k) != expected);
        tick(w, 1);
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), Globals::PopSize);
        QCOMPARE(pop(w, 1)->AniTrons.UBound(), Globals::PopSize);
    }

    // Clicks while running that must change nothing at all.
    void clickSplitsNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("empty population") << "empty";
        QTest::newRow("hidden canvas") << "hidden";
        QTest::newRow("hidden canvas holding a virion") << "hidden with virion";
        QTest::newRow("green field") << "field";
        QTest::newRow("display slot") << "slot";
    }
    void clickSplitsNothing() {
        QFETCH(QString, target);
        Tree w = fresh();
        run(w);
        QPoint at(pop(w, 0)->Left() + 20, pop(w, 0)->Top() + 20);
        if (target == "empty") fw::Dispatch([&] { pop(w, 0)->clear(); });
        if (target.startsWith("hidden")) at = QPoint(640, 80);  // population 1, parked
        if (target == "hidden with virion")
            fw::Dispatch([&] { pop(w, 1)->doAttach(fw::New<virionTron>()); });
        if (target == "field") at = QPoint(100, 100);
        if (target == "slot") at = QPoint(60, 457);
        const int held0 = pop(w, 0)->AniTrons.UBound();
        const int held1 = pop(w, 1)->AniTrons.UBound();
        w->SimulateMouseDown(at.x(), at.y());
        w->SimulateMouseUp(at.x(), at.y());
        QVERIFY(w->Ctl<RootLine>("myRootline")->Active);
        QCOMPARE(w->LastPopActivated, 0);
        QCOMPARE(w->numHLines, 0);
        QCOMPARE(orderIndices(w), QList<int>({0}));
        QCOMPARE(pop(w, 0)->AniTrons.UBound(), held0);
        QCOMPARE(pop(w, 1)->AniTrons.UBound(), held1);
        QCOMPARE(pop(w, 0)->Left(), 311);
        for (int i = 1; i <= 7; ++i) QVERIFY(!pop(w, i)->Visible());
        QVERIFY(!w->DragTron);
        tick(w, 1);  // the run goes on
        QCOMPARE(text(w), QString("1"));
    }

    void noNinthSplit() {
        Tree w = fresh();
        run(w);
        for (int s = 1; s <= 7; ++s) {
            clickPop(w, 0);
            tick(w, 1);
        }
        QCOMPARE(w->LastPopActivated, 7);
        const QList<int> order = orderIndices(w);
        const QList<int> lefts = orderLefts(w);
        for (int i : {7, 0, 3}) {
            const int held = pop(w, i)->AniTrons.UBound();
            clickPop(w, i);
            QCOMPARE(pop(w, i)->AniTrons.UBound(), held);
        }
        QCOMPARE(w->LastPopActivated, 7);
        QCOMPARE(w->numHLines, 7);
        QCOMPARE(w->numVLines, 14);
        QCOMPARE(orderIndices(w), order);
        QCOMPARE(orderLefts(w), lefts);
    }

    // Paused: a virion from a named population, dropped on slot 0, shows
    // the name as its source; moved on to slot 1 it keeps slot 1's label.
    void dragShowsSourceLabel() {
        Tree w = fresh();
        w->Ctl<fw::EditField>("EditFieldPopLabel", 0)->SetText("alpha");
        w->Ctl<fw::StaticText>("StaticTextSourcePop", 1)->SetText("before");
        auto c = pop(w, 0);
        const auto& t = c->AniTrons(1);
        const int x = c->Left() + t->X + 2, y = c->Top() + t->Y + 2;
        w->SimulateMouseDown(x, y);
        QVERIFY(w->DragTron);
        QCOMPARE(w->sourcePop, 0);
        auto sprite = w->Ctl<popupSpriteCan>("MyPopUpVirion");
        QVERIFY(sprite->Visible());
        QCOMPARE(sprite->Width(), 7);
        QCOMPARE(sprite->Height(), 7);
        // The pop-ups show above the canvases created after them.
        auto stack = w->contentWidget()->children();
        QVERIFY(stack.indexOf(sprite->widget()) > stack.indexOf(pop(w, 4)->widget()));
        w->SimulateMouseDrag(60, 457);
        w->SimulateMouseUp(60, 457);
        QCOMPARE(w->sourcePop, -1);
        QCOMPARE(c->AniTrons.UBound(), 4);
        auto label = [&](int i) {
            return QString::fromStdString(w->Ctl<fw::StaticText>("StaticTextSourcePop", i)->Text());
        };
        auto list = w->Ctl<fw::Listbox>("ListBoxSequence");
        QCOMPARE(label(0), QString("alpha"));
        QCOMPARE(int(list->Cell(0, 0).size()), 10);
        w->Ctl<fw::EditField>("EditFieldPopLabel", 0)->SetText("renamed");
        QCOMPARE(label(0), QString("alpha"));

        w->SimulateMouseDown(62, 459);
        QVERIFY(w->DragTron);
        QCOMPARE(label(0), QString(""));
        w->SimulateMouseDrag(60, 494);
        w->SimulateMouseUp(60, 494);
        QCOMPARE(label(1), QString("before"));
        QCOMPARE(int(list->Cell(1, 0).size()), 10);
        QVERIFY(list->Cell(0, 0).empty());
    }

    void fileResetOpensTheDialog() {
        Tree w = fresh();
        w->Show();
        fw::ChooseMenuItem("FileReset");
        bool found = false;
        for (const auto& o : fw::OpenWindows()) found = found || fw::IsA<class WindowResetDrift>(o);
        QVERIFY(found);
    }
};

QTEST_MAIN(TestTree)
#include "tst_tree.moc"
