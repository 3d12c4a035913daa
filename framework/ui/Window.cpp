#include "Window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "Application.h"
#include "Internal.h"

namespace fw {

namespace {

// Never destroyed: a window still open when the process ends is left to it,
// as the application object is. Destroyed among the static objects, it would
// reach Qt's own, which may be gone by then.
std::vector<Ref<Window>>& openWindows = *new std::vector<Ref<Window>>;      // front-most first
std::vector<Ref<Window>>& closedInHandler = *new std::vector<Ref<Window>>;  // destroyed once no handler runs
// The windows still open when the application object went away.
std::vector<Ref<Window>>& leftOver = *new std::vector<Ref<Window>>;

void moveToFront(Window* w) {
    auto it = std::find_if(openWindows.begin(), openWindows.end(), [w](const Ref<Window>& o) { return o.get() == w; });
    if (it != openWindows.end()) std::rotate(openWindows.begin(), it, it + 1);
}

}  // namespace

// The title bar a window draws itself when it must show none of the three
// boxes (see Window::HasDrawnTitleBar): the title centred on a plain bar,
// and dragging it moves the window.
class TitleBarWidget : public QWidget {
public:
    static constexpr int kHeight = 22;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor base = palette().color(QPalette::Window);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0.0, base.lighter(104));
        g.setColorAt(1.0, base.darker(112));
        p.fillRect(rect(), g);
        p.setPen(base.darker(140));
        p.drawLine(0, height() - 1, width(), height() - 1);
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(rect().adjusted(8, 0, -8, -1), Qt::AlignCenter, window()->windowTitle());
    }

    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        // The window manager moves the window where it can; otherwise the
        // drag below does.
        QWindow* handle = window()->windowHandle();
        if (handle && handle->startSystemMove()) {
            dragging_ = false;
            return;
        }
        dragging_ = true;
        grabOffset_ = e->globalPosition().toPoint() - window()->pos();
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (dragging_ && (e->buttons() & Qt::LeftButton)) window()->move(e->globalPosition().toPoint() - grabOffset_);
    }
    void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

private:
    bool dragging_ = false;
    QPoint grabOffset_;
};

// The window's frame: a menu bar above the content area; for a window that
// draws its own title bar, that bar above the menu bar and a one-pixel
// border around everything.
class TopLevelWidget : public QWidget {
public:
    Window* owner = nullptr;
    QWidget* content = nullptr;
    QMenuBar* menuBar = nullptr;
    TitleBarWidget* titleBar = nullptr;  // only while drawnFrame
    bool closeBox = true;
    bool drawnFrame = false;
    // Dialogs show no menu bar of their own (the menus' shortcuts still
    // work in them): a splash or a small dialog with a row of menus above
    // it looks like a document window.
    bool menuBarHidden = false;
    // A dialog without a title bar still gets a one-pixel frame, so that it
    // stands out from the window below it.
    bool thinFrame = false;

    int menuHeight() const { return menuBar && !menuBarHidden ? menuBar->sizeHint().height() : 0; }

    void showMenuBar(bool on) {
        menuBarHidden = !on;
        if (menuBar) menuBar->setVisible(on);
    }
    int border() const { return drawnFrame || thinFrame ? 1 : 0; }
    // What the frame adds above and beside the content area.
    int chromeTop() const { return border() + (drawnFrame ? TitleBarWidget::kHeight : 0) + menuHeight(); }
    int chromeWidth() const { return 2 * border(); }
    int chromeHeight() const { return chromeTop() + border(); }

    void setDrawnFrame(bool on) {
        drawnFrame = on;
        if (on && !titleBar) {
            titleBar = new TitleBarWidget;
            titleBar->setParent(this);
        }
        if (titleBar) titleBar->setVisible(on);
    }

    void layoutChildren() {
        const int b = border();
        const int inner = std::max(width() - 2 * b, 0);
        int y = b;
        if (drawnFrame && titleBar) {
            titleBar->setGeometry(b, y, inner, TitleBarWidget::kHeight);
            y += TitleBarWidget::kHeight;
        }
        const int mh = menuHeight();
        if (menuBar) menuBar->setGeometry(b, y, inner, mh);
        y += mh;
        if (content) content->setGeometry(b, y, inner, std::max(height() - y - b, 0));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!border()) return;
        QPainter p(this);
        p.setPen(palette().color(QPalette::Window).darker(190));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && owner) moveToFront(owner);
        return QWidget::event(e);
    }

    void resizeEvent(QResizeEvent*) override { layoutChildren(); }

    // The close box asks the window to close, as a handler.
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (!owner || owner->IsClosed() || !closeBox) return;
        Window* w = owner;
        auto keep = w->shared_from_this();
        Dispatch([w] { w->Close(); });
    }

    // Return presses the default button, Escape the cancel button, when the
    // focused control leaves the key alone.
    void keyPressEvent(QKeyEvent* e) override {
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        const bool escape = e->key() == Qt::Key_Escape;
        if (owner && (enter || escape)) {
            for (const auto& c : owner->Controls()) {
                auto* b = dynamic_cast<PushButton*>(c.get());
                if (b && b->Visible() && b->Enabled() && (enter ? b->Default() : b->Cancel())) {
                    auto keep = c;
                    b->Push();
                    return;
                }
            }
        }
        QWidget::keyPressEvent(e);
    }
};

// The content area: the parent of every control. Presses that land on it or
// on a control that passes the mouse on reach the window's mouse events.
class ContentWidget : public QWidget {
public:
    Window* owner = nullptr;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && owner) {
            const QPoint p = e->position().toPoint();
            owner->deliverMousePress(p.x(), p.y());
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override { mousePressEvent(e); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if ((e->buttons() & Qt::LeftButton) && owner) {
            const QPoint p = e->position().toPoint();
            owner->deliverMouseMove(p.x(), p.y());
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && owner) {
            const QPoint p = e->position().toPoint();
            owner->deliverMouseRelease(p.x(), p.y());
        }
    }
};

struct Window::Impl {
    QPointer<TopLevelWidget> top;
    QPointer<ContentWidget> content;
    int32_t width = 300, height = 200;
    int32_t minWidth = 0, minHeight = 0, maxWidth = QWIDGETSIZE_MAX, maxHeight = QWIDGETSIZE_MAX;
    int32_t placement = 0;
    bool closeButton = true;
    bool minimizeButton = false;
    bool maximizeButton = false;
    bool resizeable = false;
    bool placed = false;  // moved by the program or shown once

    void relayout() {
        if (!top) return;
        const int cw = top->chromeWidth(), ch = top->chromeHeight();
        if (resizeable) {
            top->setMinimumSize(std::min(minWidth + cw, QWIDGETSIZE_MAX), std::min(minHeight + ch, QWIDGETSIZE_MAX));
            top->setMaximumSize(std::min(maxWidth + cw, QWIDGETSIZE_MAX), std::min(maxHeight + ch, QWIDGETSIZE_MAX));
            top->resize(width + cw, height + ch);
        } else {
            top->setFixedSize(width + cw, height + ch);
        }
        top->layoutChildren();
    }

    bool drawsTitleBar(int32_t frame) const {
        return frame != 2 && !closeButton && !minimizeButton && !maximizeButton;
    }

    // Frame 0 is a document window, 1 a movable modal dialog, 2 a modal
    // dialog without a title bar. Each box is asked for only when wanted;
    // a fixed size (relayout) tells the manager the window cannot be
    // resized.
    void applyFlags(int32_t frame) {
        if (!top) return;
        const Qt::WindowFlags type = frame == 0 ? Qt::Window : Qt::Dialog;
        Qt::WindowFlags f;
        if (frame == 2 || drawsTitleBar(frame)) {
            f = type | Qt::FramelessWindowHint;
        } else {
            f = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
            if (closeButton) f |= Qt::WindowCloseButtonHint;
            if (minimizeButton) f |= Qt::WindowMinimizeButtonHint;
            if (maximizeButton) f |= Qt::WindowMaximizeButtonHint;
        }
        top->closeBox = closeButton;
        top->setDrawnFrame(drawsTitleBar(frame));
        top->showMenuBar(frame == 0);
        top->thinFrame = frame == 2;
        const bool shown = top->isVisible();
        top->setWindowFlags(f);
        top->setWindowModality(frame == 1 || frame == 2 ? Qt::ApplicationModal : Qt::NonModal);
        relayout();
        if (shown) top->show();
    }
};

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

namespace {

QKeySequence shortcutOf(const std::string& s) {
    QString k = QString::fromStdString(s);
    k.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"), Qt::CaseInsensitive);
    return QKeySequence(k);
}

void addMenuItems(QMenu* menu, const Ref<MenuItem>& parent) {
    QObject::connect(menu, &QMenu::aboutToShow, menu, [] { internal::runEnablingPassFromUi(); });
    for (const auto& item : parent->Children()) {
        if (item->Text == "-") {
            menu->addSeparator();
        } else if (!item->Children().empty()) {
            QMenu* sub = menu->addMenu(QString::fromStdString(item->Text));
            sub->setObjectName(QString::fromStdString(item->Name));
            addMenuItems(sub, item);
        } else {
            QAction* a = menu->addAction(QString::fromStdString(item->Text));
            a->setObjectName(QString::fromStdString(item->Name));
            if (!item->KeyboardShortcut.empty()) a->setShortcut(shortcutOf(item->KeyboardShortcut));
            a->setEnabled(item->Enabled());
            const std::string name = item->Name;
            QObject::connect(a, &QAction::triggered, a, [name] { Dispatch([name] { ChooseMenuItem(name); }); });
        }
    }
}

}  // namespace

void Window::Construct() {
    if (constructed_) return;
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    // Registered first, so that the accessor finds this window while it is
    // being built.
    openWindows.push_back(self);
    if (auto app = App_(); app && app->MenuBar && d_->top && !d_->top->menuBar) {
        auto* bar = new QMenuBar(d_->top);
        for (const auto& title : app->MenuBar->Children()) {
            QMenu* m = bar->addMenu(QString::fromStdString(title->Text));
            m->setObjectName(QString::fromStdString(title->Name));
            addMenuItems(m, title);
        }
        d_->top->menuBar = bar;
        // The window itself carries the items too, so that their shortcuts
        // work while its bar is hidden.
        for (QAction* a : bar->findChildren<QAction*>())
            if (!a->menu() && !a->isSeparator()) d_->top->addAction(a);
        bar->setVisible(!d_->top->menuBarHidden);
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
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) d_->top->raise();  // it cannot
    d_->top->activateWindow();
    moveToFront(this);
}

// Hidden and forgotten at once; destroyed now, or once the running handler
// has returned.
void Window::Close() {
    if (closed_) return;
    closed_ = true;
    mouseTracking_ = false;
    if (d_->top) d_->top->hide();
    Ref<Window> self;
    auto it = std::find_if(openWindows.begin(), openWindows.end(), [this](const Ref<Window>& o) { return o.get() == this; });
    if (it != openWindows.end()) {
        self = *it;
        openWindows.erase(it);
    }
    if (!self) return;
    if (InHandler()) {
        closedInHandler.push_back(std::move(self));
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

namespace {

void sendMouse(QWidget* content, QEvent::Type type, int32_t x, int32_t y, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    if (!content) return;
    const QPointF local(x, y);
    QMouseEvent e(type, local, content->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(content, &e);
}

}  // namespace

void Window::SimulateMouseDown(int32_t x, int32_t y) {
    sendMouse(d_->content, QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
}

void Window::SimulateMouseDrag(int32_t x, int32_t y) {
    sendMouse(d_->content, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton);
}

void Window::SimulateMouseUp(int32_t x, int32_t y) {
    sendMouse(d_->content, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}

void Window::deliverMousePress(int32_t x, int32_t y) {
    if (closed_) return;
    auto keep = shared_from_this();
    mouseTracking_ = false;
    Dispatch([this, x, y] { mouseTracking_ = Event_MouseDown(x, y); });
}

void Window::deliverMouseMove(int32_t x, int32_t y) {
    if (closed_ || !mouseTracking_) return;
    auto keep = shared_from_this();
    Dispatch([this, x, y] { Event_MouseDrag(x, y); });
}

void Window::deliverMouseRelease(int32_t x, int32_t y) {
    if (closed_ || !mouseTracking_) return;
    mouseTracking_ = false;
    auto keep = shared_from_this();
    Dispatch([this, x, y] { Event_MouseUp(x, y); });
}

// Rectangles in creation order at the bottom, then the other controls in
// creation order.
void Window::restack() {
    for (bool below : {true, false})
        for (const auto& c : controls_)
            if (c->stacksBelow() == below && c->widget()) c->widget()->raise();
}

std::vector<Ref<Window>> OpenWindows() {
    return openWindows;
}

Ref<Window> FrontWindow() {
    for (const auto& w : openWindows)
        if (w->Visible()) return w;
    return nullptr;
}

namespace internal {

Window* programWindowOf(const QObject* o) {
    for (; o; o = o->parent())
        if (auto* t = dynamic_cast<const TopLevelWidget*>(o)) return t->owner;
    return nullptr;
}

void forgetWindows() {
    for (auto* list : {&openWindows, &closedInHandler}) {
        leftOver.insert(leftOver.end(), list->begin(), list->end());
        list->clear();
    }
}

void destroyClosedWindows() {
    while (!closedInHandler.empty()) {
        auto closed = std::move(closedInHandler);
        closedInHandler.clear();
        for (const auto& w : closed)
            if (QWidget* t = w->widget()) t->deleteLater();
    }
}

void quitWhenNoWindowLeft() {
    if (!loopRunning() || InHandler()) return;
    for (const auto& w : openWindows)
        if (w->Visible()) return;
    Quit();
}

void syncMenuActions() {
    auto app = App_();
    if (!app || !app->MenuBar) return;
    for (const auto& w : openWindows) {
        if (!w->widget()) continue;
        for (QAction* a : w->widget()->findChildren<QAction*>()) {
            if (a->objectName().isEmpty()) continue;
            if (auto item = app->MenuBar->Find(a->objectName().toStdString())) a->setEnabled(item->Enabled());
        }
    }
}

}  // namespace internal

}  // namespace fw
