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

#include <cstdint>
#include <functional>
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

double Round(double v);  // nearest, halves away from zero
double Floor(double v);
double Abs(double v);
double Min(double a, double b);
double Sin(double v);
double Cos(double v);
double Pow(double base, double exponent);

// The one Double-to-Integer conversion (see above).
int32_t ToInt(double v);

// The microsecond clock; tests replace its source.
double Microseconds();
void SetMicrosecondsSource(std::function<double()> source);  // empty: the real clock

}  // namespace fw
