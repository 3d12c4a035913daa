// Windows, controls and menus of the window layer, and the yield guarantee:
// while a handler yields, input for the program's windows waits and arrives
// afterwards in order, timer ticks are owed until it has returned, a closed
// window lives on until then.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QThread>
#include <QtTest>

#include "framework/core/Yield.h"
#include "support/TestApp.h"

using namespace fw;

namespace {

QStringList events;

class LoggingList : public Listbox {
public:
    void Event_EnableMenuItems() override { events << "enable list"; }
};

class TestWindow : public Window {
public:
    bool grab = false;
    Ref<PushButton> button;
    Ref<EditField> field;
    Ref<Timer> timer;
    void Layout() override {
        SetSize(300, 200);
        SetVisible(true);
    }
    void CreateControls() override {
        AddControl<Rectangle>("Rectangle1")->SetBounds(5, 5, 100, 60);
        AddControl<Canvas>("Canvas")->SetBounds(60, 10, 40, 40);
        AddControl<StaticText>("Label")->SetBounds(10, 70, 80, 20);
        button = AddControl<PushButton>("Button");
        button->SetBounds(10, 100, 80, 24);
        button->Action.Bind([] { events << "button"; });
        field = AddControl<EditField>("Field");
        field->SetBounds(10, 140, 80, 22);
        timer = AddControl<Timer>("Timer1");
        timer->SetPeriod(1000000);
        timer->Action.Bind([] { events << "tick"; });
        AddControl<Line>("Line1")->SetPoints(150, 20, 250, 20);
        auto list = AddControl<LoggingList>("List");
        list->SetBounds(150, 100, 140, 90);
        list->AddMenuHandler("EditCopy", [] { events << "list copy"; return false; });
    }
    void AddMenuHandlers() override {
        AddMenuHandler("EditCopy", [] { events << "window copy"; return false; });
    }
    bool Event_MouseDown(int32_t x, int32_t y) override {
        events << QStringLiteral("down %1,%2").arg(x).arg(y);
        return grab;
    }
    void Event_MouseDrag(int32_t x, int32_t y) override { events << QStringLiteral("drag %1,%2").arg(x).arg(y); }
    void Event_MouseUp(int32_t x, int32_t y) override { events << QStringLiteral("up %1,%2").arg(x).arg(y); }
    void Event_EnableMenuItems() override { events << "enable window"; }
};

// A window of the frame kind asked for, shown as it is built.
class FramedWindow : public Window {
public:
    static inline int32_t frame = 0;
    void Layout() override {
        SetFrame(frame);
        SetSize(200, 100);
        SetVisible(true);
    }
};

Ref<Window> framedWindow(int32_t frame) {
    FramedWindow::frame = frame;
    auto w = New<FramedWindow>();
    w->Construct();
    return w;
}

class TestApp : public Application {
public:
    void Event_Open() override { events << "open"; }
    void Event_EnableMenuItems() override {
        events << "enable app";
        MenuBar->Find("EditCopy")->Enable();
    }
};

Ref<TestWindow> shownWindow() {
    auto w = ImplicitWindow<TestWindow>();
    if (!QTest::qWaitForWindowExposed(w->widget())) qWarning("window not exposed");
    events.clear();
    return w;
}

// Lets the event loop run now, as a yield that found its interval over.
void yieldNow() {
    ExpireYieldInterval();
    Yield();
}

}  // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        auto app = New<TestApp>();
        app->MenuBar = New<MenuBar>();
        auto item = [](const Ref<MenuItem>& parent, const char* name, Ref<MenuItem> m = New<MenuItem>()) {
            m->Name = m->Text = name;
            parent->Append(m);
            return m;
        };
        auto edit = item(app->MenuBar, "Edit");
        item(edit, "EditUndo");
        item(edit, "EditCopy");
        auto redo = item(edit, "EditRedo");  // left on by the enabling pass, with a shortcut
        redo->KeyboardShortcut = "Cmd+Y";
        redo->AutoEnable = false;
        item(item(app->MenuBar, "File"), "FileQuit", New<QuitMenuItem>());
        item(item(app->MenuBar, "Window"), "WindowZoom");  // nobody enables it
        app->AddMenuHandler("EditRedo", [] { events << "app redo"; return false; });
        app->AddMenuHandler("EditUndo", [] { events << "app undo"; return false; });
        RegisterApp(app);
    }
    void init() { events.clear(); }
    void cleanup() {
        SetMsgBoxHook(nullptr);
        if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
        CloseAllWindows();
    }

    // Document windows show the menu bar, dialogs none; the items' shortcuts
    // work in them all. Alt and a title's first letter open its menu, the
    // arrows and Return choose from it.
    void menusFromTheKeyboard_data() {
        QTest::addColumn<int>("frame");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("menu");  // left open
        QTest::newRow("document window, shortcut") << 0 << "Ctrl+Y" << "";
        QTest::newRow("movable modal dialog, shortcut") << 1 << "Ctrl+Y" << "";
        QTest::newRow("dialog without title bar, shortcut") << 2 << "Ctrl+Y" << "";
        QTest::newRow("Alt+E") << 0 << "Alt+E" << "Edit";
        QTest::newRow("Alt+E, Down, Return") << 0 << "Alt+E, Down, Return" << "";
    }
    void menusFromTheKeyboard() {
        QFETCH(int, frame);
        QFETCH(QString, keys);
        QFETCH(QString, menu);
        auto w = framedWindow(frame);
        QVERIFY(QTest::qWaitForWindowActive(w->widget()));
        QCOMPARE(w->widget()->findChild<QMenuBar*>()->isVisible(), frame == 0);
        QTest::keySequence(w->widget()->windowHandle(), QKeySequence(keys));
        ProcessPendingEvents();
        QWidget* popup = QApplication::activePopupWidget();
        QCOMPARE(popup ? popup->objectName() : QString(), menu);
        QCOMPARE(events.filter("redo"), menu.isEmpty() ? QStringList{"app redo"} : QStringList());
    }

    // Presses through the window system reach the window, in its coordinates,
    // through the controls that leave the mouse to it; the drag and the
    // release follow only when MouseDown answered true. A click on a button
    // leaves the focus where it was (a list keeps its selection's Copy).
    void mouseRouting_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("grab");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("canvas") << QPoint(65, 30) << false << QStringList{"down 65,30"};
        QTest::newRow("rectangle") << QPoint(8, 62) << false << QStringList{"down 8,62"};
        QTest::newRow("label") << QPoint(20, 75) << false << QStringList{"down 20,75"};
        QTest::newRow("line") << QPoint(200, 20) << false << QStringList{"down 200,20"};
        QTest::newRow("button") << QPoint(20, 110) << false << QStringList{"button"};
        QTest::newRow("drag after true") << QPoint(65, 30) << true
                                         << QStringList{"down 65,30", "drag 80,35", "drag 400,-5", "up 400,-5"};
    }
    void mouseRouting() {
        QFETCH(QPoint, at);
        QFETCH(bool, grab);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        w->grab = grab;
        QWindow* win = w->widget()->windowHandle();
        auto in = [&](QPoint p) { return w->contentWidget()->mapTo(w->widget(), p); };
        QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, in(at));
        if (grab) {
            QTest::mouseMove(win, in(QPoint(80, 35)));
            QTest::mouseMove(win, in(QPoint(400, -5)));
        }
        QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, in(grab ? QPoint(400, -5) : at));
        w->SimulateMouseDrag(1, 1);  // no press any more: nothing
        QCOMPARE(events, expected);
        QCOMPARE(w->FocusedControl(), Ref<Control>(w->field));
    }

    // A static text shows its text as it is, a CR as a line break; a list's
    // ListIndex is its first selected row, SelCount counts across gaps.
    void textAndSelection() {
        auto w = ImplicitWindow<TestWindow>();
        auto t = w->Ctl<StaticText>("Label");
        t->SetText("<b>x</b>\r&amp;");
        QCOMPARE(qobject_cast<QLabel*>(t->widget())->text(), QStringLiteral("<b>x</b>\n&amp;"));
        QCOMPARE(qobject_cast<QLabel*>(t->widget())->textFormat(), Qt::PlainText);
        auto list = w->Ctl<Listbox>("List");
        list->SetSelectionType(1);
        for (int i = 0; i < 5; ++i) list->AddRow("row");
        list->SetSelected(3, true);
        list->SetSelected(1, true);
        QCOMPARE(list->ListIndex(), 1);
        QCOMPARE(list->SelCount(), 2);
    }

    // The front window is the visible one shown or activated last: the menus
    // and the message boxes go by it.
    void frontWindow_data() {
        QTest::addColumn<QString>("step");  // once A, then B, are shown
        QTest::addColumn<QString>("front");
        QTest::newRow("last shown") << "" << "B";
        QTest::newRow("front one hidden") << "hide B" << "A";
        QTest::newRow("front one closed") << "close B" << "A";
        QTest::newRow("other shown again") << "show A" << "A";
        QTest::newRow("other activated") << "activate A" << "A";
        QTest::newRow("both hidden") << "hide both" << "";
    }
    void frontWindow() {
        QFETCH(QString, step);
        QFETCH(QString, front);
        QMap<QString, Ref<Window>> w{{"A", framedWindow(0)}, {"B", framedWindow(0)}};
        QVERIFY(QTest::qWaitForWindowActive(w["B"]->widget()));
        if (step.startsWith("hide")) w["B"]->SetVisible(false);
        if (step == "hide both") w["A"]->SetVisible(false);
        if (step == "close B") w["B"]->Close();
        if (step == "show A") w["A"]->Show();
        if (step == "activate A") {
            w["A"]->widget()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w["A"]->widget()));
        }
        QCOMPARE(FrontWindow(), w.value(front));
    }

    // The enabling pass asks the application, the front window, its focused
    // control, in that order; Quit is always on, a title on while one of its
    // items is. A disabled item does not act, an enabled one goes to the
    // focused control's handler first.
    void enablingPass() {
        auto w = shownWindow();
        auto list = w->Ctl<Listbox>("List");
        list->widget()->setFocus();
        auto* undo = w->widget()->findChild<QAction*>("EditUndo");
        undo->setEnabled(true);  // as a window built before any pass has it
        RunEnablingPass();
        QCOMPARE(events, (QStringList{"enable app", "enable window", "enable list"}));
        QVERIFY(App_()->MenuBar->Find("EditCopy")->Enabled() && App_()->MenuBar->Find("FileQuit")->Enabled());
        QVERIFY(App_()->MenuBar->Find("Edit")->Enabled() && !App_()->MenuBar->Find("Window")->Enabled());
        QVERIFY(!undo->isEnabled());
        bool undone = true, copied = false;
        Dispatch([&] {
            undone = ChooseMenuItem("EditUndo");
            copied = ChooseMenuItem("EditCopy");
        });
        QVERIFY(!undone && copied);
        QVERIFY(!events.contains("app undo"));
        QCOMPARE(events.last(), QStringLiteral("list copy"));
    }

    // Input for the program's windows waits while a handler runs and goes out
    // in order once it has returned, also when an error ended the handler (a
    // message box tells it). Input is judged as it arrives and never lands on
    // a control the user did not click. A click on a greyed button is
    // nothing, as with no handler running, even when the button is enabled
    // again before it would be replayed; keys for a greyed button that kept
    // the focus go nowhere, and it has the focus again once enabled. Once a
    // held click has opened a menu, the clicks and keys held after it are
    // dropped, and the menu waits. The keyboard's state is read at once.
    void heldInputJudgedOnArrival_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("presses and a click") << "presses, click";
        QTest::newRow("presses and a click, then an error") << "presses, click, error";
        QTest::newRow("click on a greyed button") << "greyed click";
        QTest::newRow("Return for the greyed default button") << "greyed Return";
        QTest::newRow("click after a held click opened a menu") << "menu click";
        QTest::newRow("key after a held click opened a menu") << "menu key";
        QTest::newRow("keys, their state read at once") << "keys";
    }
    void heldInputJudgedOnArrival() {
        QFETCH(QString, input);
        auto w = shownWindow();
        QWindow* win = w->widget()->windowHandle();
        auto* bar = w->widget()->findChild<QMenuBar*>();
        w->button->SetDefault(true);
        if (input.startsWith("greyed")) w->button->widget()->setFocus(Qt::TabFocusReason);
        QWidget* field = w->field->widget();
        QStringList during{"?"}, shown;
        SetMsgBoxHook([&](const std::string& s) { shown << QString::fromStdString(s); });
        bool keysRead = false;
        Dispatch([&] {
            if (input == "keys") {
                QTest::keyPress(field, Qt::Key_Control);
                QTest::keyPress(field, Qt::Key_Period, Qt::ControlModifier);
                yieldNow();
                keysRead = Keyboard::AsyncCommandKey() && Keyboard::AsyncKeyDown(47);
                QTest::keyRelease(field, Qt::Key_Period, Qt::ControlModifier);
                QTest::keyRelease(field, Qt::Key_Control);
                keysRead = keysRead && !Keyboard::AsyncCommandKey() && !Keyboard::AsyncKeyDown(47);
                QTest::keyClick(field, Qt::Key_7);
            }
            if (input.startsWith("presses")) w->SimulateMouseDown(1, 2);
            if (input.startsWith("greyed")) w->button->SetEnabled(false);
            if (input.startsWith("menu"))
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().first()).center());
            if (input.contains("click")) QTest::mouseClick(w->button->widget(), Qt::LeftButton);
            if (input.endsWith("Return")) QTest::keyClick(win, Qt::Key_Return);
            if (input.endsWith("key")) QTest::keyClick(win, Qt::Key_7);
            if (input.startsWith("presses")) w->SimulateMouseDown(3, 4);
            yieldNow();
            during = QStringList(events) << QString::fromStdString(w->field->Text());
            if (input.endsWith("error")) throw std::runtime_error("broken");
            w->button->SetEnabled(true);
        });
        QCOMPARE(during, QStringList{""});
        QCOMPARE(keysRead, input == "keys");
        ProcessPendingEvents();
        QCOMPARE(shown.join(""), input.endsWith("error") ? "An internal error stopped this action: broken" : "");
        const QStringList replayed =
            input.startsWith("presses") ? QStringList{"down 1,2", "button", "down 3,4"} : QStringList();
        QCOMPARE(events.filter(QRegularExpression("^(?!enable)")), replayed);  // the menu's enabling pass aside
        QCOMPARE(w->field->Text(), std::string(input == "keys" ? "7" : ""));
        QCOMPARE(QApplication::activePopupWidget() != nullptr, input.startsWith("menu"));
        if (input.startsWith("greyed")) QCOMPARE(w->FocusedControl(), Ref<Control>(w->button));
    }

    // A tick that falls due inside a handler never enters it. A repeating one
    // is owed: it follows once the outermost handler has returned, after the
    // input that waited, and only once however often it fell due; switched
    // off or closed meanwhile, it is not wanted any more. A single one waits
    // for its next try after the handler.
    void timerDuringHandler_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("fires");
        QTest::addColumn<bool>("nested");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("after");
        const QStringList owed{"down 1,2", "tick"}, none{"down 1,2"};
        QTest::newRow("repeating") << 2 << 1 << false << "" << owed;
        QTest::newRow("repeating, due three times") << 2 << 3 << false << "" << owed;
        QTest::newRow("repeating, in a nested handler") << 2 << 2 << true << "" << owed;
        QTest::newRow("repeating, switched off") << 2 << 1 << false << "off" << none;
        QTest::newRow("repeating, period changed") << 2 << 1 << false << "period" << none;
        QTest::newRow("repeating, window closed") << 2 << 1 << false << "close" << QStringList();
        QTest::newRow("single") << 1 << 1 << false << "" << owed;
    }
    void timerDuringHandler() {
        QFETCH(int, mode);
        QFETCH(int, fires);
        QFETCH(bool, nested);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, after);
        auto w = ImplicitWindow<TestWindow>();
        w->timer->SetMode(mode);
        QStringList during{"?"};
        auto body = [&] {
            w->SimulateMouseDown(1, 2);
            for (int i = 0; i < fires; ++i) {
                w->timer->Fire();
                yieldNow();
            }
            if (meanwhile == "off") w->timer->SetMode(0);
            if (meanwhile == "period") w->timer->SetPeriod(2000000);
            if (meanwhile == "close") w->Close();
            during = events;
        };
        Dispatch([&] { nested ? Dispatch(body) : body(); });
        for (int i = 0; i < 3; ++i) ProcessPendingEvents();
        QCOMPARE(during, QStringList());
        QTRY_COMPARE(events, after);  // a single tick at its next try
        QVERIFY(!w->timer->TickOwed());
        QCOMPARE(w->timer->Mode(), meanwhile == "off" || mode == 1 ? 0 : 2);  // a single one is off once it fired
        if (!meanwhile.isEmpty() || mode == 1) return;
        events.clear();  // a repeating one goes on as before
        w->timer->Fire();
        QCOMPARE(events, QStringList{"tick"});
    }

    // Several owed ticks go out oldest first, each as a handler of its own
    // with the event loop running between them; a timer that falls due again
    // while another's owed tick runs joins the end of the line (at most once).
    void owedTicksTakeTurns_data() {
        QTest::addColumn<QList<int>>("dueInHandler");
        QTest::addColumn<QList<int>>("dueDuringFirstTick");
        QTest::addColumn<QStringList>("delivered");
        QTest::newRow("in the order they fell due") << QList<int>{2, 0, 1, 2} << QList<int>{}
                                                    << QStringList{"tick 2", "loop", "tick 0", "tick 1"};
        QTest::newRow("round robin") << QList<int>{2, 0, 1} << QList<int>{2, 0, 0}
                                     << QStringList{"tick 2", "loop", "tick 0", "tick 1", "tick 2"};
    }
    void owedTicksTakeTurns() {
        QFETCH(QList<int>, dueInHandler);
        QFETCH(QList<int>, dueDuringFirstTick);
        QFETCH(QStringList, delivered);
        auto w = ImplicitWindow<TestWindow>();
        std::vector<Ref<Timer>> timers;
        int ticking = 0, nestedTicks = 0;
        for (int i = 0; i < 3; ++i) {
            auto t = New<Timer>();
            t->SetPeriod(1000000);
            t->SetMode(2);
            t->Action.Bind([&, i] {
                nestedTicks += ticking++ > 0;
                events << QStringLiteral("tick %1").arg(i);
                if (events.size() == 1) {
                    QMetaObject::invokeMethod(qApp, [] { events << "loop"; }, Qt::QueuedConnection);
                    for (int k : dueDuringFirstTick) {
                        timers[k]->Fire();
                        yieldNow();
                    }
                }
                --ticking;
            });
            timers.push_back(t);
        }
        Dispatch([&] {
            for (int k : dueInHandler) {
                timers[k]->Fire();
                yieldNow();
            }
        });
        QCOMPARE(events, QStringList());
        for (int i = 0; i < 10 && events.size() < delivered.size(); ++i) ProcessPendingEvents();
        QCOMPARE(events, delivered);
        QCOMPARE(nestedTicks, 0);
        for (const auto& t : timers) QVERIFY(!t->TickOwed());
    }

    // A handler shorter than the yield's interval never lets the event loop in
    // half-way, however long the program was idle before; a longer one does.
    // A yield is cheap.
    void yieldInterval_data() {
        QTest::addColumn<int>("busyMs");
        QTest::addColumn<int>("yields");
        QTest::newRow("short handler") << 0 << 64;
        QTest::newRow("long handler") << 40 << 64;
        QTest::newRow("a million yields") << 0 << 1000000;
    }
    void yieldInterval() {
        QFETCH(int, busyMs);
        QFETCH(int, yields);
        ExpireYieldInterval();  // the event loop last let a yield in long ago
        bool ran = false, ranDuring = true;
        qint64 yielding = 0;
        QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
        Dispatch([&] {
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < busyMs) QThread::msleep(1);
            t.restart();
            for (int i = 0; i < yields; ++i) Yield();
            yielding = t.elapsed();
            ranDuring = ran;
        });
        if (yields == 64) QCOMPARE(ranDuring, busyMs > 0);
        QVERIFY2(yielding < 300, qPrintable(QString::number(yielding)));
        ProcessPendingEvents();
        QVERIFY(ran);
    }

    void closeInsideHandler_data() {
        QTest::addColumn<bool>("nested");
        QTest::newRow("handler") << false;
        QTest::newRow("nested handler") << true;
    }
    void closeInsideHandler() {
        QFETCH(bool, nested);
        auto w = ImplicitWindow<TestWindow>();
        std::weak_ptr<Window> weak = w;
        QPointer<QWidget> top = w->widget();
        bool visibleDuring = true, aliveDuring = false, aliveAfterInner = false;
        auto closeIt = [&] {
            w->SimulateMouseDown(5, 5);
            w->Close();
            visibleDuring = w->Visible();
            w.reset();
            yieldNow();
            aliveDuring = !weak.expired();
        };
        Dispatch([&] {
            nested ? Dispatch(closeIt) : closeIt();
            aliveAfterInner = !weak.expired();
        });
        QVERIFY(!visibleDuring && aliveDuring && aliveAfterInner);
        QVERIFY(weak.expired());
        QVERIFY(OpenWindows().empty());
        ProcessPendingEvents();
        QVERIFY(top.isNull());
        QCOMPARE(events, QStringList());  // the press for the closed window is dropped
    }

    // The loop delivers the application's Open event and ends once no window
    // is left visible, however the last one went (a loop that does not end
    // fails instead).
    void runEndsWithTheLastWindow_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("closed by its handler") << "handler";
        QTest::newRow("closed outside a handler") << "outside";
        QTest::newRow("another one hidden") << "hidden";
    }
    void runEndsWithTheLastWindow() {
        QFETCH(QString, how);
        QTimer hung;
        hung.callOnTimeout([] { QCoreApplication::exit(1); });
        hung.start(5000);
        if (how == "hidden") framedWindow(0)->SetVisible(false);
        auto w = ImplicitWindow<TestWindow>();
        if (how == "outside") {
            QTimer::singleShot(50, [&w] { w->Close(); });
        } else {
            w->timer->Action.Bind([&w] { w->Close(); });
            w->timer->SetPeriod(0);
            w->timer->SetMode(1);
        }
        QCOMPARE(RuntimeRun(), 0);
        QCOMPARE(events, QStringList{"open"});
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
