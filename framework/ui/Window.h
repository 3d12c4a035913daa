// Windows of the framework layer.
//
// A window is built in one fixed order by Construct (called by the accessor
// rule, ImplicitWindow<T>): Layout applies its attributes, CreateControls
// makes its controls one by one, AddMenuHandlers registers its menu
// handlers, then every control's Event_Open runs in creation order, then the
// window's own Event_Open; then the Tab order is settled and the first edit
// field or list (in that order) takes the focus, with its text selected; last
// the window shows itself if its layout made it visible.
//
// Closing a window hides it and forgets it at once (the accessor then builds
// a new one); the object and its Qt widgets are destroyed only once no
// program handler is running any more. Input held for a closed window is
// dropped.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../core/Object.h"
#include "Controls.h"

class QWidget;

namespace fw {

class Window : public Object {
public:
    Window();
    ~Window() override;

    // Building (see above). Construct is called once, by the accessor.
    void Construct();
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers() {}
    virtual void Event_Open() {}

    // Mouse, in window coordinates. MouseDown returning True makes the
    // window receive the MouseDrag and MouseUp of that press.
    virtual bool Event_MouseDown(int32_t x, int32_t y);
    virtual void Event_MouseDrag(int32_t x, int32_t y);
    virtual void Event_MouseUp(int32_t x, int32_t y);
    // The enabling pass asks the front window after the application.
    virtual void Event_EnableMenuItems() {}

    // Attributes (Layout sets them).
    void SetTitle(const std::string& t);
    std::string Title() const;
    void SetSize(int32_t width, int32_t height);
    void SetMinSize(int32_t width, int32_t height);
    void SetMaxSize(int32_t width, int32_t height);
    int32_t Width() const;
    int32_t Height() const;
    // 0 document window, 1 movable modal dialog, 2 modal dialog without title.
    void SetFrame(int32_t frame);
    int32_t Frame() const { return frame_; }
    void SetPlacement(int32_t placement);
    void SetBackColor(Color c);  // also means HasBackColor
    // The window's boxes and whether the user may resize it, passed on to
    // the window manager. A titled window (frame 0 or 1) with none of the
    // three boxes gets a title bar drawn by the layer itself (see
    // HasDrawnTitleBar).
    void SetCloseButton(bool b);
    void SetMinimizeButton(bool b);
    void SetMaximizeButton(bool b);
    void SetResizeable(bool b);
    bool CloseButton() const;
    bool MinimizeButton() const;
    bool MaximizeButton() const;
    bool Resizeable() const;
    // Some window managers keep their close and minimise boxes whatever the
    // hints say; a window that must have none asks the manager for no
    // decoration at all and draws its title bar and border itself. The bar
    // moves the window when dragged.
    bool HasDrawnTitleBar() const;

    // Position of the content area's top-left corner on the screen; read and
    // set as the same notion, so that setting what was read moves nothing.
    int32_t Left() const;
    int32_t Top() const;
    void SetLeft(int32_t v);
    void SetTop(int32_t v);

    bool Visible() const;
    void SetVisible(bool v);  // before Construct ends: the layout's choice
    void Show();              // makes visible and brings to the front
    void Close();
    bool IsClosed() const { return closed_; }
    void Refresh(bool eraseBackground = true);

    // Controls, in creation order.
    template <class T>
    Ref<T> AddControl(const std::string& name, int32_t index = -1) {
        Ref<T> c = New<T>();
        registerControl(c, name, index);
        return c;
    }
    // An existing control object (made by a per-window constructor).
    void registerControl(const Ref<Control>& c, const std::string& name, int32_t index);
    Ref<Control> FindControl(const std::string& name, int32_t index = -1) const;
    // The control as a T; NilObjectException when missing or of another class.
    template <class T>
    Ref<T> Ctl(const std::string& name, int32_t index = -1) const {
        return Cast<T>(FindControl(name, index));
    }
    const std::vector<Ref<Control>>& Controls() const { return controls_; }

    // Menu handlers registered on the window, by item name.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    std::function<bool()> MenuHandler(const std::string& itemName) const;

    // The control with the keyboard focus, or nil.
    Ref<Control> FocusedControl() const;

    QWidget* widget() const;          // the top-level widget
    QWidget* contentWidget() const;   // the parent of every control

    // Test helpers: deliver mouse input through the real Qt path.
    void SimulateMouseDown(int32_t x, int32_t y);
    void SimulateMouseDrag(int32_t x, int32_t y);
    void SimulateMouseUp(int32_t x, int32_t y);

    // Internal: routing from the content widget.
    void deliverMousePress(int32_t x, int32_t y);
    void deliverMouseMove(int32_t x, int32_t y);
    void deliverMouseRelease(int32_t x, int32_t y);
    void restack();

private:
    void arrangeFocus();
    struct Impl;
    std::unique_ptr<Impl> d_;
    std::vector<Ref<Control>> controls_;
    std::map<std::pair<std::string, int32_t>, Ref<Control>> byName_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
    int32_t frame_ = 0;
    bool closed_ = false;
    bool constructed_ = false;
    bool visibleAtCreation_ = false;
    bool mouseTracking_ = false;
};

// The open windows, front-most first.
std::vector<Ref<Window>> OpenWindows();
Ref<Window> FrontWindow();

// The accessor rule: the open window of class T, or a new one (built by
// Construct). Never nil.
template <class T>
Ref<T> ImplicitWindow() {
    for (const auto& w : OpenWindows())
        if (auto t = As<T>(w)) return t;
    Ref<T> w = New<T>();
    w->Construct();
    return w;
}

}  // namespace fw
