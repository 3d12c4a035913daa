// The layer's message box (MsgBox): modal, over the window whose handler
// raised it, in the windows' own frame and font.
#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QWindow>
#include <cstdio>

#include "Application.h"
#include "Internal.h"
#include "TitleBar.h"
#include "Window.h"

namespace fw {

namespace {

std::function<void(const std::string&)> msgBoxHook;

// The window a message box belongs to: the one whose handler raised it, or
// else the front window; nullptr when neither is shown.
QWidget* messageOwner() {
    Window* raiser = internal::currentHandlerWindow();
    for (const auto& w : OpenWindows())
        if (w.get() == raiser && w->Visible()) return w->widget();
    auto front = FrontWindow();
    return front ? front->widget() : nullptr;
}

// Some window managers give every decorated window minimise and maximise
// boxes whatever the hints say; a message has no use for them. So, like a
// window without boxes (Window::HasDrawnTitleBar), the box asks for no
// decoration and draws its title bar and a one-pixel border itself.
class MessageBox : public QMessageBox {
public:
    explicit MessageBox(const QString& text)
        : QMessageBox(QMessageBox::Information, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok) {
        setTextFormat(Qt::PlainText);
        // An address or a figure in a message can be copied from it.
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        // Before the flags: a message box resets them when its modality is set.
        setWindowModality(Qt::ApplicationModal);
        setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
        setFont(internal::fontFor("System", 0));
        titleBar_ = new TitleBarWidget;
        titleBar_->setParent(this);
        setContentsMargins(1, 1 + TitleBarWidget::kHeight, 1, 1);
    }

protected:
    void resizeEvent(QResizeEvent* e) override {
        QMessageBox::resizeEvent(e);
        titleBar_->setGeometry(1, 1, std::max(width() - 2, 0), TitleBarWidget::kHeight);
    }
    void paintEvent(QPaintEvent* e) override {
        QMessageBox::paintEvent(e);
        drawThinBorder(this);
    }

private:
    TitleBarWidget* titleBar_ = nullptr;
};

}  // namespace

void MsgBox(const std::string& text) {
    if (msgBoxHook) {
        msgBoxHook(text);
        return;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return;
    }
    QString t = QString::fromStdString(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // No parent widget: input to a message box is never held for a program
    // window. It belongs to its window through the window system instead
    // (transient for it), which keeps it above that window and centred on it.
    MessageBox box(t);
    if (QWidget* owner = messageOwner(); owner && owner->windowHandle()) {
        box.winId();  // gives the box its window handle
        box.windowHandle()->setTransientParent(owner->windowHandle());
    }
    box.exec();
}

void SetMsgBoxHook(std::function<void(const std::string&)> hook) {
    msgBoxHook = std::move(hook);
}

}  // namespace fw
