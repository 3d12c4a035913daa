// The engine: the random stream, the clock seed, cArray, the virions and
// their movement, the sprite canvases and the small controls. Doubles are
// compared with ==, bit for bit (QCOMPARE on doubles is fuzzy). What seeded
// runs draw is pinned by tst_checksum; the cases here are what it cannot see.
#include <QtTest>

#include <cmath>

#include "engine/Globals.h"
#include "engine/HLine.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
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

// Counts redraws: 1 for each made during a pick-up or drop, 100 for any other.
struct SpyCan : driftCan {
    int redraws = 0;
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
    void CreateControls() override {
        (drift = AddControl<SpyCan>("drift"))->SetBounds(10, 20, 200, 100);
        (aging = AddControl<agingDrCan>("aging"))->SetBounds(10, 140, 220, 130);
        (slot = AddControl<displayCan>("slot"))->SetBounds(300, 150, 20, 20);
        (plot = AddControl<scatterCan>("plot"))->SetBounds(400, 500, 256, 192);
        (list = AddControl<dropBox>("list"))->SetBounds(400, 150, 300, 150);
        list->SetColumnCount(3), list->SetSelectionType(1);
        list->SetInitialValue("Generation\tDifferences\tSequence");
        for (int i = 0; i < 4; ++i) (cans[i] = AddControl<driftCan>("can", i))->SetBounds(0, 355, 40, 40);
        bar = AddControl<HLine>("bar"), leftV = AddControl<VLine>("leftV"), rightV = AddControl<VLine>("rightV");
    }
};

// Every deviate is the same value.
struct FixedRAlea : RAlea {
    double value;
    explicit FixedRAlea(double v) : RAlea(0.0), value(v) {}
    using RAlea::random;
    double random() override { return value; }
};

// A canvas's clone costs its mutation trial only (the rate is 0 unless a
// case sets it), and needs a Sequence to copy.
template <class V = virionTron>
fw::Ref<V> virion(double fitness, int32_t color, int32_t size, int32_t x, int32_t y, double speed = 0.0) {
    auto v = fw::New<V>();
    v->Fitness = fitness, v->myColor = kColors[color], v->width = v->height = size, v->speed = speed;
    v->xLoc = v->X = x, v->yLoc = v->Y = y, v->Sequence = Make("_");
    return v;
}

struct Bounce { double x, y, heading, expected; };
struct Generation { QVector<double> fitness; bool refused; };  // NaN: a life-cycle virion
struct Pick { QVector<QPoint> sprites; QPoint point; int hit; };  // 12-pixel sprites; hit: index, 0 for none
struct Dot { QVector<int> bounds; int x, y; QPoint corner; };   // xmin xmax ymin ymax; empty: from the data
struct Bar { QVector<int> leftLefts, rightLefts, expected; };    // bar x1 x2, left line y1, right line y1
}  // namespace

class TestEngine : public QObject {
    Q_OBJECT

    fw::Ref<CanWindow> win;

private slots:
    void initTestCase() { win = fw::ImplicitWindow<CanWindow>(); }
    void init() {
        Globals::StartUp(), Globals::MutRatePerSeq = 0.0;
        win->drift->clear(), win->aging->clear(), win->aging->prepare(), win->slot->clear();
        win->drift->redraws = 0;
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

    // StartUp makes a fresh generator seeded from the clock: microseconds
    // modulo one second, r, give r * 1000001.
    void clockSeed() {
        fw::SetMicrosecondsSource([] { return 1234567890123.0; });
        fw::Ref<RAlea> first = Globals::myRAlea;
        Globals::StartUp();
        fw::SetMicrosecondsSource({});
        QVERIFY(Globals::myRAlea != first && Globals::myRAlea->getSeed() == 890123890123.0);
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

    // A copy mutates when the trial's deviate is at most the rate: exactly
    // one letter changes. Just above it the copy keeps every letter.
    void mutationAtTheRate() {
        const double d = RAlea(97713000).random();  // the trial's deviate
        for (double rate : {d, std::nextafter(d, 0.0)}) {
            Globals::MutRatePerSeq = rate;
            Globals::myRAlea->setSeed(97713000);
            auto parent = virion(100, 0, 12, 10, 10);
            parent->Sequence = Make("_ATGCATGC");
            const QString mine = Text(parent->clone()->Sequence), old = Text(parent->Sequence);
            int changed = 0;
            for (int i = 0; i < old.size(); ++i) changed += mine[i] != old[i];
            QCOMPARE(changed, rate == d ? 1 : 0);
        }
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

    // One generation of a population canvas: PopSize virions drawn from the
    // parents, shown at once in the canvas's picture (index 1 drawn first, so
    // a later one covers an earlier). An empty canvas breeds nothing and draws
    // nothing; any parent that is not a virion of this kind is refused.
    void generation_data() {
        QTest::addColumn<Generation>("g");
        QTest::newRow("three parents") << Generation{{100, 80, 50}, false};
        QTest::newRow("empty") << Generation{{}, false};
        QTest::newRow("a life-cycle virion among them") << Generation{{100, qQNaN()}, true};
    }
    void generation() {
        QFETCH(Generation, g);
        SpyCan& can = *win->drift;
        Globals::PopSize = 40;
        for (int32_t k = 0; k < g.fitness.size(); ++k)
            can.doAttach(std::isnan(g.fitness[k]) ? fw::Ref<aniTron>(virion<agingVTron>(100, k, 8, 5, 7))
                                                  : virion(g.fitness[k], k, 12, 5 + 20 * k, 7));
        Globals::myRAlea->setSeed(17);
        if (g.refused) {
            QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, can.GetMaxFitness());
            QVERIFY_THROWS_EXCEPTION(fw::NilObjectException, can.redraw());
            return;
        }
        can.redraw();
        QCOMPARE(can.AniTrons.UBound(), g.fitness.isEmpty() ? 0 : 40);
        if (g.fitness.isEmpty()) QVERIFY(Globals::myRAlea->random() == RAlea(17).random());
        auto expected = fw::NewPicture(200, 100, 32);
        for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i) {
            auto v = fw::Cast<virionTron>(can.AniTrons(i));
            QVERIFY(g.fitness.contains(v->Fitness));
            expected->Graphics().ForeColor = v->myColor;
            expected->Graphics().FillOval(v->X, v->Y, 12, 12);
        }
        QCOMPARE(can.Cache->image().convertToFormat(QImage::Format_RGB32),
                 expected->image().convertToFormat(QImage::Format_RGB32));
    }

    // While the population dies, the first adult in order goes first.
    void dyingTakesTheFirstAdult() {
        agingDrCan& can = *win->aging;
        for (int32_t k = 0; k < 3; ++k) {
            auto v = virion<agingVTron>(100, k, 8, 20 + 40 * k, 30, 1.0);
            v->Adult = k != 1;
            can.doAttach(v);
        }
        can.Lifestage = "dying";
        can.redraw();
        QVERIFY(colorOf(can.AniTrons(1)) == 1 && colorOf(can.AniTrons(2)) == 2 && can.numAdults == 1);
    }

    // A pick-up draws nothing: the redraw it makes runs with processingClick set.
    void pickUp_data() {
        QTest::addColumn<Pick>("p");
        const QVector<QPoint> two{{20, 20}, {24, 24}}, one{{20, 20}};
        QTest::newRow("overlap: lowest index wins") << Pick{{{20, 20}, {24, 24}, {22, 22}}, {28, 28}, 1};
        QTest::newRow("second alone under point") << Pick{two, {34, 34}, 2};
        // Every border of the sprite is outside it.
        const QPoint borders[][2] = {{{20, 25}, {21, 25}}, {{32, 25}, {31, 25}}, {{25, 20}, {25, 21}},
                                     {{25, 32}, {25, 31}}};
        for (const auto& [on, inside] : borders) {
            QTest::addRow("on the border at %d,%d", on.x(), on.y()) << Pick{one, on, 0};
            QTest::addRow("just inside at %d,%d", inside.x(), inside.y()) << Pick{one, inside, 1};
        }
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

    // Each Drift virion dropped on the list adds a row: its label, its
    // differences from row 1 over its own letters (positions past the end of
    // row 1's count), its letters; anything else adds no row. Copy gives
    // exactly the selected rows (the list turns Copy on), top to bottom, each cell followed by a tab
    // and each row by a carriage return, whichever was selected first.
    void listRowsAndCopy() {
        dropBox& list = *win->list;
        int row = 0;
        for (const char* letters : {"ATGCA", "TTGCC", "ATGCAGG", "ATG"}) {
            auto v = fw::New<agingVTron>();
            v->Sequence = Make("_" + QString(letters));
            list.TronDrop(v, "g" + std::to_string(++row)), list.TronDrop(fw::New<virionTron>(), "7");
        }
        list.SetListIndex(-1), list.SetSelected(3, true), list.SetSelected(2, true);
        auto app = fw::New<fw::Application>();
        app->MenuBar = fw::New<fw::MenuBar>();
        auto copy = fw::New<fw::MenuItem>();
        copy->Name = "EditCopy";
        app->MenuBar->Append(copy), fw::RegisterApp(app), copy->Disable();
        list.Event_EnableMenuItems();
        fw::RegisterApp(nullptr);
        QVERIFY(copy->Enabled());
        QCOMPARE(list._EditCopy_Action(), false);
        QCOMPARE(QString::fromStdString(fw::ClipboardText()), "g2\t2\tTTGCC\t\rg3\t2\tATGCAGG\t\r");
        QCOMPARE(list.ListCount(), 5);
        QCOMPARE(QString::fromStdString(list.Cell(4, 1) + list.Cell(4, 2)), "0ATG");
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
};

QTEST_MAIN(TestEngine)
#include "tst_engine.moc"
