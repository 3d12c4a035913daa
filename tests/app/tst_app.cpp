// The application shell: start-up, the window accessors, the menu bar and its
// enabling, the menu handlers, the splash and About windows, the pictures, and
// the Reset dialog with its rebuilding of the laboratories.

#include <QTemporaryDir>
#include <QtTest>

#include "app/App.h"
#include "app/WindowAbout.h"
#include "app/WindowResetDrift.h"
#include "app/WindowSplash.h"
#include "engine/Globals.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

namespace {

// A laboratory is created hidden and lets Reset... be chosen; `item` is the
// application's menu item that shows the window.
struct Kind {
    const char* name;
    std::function<fw::Ref<fw::Window>()> get;
    std::function<bool(const fw::Ref<fw::Window>&)> is;
    bool lab;
    std::string item;
};
#define KIND(T, lab, item) \
    Kind{#T, [] { return fw::Ref<fw::Window>(T()); }, [](const auto& w) { return fw::IsA<class T>(w); }, lab, item}
const std::vector<Kind> kKinds = {
    KIND(WindowSplash, false, ""),
    KIND(WindowAbout, false, "AppleAboutMyApplication"),
    KIND(WindowResetDrift, false, ""),
    KIND(WindowDrift, true, "SimulationDrift"),
    KIND(WindowDiverge, true, "SimulationDivergence"),
    KIND(WindowTree, true, "SimulationTree"),
    KIND(WindowArchipelago, true, "SimulationArchipelago"),
};

// The open windows, front first, by class; hidden ones marked.
QStringList windows() {
    QStringList names;
    for (const auto& w : fw::OpenWindows())
        for (const auto& k : kKinds)
            if (k.is(w)) names << k.name + QString(w->Visible() ? "" : " (hidden)");
    return names;
}

QString globals() {
    return QString("%1 %2 %3").arg(Globals::PopSize).arg(Globals::SequenceLength).arg(Globals::EffectOnFitness.c_str());
}

// The Reset dialog's two fields, its pop-up's row, and whether it warns.
QString shown(const fw::Ref<class WindowResetDrift>& d) {
    return QString("%1 %2 %3").arg(d->Ctl<fw::EditField>("EditFieldPopSize")->Text().c_str(),
                                   d->Ctl<fw::EditField>("EditFieldSeqLen")->Text().c_str())
               .arg(d->Ctl<fw::PopupMenu>("PopupMenuMutEffects")->ListIndex()) +
           (d->Ctl<fw::StaticText>("StaticTextWarning")->Visible() ? " warning" : "");
}

void submit(const fw::Ref<class WindowResetDrift>& d, const QString& pop, const QString& seq) {
    d->Ctl<fw::EditField>("EditFieldPopSize")->SetText(pop.toStdString());
    d->Ctl<fw::EditField>("EditFieldSeqLen")->SetText(seq.toStdString());
    d->Ctl<fw::PushButton>("PushButtonOkay")->Push();
    fw::ProcessPendingEvents();
}

}  // namespace

class TestApp : public QObject {
    Q_OBJECT

    QStringList urls_;
    fw::Ref<class WindowAbout> about_;

    QString aboutStillOpen() const {
        bool gone = about_ && about_->IsClosed() && !about_->Visible();
        for (const auto& w : fw::OpenWindows()) gone = gone && !fw::IsA<class WindowAbout>(w);
        return gone ? "" : " (About still open)";
    }
    // Records the addresses asked for, and whether About was still open.
    void installShowURLHook() {
        fw::SetShowURLHook([this](const std::string& url) { urls_ << QString::fromStdString(url) + aboutStillOpen(); });
    }

private slots:
    void initTestCase() {
        StartApplicationForTest("tst_app");
        installShowURLHook();
    }
    void init() { CloseAllWindows(); }
    void cleanupTestCase() { init(); }

    void startUpShowsDriftAndSplashOnly() {
        fw::Dispatch([] { App()->Event_Open(); });
        QCOMPARE(windows(), QStringList({"WindowSplash", "WindowDrift"}));
    }

    // Each window: the accessor's rule; then brought to front (by its menu item,
    // which returns false, where it has one), and the enabling pass: About,
    // Quit and the Simulation items always, Reset... only with a laboratory in
    // front.
    void eachWindow_data() {
        QTest::addColumn<int>("k");
        for (int i = 0; i < int(kKinds.size()); ++i) QTest::newRow(kKinds[i].name) << i;
    }
    void eachWindow() {
        QFETCH(int, k);
        const Kind& kind = kKinds[k];
        fw::Ref<fw::Window> first = kind.get();
        QVERIFY(kind.is(first));
        QCOMPARE(first->Visible(), !kind.lab);
        QCOMPARE(kind.get(), first);
        first->Close();
        QVERIFY(kind.get() != first && !kind.get()->IsClosed());
        bool handled = false;
        if (kind.item.empty()) kind.get()->Show();
        else fw::Dispatch([&] { handled = fw::App_()->MenuHandler(kind.item)(); });
        QVERIFY(!handled);
        QCOMPARE(windows(), QStringList(kind.name));
        for (bool inFront : {true, false}) {  // then with no window
            if (!inFront) kind.get()->Close();
            fw::RunEnablingPass();
            for (const auto& other : kKinds)
                if (!other.item.empty()) QVERIFY2(Menu()->Find(other.item)->Enabled(), other.name);
            QVERIFY(Menu()->Find("FileQuit")->Enabled());
            QCOMPARE(FileReset()->Enabled(), inFront && kind.lab);
        }
    }

    // Both are drawn on white. The splash's timer goes with it; About is gone
    // before the browser is asked. Without a browser (none on the PATH) the
    // user gets the address in a message, and the terminal nothing.
    void closing_data() {
        QTest::addColumn<bool>("splash");
        QTest::addColumn<QString>("how");  // "timer", "click" or a push button
        QTest::addColumn<bool>("browser");
        QTest::addColumn<QStringList>("urls");
        const QString web = kVelloranWebAddress.c_str();
        QTest::newRow("splash: timer") << true << "timer" << true << QStringList();
        QTest::newRow("splash: click") << true << "click" << true << QStringList();
        QTest::newRow("About: OK") << false << "PushButtonClose" << true << QStringList();
        QTest::newRow("About: Go there") << false << "PushButtonGoThere" << true << QStringList{web};
        QTest::newRow("About: Go there, no browser")
            << false << "PushButtonGoThere" << false << QStringList{"message: " + web};
        QTest::newRow("About: click") << false << "click" << true << QStringList();
    }
    void closing() {
        QFETCH(bool, splash);
        QFETCH(QString, how);
        QFETCH(bool, browser);
        QFETCH(QStringList, urls);
        urls_.clear();
        fw::Ref<fw::Window> w = splash ? fw::Ref<fw::Window>(WindowSplash()) : (about_ = WindowAbout());
        std::weak_ptr<fw::Timer> timer = fw::As<fw::Timer>(w->FindControl("TimerClose"));
        QWidget* top = w->widget();
        QCOMPARE(top->grab().toImage().pixel(w->contentWidget()->mapTo(top, QPoint(2, 2))), qRgb(255, 255, 255));
        QTemporaryDir nothing;
        const QByteArray path = qgetenv("PATH");
        static QStringList terminal;
        terminal.clear();
        if (!browser) {
            fw::SetShowURLHook(nullptr);
            qputenv("PATH", nothing.path().toLocal8Bit());
            qunsetenv("BROWSER");
            qunsetenv("DEFAULT_BROWSER");
            fw::SetMsgBoxHook([this](const std::string& text) {
                const QString web = kVelloranWebAddress.c_str();
                urls_ << "message: " + (QString::fromStdString(text).contains(web) ? web : "without the address") +
                             aboutStillOpen();
            });
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { terminal << m; });
        }
        if (how == "timer") timer.lock()->Fire();
        else if (how != "click") w->Ctl<fw::PushButton>(how.toStdString())->Push();
        else {
            w->SimulateMouseDown(8, 8);
            w->SimulateMouseUp(8, 8);
        }
        fw::ProcessPendingEvents();
        if (!browser) {
            qInstallMessageHandler(nullptr);
            qputenv("PATH", path);
            fw::SetMsgBoxHook([](const std::string& text) { QFAIL(text.c_str()); });
            installShowURLHook();
        }
        QCOMPARE(terminal, QStringList());
        QVERIFY(w->IsClosed() && !w->Visible() && fw::OpenWindows().empty());
        QCOMPARE(urls_, urls);
        QCOMPARE(timer.expired(), !splash);
        w.reset();
        fw::ProcessPendingEvents();
        QVERIFY(timer.expired());  // nothing is left that could fire
    }

    void picturesReadOnce() {
        ReleasePictures();
        const int32_t before = fw::ResourceReadCount();
        QVERIFY(VLCover() && HepCVirion());
        QCOMPARE(QSize(VLCover()->Width(), VLCover()->Height()), QSize(158, 204));
        QCOMPARE(QSize(HepCVirion()->Width(), HepCVirion()->Height()), QSize(48, 48));
        QCOMPARE(fw::ResourceReadCount(), before + 2);
    }

    void resetOkay_data() {
        QTest::addColumn<QString>("pop");
        QTest::addColumn<QString>("seq");
        QTest::addColumn<int>("listIndex");
        QTest::addColumn<QString>("stored");  // empty when refused
        QTest::newRow("lowest values, beneficial") << "1" << "1" << 0 << "1 1 B";
        QTest::newRow("highest values, deleterious") << "500" << "500" << 2 << "500 500 D";
        QTest::newRow("whole number with a point") << "50.0" << "20" << 1 << "50 20 N";
        QTest::newRow("size fraction") << "2.5" << "100" << 0 << "";
        QTest::newRow("size zero") << "0" << "100" << 0 << "";
        QTest::newRow("size empty") << "" << "100" << 0 << "";
        QTest::newRow("length 501") << "60" << "501" << 0 << "";
        QTest::newRow("length letters") << "60" << "abc" << 0 << "";
    }
    void resetOkay() {
        QFETCH(QString, pop);
        QFETCH(QString, seq);
        QFETCH(int, listIndex);
        QFETCH(QString, stored);
        Globals::StartUp();
        const double mutRate = Globals::MutRatePerSeq;
        auto drift = WindowDrift();
        drift->Show();
        auto dialog = WindowResetDrift();
        dialog->Ctl<fw::PopupMenu>("PopupMenuMutEffects")->SetListIndex(listIndex);
        submit(dialog, pop, seq);
        QCOMPARE(globals(), stored.isEmpty() ? QString("50 100 N") : stored);
        QCOMPARE(Globals::MutRatePerSeq, mutRate);
        QCOMPARE(dialog->IsClosed(), !stored.isEmpty());
        QCOMPARE(drift->IsClosed(), !stored.isEmpty());
        if (stored.isEmpty()) {  // the entry stays, with the warning; corrected values then go through
            QCOMPARE(shown(dialog), QString("%1 %2 %3 warning").arg(pop, seq).arg(listIndex));
            submit(dialog, "30", "40");
            QVERIFY(dialog->IsClosed() && globals().startsWith("30 40 "));
            return;
        }
        // Every laboratory rebuilt or made: Drift shown again, in front, the others hidden.
        QCOMPARE(windows(), QStringList({"WindowDrift", "WindowDiverge (hidden)", "WindowTree (hidden)",
                                         "WindowArchipelago (hidden)"}));
        // Opened again, the dialog shows what was stored.
        QCOMPARE(shown(WindowResetDrift()), stored.section(' ', 0, 1) + ' ' + QString::number(listIndex));
    }

    // Drift and Tree shown at places of their own, Divergence hidden; twice, as
    // repeated resets must not move the windows.
    void rebuild() {
        const std::vector<std::function<fw::Ref<fw::Window>()>> labs = {kKinds[3].get, kKinds[4].get, kKinds[5].get};
        std::vector<fw::Ref<fw::Window>> cur = {labs[0](), labs[1](), labs[2]()};
        for (int i : {0, 2}) {
            cur[i]->Show();
            cur[i]->SetLeft(110 + 150 * i);
            cur[i]->SetTop(90 + 40 * i);
        }
        for (int round = 0; round < 2; ++round) {
            RebuildLaboratories(labs);
            QCOMPARE(windows(), QStringList({"WindowTree", "WindowDrift", "WindowDiverge (hidden)"}));  // in order
            QCOMPARE(labs[1](), cur[1]);
            for (int i : {0, 2}) {
                QVERIFY(labs[i]() != cur[i] && cur[i]->IsClosed());
                cur[i] = labs[i]();
                QCOMPARE(QPoint(cur[i]->Left(), cur[i]->Top()), QPoint(110 + 150 * i, 90 + 40 * i));
            }
        }
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
