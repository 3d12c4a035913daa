// Small helpers shared by the control kinds' source files; not for program
// code.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>
#include <string>

#include "Controls.h"
#include "Internal.h"
#include "framework/core/Color.h"

namespace fw {
namespace internal {

inline QString qstr(const std::string& s) {
    return QString::fromStdString(s);
}

inline QColor qcolor(Color c) {
    return QColor(c.red, c.green, c.blue);
}

// Carriage returns (the program's line break) become line feeds.
inline QString withLineFeeds(const std::string& s) {
    QString t = qstr(s);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

inline void setFontName(QWidget* w, const std::string& name) {
    if (!w) return;
    QFont f = internal::fontFor(name, w->font().pixelSize());
    f.setBold(w->font().bold());
    w->setFont(f);
}

inline void setFontSize(QWidget* w, int32_t size) {
    if (!w || size <= 0) return;
    QFont f = w->font();
    f.setPixelSize(size);
    w->setFont(f);
}

// Alignment codes of lists and fields: 0 default, 1 left, 2 centred, 3 right.
inline Qt::Alignment horizontalAlignment(int32_t code) {
    switch (code) {
    case 2: return Qt::AlignHCenter;
    case 3: return Qt::AlignRight;
    default: return Qt::AlignLeft;
    }
}

// A framed widget (a field, a list) that can leave out the style's focus
// frame: the control's UseFocusRing False.
template <class Base>
class FocusRingOptional : public Base {
public:
    bool focusRing = true;

protected:
    void initStyleOption(QStyleOptionFrame* option) const override {
        Base::initStyleOption(option);
        if (!focusRing) option->state &= ~QStyle::State_HasFocus;
    }
};

template <class W>
W* widgetOf(const Control* c) {
    return static_cast<W*>(c->widget());
}

}  // namespace internal
}  // namespace fw
