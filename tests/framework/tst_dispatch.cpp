// The yield guarantee: while a handler yields, input for the program's
// windows waits and arrives afterwards in order, timer ticks are skipped,
// a closed window lives on until the handler has returned.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "framework/core/Yield.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"

using namespace fw;

namespace {

QStringList events;

class LogWindow : public Window {
public:
    Ref<PushButton> button;
    Ref<EditField> field;
    Ref<Timer> timer;
    void Layout() override {
        SetSize(200, 150);
        SetVisible(true);
    }
    void CreateControls() override {
        button = AddControl<PushButton>("PushButton1");
        button->SetBounds(10, 100, 80, 24);
        button->Action.Bind([] { events << "button"; });
        field = AddControl<EditField>("EditField1");
        field->SetBounds(100, 100, 80, 22);
        timer = AddControl<Timer>("Timer1");
        timer->SetPeriod(1000000);
        timer->Action.Bind([] { events << "tick"; });
    }
    bool Event_MouseDown(int32_t x, int32_t y) override {
        events << QStringLiteral("down %1,%2").arg(x).arg(y);
        return false;
    }
};

// Opens a window whose timer closes it at once.
class OpeningApp : public Application {
public:
    void Event_Open() override {
        events << "open";
        auto w = ImplicitWindow<LogWindow>();
        std::weak_ptr<LogWindow> weak = w;
        w->timer->Action.Bind([weak] {
            if (auto live = weak.lock()) live->Close();
        });
        w->timer->SetPeriod(0);
        w->timer->SetMode(1);
    }
};

// Lets the event loop run now, as a yield that found its interval over.
void yieldNow() {
    ExpireYieldInterval();
    Yield();
}

}  // namespace

class TestDispatch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        int argc = 0;
        RuntimeInit(argc, nullptr);
    }
    void init() { events.clear(); }
    void cleanup() {
        SetMsgBoxHook(nullptr);
        for (const auto& w : OpenWindows()) w->Close();
        ProcessPendingEvents();
    }

    void inputHeldUntilHandlerReturns_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("delivered");
        QTest::newRow("mouse press") << "press" << QStringList{"down 30,40"};
        QTest::newRow("button clicked") << "click" << QStringList{"button"};
        QTest::newRow("button pushed") << "push" << QStringList{"button"};
        QTest::newRow("press through the queue") << "posted" << QStringList{"down 7,8"};
        QTest::newRow("in order") << "sequence" << QStringList{"down 1,2", "button", "down 3,4"};
    }
    void inputHeldUntilHandlerReturns() {
        QFETCH(QString, input);
        QFETCH(QStringList, delivered);
        auto w = ImplicitWindow<LogWindow>();
        QStringList during;
        Dispatch([&] {
            if (input == "press") w->SimulateMouseDown(30, 40);
            if (input == "click") QTest::mouseClick(w->button->widget(), Qt::LeftButton);
            if (input == "push") w->button->Push();
            if (input == "posted")
                QCoreApplication::postEvent(w->contentWidget(),
                                            new QMouseEvent(QEvent::MouseButtonPress, QPointF(7, 8), QPointF(7, 8),
                                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            if (input == "sequence") {
                w->SimulateMouseDown(1, 2);
                QTest::mouseClick(w->button->widget(), Qt::LeftButton);
                w->SimulateMouseDown(3, 4);
            }
            yieldNow();
            during = events;
        });
        QCOMPARE(during, QStringList());
        ProcessPendingEvents();
        QCOMPARE(events, delivered);
    }

    // Keys are held like the rest, but their state is read at once.
    void keyboardStateWhileHeld() {
        auto w = ImplicitWindow<LogWindow>();
        QWidget* field = w->field->widget();
        bool command = false, period = false, releasedCommand = true;
        QString textDuring = "?";
        Dispatch([&] {
            QTest::keyPress(field, Qt::Key_Control);
            QTest::keyPress(field, Qt::Key_Period, Qt::ControlModifier);
            yieldNow();
            command = Keyboard::AsyncCommandKey();
            period = Keyboard::AsyncKeyDown(47);
            QTest::keyRelease(field, Qt::Key_Period, Qt::ControlModifier);
            QTest::keyRelease(field, Qt::Key_Control);
            releasedCommand = Keyboard::AsyncCommandKey() || Keyboard::AsyncKeyDown(47);
            QTest::keyClick(field, Qt::Key_7);
            textDuring = w->field->widget() ? QString::fromStdString(w->field->Text()) : "?";
        });
        QVERIFY(command);
        QVERIFY(period);
        QVERIFY(!releasedCommand);
        QCOMPARE(textDuring, QString());
        ProcessPendingEvents();
        QCOMPARE(QString::fromStdString(w->field->Text()), QStringLiteral("7"));
        QVERIFY(!Keyboard::AsyncCommandKey());
    }

    // A dialog of the layer itself (a message box) keeps its input.
    void ownDialogsStayLive() {
        QPushButton plain("OK");
        plain.resize(60, 24);
        plain.show();
        int clicks = 0, during = -1;
        connect(&plain, &QPushButton::clicked, [&] { ++clicks; });
        Dispatch([&] {
            QTest::mouseClick(&plain, Qt::LeftButton);
            during = clicks;
        });
        QCOMPARE(during, 1);
    }

    // A repeating tick is skipped for good; a single one waits.
    void timerDuringHandler_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("modeAfterFire");
        QTest::newRow("repeating") << 2 << 2;
        QTest::newRow("single") << 1 << 0;
    }
    void timerDuringHandler() {
        QFETCH(int, mode);
        QFETCH(int, modeAfterFire);
        auto w = ImplicitWindow<LogWindow>();
        w->timer->SetMode(mode);
        QStringList during;
        Dispatch([&] {
            w->timer->Fire();
            yieldNow();
            during = events;
        });
        ProcessPendingEvents();
        QCOMPARE(during, QStringList());
        QCOMPARE(events, QStringList());
        QCOMPARE(w->timer->Mode(), mode);
        w->timer->Fire();
        QCOMPARE(events, QStringList{"tick"});
        QCOMPARE(w->timer->Mode(), modeAfterFire);
        w->timer->Fire();
        QCOMPARE(events.size(), mode == 2 ? 2 : 1);
    }

    void closeInsideHandler_data() {
        QTest::addColumn<bool>("nested");
        QTest::newRow("handler") << false;
        QTest::newRow("nested handler") << true;
    }
    void closeInsideHandler() {
        QFETCH(bool, nested);
        auto w = ImplicitWindow<LogWindow>();
        const Window* first = w.get();
        std::weak_ptr<Window> weak = w;
        QPointer<QWidget> top = w->widget();
        bool visibleDuring = true, aliveDuring = false, aliveAfterInner = false;
        Ref<LogWindow> second;
        auto closeIt = [&] {
            w->SimulateMouseDown(5, 5);
            w->Close();
            visibleDuring = w->Visible();
            second = ImplicitWindow<LogWindow>();
            w.reset();
            yieldNow();
            aliveDuring = !weak.expired();
        };
        Dispatch([&] {
            if (nested) {
                Dispatch(closeIt);
                aliveAfterInner = !weak.expired();
            } else {
                closeIt();
                aliveAfterInner = true;
            }
        });
        QVERIFY(!visibleDuring);
        QVERIFY(aliveDuring);
        QVERIFY(aliveAfterInner);
        QVERIFY(weak.expired());
        QVERIFY(second.get() != first);
        QCOMPARE(OpenWindows().size(), size_t(1));
        ProcessPendingEvents();
        QVERIFY(top.isNull());
        QCOMPARE(events, QStringList());  // the press for the closed window is dropped
    }

    void closeOutsideHandler() {
        auto w = ImplicitWindow<LogWindow>();
        std::weak_ptr<Window> weak = w;
        w->Close();
        QCOMPARE(weak.use_count(), 1L);  // only this test still holds it
        QVERIFY(OpenWindows().empty());
    }

    void closeRequestHeld() {
        auto w = ImplicitWindow<LogWindow>();
        bool closedDuring = true, visibleDuring = false;
        Dispatch([&] {
            w->widget()->close();
            yieldNow();
            closedDuring = w->IsClosed();
            visibleDuring = w->Visible();
        });
        QVERIFY(!closedDuring);
        QVERIFY(visibleDuring);
        ProcessPendingEvents();
        QVERIFY(w->IsClosed());
        QVERIFY(!w->Visible());
        QVERIFY(OpenWindows().empty());
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
        auto w = ImplicitWindow<LogWindow>();
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

    // The loop delivers the application's Open event and ends once no
    // window is left to show (nothing else could end it then).
    void runEndsWithTheLastWindow() {
        RegisterApp(New<OpeningApp>());
        QTimer hung;  // a loop that does not end fails instead
        hung.setSingleShot(true);
        connect(&hung, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        hung.start(10000);
        const int status = RuntimeRun();
        RegisterApp(nullptr);
        QCOMPARE(status, 0);
        QCOMPARE(events, QStringList{"open"});
        QVERIFY(OpenWindows().empty());
    }

    void yieldIsCheap() {
        qint64 ms = -1;
        Dispatch([&] {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < 1000000; ++i) Yield();
            ms = t.elapsed();
        });
        qInfo("10^6 yields inside a handler: %lld ms", ms);
        QVERIFY2(ms < 300, qPrintable(QString::number(ms)));
    }
};

QTEST_MAIN(TestDispatch)
#include "tst_dispatch.moc"
