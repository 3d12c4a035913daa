// A Variant holds nothing, an Integer, a Double, a Boolean, a String or an
// object reference. Reading it as another type converts with the layer's
// rules (Str, Val, ToInt); reading an object from a Variant that holds none
// gives nil.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "Object.h"

namespace fw {

class Variant {
public:
    enum class Type { Empty, Integer, Double, Boolean, String, Object };

    Variant() = default;
    Variant(int32_t v) : v_(v) {}
    Variant(double v) : v_(v) {}
    Variant(bool v) : v_(v) {}
    Variant(const std::string& v) : v_(v) {}
    Variant(std::string&& v) : v_(std::move(v)) {}
    Variant(const char* v) : v_(std::string(v)) {}
    template <class T, std::enable_if_t<std::is_base_of_v<Object, T>, int> = 0>
    Variant(const Ref<T>& o) {
        if (o) v_ = std::static_pointer_cast<Object>(o);
    }

    Type type() const { return static_cast<Type>(v_.index()); }
    bool IsEmpty() const { return type() == Type::Empty; }
    bool IsObject() const { return type() == Type::Object; }

    // Conversions. Integer of a Double uses ToInt; Integer and Double of a
    // String use Val; String of a number uses Str; Boolean of a number is
    // "not zero"; an empty Variant reads as 0, False and "".
    int32_t IntegerValue() const;
    double DoubleValue() const;
    bool BooleanValue() const;
    std::string StringValue() const;
    Ref<Object> ObjectValue() const;  // nil unless an object is held

    // Fast access for the sequence letters: the stored String, or an empty
    // one when the Variant holds something else.
    const std::string& StringRef() const;

    // The object as a T (type-verifying cast: NilObjectException when no
    // object or not a T).
    template <class T>
    Ref<T> As() const {
        return Cast<T>(ObjectValue());
    }

    bool operator==(const Variant& o) const { return v_ == o.v_; }
    bool operator!=(const Variant& o) const { return !(*this == o); }

private:
    std::variant<std::monostate, int32_t, double, bool, std::string, Ref<Object>> v_;
};

}  // namespace fw
