#include "Text.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>

namespace fw {

std::string Str(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    if (v == std::floor(v) && std::fabs(v) < 1e18) {
        long long whole = static_cast<long long>(v);
        return std::to_string(whole);
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

namespace {

// The power of ten of the first significant digit of a number written as
// sign, digits, point, digits and exponent ("0.05e3" gives 1, "120" gives 2).
long long powerOfTen(const std::string& num) {
    const size_t end = std::min(num.find_first_of("eE"), num.size());
    const size_t point = std::min(num.find('.'), end);
    const size_t first = num.find_first_of("123456789");
    if (first >= end) return 0;  // no significant digit
    long long power = first < point ? static_cast<long long>(point - first) - 1
                                    : -static_cast<long long>(first - point);
    long long exponent = 0;
    size_t i = end + 1;
    const bool negative = i < num.size() && num[i] == '-';
    if (i < num.size() && (num[i] == '-' || num[i] == '+')) ++i;
    for (; i < num.size(); ++i) exponent = std::min(exponent * 10 + (num[i] - '0'), 1000000000LL);
    return power + (negative ? -exponent : exponent);
}

}  // namespace

double Val(const std::string& s) {
    size_t i = 0, n = s.size();
    while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
    size_t start = i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digitsBefore = 0, digitsAfter = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') { ++i; ++digitsBefore; }
    if (i < n && s[i] == '.') {
        size_t j = i + 1;
        while (j < n && s[j] >= '0' && s[j] <= '9') { ++j; ++digitsAfter; }
        if (digitsBefore + digitsAfter > 0) i = j;
    }
    if (digitsBefore + digitsAfter == 0) return 0.0;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < n && s[j] >= '0' && s[j] <= '9') { ++j; ++expDigits; }
        if (expDigits > 0) i = j;
    }
    std::string num = s.substr(start, i - start);
    if (!num.empty() && num[0] == '+') num.erase(0, 1);
    double v = 0.0;
    auto res = std::from_chars(num.data(), num.data() + num.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small for a Double reads as 0, too large as the largest Double,
        // each with its sign, however the number is written.
        const bool negative = !num.empty() && num[0] == '-';
        if (powerOfTen(num) < 0) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    if (res.ec != std::errc()) return 0.0;
    return v;
}

int32_t Len(const std::string& s) {
    return static_cast<int32_t>(s.size());
}

std::string Mid(const std::string& s, int32_t start, int32_t len) {
    if (start < 1) start = 1;
    size_t from = static_cast<size_t>(start - 1);
    if (from >= s.size()) return std::string();
    if (len < 0) return s.substr(from);
    return s.substr(from, static_cast<size_t>(len));
}

std::string Chr(int32_t code) {
    return std::string(1, static_cast<char>(code & 0xFF));
}

namespace {
std::function<double()>& microsecondsSource() {
    static std::function<double()> source;
    return source;
}
}  // namespace

double Microseconds() {
    if (auto& src = microsecondsSource()) return src();
    using namespace std::chrono;
    return static_cast<double>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

void SetMicrosecondsSource(std::function<double()> source) {
    microsecondsSource() = std::move(source);
}

}  // namespace fw
