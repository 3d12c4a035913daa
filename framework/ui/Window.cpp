#include "Window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "Internal.h"
#include "WindowFrame.h"

namespace fw {

Window::Window() : d_(std::make_unique<Impl>()) {
    internal::ensureLayer();
    auto* top = new TopLevelWidget;
    top->owner = this;
    auto* content = new ContentWidget;
    content->owner = this;
    content->setParent(top);
    top->content = content;
    d_->top = top;
    d_->content = content;
    d_->applyFlags(frame_);
    d_->relayout();
}

Window::~Window() {
    for (const auto& c : controls_)
        if (c->window_ == this) c->window_ = nullptr;
    if (d_->content) d_->content->owner = nullptr;
    if (d_->top) {
        d_->top->owner = nullptr;
        // Code of this window may still be on the stack (a close box, a
        // button): the widgets go once control is back in the event loop.
        // Without a working application (it is going or gone, or the
        // process is ending) they are left alone.
        if (internal::qtUsable()) {
            d_->top->hide();
            d_->top->deleteLater();
        }
    }
}

void Window::Construct() {
    if (constructed_) return;
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    // Registered first, so that the accessor finds this window while it is
    // being built.
    internal::registerOpenWindow(self);
    if (d_->top && !d_->top->menuBar) {
        internal::installMenuBar(d_->top);
        d_->relayout();
    }
    try {
        Layout();
        CreateControls();
        AddMenuHandlers();
        const auto controls = controls_;
        for (const auto& c : controls) c->Event_Open();
        Event_Open();
        arrangeFocus();
    } catch (...) {
        // A window that failed to build is not left behind for the accessor.
        Close();
        throw;
    }
    constructed_ = true;
    if (visibleAtCreation_ && !closed_) Show();
}

// The focusable controls in Tab order: by TabIndex, a control without one
// at its place in creation order, ties in creation order. The first edit
// field or list that is visible and enabled takes the focus, as when tabbed
// into.
void Window::arrangeFocus() {
    struct Entry {
        int32_t key;
        Control* control;
    };
    std::vector<Entry> chain;
    for (size_t i = 0; i < controls_.size(); ++i) {
        Control& c = *controls_[i];
        c.settleFocusPolicy();
        QWidget* w = c.widget();
        if (!w || w->focusPolicy() == Qt::NoFocus) continue;
        const int32_t key = c.TabIndex() >= 0 ? c.TabIndex() : static_cast<int32_t>(i);
        chain.push_back({key, &c});
    }
    std::stable_sort(chain.begin(), chain.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1].control->widget(), chain[i].control->widget());
    for (const Entry& e : chain) {
        Control& c = *e.control;
        if (!c.takesFirstFocus() || !c.Visible() || !c.Enabled()) continue;
        c.widget()->setFocus(Qt::TabFocusReason);
        c.firstFocused();
        break;
    }
}

bool Window::Event_MouseDown(int32_t, int32_t) {
    return false;
}

void Window::Event_MouseDrag(int32_t, int32_t) {}
void Window::Event_MouseUp(int32_t, int32_t) {}

void Window::SetTitle(const std::string& t) {
    if (d_->top) d_->top->setWindowTitle(QString::fromStdString(t));
}

std::string Window::Title() const {
    return d_->top ? d_->top->windowTitle().toStdString() : std::string();
}

void Window::SetSize(int32_t width, int32_t height) {
    d_->width = std::max(width, 0);
    d_->height = std::max(height, 0);
    d_->relayout();
}

void Window::SetMinSize(int32_t width, int32_t height) {
    d_->minWidth = width;
    d_->minHeight = height;
    d_->relayout();
}

void Window::SetMaxSize(int32_t width, int32_t height) {
    d_->maxWidth = width;
    d_->maxHeight = height;
    d_->relayout();
}

int32_t Window::Width() const {
    return d_->content ? d_->content->width() : d_->width;
}

int32_t Window::Height() const {
    return d_->content ? d_->content->height() : d_->height;
}

void Window::SetFrame(int32_t frame) {
    frame_ = frame;
    d_->applyFlags(frame_);
}

void Window::SetPlacement(int32_t placement) {
    d_->placement = placement;
}

void Window::SetBackColor(Color c) {
    if (!d_->content) return;
    QPalette pal = d_->content->palette();
    pal.setColor(QPalette::Window, QColor(c.red, c.green, c.blue));
    d_->content->setPalette(pal);
    d_->content->setAutoFillBackground(true);
}

void Window::SetCloseButton(bool b) {
    d_->closeButton = b;
    d_->applyFlags(frame_);
}

void Window::SetMinimizeButton(bool b) {
    d_->minimizeButton = b;
    d_->applyFlags(frame_);
}

void Window::SetMaximizeButton(bool b) {
    d_->maximizeButton = b;
    d_->applyFlags(frame_);
}

void Window::SetResizeable(bool b) {
    d_->resizeable = b;
    d_->applyFlags(frame_);
}

bool Window::CloseButton() const { return d_->closeButton; }
bool Window::MinimizeButton() const { return d_->minimizeButton; }
bool Window::MaximizeButton() const { return d_->maximizeButton; }
bool Window::Resizeable() const { return d_->resizeable; }

bool Window::HasDrawnTitleBar() const {
    return d_->drawsTitleBar(frame_);
}

int32_t Window::Left() const {
    return d_->content ? d_->content->mapToGlobal(QPoint(0, 0)).x() : 0;
}

int32_t Window::Top() const {
    return d_->content ? d_->content->mapToGlobal(QPoint(0, 0)).y() : 0;
}

// Moves the frame by the difference, so the content area lands where asked
// whatever the frame around it.
void Window::SetLeft(int32_t v) {
    if (!d_->top) return;
    d_->placed = true;
    d_->top->move(d_->top->pos() + QPoint(v - Left(), 0));
}

void Window::SetTop(int32_t v) {
    if (!d_->top) return;
    d_->placed = true;
    d_->top->move(d_->top->pos() + QPoint(0, v - Top()));
}

bool Window::Visible() const {
    if (!constructed_) return visibleAtCreation_;
    return d_->top && d_->top->isVisible();
}

void Window::SetVisible(bool v) {
    if (!constructed_) {
        visibleAtCreation_ = v;
        return;
    }
    if (closed_ || !d_->top) return;
    if (v)
        Show();
    else
        d_->top->hide();
}

void Window::Show() {
    if (!constructed_) {
        visibleAtCreation_ = true;
        return;
    }
    if (closed_ || !d_->top) return;
    if (!d_->placed) {
        d_->placed = true;
        if (d_->placement != 0) {
            if (QScreen* s = QGuiApplication::primaryScreen()) {
                const QRect area = s->availableGeometry();
                d_->top->move(area.center() - QPoint(d_->top->width() / 2, d_->top->height() / 2));
            }
        }
    }
    d_->top->show();
    // Minimised by the window manager (its box, a shortcut, a pager) the
    // window is still shown as far as Qt goes; it comes back once it asks
    // for its normal state, which maps it again.
    if (d_->top->windowState() & Qt::WindowMinimized)
        d_->top->setWindowState((d_->top->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) d_->top->raise();  // it cannot
    d_->top->activateWindow();
    internal::moveToFront(this);
}

// Hidden and forgotten at once; destroyed now, or once the running handler
// has returned.
void Window::Close() {
    if (closed_) return;
    closed_ = true;
    mouseTracking_ = false;
    if (d_->top) d_->top->hide();
    Ref<Window> self = internal::unregisterOpenWindow(this);
    if (!self) return;
    if (InHandler()) {
        internal::destroyWhenIdle(std::move(self));
        return;
    }
    if (d_->top) d_->top->deleteLater();
    self.reset();  // may destroy this window: nothing below touches it
    internal::quitWhenNoWindowLeft();
}

void Window::Refresh(bool /*eraseBackground*/) {
    if (d_->content) d_->content->repaint();
}

void Window::registerControl(const Ref<Control>& c, const std::string& name, int32_t index) {
    Control& ctl = Deref(c);
    ctl.attach(this, name, index);
    controls_.push_back(c);
    byName_[{name, index}] = c;
    QWidget* w = ctl.widget();
    if (!w || !d_->content) return;
    w->setParent(d_->content);
    w->setAttribute(Qt::WA_TransparentForMouseEvents, ctl.passesMouseToWindow());
    w->setGeometry(ctl.left_, ctl.top_, std::max(ctl.width_, 0), std::max(ctl.height_, 0));
    ctl.geometryChanged();
    w->setEnabled(ctl.enabled_);
    w->setVisible(ctl.visible_);
    // Rectangles go below every other control (above earlier rectangles);
    // the rest on top.
    if (!ctl.stacksBelow()) {
        w->raise();
        return;
    }
    for (QObject* o : d_->content->children()) {
        Control* other = internal::controlOf(o);
        if (other && o != w && !other->stacksBelow()) {
            w->stackUnder(static_cast<QWidget*>(o));
            return;
        }
    }
    w->raise();
}

Ref<Control> Window::FindControl(const std::string& name, int32_t index) const {
    auto it = byName_.find({name, index});
    return it == byName_.end() ? nullptr : it->second;
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_[itemName] = std::move(handler);
}

std::function<bool()> Window::MenuHandler(const std::string& itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? std::function<bool()>() : it->second;
}

Ref<Control> Window::FocusedControl() const {
    QWidget* f = d_->top ? d_->top->focusWidget() : nullptr;
    if (!f) return nullptr;
    for (const auto& c : controls_)
        if (QWidget* w = c->widget(); w && (w == f || w->isAncestorOf(f))) return c;
    return nullptr;
}

QWidget* Window::widget() const {
    return d_->top;
}

QWidget* Window::contentWidget() const {
    return d_->content;
}


// Rectangles in creation order at the bottom, then the other controls in
// creation order.
void Window::restack() {
    for (bool below : {true, false})
        for (const auto& c : controls_)
            if (c->stacksBelow() == below && c->widget()) c->widget()->raise();
}


}  // namespace fw
