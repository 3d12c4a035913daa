// The Divergence and Archipelago windows: a new window, the fast forward,
// virions carried to the comparison panel's slots, island names as source
// labels, and mouse input during a tick. (The islands' breeding, in index
// order, is pinned by the checksum test.)
#include <QMouseEvent>
#include <QtTest>

#include "engine/RAlea.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "support/HeldInput.h"
#include "support/TestApp.h"

namespace {

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

template <class W>
QStringList gens(const W& w) {
    QStringList out;
    for (int32_t i = 0; i < W::kPopulations; ++i) out << text(w, "GenCounter", i);
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

void setLetters(const driftCan& can, const std::string& s) {
    auto a = fw::New<cArray>(static_cast<int32_t>(s.size()));
    for (size_t i = 0; i < s.size(); ++i) a->set(static_cast<int32_t>(i + 1), std::string(1, s[i]));
    fw::Cast<virionTron>(can.AniTrons(1))->Sequence = a;
}

}  // namespace

class TestDiverge : public QObject {
    Q_OBJECT

    fw::Ref<class WindowDiverge> d;
    fw::Ref<class WindowArchipelago> a;
    std::vector<std::string> messages;

private slots:
    void initTestCase() {
        StartApplicationForTest("tst_diverge", kApplicationOnly);
        fw::SetMsgBoxHook([this](const std::string& s) { messages.push_back(s); });
    }
    void init() {
        Globals::StartUp();
        Globals::myRAlea->setSeed(4242.0);
        messages.clear();
        d = WindowDiverge();
        a = WindowArchipelago();
    }
    void cleanup() { CloseAllWindows(); }

    // Only the first population is full; every counter, slot, label, list
    // row and island name is empty or zero. A press outside every population
    // and slot (frames, borders, labels, the list, the panel's background,
    // the ring's centre) takes nothing and changes nothing.
    void newWindowsAndPressesOutside() {
        for (int pass = 0; pass < 2; ++pass) {
            const int n = Globals::PopSize;
            QCOMPARE(counts(*d), QList<int>({n, 0, 0, 0, 0}));
            QCOMPARE(counts(*a), QList<int>({n, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
            QCOMPARE(gens(*d), QStringList(2, "0"));
            QCOMPARE(gens(*a), QStringList(8, "0"));
            QCOMPARE(panel(*d), QStringList(5, ""));
            QCOMPARE(panel(*a), QStringList(5, ""));
            for (QPoint p : {QPoint(19, 100), QPoint(20, 100), QPoint(300, 100), QPoint(140, 400),
                             QPoint(300, 360), QPoint(130, 349)})
                QVERIFY(!press(*d, p));
            for (QPoint p : {QPoint(38, 100), QPoint(138, 100), QPoint(80, 62), QPoint(80, 50),
                             QPoint(50, 178), QPoint(290, 200)})
                QVERIFY(!press(*a, p));
        }
        for (int32_t i = 0; i < 8; ++i)
            QCOMPARE(a->Ctl<fw::EditField>("EditFieldPopName", i)->Text(), std::string());
    }

    // A valid request of n generations runs n ticks, each breeding the left
    // population once; tick n + 1 ends the run.
    void fastForwardRequest_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<int>("message");  // 0 none, 1 too few, 2 too many
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<int>("n");
        QTest::newRow("500") << "500" << 0 << "500" << 500;
        QTest::newRow("500.4") << "500.4" << 2 << "500" << 0;
        QTest::newRow("501") << "501" << 2 << "500" << 0;
        QTest::newRow("0.9") << "0.9" << 1 << "1" << 0;
        QTest::newRow("empty") << "" << 1 << "1" << 0;
        QTest::newRow("abc") << "abc" << 1 << "1" << 0;
        QTest::newRow("2.4") << "2.4" << 0 << "2.4" << 2;
        QTest::newRow("2.5 rounds up") << "2.5" << 0 << "2.5" << 3;
    }
    void fastForwardRequest() {
        QFETCH(QString, entered);
        QFETCH(int, message);
        QFETCH(QString, fieldAfter);
        QFETCH(int, n);
        fastForward(*d, entered.toStdString());
        const std::vector<std::string> expected[] = {
            {},
            {"The number of generations for fast forward must be a positive integer."},
            {"The maximum number of generations for fast forward is 500."}};
        QCOMPARE(messages, expected[message]);
        QCOMPARE(d->Ctl<fw::EditField>("EditFieldFastFwd")->Text(), fieldAfter.toStdString());
        QCOMPARE(text(*d, "CountDown"), QString::number(n));
        auto button = d->Ctl<fw::PushButton>("PushButtonFastFwd");
        auto timer = d->Ctl<fw::Timer>("TimerWait");
        QCOMPARE(timer->Mode(), message == 0 ? 2 : 0);
        QCOMPARE(button->Enabled(), message != 0);
        for (int k = 1; message == 0 && k <= n + 1; ++k) {
            const fw::Ref<aniTron> before = d->Population(0).AniTrons(1);
            timer->Fire();
            QCOMPARE(d->Population(0).AniTrons(1) != before, k <= n);
            QCOMPARE(gens(*d), QStringList({QString::number(std::min(k, n)), "0"}));
            QCOMPARE(button->Enabled(), k > n);
            QCOMPARE(timer->Mode(), k > n ? 0 : 2);
        }
        QCOMPARE(text(*d, "CountDown"), QString("0"));
    }

    // A double-click on Fast Fwd asks for the count once: its second click
    // comes on the greyed button while the first request's ticks run.
    void doubleClickOnFastFwd_data() {
        QTest::addColumn<bool>("archipelago");
        QTest::newRow("Divergence") << false;
        QTest::newRow("Archipelago") << true;
    }
    void doubleClickOnFastFwd() {
        QFETCH(bool, archipelago);
        fw::Window& w = archipelago ? static_cast<fw::Window&>(*a) : *d;
        w.Show();
        QVERIFY(QTest::qWaitForWindowExposed(w.widget()));
        auto button = w.Ctl<fw::PushButton>("PushButtonFastFwd");
        auto timer = w.Ctl<fw::Timer>("TimerWait");
        w.Ctl<fw::EditField>("EditFieldFastFwd")->SetText("2");
        QTest::mouseClick(button->widget(), Qt::LeftButton);
        AtFirstBlit second([&] { secondClickOfDouble(button->widget()); });
        for (int k = 0; k < 10 && timer->Mode() != 0; ++k) {
            timer->Fire();
            fw::ProcessPendingEvents();
        }
        QVERIFY(second.sent);
        const QStringList counters = archipelago ? gens(*a) : gens(*d);
        QCOMPARE(counters.first(), QString("2"));
        QCOMPARE(timer->Mode(), 0);
        QVERIFY(button->Enabled());
    }

    // A drop on a full slot replaces its virion; the panel shows each
    // virion's source and letters, and compares the two rows position by
    // position.
    void slotsAndDifferenceCount_data() {
        QTest::addColumn<QString>("upper");
        QTest::addColumn<QString>("lower");
        QTest::addColumn<QString>("count");
        QTest::newRow("equal") << "ATGCA" << "ATGCA" << "0";
        QTest::newRow("one difference") << "ATGCA" << "ATCCA" << "1";
        QTest::newRow("shorter first row") << "ATG" << "ATGCA" << "0";
    }
    void slotsAndDifferenceCount() {
        QFETCH(QString, upper);
        QFETCH(QString, lower);
        QFETCH(QString, count);
        driftCan& left = d->Population(0);
        carry(*d, at(left, 1), at(d->Slot(0)));  // replaced below
        setLetters(left, upper.toStdString());
        carry(*d, at(left, 1), at(d->Slot(0)));
        QCOMPARE(panel(*d), QStringList({"Left", "", upper, "", ""}));
        setLetters(left, lower.toStdString());  // shown from the right population
        carry(*d, at(left, 1), at(d->Population(1)));
        carry(*d, at(d->Population(1), 1), at(d->Slot(1)));
        QCOMPARE(counts(*d), QList<int>({Globals::PopSize - 3, 0, 1, 1, 0}));
        QCOMPARE(panel(*d), QStringList({"Left", "Right", upper, lower, count}));
    }

    // The label is the island's name as it reads at the drop, shown as plain
    // text; a virion moved between slots leaves the labels as they were.
    void sourceLabelIsTheIslandName() {
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

    // A press and a release posted before a tick are taken in by its yields
    // and held until it is over: the virion they carry from slot 0 to
    // island 5 is neither lost nor bred on the way.
    void inputDuringTick() {
        carry(*a, at(a->Population(0), 1), at(a->Slot(0)));
        const fw::Ref<aniTron> carried = a->Slot(0).AniTrons(1);
        a->Show();
        fastForward(*a, "1");
        QWidget* content = a->contentWidget();
        auto post = [&](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
            QCoreApplication::postEvent(
                content, new QMouseEvent(type, QPointF(p), content->mapToGlobal(QPointF(p)),
                                         Qt::LeftButton, buttons, Qt::NoModifier));
        };
        post(QEvent::MouseButtonPress, at(a->Slot(0)), Qt::LeftButton);
        post(QEvent::MouseButtonRelease, at(a->Population(5)), Qt::NoButton);
        fw::ExpireYieldInterval();
        a->Ctl<fw::Timer>("TimerWait")->Fire();
        QCOMPARE(a->Population(5).AniTrons.UBound(), 0);
        fw::ProcessPendingEvents();
        QCOMPARE(counts(*a), QList<int>({Globals::PopSize, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
        QCOMPARE(a->Population(5).AniTrons(1), carried);
        QCOMPARE(gens(*a), QStringList({"1", "0", "0", "0", "0", "0", "0", "0"}));
    }
};

QTEST_MAIN(TestDiverge)
#include "tst_diverge.moc"
