// The widgets a window is made of (its frame and its content area) and
// the window's private state. Private to the window layer.
#pragma once

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "Application.h"
#include "TitleBar.h"
#include "Window.h"

namespace fw {

class TopLevelWidget;

namespace internal {
// The window lists (WindowList.cpp).
void registerOpenWindow(const Ref<Window>& w);
// Takes the window off the open list; nil if it was not on it.
Ref<Window> unregisterOpenWindow(Window* w);
// Keeps a window closed while a handler ran until no handler runs.
void destroyWhenIdle(Ref<Window> w);
void moveToFront(Window* w);
// Gives a new window's frame the application's menu bar (WindowMenus.cpp).
void installMenuBar(TopLevelWidget* top);
}  // namespace internal

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
    // The greyed control whose focus the window holds meanwhile (see
    // internal::parkFocusOf).
    QPointer<QWidget> focusWaitsFor;

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
        if (border()) drawThinBorder(this);
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && owner) internal::moveToFront(owner);
        return QWidget::event(e);
    }

    void resizeEvent(QResizeEvent*) override { layoutChildren(); }

    // The close box asks the window to close, as a handler.
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (!owner || owner->IsClosed() || !closeBox) return;
        Window* w = owner;
        auto keep = w->shared_from_this();
        Dispatch([w] { w->Close(); }, w);
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
    // WindowMouse.cpp
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
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

}  // namespace fw
