// The windows on the real X11 platform, under a virtual X server and a window
// manager: every fixed text, and a typed name, fits its control in the fonts
// X resolves; the window manager is told which boxes each window has (read
// back from the X server); a window it minimised comes back when shown; a
// message box belongs to its window; the screen shows a window where it says
// it is, and after a Reset to 500 x 500 the Drift window's population.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStyleOption>
#include <QtTest>
#include <xcb/xcb.h>

#include "app/WindowAbout.h"
#include "app/WindowResetDrift.h"
#include "app/WindowSplash.h"
#include "engine/agingDrCan.h"
#include "framework/ui/Internal.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

using namespace fw;

namespace {

Ref<Window> openWindow(const QString& name) {
    Ref<Window> w;
    if (name == "Splash") w = WindowSplash();
    if (name == "About") w = WindowAbout();
    if (name == "Reset") w = WindowResetDrift();
    if (name == "Drift") w = WindowDrift();
    if (name == "Divergence") w = WindowDiverge();
    if (name == "Archipelago") w = WindowArchipelago();
    if (name == "Tree") w = WindowTree();
    w->Show();
    return w;
}

QImage onScreen(const QRect& r) {
    return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
}

// What the X server holds of the window (nullptr: the root window), through
// an X11 tool: xprop for a property, xwininfo for its place.
QString x11(const QString& tool, QWidget* w, const QString& property = {}) {
    QProcess p;
    p.start(tool, (w ? QStringList{"-id", QString::number(w->winId())} : QStringList{"-root"}) << property);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString xprop(QWidget* w, const QString& property) {
    return x11("xprop", w, property);
}

QString match(const QString& pattern, const QString& text, int group = 1) {
    return QRegularExpression(pattern).match(text).captured(group);
}

// The window's middle on the screen, as the X server has it (Qt may not have
// heard yet where the window manager put a window).
QPoint middleOnScreen(QWidget* w) {
    const QString info = x11("xwininfo", w);
    auto value = [&](const char* name) { return match(QString(name) + ": +(-?\\d+)", info).toInt(); };
    return {value("Absolute upper-left X") + value("Width") / 2, value("Absolute upper-left Y") + value("Height") / 2};
}

// The window a window property names, 0 for none.
WId windowIn(const QString& xpropOutput) {
    return match("window id # (0x[0-9a-f]+)", xpropOutput).toULongLong(nullptr, 16);
}

// The boxes the window manager may offer, from _MOTIF_WM_HINTS: "title" and
// the boxes allowed, or "no decoration"; then "fixed" for a fixed size.
QString boxesOffered(QWidget* w) {
    const auto hints = QRegularExpression("= (0x\\w+), (0x\\w+), (0x\\w+)").match(xprop(w, "_MOTIF_WM_HINTS"));
    const unsigned flags = hints.captured(1).toUInt(nullptr, 16), functions = hints.captured(2).toUInt(nullptr, 16);
    const bool all = !(flags & 1) || (functions & 1);  // no functions given, or all of them
    QStringList boxes{"title"};
    if (all || (functions & 32)) boxes << "close";
    if (all || (functions & 8)) boxes << "minimise";
    if (all || (functions & 16)) boxes << "maximise";
    if ((flags & 2) && hints.captured(3).toUInt(nullptr, 16) == 0) boxes = QStringList{"no decoration"};
    const QString sizes = xprop(w, "WM_NORMAL_HINTS"), min = match("minimum size: (\\d+ by \\d+)", sizes);
    if (!min.isEmpty() && min == match("maximum size: (\\d+ by \\d+)", sizes)) boxes << "fixed";
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
// user's shortcut would, to minimise the window (the ICCCM's WM_CHANGE_STATE).
void minimiseThroughTheManager(QWidget* w) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const char* name = "WM_CHANGE_STATE";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = static_cast<xcb_window_t>(w->winId());
    e.type = atom->atom;
    free(atom);
    e.data.data32[0] = 3;  // IconicState
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
    xcb_disconnect(c);
}

// What the window manager makes of the next message box, then the box
// dismissed by Return as a user would; called before the handler that raises
// it. A box not shown within seconds, or not dismissed by Return, is closed,
// and `seen` says so.
void inspectNextMessageBox(const std::function<QString(QMessageBox*)>& look, QString& seen) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, look, &seen, deadline = QDeadlineTimer(10000)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box && !deadline.hasExpired()) return;
        poll->stop();
        poll->deleteLater();
        if (!box) {
            seen = "no message box shown";
            return;
        }
        seen = QTest::qWaitForWindowExposed(box) ? look(box) : "not shown";
        QTest::keyClick(box, Qt::Key_Return);
        // Input held for a program window would never reach it.
        QTimer::singleShot(2000, box, [box, &seen] {
            seen += "; Return did not reach it";
            box->hide();
        });
    });
    poll->start(10);
}

// Empty when `text` fits `room` drawn in `font`, else what went wrong.
// Word-wrapped texts are wrapped to the room's width first.
QString misfit(const QString& who, const QString& text, const QFont& font, const QRect& room, bool wrap) {
    const QFontMetrics fm(font);
    QSize need(0, fm.boundingRect(QRect(0, 0, wrap ? room.width() : 100000, 100000), wrap ? Qt::TextWordWrap : 0,
                                  text).height());
    for (const QString& part : text.split(QRegularExpression(wrap ? "\\s+" : "\n")))
        need.setWidth(std::max(need.width(), fm.horizontalAdvance(part)));
    if (text.isEmpty() || (need.width() <= room.width() && need.height() <= room.height())) return {};
    return QString("%1 \"%2\" needs %3 x %4 in %5 %6px, has %7 x %8")
        .arg(who, text, QString::number(need.width()), QString::number(need.height()), QFontInfo(font).family(),
             QString::number(font.pixelSize()), QString::number(room.width()), QString::number(room.height()));
}

// Every text of the window's controls that does not fit: labels and
// counters, button captions, field contents and pop-up menu rows, each in the
// room its widget gives it (a line edit keeps two pixels free at either end).
QStringList textsThatDontFit(const Window& w) {
    QStringList bad;
    for (const auto& c : w.Controls()) {
        QWidget* widget = c->widget();
        const QString who = QString::fromStdString(c->Name()) + QString("(%1)").arg(c->Index());
        QStyle* style = widget ? widget->style() : nullptr;
        if (auto* l = qobject_cast<QLabel*>(widget)) {
            bad << misfit(who, l->text(), l->font(), l->contentsRect(), l->wordWrap());
        } else if (auto* b = qobject_cast<QPushButton*>(widget)) {
            QStyleOptionButton opt;
            opt.initFrom(b);
            const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
            bad << misfit(who, b->text(), b->font(), room, false);
        } else if (auto* e = qobject_cast<QLineEdit*>(widget)) {
            QStyleOptionFrame opt;
            opt.initFrom(e);
            opt.lineWidth = e->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
            const QRect room = style->subElementRect(QStyle::SE_LineEditContents, &opt, e)
                                   .marginsRemoved(e->textMargins())
                                   .adjusted(2, 0, -2, 0);
            bad << misfit(who, e->text(), e->font(), room, false);
        } else if (auto* m = qobject_cast<QComboBox*>(widget)) {
            QStyleOptionComboBox opt;
            opt.initFrom(m);
            opt.frame = m->hasFrame();
            const QRect room = style->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, m);
            for (int i = 0; i < m->count(); ++i) bad << misfit(who, m->itemText(i), m->font(), room, false);
        }
    }
    bad.removeAll(QString());
    return bad;
}

}  // namespace

class X11Windows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        if (QStandardPaths::findExecutable("xprop").isEmpty()) QSKIP("xprop is not installed");
        StartApplicationForTest("x11_windows");
    }
    void init() { CloseAllWindows(); }
    void cleanupTestCase() { init(); }

    // Every text fits, and so does a name typed into each of the window's
    // name fields. The window manager is told the boxes each window has: the
    // Reset dialog asks for no decoration and draws its own title bar; the
    // laboratories have only the close box. None but the splash can be
    // resized.
    void eachWindow_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("nameField");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Splash") << "Splash" << "no decoration" << "" << "";
        QTest::newRow("About") << "About" << "no decoration fixed" << "" << "";
        QTest::newRow("Reset") << "Reset" << "no decoration fixed" << "" << "";
        QTest::newRow("Drift") << "Drift" << "title close fixed" << "" << "";
        QTest::newRow("Divergence") << "Divergence" << "title close fixed" << "" << "";
        QTest::newRow("Archipelago") << "Archipelago" << "title close fixed" << "EditFieldPopName" << "Home island";
        QTest::newRow("Tree") << "Tree" << "title close fixed" << "EditFieldPopLabel" << "Alpha";
    }
    void eachWindow() {
        QFETCH(QString, window);
        QFETCH(QString, boxes);
        QFETCH(QString, nameField);
        QFETCH(QString, typed);
        auto w = openWindow(window);
        for (int i = 0; !nameField.isEmpty() && i < 8; ++i)
            w->Ctl<EditField>(nameField.toStdString(), i)->SetText(typed.toStdString());
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
        const QStringList bad = textsThatDontFit(*w);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join("; ")));
        QCOMPARE(boxesOffered(w->widget()), boxes);
        QCOMPARE(w->HasDrawnTitleBar(), window == "Reset");
    }

    // Archipelago minimised by the window manager, Drift in front: choosing
    // Simulation > Archipelago brings it back, in front.
    void showBringsBackAMinimisedWindow() {
        auto lab = openWindow("Archipelago");
        QWidget* top = lab->widget();
        // Shown and active first; an activation still on its way may bring
        // it back at once, so the request is made again until it holds.
        QTRY_COMPARE_WITH_TIMEOUT(managedState(top), QString("normal active"), 10000);
        QTRY_VERIFY(top->isActiveWindow());
        for (int tries = 0; tries < 5 && managedState(top) != "iconic hidden"; ++tries) {
            minimiseThroughTheManager(top);
            (void)QTest::qWaitFor([&] { return managedState(top) == "iconic hidden"; }, 2000);
        }
        QCOMPARE(managedState(top), QString("iconic hidden"));
        QTRY_VERIFY(top->isMinimized());
        QVERIFY(QTest::qWaitForWindowExposed(openWindow("Drift")->widget()));
        Dispatch([] { ChooseMenuItem("SimulationArchipelago"); });
        QTRY_COMPARE_WITH_TIMEOUT(managedState(top), QString("normal active"), 10000);
        QCOMPARE(FrontWindow(), lab);
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
        auto drift = openWindow("Drift");
        drift->SetLeft(20);  // away from the screen's middle, where a box of no window would go
        QVERIFY(QTest::qWaitForWindowActive(openWindow(front)->widget()));
        QWidget* owner = drift->widget();
        QString seen;
        inspectNextMessageBox(
            [&](QMessageBox* box) {
                // Where the manager has put it, once it has (the title bar's
                // half is well inside the margin).
                const bool centred = QTest::qWaitFor(
                    [&] { return (middleOnScreen(box) - middleOnScreen(owner)).manhattanLength() < 40; }, 5000);
                const bool transient = windowIn(xprop(box, "WM_TRANSIENT_FOR")) == owner->winId();
                return QStringList{transient ? "transient for Drift" : "not Drift's",
                                   centred ? "centred over it" : "placed elsewhere",
                                   match("= \"(.*)\"", xprop(box, "WM_NAME")), boxesOffered(box),
                                   QFontInfo(box->findChild<QLabel*>("qt_msgbox_label")->font()).family()}
                    .join("; ");
            },
            seen);
        SetMsgBoxHook(nullptr);
        drift->Ctl<EditField>("EditFieldFastFwd")->SetText("0");
        drift->Ctl<PushButton>("PushButtonFastFwd")->Push();
        SetMsgBoxHook([](const std::string& text) { QFAIL(text.c_str()); });
        const QString system = QFontInfo(internal::fontFor("System", 0)).family();
        QCOMPARE(seen, "transient for Drift; centred over it; Velloran; no decoration fixed; " + system);
        QCOMPARE(drift->Ctl<EditField>("EditFieldFastFwd")->Text(), std::string("1"));
    }

    // The screen shows a window where its Left and Top say, in its back
    // colour; and over the rebuilt Drift canvas, once the Okay handler of a
    // Reset to 500 x 500 is over, the 500 virions before any run.
    void whatTheScreenShows() {
        auto about = openWindow("About");
        QVERIFY(QTest::qWaitForWindowExposed(about->widget()));
        about->SetLeft(100);
        about->SetTop(80);
        QTRY_COMPARE(QPoint(about->Left(), about->Top()), QPoint(100, 80));
        QTRY_COMPARE(onScreen(QRect(110, 80 + 285, 1, 1)).pixel(0, 0), qRgb(255, 255, 255));  // below its address
        about->Close();

        auto drift = openWindow("Drift");
        auto d = openWindow("Reset");
        QVERIFY(QTest::qWaitForWindowExposed(d->widget()));
        d->Ctl<EditField>("EditFieldPopSize")->SetText("500");
        d->Ctl<EditField>("EditFieldSeqLen")->SetText("500");
        d->Ctl<PushButton>("PushButtonOkay")->Push();
        ProcessPendingEvents();
        auto rebuilt = WindowDrift();
        QVERIFY(rebuilt != drift);
        QVERIFY(QTest::qWaitForWindowExposed(rebuilt->widget()));
        auto can = rebuilt->Ctl<agingDrCan>("myAgingDrCan");
        QCOMPARE(can->AniTrons.UBound(), 500);
        // 500 dots of 8 pixels across cover well over a quarter of it.
        auto darkPixels = [&] {
            const QImage shot = onScreen(QRect(can->widget()->mapToGlobal(QPoint(0, 0)), can->widget()->size()));
            int n = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) n += qGray(shot.pixel(x, y)) < 100;
            return n;
        };
        QTRY_VERIFY_WITH_TIMEOUT(darkPixels() > 256 * 192 / 4, 20000);
        Globals::PopSize = 50;
        Globals::SequenceLength = 100;
    }
};

QTEST_MAIN(X11Windows)
#include "x11_windows.moc"
