// The title bar a window draws itself (see Window::HasDrawnTitleBar).
// Private to the window layer.
#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace fw {

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

// The one-pixel border of a window that draws its own frame.
inline void drawThinBorder(QWidget* w) {
    QPainter p(w);
    p.setPen(w->palette().color(QPalette::Window).darker(190));
    p.drawRect(w->rect().adjusted(0, 0, -1, -1));
}

}  // namespace fw
