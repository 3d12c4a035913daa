// The Divergence and Archipelago windows: a new window, the fast forward,
// virions carried between populations and the comparison panel's slots,
// island names as source labels. (The islands' breeding, in index order, is
// pinned by the checksum test.)
#include <QtTest>
#include <functional>

#include "engine/RAlea.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "support/HeldInput.h"
#include "support/TestApp.h"

namespace {

const QString kTooFew = "The number of generations for fast forward must be a positive integer.";
const QString kTooMany = "The maximum number of generations for fast forward is 500.";

QString text(const fw::Window& w, const char* name, int32_t i = -1) {
    return QString::fromStdString(w.Ctl<fw::StaticText>(name, i)->Text());
}

void fastForward(const fw::Window& w, const std::string& n) {
    w.Ctl<fw::EditField>("EditFieldFastFwd")->SetText(n);
    w.Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
}

// The centre of sprite k of a canvas (of the canvas for k = 0), in window
// coordinates.
template <class Can>
QPoint at(const Can& can, int32_t k = 0) {
    if (k == 0) return {can.Left() + can.Width() / 2, can.Top() + can.Height() / 2};
    const aniTron& t = fw::Deref(can.AniTrons(k));
    return {can.Left() + t.X + t.width / 2, can.Top() + t.Y + t.height / 2};
}

bool press(fw::Window& w, QPoint p) {
    bool taken = false;
    fw::Dispatch([&] { taken = w.Event_MouseDown(p.x(), p.y()); });
    return taken;
}

void carry(fw::Window& w, QPoint from, QPoint to) {
    QVERIFY(press(w, from));
    fw::Dispatch([&] { w.Event_MouseUp(to.x(), to.y()); });
}

// Virions in each population, then in each slot, then in the user's hand.
template <class W>
QList<int> counts(const W& w) {
    QList<int> n;
    for (int32_t i = 0; i < W::kPopulations; ++i) n << w.Population(i).AniTrons.UBound();
    for (int32_t i = 0; i < W::kSlots; ++i) n << w.Slot(i).AniTrons.UBound();
    return n << (w.DragTron ? 1 : 0);
}

QStringList gens(const fw::Window& w, int populations) {
    QStringList out;
    for (int32_t i = 0; i < populations; ++i) out << text(w, "GenCounter", i);
    return out;
}

// The comparison panel: both source labels, both list rows, the difference
// count.
QStringList panel(const fw::Window& w) {
    auto list = w.Ctl<fw::Listbox>("ListBoxSequence");
    return {text(w, "StaticTextSourcePop", 0), text(w, "StaticTextSourcePop", 1),
            QString::fromStdString(list->Cell(0, 0)), QString::fromStdString(list->Cell(1, 0)),
            text(w, "StaticTextNumDiffs")};
}

struct Request {
    QString entered, message, fieldAfter;
    int n;                  // generations run
    QString doubleClickIn;  // the window where Fast Fwd is double-clicked; none: pushed in Divergence
};

struct Carries {
    QStringList moves;
    QList<int> counts;
    QStringList gens, panel;
};

void setLetters(const driftCan& can, const QString& s) {
    auto a = fw::New<cArray>(static_cast<int32_t>(s.size()));
    for (int i = 0; i < s.size(); ++i) a->set(i + 1, s.mid(i, 1).toStdString());
    fw::Cast<virionTron>(can.AniTrons(1))->Sequence = a;
}

}  // namespace

class TestDiverge : public QObject {
    Q_OBJECT

    fw::Ref<class WindowDiverge> d;
    fw::Ref<class WindowArchipelago> a;
    QStringList messages;

private slots:
    void initTestCase() {
        StartApplicationForTest("tst_diverge", kApplicationOnly);
        fw::SetMsgBoxHook([this](const std::string& s) { messages << QString::fromStdString(s); });
    }
    void init() {
        Globals::StartUp();
        Globals::PopSize = 4;
        Globals::myRAlea->setSeed(4242.0);
        messages.clear();
        d = WindowDiverge();
        a = WindowArchipelago();
    }
    void cleanup() { CloseAllWindows(); }

    // A valid request of n generations runs n ticks, each breeding the first
    // population once; tick n + 1 ends the run. A double-click on Fast Fwd
    // asks once: its second click comes on the greyed button.
    void fastForwardRequest_data() {
        QTest::addColumn<Request>("r");
        QTest::newRow("500") << Request{"500", "", "500", 500, ""};
        QTest::newRow("500.4") << Request{"500.4", kTooMany, "500", 0, ""};
        QTest::newRow("0.9") << Request{"0.9", kTooFew, "1", 0, ""};
        QTest::newRow("2.4") << Request{"2.4", "", "2.4", 2, ""};
        QTest::newRow("2.5 rounds up") << Request{"2.5", "", "2.5", 3, ""};
        QTest::newRow("double-click, Divergence") << Request{"2", "", "2", 2, "Divergence"};
        QTest::newRow("double-click, Archipelago") << Request{"2", "", "2", 2, "Archipelago"};
    }
    void fastForwardRequest() {
        QFETCH(Request, r);
        const bool islands = r.doubleClickIn == "Archipelago";
        fw::Window& w = islands ? static_cast<fw::Window&>(*a) : *d;
        driftCan& first = islands ? a->Population(0) : d->Population(0);
        auto button = w.Ctl<fw::PushButton>("PushButtonFastFwd");
        auto timer = w.Ctl<fw::Timer>("TimerWait");
        if (r.doubleClickIn.isEmpty()) {
            fastForward(w, r.entered.toStdString());
        } else {
            w.Show();
            QVERIFY(QTest::qWaitForWindowExposed(w.widget()));
            w.Ctl<fw::EditField>("EditFieldFastFwd")->SetText(r.entered.toStdString());
            QTest::mouseClick(button->widget(), Qt::LeftButton);
        }
        AtFirstBlit second([&] {
            if (!r.doubleClickIn.isEmpty()) secondClickOfDouble(button->widget());
        });
        QCOMPARE(messages, r.message.isEmpty() ? QStringList() : QStringList(r.message));
        QCOMPARE(w.Ctl<fw::EditField>("EditFieldFastFwd")->Text(), r.fieldAfter.toStdString());
        QCOMPARE(text(w, "CountDown"), QString::number(r.n));
        QCOMPARE(timer->Mode(), r.n > 0 ? 2 : 0);
        QCOMPARE(button->Enabled(), r.n == 0);
        for (int k = 1; r.n > 0 && k <= r.n + 1; ++k) {
            const fw::Ref<aniTron> before = first.AniTrons(1);
            timer->Fire();
            if (!r.doubleClickIn.isEmpty()) fw::ProcessPendingEvents();
            QCOMPARE(first.AniTrons(1) != before, k <= r.n);
            QCOMPARE(gens(w, 2), QStringList({QString::number(std::min(k, r.n)), "0"}));
            QCOMPARE(button->Enabled(), k > r.n);
            QCOMPARE(timer->Mode(), k > r.n ? 0 : 2);
        }
        QCOMPARE(text(w, "CountDown"), QString("0"));
        QCOMPARE(second.sent, r.n > 0);
    }

    // A new Divergence window has only its left population full, every
    // counter at 0 and the panel empty. Then virions are carried with the
    // mouse, one move after another: from a population (pN; pN=LETTERS
    // first gives its virion those letters) or a slot (sN) to a population or
    // a slot, N times (*N), or pressed and released while a tick runs
    // (during a tick), to be carried once it is over; a tick breeds every
    // population once; a press at a point outside every population and slot
    // (@x,y) takes nothing. The panel shows each virion's source and letters
    // and compares the two rows position by position over the upper one.
    void carries_data() {
        QTest::addColumn<Carries>("c");
        const QStringList zero{"0", "0"}, none(5, "");
        QTest::newRow("presses outside")
            << Carries{{"@19,100", "@20,100", "@300,100", "@140,400", "@300,360", "@130,349"}, {4, 0, 0, 0, 0},
                       zero, none};
        QTest::newRow("a full slot's virion replaced")
            << Carries{{"p0>s0", "p0=ATGCA>s0", "p0=ATGCA>p1", "p1>s1"}, {1, 0, 1, 1, 0}, zero,
                       {"Left", "Right", "ATGCA", "ATGCA", "0"}};
        QTest::newRow("the last letter differs")
            << Carries{{"p0=ATGCA>s0", "p0=ATGCT>p1", "p1>s1"}, {2, 0, 1, 1, 0}, zero,
                       {"Left", "Right", "ATGCA", "ATGCT", "1"}};
        QTest::newRow("shorter upper row")
            << Carries{{"p0=ATG>s0", "p0=ATGCA>s1"}, {2, 0, 1, 1, 0}, zero, {"Left", "Left", "ATG", "ATGCA", "0"}};
        QTest::newRow("pulled out of a slot")
            << Carries{{"p0=ATG>s0", "p0=ATC>s1", "s0>p1"}, {2, 1, 0, 1, 0}, zero, {"", "Left", "", "ATC", ""}};
        QTest::newRow("from slot to slot")
            << Carries{{"p0=AT>s0", "p0>s1", "s0>s1"}, {2, 0, 0, 1, 0}, zero, {"", "", "", "AT", ""}};
        QTest::newRow("one of four carried away") << Carries{{"tick", "p0>p1*3"}, {1, 3, 0, 0, 0}, {"1", "0"}, none};
        QTest::newRow("the last carried away") << Carries{{"tick", "p0>p1*4"}, {0, 4, 0, 0, 0}, zero, none};
        QTest::newRow("a refilled population bred") << Carries{{"p0>p1", "tick"}, {4, 4, 0, 0, 0}, {"1", "1"}, none};
        QTest::newRow("carried during a tick")
            << Carries{{"p0>s0", "s0>p1 during a tick"}, {4, 1, 0, 0, 0}, {"1", "0"}, none};
    }
    void carries() {
        QFETCH(Carries, c);
        d->Show();
        QVERIFY(QTest::qWaitForWindowExposed(d->widget()));
        auto place = [&](const QString& p, int32_t k) {
            const int i = p.mid(1, 1).toInt();
            return p.startsWith('p') ? at(d->Population(i), k) : at(d->Slot(i), k);
        };
        auto tick = [&](std::function<void()> during) {
            fastForward(*d, "1");
            AtFirstBlit input(std::move(during));
            d->Ctl<fw::Timer>("TimerWait")->Fire();
            fw::ProcessPendingEvents();  // what was held goes out
            d->Ctl<fw::Timer>("TimerWait")->Fire();
        };
        for (const QString& move : c.moves) {
            const QString from = move.section('>', 0, 0), to = move.section('>', 1).left(2);
            if (move.startsWith('@')) {  // frames, borders, labels, the list, the panel's background
                QVERIFY(!press(*d, QPoint(move.mid(1).section(',', 0, 0).toInt(), move.section(',', 1).toInt())));
            } else if (move == "tick") {
                tick([] {});
            } else if (move.endsWith("during a tick")) {
                tick([&, p = place(from, 1), q = place(to, 0)] {
                    QTest::mousePress(d->contentWidget(), Qt::LeftButton, {}, p);
                    QTest::mouseRelease(d->contentWidget(), Qt::LeftButton, {}, q);
                });
            } else {
                for (int k = 0; k < qMax(1, move.section('*', 1).toInt()); ++k) {
                    if (from.contains('=')) setLetters(d->Population(from.mid(1, 1).toInt()), from.section('=', 1));
                    carry(*d, place(from, 1), place(to, 0));
                }
            }
        }
        QCOMPARE(counts(*d), c.counts);
        QCOMPARE(gens(*d, 2), c.gens);
        QCOMPARE(panel(*d), c.panel);
    }

    // A new Archipelago window has only its first island full, every counter
    // at 0, the panel and the names empty. A source label is the island's
    // name as it reads at the drop, shown as plain text; a virion moved
    // between slots leaves the labels as they were.
    void archipelago() {
        QCOMPARE(counts(*a), QList<int>({4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(gens(*a, 8), QStringList(8, "0"));
        QCOMPARE(panel(*a), QStringList(5, ""));
        for (int32_t i = 0; i < 8; ++i) QCOMPARE(a->Ctl<fw::EditField>("EditFieldPopName", i)->Text(), std::string());
        const QString name = "<b>Reef</b> & \"north\"\t\xc3\xa9";
        carry(*a, at(a->Population(0), 1), at(a->Population(3)));
        carry(*a, at(a->Population(0), 1), at(a->Population(3)));
        a->Ctl<fw::EditField>("EditFieldPopName", 3)->SetText(name.toStdString());
        carry(*a, at(a->Population(3), 1), at(a->Slot(1)));
        a->Ctl<fw::EditField>("EditFieldPopName", 3)->SetText("Renamed");
        carry(*a, at(a->Population(3), 1), at(a->Slot(0)));
        QCOMPARE(panel(*a).mid(0, 2), QStringList({"Renamed", name}));
        carry(*a, at(a->Slot(0), 1), at(a->Slot(1)));
        QCOMPARE(panel(*a).mid(0, 2), QStringList({"", name}));
        carry(*a, at(a->Population(0), 1), at(a->Slot(1)));  // from an unnamed island
        QCOMPARE(panel(*a).mid(0, 2), QStringList({"", ""}));
    }
};

QTEST_MAIN(TestDiverge)
#include "tst_diverge.moc"
