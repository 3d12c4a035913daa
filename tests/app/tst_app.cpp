// The application shell: start-up, the window accessors, the menu bar and
// its enabling, the application's menu handlers, the splash and About
// windows, and the two pictures.

#include <QtTest>

#include <functional>
#include <map>
#include <string>
#include <vector>

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

namespace {

using Accessor = std::function<fw::Ref<fw::Window>()>;

template <class T>
Accessor accessorOf(fw::Ref<T> (*get)()) {
    return [get] { return fw::Ref<fw::Window>(get()); };
}

const std::map<QString, Accessor>& accessors() {
    static const std::map<QString, Accessor> table = {
        {"WindowSplash", accessorOf(&WindowSplash)},
        {"WindowAbout", accessorOf(&WindowAbout)},
        {"WindowResetDrift", accessorOf(&WindowResetDrift)},
        {"WindowDrift", accessorOf(&WindowDrift)},
        {"WindowDiverge", accessorOf(&WindowDiverge)},
        {"WindowTree", accessorOf(&WindowTree)},
        {"WindowArchipelago", accessorOf(&WindowArchipelago)},
    };
    return table;
}

// The class name of a window, as the accessor table knows it.
QString classOf(const fw::Ref<fw::Window>& w) {
    if (fw::IsA<class WindowSplash>(w)) return "WindowSplash";
    if (fw::IsA<class WindowAbout>(w)) return "WindowAbout";
    if (fw::IsA<class WindowResetDrift>(w)) return "WindowResetDrift";
    if (fw::IsA<class WindowDrift>(w)) return "WindowDrift";
    if (fw::IsA<class WindowDiverge>(w)) return "WindowDiverge";
    if (fw::IsA<class WindowTree>(w)) return "WindowTree";
    if (fw::IsA<class WindowArchipelago>(w)) return "WindowArchipelago";
    return "?";
}

void closeAllWindows() {
    for (const auto& w : fw::OpenWindows()) w->Close();
    fw::ProcessPendingEvents();
}

QString kindOf(const fw::Ref<fw::MenuItem>& item) {
    if (fw::IsA<fw::QuitMenuItem>(item)) return "Quit";
    if (fw::IsA<fw::AppleMenuItem>(item)) return "Apple";
    return "Item";
}

}  // namespace

class TestApp : public QObject {
    Q_OBJECT

    std::vector<std::string> urls_;
    std::vector<bool> aboutGoneAtURL_;
    fw::Ref<class WindowAbout> about_;

private slots:
    void initTestCase() {
        static int argc = 1;
        static char name[] = "tst_app";
        static char* argv[] = {name, nullptr};
        fw::RuntimeInit(argc, argv);
        NewAppInstance();
        ApplicationAddMenuHandlers();
        Globals::StartUp();
        fw::SetMsgBoxHook([](const std::string& text) { QFAIL(text.c_str()); });
        fw::SetShowURLHook([this](const std::string& url) {
            urls_.push_back(url);
            // The About window must already be gone when the browser is asked.
            bool gone = about_ && about_->IsClosed() && !about_->Visible();
            for (const auto& w : fw::OpenWindows()) gone = gone && !fw::IsA<class WindowAbout>(w);
            aboutGoneAtURL_.push_back(gone);
        });
    }

    void init() { closeAllWindows(); }
    void cleanupTestCase() { closeAllWindows(); }

    void startUpShowsDriftAndSplashOnly() {
        fw::Dispatch([] { App()->Event_Open(); });
        const auto open = fw::OpenWindows();
        QCOMPARE(int(open.size()), 2);
        QCOMPARE(classOf(open[0]), QString("WindowSplash"));
        QCOMPARE(classOf(open[1]), QString("WindowDrift"));
        QVERIFY(open[0]->Visible());
        QVERIFY(open[1]->Visible());
    }

    void accessorRule_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("createdVisible");
        QTest::newRow("splash") << "WindowSplash" << true;
        QTest::newRow("about") << "WindowAbout" << true;
        QTest::newRow("reset dialog") << "WindowResetDrift" << true;
        QTest::newRow("drift") << "WindowDrift" << false;
        QTest::newRow("divergence") << "WindowDiverge" << false;
        QTest::newRow("tree") << "WindowTree" << false;
        QTest::newRow("archipelago") << "WindowArchipelago" << false;
    }
    void accessorRule() {
        QFETCH(QString, window);
        QFETCH(bool, createdVisible);
        const Accessor& get = accessors().at(window);
        fw::Ref<fw::Window> first = get();
        QVERIFY(first);
        QCOMPARE(classOf(first), window);
        QCOMPARE(first->Visible(), createdVisible);
        QCOMPARE(get(), first);
        first->Close();
        fw::Ref<fw::Window> second = get();
        QVERIFY(second != first);
        QVERIFY(!second->IsClosed());
    }

    void menuBar_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("kind");
        // In the order the bar shows them: each title, then its items.
        int pos = 0;
        QTest::newRow("File") << pos++ << "" << "UntitledMenu3" << "File" << "" << "Item";
        QTest::newRow("Reset") << pos++ << "UntitledMenu3" << "FileReset" << "Reset..." << "" << "Item";
        QTest::newRow("Quit") << pos++ << "UntitledMenu3" << "FileQuit" << "Quit" << "Cmd+Q" << "Quit";
        QTest::newRow("Edit") << pos++ << "" << "UntitledMenu1" << "Edit" << "" << "Item";
        QTest::newRow("Undo") << pos++ << "UntitledMenu1" << "EditUndo" << "Undo" << "Cmd+Z" << "Item";
        QTest::newRow("separator") << pos++ << "UntitledMenu1" << "UntitledMenu2" << "-" << "" << "Item";
        QTest::newRow("Cut") << pos++ << "UntitledMenu1" << "EditCut" << "Cut" << "Cmd+X" << "Item";
        QTest::newRow("Copy") << pos++ << "UntitledMenu1" << "EditCopy" << "Copy" << "Cmd+C" << "Item";
        QTest::newRow("Paste") << pos++ << "UntitledMenu1" << "EditPaste" << "Paste" << "Cmd+V" << "Item";
        QTest::newRow("Clear") << pos++ << "UntitledMenu1" << "EditClear" << "Clear" << "" << "Item";
        QTest::newRow("Simulation") << pos++ << "" << "UntitledMenu0" << "Simulation" << "" << "Item";
        QTest::newRow("Drift") << pos++ << "UntitledMenu0" << "SimulationDrift" << "Drift" << "" << "Item";
        QTest::newRow("Divergence") << pos++ << "UntitledMenu0" << "SimulationDivergence" << "Divergence" << ""
                                    << "Item";
        QTest::newRow("Tree") << pos++ << "UntitledMenu0" << "SimulationTree" << "Tree" << "" << "Item";
        QTest::newRow("Archipelago") << pos++ << "UntitledMenu0" << "SimulationArchipelago" << "Archipelago"
                                     << "" << "Item";
        QTest::newRow("About") << pos++ << "UntitledMenu0" << "AppleAboutMyApplication"
                               << "About Velloran..." << "" << "Apple";
    }
    void menuBar() {
        QFETCH(int, position);
        QFETCH(QString, menu);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QFETCH(QString, kind);
        QCOMPARE(App()->MenuBar, fw::Ref<fw::MenuBar>(Menu()));
        // The bar flattened: each title (under "") followed by its items.
        std::vector<std::pair<QString, fw::Ref<fw::MenuItem>>> flat;
        for (const auto& title : Menu()->Children()) {
            flat.push_back({"", title});
            for (const auto& item : title->Children())
                flat.push_back({QString::fromStdString(title->Name), item});
        }
        QCOMPARE(int(flat.size()), 16);
        const auto& item = flat[position].second;
        QCOMPARE(flat[position].first, menu);
        QCOMPARE(QString::fromStdString(item->Name), name);
        QCOMPARE(QString::fromStdString(item->Text), text);
        QCOMPARE(QString::fromStdString(item->KeyboardShortcut), shortcut);
        QCOMPARE(kindOf(item), kind);
        QVERIFY(item->AutoEnable);
    }

    void enablingPass_data() {
        QTest::addColumn<QString>("front");
        QTest::addColumn<bool>("resetEnabled");
        QTest::newRow("no window") << "" << false;
        QTest::newRow("splash in front") << "WindowSplash" << false;
        QTest::newRow("About in front") << "WindowAbout" << false;
        QTest::newRow("Reset dialog in front") << "WindowResetDrift" << false;
        QTest::newRow("Drift in front") << "WindowDrift" << true;
        QTest::newRow("Divergence in front") << "WindowDiverge" << true;
        QTest::newRow("Tree in front") << "WindowTree" << true;
        QTest::newRow("Archipelago in front") << "WindowArchipelago" << true;
    }
    void enablingPass() {
        QFETCH(QString, front);
        QFETCH(bool, resetEnabled);
        if (!front.isEmpty()) accessors().at(front)()->Show();
        for (int pass = 0; pass < 2; ++pass) {
            fw::RunEnablingPass();
            QVERIFY(AppleAboutMyApplication()->Enabled());
            QVERIFY(SimulationDrift()->Enabled());
            QVERIFY(SimulationDivergence()->Enabled());
            QVERIFY(SimulationTree()->Enabled());
            QVERIFY(SimulationArchipelago()->Enabled());
            // Reset... belongs to a laboratory in front.
            QCOMPARE(FileReset()->Enabled(), resetEnabled);
        }
    }

    void menuHandlers_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("About") << "AppleAboutMyApplication" << "WindowAbout";
        QTest::newRow("Drift") << "SimulationDrift" << "WindowDrift";
        QTest::newRow("Divergence") << "SimulationDivergence" << "WindowDiverge";
        QTest::newRow("Archipelago") << "SimulationArchipelago" << "WindowArchipelago";
        QTest::newRow("Tree") << "SimulationTree" << "WindowTree";
    }
    void menuHandlers() {
        QFETCH(QString, item);
        QFETCH(QString, window);
        auto handler = fw::App_()->MenuHandler(item.toStdString());
        QVERIFY(handler);
        for (int choice = 0; choice < 2; ++choice) {
            bool result = true;
            fw::Dispatch([&] { result = handler(); });
            QCOMPARE(result, false);
            fw::Ref<fw::Window> front = fw::FrontWindow();
            QVERIFY(front);
            QCOMPARE(classOf(front), window);
            QVERIFY(front->Visible());
            // Choosing it again shows the same window, not a second one.
            int count = 0;
            for (const auto& w : fw::OpenWindows()) count += classOf(w) == window;
            QCOMPARE(count, 1);
        }
    }

    void splashCloses_data() {
        QTest::addColumn<bool>("byTimer");
        QTest::addColumn<QPoint>("click");
        QTest::newRow("timer fires") << true << QPoint();
        QTest::newRow("click on the background") << false << QPoint(8, 8);
        QTest::newRow("click on the cover") << false << QPoint(200, 120);
        QTest::newRow("click on the title") << false << QPoint(60, 250);
    }
    void splashCloses() {
        QFETCH(bool, byTimer);
        QFETCH(QPoint, click);
        fw::Ref<class WindowSplash> splash = WindowSplash();
        splash->Show();
        auto timer = splash->Ctl<fw::Timer>("TimerClose");
        std::weak_ptr<fw::Timer> weakTimer = timer;
        timer.reset();
        if (byTimer) {
            splash->Ctl<fw::Timer>("TimerClose")->Fire();
        } else {
            splash->SimulateMouseDown(click.x(), click.y());
            splash->SimulateMouseUp(click.x(), click.y());
        }
        fw::ProcessPendingEvents();
        QVERIFY(splash->IsClosed());
        QVERIFY(!splash->Visible());
        QVERIFY(fw::OpenWindows().empty());
        // The timer goes with the window: nothing is left that could fire.
        splash.reset();
        fw::ProcessPendingEvents();
        QVERIFY(weakTimer.expired());
    }

    void aboutCloses_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("opensAddress");
        QTest::newRow("OK") << "PushButtonClose" << false;
        QTest::newRow("Go there") << "PushButtonGoThere" << true;
        QTest::newRow("click on the background") << "8,8" << false;
        QTest::newRow("click on the blurb") << "100,400" << false;
    }
    void aboutCloses() {
        QFETCH(QString, how);
        QFETCH(bool, opensAddress);
        urls_.clear();
        aboutGoneAtURL_.clear();
        about_ = WindowAbout();
        about_->Show();
        if (how.startsWith("PushButton")) {
            about_->Ctl<fw::PushButton>(how.toStdString())->Push();
        } else {
            const QStringList xy = how.split(',');
            about_->SimulateMouseDown(xy[0].toInt(), xy[1].toInt());
            about_->SimulateMouseUp(xy[0].toInt(), xy[1].toInt());
        }
        fw::ProcessPendingEvents();
        QVERIFY(about_->IsClosed());
        QVERIFY(fw::OpenWindows().empty());
        if (opensAddress) {
            QCOMPARE(int(urls_.size()), 1);
            QCOMPARE(urls_[0], kVelloranWebAddress);
            QVERIFY(aboutGoneAtURL_[0]);
        } else {
            QVERIFY(urls_.empty());
        }
        about_.reset();
    }

    void picturesReadOnce_data() {
        QTest::addColumn<bool>("cover");
        QTest::addColumn<QSize>("size");
        QTest::newRow("cover 168") << true << QSize(158, 204);
        QTest::newRow("virion 170") << false << QSize(48, 48);
    }
    void picturesReadOnce() {
        QFETCH(bool, cover);
        QFETCH(QSize, size);
        auto get = cover ? &VLCover : &HepCVirion;
        ReleasePictures();
        const int32_t before = fw::ResourceReadCount();
        fw::Ref<fw::Picture> first = get();
        QVERIFY(first);
        QCOMPARE(QSize(first->Width(), first->Height()), size);
        QCOMPARE(get(), first);
        QCOMPARE(fw::ResourceReadCount(), before + 1);
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
