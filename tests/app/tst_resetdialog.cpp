// The Reset dialog: its fields as it opens, what Okay accepts and stores,
// and the rebuilding of the laboratory windows.

#include <QtTest>

#include <string>
#include <vector>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "engine/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"

namespace {

// Stand-in laboratories: hidden when created; each records its creation.
std::vector<std::string> creations;

template <char Tag>
class FakeLab : public fw::Window {
public:
    void Layout() override {
        SetSize(200, 150);
        SetVisible(false);
    }
    void Event_Open() override { creations.push_back(std::string(1, Tag)); }
};

template <char Tag>
fw::Ref<fw::Window> fakeLab() {
    return fw::ImplicitWindow<FakeLab<Tag>>();
}

// The open window of class T, or nil (without making one).
template <class T>
fw::Ref<fw::Window> existing() {
    for (const auto& w : fw::OpenWindows())
        if (fw::IsA<T>(w)) return w;
    return nullptr;
}

const std::vector<std::function<fw::Ref<fw::Window>()>> kFakes = {fakeLab<'A'>, fakeLab<'B'>,
                                                                   fakeLab<'C'>};
const std::vector<std::function<fw::Ref<fw::Window>()>> kExisting = {
    existing<FakeLab<'A'>>, existing<FakeLab<'B'>>, existing<FakeLab<'C'>>};

void closeAllWindows() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

void setGlobals(int32_t popSize, int32_t seqLen, const std::string& effect) {
    Globals::PopSize = popSize;
    Globals::SequenceLength = seqLen;
    Globals::EffectOnFitness = effect;
}

}  // namespace

class TestResetDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        static int argc = 1;
        static char name[] = "tst_resetdialog";
        static char* argv[] = {name, nullptr};
        fw::RuntimeInit(argc, argv);
        NewAppInstance();
        ApplicationAddMenuHandlers();
        Globals::StartUp();
        fw::SetMsgBoxHook([](const std::string& text) { QFAIL(text.c_str()); });
    }
    void init() {
        closeAllWindows();
        creations.clear();
    }
    void cleanupTestCase() { closeAllWindows(); }

    void opensWithTheGlobals_data() {
        QTest::addColumn<QString>("effect");
        QTest::addColumn<int>("listIndex");
        QTest::newRow("beneficial") << "B" << 0;
        QTest::newRow("neutral") << "N" << 1;
        QTest::newRow("deleterious") << "D" << 2;
        QTest::newRow("unknown code") << "X" << 1;
        QTest::newRow("empty code") << "" << 1;
    }
    void opensWithTheGlobals() {
        QFETCH(QString, effect);
        QFETCH(int, listIndex);
        setGlobals(7, 321, effect.toStdString());
        auto dialog = WindowResetDrift();
        QVERIFY(dialog->Visible());
        QCOMPARE(dialog->Ctl<fw::EditField>("EditFieldPopSize")->Text(), std::string("7"));
        QCOMPARE(dialog->Ctl<fw::EditField>("EditFieldSeqLen")->Text(), std::string("321"));
        QCOMPARE(dialog->Ctl<fw::PopupMenu>("PopupMenuMutEffects")->ListIndex(), listIndex);
        QVERIFY(!dialog->Ctl<fw::StaticText>("StaticTextWarning")->Visible());
    }

    void okay_data() {
        QTest::addColumn<QString>("popText");
        QTest::addColumn<QString>("seqText");
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("popSize");
        QTest::addColumn<int>("seqLen");
        QTest::addColumn<QString>("effect");
        QTest::newRow("lowest values, beneficial") << "1" << "1" << 0 << true << 1 << 1 << "B";
        QTest::newRow("highest values, deleterious") << "500" << "500" << 2 << true << 500 << 500 << "D";
        QTest::newRow("whole number with a point") << "50.0" << "20" << 1 << true << 50 << 20 << "N";
        QTest::newRow("size fraction") << "2.5" << "100" << 0 << false << 50 << 100 << "N";
        QTest::newRow("length fraction") << "50" << "2.5" << 0 << false << 50 << 100 << "N";
        QTest::newRow("size zero") << "0" << "100" << 0 << false << 50 << 100 << "N";
        QTest::newRow("size 501") << "501" << "100" << 0 << false << 50 << 100 << "N";
        QTest::newRow("length 501") << "60" << "501" << 0 << false << 50 << 100 << "N";
        QTest::newRow("length negative") << "60" << "-5" << 0 << false << 50 << 100 << "N";
        QTest::newRow("size empty") << "" << "100" << 0 << false << 50 << 100 << "N";
        QTest::newRow("length letters") << "60" << "abc" << 0 << false << 50 << 100 << "N";
        QTest::newRow("both wrong") << "0" << "abc" << 2 << false << 50 << 100 << "N";
    }
    void okay() {
        QFETCH(QString, popText);
        QFETCH(QString, seqText);
        QFETCH(int, listIndex);
        QFETCH(bool, accepted);
        QFETCH(int, popSize);
        QFETCH(int, seqLen);
        QFETCH(QString, effect);
        setGlobals(50, 100, "N");
        const double mutRate = Globals::MutRatePerSeq;
        auto dialog = WindowResetDrift();
        dialog->Ctl<fw::EditField>("EditFieldPopSize")->SetText(popText.toStdString());
        dialog->Ctl<fw::EditField>("EditFieldSeqLen")->SetText(seqText.toStdString());
        dialog->Ctl<fw::PopupMenu>("PopupMenuMutEffects")->SetListIndex(listIndex);
        dialog->Ctl<fw::PushButton>("PushButtonOkay")->Push();
        fw::ProcessPendingEvents();

        QCOMPARE(Globals::PopSize, popSize);
        QCOMPARE(Globals::SequenceLength, seqLen);
        QCOMPARE(QString::fromStdString(Globals::EffectOnFitness), effect);
        QCOMPARE(Globals::MutRatePerSeq, mutRate);
        QCOMPARE(dialog->IsClosed(), accepted);
        if (!accepted) {
            QVERIFY(dialog->Ctl<fw::StaticText>("StaticTextWarning")->Visible());
            QCOMPARE(dialog->Ctl<fw::EditField>("EditFieldPopSize")->Text(), popText.toStdString());
            QCOMPARE(dialog->Ctl<fw::EditField>("EditFieldSeqLen")->Text(), seqText.toStdString());
            // Corrected values then go through, the warning having stayed up.
            dialog->Ctl<fw::EditField>("EditFieldPopSize")->SetText("30");
            dialog->Ctl<fw::EditField>("EditFieldSeqLen")->SetText("40");
            QVERIFY(dialog->Ctl<fw::StaticText>("StaticTextWarning")->Visible());
            dialog->Ctl<fw::PushButton>("PushButtonOkay")->Push();
            fw::ProcessPendingEvents();
            QVERIFY(dialog->IsClosed());
            QCOMPARE(Globals::PopSize, 30);
            QCOMPARE(Globals::SequenceLength, 40);
        }
    }

    // "visible" is shown at a place of its own, "hidden" exists unshown,
    // "none" has no window yet.
    void rebuild_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("created");
        QTest::newRow("only the first visible") << QStringList{"visible", "none", "none"} << "ABC";
        QTest::newRow("only the last visible") << QStringList{"none", "none", "visible"} << "ABC";
        QTest::newRow("two visible, rebuilt in order")
            << QStringList{"visible", "hidden", "visible"} << "AC";
        QTest::newRow("hidden ones left alone") << QStringList{"hidden", "hidden", "hidden"} << "";
        QTest::newRow("no window yet") << QStringList{"none", "none", "none"} << "ABC";
    }
    void rebuild() {
        QFETCH(QStringList, before);
        QFETCH(QString, created);
        std::vector<fw::Ref<fw::Window>> old(3);
        for (int i = 0; i < 3; ++i) {
            if (before[i] == "none") continue;
            old[i] = kFakes[i]();
            if (before[i] == "visible") {
                old[i]->Show();
                old[i]->SetLeft(110 + 150 * i);
                old[i]->SetTop(90 + 40 * i);
            }
        }
        // Twice: repeated resets must not move the windows.
        for (int round = 0; round < 2; ++round) {
            creations.clear();
            std::vector<fw::Ref<fw::Window>> previous(3);
            for (int i = 0; i < 3; ++i) previous[i] = kExisting[i]();
            RebuildLaboratories(kFakes);
            std::string log;
            for (const auto& c : creations) log += c;
            if (round == 0) QCOMPARE(QString::fromStdString(log), created);
            for (int i = 0; i < 3; ++i) {
                fw::Ref<fw::Window> now = kExisting[i]();
                QVERIFY(now);
                if (before[i] == "visible") {
                    QVERIFY(now != previous[i]);
                    QVERIFY(previous[i]->IsClosed());
                    QVERIFY(now->Visible());
                    QCOMPARE(now->Left(), 110 + 150 * i);
                    QCOMPARE(now->Top(), 90 + 40 * i);
                } else {
                    QVERIFY(!now->Visible());
                    if (previous[i]) QCOMPARE(now, previous[i]);
                }
            }
        }
    }

    void okayRebuildsTheLaboratories() {
        setGlobals(50, 100, "N");
        auto drift = WindowDrift();
        drift->Show();
        drift->SetLeft(140);
        drift->SetTop(120);
        auto dialog = WindowResetDrift();
        dialog->Ctl<fw::EditField>("EditFieldPopSize")->SetText("25");
        dialog->Ctl<fw::PushButton>("PushButtonOkay")->Push();
        fw::ProcessPendingEvents();
        QVERIFY(dialog->IsClosed());
        QVERIFY(drift->IsClosed());
        auto newDrift = existing<class WindowDrift>();
        QVERIFY(newDrift && newDrift != drift);
        QVERIFY(newDrift->Visible());
        QCOMPARE(newDrift->Left(), 140);
        QCOMPARE(newDrift->Top(), 120);
        // The other laboratories now exist, hidden.
        for (auto lab : {existing<class WindowDiverge>(), existing<class WindowTree>(),
                         existing<class WindowArchipelago>()}) {
            QVERIFY(lab);
            QVERIFY(!lab->Visible());
        }
        QCOMPARE(fw::FrontWindow(), newDrift);
    }
};

QTEST_MAIN(TestResetDialog)
#include "tst_resetdialog.moc"
