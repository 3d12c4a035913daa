// Private plumbing shared by the window layer's source files; not for
// program code.
#pragma once

#include <QFont>
#include <string>

class QObject;
class QWidget;

namespace fw {

class Control;
class Window;

namespace internal {

// Installs the event filter and the yield processor once a QApplication
// exists (RuntimeInit does it; the first window does it too).
void ensureLayer();

// The program window that a Qt object (widget, action, menu) belongs to,
// open or closed but not yet destroyed; nullptr for anything else (message
// boxes and other dialogs of the layer itself).
Window* programWindowOf(const QObject* o);

// The window named by the running handler's Dispatch (its button, timer,
// mouse or close box), or nullptr. Closed meanwhile, it still exists until no
// handler runs.
Window* currentHandlerWindow();

// True while the application object exists and neither it nor the process
// is ending: only then may a destructor touch Qt objects.
bool qtUsable();

// Called as the application object goes away: the windows still open are
// forgotten, never destroyed (their widgets cannot be touched any more).
void forgetWindows();

// Destroys the windows closed while a handler ran (called at depth 0).
void destroyClosedWindows();

// Sends the oldest owed timer tick from the event loop, after what is queued
// there already (called at depth 0; see Timer).
void deliverOwedTicksLater();

// With the event loop running and no program window left visible, ends the
// loop: otherwise the process would linger without any window or menu.
void quitWhenNoWindowLeft();
bool loopRunning();

// The enabling pass as the menus and shortcuts run it (through Dispatch).
void runEnablingPassFromUi();
// Copies the menu items' enabled state to the actions of every window.
void syncMenuActions();

// A canvas shown while a handler ran showed its surface as last drawn; it
// is painted again (through its Paint event) once no handler runs.
void repaintLater(QWidget* canvas);
void repaintWaitingCanvases();

// A control greyed while it has its window's focus keeps it: the focus
// waits on the window itself (which no control is) until the control is
// enabled again, instead of moving on to the next control (Control.cpp).
void parkFocusOf(QWidget* control);
void returnParkedFocus(QWidget* control);
// True for a window whose focus waits so for a greyed control.
bool focusWaitsAt(const QObject* o);

// The control a widget was made for (nullptr once the control is gone).
Control* controlOf(const QObject* widget);
void setControlOf(QObject* widget, Control* c);

// "System" is a narrow sans font (see systemFont), "courier" a monospace
// font; size in pixels (0 or less keeps the default size).
QFont fontFor(const std::string& name, int pixelSize);

}  // namespace internal
}  // namespace fw
