// What the look tests of every window share: the windows themselves, and the
// measure of every fixed text against the control that shows it, with the
// font that control really draws with.
#pragma once

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QtTest>
#include <functional>
#include <string>
#include <vector>

#include "app/WindowAbout.h"
#include "app/WindowResetDrift.h"
#include "app/WindowSplash.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Window.h"
#include "labs/divergence/WindowArchipelago.h"
#include "labs/divergence/WindowDiverge.h"
#include "labs/drift/WindowDrift.h"
#include "labs/tree/WindowTree.h"

namespace looks {

struct WindowKind {
    const char* name;
    std::function<fw::Ref<fw::Window>()> get;
};

inline const std::vector<WindowKind>& windowKinds() {
    static const std::vector<WindowKind> kinds = {
        {"Splash", [] { return fw::Ref<fw::Window>(WindowSplash()); }},
        {"About", [] { return fw::Ref<fw::Window>(WindowAbout()); }},
        {"Reset", [] { return fw::Ref<fw::Window>(WindowResetDrift()); }},
        {"Drift", [] { return fw::Ref<fw::Window>(WindowDrift()); }},
        {"Divergence", [] { return fw::Ref<fw::Window>(WindowDiverge()); }},
        {"Archipelago", [] { return fw::Ref<fw::Window>(WindowArchipelago()); }},
        {"Tree", [] { return fw::Ref<fw::Window>(WindowTree()); }},
    };
    return kinds;
}

inline int kindIndex(const QString& name) {
    for (int i = 0; i < int(windowKinds().size()); ++i)
        if (name == windowKinds()[i].name) return i;
    return -1;
}

// A data table with one row per window kind: column "k", the kind's index.
inline void addWindowKindRows() {
    QTest::addColumn<int>("k");
    for (int i = 0; i < int(windowKinds().size()); ++i) QTest::newRow(windowKinds()[i].name) << i;
}

inline QString controlName(const fw::Control& c) {
    QString n = QString::fromStdString(c.Name());
    if (c.Index() >= 0) n += QString("(%1)").arg(c.Index());
    return n;
}

// Empty when `text` fits `room` drawn in `font`, else what went wrong.
// Word-wrapped texts are wrapped to the room's width first.
inline QString misfit(const QString& who, const QString& text, const QFont& font, const QRect& room,
                      bool wrap) {
    if (text.isEmpty()) return {};
    const QFontMetrics fm(font);
    QSize need;
    if (wrap) {
        for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            need.setWidth(std::max(need.width(), fm.horizontalAdvance(word)));
        need.setHeight(fm.boundingRect(QRect(0, 0, room.width(), 100000), Qt::TextWordWrap, text).height());
    } else {
        need = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, text).size();
        need.setWidth(0);
        for (const QString& line : text.split('\n')) need.setWidth(std::max(need.width(), fm.horizontalAdvance(line)));
    }
    if (need.width() <= room.width() && need.height() <= room.height()) return {};
    return QString("%1 \"%2\" needs %3 x %4 in %5 %6px, has %7 x %8")
        .arg(who, QString(text).replace('\n', "\\r"))
        .arg(need.width())
        .arg(need.height())
        .arg(QFontInfo(font).family())
        .arg(font.pixelSize())
        .arg(room.width())
        .arg(room.height());
}

// The room a line edit gives its text: inside its frame and text margins,
// less the two pixels it keeps free at either end of the line (the line is
// clipped to the room's height only).
inline QRect lineEditRoom(QLineEdit* e) {
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    const QMargins m = e->textMargins();
    return e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e)
        .adjusted(m.left() + 2, m.top(), -m.right() - 2, -m.bottom());
}

// Every fixed text of the window's controls that does not fit: labels and
// counters, button captions, field contents and pop-up menu rows.
inline QStringList textsThatDontFit(const fw::Window& w) {
    QStringList bad;
    for (const auto& c : w.Controls()) {
        QWidget* widget = c->widget();
        if (!widget) continue;
        const QString who = controlName(*c);
        if (auto* l = qobject_cast<QLabel*>(widget)) {
            bad << misfit(who, l->text(), l->font(), l->contentsRect(), l->wordWrap());
        } else if (auto* b = qobject_cast<QPushButton*>(widget)) {
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.rect = b->rect();
            opt.text = b->text();
            bad << misfit(who, b->text(), b->font(),
                          b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b), false);
        } else if (auto* e = qobject_cast<QLineEdit*>(widget)) {
            bad << misfit(who, e->text(), e->font(), lineEditRoom(e), false);
        } else if (auto* m = qobject_cast<QComboBox*>(widget)) {
            QStyleOptionComboBox opt;
            opt.initFrom(m);
            opt.rect = m->rect();
            opt.editable = m->isEditable();
            opt.frame = m->hasFrame();
            const QRect room =
                m->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, m);
            for (int i = 0; i < m->count(); ++i) bad << misfit(who, m->itemText(i), m->font(), room, false);
        }
    }
    bad.removeAll(QString());
    return bad;
}

}  // namespace looks
