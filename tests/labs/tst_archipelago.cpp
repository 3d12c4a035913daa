// The Archipelago window: eight islands bred in index order, island names
// as source labels, the strict island borders, and mouse input arriving
// while a tick runs.
#include <QMouseEvent>
#include <QtTest>

#include <string>
#include <tuple>
#include <vector>

#include "engine/driftCan.h"
#include "labs/divergence/WindowArchipelago.h"
#include "tst_diverge_support.h"

using labtest::Carry;
using labtest::Centre;
using labtest::Press;
using labtest::Release;
using labtest::SpriteCentre;

namespace {

// Eight bare island canvases of the same size, to replay a tick on.
class ReplayWindow : public fw::Window {
public:
    std::vector<driftCan*> islands;
    void CreateControls() override {
        for (int32_t i = 0; i < 8; ++i) {
            auto c = AddControl<driftCan>("island", i);
            c->SetBounds(10 + 110 * i, 10, 100, 100);
            islands.push_back(c.get());
        }
    }
};

}  // namespace

class TestArchipelago : public QObject {
    Q_OBJECT

    fw::Ref<class WindowArchipelago> w;

    std::string text(const char* name, int32_t i = -1) {
        return w->Ctl<fw::StaticText>(name, i)->Text();
    }
    fw::EditField& islandName(int32_t i) { return *w->Ctl<fw::EditField>("EditFieldPopName", i); }
    fw::Timer& timer() { return *w->Ctl<fw::Timer>("TimerWait"); }
    void fastForward(const std::string& n) {
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText(n);
        w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
    }

private slots:
    void init() {
        labtest::StartUp(97531.0);
        w = WindowArchipelago();
    }
    void cleanup() {
        w->Close();
        w.reset();
        fw::ProcessPendingEvents();
    }

    void newWindow() {
        QCOMPARE(w->Population(0).AniTrons.UBound(), Globals::PopSize);
        for (int32_t i = 0; i < 8; ++i) {
            if (i > 0) QCOMPARE(w->Population(i).AniTrons.UBound(), 0);
            QCOMPARE(text("GenCounter", i), std::string("0"));
            QCOMPARE(islandName(i).Text(), std::string());
        }
        auto list = w->Ctl<fw::Listbox>("ListBoxSequence");
        QCOMPARE(list->ListCount(), 2);
        QCOMPARE(list->Cell(0, 0), std::string());
        QCOMPARE(list->Cell(1, 0), std::string());
        QCOMPARE(w->Title(), std::string("Archipelago"));
    }

    // Island 0's strict border: x from 39 to 137, y from 63 to 161.
    void islandBorders_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("taken");
        QTest::newRow("left edge") << QPoint(38, 100) << false;
        QTest::newRow("first inside column") << QPoint(39, 100) << true;
        QTest::newRow("last inside column") << QPoint(137, 100) << true;
        QTest::newRow("right edge") << QPoint(138, 100) << false;
        QTest::newRow("top edge") << QPoint(80, 62) << false;
        QTest::newRow("first inside row") << QPoint(80, 63) << true;
        QTest::newRow("name field") << QPoint(80, 50) << false;
        QTest::newRow("Gen: label") << QPoint(50, 178) << false;
        QTest::newRow("ring centre") << QPoint(290, 200) << false;
    }
    void islandBorders() {
        QFETCH(QPoint, point);
        QFETCH(bool, taken);
        const int32_t before = labtest::Census(*w);
        QCOMPARE(Press(*w, point), taken);
        if (taken) {
            QCOMPARE(w->sourcePop, 0);
            // Whatever was picked goes back where it came from.
            Release(*w, point);
        }
        QCOMPARE(labtest::Census(*w), before);
    }

    // A tick breeds the islands in index order: replaying the same
    // generations on copies of islands 0 and 5, in that order and from the
    // same generator state, gives the same populations.
    void twoIslandsBredInIndexOrder() {
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Population(5)));
        QCOMPARE(w->Population(5).AniTrons.UBound(), 1);
        QCOMPARE(text("GenCounter", 5), std::string("0"));

        auto replay = fw::ImplicitWindow<ReplayWindow>();
        for (int32_t i = 0; i < 8; ++i) replay->islands[i]->AniTrons = w->Population(i).AniTrons;

        fastForward("1");
        Globals::myRAlea->setSeed(777.0);
        timer().Fire();
        QCOMPARE(text("GenCounter", 0), std::string("1"));
        QCOMPARE(text("GenCounter", 5), std::string("1"));
        QCOMPARE(text("GenCounter", 4), std::string("0"));
        QCOMPARE(w->Population(5).AniTrons.UBound(), Globals::PopSize);

        Globals::myRAlea->setSeed(777.0);
        for (driftCan* c : replay->islands) c->redraw();
        for (int32_t i = 0; i < 8; ++i)
            QCOMPARE(labtest::Portrait(w->Population(i)), labtest::Portrait(*replay->islands[i]));
        replay->Close();
    }

    // The label is the island's name as it reads at the drop, shown as
    // plain text; a virion moved between slots leaves the label as it was.
    void sourceLabelIsTheIslandName() {
        const std::string name = "<b>Reef</b> & \"north\"\t\xc3\xa9";
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Population(3)));
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Population(3)));
        islandName(3).SetText(name);
        Carry(*w, SpriteCentre(w->Population(3), 1), Centre(w->Slot(1)));
        QCOMPARE(text("StaticTextSourcePop", 1), name);
        islandName(3).SetText("Renamed");
        QCOMPARE(text("StaticTextSourcePop", 1), name);

        Carry(*w, SpriteCentre(w->Population(3), 1), Centre(w->Slot(0)));
        QCOMPARE(text("StaticTextSourcePop", 0), std::string("Renamed"));
        const fw::Ref<aniTron> moved = w->Slot(0).AniTrons(1);
        Carry(*w, SpriteCentre(w->Slot(0), 1), Centre(w->Slot(1)));
        QCOMPARE(w->Slot(1).AniTrons(1), moved);
        QCOMPARE(text("StaticTextSourcePop", 0), std::string());
        QCOMPARE(text("StaticTextSourcePop", 1), name);  // unchanged
        QCOMPARE(w->sourcePop, -1);
        // An unnamed island gives an empty label.
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Slot(1)));
        QCOMPARE(text("StaticTextSourcePop", 1), std::string());
    }

    // A press and a release that arrive while a tick runs are held until
    // the tick is over: the virion they carry from slot 0 to island 5 is
    // neither lost nor bred on the way.
    void inputDuringTick_data() {
        QTest::addColumn<bool>("fromHandler");  // else posted before the tick
        QTest::newRow("simulated inside the tick's handler") << true;
        QTest::newRow("posted, taken in by the tick's yields") << false;
    }
    void inputDuringTick() {
        QFETCH(bool, fromHandler);
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Slot(0)));
        const fw::Ref<aniTron> carried = w->Slot(0).AniTrons(1);
        const QPoint from = Centre(w->Slot(0));
        const QPoint to = Centre(w->Population(5));
        w->Show();
        fastForward("1");
        fw::Timer* t = &timer();
        bool heldDuringTick = false;
        if (fromHandler) {
            t->Action.Bind([&, t] {
                w->SimulateMouseDown(from.x(), from.y());
                w->SimulateMouseUp(to.x(), to.y());
                w->TimerWait_Action(*t);
                heldDuringTick = w->Slot(0).AniTrons.UBound() == 1 && !w->DragTron;
            });
        } else {
            QWidget* content = w->contentWidget();
            for (auto [type, p, button, buttons] :
                 {std::tuple{QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton},
                  std::tuple{QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton}})
                QCoreApplication::postEvent(
                    content, new QMouseEvent(type, QPointF(p), content->mapToGlobal(QPointF(p)),
                                             button, Qt::MouseButtons(buttons), Qt::NoModifier));
            fw::ExpireYieldInterval();
            heldDuringTick = true;
        }
        t->Fire();
        QVERIFY(heldDuringTick);
        QCOMPARE(w->Population(5).AniTrons.UBound(), 0);
        fw::ProcessPendingEvents();

        QCOMPARE(w->Slot(0).AniTrons.UBound(), 0);
        QCOMPARE(w->Population(5).AniTrons.UBound(), 1);
        QCOMPARE(w->Population(5).AniTrons(1), carried);
        QCOMPARE(text("GenCounter", 5), std::string("0"));
        QCOMPARE(text("GenCounter", 0), std::string("1"));
        QVERIFY(!w->DragTron);
        QCOMPARE(w->sourcePop, -1);
        QCOMPARE(labtest::Census(*w), Globals::PopSize + 1);
    }
};

QTEST_MAIN(TestArchipelago)
#include "tst_archipelago.moc"
