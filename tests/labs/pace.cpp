// The four laboratories running together on real timers: Drift running,
// Divergence and Archipelago fast-forwarding 500 generations, Tree running.
// Each keeps its own pace (at least 80% of the ticks its 100 ms timer owes
// it), and no tick handler is ever entered while another runs.
//
// The windows are opened and driven as a user would: menu actions, the
// Reset dialog, the push buttons.
#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

namespace {

// Triggers the menu action of that name in the front window's menu bar.
void chooseMenu(const char* name) {
    fw::Ref<fw::Window> front = fw::FrontWindow();
    QVERIFY(front && front->widget());
    auto* action = front->widget()->findChild<QAction*>(name);
    QVERIFY2(action, name);
    action->trigger();
    fw::ProcessPendingEvents();
}

void push(const fw::Window& w, const char* button) {
    auto b = w.Ctl<fw::PushButton>(button);
    QVERIFY2(b->Visible() && b->Enabled(), button);
    b->Push();
    fw::ProcessPendingEvents();
}

// Lets the event loop run for that long, as the application's loop would.
void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Counts one laboratory's ticks and remembers when its timer was switched on.
struct Pace {
    explicit Pace(const char* name) : lab(name) {}
    const char* lab;
    int ticks = 0;
    qint64 busyNs = 0;  // time spent in its ticks
    QElapsedTimer since;
};

int running = 0;    // tick handlers on the stack
int reentries = 0;  // ticks that began while another handler ran

// Puts a counter in front of a timer's own handler.
template <class Handler>
void count(fw::Timer& timer, Pace& pace, Handler handler) {
    timer.Action.Bind([&pace, handler] {
        if (running > 0) ++reentries;
        ++running;
        ++pace.ticks;
        QElapsedTimer busy;
        busy.start();
        handler();
        pace.busyNs += busy.nsecsElapsed();
        --running;
    });
}

}  // namespace

class TestPace : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { StartApplicationForTest("pace", kMenuHandlers | kMessagesFail); }
    void init() {
        // The application's start: Drift with the splash above it; the splash
        // is clicked away.
        fw::Dispatch([] { App()->Event_Open(); });
        for (const auto& w : fw::OpenWindows())
            if (!fw::IsA<class WindowDrift>(w)) w->Close();
        fw::ProcessPendingEvents();
    }
    void cleanup() { CloseAllWindows(); }

    void fourLaboratoriesKeepTheirPace_data() {
        QTest::addColumn<int>("popSize");
        QTest::addColumn<int>("seqLen");
        QTest::newRow("default parameters") << 50 << 100;
        QTest::newRow("500 virions of 500 nucleotides") << 500 << 500;
    }
    void fourLaboratoriesKeepTheirPace() {
        QFETCH(int, popSize);
        QFETCH(int, seqLen);
        if (popSize != Globals::PopSize || seqLen != Globals::SequenceLength) {
            chooseMenu("FileReset");
            auto reset = WindowResetDrift();
            QVERIFY(reset->Visible());
            reset->Ctl<fw::EditField>("EditFieldPopSize")->SetText(std::to_string(popSize));
            reset->Ctl<fw::EditField>("EditFieldSeqLen")->SetText(std::to_string(seqLen));
            push(*reset, "PushButtonOkay");
            QVERIFY(reset->IsClosed());
        }
        QCOMPARE(Globals::PopSize, popSize);
        QCOMPARE(Globals::SequenceLength, seqLen);

        chooseMenu("SimulationDivergence");
        chooseMenu("SimulationArchipelago");
        chooseMenu("SimulationTree");
        chooseMenu("SimulationDrift");
        auto drift = WindowDrift();
        auto diverge = WindowDiverge();
        auto archipelago = WindowArchipelago();
        auto tree = WindowTree();
        for (const fw::Window* w : {(fw::Window*)drift.get(), (fw::Window*)diverge.get(),
                                    (fw::Window*)archipelago.get(), (fw::Window*)tree.get()})
            QVERIFY(w->Visible());

        Pace paces[4] = {Pace("Drift"), Pace("Divergence"), Pace("Archipelago"), Pace("Tree")};
        running = reentries = 0;
        count(*drift->Ctl<fw::Timer>("TheTimer"), paces[0], [w = drift.get()] { w->TheTimer_Action(); });
        auto divergeTimer = diverge->Ctl<WindowDiverge::TimerWait>("TimerWait");
        count(*divergeTimer, paces[1], [w = diverge.get(), t = divergeTimer.get()] { w->TimerWait_Action(*t); });
        auto archipelagoTimer = archipelago->Ctl<WindowArchipelago::TimerWait>("TimerWait");
        count(*archipelagoTimer, paces[2],
              [w = archipelago.get(), t = archipelagoTimer.get()] { w->TimerWait_Action(*t); });
        auto treeTimer = tree->Ctl<WindowTree::TimerWait>("TimerWait");
        count(*treeTimer, paces[3], [w = tree.get(), t = treeTimer.get()] { w->TimerWait_Action(*t); });

        // Started one after another, as a user would.
        push(*drift, "PushButtonRun");
        paces[0].since.start();
        for (auto [w, pace] : {std::pair<fw::Window*, Pace*>{diverge.get(), &paces[1]},
                               std::pair<fw::Window*, Pace*>{archipelago.get(), &paces[2]}}) {
            w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("500");
            push(*w, "PushButtonFastFwd");
            pace->since.start();
        }
        push(*tree, "PushButtonFastFwd");
        paces[3].since.start();

        runFor(3000);

        QString report;
        bool allKept = true;
        for (const Pace& p : paces) {
            const int due = static_cast<int>(p.since.elapsed() / 100);
            const double share = due > 0 ? double(p.ticks) / due : 0.0;
            report += QString::asprintf("%s %d/%d (%.0f%%, %.1f ms a tick)  ", p.lab, p.ticks, due, 100.0 * share,
                                        p.ticks > 0 ? p.busyNs / 1e6 / p.ticks : 0.0);
            allKept = allKept && share >= 0.8;
        }
        qInfo("%s", qPrintable(report));
        QCOMPARE(reentries, 0);
        QVERIFY2(allKept, qPrintable(report));

        // Every laboratory's timer is still on and its counters went along.
        QCOMPARE(drift->Ctl<fw::Timer>("TheTimer")->Mode(), 2);
        QCOMPARE(divergeTimer->Mode(), 2);
        QCOMPARE(archipelagoTimer->Mode(), 2);
        QCOMPARE(treeTimer->Mode(), 2);
        QCOMPARE(500 - std::stoi(diverge->Ctl<fw::StaticText>("CountDown")->Text()), paces[1].ticks);
        QCOMPARE(500 - std::stoi(archipelago->Ctl<fw::StaticText>("CountDown")->Text()), paces[2].ticks);
        QCOMPARE(std::stoi(tree->Ctl<fw::StaticText>("CountUp")->Text()), paces[3].ticks);
    }
};

QTEST_MAIN(TestPace)
#include "pace.moc"
