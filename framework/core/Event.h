// An event that a control declares and its window handles. A window binds a
// handler once, while it creates its controls; raising an event that nobody
// handles does nothing.
#pragma once

#include <functional>
#include <utility>

namespace fw {

template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    void Bind(Handler h) { handler_ = std::move(h); }
    bool IsHandled() const { return static_cast<bool>(handler_); }
    void Raise(Args... args) const {
        if (handler_) handler_(args...);
    }

private:
    Handler handler_;
};

// An event whose handler returns a value (a window's MouseDown returns a
// Boolean); unhandled, it returns the value given.
template <class R, class... Args>
class ResultEvent {
public:
    using Handler = std::function<R(Args...)>;

    void Bind(Handler h) { handler_ = std::move(h); }
    bool IsHandled() const { return static_cast<bool>(handler_); }
    R Raise(R unhandled, Args... args) const {
        if (handler_) return handler_(args...);
        return unhandled;
    }

private:
    Handler handler_;
};

}  // namespace fw
