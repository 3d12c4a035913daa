// The windows on the real X11 platform, under a virtual X server: every fixed
// text fits its control in the fonts X resolves, the window manager is told
// which boxes each window has (read back from the X server), and after a
// Reset to 500 x 500 the screen shows the Drift window's population.

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>

#include "WindowLooks.h"
#include "app/App.h"
#include "engine/Globals.h"
#include "engine/agingDrCan.h"
#include "framework/ui/Application.h"
#include "support/TestApp.h"

namespace {

// Motif hint bits as window managers read them.
constexpr unsigned kFunctionsGiven = 1, kDecorationsGiven = 2;
constexpr unsigned kFuncAll = 1, kFuncMinimize = 8, kFuncMaximize = 16, kFuncClose = 32;

// A property of the window as the X server holds it, through xprop; empty
// when xprop is missing.
QString xprop(QWidget* w, const QString& property) {
    const QString tool = QStandardPaths::findExecutable("xprop");
    if (tool.isEmpty()) return {};
    QProcess p;
    p.start(tool, {"-id", QString::number(w->winId()), property});
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
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
