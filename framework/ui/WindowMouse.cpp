// The mouse delivery: presses on the content area reach the window's
// MouseDown, and only a True answer lets the drag and release follow.
#include <QCoreApplication>
#include <QMouseEvent>

#include "WindowFrame.h"

namespace fw {

void ContentWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && owner) {
        const QPoint p = e->position().toPoint();
        owner->deliverMousePress(p.x(), p.y());
    }
}

void ContentWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    mousePressEvent(e);
}

void ContentWidget::mouseMoveEvent(QMouseEvent* e) {
    if ((e->buttons() & Qt::LeftButton) && owner) {
        const QPoint p = e->position().toPoint();
        owner->deliverMouseMove(p.x(), p.y());
    }
}

void ContentWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && owner) {
        const QPoint p = e->position().toPoint();
        owner->deliverMouseRelease(p.x(), p.y());
    }
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
    Dispatch([this, x, y] { mouseTracking_ = Event_MouseDown(x, y); }, this);
}

void Window::deliverMouseMove(int32_t x, int32_t y) {
    if (closed_ || !mouseTracking_) return;
    auto keep = shared_from_this();
    Dispatch([this, x, y] { Event_MouseDrag(x, y); }, this);
}

void Window::deliverMouseRelease(int32_t x, int32_t y) {
    if (closed_ || !mouseTracking_) return;
    mouseTracking_ = false;
    auto keep = shared_from_this();
    Dispatch([this, x, y] { Event_MouseUp(x, y); }, this);
}

}  // namespace fw
