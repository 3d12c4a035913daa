// Lists and keyboard focus as the test programs look at them.
#pragma once

#include <QApplication>
#include <QImage>
#include <QStringList>
#include <QTableWidget>
#include <QtTest>
#include <algorithm>

#include "framework/ui/Window.h"

inline QTableWidget* tableOf(const fw::Control& list) {
    return qobject_cast<QTableWidget*>(list.widget());
}

// The rightmost column holding a dark (letter) pixel in the band
// [top, top + height) of the picture; -1 when none.
inline int rightmostInk(const QImage& img, int top, int height) {
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = std::max(top, 0); y < std::min(top + height, img.height()); ++y)
            if (qGray(img.pixel(x, y)) < 100) return x;
    return -1;
}

// The focused control as "Name" or "Name(index)".
inline QString focusedName(fw::Window& w) {
    auto c = w.FocusedControl();
    if (!c) return "(none)";
    QString n = QString::fromStdString(c->Name());
    return c->Index() >= 0 ? n + QString("(%1)").arg(c->Index()) : n;
}

// The focus chain from the control that has the focus: `steps` controls
// reached by Tab, then, if the chain closes there, the same controls
// reached by Shift+Tab, in forward order.
inline QPair<QStringList, QStringList> focusChainOf(fw::Window& w, int steps) {
    QStringList forward, backward;
    for (int i = 0; i < steps; ++i) {
        forward << focusedName(w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    if (focusedName(w) != forward.value(0)) return {forward, {"(chain not closed)"}};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(focusedName(w));
    }
    return {forward, backward};
}
