// The Drift laboratory window: run and pause, fast forward, clear and plot,
// picking virions up and dropping them, the sequence card, and the
// reproducibility of a seeded run.
#include <QtTest>

#include <string>
#include <vector>

#include "app/App.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/counter.h"
#include "engine/dropBox.h"
#include "engine/popupSpriteCan.h"
#include "engine/scatterCan.h"
#include "framework/ui/Application.h"
#include "labs/drift/VirionDrag.h"
#include "labs/drift/WindowDrift.h"

namespace {

std::vector<std::string> messages;

// Records the buttons' state at every generation of a fast forward.
class ProbeDrift : public WindowDrift {
public:
    std::vector<bool> pressable;  // Run or Fast Fwd enabled
    void myAgingDrCan_GenTick() override {
        pressable.push_back(Ctl<fw::PushButton>("PushButtonRun")->Enabled() ||
                            Ctl<fw::PushButton>("PushButtonFastFwd")->Enabled());
        WindowDrift::myAgingDrCan_GenTick();
    }
};

void closeAll() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

agingDrCan& canvasOf(class WindowDrift& w) { return *w.Ctl<agingDrCan>("myAgingDrCan"); }
dropBox& listOf(class WindowDrift& w) { return *w.Ctl<dropBox>("MyDropBox"); }
std::string gen(class WindowDrift& w) { return w.Ctl<counter>("GenCounter")->Text(); }
fw::PushButton& button(class WindowDrift& w, const char* name) { return *w.Ctl<fw::PushButton>(name); }

void runFastForward(class WindowDrift& w, const std::string& count) {
    w.Ctl<fw::EditField>("EditFieldFastFwd")->SetText(count);
    button(w, "PushButtonFastFwd").Push();
    fw::ProcessPendingEvents();
}

// Ticks until the stage is reached, then `more` ticks beyond it.
void tickInto(class WindowDrift& w, const std::string& stage, int more) {
    auto timer = w.Ctl<WindowDrift::TheTimer>("TheTimer");
    timer->SetMode(2);
    while (canvasOf(w).Lifestage != stage) timer->Fire();
    for (int i = 0; i < more; ++i) timer->Fire();
    timer->SetMode(0);
}

// The window point at the middle of sprite i.
QPoint spritePoint(class WindowDrift& w, int i) {
    agingDrCan& can = canvasOf(w);
    const aniTron& t = *can.AniTrons(i);
    return QPoint(can.Left() + t.X + t.width / 2, can.Top() + t.Y + t.height / 2);
}

void drag(class WindowDrift& w, QPoint from, QPoint to) {
    w.SimulateMouseDown(from.x(), from.y());
    w.SimulateMouseDrag(to.x(), to.y());
    w.SimulateMouseUp(to.x(), to.y());
    fw::ProcessPendingEvents();
}

QStringList population(class WindowDrift& w) {
    agingDrCan& can = canvasOf(w);
    QStringList out{QString::fromStdString(gen(w) + can.Lifestage)};
    for (int i = 1; i <= can.AniTrons.UBound(); ++i) {
        auto v = fw::Cast<agingVTron>(can.AniTrons(i));
        out << QString("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                   .arg(v->xLoc, 0, 'g', 17).arg(v->yLoc, 0, 'g', 17).arg(v->direction, 0, 'g', 17)
                   .arg(v->myColor.red).arg(v->myColor.green).arg(v->myColor.blue)
                   .arg(v->Fitness, 0, 'g', 17).arg(v->Adult)
                   .arg(QString::fromStdString(VirionDrag::SequenceString(v->Sequence)));
    }
    return out;
}

QImage rgb(const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); }

}  // namespace

class TestDrift : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        static int argc = 1;
        static char name[] = "tst_drift";
        static char* argv[] = {name, nullptr};
        fw::RuntimeInit(argc, argv);
        NewAppInstance();
        fw::SetMsgBoxHook([](const std::string& t) { messages.push_back(t); });
    }
    void init() {
        closeAll();
        Globals::StartUp();
        Globals::PopSize = 10;
        Globals::myRAlea->setSeed(4242);
        messages.clear();
        fw::Keyboard::SetCommandKey(false);
        fw::Keyboard::SetKeyDown(47, false);
    }
    void cleanup() { closeAll(); }

    void runStates_data() {
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("mode");
        QTest::newRow("new window") << 0 << "Run" << 0;
        QTest::newRow("running") << 1 << "Pause" << 2;
        QTest::newRow("paused again") << 2 << "Run" << 0;
        QTest::newRow("running again") << 3 << "Pause" << 2;
    }
    void runStates() {
        QFETCH(int, presses);
        QFETCH(QString, caption);
        QFETCH(int, mode);
        auto w = WindowDrift();
        for (int i = 0; i < presses; ++i) button(*w, "PushButtonRun").Push();
        fw::ProcessPendingEvents();
        QCOMPARE(QString::fromStdString(button(*w, "PushButtonRun").Caption()), caption);
        auto timer = w->Ctl<WindowDrift::TheTimer>("TheTimer");
        QCOMPARE(timer->Mode(), mode);
        QVERIFY(button(*w, "PushButtonRun").Enabled());
        for (const char* b : {"PushButtonFastFwd", "PushButtonPlot", "PushButtonClear"})
            QCOMPARE(button(*w, b).Enabled(), mode == 0);
        if (mode == 0) return;
        // A tick redraws the population and shows it.
        timer->Fire();
        QCOMPARE(rgb(canvasOf(*w).Snapshot()), rgb(canvasOf(*w).Cache->image()));
    }

    void fastForwardValidation_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("fieldAfter");
        const QString tooFew = "The number of generations for fast forward must be a positive integer.";
        const QString tooMany = "The maximum number of generations for fast forward is 100.";
        QTest::newRow("empty") << "" << tooFew << "1";
        QTest::newRow("letters") << "abc" << tooFew << "1";
        QTest::newRow("zero") << "0" << tooFew << "1";
        QTest::newRow("negative") << "-3" << tooFew << "1";
        QTest::newRow("half") << "0.5" << tooFew << "1";
        QTest::newRow("101") << "101" << tooMany << "100";
        QTest::newRow("100 and a half") << "100.5" << tooMany << "100";
    }
    void fastForwardValidation() {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QFETCH(QString, fieldAfter);
        auto w = WindowDrift();
        const QStringList before = population(*w);
        runFastForward(*w, input.toStdString());
        QCOMPARE(messages, std::vector<std::string>{message.toStdString()});
        QCOMPARE(QString::fromStdString(w->Ctl<fw::EditField>("EditFieldFastFwd")->Text()), fieldAfter);
        QCOMPARE(population(*w), before);
        QVERIFY(button(*w, "PushButtonFastFwd").Enabled() && button(*w, "PushButtonRun").Enabled());
    }

    void fastForward_data() {
        QTest::addColumn<QString>("stage");  // where the population is taken first
        QTest::addColumn<int>("ticks");      // ticks past the start of that stage
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("stopKeys");
        QTest::addColumn<QString>("genAfter");
        QTest::newRow("fresh, 1") << "growing" << 0 << "1" << false << "1";
        QTest::newRow("half grown, 1") << "growing" << 5 << "1" << false << "1";
        QTest::newRow("reproducing, 1") << "reproducing" << 3 << "1" << false << "1";
        QTest::newRow("dying, 1") << "dying" << 3 << "1" << false << "1";
        QTest::newRow("fresh, 100") << "growing" << 0 << "100" << false << "100";
        QTest::newRow("2.5 drops the fraction") << "growing" << 0 << "2.5" << false << "2";
        QTest::newRow("Ctrl+period stops after one") << "growing" << 0 << "5" << true << "1";
    }
    void fastForward() {
        QFETCH(QString, stage);
        QFETCH(int, ticks);
        QFETCH(QString, count);
        QFETCH(bool, stopKeys);
        QFETCH(QString, genAfter);
        auto w = fw::ImplicitWindow<ProbeDrift>();
        tickInto(*w, stage.toStdString(), ticks);
        QCOMPARE(gen(*w), std::string("0"));
        fw::Keyboard::SetCommandKey(stopKeys);
        fw::Keyboard::SetKeyDown(47, stopKeys);
        runFastForward(*w, count.toStdString());

        QVERIFY(messages.empty());
        QCOMPARE(QString::fromStdString(gen(*w)), genAfter);
        // The last generation has grown up: all adults, about to reproduce.
        agingDrCan& can = canvasOf(*w);
        QCOMPARE(can.Lifestage, std::string("reproducing"));
        QCOMPARE(can.numBabies, 0);
        QCOMPARE(can.numAdults, Globals::PopSize);
        QCOMPARE(can.AniTrons.UBound(), Globals::PopSize);
        // Neither Run nor Fast Fwd could be pressed while the loop ran.
        QCOMPARE(w->pressable, std::vector<bool>(w->pressable.size(), false));
        QVERIFY(button(*w, "PushButtonFastFwd").Enabled() && button(*w, "PushButtonRun").Enabled());
        QCOMPARE(w->Ctl<WindowDrift::TheTimer>("TheTimer")->Mode(), 0);
    }

    void fastForwardStopsAtExtinction() {
        Globals::PopSize = 1;
        auto w = WindowDrift();
        runFastForward(*w, "2");
        tickInto(*w, "dying", 0);  // one adult and its one baby
        QCOMPARE(canvasOf(*w).AniTrons.UBound(), 2);
        drag(*w, spritePoint(*w, 1), QPoint(470, 100));
        drag(*w, spritePoint(*w, 1), QPoint(470, 100));
        runFastForward(*w, "10");
        QCOMPARE(gen(*w), std::string("0"));
        QCOMPARE(canvasOf(*w).AniTrons.UBound(), 0);
        QCOMPARE(listOf(*w).ListCount(), 3);
        QVERIFY(button(*w, "PushButtonFastFwd").Enabled() && button(*w, "PushButtonRun").Enabled());
    }

    void clearAndPlot_data() {
        QTest::addColumn<QStringList>("rows");    // generation:differences
        QTest::addColumn<QStringList>("labels");  // xMin, xMax, yMin, yMax
        QTest::addColumn<QPoint>("dot");          // inside the first row's dot
        QTest::newRow("12, 40, 25") << QStringList{"12:0", "40:3", "25:1"}
                                    << QStringList{"12", "40", "0", "10"} << QPoint(6, 186);
        QTest::newRow("largest difference 10") << QStringList{"1:0", "2:10"}
                                               << QStringList{"1", "2", "0", "20"} << QPoint(6, 186);
        QTest::newRow("largest difference 49") << QStringList{"1:49", "2:0"}
                                               << QStringList{"1", "2", "0", "50"} << QPoint(6, 9);
        QTest::newRow("largest difference 50") << QStringList{"1:0", "2:50"}
                                               << QStringList{"1", "2", "0", "100"} << QPoint(6, 186);
        QTest::newRow("all above 1000") << QStringList{"1200:0", "1500:2"}
                                        << QStringList{"1000", "1500", "0", "10"} << QPoint(103, 186);
        // One generation only: the dots sit in the middle of the x axis.
        QTest::newRow("one row") << QStringList{"7:5"} << QStringList{"7", "7", "0", "10"}
                                 << QPoint(128, 96);
        QTest::newRow("one generation") << QStringList{"30:0", "30:4"}
                                        << QStringList{"30", "30", "0", "10"} << QPoint(128, 186);
        QTest::newRow("no rows") << QStringList{} << QStringList{"1000", "0", "0", "10"} << QPoint();
    }
    void clearAndPlot() {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, labels);
        QFETCH(QPoint, dot);
        auto w = WindowDrift();
        w->Show();
        dropBox& list = listOf(*w);
        const char* names[] = {"StaticTextxMin", "StaticTextxMax", "StaticTextyMin", "StaticTextyMax"};
        for (const char* n : names) QVERIFY(!w->Ctl<fw::StaticText>(n)->Visible());
        // An earlier plot and its rows go away.
        for (const char* g : {"500", "600"}) list.AddRow(g), list.SetCell(list.LastIndex(), 1, "7");
        button(*w, "PushButtonPlot").Push();
        button(*w, "PushButtonClear").Push();
        QCOMPARE(list.ListCount(), 1);
        QCOMPARE(list.Cell(0, 0) + list.Cell(0, 1) + list.Cell(0, 2),
                 std::string("GenerationDifferencesSequence"));
        for (const QString& r : rows) {
            list.AddRow(r.section(':', 0, 0).toStdString());
            list.SetCell(list.LastIndex(), 1, r.section(':', 1, 1).toStdString());
        }
        button(*w, "PushButtonPlot").Push();
        fw::ProcessPendingEvents();

        for (int i = 0; i < 4; ++i) {
            QCOMPARE(QString::fromStdString(w->Ctl<fw::StaticText>(names[i])->Text()), labels[i]);
            QVERIFY(w->Ctl<fw::StaticText>(names[i])->Visible());
        }
        auto plot = w->Ctl<scatterCan>("MyScatterCan");
        const QImage cache = rgb(plot->Cache->image());
        QCOMPARE(rgb(plot->Snapshot()), cache);
        int red = 0;
        for (int y = 0; y < cache.height(); ++y)
            for (int x = 0; x < cache.width(); ++x) red += cache.pixel(x, y) == qRgb(240, 25, 25);
        QCOMPARE(red > 0, !rows.isEmpty());
        if (!rows.isEmpty()) QCOMPARE(cache.pixel(dot), qRgb(240, 25, 25));
    }

    void drop_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("popChange");
        QTest::addColumn<int>("rowsAdded");
        QTest::newRow("on the canvas") << QPoint(150, 100) << 0 << 0;
        QTest::newRow("on the list") << QPoint(470, 100) << -1 << 1;
        QTest::newRow("on a button") << QPoint(240, 225) << -1 << 0;
        QTest::newRow("on the plot") << QPoint(400, 380) << -1 << 0;
        QTest::newRow("on the window's empty area") << QPoint(600, 400) << -1 << 0;
    }
    void drop() {
        QFETCH(QPoint, at);
        QFETCH(int, popChange);
        QFETCH(int, rowsAdded);
        auto w = WindowDrift();
        runFastForward(*w, "3");
        agingDrCan& can = canvasOf(*w);
        auto sprite = w->Ctl<popupSpriteCan>("MyPopUpVirion");
        auto card = w->Ctl<popupSpriteCan>("myPopupVirionData");
        const int before = can.AniTrons.UBound();
        auto virion = fw::Cast<agingVTron>(can.AniTrons(1));
        const QPoint from = spritePoint(*w, 1);
        const QPoint corner(can.Left() + virion->X - 1, can.Top() + virion->Y - 1);

        w->SimulateMouseDown(from.x(), from.y());
        QVERIFY(sprite->Visible() && card->Visible());
        // The frame sits one pixel outside the 12-pixel adult's dot.
        QCOMPARE(QRect(sprite->Left(), sprite->Top(), sprite->Width(), sprite->Height()),
                 QRect(corner, QSize(14, 14)));
        w->SimulateMouseDrag(at.x(), at.y());
        QCOMPARE(QPoint(sprite->Left(), sprite->Top()), corner + at - from);
        w->SimulateMouseUp(at.x(), at.y());
        fw::ProcessPendingEvents();

        QVERIFY(!sprite->Visible() && !card->Visible() && !w->DragTron);
        QCOMPARE(can.AniTrons.UBound(), before + popChange);
        QCOMPARE(listOf(*w).ListCount(), 1 + rowsAdded);
        if (rowsAdded)
            QCOMPARE(listOf(*w).Cell(1, 0) + listOf(*w).Cell(1, 1) + listOf(*w).Cell(1, 2),
                     "30" + VirionDrag::SequenceString(virion->Sequence));
        if (popChange == 0) QCOMPARE(can.AniTrons(before), fw::Ref<aniTron>(virion));
    }

    void noPickUpWhileRunning() {
        auto w = WindowDrift();
        button(*w, "PushButtonRun").Push();
        drag(*w, spritePoint(*w, 1), QPoint(470, 100));
        QCOMPARE(canvasOf(*w).AniTrons.UBound(), Globals::PopSize);
        QCOMPARE(listOf(*w).ListCount(), 1);
    }

    void sequenceCard_data() {
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("lastLineLetters");
        QTest::newRow("1 letter") << 1 << 1 << 1;
        QTest::newRow("100 letters") << 100 << 12 << 1;
        QTest::newRow("500 letters") << 500 << 56 << 5;
    }
    void sequenceCard() {
        QFETCH(int, letters);
        QFETCH(int, lines);
        QFETCH(int, lastLineLetters);
        Globals::SequenceLength = letters;
        auto w = WindowDrift();
        auto virion = fw::Cast<agingVTron>(canvasOf(*w).AniTrons(1));
        const QPoint from = spritePoint(*w, 1);
        w->SimulateMouseDown(from.x(), from.y());
        auto card = w->Ctl<popupSpriteCan>("myPopupVirionData");
        QCOMPARE(QPoint(card->Left(), card->Top()), from + QPoint(5, 12));

        const QStringList text =
            QString::fromStdString(VirionDrag::SequenceCardText(virion->Sequence)).split('\r');
        QCOMPARE(text.size(), lines);
        QCOMPARE(QString(text.last()).remove(' '),
                 QString::fromStdString(VirionDrag::SequenceString(virion->Sequence)).right(lastLineLetters));

        // Every line fits: the last one is drawn, with room below its baseline.
        const QImage img = card->Backdrop()->image();
        const int lastBaseline = 68 + (lines - 1) * card->Backdrop()->Graphics().TextHeight();
        QCOMPARE(QSize(card->Width(), card->Height()), QSize(124, img.height()));
        QVERIFY(card->Height() >= lastBaseline + 3);
        bool inked = false;
        for (int y = lastBaseline - 6; y <= lastBaseline; ++y)
            for (int x = 5; x < 12; ++x) inked = inked || qGray(img.pixel(x, y)) < 128;
        QVERIFY(inked);
    }

    // Two windows from the same seed hold the same population after the same
    // ticks and fast forward.
    void seededRunsRepeat() {
        Globals::MutRatePerSeq = 0.3;
        Globals::EffectOnFitness = "B";
        QStringList runs[2];
        for (auto& run : runs) {
            Globals::myRAlea->setSeed(777);
            auto w = WindowDrift();
            tickInto(*w, "reproducing", 7);
            runFastForward(*w, "3");
            tickInto(*w, "dying", 2);
            run = population(*w);
            closeAll();
        }
        QCOMPARE(runs[0].size(), Globals::PopSize * 2 - 1);  // two adults have died
        QCOMPARE(runs[0], runs[1]);
    }
};

QTEST_MAIN(TestDrift)
#include "tst_drift.moc"
