// The Divergence window: a new window, the fast forward, and virions carried
// between the populations and the display slots of the comparison panel.
#include <QtTest>

#include <string>
#include <vector>

#include "app/WindowResetDrift.h"
#include "labs/divergence/WindowDiverge.h"
#include "tst_diverge_support.h"

using labtest::Carry;
using labtest::Centre;
using labtest::Press;
using labtest::Release;
using labtest::SpriteCentre;

class TestDiverge : public QObject {
    Q_OBJECT

    fw::Ref<class WindowDiverge> w;
    std::vector<std::string> messages;

    std::string text(const char* name, int32_t i = -1) {
        return w->Ctl<fw::StaticText>(name, i)->Text();
    }
    fw::Listbox& list() { return *w->Ctl<fw::Listbox>("ListBoxSequence"); }
    fw::Timer& timer() { return *w->Ctl<fw::Timer>("TimerWait"); }
    void fastForward(const std::string& n) {
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText(n);
        w->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
    }

private slots:
    void initTestCase() {
        fw::SetMsgBoxHook([this](const std::string& s) { messages.push_back(s); });
    }
    void init() {
        labtest::StartUp(4242.0);
        messages.clear();
        w = WindowDiverge();
    }
    void cleanup() {
        w->Close();
        w.reset();
        fw::ProcessPendingEvents();
    }

    void newWindow() {
        QCOMPARE(w->Population(0).AniTrons.UBound(), Globals::PopSize);
        QCOMPARE(w->Population(1).AniTrons.UBound(), 0);
        for (int32_t i = 0; i < 2; ++i) {
            QCOMPARE(text("GenCounter", i), std::string("0"));
            QCOMPARE(text("StaticTextSourcePop", i), std::string());
            QCOMPARE(w->Slot(i).AniTrons.UBound(), 0);
        }
        QCOMPARE(list().ListCount(), 2);
        QCOMPARE(list().Cell(0, 0), std::string());
        QCOMPARE(list().Cell(1, 0), std::string());
        QCOMPARE(text("StaticTextNumDiffs"), std::string());
        QCOMPARE(w->Ctl<fw::EditField>("EditFieldFastFwd")->Text(), std::string("1"));
        QCOMPARE(text("CountDown"), std::string("0"));
        QVERIFY(!w->Ctl<fw::Control>("CountDown")->Visible());
        QVERIFY(!w->Visible());
    }

    void fastForwardRequest_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<int>("message");  // 0 none, 1 too few, 2 too many
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QString>("countDown");
        QTest::newRow("500") << "500" << 0 << "500" << "500";
        QTest::newRow("500.4") << "500.4" << 2 << "500" << "0";
        QTest::newRow("501") << "501" << 2 << "500" << "0";
        QTest::newRow("0.9") << "0.9" << 1 << "1" << "0";
        QTest::newRow("0") << "0" << 1 << "1" << "0";
        QTest::newRow("-2") << "-2" << 1 << "1" << "0";
        QTest::newRow("empty") << "" << 1 << "1" << "0";
        QTest::newRow("abc") << "abc" << 1 << "1" << "0";
        QTest::newRow("2.4") << "2.4" << 0 << "2.4" << "2";
        QTest::newRow("2.5 rounds up") << "2.5" << 0 << "2.5" << "3";
        QTest::newRow("1") << "1" << 0 << "1" << "1";
    }
    void fastForwardRequest() {
        QFETCH(QString, entered);
        QFETCH(int, message);
        QFETCH(QString, fieldAfter);
        QFETCH(QString, countDown);
        fastForward(entered.toStdString());
        const std::vector<std::string> expected =
            message == 0 ? std::vector<std::string>{}
            : message == 1
                ? std::vector<std::string>{"The number of generations for fast forward must be a "
                                           "positive integer."}
                : std::vector<std::string>{
                      "The maximum number of generations for fast forward is 500."};
        QCOMPARE(messages, expected);
        QCOMPARE(w->Ctl<fw::EditField>("EditFieldFastFwd")->Text(), fieldAfter.toStdString());
        QCOMPARE(text("CountDown"), countDown.toStdString());
        QCOMPARE(timer().Mode(), message == 0 ? 2 : 0);
        QCOMPARE(w->Ctl<fw::PushButton>("PushButtonFastFwd")->Enabled(), message != 0);
    }

    // n ticks each breed the left population once; tick n + 1 ends the run.
    void runOfN_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("1") << 1;
        QTest::newRow("3") << 3;
    }
    void runOfN() {
        QFETCH(int, n);
        fastForward(std::to_string(n));
        auto button = w->Ctl<fw::PushButton>("PushButtonFastFwd");
        for (int k = 1; k <= n + 1; ++k) {
            const fw::Ref<aniTron> before = w->Population(0).AniTrons(1);
            timer().Fire();
            const bool bred = w->Population(0).AniTrons(1) != before;
            QCOMPARE(bred, k <= n);
            QCOMPARE(text("GenCounter", 0), std::to_string(std::min(k, n)));
            QCOMPARE(button->Enabled(), k > n);
            QCOMPARE(timer().Mode(), k > n ? 0 : 2);
        }
        QCOMPARE(text("CountDown"), std::string("0"));
        QCOMPARE(text("GenCounter", 1), std::string("0"));
        QCOMPARE(w->Population(1).AniTrons.UBound(), 0);
        QCOMPARE(w->Population(0).AniTrons.UBound(), Globals::PopSize);
    }

    void pressClaimsTheMouse_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("source");  // sourcePop after the press
        QTest::newRow("left frame") << QPoint(19, 100) << false << 0;
        QTest::newRow("left canvas border") << QPoint(20, 100) << false << 0;
        QTest::newRow("between canvases") << QPoint(300, 100) << false << 0;
        QTest::newRow("panel background") << QPoint(140, 400) << false << 0;
        QTest::newRow("sequence list") << QPoint(300, 360) << false << 0;
        QTest::newRow("source label") << QPoint(130, 349) << false << 0;
        QTest::newRow("empty right canvas") << QPoint(400, 100) << true << 1;
        QTest::newRow("empty slot 0") << QPoint(85, 349) << true << 0;
    }
    void pressClaimsTheMouse() {
        QFETCH(QPoint, point);
        QFETCH(bool, taken);
        QFETCH(int, source);
        const int32_t before = labtest::Census(*w);
        QCOMPARE(Press(*w, point), taken);
        QVERIFY(!w->DragTron);
        QCOMPARE(w->sourcePop, source);
        if (taken) Release(*w, point);
        QCOMPARE(labtest::Census(*w), before);
    }

    void carryBetweenPopulations() {
        const int32_t n = Globals::PopSize;
        const fw::Ref<aniTron> t = w->Population(0).AniTrons(1);
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Population(1)));
        QCOMPARE(w->Population(0).AniTrons.UBound(), n - 1);
        QCOMPARE(w->Population(1).AniTrons.UBound(), 1);
        QCOMPARE(w->Population(1).AniTrons(1), t);
        QCOMPARE(w->sourcePop, -1);
        QCOMPARE(text("GenCounter", 1), std::string("0"));
        QVERIFY(!w->Ctl<fw::Control>("MyPopUpVirion")->Visible());
        QVERIFY(!w->Ctl<fw::Control>("myPopupVirionData")->Visible());
        // Released over the panel's background the virion is gone.
        Carry(*w, SpriteCentre(w->Population(0), 1), QPoint(140, 400));
        QCOMPARE(labtest::Census(*w), n - 1);
    }

    // The rows compare the two shown sequences position by position.
    void differenceCount_data() {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("count");
        QTest::newRow("equal") << "ATGCA" << "ATGCA" << "0";
        QTest::newRow("one difference") << "ATGCA" << "ATCCA" << "1";
        QTest::newRow("all differ") << "AAAA" << "TTTT" << "4";
        QTest::newRow("shorter first row") << "ATG" << "ATGCA" << "0";
        QTest::newRow("shorter second row") << "ATGCA" << "ATG" << "2";
    }
    void differenceCount() {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QString, count);
        driftCan& left = w->Population(0);
        fw::Cast<virionTron>(left.AniTrons(1))->Sequence = labtest::Letters(upper.toStdString());
        Carry(*w, SpriteCentre(left, 1), Centre(w->Slot(0)));
        QCOMPARE(text("StaticTextSourcePop", 0), std::string("Left"));
        QCOMPARE(list().Cell(0, 0), upper.toStdString());
        QCOMPARE(text("StaticTextNumDiffs"), std::string());

        // The lower one comes from the right population.
        fw::Cast<virionTron>(left.AniTrons(1))->Sequence = labtest::Letters(lower.toStdString());
        Carry(*w, SpriteCentre(left, 1), Centre(w->Population(1)));
        Carry(*w, SpriteCentre(w->Population(1), 1), Centre(w->Slot(1)));
        QCOMPARE(text("StaticTextSourcePop", 1), std::string("Right"));
        QCOMPARE(list().Cell(1, 0), lower.toStdString());
        QCOMPARE(text("StaticTextNumDiffs"), count.toStdString());
    }

    void slotReplacementAndMove() {
        driftCan& left = w->Population(0);
        Carry(*w, SpriteCentre(left, 1), Centre(w->Slot(0)));
        const fw::Ref<aniTron> second = left.AniTrons(1);
        fw::Cast<virionTron>(second)->Sequence = labtest::Letters("GGG");
        Carry(*w, SpriteCentre(left, 1), Centre(w->Slot(0)));
        QCOMPARE(w->Slot(0).AniTrons.UBound(), 1);
        QCOMPARE(w->Slot(0).AniTrons(1), second);
        QCOMPARE(list().Cell(0, 0), std::string("GGG"));
        QCOMPARE(labtest::Census(*w), Globals::PopSize - 1);  // the first is gone

        // Taken out of slot 0 and dropped on slot 1: no source any more.
        QVERIFY(Press(*w, SpriteCentre(w->Slot(0), 1)));
        QCOMPARE(w->DragTron, second);
        QCOMPARE(text("StaticTextSourcePop", 0), std::string());
        QCOMPARE(list().Cell(0, 0), std::string());
        Release(*w, Centre(w->Slot(1)));
        QCOMPARE(w->Slot(1).AniTrons(1), second);
        QCOMPARE(w->Slot(0).AniTrons.UBound(), 0);
        QCOMPARE(text("StaticTextSourcePop", 1), std::string());
        QCOMPARE(list().Cell(1, 0), std::string("GGG"));
        QCOMPARE(text("StaticTextNumDiffs"), std::string());
    }

    // A virion held through ticks is bred nowhere; emptying a population
    // sets its counter back to 0 at once.
    void heldVirionAndEmptying() {
        Carry(*w, SpriteCentre(w->Population(0), 1), Centre(w->Population(1)));
        Globals::PopSize = 1;
        fastForward("2");
        QVERIFY(Press(*w, SpriteCentre(w->Population(0), 1)));
        const fw::Ref<aniTron> held = w->DragTron;
        QVERIFY(held);
        timer().Fire();
        timer().Fire();
        QCOMPARE(text("GenCounter", 0), std::string("2"));
        QCOMPARE(text("GenCounter", 1), std::string("2"));
        Release(*w, Centre(w->Population(1)));
        QCOMPARE(w->Population(1).AniTrons.UBound(), 2);
        QCOMPARE(w->Population(1).AniTrons(2), held);
        QCOMPARE(text("GenCounter", 1), std::string("2"));

        QVERIFY(Press(*w, SpriteCentre(w->Population(0), 1)));
        QCOMPARE(w->Population(0).AniTrons.UBound(), 0);
        QCOMPARE(text("GenCounter", 0), std::string("0"));
        Release(*w, QPoint(300, 100));
        QCOMPARE(labtest::Census(*w), 2);
    }

    void fileResetOpensTheDialog() {
        w->Show();
        fw::RunEnablingPass();
        QVERIFY(FileReset()->Enabled());
        fw::ChooseMenuItem("FileReset");
        fw::Ref<class WindowResetDrift> dialog;
        for (const auto& win : fw::OpenWindows())
            if (auto d = fw::As<class WindowResetDrift>(win)) dialog = d;
        QVERIFY(dialog);
        QVERIFY(dialog->Visible());
        dialog->Close();
    }
};

QTEST_MAIN(TestDiverge)
#include "tst_diverge.moc"
