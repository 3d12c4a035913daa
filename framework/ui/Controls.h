// The controls of the framework layer. A control belongs to one window, is
// registered there under its name (and index, for a member of a control
// array) and has its position in window coordinates: every control is a
// direct child of the window's content area, whatever container a layout
// names.
//
// Stacking: rectangles always lie below every other kind of control (among
// themselves in creation order), so a frame never hides the list or canvas
// it surrounds; every other control lies above those created before it.
// Mouse presses on canvases, static texts, rectangles and lines go to the
// window's MouseDown; buttons, edit fields, lists and pop-up menus take
// their own.
//
// Keyboard focus: edit fields, lists and pop-up menus take it from a click
// or from Tab; push buttons only from Tab (a click leaves the focus where it
// was); a canvas only when its AcceptFocus is True; texts, rectangles,
// lines and timers never. Tab and Shift+Tab go through a window's
// focusable controls by TabIndex (controls without one by creation order).
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../core/Color.h"
#include "../core/Event.h"
#include "../core/Object.h"
#include "Graphics.h"

class QTimer;

namespace fw {

class Window;

class Control : public Object {
public:
    Control();
    ~Control() override;

    const std::string& Name() const { return name_; }
    int32_t Index() const { return index_; }  // -1 outside a control array
    void SetIndex(int32_t i) { index_ = i; }
    // The owning window; NilObjectException once it is gone.
    Window& Win() const;
    Window* WindowPtr() const { return window_; }

    int32_t Left() const;
    int32_t Top() const;
    int32_t Width() const;
    int32_t Height() const;
    void SetLeft(int32_t v);
    void SetTop(int32_t v);
    void SetWidth(int32_t v);
    void SetHeight(int32_t v);
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    // The control's place in its window's Tab order; -1 (not given): its
    // creation order. Read by the window once every control exists.
    int32_t TabIndex() const { return tabIndex_; }
    void SetTabIndex(int32_t i) { tabIndex_ = i; }

    // Repaints at once (with True the background is erased first).
    virtual void Refresh(bool eraseBackground = true);
    // Stacks the control above every other control of its window.
    void Raise();

    // Runs once, when the window is created (also when created hidden).
    virtual void Event_Open();
    Event<> Open;

    // The enabling pass asks the focused control too.
    virtual void Event_EnableMenuItems() {}
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    // The handler registered for the item, or an empty function.
    std::function<bool()> MenuHandler(const std::string& itemName) const;

    QWidget* widget() const { return widget_; }

    // Called by Window::AddControl.
    void attach(Window* window, const std::string& name, int32_t index);

protected:
    // Control classes make their Qt widget in their constructor.
    void setWidget(QWidget* w);
    // Rectangles are stacked below the rest.
    virtual bool stacksBelow() const { return false; }
    // Canvases, texts, rectangles and lines pass the mouse to the window.
    virtual bool passesMouseToWindow() const { return false; }
    virtual void geometryChanged() {}
    // Settles the widget's focus policy from the control's own properties
    // (run by the window once every control exists).
    virtual void settleFocusPolicy() {}
    // A window gives its first focus to the first edit field or list.
    virtual bool takesFirstFocus() const { return false; }
    // Run when the window gives the control its first focus.
    virtual void firstFocused() {}

private:
    friend class Window;
    Window* window_ = nullptr;
    std::string name_;
    int32_t index_ = -1;
    int32_t tabIndex_ = -1;
    QPointer<QWidget> widget_;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    std::map<std::string, std::function<bool()>> menuHandlers_;
};

// A canvas draws on a screen surface of its own size (its Graphics), over
// its Backdrop picture. The surface keeps what was drawn until it is drawn
// over. When the system asks for a repaint while no program handler runs,
// Event_Paint is called first (default: raises Paint); while a handler runs,
// the surface is shown as it was last drawn.
class Canvas : public Control {
public:
    Canvas();

    fw::Graphics& Graphics();
    Ref<Picture> Backdrop() const { return backdrop_; }
    void SetBackdrop(const Ref<Picture>& p);

    bool AcceptFocus = false;
    bool EraseBackground = true;

    virtual void Event_Paint(fw::Graphics& g);
    Event<fw::Graphics&> Paint;

    // An explicit repaint from the program's own code paints through
    // Event_Paint even while a handler runs.
    void Refresh(bool eraseBackground = true) override;

    // What the canvas shows now (backdrop and surface), for tests.
    QImage Snapshot() const;

protected:
    bool passesMouseToWindow() const override { return true; }
    void geometryChanged() override;
    void settleFocusPolicy() override;

private:
    friend class CanvasWidget;
    // Runs Event_Paint onto the surface without asking for a repaint of
    // its own (the caller is painting or repainting the canvas).
    void paintSurface();
    Ref<Picture> backdrop_;
    QImage surface_;
    class SurfaceGraphics;
    std::unique_ptr<fw::Graphics> graphics_;
};

class StaticText : public Control {
public:
    StaticText();
    std::string Text() const { return text_; }
    void SetText(const std::string& s);
    // 0 left, 1 centred, 2 right.
    int32_t TextAlign() const { return align_; }
    void SetTextAlign(int32_t a);
    void SetMultiline(bool m);
    void SetTextFont(const std::string& font);
    void SetTextSize(int32_t size);
    void SetTextColor(Color c);
    void SetBold(bool b);

protected:
    bool passesMouseToWindow() const override { return true; }

private:
    std::string text_;
    int32_t align_ = 0;
};

class PushButton : public Control {
public:
    PushButton();
    std::string Caption() const;
    void SetCaption(const std::string& s);
    bool Default() const { return default_; }
    void SetDefault(bool d);  // Return presses the default button
    bool Cancel() const { return cancel_; }
    void SetCancel(bool c);  // Escape presses the cancel button
    void SetTextFont(const std::string& font);
    void SetTextSize(int32_t size);

    Event<> Action;
    // Presses the button as the user would (through the event loop's rules).
    void Push();

private:
    bool default_ = false, cancel_ = false;
};

class EditField : public Control {
public:
    EditField();
    std::string Text() const;
    void SetText(const std::string& s);
    void SetBorder(bool b);
    void SetReadOnly(bool r);
    void SetTextFont(const std::string& font);
    void SetTextSize(int32_t size);
    void SetAlignment(int32_t a);
    void SetBackColor(Color c);
    // False: no frame marks the field while it has the focus.
    void SetUseFocusRing(bool on);
    bool UseFocusRing() const { return focusRing_; }
    // True when the whole text is selected (and is not empty).
    bool AllTextSelected() const;

protected:
    bool takesFirstFocus() const override { return true; }
    // As when tabbed into: the whole text selected, so typing replaces it.
    void firstFocused() override;

private:
    bool focusRing_ = true;
};

// Rows from 0; columns from 0. InitialValue text: rows separated by carriage
// returns or line feeds, cells by tabs.
class Listbox : public Control {
public:
    Listbox();

    void SetColumnCount(int32_t n);
    int32_t ColumnCount() const;
    void SetColumnWidths(const std::string& widths);  // "100,100,500"
    void SetInitialValue(const std::string& value);
    // 0 default, 1 left, 2 centred, 3 right.
    void SetColumnAlignment(int32_t column, int32_t alignment);
    void SetColumnAlignmentOffset(int32_t column, int32_t pixels);
    void SetSelectionType(int32_t type);  // 0 single, 1 multiple
    void SetDefaultRowHeight(int32_t h);   // -1: the framework's default
    void SetTextFont(const std::string& font);
    void SetTextSize(int32_t size);
    void SetGridLines(int32_t horizontal, int32_t vertical);

    // Scroll bars. The list scrolls by pixels; a column is as wide as its
    // ColumnWidths entry or as its widest text, whichever is more, so every
    // letter of a long row can be scrolled into view. A bar that is on shows
    // while the rows do not fit (AutoHideScrollbars True) or always (False).
    // Without a bar the list does not scroll in that direction.
    void SetScrollbarHorizontal(bool on);
    void SetScrollbarVertical(bool on);
    void SetAutoHideScrollbars(bool on);
    // False: no frame marks the list while it has the focus.
    void SetUseFocusRing(bool on);
    bool UseFocusRing() const { return focusRing_; }

    void AddRow(const std::string& text);  // a new last row, text in column 0
    void RemoveRow(int32_t row);
    void DeleteAllRows();
    int32_t ListCount() const;
    int32_t LastIndex() const { return lastIndex_; }  // the row last added
    // Scrolls the list up or down just enough to show the whole row; the
    // sideways scrolling stays.
    void ScrollToRow(int32_t row);
    std::string Cell(int32_t row, int32_t column) const;
    void SetCell(int32_t row, int32_t column, const std::string& text);

    // The lowest selected row, -1 when none; setting selects only that row.
    int32_t ListIndex() const;
    void SetListIndex(int32_t row);
    int32_t SelCount() const;
    bool Selected(int32_t row) const;
    void SetSelected(int32_t row, bool selected);

    // Bad rows or columns throw OutOfBoundsException.

protected:
    bool takesFirstFocus() const override { return true; }

private:
    void applyScrollbars();
    int32_t lastIndex_ = -1;
    bool horizontalBar_ = true, verticalBar_ = true, autoHide_ = true, focusRing_ = true;
};

class PopupMenu : public Control {
public:
    PopupMenu();
    void AddRow(const std::string& text);
    int32_t ListCount() const;
    int32_t ListIndex() const;
    void SetListIndex(int32_t i);
    std::string Text() const;
    void SetTextFont(const std::string& font);
    void SetTextSize(int32_t size);
};

class Rectangle : public Control {
public:
    Rectangle();
    void SetFillColor(Color c);
    void SetBorderWidth(int32_t w);
    void SetBorderColor(Color c);
    Color FillColor() const { return fill_; }
    int32_t BorderWidth() const { return borderWidth_; }
    Color BorderColor() const { return border_; }

protected:
    bool stacksBelow() const override { return true; }
    bool passesMouseToWindow() const override { return true; }

private:
    friend class RectangleWidget;
    Color fill_ = RGB(255, 255, 255);
    Color border_ = RGB(0, 0, 0);
    int32_t borderWidth_ = 1;
};

// A straight line from (X1, Y1) to (X2, Y2) in window coordinates.
class Line : public Control {
public:
    Line();
    int32_t X1() const { return x1_; }
    int32_t Y1() const { return y1_; }
    int32_t X2() const { return x2_; }
    int32_t Y2() const { return y2_; }
    void SetX1(int32_t v);
    void SetY1(int32_t v);
    void SetX2(int32_t v);
    void SetY2(int32_t v);
    void SetPoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void SetBorderWidth(int32_t w);
    void SetBorderColor(Color c);
    int32_t BorderWidth() const { return width_; }

protected:
    bool passesMouseToWindow() const override { return true; }
    void geometryChanged() override { place(); }

private:
    friend class LineWidget;
    void place();
    int32_t x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, width_ = 1;
    Color color_ = RGB(0, 0, 0);
};

// Mode 0 off, 1 fires once after Period milliseconds, 2 fires every Period.
// Ticks follow the dispatch rules: a tick never enters a handler.
// - A repeating tick (mode 2) that falls due while a handler runs is owed:
//   it is delivered once no handler runs (after input that waited), never
//   dropped, and a timer owes at most one tick however long it waited. The
//   owed ticks of several timers go out one per handler, oldest first, so
//   that every timer gets its turn. A tick delivered late starts the period
//   afresh: the next one comes a full period after it.
// - A single tick (mode 1) that falls due while a handler runs is tried
//   again 10 ms later, until no handler runs.
class Timer : public Control {
public:
    Timer();
    ~Timer() override;
    int32_t Mode() const { return mode_; }
    void SetMode(int32_t m);
    int32_t Period() const { return period_; }
    void SetPeriod(int32_t ms);

    Event<> Action;
    // Fires the timer now as a tick would (for tests), following the same
    // rules (mode 1 turns itself off; inside a handler a repeating tick is
    // owed).
    void Fire();
    // True while a tick of this timer waits for the running handler.
    bool TickOwed() const { return owed_; }

private:
    friend struct TimerQueue;
    void restart();
    void tick();
    bool deliverable() const;
    void deliverOwed();
    int32_t mode_ = 0, period_ = 1000;
    bool owed_ = false;
    QTimer* timer_ = nullptr;
};

}  // namespace fw
