// The four laboratories running together on real timers, at 500 virions of
// 500 nucleotides: Drift running, Divergence and Archipelago fast-forwarding
// 500 generations, Tree running. Each keeps its own pace (at least 80% of
// the ticks its 100 ms timer owes it), and no tick handler is ever entered
// while another runs. Opened and started as a user would: menu actions, the
// Reset dialog, the push buttons.
#include <QAction>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "framework/ui/Application.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

namespace {

// Triggers the menu action of that name in the front window's menu bar.
void chooseMenu(const char* name) {
    auto* action = fw::FrontWindow()->widget()->findChild<QAction*>(name);
    QVERIFY2(action, name);
    action->trigger();
    fw::ProcessPendingEvents();
}

void push(const fw::Window& w, const char* button) {
    w.Ctl<fw::PushButton>(button)->Push();
    fw::ProcessPendingEvents();
}

int running = 0, reentries = 0;  // tick handlers on the stack; ticks begun while another ran

// One laboratory's ticks, counted in front of its timer's own handler, from
// the moment its timer was started.
struct Pace {
    Pace(const char* l, fw::Timer* t, std::function<void()> h) : lab(l), timer(t), handler(std::move(h)) {}
    const char* lab;
    fw::Timer* timer;
    std::function<void()> handler;
    int ticks = 0;
    QElapsedTimer since;
    void count() {
        timer->Action.Bind([this] {
            reentries += running > 0;
            ++running, ++ticks, handler(), --running;
        });
    }
};

}  // namespace

class TestPace : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { StartApplicationForTest("pace", kMenuHandlers | kMessagesFail); }

    void fourLaboratoriesKeepTheirPace() {
        fw::Dispatch([] { App()->Event_Open(); });
        for (const auto& w : fw::OpenWindows())
            if (!fw::IsA<class WindowDrift>(w)) w->Close();  // the splash
        fw::ProcessPendingEvents();
        chooseMenu("FileReset");
        auto reset = WindowResetDrift();
        reset->Ctl<fw::EditField>("EditFieldPopSize")->SetText("500");
        reset->Ctl<fw::EditField>("EditFieldSeqLen")->SetText("500");
        push(*reset, "PushButtonOkay");
        for (const char* lab : {"SimulationDivergence", "SimulationArchipelago", "SimulationTree", "SimulationDrift"})
            chooseMenu(lab);
        auto drift = WindowDrift();
        auto diverge = WindowDiverge();
        auto archipelago = WindowArchipelago();
        auto tree = WindowTree();
        QVERIFY(Globals::PopSize == 500 && drift->Visible() && diverge->Visible() && archipelago->Visible());
        auto dt = diverge->Ctl<WindowDiverge::TimerWait>("TimerWait");
        auto at = archipelago->Ctl<WindowArchipelago::TimerWait>("TimerWait");
        auto tt = tree->Ctl<WindowTree::TimerWait>("TimerWait");
        auto drt = drift->Ctl<fw::Timer>("TheTimer");
        Pace paces[4] = {{"Drift", drt.get(), [d = drift.get()] { d->TheTimer_Action(); }},
                         {"Divergence", dt.get(), [w = diverge.get(), t = dt.get()] { w->TimerWait_Action(*t); }},
                         {"Archipelago", at.get(), [w = archipelago.get(), t = at.get()] { w->TimerWait_Action(*t); }},
                         {"Tree", tt.get(), [w = tree.get(), t = tt.get()] { w->TimerWait_Action(*t); }}};
        for (Pace& p : paces) p.count();

        push(*drift, "PushButtonRun");
        paces[0].since.start();
        for (auto [w, i] : {std::pair<fw::Window*, int>{diverge.get(), 1}, {archipelago.get(), 2}}) {
            w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("500");
            push(*w, "PushButtonFastFwd");
            paces[i].since.start();
        }
        push(*tree, "PushButtonFastFwd");
        paces[3].since.start();
        QEventLoop loop;  // as the application's loop would run
        QTimer::singleShot(2000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();

        QString report;
        bool kept = true;
        for (const Pace& p : paces) {
            const int due = static_cast<int>(p.since.elapsed() / 100);
            report += QString::asprintf("%s %d/%d  ", p.lab, p.ticks, due);
            kept = kept && p.ticks >= 0.8 * due && p.timer->Mode() == 2;
        }
        QVERIFY2(kept && reentries == 0, qPrintable(report));
        QCOMPARE(500 - std::stoi(diverge->Ctl<fw::StaticText>("CountDown")->Text()), paces[1].ticks);
        QCOMPARE(500 - std::stoi(archipelago->Ctl<fw::StaticText>("CountDown")->Text()), paces[2].ticks);
        QCOMPARE(std::stoi(tree->Ctl<fw::StaticText>("CountUp")->Text()), paces[3].ticks);
        CloseAllWindows();
    }
};

QTEST_MAIN(TestPace)
#include "pace.moc"
