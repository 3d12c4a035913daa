// The framework's one-dimensional array: zero-based, with an upper bound
// (-1 when empty), resize, insert and remove, and bounds checking on every
// access (OutOfBoundsException, never undefined behaviour).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Object.h"

namespace fw {

template <class T>
class Array {
public:
    Array() = default;
    explicit Array(int32_t ubound) { Redim(ubound); }

    int32_t UBound() const { return static_cast<int32_t>(items_.size()) - 1; }

    // Resizes to upper bound n (n = -1 empties it); kept elements stay.
    void Redim(int32_t n) {
        if (n < -1) n = -1;
        items_.resize(static_cast<size_t>(n + 1));
    }

    T& operator()(int32_t i) { return items_[check(i)]; }
    const T& operator()(int32_t i) const { return items_[check(i)]; }
    T& at(int32_t i) { return items_[check(i)]; }
    const T& at(int32_t i) const { return items_[check(i)]; }

    // Inserts v before element i; i may be UBound() + 1 (append).
    void Insert(int32_t i, T v) {
        if (i < 0 || i > UBound() + 1) throw OutOfBoundsException(message(i));
        items_.insert(items_.begin() + i, std::move(v));
    }
    void Append(T v) { items_.push_back(std::move(v)); }
    void Remove(int32_t i) { items_.erase(items_.begin() + check(i)); }

    std::vector<T>& raw() { return items_; }
    const std::vector<T>& raw() const { return items_; }

private:
    size_t check(int32_t i) const {
        if (i < 0 || i > UBound()) throw OutOfBoundsException(message(i));
        return static_cast<size_t>(i);
    }
    std::string message(int32_t i) const {
        return "index " + std::to_string(i) + " outside 0.." + std::to_string(UBound());
    }

    std::vector<T> items_;
};

}  // namespace fw
