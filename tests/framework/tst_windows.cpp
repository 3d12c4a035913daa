// Windows, controls and menus of the window layer, and the yield guarantee:
// while a handler yields, input for the program's windows waits and arrives
// afterwards in order, timer ticks are owed until it has returned, a closed
// window lives on until then.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QThread>
#include <QtTest>

#include "framework/core/Yield.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "support/Windows.h"

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
        for (int i = 0; i < 2; ++i) AddControl<Canvas>("Canvas", i)->SetBounds(10 + 50 * i, 10, 40, 40);
        AddControl<StaticText>("Label")->SetBounds(10, 70, 80, 20);
        button = AddControl<PushButton>("Button");
        button->SetBounds(10, 100, 80, 24);
        button->Action.Bind([] { events << "button"; });
        field = AddControl<EditField>("Field");
        field->SetBounds(10, 140, 80, 22);
        timer = AddControl<Timer>("Timer1");
        timer->SetPeriod(1000000);
        timer->Action.Bind([] { events << "tick"; });
        auto line = AddControl<Line>("Line1");
        line->SetPoints(150, 20, 250, 20);
        line->SetBorderWidth(3);
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

// A window of the frame kind asked for by the test row.
class FramedWindow : public Window {
public:
    static inline int32_t frame = 0;
    void Layout() override {
        SetFrame(frame);
        SetSize(200, 100);
        SetVisible(true);
    }
};

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
        auto edit = New<MenuItem>();
        edit->Name = edit->Text = "Edit";
        for (const char* name : {"EditUndo", "EditCopy"}) {
            auto m = New<MenuItem>();
            m->Name = m->Text = name;
            edit->Append(m);
        }
        // An item left on by the enabling pass, with a shortcut.
        auto redo = New<MenuItem>();
        redo->Name = redo->Text = "EditRedo";
        redo->KeyboardShortcut = "Cmd+Y";
        redo->AutoEnable = false;
        edit->Append(redo);
        app->MenuBar->Append(edit);
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

    // Document windows show the menu bar; dialogs show none, but the items'
    // shortcuts work in them all the same.
    void dialogsShowNoMenuBar_data() {
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("barShown");
        QTest::newRow("document window") << 0 << true;
        QTest::newRow("movable modal dialog") << 1 << false;
        QTest::newRow("dialog without title bar") << 2 << false;
    }
    void dialogsShowNoMenuBar() {
        QFETCH(int, frame);
        QFETCH(bool, barShown);
        FramedWindow::frame = frame;
        auto w = ImplicitWindow<FramedWindow>();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        auto* bar = w->widget()->findChild<QMenuBar*>();
        QVERIFY(bar);
        QCOMPARE(bar->isVisible(), barShown);
        QTest::keyClick(w->widget()->windowHandle(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY2(events.contains("app redo"), qPrintable(events.join(", ")));
    }

    // Alt and a title's first letter open its menu, the arrows and Return
    // choose from it.
    void menusFromTheKeyboard_data() {
        QTest::addColumn<QList<int>>("keys");  // after Alt+E
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("chosen");
        QTest::newRow("Alt+E") << QList<int>{} << "Edit" << QStringList();
        QTest::newRow("Alt+E, Down, Return") << QList<int>{Qt::Key_Down, Qt::Key_Return} << ""
                                             << QStringList{"app redo"};
    }
    void menusFromTheKeyboard() {
        QFETCH(QList<int>, keys);
        QFETCH(QString, menu);
        QFETCH(QStringList, chosen);
        QWindow* win = shownWindow()->widget()->windowHandle();
        QTest::keyClick(win, Qt::Key_E, Qt::AltModifier);
        for (int k : keys) QTest::keyClick(win, Qt::Key(k));
        ProcessPendingEvents();
        QWidget* popup = QApplication::activePopupWidget();
        QCOMPARE(popup ? popup->objectName() : QString(), menu);
        if (popup) popup->close();
        events.removeAll("enable app");
        events.removeAll("enable window");
        QCOMPARE(events, chosen);
    }

    // By name, by name and index; Ctl<T> throws on a wrong class or no match.
    void lookup() {
        auto w = ImplicitWindow<TestWindow>();
        QCOMPARE(Ref<Control>(w->Ctl<StaticText>("Label")), w->FindControl("Label"));
        QCOMPARE(w->Ctl<StaticText>("Label")->Index(), -1);
        QCOMPARE(Ref<Control>(w->Ctl<Canvas>("Canvas", 1)), w->FindControl("Canvas", 1));
        QCOMPARE(w->Ctl<Canvas>("Canvas", 1)->Index(), 1);
        QVERIFY(!w->FindControl("Canvas") && !w->FindControl("Canvas", 2) && !w->FindControl("Nothing"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, w->Ctl<Canvas>("Canvas"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, w->Ctl<Canvas>("Canvas", 2));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, w->Ctl<Canvas>("Nothing"));
        QVERIFY_THROWS_EXCEPTION(NilObjectException, w->Ctl<Canvas>("Label"));
    }

    // Presses through the window system reach the window, in its coordinates.
    void mouseRouting_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("canvas") << QPoint(65, 30) << QStringList{"down 65,30"};
        QTest::newRow("rectangle") << QPoint(8, 62) << QStringList{"down 8,62"};
        QTest::newRow("label") << QPoint(20, 75) << QStringList{"down 20,75"};
        QTest::newRow("line") << QPoint(200, 20) << QStringList{"down 200,20"};
        QTest::newRow("button") << QPoint(20, 110) << QStringList{"button"};
    }
    void mouseRouting() {
        QFETCH(QPoint, at);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        const QPoint p = w->contentWidget()->mapTo(w->widget(), at);
        QTest::mouseClick(w->widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, p);
        QCOMPARE(events, expected);
    }

    void dragAfterTrueOnly_data() {
        QTest::addColumn<bool>("grab");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("true") << true << QStringList{"down 65,30", "drag 80,35", "drag 400,-5", "up 400,-5"};
        QTest::newRow("false") << false << QStringList{"down 65,30"};
    }
    void dragAfterTrueOnly() {
        QFETCH(bool, grab);
        QFETCH(QStringList, expected);
        auto w = shownWindow();
        w->grab = grab;
        QWindow* win = w->widget()->windowHandle();
        auto at = [&](int x, int y) { return w->contentWidget()->mapTo(w->widget(), QPoint(x, y)); };
        QTest::mousePress(win, Qt::LeftButton, Qt::NoModifier, at(65, 30));
        QTest::mouseMove(win, at(80, 35));
        QTest::mouseMove(win, at(400, -5));
        QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, at(400, -5));
        w->SimulateMouseDrag(1, 1);  // no press any more: nothing
        QCOMPARE(events, expected);
    }

    void staticTextIsPlain() {
        auto t = ImplicitWindow<TestWindow>()->Ctl<StaticText>("Label");
        t->SetText("<b>x</b>\r&amp;");
        auto* label = qobject_cast<QLabel*>(t->widget());
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<b>x</b>\n&amp;"));
        QCOMPARE(t->Text(), std::string("<b>x</b>\r&amp;"));
    }

    // ListIndex is the first selected row, SelCount counts across gaps.
    void listSelection() {
        auto list = ImplicitWindow<TestWindow>()->Ctl<Listbox>("List");
        list->SetSelectionType(1);
        for (int i = 0; i < 5; ++i) list->AddRow("row " + std::to_string(i));
        QCOMPARE(list->ListIndex(), -1);
        QCOMPARE(list->SelCount(), 0);
        list->SetSelected(3, true);
        list->SetSelected(1, true);
        QCOMPARE(list->ListIndex(), 1);
        QCOMPARE(list->SelCount(), 2);
        for (int r = 0; r < 5; ++r) QCOMPARE(list->Selected(r), r == 1 || r == 3);
    }

    // The enabling pass asks the application, the front window, its focused
    // control, in that order; a disabled item does not act, an enabled one
    // goes to the focused control's handler first.
    void enablingPass() {
        auto w = shownWindow();
        auto list = w->Ctl<Listbox>("List");
        list->widget()->setFocus();
        QCOMPARE(w->FocusedControl(), Ref<Control>(list));
        RunEnablingPass();
        QCOMPARE(events, (QStringList{"enable app", "enable window", "enable list"}));
        QVERIFY(App_()->MenuBar->Find("EditCopy")->Enabled());
        QVERIFY(!App_()->MenuBar->Find("EditUndo")->Enabled());
        auto* undo = w->widget()->findChild<QAction*>("EditUndo");
        QVERIFY(undo && !undo->isEnabled());
        bool undone = true, copied = false;
        Dispatch([&] {
            undone = ChooseMenuItem("EditUndo");
            copied = ChooseMenuItem("EditCopy");
        });
        QVERIFY(!undone && copied);
        QVERIFY(!events.contains("app undo"));
        QCOMPARE(events.last(), QStringLiteral("list copy"));
    }

    void inputHeldUntilHandlerReturns() {
        auto w = ImplicitWindow<TestWindow>();
        QStringList during{"?"};
        Dispatch([&] {
            w->SimulateMouseDown(1, 2);
            QTest::mouseClick(w->button->widget(), Qt::LeftButton);
            w->SimulateMouseDown(3, 4);
            yieldNow();
            during = events;
        });
        QCOMPARE(during, QStringList());
        ProcessPendingEvents();
        QCOMPARE(events, (QStringList{"down 1,2", "button", "down 3,4"}));
    }

    // Held input is judged as it arrives and never lands on a control the user
    // did not click. A click on a greyed button is nothing, as with no handler
    // running, even when the button is enabled again before it would be
    // replayed; keys for a greyed button that kept the focus go nowhere. Once a
    // held click has opened a menu, the clicks and keys held after it are
    // dropped, and the menu waits for a choice.
    void heldInputJudgedOnArrival_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("click on a greyed button") << "greyed click";
        QTest::newRow("Return for the greyed default button") << "greyed Return";
        QTest::newRow("click after a held click opened a menu") << "menu click";
        QTest::newRow("key after a held click opened a menu") << "menu key";
    }
    void heldInputJudgedOnArrival() {
        QFETCH(QString, input);
        auto w = shownWindow();
        QWindow* win = w->widget()->windowHandle();
        QWidget* button = w->button->widget();
        auto* bar = w->widget()->findChild<QMenuBar*>();
        w->button->SetDefault(true);
        if (input == "greyed Return") button->setFocus(Qt::TabFocusReason);
        Dispatch([&] {
            if (input.startsWith("greyed")) w->button->SetEnabled(false);
            if (input.startsWith("menu"))
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions().first()).center());
            if (input.endsWith("click")) QTest::mouseClick(button, Qt::LeftButton);
            if (input == "greyed Return") QTest::keyClick(win, Qt::Key_Return);
            if (input == "menu key") QTest::keyClick(win, Qt::Key_7);
            yieldNow();
            w->button->SetEnabled(true);
        });
        ProcessPendingEvents();
        events.removeIf([](const QString& e) { return e.startsWith("enable"); });  // the menu's enabling pass
        QCOMPARE(events, QStringList());
        QCOMPARE(w->field->Text(), std::string());
        QCOMPARE(QApplication::activePopupWidget() != nullptr, input.startsWith("menu"));
        if (input == "greyed Return") QCOMPARE(w->FocusedControl(), Ref<Control>(w->button));
    }

    // Keys are held like the rest, but their state is read at once.
    void keyboardStateWhileHeld() {
        auto w = ImplicitWindow<TestWindow>();
        QWidget* field = w->field->widget();
        bool held = false, released = false;
        QString textDuring = "?";
        Dispatch([&] {
            QTest::keyPress(field, Qt::Key_Control);
            QTest::keyPress(field, Qt::Key_Period, Qt::ControlModifier);
            yieldNow();
            held = Keyboard::AsyncCommandKey() && Keyboard::AsyncKeyDown(47);
            QTest::keyRelease(field, Qt::Key_Period, Qt::ControlModifier);
            QTest::keyRelease(field, Qt::Key_Control);
            released = !Keyboard::AsyncCommandKey() && !Keyboard::AsyncKeyDown(47);
            QTest::keyClick(field, Qt::Key_7);
            textDuring = QString::fromStdString(w->field->Text());
        });
        QVERIFY(held && released);
        QCOMPARE(textDuring, QString());
        ProcessPendingEvents();
        QCOMPARE(QString::fromStdString(w->field->Text()), QStringLiteral("7"));
        QVERIFY(!Keyboard::AsyncCommandKey());
    }

    // The layer's own message box has no parent window: its input is live.
    void ownDialogsStayLive() {
        QPushButton plain("OK");
        plain.show();
        int clicks = 0, during = -1;
        connect(&plain, &QPushButton::clicked, [&] { ++clicks; });
        Dispatch([&] {
            QTest::mouseClick(&plain, Qt::LeftButton);
            during = clicks;
        });
        QCOMPARE(during, 1);
    }

    // A tick that falls due inside a handler never enters it. A repeating one
    // is owed: it follows once the outermost handler has returned, after the
    // input that waited, and only once however often it fell due; switched
    // off or closed meanwhile, it is not wanted any more. A single one waits
    // for the next try.
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
        QTest::newRow("single") << 1 << 1 << false << "" << none;
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
        Dispatch([&] {
            if (nested)
                Dispatch(body);
            else
                body();
            if (meanwhile != "close") QCOMPARE(w->timer->TickOwed(), mode == 2 && meanwhile.isEmpty());
        });
        for (int i = 0; i < 3; ++i) ProcessPendingEvents();
        QCOMPARE(during, QStringList());
        QCOMPARE(events, after);
        QVERIFY(!w->timer->TickOwed());
        if (!meanwhile.isEmpty()) return;
        // The timer goes on as before: a single one fires at its next try
        // and turns itself off.
        QCOMPARE(w->timer->Mode(), mode);
        events.clear();
        w->timer->Fire();
        QCOMPARE(events, QStringList{"tick"});
        QCOMPARE(w->timer->Mode(), mode == 1 ? 0 : 2);
    }

    // Several owed ticks go out oldest first, each as a handler of its own
    // with the event loop running between them; a timer that falls due again
    // while another's owed tick runs joins the end of the line (at most once).
    void owedTicksTakeTurns_data() {
        QTest::addColumn<QList<int>>("dueInHandler");
        QTest::addColumn<QList<int>>("dueDuringFirstTick");
        QTest::addColumn<QStringList>("delivered");
        QTest::newRow("in the order they fell due") << QList<int>{2, 0, 1, 2} << QList<int>{}
                                                    << QStringList{"tick 2", "tick 0", "tick 1"};
        QTest::newRow("round robin") << QList<int>{2, 0, 1} << QList<int>{2, 0, 0}
                                     << QStringList{"tick 2", "tick 0", "tick 1", "tick 2"};
    }
    void owedTicksTakeTurns() {
        QFETCH(QList<int>, dueInHandler);
        QFETCH(QList<int>, dueDuringFirstTick);
        QFETCH(QStringList, delivered);
        auto w = ImplicitWindow<TestWindow>();
        std::vector<Ref<Timer>> timers;
        int ticking = 0, nestedTicks = 0;
        QStringList othersOwed;
        for (int i = 0; i < 3; ++i) {
            auto t = New<Timer>();
            t->SetPeriod(1000000);
            t->SetMode(2);
            t->Action.Bind([&, i] {
                nestedTicks += ticking++ > 0;
                events << QStringLiteral("tick %1").arg(i);
                QString owed;
                for (const auto& other : timers) owed += other->TickOwed() ? "1" : "0";
                othersOwed << owed;
                if (events.size() == 1)
                    for (int k : dueDuringFirstTick) {
                        timers[k]->Fire();
                        yieldNow();
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
        for (int i = 0; i < 10 && events.size() < delivered.size() + 1; ++i) ProcessPendingEvents();
        QCOMPARE(events, delivered);
        QCOMPARE(nestedTicks, 0);
        // The first tick ran while the other two still waited.
        QCOMPARE(othersOwed.first(), QStringLiteral("110"));
        for (const auto& t : timers) QVERIFY(!t->TickOwed());
    }

    // A handler shorter than the yield's interval never lets the event loop in
    // half-way, however long the program was idle before; a longer one does.
    void yieldIntervalStartsWithTheHandler_data() {
        QTest::addColumn<int>("busyMs");
        QTest::addColumn<bool>("loopRan");
        QTest::newRow("short handler") << 0 << false;
        QTest::newRow("long handler") << 40 << true;
    }
    void yieldIntervalStartsWithTheHandler() {
        QFETCH(int, busyMs);
        QFETCH(bool, loopRan);
        ExpireYieldInterval();  // the event loop last let a yield in long ago
        bool ran = false, ranDuring = true;
        QMetaObject::invokeMethod(qApp, [&] { ran = true; }, Qt::QueuedConnection);
        Dispatch([&] {
            QElapsedTimer t;
            t.start();
            while (t.elapsed() < busyMs) QThread::msleep(1);
            for (int i = 0; i < 64; ++i) Yield();
            ranDuring = ran;
        });
        QCOMPARE(ranDuring, loopRan);
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
        const Window* first = w.get();
        std::weak_ptr<Window> weak = w;
        QPointer<QWidget> top = w->widget();
        bool visibleDuring = true, aliveDuring = false, aliveAfterInner = false;
        Ref<TestWindow> second;
        auto closeIt = [&] {
            w->SimulateMouseDown(5, 5);
            w->Close();
            visibleDuring = w->Visible();
            second = ImplicitWindow<TestWindow>();
            w.reset();
            yieldNow();
            aliveDuring = !weak.expired();
        };
        Dispatch([&] {
            if (nested)
                Dispatch(closeIt);
            else
                closeIt();
            aliveAfterInner = !weak.expired();
        });
        QVERIFY(!visibleDuring && aliveDuring && aliveAfterInner);
        QVERIFY(weak.expired());
        QVERIFY(second.get() != first);
        QCOMPARE(OpenWindows().size(), size_t(1));
        ProcessPendingEvents();
        QVERIFY(top.isNull());
        QCOMPARE(events, QStringList());  // the press for the closed window is dropped
    }

    void handlerErrors_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("nil object") << 0 << "An internal error stopped this action: no such thing";
        QTest::newRow("out of bounds") << 1 << "An internal error stopped this action: index 9";
        QTest::newRow("other") << 2 << "An internal error stopped this action: broken";
    }
    void handlerErrors() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        auto w = ImplicitWindow<TestWindow>();
        QStringList shown;
        SetMsgBoxHook([&](const std::string& s) { shown << QString::fromStdString(s); });
        Dispatch([&] {
            w->SimulateMouseDown(9, 9);
            if (kind == 0) throw NilObjectException("no such thing");
            if (kind == 1) throw OutOfBoundsException("index 9");
            throw std::runtime_error("broken");
        });
        QCOMPARE(shown, QStringList{message});
        QVERIFY(!InHandler());
        ProcessPendingEvents();
        QCOMPARE(events, QStringList{"down 9,9"});
    }

    void yieldIsCheap() {
        QElapsedTimer t;
        Dispatch([&] {
            t.start();
            for (int i = 0; i < 1000000; ++i) Yield();
        });
        QVERIFY2(t.elapsed() < 300, qPrintable(QString::number(t.elapsed())));
    }

    // The loop delivers the application's Open event and ends once no window
    // is left (a loop that does not end fails instead).
    void runEndsWithTheLastWindow() {
        QTimer hung;
        hung.callOnTimeout([] { QCoreApplication::exit(1); });
        hung.start(10000);
        auto w = ImplicitWindow<TestWindow>();
        w->timer->Action.Bind([&w] { w->Close(); });
        w->timer->SetPeriod(0);
        w->timer->SetMode(1);
        QCOMPARE(RuntimeRun(), 0);
        QCOMPARE(events, QStringList{"open"});
        QVERIFY(OpenWindows().empty());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
