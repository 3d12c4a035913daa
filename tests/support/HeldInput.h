// Input that arrives while a laboratory's handler runs, sent through Qt's
// own event path from inside that handler.
#pragma once

#include <QtTest>
#include <functional>

#include "engine/CacheCan.h"

// Runs `input` once, from inside the handler that first puts a canvas's
// picture on the screen (a fast forward's generation, a tick's population).
struct AtFirstBlit {
    explicit AtFirstBlit(std::function<void()> input) {
        CacheCan::SetBlitObserver([this, input = std::move(input)](CacheCan&) {
            if (!sent) sent = true, input();
        });
    }
    ~AtFirstBlit() { CacheCan::SetBlitObserver(nullptr); }
    bool sent = false;
};

// The second click of a double-click, as the window system sends it.
inline void secondClickOfDouble(QWidget* w) {
    QTest::mousePress(w, Qt::LeftButton);
    QTest::mouseDClick(w, Qt::LeftButton);
    QTest::mouseRelease(w, Qt::LeftButton);
}

// A whole double-click, as the window system sends it: press, release, then
// the second click.
inline void doubleClick(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
    secondClickOfDouble(w);
}
