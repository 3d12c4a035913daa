// A seeded random walk through the whole application, driven as a user
// drives it: presses, drags, clicks and keys go through Qt's window-system
// path (so modal dialogs, mouse grabs, pop-ups and shortcuts behave as on a
// desktop), menu items are chosen by clicking the menu bar, and real timers
// tick while the walk waits. After every step the rules that must never break
// are checked; a failure (or a crash) prints the seed and the last 50 steps.
//
//   VELLORAN_STRESS_SEED    the walk's seed (default 20240611)
//   VELLORAN_STRESS_EVENTS  the number of steps (default 3000)
//   VELLORAN_STRESS_POP     population size and sequence length set through
//   VELLORAN_STRESS_LEN     File > Reset... at start, and the largest the walk types
//   VELLORAN_STRESS_TRACE   1: print every step as it is taken
#include <QtTest>

#include <QMenuBar>
#include <csignal>
#include <deque>
#include <random>
#include <set>
#include <unistd.h>

#include "app/WindowResetDrift.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/counter.h"
#include "engine/displayCan.h"
#include "engine/dropBox.h"
#include "engine/virionTron.h"
#include "framework/core/Text.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

extern "C" void __sanitizer_set_death_callback(void (*)()) __attribute__((weak));

namespace {

long long env(const char* name, long long fallback) {
    bool ok = false;
    const long long n = qgetenv(name).toLongLong(&ok);
    return ok ? n : fallback;
}
const unsigned long long seed = env("VELLORAN_STRESS_SEED", 20240611);
const long long events = env("VELLORAN_STRESS_EVENTS", 3000);
const bool trace = env("VELLORAN_STRESS_TRACE", 0);
// Long walks outlast the test library's five-minute limit for one function.
const bool timeoutSet = qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT") ||
                        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max(300000LL, events * 1000)));

long long step = 0;
std::deque<std::string> lastSteps;
void note(const std::string& s) {
    lastSteps.push_back("#" + std::to_string(step) + " " + s);
    if (trace) std::fprintf(stderr, "%s\n", lastSteps.back().c_str());
    if (lastSteps.size() > 50) lastSteps.pop_front();
}
std::string lastStepsText() {
    std::string out = "stress seed " + std::to_string(seed) + " (VELLORAN_STRESS_SEED); the last steps:\n";
    for (const auto& l : lastSteps) out += "  " + l + "\n";
    return out;
}
// A crash, or a sanitizer's report, still shows where the walk was.
void dumpSteps() {
    const std::string d = lastStepsText();
    [[maybe_unused]] ssize_t n = ::write(2, d.data(), d.size());
}
void onFatalSignal(int sig) { dumpSteps(), std::signal(sig, SIG_DFL), std::raise(sig); }
// The offscreen platform's notes on what it cannot do (grab the keyboard for
// a menu, raise a window), and on drags that leave the window, are noise.
QtMessageHandler qtHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (!msg.startsWith("This plugin does not support") && !msg.contains("occurs outside target window"))
        qtHandler(type, context, msg);
}

// ------------------------------------------------------------ the rules

const QRegularExpression kWhole("^-?[0-9]+$");

// No handler runs between steps and no closed window is listed. In each
// window: every virion is in one place, with as many letters as every other
// (the Drift list's rows too); no pick-up or drop is left running; only a
// held mouse holds a virion; counters show whole numbers; timers are off or
// repeating, and the buttons read and enable as the timer's state says.
struct Checker {
    explicit Checker(bool down) : mouseDown(down) {}
    bool mouseDown;
    std::set<const aniTron*> seen;
    std::string error;
    int32_t len = -1;  // the letters of the window's virions

    void fail(const std::string& e) { if (error.empty()) error = e; }
    void letters(int32_t n, const std::string& where) {
        if (len < 0) len = n;
        if (n < 0 || n != len) fail("a sequence of " + fw::Str(n) + " letters, not " + fw::Str(len) + ", in " + where);
    }
    void virion(const fw::Ref<aniTron>& t, const std::string& where) {
        if (!t || !seen.insert(t.get()).second) return fail("a virion missing, or in two places, in " + where);
        auto v = fw::As<virionTron>(t);
        auto a = fw::As<agingVTron>(t);
        const fw::Ref<cArray> seq = v ? v->Sequence : a ? a->Sequence : nullptr;
        letters(seq ? seq->ubound() : -1, where);
    }
    template <class Can>
    void canvas(Can& c, const std::string& where) {
        for (int32_t i = 1; i <= c.AniTrons.UBound(); ++i) virion(c.AniTrons(i), where);
        if (c.processingClick) fail("a pick-up or drop left running on " + where);
    }
    // The hand; the timer's own button, always enabled, reads "Pause" exactly
    // while the timer runs; the buttons that wait are enabled while it does not.
    template <class W>
    void lab(W& w, const char* timer, const char* own, std::initializer_list<const char*> waiting) {
        if (w.DragTron && !mouseDown) fail("a virion is still held in " + w.Title() + " with the mouse up");
        if (w.DragTron) virion(w.DragTron, w.Title() + " (in hand)");
        const bool on = w.template Ctl<fw::Timer>(timer)->Mode() == 2;
        auto button = [&](const char* name) { return w.template Ctl<fw::PushButton>(name); };
        if (own && (!button(own)->Enabled() || (button(own)->Caption() == "Pause") != on))
            fail(w.Title() + "'s " + own + " reads " + button(own)->Caption() + (on ? ", running" : ", paused"));
        for (const char* b : waiting)
            if (button(b)->Enabled() == on) fail(w.Title() + "'s " + b + (on ? " enabled while running" : " disabled"));
    }

    std::string run() {
        if (fw::InHandler()) fail("a handler is still running between steps");
        for (const auto& w : fw::OpenWindows()) {
            if (w->IsClosed()) fail("a closed window is still listed as open");
            len = -1;
            for (const auto& c : w->Controls()) {
                const std::string where = w->Title() + " " + c->Name() + " " + fw::Str(c->Index());
                if (auto a = fw::As<aniCan>(c)) canvas(*a, where);
                if (auto d = fw::As<displayCan>(c)) canvas(*d, where);
                if (auto n = fw::As<counter>(c); n && !kWhole.match(QString::fromStdString(n->Text())).hasMatch())
                    fail(where + " shows \"" + n->Text() + "\"");
                if (auto t = fw::As<fw::Timer>(c); t && t->Mode() == 1) fail(where + " is in mode 1");
            }
            if (auto v = fw::As<class WindowDiverge>(w)) lab(*v, "TimerWait", nullptr, {"PushButtonFastFwd"});
            if (auto a = fw::As<class WindowArchipelago>(w)) lab(*a, "TimerWait", nullptr, {"PushButtonFastFwd"});
            if (auto t = fw::As<class WindowTree>(w)) lab(*t, "TimerWait", "PushButtonFastFwd", {});
            auto d = fw::As<class WindowDrift>(w);
            if (!d) continue;
            lab(*d, "TheTimer", "PushButtonRun", {"PushButtonFastFwd", "PushButtonPlot", "PushButtonClear"});
            agingDrCan& can = *d->Ctl<agingDrCan>("myAgingDrCan");
            int32_t adults = 0;
            for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i) adults += fw::Cast<agingVTron>(can.AniTrons(i))->Adult;
            if (adults != can.numAdults || can.AniTrons.UBound() - adults != can.numBabies)
                fail("Drift counts " + fw::Str(can.numAdults) + " adults and " + fw::Str(can.numBabies) + " babies");
            dropBox& list = *d->Ctl<dropBox>("MyDropBox");
            for (int32_t r = 1; r < list.ListCount(); ++r) letters(fw::Len(list.Cell(r, 2)), "Drift's list");
        }
        return error;
    }
};

// --------------------------------------------------------------- the walk

std::mt19937_64 rng(seed);
int below(int n) { return n <= 1 ? 0 : int(rng() % (unsigned long long)n); }
bool chance(double p) { return below(1000) < p * 1000; }
template <class T>
T any(const std::vector<T>& v) { return v[size_t(below(int(v.size())))]; }

QPointer<QWindow> pressed;  // the press still held, and the point it reached
QPoint pressedAt;

QWindow* handle(const fw::Window& w) { return w.widget()->windowHandle(); }
QPoint toTop(const fw::Window& w, QPoint p) { return w.contentWidget()->mapTo(w.widget(), p); }
std::string at(QPoint p) { return "(" + fw::Str(p.x()) + "," + fw::Str(p.y()) + ")"; }
QPoint inside(const fw::Control& c) {
    return {c.Left() + 1 + below(c.Width() - 2), c.Top() + 1 + below(c.Height() - 2)};
}
void clickAt(const fw::Window& w, QPoint p) { QTest::mouseClick(handle(w), Qt::LeftButton, {}, toTop(w, p)); }
void click(const fw::Window& w, const fw::Control& c) {
    clickAt(w, {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2});
}
const fw::Control& field(const fw::Window& w, const char* name) { return *w.Ctl<fw::EditField>(name); }

// Mostly on a virion, then on a control, or anywhere in the window.
QPoint target(const fw::Window& w) {
    std::vector<QPoint> virions, controls;
    auto add = [&](auto& c) {
        for (int k = 0; k < 2 && c.AniTrons.UBound() > 0; ++k) {
            const aniTron& t = *c.AniTrons(1 + below(c.AniTrons.UBound()));
            virions.push_back({c.Left() + t.X + t.width / 2, c.Top() + t.Y + t.height / 2});
        }
    };
    for (const auto& c : w.Controls()) {
        if (!c->Visible() || !c->widget()) continue;
        if (auto a = fw::As<aniCan>(c)) add(*a);
        if (auto d = fw::As<displayCan>(c)) add(*d);
        controls.push_back(inside(*c));
    }
    if (!virions.empty() && chance(0.4)) return any(virions);
    return !controls.empty() && chance(0.75) ? any(controls) : QPoint(below(w.Width()), below(w.Height()));
}

// The title in the window's menu bar, then the item; a dialog shows no bar,
// so only a shortcut reaches it.
void chooseMenuItem(const fw::Window& w, const std::string& item) {
    auto* bar = w.widget()->findChild<QMenuBar*>();
    auto* action = w.widget()->findChild<QAction*>(QString::fromStdString(item));
    auto* menu = action ? qobject_cast<QMenu*>(action->parent()) : nullptr;
    if (!bar || !menu || (!bar->isVisible() && action->shortcut().isEmpty())) return;
    note("menu " + w.Title() + " " + item);
    if (!bar->isVisible()) return QTest::keySequence(handle(w), action->shortcut());
    const QPoint title = bar->actionGeometry(menu->menuAction()).center();
    QTest::mouseClick(handle(w), Qt::LeftButton, {}, bar->mapTo(w.widget(), title));
    if (menu->isVisible() && menu->windowHandle())
        QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

int maxPop = 50, maxLen = 100;  // the largest size and length the walk types

std::string someText() {
    static const std::vector<std::string> kTexts = {"", "0", "-3", "1e309", "nan", "1", "3", "100", "101", "500",
                                                    "501", "2.5", "  7", "Ünïcødé ✓ 漢字", "12abc", "+4"};
    if (chance(0.2)) return fw::Str(chance(0.5) ? maxPop : 1 + below(chance(0.5) ? maxPop : maxLen));
    return chance(0.05) ? std::string(10 * 1024, "x7"[below(2)]) : any(kTexts);
}

// Focus by a click, everything replaced by the text (typed, or sent in one
// go when long), then Return if asked.
void typeInto(const fw::Window& w, const fw::Control& f, const std::string& text, bool enter) {
    click(w, f);
    QTest::keyClick(handle(w), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(handle(w), Qt::Key_Delete);
    const QString t = QString::fromStdString(text);
    if (t.size() > 12) QTest::sendKeyEvent(QTest::Click, handle(w), Qt::Key_unknown, t, {});
    else for (QChar ch : t) QTest::sendKeyEvent(QTest::Click, handle(w), Qt::Key_unknown, QString(ch), {});
    if (enter) QTest::keyClick(handle(w), Qt::Key_Return);
}

// A fast forward in Drift stopped with Ctrl+period a moment after it starts,
// so that walks at a large population keep their pace.
void stoppedFastForward(const fw::Ref<class WindowDrift>& d) {
    const int after = below(120);
    note("Drift fast forward, Ctrl+period after " + fw::Str(after) + " ms");
    QPointer<QWindow> win = handle(*d);
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [&] {
        if (win) QTest::keyPress(win, Qt::Key_Control), QTest::keyPress(win, Qt::Key_Period, Qt::ControlModifier);
    });
    stop.start(after);
    click(*d, *d->Ctl<fw::PushButton>("PushButtonFastFwd"));
    if (!stop.isActive() && win)
        QTest::keyRelease(win, Qt::Key_Period, Qt::ControlModifier), QTest::keyRelease(win, Qt::Key_Control);
}

void takeStep() {
    for (int i = 0; i < 4 && QApplication::activePopupWidget(); ++i) {  // a menu or pop-up list left open
        note("close a pop-up");
        QApplication::activePopupWidget()->close();
    }
    std::vector<fw::Ref<fw::Window>> all;
    for (const auto& v : fw::OpenWindows())
        if (v->Visible() && v->widget() && handle(*v)) all.push_back(v);
    if (all.empty()) return note("no window left: Drift again"), fw::Dispatch([] { WindowDrift()->Show(); });
    // Mostly the modal window while there is one (the others ignore input),
    // and the one pressed while the mouse is held.
    QWidget* modal = QApplication::activeModalWidget();
    fw::Ref<fw::Window> w = any(all);
    for (const auto& v : all)
        if ((modal && v->widget() == modal && chance(0.8)) || (pressed && handle(*v) == pressed)) w = v;
    const auto drift = fw::As<class WindowDrift>(w);
    const auto fastFwd = w->FindControl("PushButtonFastFwd");
    const int r = below(1000);
    if (pressed && r < 550) {
        const QPoint to = chance(0.8) ? toTop(*w, target(*w)) : pressedAt + QPoint(below(81) - 40, below(81) - 40);
        note("drag to " + at(to));
        for (int i = 1, n = 1 + below(3); i <= n; ++i) QTest::mouseMove(pressed, pressedAt + (to - pressedAt) * i / n);
        pressedAt = to;
    } else if (pressed && r < 900) {
        note("release " + at(pressedAt));
        QTest::mouseRelease(std::exchange(pressed, nullptr), Qt::LeftButton, {}, pressedAt);
    } else if (pressed || r >= 655) {
        std::vector<fw::Ref<fw::Timer>> running;
        for (const auto& v : fw::OpenWindows())
            for (const auto& c : v->Controls())
                if (auto t = fw::As<fw::Timer>(c); t && t->Mode() != 0) running.push_back(t);
        const int ms = chance(0.9) ? below(25) : 50 + below(150);
        if (running.empty() || chance(0.75)) return note("wait " + fw::Str(ms) + " ms"), QTest::qWait(ms);
        const auto t = any(running);  // a tick handed over at once, as the layer would
        note("fire " + t->Name());
        for (int i = below(5); i >= 0; --i) t->Fire();
    } else if (r < 120) {
        static const char* const kItems[] = {"SimulationDrift", "SimulationDivergence", "SimulationArchipelago",
                                             "SimulationTree", "AppleAboutMyApplication", "FileReset", "EditCopy",
                                             "EditUndo", "EditCut", "EditPaste", "EditClear"};
        chooseMenuItem(*w, kItems[below(std::size(kItems))]);
    } else if (r < 330) {
        pressedAt = toTop(*w, target(*w));
        note("press " + w->Title() + " " + at(pressedAt));
        QTest::mousePress(pressed = handle(*w), Qt::LeftButton, {}, pressedAt);
    } else if (r < 600) {  // a button or a field
        std::vector<fw::Ref<fw::Control>> controls;
        for (const auto& c : w->Controls())
            if ((fw::IsA<fw::PushButton>(c) || fw::IsA<fw::EditField>(c)) && c->Visible() && c->widget())
                controls.push_back(c);
        if (controls.empty()) return;
        const auto c = any(controls);
        const double n = drift ? fw::Val(drift->Ctl<fw::EditField>("EditFieldFastFwd")->Text()) : 0;
        if (c == fastFwd && drift && c->Enabled() && n > 3 && n <= 100) return stoppedFastForward(drift);
        const std::string text = fw::IsA<fw::EditField>(c) ? someText() : "";
        note((fw::IsA<fw::EditField>(c) ? "type \"" + text.substr(0, 20) + "\", Return into " : "click ") + w->Title() +
             " " + c->Name() + (c->Enabled() ? "" : " (disabled)"));
        if (fw::IsA<fw::EditField>(c)) typeInto(*w, *c, text, true);
        else click(*w, *c);
    } else if (r < 630) {
        if (drift && !modal && fastFwd->Enabled())
            typeInto(*drift, field(*drift, "EditFieldFastFwd"), "100", false), stoppedFastForward(drift);
    } else if (!modal || w->widget() == modal) {
        note("close box of " + w->Title());
        QCloseEvent e;
        QApplication::sendEvent(w->widget(), &e);
    }
}

}  // namespace

class TestStress : public QObject {
    Q_OBJECT

private slots:
    // As main() starts the application, with the generator seeded from the
    // walk's seed instead of the clock.
    void initTestCase() {
        for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) std::signal(sig, onFatalSignal);
        if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(dumpSteps);
        StartApplicationForTest("tst_stress", kMenuHandlers);
        qtHandler = qInstallMessageHandler(quietHandler);
        fw::SetMicrosecondsSource([] { return double(seed % 1000000); });
        fw::SetMsgBoxHook([](const std::string& text) { note("  message: " + text.substr(0, 60)); });
        fw::SetShowURLHook([](const std::string& url) { note("  browser: " + url); });
        fw::Dispatch([] { App()->Event_Open(); });
        fw::ProcessPendingEvents();
    }
    void cleanupTestCase() {
        CloseAllWindows(), ReleasePictures(), ReleaseMenu();
        fw::RegisterApp(nullptr);
        Globals::myRAlea = nullptr;
    }

    void randomWalk() {
        const int pop = maxPop = int(env("VELLORAN_STRESS_POP", 50));
        const int len = maxLen = int(env("VELLORAN_STRESS_LEN", 100));
        std::fprintf(stderr, "stress: seed %llu, %lld steps, population %d, length %d\n", seed, events, pop, len);
        for (const auto& w : fw::OpenWindows())
            if (w->Title().empty() && w->Visible()) clickAt(*w, {10, 10});  // the splash
        if (pop != 50 || len != 100) {
            chooseMenuItem(*WindowDrift(), "FileReset");
            typeInto(*WindowResetDrift(), field(*WindowResetDrift(), "EditFieldPopSize"), fw::Str(pop), false);
            typeInto(*WindowResetDrift(), field(*WindowResetDrift(), "EditFieldSeqLen"), fw::Str(len), true);
            QVERIFY2(Globals::PopSize == pop && Globals::SequenceLength == len, "the Reset dialog refused the size");
        }
        QElapsedTimer clock;
        clock.start();
        for (step = 1; step <= events; ++step) {
            const qint64 before = clock.elapsed();
            takeStep();
            if (const qint64 took = clock.elapsed() - before; took > 1000)
                std::fprintf(stderr, "stress: step %lld took %lld ms: %s\n", step, took, lastSteps.back().c_str());
            const std::string broken = Checker(pressed != nullptr).run();
            QVERIFY2(broken.empty(), (broken + "\n" + lastStepsText()).c_str());
        }
        if (pressed) QTest::mouseRelease(pressed, Qt::LeftButton, {}, pressedAt);
        const std::string broken = Checker(false).run();
        QVERIFY2(broken.empty(), (broken + "\n" + lastStepsText()).c_str());
        std::fprintf(stderr, "stress: %lld steps in %.1f s\n", events, clock.elapsed() / 1000.0);
    }
};

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
