// A seeded random walk through the whole application, driven as a user
// drives it: every press, drag, click and key goes through Qt's window-system
// path (so modal dialogs, mouse grabs, pop-ups and shortcuts behave as on a
// desktop), menu items are chosen by clicking the menu bar, and real timers
// tick while the walk waits. After every step the rules that must never break
// are checked; a failure prints the seed and the last 50 steps.
//
//   VELLORAN_STRESS_SEED    the walk's seed (default 20240611)
//   VELLORAN_STRESS_EVENTS  the number of steps (default 3000)
//   VELLORAN_STRESS_POP     population size set through File > Reset... at
//   VELLORAN_STRESS_LEN     start, and the size and length valid resets use
//   VELLORAN_STRESS_TRACE   1: print every step as it is taken
#include <QtTest>

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <iterator>
#include <random>
#include <set>
#include <unistd.h>

#include "app/App.h"
#include "app/WindowResetDrift.h"
#include "app/WindowSplash.h"
#include "engine/Globals.h"
#include "engine/agingDrCan.h"
#include "engine/agingVTron.h"
#include "engine/counter.h"
#include "engine/displayCan.h"
#include "engine/driftCan.h"
#include "engine/dropBox.h"
#include "engine/virionTron.h"
#include "framework/core/Text.h"
#include "framework/ui/Application.h"
#include "framework/ui/Window.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"
#include "support/TestApp.h"

extern "C" void __sanitizer_set_death_callback(void (*)()) __attribute__((weak));

namespace {

long long envNumber(const char* name, long long fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    char* end = nullptr;
    const long long n = std::strtoll(v, &end, 10);
    return end && *end == 0 ? n : fallback;
}

// --------------------------------------------------------------- the log

struct StepLog {
    unsigned long long seed = 0;
    long long step = 0;
    bool trace = false;
    std::deque<std::string> last;  // the last 50 steps

    void add(const std::string& s) {
        const std::string line = "#" + std::to_string(step) + " " + s;
        if (trace) std::fprintf(stderr, "%s\n", line.c_str());
        last.push_back(line);
        if (last.size() > 50) last.pop_front();
    }
    std::string dump() const {
        std::string out = "stress seed " + std::to_string(seed) + " (VELLORAN_STRESS_SEED), step " +
                          std::to_string(step) + "; the last steps:\n";
        for (const auto& l : last) out += "  " + l + "\n";
        return out;
    }
};
StepLog steps;

// A crash (or a sanitizer's report) still shows where the walk was.
void dumpSteps() {
    const std::string d = steps.dump();
    ssize_t ignored = ::write(2, d.data(), d.size());
    (void)ignored;
}
// The offscreen platform's notes about what it cannot do (grab the
// keyboard for a menu, raise a window) say nothing about the program.
QtMessageHandler qtHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    if (msg.startsWith(QLatin1String("This plugin does not support"))) return;
    // A drag that leaves the window, as a hand does.
    if (msg.contains(QLatin1String("occurs outside target window"))) return;
    if (qtHandler) qtHandler(type, context, msg);
}

void onFatalSignal(int sig) {
    dumpSteps();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// ------------------------------------------------------------ the checks

const QRegularExpression kWhole(QStringLiteral("^-?[0-9]+$"));

struct Checker {
    std::set<const aniTron*> seen;
    std::string error;

    void fail(const std::string& e) {
        if (error.empty()) error = e;
    }
    void place(const fw::Ref<aniTron>& t, const std::string& where) {
        if (!t) return fail("an empty place in " + where);
        if (!seen.insert(t.get()).second) fail("a virion is in two places at once, one of them " + where);
    }
    static int32_t lengthOf(const aniTron& t) {
        if (auto* v = dynamic_cast<const virionTron*>(&t)) return v->Sequence ? v->Sequence->ubound() : -1;
        if (auto* v = dynamic_cast<const agingVTron*>(&t)) return v->Sequence ? v->Sequence->ubound() : -1;
        return -2;
    }
    // One sequence length in a window.
    void length(int32_t& len, int32_t n, const std::string& where) {
        if (n < 0) return fail("a virion without a sequence in " + where);
        if (len < 0) len = n;
        if (len != n)
            fail("sequences of " + std::to_string(len) + " and " + std::to_string(n) + " letters in " + where);
    }
    template <class Can>
    void canvas(Can& c, int32_t& len, const std::string& where) {
        for (int32_t i = 1; i <= c.AniTrons.UBound(); ++i) {
            place(c.AniTrons(i), where);
            if (c.AniTrons(i)) length(len, lengthOf(*c.AniTrons(i)), where);
        }
        if (c.processingClick) fail("a pick-up or drop left running on " + where);
    }
    void hand(const fw::Ref<aniTron>& t, int32_t& len, bool mouseDown, const std::string& where) {
        if (!t) return;
        if (!mouseDown) fail("a virion is still held in " + where + " with the mouse up");
        place(t, where + " (in hand)");
        length(len, lengthOf(*t), where);
    }
    void whole(const fw::StaticText& counter, const std::string& where) {
        if (!kWhole.match(QString::fromStdString(counter.Text())).hasMatch())
            fail(where + " shows \"" + counter.Text() + "\"");
    }

    void drift(class WindowDrift& w, bool mouseDown) {
        const std::string where = "Drift";
        agingDrCan& can = *w.Ctl<agingDrCan>("myAgingDrCan");
        int32_t len = -1, adults = 0, babies = 0;
        canvas(can, len, where);
        for (int32_t i = 1; i <= can.AniTrons.UBound(); ++i)
            if (auto v = fw::As<agingVTron>(can.AniTrons(i))) (v->Adult ? adults : babies)++;
        if (adults != can.numAdults || babies != can.numBabies)
            fail("Drift counts " + std::to_string(can.numAdults) + " adults and " + std::to_string(can.numBabies) +
                 " babies, its list holds " + std::to_string(adults) + " and " + std::to_string(babies));
        hand(w.DragTron, len, mouseDown, where);
        dropBox& list = *w.Ctl<dropBox>("MyDropBox");
        for (int32_t r = 1; r < list.ListCount(); ++r) length(len, fw::Len(list.Cell(r, 2)), "Drift's list");
        whole(*w.Ctl<counter>("GenCounter"), "Drift's generation counter");
        const int32_t mode = w.Ctl<fw::Timer>("TheTimer")->Mode();
        const auto& run = *w.Ctl<fw::PushButton>("PushButtonRun");
        const bool running = mode == 2;
        if ((run.Caption() == "Pause") != running) fail("Drift's Run button reads " + run.Caption() + " with the timer in mode " + std::to_string(mode));
        if (mode == 1) fail("Drift's timer in mode 1");
        if (!run.Enabled()) fail("Drift's Run button left disabled");
        for (const char* b : {"PushButtonFastFwd", "PushButtonPlot", "PushButtonClear"})
            if (w.Ctl<fw::PushButton>(b)->Enabled() == running)
                fail(std::string("Drift's ") + b + (running ? " enabled while running" : " disabled while paused"));
    }

    template <class W>
    void populationLab(W& w, bool mouseDown, const std::string& where) {
        int32_t len = -1;
        for (int32_t i = 0; i < W::kPopulations; ++i) {
            canvas(w.Population(i), len, where + " population " + std::to_string(i));
            whole(w.GenCounterOf(i), where + "'s generation counter " + std::to_string(i));
        }
        for (int32_t i = 0; i < W::kSlots; ++i) canvas(w.Slot(i), len, where + " slot " + std::to_string(i));
        hand(w.DragTron, len, mouseDown, where);
        whole(*w.template Ctl<counter>("CountDown"), where + "'s count-down");
        const int32_t mode = w.template Ctl<fw::Timer>("TimerWait")->Mode();
        if (mode == 1) fail(where + "'s timer in mode 1");
        if (w.template Ctl<fw::PushButton>("PushButtonFastFwd")->Enabled() != (mode == 0))
            fail(where + "'s Fast Fwd button " + (mode == 0 ? "disabled with the timer off" : "enabled with the timer on"));
    }

    void tree(class WindowTree& w, bool mouseDown) {
        const std::string where = "Tree";
        int32_t len = -1;
        for (int32_t i = 0; i <= 7; ++i)
            canvas(*w.Ctl<driftCan>("myDriftCan", i), len, where + " population " + std::to_string(i));
        for (int32_t i = 0; i <= 1; ++i) canvas(*w.Ctl<displayCan>("MyDisplayCan", i), len, where + " slot");
        hand(w.DragTron, len, mouseDown, where);
        whole(*w.Ctl<counter>("CountUp"), "Tree's generation counter");
        const int32_t mode = w.Ctl<fw::Timer>("TimerWait")->Mode();
        const auto& ff = *w.Ctl<fw::PushButton>("PushButtonFastFwd");
        if (mode == 1) fail("Tree's timer in mode 1");
        if ((ff.Caption() == "Pause") != (mode == 2))
            fail("Tree's button reads " + ff.Caption() + " with the timer in mode " + std::to_string(mode));
    }

    std::string run(bool mouseDown) {
        if (fw::InHandler()) fail("a handler is still running between steps");
        for (const auto& w : fw::OpenWindows()) {
            if (w->IsClosed()) fail("a closed window is still listed as open");
            if (auto d = fw::As<class WindowDrift>(w)) drift(*d, mouseDown);
            else if (auto v = fw::As<class WindowDiverge>(w)) populationLab(*v, mouseDown, "Divergence");
            else if (auto a = fw::As<class WindowArchipelago>(w)) populationLab(*a, mouseDown, "Archipelago");
            else if (auto t = fw::As<class WindowTree>(w)) tree(*t, mouseDown);
        }
        return error;
    }
};

// --------------------------------------------------------------- the walk

const char* const kMenuItems[] = {"SimulationDrift", "SimulationDivergence", "SimulationArchipelago",
                                  "SimulationTree",  "AppleAboutMyApplication", "FileReset",
                                  "EditCopy",        "EditUndo",             "EditCut",
                                  "EditPaste",       "EditClear"};

class Walk {
public:
    Walk(unsigned long long seed, int pop, int len) : rng_(seed), pop_(pop), len_(len) {}

    std::mt19937_64 rng_;
    int pop_, len_;
    std::vector<std::string> messages;
    // The press that is still held: its window, and the point last reached.
    QPointer<QWindow> pressed_;
    QPoint pressedAt_;

    int below(int n) { return n <= 1 ? 0 : static_cast<int>(rng_() % static_cast<unsigned long long>(n)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    template <class T>
    const T& any(const std::vector<T>& v) { return v[static_cast<size_t>(below(static_cast<int>(v.size())))]; }

    static std::string nameOf(const fw::Ref<fw::Window>& w) {
        if (fw::IsA<class WindowDrift>(w)) return "Drift";
        if (fw::IsA<class WindowDiverge>(w)) return "Divergence";
        if (fw::IsA<class WindowArchipelago>(w)) return "Archipelago";
        if (fw::IsA<class WindowTree>(w)) return "Tree";
        if (fw::IsA<class WindowResetDrift>(w)) return "Reset";
        return w->Title().empty() ? "Splash/About" : w->Title();
    }
    static std::string at(QPoint p) { return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")"; }

    std::vector<fw::Ref<fw::Window>> visible() const {
        std::vector<fw::Ref<fw::Window>> out;
        for (const auto& w : fw::OpenWindows())
            if (w->Visible() && w->widget() && w->widget()->windowHandle()) out.push_back(w);
        return out;
    }
    // A window to act on: mostly the modal one while there is one (the rest
    // ignore the input anyway, as they would for a user).
    fw::Ref<fw::Window> someWindow() {
        auto v = visible();
        if (v.empty()) return nullptr;
        if (QWidget* modal = QApplication::activeModalWidget(); modal && chance(0.8))
            for (const auto& w : v)
                if (w->widget() == modal) return w;
        return any(v);
    }

    static QPoint toTop(const fw::Window& w, QPoint contentPoint) {
        return w.contentWidget()->mapTo(w.widget(), contentPoint);
    }
    QPoint inside(const fw::Control& c) {
        return {c.Left() + 1 + below(std::max(c.Width() - 2, 1)), c.Top() + 1 + below(std::max(c.Height() - 2, 1))};
    }
    // A point of window content: on a virion, a canvas, a list, a slot, a
    // button, a field, or anywhere.
    template <class Can>
    void addCanvasPoints(std::vector<QPoint>& virions, std::vector<QPoint>& out, Can& c) {
        if (!c.Visible()) return;
        for (int k = 0; k < 2 && c.AniTrons.UBound() > 0; ++k) {
            const aniTron& t = *c.AniTrons(1 + below(c.AniTrons.UBound()));
            virions.push_back({c.Left() + t.X + t.width / 2, c.Top() + t.Y + t.height / 2});
        }
        out.push_back(inside(c));
    }
    QPoint target(fw::Window& w) {
        std::vector<QPoint> virions, hot, lists, other;
        for (const auto& c : w.Controls()) {
            if (!c->Visible() || !c->widget()) continue;
            if (auto a = fw::As<aniCan>(c)) addCanvasPoints(virions, hot, *a);
            else if (auto d = fw::As<displayCan>(c)) addCanvasPoints(virions, hot, *d); else if (fw::IsA<fw::Listbox>(c)) lists.push_back(inside(*c));
            else if (fw::IsA<fw::PushButton>(c) || fw::IsA<fw::EditField>(c) || fw::IsA<fw::PopupMenu>(c))
                other.push_back(inside(*c));
        }
        const int r = below(100);
        if (r < 40 && !virions.empty()) return any(virions);
        if (r < 60 && !hot.empty()) return any(hot);
        if (r < 75 && !lists.empty()) return any(lists);
        if (r < 85 && !other.empty()) return any(other);
        return {below(std::max(w.Width(), 1)), below(std::max(w.Height(), 1))};
    }

    // ------------------------------------------------------------ steps

    void press(const fw::Ref<fw::Window>& w) {
        const QPoint p = toTop(*w, target(*w));
        steps.add("press " + nameOf(w) + " " + at(p));
        pressed_ = w->widget()->windowHandle();
        pressedAt_ = p;
        QTest::mousePress(pressed_, Qt::LeftButton, Qt::NoModifier, p);
    }
    void drag() {
        QWindow* win = pressed_;
        fw::Ref<fw::Window> w;
        for (const auto& o : fw::OpenWindows())
            if (o->widget() && o->widget()->windowHandle() == win) w = o;
        const QPoint p = w && chance(0.8) ? toTop(*w, target(*w))
                                          : pressedAt_ + QPoint(below(81) - 40, below(81) - 40);
        steps.add("drag to " + at(p));
        // A few moves along the way, as a hand makes them.
        const int moves = 1 + below(3);
        for (int i = 1; i <= moves; ++i) QTest::mouseMove(win, pressedAt_ + (p - pressedAt_) * i / moves);
        pressedAt_ = p;
    }
    // Whether any window holds a virion in the hand.
    static bool holding() {
        for (const auto& w : fw::OpenWindows()) {
            if (auto d = fw::As<class WindowDrift>(w); d && d->DragTron) return true;
            if (auto v = fw::As<class WindowDiverge>(w); v && v->DragTron) return true;
            if (auto a = fw::As<class WindowArchipelago>(w); a && a->DragTron) return true;
            if (auto t = fw::As<class WindowTree>(w); t && t->DragTron) return true;
        }
        return false;
    }
    int carried = 0;  // releases with a virion in the hand

    void release() {
        const bool held = holding();
        carried += held;
        steps.add("release " + at(pressedAt_) + (held ? " with a virion" : ""));
        QWindow* win = pressed_;
        pressed_ = nullptr;
        if (win) QTest::mouseRelease(win, Qt::LeftButton, Qt::NoModifier, pressedAt_);
    }

    void clickAt(const fw::Window& w, QPoint content) {
        QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, Qt::NoModifier, toTop(w, content));
    }
    void clickControl(const fw::Window& w, const fw::Control& c) {
        clickAt(w, {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2});
    }

    // The window's visible controls of one kind, in the window's order.
    template <class T>
    static std::vector<fw::Ref<T>> visibleControls(const fw::Ref<fw::Window>& w) {
        std::vector<fw::Ref<T>> out;
        for (const auto& c : w->Controls())
            if (auto t = fw::As<T>(c); t && t->Visible()) out.push_back(t);
        return out;
    }

    void pushAButton(const fw::Ref<fw::Window>& w) {
        const auto buttons = visibleControls<fw::PushButton>(w);
        if (buttons.empty()) return;
        const auto b = any(buttons);
        // A long fast forward in Drift is stopped by the keys, as a user
        // would, so that walks at a large population keep their pace.
        if (auto d = fw::As<class WindowDrift>(w); d && b->Name() == "PushButtonFastFwd" && b->Enabled()) {
            const double n = fw::Val(d->Ctl<fw::EditField>("EditFieldFastFwd")->Text());
            if (n > 3 && n <= 100) return stoppedFastForward(d, false);
        }
        steps.add("click " + nameOf(w) + " " + b->Name() + " \"" + b->Caption() + "\"" + (b->Enabled() ? "" : " (disabled)"));
        clickControl(*w, *b);
    }

    // Chooses a menu item as the user does: a click on the title in the
    // window's menu bar opens the menu, a click on the item chooses it.
    void chooseMenuItem(const fw::Ref<fw::Window>& w, const std::string& item) {
        QWidget* top = w->widget();
        auto* bar = top->findChild<QMenuBar*>();
        auto* action = top->findChild<QAction*>(QString::fromStdString(item));
        auto* menu = action ? qobject_cast<QMenu*>(action->parent()) : nullptr;
        if (bar && menu && !bar->isVisible()) {
            // A dialog shows no menu bar: only an item's shortcut reaches it.
            if (action->shortcut().isEmpty()) return;
            steps.add("shortcut in " + nameOf(w) + " for " + item);
            QTest::keySequence(top->windowHandle(), action->shortcut());
            return;
        }
        steps.add("menu " + nameOf(w) + " " + item);
        if (!bar || !menu) return;
        const QRect title = bar->actionGeometry(menu->menuAction());
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, bar->mapTo(top, title.center()));
        if (!menu->isVisible() || !menu->windowHandle()) {
            if (bar->activeAction()) QTest::keyClick(top->windowHandle(), Qt::Key_Escape);
            return;
        }
        QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    }

    // Any pop-up left open (a menu whose item was disabled, a pop-up menu's
    // list) is closed with Escape.
    void closePopups() {
        for (int i = 0; i < 4; ++i) {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup) return;
            steps.add("escape from a pop-up");
            if (popup->windowHandle()) QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
            if (QApplication::activePopupWidget() == popup) popup->close();
        }
    }

    std::string someText() {
        static const std::vector<std::string> kTexts = {
            "", "0", "-3", "1e309", "nan", "1", "2", "3", "100", "101", "500", "501", "2.5", "-0",
            "  7", "Ünïcødé ✓ 漢字", "12abc", "+4", "1e-400"};
        const int r = below(100);
        if (r < 3) return std::string(10 * 1024, 'x');
        if (r < 5) {  // 10 kB of mixed letters and digits
            std::string s;
            for (int i = 0; i < 10 * 1024; ++i) s += static_cast<char>(chance(0.5) ? '0' + below(10) : 'a' + below(26));
            return s;
        }
        return any(kTexts);
    }

    // Focus by a click, everything selected and replaced by the text (typed,
    // or sent in one go when long), then Return.
    void typeInto(const fw::Window& w, const fw::Control& field, const std::string& text, bool enter = true) {
        QWindow* win = w.widget()->windowHandle();
        clickControl(w, field);
        QTest::keyClick(win, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(win, Qt::Key_Delete);
        const QString t = QString::fromStdString(text);
        if (t.size() <= 12)
            for (QChar ch : t) QTest::sendKeyEvent(QTest::Click, win, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        else
            QTest::sendKeyEvent(QTest::Click, win, Qt::Key_unknown, t, Qt::NoModifier);
        if (enter) QTest::keyClick(win, Qt::Key_Return);
    }

    void typeIntoAField(const fw::Ref<fw::Window>& w) {
        const auto fields = visibleControls<fw::EditField>(w);
        if (fields.empty()) return;
        const auto f = any(fields);
        const std::string text = someText();
        steps.add("type into " + nameOf(w) + " " + f->Name() + " \"" + (text.size() > 20 ? text.substr(0, 20) + "..." : text) +
                  "\" (" + std::to_string(text.size()) + " bytes), Return");
        typeInto(*w, *f, text);
    }

    // File > Reset... from a laboratory, new values (valid or not), then
    // Okay, Return or Cancel.
    void reset(const fw::Ref<fw::Window>& lab) {
        chooseMenuItem(lab, "FileReset");
        fw::Ref<fw::Window> dialog;
        for (const auto& w : visible())
            if (fw::IsA<class WindowResetDrift>(w)) dialog = w;
        if (!dialog) return;
        const bool valid = chance(0.6);
        auto value = [&](int max) {
            if (valid) return std::to_string(chance(0.5) ? max : 1 + below(max));
            return someText();
        };
        const std::string pop = value(pop_), len = value(len_);
        const int how = below(3);
        steps.add("reset to \"" + pop.substr(0, 20) + "\" \"" + len.substr(0, 20) + "\", " +
                  (how == 0 ? "Okay" : how == 1 ? "Return" : "Cancel"));
        typeInto(*dialog, *dialog->Ctl<fw::EditField>("EditFieldPopSize"), pop, false);
        typeInto(*dialog, *dialog->Ctl<fw::EditField>("EditFieldSeqLen"), len, false);
        if (how == 1) QTest::keyClick(dialog->widget()->windowHandle(), Qt::Key_Return);
        else clickControl(*dialog, *dialog->Ctl<fw::PushButton>(how == 0 ? "PushButtonOkay" : "PushButtonCancel"));
    }

    // A long fast forward in Drift, stopped with Ctrl+period a moment
    // after it starts.
    // With retype false, the count already in the field is used.
    void stoppedFastForward(const fw::Ref<class WindowDrift>& d, bool retype = true) {
        auto ff = d->Ctl<fw::PushButton>("PushButtonFastFwd");
        if (!ff->Enabled()) return;
        const int after = below(120);
        auto field = d->Ctl<fw::EditField>("EditFieldFastFwd");
        steps.add("Drift fast forward " + (retype ? std::string("100") : field->Text()) + ", Ctrl+period after " +
                  std::to_string(after) + " ms");
        if (retype) typeInto(*d, *field, "100", false);
        QPointer<QWindow> win = d->widget()->windowHandle();
        bool fired = false;
        QTimer stop;
        stop.setSingleShot(true);
        QObject::connect(&stop, &QTimer::timeout, [&] {
            fired = true;
            if (!win) return;
            QTest::keyPress(win, Qt::Key_Control, Qt::NoModifier);
            QTest::keyPress(win, Qt::Key_Period, Qt::ControlModifier);
        });
        stop.start(after);
        const double before = fw::Val(d->Ctl<counter>("GenCounter")->Text());
        clickControl(*d, *ff);
        stop.stop();
        if (!d->IsClosed())
            steps.add("  " + fw::Str(fw::Val(d->Ctl<counter>("GenCounter")->Text()) - before) + " generations" +
                      (fired ? ", stopped" : ""));
        if (fired && win) {
            QTest::keyRelease(win, Qt::Key_Period, Qt::ControlModifier);
            QTest::keyRelease(win, Qt::Key_Control, Qt::NoModifier);
        }
    }

    // Rows of Drift's list selected by clicks, then Copy by its shortcut.
    void copyRows(const fw::Ref<class WindowDrift>& d) {
        auto list = d->Ctl<dropBox>("MyDropBox");
        steps.add("select rows in Drift's list, Ctrl+C");
        for (int i = below(3); i >= 0; --i) clickAt(*d, inside(*list));
        QTest::keyClick(d->widget()->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    }

    void closeWindow(const fw::Ref<fw::Window>& w) {
        steps.add("close box of " + nameOf(w));
        QCloseEvent e;
        QApplication::sendEvent(w->widget(), &e);
    }

    void wait() {
        const int r = below(100);
        if (r < 25) {
            // A timer's tick handed over at once (as the layer would).
            std::vector<fw::Ref<fw::Timer>> running;
            for (const auto& w : fw::OpenWindows())
                for (const auto& c : w->Controls())
                    if (auto t = fw::As<fw::Timer>(c); t && t->Mode() != 0) running.push_back(t);
            if (!running.empty()) {
                const auto t = any(running);
                const int n = 1 + below(5);
                steps.add("fire " + t->Name() + " x" + std::to_string(n));
                for (int i = 0; i < n; ++i) t->Fire();
                return;
            }
        }
        const int ms = r < 90 ? below(25) : 50 + below(150);
        steps.add("wait " + std::to_string(ms) + " ms");
        QTest::qWait(ms);
    }

    template <class T>
    fw::Ref<T> visibleOf() {
        for (const auto& w : visible())
            if (auto t = fw::As<T>(w)) return t;
        return nullptr;
    }

    void step() {
        closePopups();
        auto w = someWindow();
        if (!w) {
            // Every window closed: the application would have ended; it
            // starts again with Drift.
            steps.add("no window left: Drift again");
            fw::Dispatch([] { WindowDrift()->Show(); });
            return;
        }
        if (pressed_) {
            const int r = below(100);
            if (r < 55) drag();
            else if (r < 90) release();
            else wait();
            return;
        }
        const int r = below(1000);
        if (r < 120) chooseMenuItem(w, kMenuItems[below(std::size(kMenuItems))]);
        else if (r < 330) press(w);
        else if (r < 480) pushAButton(w);
        else if (r < 600) typeIntoAField(w);
        else if (r < 630) {
            if (!QApplication::activeModalWidget() && (fw::IsA<class WindowDrift>(w) || fw::IsA<class WindowDiverge>(w) ||
                                                       fw::IsA<class WindowArchipelago>(w) || fw::IsA<class WindowTree>(w)))
                reset(w);
        } else if (r < 660) {
            if (auto d = visibleOf<class WindowDrift>(); d && !QApplication::activeModalWidget()) stoppedFastForward(d);
        } else if (r < 690) {
            if (auto d = visibleOf<class WindowDrift>()) copyRows(d);
        } else if (r < 715) {
            if (!QApplication::activeModalWidget() || w->widget() == QApplication::activeModalWidget()) closeWindow(w);
        } else if (r < 740) {
            // Long fast forwards and runs in the timer-driven laboratories.
            if (auto v = visibleOf<class WindowDiverge>(); v && chance(0.5)) {
                steps.add("Divergence fast forward 500");
                typeInto(*v, *v->Ctl<fw::EditField>("EditFieldFastFwd"), "500", false);
                clickControl(*v, *v->Ctl<fw::PushButton>("PushButtonFastFwd"));
            } else if (auto a = visibleOf<class WindowArchipelago>()) {
                steps.add("Archipelago fast forward 500");
                typeInto(*a, *a->Ctl<fw::EditField>("EditFieldFastFwd"), "500", false);
                clickControl(*a, *a->Ctl<fw::PushButton>("PushButtonFastFwd"));
            }
        } else wait();
    }
};

}  // namespace

class TestStress : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        steps.seed = static_cast<unsigned long long>(envNumber("VELLORAN_STRESS_SEED", 20240611));
        steps.trace = envNumber("VELLORAN_STRESS_TRACE", 0) != 0;
        for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) std::signal(sig, onFatalSignal);
        if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(dumpSteps);

        // As main() starts the application; the simulation's generator is
        // seeded from the walk's seed instead of the clock.
        StartApplicationForTest("tst_stress", kMenuHandlers);
        qtHandler = qInstallMessageHandler(quietHandler);
        const double clockSeed = static_cast<double>(steps.seed % 1000000);
        fw::SetMicrosecondsSource([clockSeed] { return clockSeed; });
        fw::SetMsgBoxHook([](const std::string& text) { steps.add("  message: " + text.substr(0, 60)); });
        fw::SetShowURLHook([](const std::string& url) { steps.add("  browser: " + url); });
        fw::Dispatch([] { App()->Event_Open(); });
        fw::ProcessPendingEvents();
    }

    void cleanupTestCase() {
        CloseAllWindows();
        ReleasePictures();
        ReleaseMenu();
        fw::RegisterApp(nullptr);
        Globals::myRAlea = nullptr;
    }

    void randomWalk() {
        const long long events = envNumber("VELLORAN_STRESS_EVENTS", 3000);
        const int pop = static_cast<int>(envNumber("VELLORAN_STRESS_POP", 50));
        const int len = static_cast<int>(envNumber("VELLORAN_STRESS_LEN", 100));
        Walk walk(steps.seed, pop, len);
        std::fprintf(stderr, "stress: seed %llu, %lld steps, population %d, length %d\n", steps.seed, events, pop, len);

        // The splash goes with a click; the size and length asked for are
        // set through the Reset dialog.
        for (const auto& w : walk.visible())
            if (fw::IsA<class WindowSplash>(w)) walk.clickAt(*w, {10, 10});
        if (pop != 50 || len != 100) {
            auto drift = WindowDrift();
            walk.chooseMenuItem(drift, "FileReset");
            auto dialog = WindowResetDrift();
            walk.typeInto(*dialog, *dialog->Ctl<fw::EditField>("EditFieldPopSize"), std::to_string(pop), false);
            walk.typeInto(*dialog, *dialog->Ctl<fw::EditField>("EditFieldSeqLen"), std::to_string(len), true);
            QVERIFY2(Globals::PopSize == pop && Globals::SequenceLength == len, "the Reset dialog refused the size");
        }

        QElapsedTimer clock;
        clock.start();
        for (steps.step = 1; steps.step <= events; ++steps.step) {
            const qint64 before = clock.elapsed();
            walk.step();
            if (events >= 10000 && steps.step % 1000 == 0)
                std::fprintf(stderr, "stress: %lld steps, %.0f s\n", steps.step, clock.elapsed() / 1000.0);
            if (const qint64 took = clock.elapsed() - before; took > 1000)
                std::fprintf(stderr, "stress: step %lld took %lld ms: %s\n", steps.step, took, steps.last.back().c_str());
            const std::string broken = Checker().run(walk.pressed_ != nullptr);
            if (!broken.empty()) {
                const std::string report = broken + "\n" + steps.dump();
                QFAIL(report.c_str());
            }
        }
        if (walk.pressed_) walk.release();
        std::fprintf(stderr, "stress: %lld steps in %.1f s, %d virions carried\n", events, clock.elapsed() / 1000.0,
                     walk.carried);
        const std::string broken = Checker().run(false);
        QVERIFY2(broken.empty(), (broken + "\n" + steps.dump()).c_str());
    }
};

int main(int argc, char** argv) {
    // Long walks outlast the test library's five-minute limit for one test
    // function; slow steps are reported as they happen instead.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
        const long long events = envNumber("VELLORAN_STRESS_EVENTS", 3000);
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max(300000LL, events * 1000)));
    }
    QApplication app(argc, argv);
    TestStress test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_stress.moc"
