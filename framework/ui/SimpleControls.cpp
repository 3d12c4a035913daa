#include "Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

// --------------------------------------------------------------- StaticText

StaticText::StaticText() {
    auto* l = new QLabel;
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(l);
}

void StaticText::SetText(const std::string& s) {
    text_ = s;
    if (auto* l = widgetOf<QLabel>(this)) l->setText(withLineFeeds(s));
}

void StaticText::SetTextAlign(int32_t a) {
    align_ = a;
    const Qt::Alignment h = a == 1 ? Qt::AlignHCenter : a == 2 ? Qt::AlignRight : Qt::AlignLeft;
    if (auto* l = widgetOf<QLabel>(this)) l->setAlignment(h | Qt::AlignTop);
}

void StaticText::SetMultiline(bool m) {
    if (auto* l = widgetOf<QLabel>(this)) l->setWordWrap(m);
}

void StaticText::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void StaticText::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

void StaticText::SetTextColor(Color c) {
    if (QWidget* w = widget()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::WindowText, qcolor(c));
        w->setPalette(pal);
    }
}

void StaticText::SetBold(bool b) {
    if (QWidget* w = widget()) {
        QFont f = w->font();
        f.setBold(b);
        w->setFont(f);
    }
}

// ---------------------------------------------------------------- PopupMenu

PopupMenu::PopupMenu() {
    setWidget(new QComboBox);
}

void PopupMenu::AddRow(const std::string& text) {
    if (auto* c = widgetOf<QComboBox>(this)) c->addItem(qstr(text));
}

int32_t PopupMenu::ListCount() const {
    auto* c = widgetOf<QComboBox>(this);
    return c ? c->count() : 0;
}

int32_t PopupMenu::ListIndex() const {
    auto* c = widgetOf<QComboBox>(this);
    return c ? c->currentIndex() : -1;
}

void PopupMenu::SetListIndex(int32_t i) {
    if (i < -1 || i >= ListCount())
        throw OutOfBoundsException("menu row " + std::to_string(i) + " outside 0.." + std::to_string(ListCount() - 1));
    if (auto* c = widgetOf<QComboBox>(this)) c->setCurrentIndex(i);
}

std::string PopupMenu::Text() const {
    auto* c = widgetOf<QComboBox>(this);
    return c ? c->currentText().toStdString() : std::string();
}

void PopupMenu::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void PopupMenu::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

// ---------------------------------------------------------------- Rectangle

class RectangleWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        auto* r = static_cast<Rectangle*>(internal::controlOf(this));
        if (!r) return;
        QPainter p(this);
        p.fillRect(rect(), qcolor(r->fill_));
        const int b = std::min({r->borderWidth_, width(), height()});
        if (b <= 0) return;
        const QColor border = qcolor(r->border_);
        p.fillRect(0, 0, width(), b, border);
        p.fillRect(0, height() - b, width(), b, border);
        p.fillRect(0, 0, b, height(), border);
        p.fillRect(width() - b, 0, b, height(), border);
    }
};

Rectangle::Rectangle() {
    setWidget(new RectangleWidget);
}

void Rectangle::SetFillColor(Color c) {
    fill_ = c;
    if (widget()) widget()->update();
}

void Rectangle::SetBorderWidth(int32_t w) {
    borderWidth_ = w;
    if (widget()) widget()->update();
}

void Rectangle::SetBorderColor(Color c) {
    border_ = c;
    if (widget()) widget()->update();
}

// --------------------------------------------------------------------- Line

class LineWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        auto* l = static_cast<Line*>(internal::controlOf(this));
        if (!l || l->width_ <= 0) return;
        QPainter p(this);
        p.translate(-x(), -y());  // the points are in window coordinates
        p.setPen(QPen(qcolor(l->color_), l->width_, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(l->x1_, l->y1_, l->x2_, l->y2_);
    }
};

Line::Line() {
    setWidget(new LineWidget);
}

void Line::SetX1(int32_t v) { SetPoints(v, y1_, x2_, y2_); }
void Line::SetY1(int32_t v) { SetPoints(x1_, v, x2_, y2_); }
void Line::SetX2(int32_t v) { SetPoints(x1_, y1_, v, y2_); }
void Line::SetY2(int32_t v) { SetPoints(x1_, y1_, x2_, v); }

void Line::SetPoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    place();
}

void Line::SetBorderWidth(int32_t w) {
    width_ = w;
    place();
}

void Line::SetBorderColor(Color c) {
    color_ = c;
    if (widget()) widget()->update();
}

// The widget covers the line's bounding box, widened by the pen.
void Line::place() {
    QWidget* w = widget();
    if (!w) return;
    const int32_t pad = std::max(width_, 1);
    w->setGeometry(std::min(x1_, x2_) - pad, std::min(y1_, y2_) - pad, std::abs(x2_ - x1_) + 2 * pad + 1,
                   std::abs(y2_ - y1_) + 2 * pad + 1);
    w->update();
}

}  // namespace fw
