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

// Once no handler runs: windows closed meanwhile are destroyed, the
// canvases shown meanwhile are painted again, then the held input goes out
// again in its order, except what was aimed at a window that is gone or
// closed.
void afterHandlers() {
    internal::destroyClosedWindows();
    internal::repaintWaitingCanvases();
    auto events = std::move(held);
    held.clear();
    for (auto& h : events) {
        if (!h.receiver) continue;
        Window* w = internal::programWindowOf(h.receiver);
        if (!w || w->IsClosed()) continue;
        QCoreApplication::postEvent(h.receiver, h.event.release());
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
    static bool hold(QObject* o, QEvent* e) {
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
