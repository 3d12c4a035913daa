// Object runtime of the framework layer: reference-counted objects, the
// nil-object exception and type-verifying casts.
//
// Every object of the program derives from fw::Object and is held through
// fw::Ref<T> (a shared, reference-counted pointer). A checked cast or a use
// of a missing object throws fw::NilObjectException; nothing here is ever
// undefined behaviour.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>

namespace fw {

class Object : public std::enable_shared_from_this<Object> {
public:
    Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;
    virtual ~Object() = default;
};

template <class T>
using Ref = std::shared_ptr<T>;

// Raised where an object in use is missing, or a cast finds the wrong type.
class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const std::string& what = "nil object")
        : std::runtime_error(what) {}
};

// Raised by fw::Array and the list controls for an index outside the bounds.
class OutOfBoundsException : public std::out_of_range {
public:
    explicit OutOfBoundsException(const std::string& what = "index out of bounds")
        : std::out_of_range(what) {}
};

// Makes a new object; the one way objects come into being.
template <class T, class... Args>
Ref<T> New(Args&&... args) {
    return std::make_shared<T>(std::forward<Args>(args)...);
}

// True when p holds an object of class T (or of a class derived from it).
template <class T, class U>
bool IsA(const Ref<U>& p) {
    return p && dynamic_cast<T*>(p.get()) != nullptr;
}
template <class T, class U>
bool IsA(const U* p) {
    return p && dynamic_cast<const T*>(p) != nullptr;
}

// Type-verifying cast: the object as a T, or NilObjectException when p is
// nil or not a T.
template <class T, class U>
Ref<T> Cast(const Ref<U>& p) {
    if (!p) throw NilObjectException(std::string("nil object where a ") + typeid(T).name() + " was wanted");
    Ref<T> r = std::dynamic_pointer_cast<T>(p);
    if (!r) throw NilObjectException(std::string("object is not a ") + typeid(T).name());
    return r;
}

// The same verified cast, giving the object itself: no reference is taken
// (the caller's p keeps the object alive). An object of exactly class T is
// settled by one type comparison, for loops that look at every sprite of a
// population many times a tick.
template <class T, class U>
T& CastRef(const Ref<U>& p) {
    U* raw = p.get();
    if (raw && typeid(*raw) == typeid(T)) return static_cast<T&>(*raw);
    return *Cast<T>(p);  // a subclass of T, or the exception
}

// Soft cast: the object as a T, or nil when p is nil or not a T.
template <class T, class U>
Ref<T> As(const Ref<U>& p) {
    return std::dynamic_pointer_cast<T>(p);
}

// Dereference that throws NilObjectException on a missing object.
template <class T>
T& Deref(const Ref<T>& p) {
    if (!p) throw NilObjectException();
    return *p;
}
template <class T>
T& Deref(T* p) {
    if (!p) throw NilObjectException();
    return *p;
}

}  // namespace fw
