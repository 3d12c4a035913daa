#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <deque>

#include "Application.h"
#include "ControlSupport.h"
#include "Controls.h"
#include "Window.h"

namespace fw {

using namespace internal;

// The repeating timers that owe a tick, oldest first. Never destroyed: a
// timer that outlives the process's static objects can still leave it.
struct TimerQueue {
    static std::deque<Timer*>& owed() {
        static auto* q = new std::deque<Timer*>;
        return *q;
    }
    static bool& deliveryPosted() {
        static bool posted = false;
        return posted;
    }

    static void owe(Timer* t) {
        if (t->owed_) return;
        t->owed_ = true;
        owed().push_back(t);
    }

    static void forget(Timer* t) {
        if (!t->owed_) return;
        t->owed_ = false;
        auto& q = owed();
        q.erase(std::remove(q.begin(), q.end(), t), q.end());
    }

    // Delivers the oldest owed tick that is still wanted; called with no
    // handler running.
    static void deliverOne() {
        auto& q = owed();
        while (!q.empty()) {
            Timer* t = q.front();
            q.pop_front();
            t->owed_ = false;
            if (!t->deliverable()) continue;
            t->deliverOwed();
            return;
        }
    }

    // The next owed tick goes out from the event loop, after what is already
    // queued there (input that waited for the handler comes first). One at a
    // time: each delivery asks for the next once its handler has returned.
    static void deliverLater() {
        if (owed().empty() || deliveryPosted() || !QCoreApplication::instance()) return;
        deliveryPosted() = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [] {
                deliveryPosted() = false;
                // Inside a handler (a yield let the event loop run) the tick
                // waits; the handler's end asks again.
                if (!InHandler()) deliverOne();
            },
            Qt::QueuedConnection);
    }
};

namespace internal {

void deliverOwedTicksLater() {
    TimerQueue::deliverLater();
}

}  // namespace internal

// -------------------------------------------------------------------- Timer

Timer::Timer() : timer_(new QTimer) {
    // Precise: coarse timers of one period would all fall due together.
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { tick(); });
}

Timer::~Timer() {
    TimerQueue::forget(this);
    // Without a working application (the process is ending) the timer is
    // left alone.
    if (qtUsable()) delete timer_;
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

// A tick owed before the change is no longer wanted.
void Timer::restart() {
    TimerQueue::forget(this);
    timer_->stop();
    if (mode_ != 1 && mode_ != 2) return;
    timer_->setSingleShot(mode_ == 1);
    timer_->start(std::max(period_, 0));
}

bool Timer::deliverable() const {
    return mode_ == 2 && !(WindowPtr() && WindowPtr()->IsClosed());
}

void Timer::tick() {
    if (mode_ != 1 && mode_ != 2) return;
    if (WindowPtr() && WindowPtr()->IsClosed()) {
        TimerQueue::forget(this);
        timer_->stop();
        return;
    }
    auto keep = shared_from_this();
    if (mode_ == 1) {
        // A single tick waits until the handler has returned.
        if (InHandler()) {
            timer_->start(10);
            return;
        }
        mode_ = 0;
        timer_->stop();
        Dispatch([this] { Action.Raise(); }, WindowPtr());
        return;
    }
    // Due now: delivered at once, unless a handler runs or older owed ticks
    // come first; then it is owed behind them.
    if (!InHandler() && TimerQueue::owed().empty()) {
        Dispatch([this] { Action.Raise(); }, WindowPtr());
        return;
    }
    TimerQueue::owe(this);
    if (!InHandler()) TimerQueue::deliverOne();
}

// A late tick: the period starts afresh from it.
void Timer::deliverOwed() {
    auto keep = shared_from_this();
    timer_->start(std::max(period_, 0));
    Dispatch([this] { Action.Raise(); }, WindowPtr());
}

}  // namespace fw
