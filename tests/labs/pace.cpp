// The four laboratories running together on real timers, at 500 virions of
// 500 nucleotides: Drift running, Divergence and Archipelago fast-forwarding
// 500 generations, Tree running. Each of the three that count their ticks
// keeps its pace: at least 80% of the ticks its 100 ms timer owes it, and no
// more. Opened and started as a user would: menu actions, the Reset dialog,
// the buttons.
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
        const fw::Ref<fw::Window> labs[] = {WindowDiverge(), WindowArchipelago(), WindowTree()};
        QVERIFY(Globals::PopSize == 500 && drift->Visible() && labs[0]->Visible() && labs[1]->Visible());

        push(*drift, "PushButtonRun");
        QElapsedTimer since[3];
        for (int i = 0; i < 3; ++i) {
            if (i < 2) labs[i]->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("500");
            push(*labs[i], "PushButtonFastFwd");
            since[i].start();
        }
        QEventLoop loop;  // as the application's loop would run
        QTimer::singleShot(2000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();

        QString report;
        bool kept = drift->Ctl<fw::Timer>("TheTimer")->Mode() == 2;
        for (int i = 0; i < 3; ++i) {
            const int due = static_cast<int>(since[i].elapsed() / 100);
            const int ticks = i < 2 ? 500 - std::stoi(labs[i]->Ctl<fw::StaticText>("CountDown")->Text())
                                    : std::stoi(labs[i]->Ctl<fw::StaticText>("CountUp")->Text());
            report += QString::asprintf("%s %d/%d  ", labs[i]->Title().c_str(), ticks, due);
            kept = kept && ticks >= 0.8 * due && ticks <= due + 2 && labs[i]->Ctl<fw::Timer>("TimerWait")->Mode() == 2;
        }
        QVERIFY2(kept, qPrintable(report));
        CloseAllWindows();
    }
};

QTEST_MAIN(TestPace)
#include "pace.moc"
