#include "engine/cArray.h"

#include <utility>

#include "framework/core/Text.h"
#include "framework/core/Yield.h"

// ------------------------------------------------------------ the elements

int32_t cArrayElements::UBound() const {
    if (!store_) return -1;
    const size_t n = store_->compact ? store_->letters.size() : store_->items.size();
    return static_cast<int32_t>(n) - 1;
}

cArrayElements::Store& cArrayElements::writable() {
    if (!store_)
        store_ = std::make_shared<Store>();
    else if (store_.use_count() > 1)
        store_ = std::make_shared<Store>(*store_);
    return *store_;
}

size_t cArrayElements::check(int32_t i) const {
    if (i < 0 || i > UBound())
        throw fw::OutOfBoundsException("index " + std::to_string(i) + " outside 0.." +
                                       std::to_string(UBound()));
    return static_cast<size_t>(i);
}

int cArrayElements::fold(const fw::Variant& v) {
    if (v.IsEmpty()) return 0;
    if (v.type() != fw::Variant::Type::String) return -1;
    const std::string& s = v.StringRef();
    if (s.size() != 1 || s[0] == '\0') return -1;
    return static_cast<unsigned char>(s[0]);
}

void cArrayElements::expand(Store& s) {
    s.items.clear();
    s.items.reserve(s.letters.size());
    for (char c : s.letters) {
        if (c == '\0')
            s.items.emplace_back();
        else
            s.items.emplace_back(std::string(1, c));
    }
    s.letters = std::string();
    s.compact = false;
}

void cArrayElements::Redim(int32_t n) {
    if (n < -1) n = -1;
    if (n == UBound()) return;
    Store& s = writable();
    if (s.compact)
        s.letters.resize(static_cast<size_t>(n + 1), '\0');
    else
        s.items.resize(static_cast<size_t>(n + 1));
}

fw::Variant cArrayElements::Get(int32_t i) const {
    const size_t k = check(i);
    if (!store_->compact) return store_->items[k];
    const char c = store_->letters[k];
    if (c == '\0') return fw::Variant();
    return fw::Variant(std::string(1, c));
}

void cArrayElements::Set(int32_t i, fw::Variant v) {
    const size_t k = check(i);
    const int b = store_->compact ? fold(v) : -1;
    if (store_->compact && b >= 0) {
        // Writing the byte that is already there changes nothing: no copy.
        if (store_->letters[k] == static_cast<char>(b)) return;
        writable().letters[k] = static_cast<char>(b);
        return;
    }
    Store& s = writable();
    if (s.compact) expand(s);
    s.items[k] = std::move(v);
}

void cArrayElements::Insert(int32_t i, fw::Variant v) {
    if (i < 0 || i > UBound() + 1)
        throw fw::OutOfBoundsException("index " + std::to_string(i) + " outside 0.." +
                                       std::to_string(UBound()));
    Store& s = writable();
    const size_t k = static_cast<size_t>(i);
    const int b = s.compact ? fold(v) : -1;
    if (s.compact && b >= 0) {
        s.letters.insert(s.letters.begin() + static_cast<std::ptrdiff_t>(k), static_cast<char>(b));
        return;
    }
    if (s.compact) expand(s);
    s.items.insert(s.items.begin() + static_cast<std::ptrdiff_t>(k), std::move(v));
}

void cArrayElements::Remove(int32_t i) {
    const size_t k = check(i);
    Store& s = writable();
    if (s.compact)
        s.letters.erase(k, 1);
    else
        s.items.erase(s.items.begin() + static_cast<std::ptrdiff_t>(k));
}

// ------------------------------------------------------------ cArray

cArray::cArray() = default;

cArray::cArray(int32_t n) {
    myRedim(n);
}

void cArray::myRedim(int32_t n) {
    theArray.Redim(n);
}

void cArray::set(int32_t i, fw::Variant v) {
    theArray.Set(i, std::move(v));
}

fw::Variant cArray::get(int32_t i) {
    return theArray.Get(i);
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
    // The same upper bound and elements as copying every element into a new
    // array of this upper bound, without the copying: the two share one
    // store until either is written. A sequence is cloned for every
    // offspring, and most offspring never change a letter.
    auto c = fw::New<cArray>();
    theArray.ShareWith(c->theArray);
    return c;
}
