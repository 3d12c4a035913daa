#include "Controls.h"

#include <QCoreApplication>
#include <QVariant>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"
#include "WindowFrame.h"

namespace fw {

using namespace internal;

namespace {
const char* const kControlProperty = "fwControl";
}  // namespace

namespace internal {

// Qt hands the focus of a widget being disabled on to the next one in the Tab
// order: a button greyed by its own action would pass it to the field beside
// it, which would then take the keys (a second Space) meant for the button.
// The focus waits on the window instead; keys that reach it there while a
// handler runs are dropped (Dispatch.cpp).
void parkFocusOf(QWidget* control) {
    auto* top = dynamic_cast<TopLevelWidget*>(control->window());
    if (!top || top == control) return;
    QWidget* focus = top->focusWidget();
    if (!focus || (focus != control && !control->isAncestorOf(focus))) return;
    top->focusWaitsFor = control;
    top->setFocus(Qt::OtherFocusReason);
}

// Given back only if the focus still waits: a control the user has moved to
// meanwhile keeps it.
void returnParkedFocus(QWidget* control) {
    auto* top = dynamic_cast<TopLevelWidget*>(control->window());
    if (!top || top->focusWaitsFor != control) return;
    top->focusWaitsFor = nullptr;
    if (top->focusWidget() == top && control->isEnabled()) control->setFocus(Qt::OtherFocusReason);
}

bool focusWaitsAt(const QObject* o) {
    auto* top = dynamic_cast<const TopLevelWidget*>(o);
    return top && top->focusWaitsFor && top->focusWidget() == top;
}

Control* controlOf(const QObject* widget) {
    if (!widget) return nullptr;
    return static_cast<Control*>(widget->property(kControlProperty).value<void*>());
}

void setControlOf(QObject* widget, Control* c) {
    widget->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(c)));
}

}  // namespace internal

// ------------------------------------------------------------------ Control

Control::Control() = default;

Control::~Control() {
    // Without a working application (the process is ending) the widget is
    // left alone.
    if (!widget_ || !internal::qtUsable()) return;
    internal::setControlOf(widget_, nullptr);
    // A widget never placed in a window is ours to delete; the others go
    // with their window.
    if (!widget_->parent()) delete widget_.data();
}

Window& Control::Win() const {
    return Deref(window_);
}

int32_t Control::Left() const { return left_; }
int32_t Control::Top() const { return top_; }
int32_t Control::Width() const { return width_; }
int32_t Control::Height() const { return height_; }
void Control::SetLeft(int32_t v) { SetBounds(v, top_, width_, height_); }
void Control::SetTop(int32_t v) { SetBounds(left_, v, width_, height_); }
void Control::SetWidth(int32_t v) { SetBounds(left_, top_, v, height_); }
void Control::SetHeight(int32_t v) { SetBounds(left_, top_, width_, v); }

void Control::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (widget_) widget_->setGeometry(left_, top_, std::max(width_, 0), std::max(height_, 0));
    geometryChanged();
}

void Control::SetVisible(bool v) {
    visible_ = v;
    // A parentless widget would become a window of its own: it is shown
    // when its window takes it.
    if (widget_ && widget_->parentWidget()) widget_->setVisible(v);
}

void Control::SetEnabled(bool v) {
    enabled_ = v;
    if (!widget_) return;
    if (!v) internal::parkFocusOf(widget_);
    widget_->setEnabled(v);
    if (v) internal::returnParkedFocus(widget_);
}

void Control::Refresh(bool /*eraseBackground*/) {
    if (widget_) widget_->repaint();
}

void Control::Raise() {
    if (widget_) widget_->raise();
}

void Control::Event_Open() {
    Open.Raise();
}

void Control::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
}

std::function<bool()> Control::MenuHandler(const std::string& itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? std::function<bool()>() : it->second;
}

void Control::attach(Window* window, const std::string& name, int32_t index) {
    window_ = window;
    name_ = name;
    index_ = index;
}

// Every control starts with the "System" font at size 12; the windows set
// the font their layout names.
void Control::setWidget(QWidget* w) {
    widget_ = w;
    internal::setControlOf(w, this);
    if (w) w->setFont(internal::fontFor("System", 12));
}

}  // namespace fw
