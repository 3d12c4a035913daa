#include "Controls.h"

#include <QLineEdit>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

// ---------------------------------------------------------------- EditField

namespace {
using FieldWidget = FocusRingOptional<QLineEdit>;
}  // namespace

EditField::EditField() {
    auto* e = new FieldWidget;
    e->setFocusPolicy(Qt::StrongFocus);
    setWidget(e);
}

void EditField::SetUseFocusRing(bool on) {
    focusRing_ = on;
    if (auto* e = widgetOf<FieldWidget>(this)) {
        e->focusRing = on;
        e->update();
    }
}

bool EditField::AllTextSelected() const {
    auto* e = widgetOf<QLineEdit>(this);
    return e && !e->text().isEmpty() && e->selectedText() == e->text();
}

void EditField::firstFocused() {
    if (auto* e = widgetOf<QLineEdit>(this)) e->selectAll();
}

std::string EditField::Text() const {
    auto* e = widgetOf<QLineEdit>(this);
    return e ? e->text().toStdString() : std::string();
}

void EditField::SetText(const std::string& s) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setText(qstr(s));
}

void EditField::SetBorder(bool b) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setFrame(b);
}

void EditField::SetReadOnly(bool r) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setReadOnly(r);
}

void EditField::SetTextFont(const std::string& font) {
    setFontName(widget(), font);
}

void EditField::SetTextSize(int32_t size) {
    setFontSize(widget(), size);
}

void EditField::SetAlignment(int32_t a) {
    if (auto* e = widgetOf<QLineEdit>(this)) e->setAlignment(horizontalAlignment(a) | Qt::AlignVCenter);
}

void EditField::SetBackColor(Color c) {
    if (QWidget* w = widget()) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, qcolor(c));
        w->setPalette(pal);
    }
}

}  // namespace fw
