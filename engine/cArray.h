// A growable, zero-based array of Variants passed around by reference.
// A sequence is a cArray of one-letter strings used from index 1, element 0
// left empty. Indices are not checked by the operations themselves: the
// element store throws OutOfBoundsException for one outside 0..ubound, as
// the framework's arrays do.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Variant.h"

// The elements of a cArray. A clone shares its source's store until one of
// the two is written (copy on write), so cloning costs the same whatever the
// length, and a population of faithful copies holds one set of letters per
// lineage instead of one per virion.
//
// While every element is empty or a string of exactly one (non-NUL)
// character, as in every sequence, each element takes one byte (0 for an
// empty element); the first other value stored turns the whole store into
// Variants for good. Either way, reading an element gives back the Variant
// that was stored.
class cArrayElements {
public:
    cArrayElements() = default;

    // -1 when empty.
    int32_t UBound() const;
    // Resizes to upper bound n (n < -1 counts as -1); kept elements stay,
    // new ones are empty.
    void Redim(int32_t n);
    fw::Variant Get(int32_t i) const;
    void Set(int32_t i, fw::Variant v);
    // Inserts v before element i; i may be UBound() + 1 (append).
    void Insert(int32_t i, fw::Variant v);
    void Remove(int32_t i);

    // Makes other share this store: O(1), whatever the length.
    void ShareWith(cArrayElements& other) const { other.store_ = store_; }
    // True while this store is shared with another array (for tests and
    // benchmarks).
    bool IsShared() const { return store_ && store_.use_count() > 1; }
    // True while elements are kept one byte each.
    bool IsCompact() const { return !store_ || store_->compact; }

private:
    struct Store {
        bool compact = true;
        // compact: one byte per element, 0 for empty, else the character.
        std::string letters;
        // not compact: the elements themselves.
        std::vector<fw::Variant> items;
    };

    // The store, made this array's own (copied first while it is shared).
    Store& writable();
    size_t check(int32_t i) const;
    // The byte that stands for v, or -1 when v cannot be kept as a byte.
    static int fold(const fw::Variant& v);
    // Leaves the one-byte form.
    static void expand(Store& s);

    std::shared_ptr<Store> store_;
};

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
    // A new array with the same upper bound and elements. It shares this
    // array's store until either is written, so changing an element of one
    // never changes the other.
    virtual fw::Ref<cArray> clone();

    cArrayElements theArray;
};
