// The Drift window: fast forward, clear and plot, picking virions up and
// dropping them. (Seeded runs are pinned by the checksum test.)
#include <QtTest>

#include <QPainter>
#include <QTableWidget>
#include <functional>

#include "engine/RAlea.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/dropBox.h"
#include "engine/popupSpriteCan.h"
#include "engine/scatterCan.h"
#include "labs/common/VirionDrag.h"
#include "labs/drift/WindowDrift.h"
#include "support/HeldInput.h"
#include "support/TestApp.h"

namespace {

using Win = class WindowDrift;
QStringList messages;
const QString kTooFew = "The number of generations for fast forward must be a positive integer.";
const QString kTooMany = "The maximum number of generations for fast forward is 100.";

agingDrCan& canvasOf(Win& w) { return *w.Ctl<agingDrCan>("myAgingDrCan"); }
dropBox& listOf(Win& w) { return *w.Ctl<dropBox>("MyDropBox"); }
std::string gen(Win& w) { return w.Ctl<fw::StaticText>("GenCounter")->Text(); }
fw::PushButton& btn(Win& w, std::string n) { return *w.Ctl<fw::PushButton>("PushButton" + n); }
fw::Timer& timerOf(Win& w) { return *w.Ctl<WindowDrift::TheTimer>("TheTimer"); }
std::string field(Win& w) { return w.Ctl<fw::EditField>("EditFieldFastFwd")->Text(); }
// Paused, every button enabled.
bool idle(Win& w) {
    return timerOf(w).Mode() == 0 && btn(w, "Run").Caption() == "Run" && btn(w, "Run").Enabled() &&
           btn(w, "FastFwd").Enabled() && btn(w, "Plot").Enabled() && btn(w, "Clear").Enabled();
}
// Running, only Run enabled.
bool running(Win& w) {
    return timerOf(w).Mode() == 2 && btn(w, "Run").Caption() == "Pause" && btn(w, "Run").Enabled() &&
           !btn(w, "FastFwd").Enabled() && !btn(w, "Plot").Enabled() && !btn(w, "Clear").Enabled();
}

// Timer ticks, as while running, until `done`.
void tickUntil(Win& w, const std::function<bool()>& done) {
    timerOf(w).SetMode(2);
    while (!done()) timerOf(w).Fire();
    timerOf(w).SetMode(0);
}

void forward(Win& w, const std::string& count) {
    w.Ctl<fw::EditField>("EditFieldFastFwd")->SetText(count);
    btn(w, "FastFwd").Push();
    fw::ProcessPendingEvents();
}

// The picture of the canvas's sprites as they stand now, drawn afresh.
QImage pictureOf(agingDrCan& can) {
    auto p = fw::NewPicture(can.Width(), can.Height(), 32);
    for (int i = 1; i <= can.AniTrons.UBound(); ++i) {
        const aniTron& t = *can.AniTrons(i);
        p->Graphics().ForeColor = t.myColor;
        p->Graphics().FillOval(t.X, t.Y, t.width, t.height);
    }
    return p->image().convertToFormat(QImage::Format_RGB32);
}
QImage onScreen(agingDrCan& can) { return can.Snapshot().convertToFormat(QImage::Format_RGB32); }

struct Drop {
    int letters, lines;  // of the virion's sequence, of its card
    QPoint at;           // the release
    QString where;       // there: the canvas, the list, elsewhere; or no pick-up while running
    int earlier;         // rows dropped on the list before
};

struct FastForward {
    int popSize, ticksFirst;  // timer ticks before the fast forward
    QString count;
    // Keys held all along (Ctrl, period); Space: Space on Fast Fwd instead of
    // a click; during: at the first generation shown; after: once it is over.
    // click-, double- (its second click), dclick- (both clicks) and a button.
    QString input, message;
    int shown;             // generations shown
    bool running = false;  // at the end, rather than paused
    int letters = 20;
};

}  // namespace

class TestDrift : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        StartApplicationForTest("tst_drift", kApplicationOnly);
        fw::SetMsgBoxHook([](const std::string& t) { messages << QString::fromStdString(t); });
    }
    void init() {
        Globals::StartUp();
        Globals::PopSize = 10;
        Globals::SequenceLength = 20;
        Globals::myRAlea->setSeed(4242);
        messages.clear();
    }
    void cleanup() {
        fw::Keyboard::SetCommandKey(false);
        fw::Keyboard::SetKeyDown(47, false);
        CacheCan::SetBlitObserver(nullptr);
        CloseAllWindows();
    }

    // A count outside 1 to 100 is refused with a message and set to the
    // nearest bound; nothing runs. A fast forward, from any point of a
    // generation, shows each generation once, when it has grown up, as the
    // population then stands, and ends with the last one grown up (all
    // adults, about to reproduce), or with the first when Ctrl and the
    // period are both held at its end. Only Fast Fwd is greyed meanwhile: a
    // click on it (a double-click's second) or a second Space (it keeps the
    // focus) goes nowhere; a click on Run starts the run once it is over. A
    // second click after it is a press like any other. It ends with the
    // focus where it was.
    void fastForward_data() {
        QTest::addColumn<FastForward>("f");
        QTest::newRow("0.9") << FastForward{10, 0, "0.9", "", kTooFew, 0};
        QTest::newRow("too small for a Double") << FastForward{10, 0, "1E-400", "", kTooFew, 0};
        QTest::newRow("101") << FastForward{10, 0, "101", "", kTooMany, 0};
        QTest::newRow("100 and a half") << FastForward{10, 0, "100.5", "", kTooMany, 0};
        QTest::newRow("100, one virion") << FastForward{1, 0, "100", "", "", 100};
        QTest::newRow("defaults, started half grown") << FastForward{50, 130, "6", "", "", 6};
        QTest::newRow("one, started during the births") << FastForward{10, 5, "1", "", "", 1};
        QTest::newRow("Ctrl and period held") << FastForward{10, 0, "5", "Ctrl period", "", 1};
        QTest::newRow("Ctrl alone held") << FastForward{10, 0, "3", "Ctrl", "", 3};
        QTest::newRow("period alone held") << FastForward{10, 0, "3", "period", "", 3};
        QTest::newRow("double-click, 500 x 500") << FastForward{500, 0, "1", "during:double-FastFwd", "", 1, false, 500};
        QTest::newRow("second click once it is over") << FastForward{10, 0, "5", "after:double-FastFwd", "", 10};
        QTest::newRow("click on the greyed Fast Fwd") << FastForward{10, 0, "5", "during:click-FastFwd", "", 5};
        QTest::newRow("click on Run") << FastForward{10, 0, "5", "during:click-Run", "", 5, true};
        QTest::newRow("quick Run and Pause after it") << FastForward{10, 0, "1", "after:dclick-Run", "", 1};
        QTest::newRow("Space twice") << FastForward{10, 0, "5", "Space during:Space", "", 5};
    }
    void fastForward() {
        QFETCH(FastForward, f);
        Globals::PopSize = f.popSize;
        Globals::SequenceLength = f.letters;
        auto w = WindowDrift();
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QWindow* win = w->widget()->windowHandle();
        tickUntil(*w, [&, ticks = f.ticksFirst]() mutable { return ticks-- == 0; });
        const int start = std::stoi(gen(*w));
        fw::Keyboard::SetCommandKey(f.input.contains("Ctrl"));
        fw::Keyboard::SetKeyDown(47, f.input.contains("period"));
        auto send = [&](const QString& what) {
            if (what == "Space") return QTest::keyClick(win, Qt::Key_Space);
            if (what.isEmpty()) return;
            QWidget* b = btn(*w, what.section('-', 1).toStdString()).widget();
            if (what.startsWith("click")) QTest::mouseClick(b, Qt::LeftButton);
            if (what.startsWith("double")) secondClickOfDouble(b);
            if (what.startsWith("dclick")) doubleClick(b);
        };
        auto inputAt = [&](const QString& when) { return f.input.section(when, 1).section(' ', 0, 0); };
        std::vector<std::pair<std::string, bool>> log;  // the generations shown, each as it then stands
        CacheCan::SetBlitObserver([&](CacheCan& c) {
            if (&c != &canvasOf(*w) || btn(*w, "FastFwd").Enabled()) return;  // a repaint
            log.emplace_back(gen(*w), onScreen(canvasOf(*w)) == pictureOf(canvasOf(*w)));
            if (log.size() == 1) send(inputAt("during:"));  // as the user's input while the handler runs
        });
        w->Ctl<fw::EditField>("EditFieldFastFwd")->SetText(f.count.toStdString());
        const bool space = f.input.startsWith("Space");
        if (space) btn(*w, "FastFwd").widget()->setFocus();
        send(space ? "Space" : "click-FastFwd");
        fw::ProcessPendingEvents();
        send(inputAt("after:"));
        QCOMPARE(messages, f.message.isEmpty() ? QStringList() : QStringList(f.message));
        QCOMPARE(field(*w), (f.message == kTooFew ? "1" : f.message == kTooMany ? "100" : f.count).toStdString());
        QCOMPARE(int(log.size()), f.shown);
        for (int k = 0; k < f.shown; ++k) QCOMPARE(log[k], std::pair(std::to_string(start + k + 1), true));
        QCOMPARE(gen(*w), std::to_string(start + f.shown));
        QVERIFY(f.running ? running(*w) : idle(*w));
        QCOMPARE(w->FocusedControl(), w->FindControl(space ? "PushButtonFastFwd" : "MyDropBox"));
        const agingDrCan& c = canvasOf(*w);
        if (f.shown > 0)
            QCOMPARE(QList<int>({c.Lifestage == "reproducing", c.numBabies, c.numAdults, c.AniTrons.UBound()}),
                     QList<int>({1, 0, f.popSize, f.popSize}));
    }

    // A population that dies out ends the fast forward, its counter at 0.
    void fastForwardStopsAtExtinction() {
        Globals::PopSize = 1;
        auto w = WindowDrift();
        forward(*w, "2");
        tickUntil(*w, [&] { return canvasOf(*w).Lifestage == "dying"; });  // one adult and its baby
        while (canvasOf(*w).AniTrons.UBound() > 0) canvasOf(*w).doDetach(1);  // both taken away
        forward(*w, "10");
        QCOMPARE(gen(*w), std::string("0"));
        QVERIFY(canvasOf(*w).AniTrons.UBound() == 0 && idle(*w));
    }

    // The canvas's picture is its population as it stood at the last
    // UpdateCache, on the screen after BlitCache and in Cache, whatever has
    // moved since. A redraw during a pick-up makes it again from where the
    // sprites stand; a drawing into Cache goes over it; a ClearCache after
    // it leaves white.
    void pictureAsAtLastUpdate() {
        auto w = WindowDrift();
        agingDrCan& can = canvasOf(*w);
        forward(*w, "1");
        can.UpdateCache();
        QImage expected = pictureOf(can);
        can.AniTrons(1)->X += 40, can.AniTrons(2)->myColor = fw::RGB(10, 20, 30);
        QVERIFY(pictureOf(can) != expected);
        auto shows = [&](const QImage& picture) {
            can.BlitCache();
            return onScreen(can) == picture && can.Cache->image().convertToFormat(QImage::Format_RGB32) == picture;
        };
        QVERIFY(shows(expected));
        can.processingClick = true;
        can.redraw();
        can.processingClick = false;
        expected = pictureOf(can);
        fw::Deref(can.Cache).Graphics().ForeColor = fw::RGB(0, 0, 255);
        fw::Deref(can.Cache).Graphics().FillRect(0, 0, 30, 20);
        QPainter(&expected).fillRect(0, 0, 30, 20, QColor(0, 0, 255));
        QVERIFY(shows(expected));
        can.UpdateCache();
        can.ClearCache();
        expected.fill(Qt::white);
        QVERIFY(shows(expected));
    }

    // The axis labels show once something is plotted. Clear empties the
    // list but for its header and leaves the plot; Plot labels the axes and
    // shows the rows' dots only, those of an earlier plot gone from the
    // screen.
    void clearAndPlot_data() {
        QTest::addColumn<QStringList>("rows");  // generation:differences
        QTest::addColumn<QString>("labels");    // xMin xMax yMin yMax
        QTest::newRow("12, 40, 25") << QStringList{"12:0", "40:3", "25:1"} << "12 40 0 10";
        QTest::newRow("largest difference 10") << QStringList{"1:0", "2:10"} << "1 2 0 20";
        QTest::newRow("largest difference 20") << QStringList{"1:0", "2:20"} << "1 2 0 50";
        QTest::newRow("largest difference 49") << QStringList{"1:49", "2:0"} << "1 2 0 50";
        QTest::newRow("largest difference 50") << QStringList{"1:0", "2:50"} << "1 2 0 100";
        QTest::newRow("all above 1000") << QStringList{"1200:0", "1500:2"} << "1000 1500 0 10";
        QTest::newRow("no rows") << QStringList{} << "1000 0 0 10";
    }
    void clearAndPlot() {
        QFETCH(QStringList, rows);
        QFETCH(QString, labels);
        auto w = WindowDrift();
        dropBox& list = listOf(*w);
        scatterCan& plot = *w->Ctl<scatterCan>("MyScatterCan");
        auto add = [&](const QString& r) {
            list.AddRow(r.section(':', 0, 0).toStdString());
            list.SetCell(list.LastIndex(), 1, r.section(':', 1, 1).toStdString());
        };
        auto shown = [&] {
            QStringList out;
            for (const char* n : {"xMin", "xMax", "yMin", "yMax"}) {
                auto label = w->Ctl<fw::StaticText>(std::string("StaticText") + n);
                out << (label->Visible() ? QString::fromStdString(label->Text()) : "hidden");
            }
            return out.join(' ');
        };
        QCOMPARE(shown(), QString("hidden hidden hidden hidden"));
        add("500:7"), add("600:7");  // an earlier plot, its dot at the left in (2, 56, 8, 8)
        btn(*w, "Plot").Push();
        btn(*w, "Clear").Push();
        QVERIFY(list.ListCount() == 1 && shown() == "500 600 0 10");
        for (const QString& r : rows) add(r);
        btn(*w, "Plot").Push();
        QCOMPARE(shown(), labels);
        QCOMPARE(plot.Snapshot().pixelColor(6, 60), QColor(Qt::white));  // on the screen
    }

    // A virion picked up while paused shows the sprite (only its grey frame
    // and its dot) and its card: nine letters a line, tall enough for the
    // last. Dropped back on the canvas it stays; on the list it becomes a
    // row in view, below rows dropped before; anywhere else it is gone.
    // While the population runs, a press takes nothing.
    void pickUpAndDrop_data() {
        QTest::addColumn<Drop>("d");
        QTest::newRow("1 letter, on the canvas") << Drop{1, 1, {150, 100}, "canvas", 0};
        QTest::newRow("100 letters, on the list") << Drop{100, 12, {470, 100}, "list", 0};
        QTest::newRow("500 letters, on a button") << Drop{500, 56, {240, 225}, "elsewhere", 0};
        QTest::newRow("on a list fuller than it shows") << Drop{10, 2, {470, 100}, "list", 8};
        QTest::newRow("while running") << Drop{10, 2, {470, 100}, "running", 0};
    }
    void pickUpAndDrop() {
        QFETCH(Drop, d);
        Globals::SequenceLength = d.letters;
        auto w = WindowDrift();
        w->Show();
        forward(*w, "3");
        agingDrCan& can = canvasOf(*w);
        dropBox& list = listOf(*w);
        for (int k = 0; k < d.earlier; ++k) list.TronDrop(can.AniTrons(2), "3");
        auto sprite = w->Ctl<popupSpriteCan>("MyPopUpVirion");
        auto card = w->Ctl<popupSpriteCan>("myPopupVirionData");
        const int before = can.AniTrons.UBound();
        auto virion = fw::Cast<agingVTron>(can.AniTrons(1));
        if (d.where == "running") btn(*w, "Run").Push();
        w->SimulateMouseDown(can.Left() + virion->X + virion->width / 2, can.Top() + virion->Y + virion->height / 2);
        if (d.where == "running") {
            QVERIFY(!btn(*w, "FastFwd").Enabled() && !btn(*w, "Plot").Enabled() && !btn(*w, "Clear").Enabled());
            QVERIFY(!sprite->Visible() && !w->DragTron && can.AniTrons.UBound() == before);
            btn(*w, "Run").Push();
            QVERIFY(idle(*w));
            return;
        }
        QVERIFY(sprite->Visible() && card->Visible());
        QPalette red = w->contentWidget()->palette();  // what lies beneath shows in the corners
        red.setColor(QPalette::Window, Qt::red);
        w->contentWidget()->setPalette(red);
        const QImage picture = sprite->widget()->grab().toImage();
        QCOMPARE(picture.pixelColor(0, 0), QColor(150, 150, 150));
        QCOMPARE(picture.pixelColor(1, 1), QColor(Qt::red));
        QString text = QString::fromStdString(VirionDrag::SequenceCardText(virion->Sequence));
        QCOMPARE(text.split('\r').size(), d.lines);
        QCOMPARE(text.remove(' ').remove('\r').toStdString(), VirionDrag::SequenceString(virion->Sequence));
        QCOMPARE(QSize(card->Width(), card->Height()), QSize(124, card->Backdrop()->image().height()));
        // Room below the last line's baseline.
        QVERIFY(card->Height() >= 71 + (d.lines - 1) * card->Backdrop()->Graphics().TextHeight());
        w->SimulateMouseDrag(d.at.x(), d.at.y());
        w->SimulateMouseUp(d.at.x(), d.at.y());
        fw::ProcessPendingEvents();
        QVERIFY(!sprite->Visible() && !card->Visible() && !w->DragTron);
        QCOMPARE(can.AniTrons.UBound(), d.where == "canvas" ? before : before - 1);
        if (d.where == "canvas") QCOMPARE(can.AniTrons(before), fw::Ref<aniTron>(virion));
        const int last = d.earlier + (d.where == "list" ? 1 : 0);
        QCOMPARE(list.ListCount(), last + 1);
        if (d.where != "list") return;
        QCOMPARE(list.Cell(last, 0), std::string("3"));
        QTableWidget* t = qobject_cast<QTableWidget*>(list.widget());
        QVERIFY(t->rowViewportPosition(last) >= 0);
        QVERIFY(t->rowViewportPosition(last) + t->rowHeight(last) <= t->viewport()->height());
    }
};

QTEST_MAIN(TestDrift)
#include "tst_drift.moc"
