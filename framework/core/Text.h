// Text and number functions of the framework layer.
//
// Decisions made once for the whole program:
// - Str of a whole Double gives plain digits ("1001", "-3", "0"); other
//   Doubles give the shortest text that reads back to the same value.
// - Val reads only a leading decimal number (optional blanks, sign, digits,
//   point, exponent) and gives 0 for anything else, "inf", "nan" and hex
//   included.
// - ToInt is the one conversion of a Double to an Integer wherever the
//   program does not call Round or Floor first: truncation toward zero, NaN
//   gives 0, values beyond the 32-bit range are clamped.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>

namespace fw {

std::string Str(double v);
template <class I, std::enable_if_t<std::is_integral_v<I> && !std::is_same_v<I, bool>, int> = 0>
std::string Str(I v) {
    return std::to_string(v);
}

double Val(const std::string& s);

// Length in characters (the program's texts are plain ASCII).
int32_t Len(const std::string& s);
// Substring from position start (1 is the first character), len characters;
// a negative len means to the end. Out-of-range positions give what is there
// (possibly the empty text), never an error.
std::string Mid(const std::string& s, int32_t start, int32_t len = -1);
// One character with the given code.
std::string Chr(int32_t code);

// The small conversions are inline: every move of every sprite uses them.

// ToInt(Round(v)) in one step, the same Integer for every v: what every
// move of every sprite does to its position.
inline int32_t RoundToInt(double v);

// Nearest, halves away from zero; the same result as std::round, bit for
// bit. Within the 32-bit range the whole part and the fraction are exact,
// so no library call is needed there, and no branch on the fraction (its
// sign and size are as good as random for a moving sprite). A zero result
// keeps the sign of v, as std::round's does.
inline double Round(double v) {
    if (v > -2147483648.0 && v < 2147483648.0) {  // false for NaN
        const double whole = static_cast<double>(static_cast<int64_t>(v));
        const double fraction = v - whole;
        const double r = whole + static_cast<double>(fraction >= 0.5) -
                         static_cast<double>(fraction <= -0.5);
        return std::copysign(r, v);
    }
    return std::round(v);
}
inline double Floor(double v) { return std::floor(v); }
inline double Abs(double v) { return std::fabs(v); }
inline double Min(double a, double b) { return a < b ? a : b; }
inline double Sin(double v) { return std::sin(v); }
inline double Cos(double v) { return std::cos(v); }
inline double Pow(double base, double exponent) { return std::pow(base, exponent); }

// The one Double-to-Integer conversion (see above).
inline int32_t ToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);  // truncation toward zero
}

inline int32_t RoundToInt(double v) {
    if (v > -2147483648.0 && v < 2147483648.0) {  // false for NaN
        // Halves away from zero on whole numbers: with t the truncation of
        // 2v (exact), the magnitude is (|t| + 1) / 2 rounded down, and the
        // sign is v's. A short chain with no branch and no second
        // conversion back to a Double.
        const int64_t t = static_cast<int64_t>(v + v);
        const int64_t sign = t >> 63;  // -1 below zero, else 0
        const int64_t magnitude = (((t ^ sign) - sign) + 1) >> 1;
        const int64_t r = (magnitude ^ sign) - sign;
        // ToInt's limits; only 2^31 itself can pass them here.
        return r > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                       : static_cast<int32_t>(r);
    }
    return ToInt(std::round(v));
}

// The microsecond clock; tests replace its source.
double Microseconds();
void SetMicrosecondsSource(std::function<double()> source);  // empty: the real clock

}  // namespace fw
