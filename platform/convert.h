// The form runtime's conversions between texts and numbers, and 32-bit integer
// arithmetic that detects overflow. Pure functions; failures raise Failure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Lenient reading of a text as a number: blanks, tabs and line feeds are
// passed over anywhere; the longest leading number is taken (sign, digits with
// at most one point, optional exponent E/e with sign and digits); anything
// after it is ignored; no number at all reads as 0. Only the point separates
// decimals, whatever the locale. A result too large for a 64-bit float fails.
double Val(std::string_view text);

// A 64-bit float to the nearest 32-bit float; outside the 32-bit range fails.
float ToSingle(double value);

// A 32-bit float as text: whole numbers as plain digits ("2280", "-150", "0"),
// others in the shortest form that reads back to the same float.
std::string SingleToText(float value);

// Nearest 32-bit signed integer, ties to the even one; out of range or not a
// number fails.
std::int32_t ToInt32(double value);

// 32-bit signed arithmetic that fails on overflow.
std::int32_t AddChecked(std::int32_t a, std::int32_t b);
std::int32_t SubChecked(std::int32_t a, std::int32_t b);

// A 64-bit float result that must be finite; otherwise the statement fails.
double CheckedFloat(double value);

}  // namespace platform

namespace platform {

// Upper and lower case of a text in the system's 8-bit code page. Only the
// ASCII letters have case here, so UTF-8 texts pass through unharmed.
std::string UCase(std::string text);
std::string LCase(std::string text);

// A count held in a signed 16-bit integer; beyond its range fails.
std::int16_t ToInt16(std::int64_t value);

}  // namespace platform
