// The application object, menus, the event loop and the dispatch rules.
//
// Dispatch rules (the yield guarantee, one for the whole program):
// - Every entry from the event loop into program code (a button's Action, a
//   timer tick, a window's mouse events, a menu action, a close request, an
//   enabling pass) runs through Dispatch, one at a time.
// - While a program handler runs, the yield (fw::Yield) lets Qt repaint and
//   track the keyboard's state, but holds every other input (mouse, keys,
//   close requests) aimed at the program's windows and delivers it, in
//   order, once the handler has returned. A repeating timer's tick that
//   falls due then is owed and follows once the handler has returned (at
//   most one per timer; see Timer). So no handler is ever entered while
//   another runs.
// - A modal message box (MsgBox) runs inside a handler and takes its own
//   input as usual.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "../core/Object.h"
#include "Graphics.h"

namespace fw {

class Window;

// ---------------------------------------------------------------- menus

class MenuItem : public Object {
public:
    MenuItem() = default;
    std::string Name;
    std::string Text;              // "-" makes a separator
    std::string KeyboardShortcut;  // "Cmd+Q": Ctrl on this platform
    bool AutoEnable = true;

    bool Enabled() const { return enabled_; }
    void Enable() { enabled_ = true; }
    void Disable() { enabled_ = false; }
    void SetEnabled(bool e) { enabled_ = e; }

    void Append(const Ref<MenuItem>& child) { children_.push_back(child); }
    // The direct child of that name, or nil.
    Ref<MenuItem> Child(const std::string& name) const;
    // The item of that name anywhere below this one, or nil.
    Ref<MenuItem> Find(const std::string& name) const;
    const std::vector<Ref<MenuItem>>& Children() const { return children_; }

private:
    bool enabled_ = true;
    std::vector<Ref<MenuItem>> children_;
};

// Ends the event loop when chosen and no handler takes it.
class QuitMenuItem : public MenuItem {};
// The application-menu item ("About ..."); shown where it was appended.
class AppleMenuItem : public MenuItem {};

class MenuBar : public MenuItem {};

// ------------------------------------------------------------ application

class Application : public Object {
public:
    Application();
    ~Application() override;

    Ref<fw::MenuBar> MenuBar;

    virtual void Event_Open() {}
    virtual void Event_EnableMenuItems() {}

    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    std::function<bool()> MenuHandler(const std::string& itemName) const;

private:
    std::vector<std::pair<std::string, std::function<bool()>>> handlers_;
};

// The registered application object (nil before RegisterApp).
Ref<Application> App_();
void RegisterApp(const Ref<Application>& app);

// Creates the Qt application (once); safe to call again.
void RuntimeInit(int& argc, char** argv);
// Delivers the application's Open event, then runs the event loop until
// Quit, or until no program window is left visible (there would be no menu
// left to quit from). Returns the exit status.
int RuntimeRun();
void Quit();

// Runs the enabling pass: every AutoEnable item disabled, then the
// application's Event_EnableMenuItems, the front window's, its focused
// control's; the menus then show the result.
void RunEnablingPass();
// Chooses a menu item as the user would: enabling pass first, then the
// handler of the focused control, of the front window, of the application
// (the first that has one). Returns False when the item was disabled or had
// no handler.
bool ChooseMenuItem(const std::string& name);

// ---------------------------------------------------------------- dispatch

bool InHandler();
// Runs fn as a handler (see the rules above). Called by the layer itself for
// every event; tests call it to stand in for the event loop. Errors of the
// layer's kind escaping a handler are shown in a message box instead of
// ending the program. `window` is the window the handler belongs to, if any:
// a message box raised inside belongs to it.
void Dispatch(const std::function<void()>& fn, Window* window = nullptr);
// Processes pending events now, as the event loop would between handlers
// (tests use it to let held input through).
void ProcessPendingEvents();

// ------------------------------------------------------------ services

// A modal message box with one text, over the window whose handler raised it
// (else the front window). Tests install a hook that captures it.
void MsgBox(const std::string& text);
void SetMsgBoxHook(std::function<void(const std::string&)> hook);

// Opens a web address in the system's browser; where none can be started,
// a message box gives the address instead. Tests capture it.
void ShowURL(const std::string& url);
void SetShowURLHook(std::function<void(const std::string&)> hook);

class Clipboard : public Object {
public:
    std::string Text;
    void Close();  // puts Text on the system clipboard
};
std::string ClipboardText();

namespace Keyboard {
bool AsyncCommandKey();  // Ctrl on this platform
bool AsyncKeyDown(int32_t code);  // 47: the period key
// Tests set the state directly.
void SetCommandKey(bool down);
void SetKeyDown(int32_t code, bool down);
}  // namespace Keyboard

// A picture of the application's resources by number; nil when missing.
Ref<Picture> GetPicture(int32_t resourceId);
int32_t ResourceReadCount();  // how many reads were made (tests)

}  // namespace fw
