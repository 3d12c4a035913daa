// A growable, zero-based array of Variants passed around by reference.
// A sequence is a cArray of one-letter strings used from index 1, element 0
// left empty. Indices are not checked here: the underlying fw::Array throws
// OutOfBoundsException for one outside 0..ubound.
#pragma once

#include <cstdint>

#include "framework/core/Array.h"
#include "framework/core/Object.h"
#include "framework/core/Variant.h"

class cArray : public fw::Object {
public:
    // Empty: ubound -1.
    cArray();
    // Indices 0 to n, all empty (myRedim).
    explicit cArray(int32_t n);

    virtual void myRedim(int32_t n);
    virtual void set(int32_t i, fw::Variant v);
    virtual fw::Variant get(int32_t i);
    // Inserts v before element i; the upper bound grows by one.
    virtual void insert(int32_t i, fw::Variant v);
    // v becomes the new last element.
    virtual void append(fw::Variant v);
    // Removes element i; later elements move down by one.
    virtual void remove(int32_t i);
    virtual int32_t ubound();
    // Does nothing.
    virtual void sort();
    virtual void swap(int32_t i, int32_t j);
    // Reverses elements 0 to ubound; an array of fewer than two elements is
    // left as it is.
    virtual void reverse();
    // Copies elements 0 to the smaller of the two upper bounds into dest at
    // the same indices; dest keeps its size.
    virtual void copyTo(const fw::Ref<cArray>& dest);
    // Does nothing.
    virtual void display();
    // A new, independent array with the same upper bound and elements.
    virtual fw::Ref<cArray> clone();

    fw::Array<fw::Variant> theArray;
};
