#include "Variant.h"

#include "Text.h"

namespace fw {

int32_t Variant::IntegerValue() const {
    switch (type()) {
        case Type::Integer: return std::get<int32_t>(v_);
        case Type::Double: return ToInt(std::get<double>(v_));
        case Type::Boolean: return std::get<bool>(v_) ? 1 : 0;
        case Type::String: return ToInt(Val(std::get<std::string>(v_)));
        default: return 0;
    }
}

double Variant::DoubleValue() const {
    switch (type()) {
        case Type::Integer: return std::get<int32_t>(v_);
        case Type::Double: return std::get<double>(v_);
        case Type::Boolean: return std::get<bool>(v_) ? 1.0 : 0.0;
        case Type::String: return Val(std::get<std::string>(v_));
        default: return 0.0;
    }
}

bool Variant::BooleanValue() const {
    switch (type()) {
        case Type::Integer: return std::get<int32_t>(v_) != 0;
        case Type::Double: return std::get<double>(v_) != 0.0;
        case Type::Boolean: return std::get<bool>(v_);
        case Type::String: {
            const auto& s = std::get<std::string>(v_);
            return s == "True" || s == "true" || Val(s) != 0.0;
        }
        case Type::Object: return static_cast<bool>(std::get<Ref<Object>>(v_));
        default: return false;
    }
}

std::string Variant::StringValue() const {
    switch (type()) {
        case Type::Integer: return Str(std::get<int32_t>(v_));
        case Type::Double: return Str(std::get<double>(v_));
        case Type::Boolean: return std::get<bool>(v_) ? "True" : "False";
        case Type::String: return std::get<std::string>(v_);
        default: return std::string();
    }
}

Ref<Object> Variant::ObjectValue() const {
    if (type() == Type::Object) return std::get<Ref<Object>>(v_);
    return nullptr;
}

const std::string& Variant::StringRef() const {
    static const std::string empty;
    if (auto p = std::get_if<std::string>(&v_)) return *p;
    return empty;
}

}  // namespace fw
