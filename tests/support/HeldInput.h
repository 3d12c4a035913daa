// Input that arrives while a laboratory's handler runs, sent through Qt's
// own event path from inside that handler.
#pragma once

#include <QtTest>
#include <functional>

#include "engine/CacheCan.h"

// Runs `input` once, when a canvas first puts its picture on the screen (a
// fast forward's generation, a tick's population): from inside the handler
// that draws it, as the user's input arrives while it runs.
class AtFirstBlit {
public:
    explicit AtFirstBlit(std::function<void()> input) {
        CacheCan::SetBlitObserver([this, input = std::move(input)](CacheCan&) {
            if (sent) return;
            sent = true;
            input();
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
