// The Drift window: fast forward, clear and plot, dropping
// virions and the sequence card. (Seeded runs are pinned by the checksum
// test, Run and Pause by the stress test's rules.)
#include <QtTest>

#include <QPainter>
#include <QTableWidget>
#include <functional>

#include "app/App.h"
#include "engine/Globals.h"
#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/dropBox.h"
#include "engine/popupSpriteCan.h"
#include "framework/ui/Application.h"
#include "labs/common/VirionDrag.h"
#include "labs/drift/WindowDrift.h"
#include "support/HeldInput.h"
#include "support/TestApp.h"

namespace {

using Win = class WindowDrift;
std::vector<std::string> messages;
const char* kTooFew = "The number of generations for fast forward must be a positive integer.";
const char* kTooMany = "The maximum number of generations for fast forward is 100.";

agingDrCan& canvasOf(Win& w) { return *w.Ctl<agingDrCan>("myAgingDrCan"); }
dropBox& listOf(Win& w) { return *w.Ctl<dropBox>("MyDropBox"); }
std::string gen(Win& w) { return w.Ctl<fw::StaticText>("GenCounter")->Text(); }
fw::PushButton& btn(Win& w, std::string n) { return *w.Ctl<fw::PushButton>("PushButton" + n); }
bool idle(Win& w) { return btn(w, "FastFwd").Enabled() && btn(w, "Run").Enabled(); }

void forward(Win& w, const std::string& count) {
    w.Ctl<fw::EditField>("EditFieldFastFwd")->SetText(count);
    btn(w, "FastFwd").Push();
    fw::ProcessPendingEvents();
}

// Ticks until the stage is reached, then `more` ticks beyond it.
void tickInto(Win& w, const std::string& stage, int more) {
    auto timer = w.Ctl<WindowDrift::TheTimer>("TheTimer");
    timer->SetMode(2);
    while (canvasOf(w).Lifestage != stage) timer->Fire();
    for (int i = 0; i < more; ++i) timer->Fire();
    timer->SetMode(0);
}

QPoint spritePoint(Win& w, int i) {
    const aniTron& t = *canvasOf(w).AniTrons(i);
    return {canvasOf(w).Left() + t.X + t.width / 2, canvasOf(w).Top() + t.Y + t.height / 2};
}

QStringList population(Win& w) {
    agingDrCan& can = canvasOf(w);
    QStringList out{QString::fromStdString(gen(w) + can.Lifestage)};
    for (int i = 1; i <= can.AniTrons.UBound(); ++i) {
        auto v = fw::Cast<agingVTron>(can.AniTrons(i));
        out << QString::asprintf("%.17g %.17g %.17g %d %d %d %.17g %d %s", v->xLoc, v->yLoc,
                                 v->direction, v->myColor.red, v->myColor.green, v->myColor.blue,
                                 v->Fitness, v->Adult,
                                 VirionDrag::SequenceString(v->Sequence).c_str());
    }
    return out;
}

// The picture of the canvas's sprites as they stand now, drawn afresh.
QImage pictureOf(agingDrCan& can) {
    auto p = fw::NewPicture(can.Width(), can.Height(), 32);
    fw::Graphics& g = p->Graphics();
    for (int i = 1; i <= can.AniTrons.UBound(); ++i) {
        const aniTron& t = *can.AniTrons(i);
        g.ForeColor = t.myColor;
        g.FillOval(t.X, t.Y, t.width, t.height);
    }
    return p->image().convertToFormat(QImage::Format_RGB32);
}

QImage onScreen(agingDrCan& can) {
    return can.Snapshot().convertToFormat(QImage::Format_RGB32);
}

QImage inCache(agingDrCan& can) {
    return can.Cache->image().convertToFormat(QImage::Format_RGB32);
}

// Counts the pictures the Drift canvas puts on the screen while it lives.
struct BlitLog {
    struct Shown {
        std::string generation;
        bool asThePopulationStands;
    };
    std::vector<Shown> shown;
    BlitLog(Win& w) {
        Win* win = &w;
        CacheCan::SetBlitObserver([this, win](CacheCan& c) {
            if (&c != &canvasOf(*win)) return;
            shown.push_back({gen(*win), onScreen(canvasOf(*win)) == pictureOf(canvasOf(*win))});
        });
    }
    ~BlitLog() { CacheCan::SetBlitObserver(nullptr); }
};

}  // namespace

class TestDrift : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        StartApplicationForTest("tst_drift", kApplicationOnly);
        fw::SetMsgBoxHook([](const std::string& t) { messages.push_back(t); });
    }
    void init() {
        Globals::StartUp();
        Globals::PopSize = 10;
        Globals::myRAlea->setSeed(4242);
        messages.clear();
    }
    void cleanup() { CloseAllWindows(); }

    void fastForwardValidation_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("tooMany");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("half") << "0.5" << false;
        QTest::newRow("101") << "101" << true;
        QTest::newRow("100 and a half") << "100.5" << true;
    }
    void fastForwardValidation() {
        QFETCH(QString, input);
        QFETCH(bool, tooMany);
        auto w = WindowDrift();
        const QStringList before = population(*w);
        forward(*w, input.toStdString());
        QCOMPARE(messages, std::vector<std::string>{tooMany ? kTooMany : kTooFew});
        QCOMPARE(w->Ctl<fw::EditField>("EditFieldFastFwd")->Text(),
                 std::string(tooMany ? "100" : "1"));
        QCOMPARE(population(*w), before);
    }

    // A fast forward, from any point of a generation, puts exactly one
    // picture on the screen per generation, when that generation has grown
    // up, and that picture is the population as it then stands (the steps
    // between are never shown). It ends with the last generation grown up:
    // all adults, about to reproduce, the window idle.
    void fastForwardShowsEachGenerationOnce_data() {
        QTest::addColumn<int>("popSize");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("ticksFirst");  // timer ticks before the fast forward
        QTest::addColumn<int>("generations");
        QTest::newRow("500 x 500") << 500 << 500 << 0 << 2;
        QTest::newRow("defaults, started mid-generation") << 50 << 100 << 130 << 6;
        QTest::newRow("one generation, started half grown") << 10 << 100 << 5 << 1;
        QTest::newRow("one virion") << 1 << 10 << 0 << 5;
    }
    void fastForwardShowsEachGenerationOnce() {
        QFETCH(int, popSize);
        QFETCH(int, length);
        QFETCH(int, ticksFirst);
        QFETCH(int, generations);
        Globals::PopSize = popSize;
        Globals::SequenceLength = length;
        auto w = WindowDrift();
        auto timer = w->Ctl<WindowDrift::TheTimer>("TheTimer");
        for (int k = 0; k < ticksFirst; ++k) timer->Fire();
        const int start = std::stoi(gen(*w));
        BlitLog log(*w);
        forward(*w, std::to_string(generations));
        QCOMPARE(int(log.shown.size()), generations);
        for (int k = 0; k < generations; ++k) {
            QCOMPARE(log.shown[k].generation, std::to_string(start + k + 1));
            QVERIFY(log.shown[k].asThePopulationStands);
        }
        agingDrCan& can = canvasOf(*w);
        QCOMPARE(can.Lifestage, std::string("reproducing"));
        QCOMPARE(can.numBabies, 0);
        QCOMPARE(can.numAdults, popSize);
        QCOMPARE(can.AniTrons.UBound(), popSize);
        QVERIFY(idle(*w));
        QCOMPARE(timer->Mode(), 0);
    }

    // The canvas's picture is its population as it stood at the last
    // UpdateCache, whatever has moved since, wherever it is looked at: on
    // the screen after BlitCache or in Cache. A ClearCache after it leaves
    // white; a drawing into Cache after it goes over the population.
    void pictureAsAtLastUpdate_data() {
        QTest::addColumn<QString>("after");  // what happens after UpdateCache
        QTest::newRow("sprites moved and recoloured") << "move";
        QTest::newRow("cleared") << "clear";
        QTest::newRow("drawn over") << "draw";
        QTest::newRow("ticked while a pick-up runs") << "held tick";
    }
    void pictureAsAtLastUpdate() {
        QFETCH(QString, after);
        auto w = WindowDrift();
        agingDrCan& can = canvasOf(*w);
        forward(*w, "1");
        can.UpdateCache();
        QImage expected = pictureOf(can);
        if (after == "move") {
            for (int i = 1; i <= can.AniTrons.UBound(); ++i) {
                fw::Cast<agingVTron>(can.AniTrons(i))->randomizeLoc(can);
                can.AniTrons(i)->myColor = fw::RGB(10, 20, 30);
            }
            QVERIFY(pictureOf(can) != expected);
        } else if (after == "clear") {
            can.ClearCache();
            expected.fill(Qt::white);
        } else if (after == "draw") {
            fw::Graphics& g = fw::Deref(can.Cache).Graphics();
            g.ForeColor = fw::RGB(0, 0, 255);
            g.FillRect(0, 0, 30, 20);
            QPainter(&expected).fillRect(0, 0, 30, 20, QColor(0, 0, 255));
        } else {
            can.processingClick = true;
            can.AniTrons(1)->X += 40;
            can.redraw();  // only the picture is made again, from where they now are
            can.processingClick = false;
            expected = pictureOf(can);
        }
        if (after != "draw") QCOMPARE(inCache(can), expected);
        can.BlitCache();
        QCOMPARE(onScreen(can), expected);
        QCOMPARE(inCache(can), expected);
    }

    // Ctrl+period held at the end of a generation stops a fast forward.
    void fastForwardStopsOnCtrlPeriod() {
        auto w = WindowDrift();
        fw::Keyboard::SetCommandKey(true);
        fw::Keyboard::SetKeyDown(47, true);
        forward(*w, "5");
        fw::Keyboard::SetCommandKey(false);
        fw::Keyboard::SetKeyDown(47, false);
        QCOMPARE(gen(*w), std::string("1"));
        QVERIFY(idle(*w));
    }

    void fastForwardStopsAtExtinction() {
        Globals::PopSize = 1;
        auto w = WindowDrift();
        forward(*w, "2");
        tickInto(*w, "dying", 0);  // one adult and its one baby
        for (int k = 0; k < 2; ++k) {  // both onto the list
            w->SimulateMouseDown(spritePoint(*w, 1).x(), spritePoint(*w, 1).y());
            w->SimulateMouseUp(470, 100);
        }
        forward(*w, "10");
        QCOMPARE(gen(*w), std::string("0"));
        QCOMPARE(canvasOf(*w).AniTrons.UBound(), 0);
        QCOMPARE(listOf(*w).ListCount(), 3);
        QVERIFY(idle(*w));
    }

    // A fast forward of 5 runs once, whatever arrives meanwhile or comes as
    // the second click of a double-click after the run: a click on the
    // greyed Run or Fast Fwd is no click, a second Space on Fast Fwd (greyed,
    // but keeping the focus) goes nowhere. The window ends idle, the count as
    // typed, the focus where it was.
    void inputDuringFastForward_data() {
        QTest::addColumn<QString>("start");    // a click on Fast Fwd, or Tab to it and Space
        QTest::addColumn<QString>("during");   // what arrives at the first generation shown
        QTest::addColumn<QString>("after");    // what comes once the run is over
        QTest::addColumn<QString>("focused");  // the control with the focus afterwards
        QTest::newRow("double-click on Fast Fwd, during the run") << "click" << "double FastFwd" << "" << "MyDropBox";
        QTest::newRow("double-click on Fast Fwd, after the run") << "click" << "" << "double FastFwd" << "MyDropBox";
        QTest::newRow("click on the greyed Fast Fwd") << "click" << "click FastFwd" << "" << "MyDropBox";
        QTest::newRow("click on the greyed Run") << "click" << "click Run" << "" << "MyDropBox";
        QTest::newRow("Space twice on Fast Fwd") << "Space" << "Space" << "" << "PushButtonFastFwd";
    }
    void inputDuringFastForward() {
        QFETCH(QString, start);
        QFETCH(QString, during);
        QFETCH(QString, after);
        QFETCH(QString, focused);
        auto w = WindowDrift();
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QWindow* win = w->widget()->windowHandle();
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("5");
        auto send = [&](const QString& input) {
            if (input.isEmpty()) return;
            if (input == "Space") return QTest::keyClick(win, Qt::Key_Space);
            QWidget* b = btn(*w, input.section(' ', 1).toStdString()).widget();
            if (input.startsWith("double")) return secondClickOfDouble(b);
            QTest::mouseClick(b, Qt::LeftButton);
        };
        AtFirstBlit input([&] { send(during); });
        if (start == "Space") {
            QTest::keyClick(win, Qt::Key_Tab);  // from the list, past Run
            QTest::keyClick(win, Qt::Key_Tab);
            QCOMPARE(w->FocusedControl(), w->FindControl("PushButtonFastFwd"));
            QTest::keyClick(win, Qt::Key_Space);
        } else {
            QTest::mouseClick(btn(*w, "FastFwd").widget(), Qt::LeftButton);
        }
        QVERIFY(input.sent);
        fw::ProcessPendingEvents();
        send(after);
        QCOMPARE(gen(*w), std::string("5"));
        QCOMPARE(w->Ctl<WindowDrift::TheTimer>("TheTimer")->Mode(), 0);
        QCOMPARE(btn(*w, "Run").Caption(), std::string("Run"));
        QVERIFY(idle(*w));
        QCOMPARE(w->Ctl<fw::EditField>("EditFieldFastFwd")->Text(), std::string("5"));
        QCOMPARE(w->FocusedControl(), w->FindControl(focused.toStdString()));
    }

    // Clear empties the list but for its header; Plot labels the axes.
    void clearAndPlot_data() {
        QTest::addColumn<QStringList>("rows");  // generation:differences
        QTest::addColumn<QString>("labels");    // xMin xMax yMin yMax
        QTest::newRow("12, 40, 25") << QStringList{"12:0", "40:3", "25:1"} << "12 40 0 10";
        QTest::newRow("largest difference 10") << QStringList{"1:0", "2:10"} << "1 2 0 20";
        QTest::newRow("largest difference 49") << QStringList{"1:49", "2:0"} << "1 2 0 50";
        QTest::newRow("largest difference 50") << QStringList{"1:0", "2:50"} << "1 2 0 100";
        QTest::newRow("all above 1000") << QStringList{"1200:0", "1500:2"} << "1000 1500 0 10";
        QTest::newRow("one generation") << QStringList{"30:0", "30:4"} << "30 30 0 10";
        QTest::newRow("no rows") << QStringList{} << "1000 0 0 10";
    }
    void clearAndPlot() {
        QFETCH(QStringList, rows);
        QFETCH(QString, labels);
        auto w = WindowDrift();
        dropBox& list = listOf(*w);
        auto add = [&](const QString& r) {
            list.AddRow(r.section(':', 0, 0).toStdString());
            list.SetCell(list.LastIndex(), 1, r.section(':', 1, 1).toStdString());
        };
        add("500:7"), add("600:7");  // an earlier plot and its rows go away
        btn(*w, "Plot").Push();
        btn(*w, "Clear").Push();
        QCOMPARE(list.ListCount(), 1);
        for (const QString& r : rows) add(r);
        btn(*w, "Plot").Push();
        QStringList shown;
        for (const char* n : {"xMin", "xMax", "yMin", "yMax"}) {
            auto label = w->Ctl<fw::StaticText>(std::string("StaticText") + n);
            shown << (label->Visible() ? QString::fromStdString(label->Text()) : "hidden");
        }
        QCOMPARE(shown.join(' '), labels);
    }

    // A virion picked up shows its card: nine letters a line, tall enough
    // for the last one. Dropped back on the canvas it stays; on the list it
    // becomes a row, scrolled into view below rows dropped before; anywhere
    // else it is gone.
    void pickUpAndDrop_data() {
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("lastLineLetters");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("where");    // 0 the canvas, 1 the list, 2 elsewhere
        QTest::addColumn<int>("earlier");  // rows dropped on the list before
        QTest::newRow("1 letter, on the canvas") << 1 << 1 << 1 << QPoint(150, 100) << 0 << 0;
        QTest::newRow("100 letters, on the list") << 100 << 12 << 1 << QPoint(470, 100) << 1 << 0;
        QTest::newRow("500 letters, on a button") << 500 << 56 << 5 << QPoint(240, 225) << 2 << 0;
        QTest::newRow("on a list fuller than it shows") << 10 << 2 << 1 << QPoint(470, 100) << 1 << 8;
    }
    void pickUpAndDrop() {
        QFETCH(int, letters);
        QFETCH(int, lines);
        QFETCH(int, lastLineLetters);
        QFETCH(QPoint, at);
        QFETCH(int, where);
        QFETCH(int, earlier);
        Globals::SequenceLength = letters;
        auto w = WindowDrift();
        w->Show();
        forward(*w, "3");
        agingDrCan& can = canvasOf(*w);
        dropBox& list = listOf(*w);
        for (int k = 0; k < earlier; ++k) list.TronDrop(can.AniTrons(2), "3");
        auto sprite = w->Ctl<popupSpriteCan>("MyPopUpVirion");
        auto card = w->Ctl<popupSpriteCan>("myPopupVirionData");
        const int before = can.AniTrons.UBound();
        auto virion = fw::Cast<agingVTron>(can.AniTrons(1));
        const QString seq = QString::fromStdString(VirionDrag::SequenceString(virion->Sequence));
        w->SimulateMouseDown(spritePoint(*w, 1).x(), spritePoint(*w, 1).y());
        QVERIFY(sprite->Visible() && card->Visible());
        // Only the grey frame and the dot of the sprite show: between them,
        // in the corners, what lies beneath (here a red window).
        QPalette red = w->contentWidget()->palette();
        red.setColor(QPalette::Window, Qt::red);
        w->contentWidget()->setPalette(red);
        const QImage shown = sprite->widget()->grab().toImage();
        QCOMPARE(shown.pixelColor(0, 0), QColor(150, 150, 150));
        QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::red));
        const QStringList text =
            QString::fromStdString(VirionDrag::SequenceCardText(virion->Sequence)).split('\r');
        QCOMPARE(text.size(), lines);
        QCOMPARE(QString(text.last()).remove(' '), seq.right(lastLineLetters));
        QCOMPARE(QSize(card->Width(), card->Height()),
                 QSize(124, card->Backdrop()->image().height()));
        // Room below the last line's baseline.
        QVERIFY(card->Height() >= 71 + (lines - 1) * card->Backdrop()->Graphics().TextHeight());
        w->SimulateMouseDrag(at.x(), at.y());
        w->SimulateMouseUp(at.x(), at.y());
        fw::ProcessPendingEvents();
        QVERIFY(!sprite->Visible() && !card->Visible() && !w->DragTron);
        QCOMPARE(can.AniTrons.UBound(), where == 0 ? before : before - 1);
        const int last = earlier + (where == 1 ? 1 : 0);
        QCOMPARE(list.ListCount(), last + 1);
        if (where == 1) {
            QCOMPARE(list.Cell(last, 0), std::string("3"));
            if (earlier == 0) QCOMPARE(list.Cell(last, 1), std::string("0"));
            QCOMPARE(QString::fromStdString(list.Cell(last, 2)), seq);
            QTableWidget* t = qobject_cast<QTableWidget*>(list.widget());
            QVERIFY(t->rowViewportPosition(last) >= 0);
            QVERIFY(t->rowViewportPosition(last) + t->rowHeight(last) <= t->viewport()->height());
        }
        if (where == 0) QCOMPARE(can.AniTrons(before), fw::Ref<aniTron>(virion));
    }
};

QTEST_MAIN(TestDrift)
#include "tst_drift.moc"
