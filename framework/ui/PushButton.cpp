#include "Controls.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

// --------------------------------------------------------------- PushButton

PushButton::PushButton() {
    auto* b = new QPushButton;
    // Return presses only the default button (the window handles it).
    b->setAutoDefault(false);
    // Tab reaches the button; a click leaves the focus where it was, so a
    // list keeps its selection's Copy while its buttons are used.
    b->setFocusPolicy(Qt::TabFocus);
    QObject::connect(b, &QPushButton::clicked, b, [b] {
        auto* pb = static_cast<PushButton*>(internal::controlOf(b));
        if (!pb) return;
        auto keep = pb->shared_from_this();
        Dispatch([pb] { pb->Action.Raise(); }, pb->WindowPtr());
    });
    setWidget(b);
}

std::string PushButton::Caption() const {
    auto* b = widgetOf<QPushButton>(this);
    return b ? b->text().toStdString() : std::string();
}

void PushButton::SetCaption(const std::string& s) {
    if (auto* b = widgetOf<QPushButton>(this)) b->setText(qstr(s));
}

void PushButton::SetDefault(bool d) {
    default_ = d;
    if (auto* b = widgetOf<QPushButton>(this)) b->setDefault(d);
}

void PushButton::SetCancel(bool c) {
    cancel_ = c;
}

void PushButton::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void PushButton::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

// A press and release of the mouse in the button's middle, sent the way the
// window system sends them, so the event loop's rules apply.
void PushButton::Push() {
    QPointer<QWidget> b = widget();
    if (!b || !Visible() || !Enabled()) return;
    const QPointF pos = QRectF(b->rect()).center();
    const QPointF global = b->mapToGlobal(pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(b, &press);
    if (!b) return;
    QMouseEvent release(QEvent::MouseButtonRelease, pos, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(b, &release);
}

}  // namespace fw
