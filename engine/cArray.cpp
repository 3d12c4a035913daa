#include "engine/cArray.h"

#include "framework/core/Text.h"
#include "framework/core/Yield.h"

cArray::cArray() = default;

cArray::cArray(int32_t n) {
    myRedim(n);
}

void cArray::myRedim(int32_t n) {
    theArray.Redim(n);
}

void cArray::set(int32_t i, fw::Variant v) {
    theArray(i) = std::move(v);
}

fw::Variant cArray::get(int32_t i) {
    return theArray(i);
}

void cArray::insert(int32_t i, fw::Variant v) {
    theArray.Insert(i, std::move(v));
}

void cArray::append(fw::Variant v) {
    theArray.Insert(theArray.UBound() + 1, std::move(v));
}

void cArray::remove(int32_t i) {
    theArray.Remove(i);
}

int32_t cArray::ubound() {
    return theArray.UBound();
}

void cArray::sort() {}

void cArray::swap(int32_t i, int32_t j) {
    fw::Variant a = get(i);
    fw::Variant b = get(j);
    set(i, std::move(b));
    set(j, std::move(a));
}

void cArray::reverse() {
    int32_t n = ubound();
    // With no element or one there is nothing to exchange (and for an empty
    // array the first exchange would address index -1).
    if (n < 1) return;
    int32_t h = n / 2;
    for (int32_t i = 0; i <= h; ++i) {
        swap(i, n - i);
        fw::Yield();
    }
}

void cArray::copyTo(const fw::Ref<cArray>& dest) {
    cArray& d = fw::Deref(dest);
    double a = static_cast<double>(ubound());
    double b = static_cast<double>(d.ubound());
    int32_t m = fw::ToInt(fw::Min(a, b));
    for (int32_t i = 0; i <= m; ++i) {
        d.set(i, get(i));
        fw::Yield();
    }
}

void cArray::display() {}

fw::Ref<cArray> cArray::clone() {
    // Same result as making an array of this upper bound and copying every
    // element into it, but each element is copy-constructed in place: a
    // sequence is cloned for every offspring, and assigning into elements
    // made empty first costs several times as much.
    auto c = fw::New<cArray>();
    const std::vector<fw::Variant>& from = theArray.raw();
    std::vector<fw::Variant>& to = c->theArray.raw();
    to.reserve(from.size());
    for (const fw::Variant& v : from) {
        to.push_back(v);
        fw::Yield();
    }
    return c;
}
