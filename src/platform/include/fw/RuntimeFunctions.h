#pragma once

#include <fw/Color.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace fw {

// Real to integer: truncation toward zero, saturating at the Int32 bounds; NaN gives 0.
std::int32_t RuntimeCvtReal64ToSInt32(double value);

// Each part is clamped to 0..255.
Color RGB(std::int32_t red, std::int32_t green, std::int32_t blue);

// The shortest decimal text that reads back as the same Double, without a trailing ".0".
std::string Str(double value);
std::string Str(std::int32_t value);

// Skips leading blanks and reads the longest prefix that is a decimal number; no number gives 0.
double Val(std::string_view text);

// Half away from zero.
double Round(double value);

// The C library's results, NaN and infinities included; never a trap.
double Pow(double base, double exponent);
double Sqrt(double value);
double Log(double value);
double Sin(double radians);
double Cos(double radians);

// Field `index` (counted from 1) of `text` split at `separator`; empty when there is no such field.
std::string NthField(std::string_view text, std::string_view separator, std::int32_t index);

// 0 when the texts are equal; otherwise negative or positive as the first differs from the second.
std::int32_t RuntimeStringCompare(std::string_view first, std::string_view second);

}
