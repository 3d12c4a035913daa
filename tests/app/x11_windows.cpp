// The windows on the real X11 platform, under a virtual X server and a window
// manager: every fixed text fits its control in the fonts X resolves, the
// window manager is told which boxes each window has (read back from the X
// server), a window minimised by the manager comes back when shown, a message
// box belongs to its window, and after a Reset to 500 x 500 the screen shows
// the Drift window's population.

#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>
#include <xcb/xcb.h>

#include "WindowLooks.h"
#include "app/App.h"
#include "engine/Globals.h"
#include "engine/agingDrCan.h"
#include "framework/ui/Application.h"
#include "framework/ui/Internal.h"
#include "support/TestApp.h"

namespace {

// Motif hint bits as window managers read them.
constexpr unsigned kFunctionsGiven = 1, kDecorationsGiven = 2;
constexpr unsigned kFuncAll = 1, kFuncMinimize = 8, kFuncMaximize = 16, kFuncClose = 32;

// A property of the window (nullptr: of the root window) as the X server
// holds it, through xprop; empty when xprop is missing.
QString xprop(QWidget* w, const QString& property) {
    const QString tool = QStandardPaths::findExecutable("xprop");
    if (tool.isEmpty()) return {};
    QProcess p;
    p.start(tool, (w ? QStringList{"-id", QString::number(w->winId())} : QStringList{"-root"}) << property);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The window a window property names ("window id # 0x..."), 0 for none.
WId windowIn(const QString& xpropOutput) {
    const auto m = QRegularExpression("window id # (0x[0-9a-f]+)").match(xpropOutput);
    return m.hasMatch() ? m.captured(1).toULongLong(nullptr, 16) : 0;
}

// The boxes the window manager may offer, from _MOTIF_WM_HINTS: "title" with
// the boxes allowed, or "no decoration".
QString boxesOffered(QWidget* w) {
    const QString out = xprop(w, "_MOTIF_WM_HINTS");
    const auto m = QRegularExpression("= (0x[0-9a-f]+), (0x[0-9a-f]+), (0x[0-9a-f]+)").match(out);
    if (!m.hasMatch()) return "unreadable: " + out;
    const unsigned flags = m.captured(1).toUInt(nullptr, 16);
    const unsigned functions = m.captured(2).toUInt(nullptr, 16);
    const unsigned decorations = m.captured(3).toUInt(nullptr, 16);
    if ((flags & kDecorationsGiven) && decorations == 0) return "no decoration";
    QStringList boxes{"title"};
    const bool all = !(flags & kFunctionsGiven) || (functions & kFuncAll);
    if (all || (functions & kFuncClose)) boxes << "close";
    if (all || (functions & kFuncMinimize)) boxes << "minimise";
    if (all || (functions & kFuncMaximize)) boxes << "maximise";
    return boxes.join(' ');
}

// The window's state as the window manager keeps it: "iconic" or "normal"
// (WM_STATE), "hidden" added while _NET_WM_STATE says so, "active" while it is
// the manager's active window.
QString managedState(QWidget* w) {
    const QString wmState = xprop(w, "WM_STATE");
    QString state = wmState.contains("Iconic") ? "iconic" : wmState.contains("Normal") ? "normal" : "unmanaged";
    if (xprop(w, "_NET_WM_STATE").contains("_NET_WM_STATE_HIDDEN")) state += " hidden";
    if (windowIn(xprop(nullptr, "_NET_ACTIVE_WINDOW")) == w->winId()) state += " active";
    return state;
}

// Asks the window manager, from a connection of its own as a pager or a
// user's shortcut would, to minimise the window: through the ICCCM's
// WM_CHANGE_STATE, or by adding _NET_WM_STATE_HIDDEN.
void minimiseThroughTheManager(QWidget* w, bool netWmState) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    };
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = static_cast<xcb_window_t>(w->winId());
    if (netWmState) {
        e.type = atom("_NET_WM_STATE");
        e.data.data32[0] = 1;  // add
        e.data.data32[1] = atom("_NET_WM_STATE_HIDDEN");
        e.data.data32[3] = 2;  // from a pager or the user
    } else {
        e.type = atom("WM_CHANGE_STATE");
        e.data.data32[0] = 3;  // IconicState
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
    xcb_disconnect(c);
}

// The title the window manager shows (WM_NAME).
QString wmName(QWidget* w) {
    const auto m = QRegularExpression("= \"(.*)\"").match(xprop(w, "WM_NAME"));
    return m.hasMatch() ? m.captured(1) : "unreadable";
}

// What the window manager makes of the next message box, then the box
// dismissed by a key as a user would: called before the handler that raises
// it. A box not shown or not dismissed within seconds is closed, and `what`
// says so.
void inspectNextMessageBox(const std::function<QString(QMessageBox*)>& look, QString& what) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    auto* since = new QElapsedTimer;
    since->start();
    QObject::connect(poll, &QTimer::destroyed, [since] { delete since; });
    QObject::connect(poll, &QTimer::timeout, poll, [poll, since, look, &what] {
        QList<QMessageBox*> boxes;
        for (QWidget* w : QApplication::allWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w)) boxes << box;
        if (since->elapsed() > 10000) {
            what = "no message box shown";
            for (QMessageBox* box : boxes) box->hide();
        } else if (boxes.isEmpty() || !boxes.first()->isVisible()) {
            return;
        } else {
            QMessageBox* box = boxes.first();
            what = QTest::qWaitForWindowExposed(box) ? look(box) : "not shown";
            QTest::keyClick(box, Qt::Key_Return);
            // Input held for a program window would never reach it.
            QTimer::singleShot(2000, box, [box, &what] {
                what += "; Return did not reach it";
                box->hide();  // a close request might be held too
            });
        }
        poll->stop();
        poll->deleteLater();
    });
    poll->start();
}

bool fixedSizeHint(QWidget* w) {
    const QString out = xprop(w, "WM_NORMAL_HINTS");
    const auto min = QRegularExpression("minimum size: (\\d+) by (\\d+)").match(out);
    const auto max = QRegularExpression("maximum size: (\\d+) by (\\d+)").match(out);
    return min.hasMatch() && max.hasMatch() && min.captured(1) == max.captured(1) &&
           min.captured(2) == max.captured(2);
}

// Dark pixels on the screen inside the control's bounds, as the X server
// shows them now.
int darkPixelsOnScreen(const fw::Control& c) {
    QWidget* w = c.widget();
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    const QImage shot =
        QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), w->width(), w->height()).toImage();
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (qGray(shot.pixel(x, y)) < 100) ++n;
    return n;
}

}  // namespace

class X11Windows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        StartApplicationForTest("x11_windows");
    }
    void init() { CloseAllWindows(); }
    void cleanupTestCase() { init(); }

    void everyFixedTextFits_data() { looks::addWindowKindRows(); }
    void everyFixedTextFits() {
        QFETCH(int, k);
        fw::Ref<fw::Window> w = looks::windowKinds()[k].get();
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        const QStringList bad = looks::textsThatDontFit(*w);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join("; ")));
    }

    void windowManagerHints_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("boxes");
        const QMap<QString, QString> expected = {
            {"Splash", "no decoration"}, {"About", "no decoration"}, {"Reset", "no decoration"},
            {"Drift", "title close"},    {"Divergence", "title close"},
            {"Archipelago", "title close"}, {"Tree", "title close"},
        };
        const auto& kinds = looks::windowKinds();
        for (int i = 0; i < int(kinds.size()); ++i) QTest::newRow(kinds[i].name) << i << expected[kinds[i].name];
    }
    // The Reset dialog asks for no decoration and draws its own title bar,
    // without boxes; the laboratories allow only the close box. None can be
    // resized.
    void windowManagerHints() {
        QFETCH(int, k);
        QFETCH(QString, boxes);
        if (QStandardPaths::findExecutable("xprop").isEmpty()) QSKIP("xprop is not installed");
        fw::Ref<fw::Window> w = looks::windowKinds()[k].get();
        w->Show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        QCOMPARE(boxesOffered(w->widget()), boxes);
        if (QString(looks::windowKinds()[k].name) != "Splash") QVERIFY(fixedSizeHint(w->widget()));
        QCOMPARE(w->HasDrawnTitleBar(), QString(looks::windowKinds()[k].name) == "Reset");
    }

    // Archipelago minimised by the window manager, Drift in front: choosing
    // Simulation > Archipelago brings it back, in front.
    void showBringsBackAMinimisedWindow_data() {
        QTest::addColumn<bool>("netWmState");
        QTest::newRow("iconified (WM_CHANGE_STATE)") << false;
        QTest::newRow("hidden (_NET_WM_STATE)") << true;
    }
    void showBringsBackAMinimisedWindow() {
        QFETCH(bool, netWmState);
        if (QStandardPaths::findExecutable("xprop").isEmpty()) QSKIP("xprop is not installed");
        auto lab = WindowArchipelago();
        lab->Show();
        QVERIFY(QTest::qWaitForWindowExposed(lab->widget()));
        if (managedState(lab->widget()) == "unmanaged") QSKIP("no window manager");
        // Shown and active first; an activation still on its way may bring
        // it back at once, so the request is made again until it holds.
        QTRY_COMPARE_WITH_TIMEOUT(managedState(lab->widget()), QString("normal active"), 10000);
        QTRY_VERIFY(lab->widget()->isActiveWindow());
        for (int tries = 0; tries < 5 && managedState(lab->widget()) != "iconic hidden"; ++tries) {
            minimiseThroughTheManager(lab->widget(), netWmState);
            (void)QTest::qWaitFor([&] { return managedState(lab->widget()) == "iconic hidden"; }, 2000);
        }
        QCOMPARE(managedState(lab->widget()), QString("iconic hidden"));
        QTRY_VERIFY(lab->widget()->isMinimized());
        WindowDrift()->Show();
        QVERIFY(QTest::qWaitForWindowExposed(WindowDrift()->widget()));
        fw::Dispatch([] { fw::ChooseMenuItem("SimulationArchipelago"); });
        QTRY_COMPARE_WITH_TIMEOUT(managedState(lab->widget()), QString("normal active"), 10000);
        QVERIFY(lab->Visible());
        QCOMPARE(fw::FrontWindow(), fw::Ref<fw::Window>(lab));
    }

    // A message box raised by a handler of Drift's (its Fast Fwd refusing 0)
    // belongs to Drift, whichever window is in front: transient for it and
    // centred over it, titled with the application's name, without the
    // manager's boxes (it draws its own title bar), in the windows' "System"
    // font; Return dismisses it and the handler goes on.
    void messageBoxBelongsToItsWindow_data() {
        QTest::addColumn<QString>("front");
        QTest::newRow("Drift in front") << "Drift";
        QTest::newRow("Divergence in front") << "Divergence";
    }
    void messageBoxBelongsToItsWindow() {
        QFETCH(QString, front);
        if (QStandardPaths::findExecutable("xprop").isEmpty()) QSKIP("xprop is not installed");
        auto drift = WindowDrift();
        drift->Show();
        if (front == "Divergence") WindowDiverge()->Show();
        fw::Ref<fw::Window> inFront = fw::FrontWindow();
        QVERIFY(QTest::qWaitForWindowExposed(inFront->widget()));
        QCOMPARE(QString(inFront->Title().c_str()).contains(front), true);
        QWidget* owner = drift->widget();
        const QString system = QFontInfo(fw::internal::fontFor("System", 0)).family();
        QString seen;
        inspectNextMessageBox(
            [&](QMessageBox* box) {
                // Where the manager has put it, once it has (the frame's
                // extents Qt learns late; the title bar's half is well inside
                // the margin).
                auto offCentre = [&] { return box->geometry().center() - owner->geometry().center(); };
                const bool centred = QTest::qWaitFor([&] { return offCentre().manhattanLength() < 40; }, 5000);
                const bool transient = windowIn(xprop(box, "WM_TRANSIENT_FOR")) == owner->winId();
                return QStringList{transient ? "transient for Drift" : "not Drift's",
                                   centred ? "centred over it" : "placed elsewhere",
                                   wmName(box), boxesOffered(box),
                                   QFontInfo(box->findChild<QLabel*>("qt_msgbox_label")->font()).family()}
                    .join("; ");
            },
            seen);
        fw::SetMsgBoxHook(nullptr);
        drift->Ctl<fw::EditField>("EditFieldFastFwd")->SetText("0");
        drift->Ctl<fw::PushButton>("PushButtonFastFwd")->Push();
        fw::SetMsgBoxHook([](const std::string& text) { QFAIL(text.c_str()); });
        QCOMPARE(seen, "transient for Drift; centred over it; Velloran; no decoration; " + system);
        QCOMPARE(drift->Ctl<fw::EditField>("EditFieldFastFwd")->Text(), std::string("1"));
    }

    // What the X server shows over the rebuilt Drift canvas once the Okay
    // handler is over: the 500 virions, before any run.
    void driftOnScreenAfterResetTo500() {
        auto drift = WindowDrift();
        drift->Show();
        QVERIFY(QTest::qWaitForWindowExposed(drift->widget()));
        auto d = WindowResetDrift();
        QVERIFY(QTest::qWaitForWindowExposed(d->widget()));
        d->Ctl<fw::EditField>("EditFieldPopSize")->SetText("500");
        d->Ctl<fw::EditField>("EditFieldSeqLen")->SetText("500");
        d->Ctl<fw::PushButton>("PushButtonOkay")->Push();
        fw::ProcessPendingEvents();
        auto rebuilt = WindowDrift();
        QVERIFY(rebuilt != drift);
        QVERIFY(QTest::qWaitForWindowExposed(rebuilt->widget()));
        auto can = rebuilt->Ctl<agingDrCan>("myAgingDrCan");
        QCOMPARE(can->AniTrons.UBound(), 500);
        // 500 dots of 8 pixels across cover well over a quarter of it.
        QTRY_VERIFY_WITH_TIMEOUT(darkPixelsOnScreen(*can) > 256 * 192 / 4, 20000);
        Globals::PopSize = 50;
        Globals::SequenceLength = 100;
    }
};

QTEST_MAIN(X11Windows)
#include "x11_windows.moc"
