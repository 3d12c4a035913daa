#include "Controls.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "Application.h"
#include "ControlSupport.h"
#include "Window.h"

namespace fw {

using namespace internal;

// -------------------------------------------------------------------- Timer

Timer::Timer() : timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { tick(); });
}

Timer::~Timer() {
    // Without an application (the process is ending) the timer is left alone.
    if (QCoreApplication::instance()) delete timer_;
}

void Timer::SetMode(int32_t m) {
    mode_ = m;
    restart();
}

void Timer::SetPeriod(int32_t ms) {
    period_ = ms;
    restart();
}

void Timer::Fire() {
    tick();
}

void Timer::restart() {
    timer_->stop();
    if (mode_ != 1 && mode_ != 2) return;
    timer_->setSingleShot(mode_ == 1);
    timer_->start(std::max(period_, 0));
}

void Timer::tick() {
    if (mode_ != 1 && mode_ != 2) return;
    if (WindowPtr() && WindowPtr()->IsClosed()) {
        timer_->stop();
        return;
    }
    if (InHandler()) {
        // A repeating tick is skipped; a single one waits until the handler
        // has returned, so that it is never lost.
        if (mode_ == 1) timer_->start(10);
        return;
    }
    if (mode_ == 1) {
        mode_ = 0;
        timer_->stop();
    }
    auto keep = shared_from_this();
    Dispatch([this] { Action.Raise(); });
}

}  // namespace fw
