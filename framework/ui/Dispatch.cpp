// The dispatch rules: one handler at a time, input held while a handler
// yields, timer ticks owed until it returns, the keyboard's state tracked
// all along.
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <array>
#include <cstdlib>
#include <memory>
#include <vector>

#include "../core/Yield.h"
#include "Application.h"
#include "Internal.h"
#include "Window.h"

namespace fw {

namespace {

int depth = 0;
// The window whose handler runs (the innermost handler that named one).
Window* handlerWindow = nullptr;

struct HeldEvent {
    QPointer<QObject> receiver;
    std::unique_ptr<QEvent> event;
};
std::vector<HeldEvent> held;

bool commandKey = false;
std::array<bool, 256> keysDown{};

void trackKey(const QKeyEvent* k) {
    if (k->isAutoRepeat()) return;
    const bool down = k->type() == QEvent::KeyPress;
    if (k->key() == Qt::Key_Control)
        commandKey = down;
    else
        commandKey = k->modifiers().testFlag(Qt::ControlModifier);
    if (k->key() == Qt::Key_Period) keysDown[47] = down;
}

// Keeps a copy of input aimed at a program window while a handler runs.
bool holdIfBusy(QObject* receiver, QEvent* e) {
    if (depth == 0 || !internal::programWindowOf(receiver)) return false;
    held.push_back({receiver, std::unique_ptr<QEvent>(e->clone())});
    return true;
}

bool isKey(const QEvent* e) {
    return e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease;
}

// Whether held input may still go to its receiver now. Once a replayed click
// has opened a menu (a popup is up), what was held after it was meant for
// the window as it stood without the menu: input aimed anywhere but at a
// popup is dropped, and the menu waits for a choice of the user's. Close
// requests always go.
bool stillWanted(const HeldEvent& h) {
    if (h.event->type() == QEvent::Close || !QApplication::activePopupWidget()) return true;
    auto* w = qobject_cast<QWidget*>(h.receiver.data());
    return w && w->window()->windowType() == Qt::Popup;
}

// Sent as it came; should a handler run meanwhile (a yield let the event loop
// in), it is held again and judged afresh.
void replay(const HeldEvent& h) {
    if (!h.receiver) return;
    Window* w = internal::programWindowOf(h.receiver);
    if (!w || w->IsClosed() || !stillWanted(h)) return;
    QCoreApplication::sendEvent(h.receiver, h.event.get());
}

// Once no handler runs: windows closed meanwhile are destroyed, the
// canvases shown meanwhile are painted again, then the held input goes out
// again in its order, each event from the event loop in its turn (one may
// start a handler, which holds the rest again), except what was aimed at a
// window that is gone or closed by then.
void afterHandlers() {
    internal::destroyClosedWindows();
    internal::repaintWaitingCanvases();
    auto events = std::move(held);
    held.clear();
    for (auto& h : events) {
        auto event = std::make_shared<HeldEvent>(std::move(h));
        QMetaObject::invokeMethod(qApp, [event] { replay(*event); }, Qt::QueuedConnection);
    }
    // Timer ticks owed meanwhile follow the input.
    internal::deliverOwedTicksLater();
    internal::quitWhenNoWindowLeft();
}

class LayerFilter : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (e->spontaneous()) trackKey(static_cast<QKeyEvent*>(e));
            return hold(o, e);
        case QEvent::ShortcutOverride:
            // Not held: while a handler runs, the shortcut that follows is.
            if (depth == 0 && static_cast<QKeyEvent*>(e)->modifiers().testFlag(Qt::ControlModifier) &&
                internal::programWindowOf(o))
                internal::runEnablingPassFromUi();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::Shortcut:
            return hold(o, e);
        case QEvent::Close:
            if (!holdIfBusy(o, e)) return false;
            e->ignore();  // the window stays open for now
            return true;
        case QEvent::ApplicationDeactivate:
            commandKey = false;
            keysDown.fill(false);
            return false;
        default:
            return false;
        }
    }

private:
    // Input is judged by the state at its arrival. Aimed at a greyed widget,
    // it is left to Qt, as with no handler running: a greyed button swallows
    // a press, other widgets pass it to their nearest enabled parent, where
    // it comes back here and is held (a press on a greyed field is a press
    // on the window). So a click on a button greyed by the running
    // handler is never replayed as a click once the button is enabled again.
    // Keys for a greyed control that kept the focus are dropped.
    static bool hold(QObject* o, QEvent* e) {
        if (depth == 0) return false;
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isEnabled()) return false;
        if (isKey(e) && internal::focusWaitsAt(o)) {
            e->accept();
            return true;
        }
        if (!holdIfBusy(o, e)) return false;
        e->accept();  // no propagation to the parents
        return true;
    }
};

QPointer<LayerFilter> filter;
bool processEnding = false;

void yieldProcessor() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

namespace internal {

Window* currentHandlerWindow() {
    return handlerWindow;
}

bool qtUsable() {
    return QCoreApplication::instance() && !QCoreApplication::closingDown() && !processEnding;
}

void ensureLayer() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || filter) return;
    // From the process's end on, destructors leave Qt alone: run before any
    // static object made before this point is destroyed, the program's own
    // among them.
    static const bool endNoted = std::atexit([] { processEnding = true; }) == 0;
    (void)endNoted;
    qAddPostRoutine(&forgetWindows);
    filter = new LayerFilter;
    filter->setParent(app);
    app->installEventFilter(filter);
    // Closing windows is the program's business (see quitWhenNoWindowLeft).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    SetYieldProcessor(&yieldProcessor, 15);
}

}  // namespace internal

bool InHandler() {
    return depth > 0;
}

void Dispatch(const std::function<void()>& fn, Window* window) {
    struct Depth {
        Window* outerWindow = handlerWindow;
        explicit Depth(Window* w) {
            if (w) handlerWindow = w;
            // The event loop has just handed over: a yield lets it in again
            // only once a whole interval has passed in this handler.
            if (depth++ == 0) RestartYieldInterval();
        }
        ~Depth() {
            --depth;
            handlerWindow = outerWindow;
        }
    };
    {
        Depth guard(window);
        try {
            fn();
        } catch (const NilObjectException& e) {
            MsgBox(std::string("An internal error stopped this action: ") + e.what());
        } catch (const OutOfBoundsException& e) {
            MsgBox(std::string("An internal error stopped this action: ") + e.what());
        } catch (const std::exception& e) {
            MsgBox(std::string("An internal error stopped this action: ") + e.what());
        }
    }
    if (depth == 0) afterHandlers();
}

void ProcessPendingEvents() {
    if (!QCoreApplication::instance()) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    if (depth == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace Keyboard {

bool AsyncCommandKey() {
    return commandKey;
}

bool AsyncKeyDown(int32_t code) {
    return code >= 0 && code < static_cast<int32_t>(keysDown.size()) && keysDown[code];
}

void SetCommandKey(bool down) {
    commandKey = down;
}

void SetKeyDown(int32_t code, bool down) {
    if (code >= 0 && code < static_cast<int32_t>(keysDown.size())) keysDown[code] = down;
}

}  // namespace Keyboard

}  // namespace fw
