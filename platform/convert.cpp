#include "platform/convert.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/failure.h"

namespace platform {

namespace {

bool IsPassedOver(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

double Val(std::string_view text) {
  // Collect the longest leading number with the passed-over characters removed.
  std::string number;
  bool digits = false;
  bool point = false;
  bool exponent = false;
  bool exponentDigits = false;
  for (char c : text) {
    if (IsPassedOver(c)) continue;
    const char prev = number.empty() ? '\0' : number.back();
    const bool sign = c == '+' || c == '-';
    if (sign && (number.empty() || prev == 'e')) {  // leading, or the exponent's
      number += c;
    } else if (IsDigit(c)) {
      number += c;
      (exponent ? exponentDigits : digits) = true;
    } else if (c == '.' && !point && !exponent) {
      number += c;
      point = true;
    } else if ((c == 'e' || c == 'E') && digits && !exponent) {
      number += 'e';
      exponent = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  if (exponent && !exponentDigits) {
    // "12e" or "12e-": the exponent never formed, so the number ends before it.
    number.erase(number.find('e'));
  }
  if (number.front() == '+') number.erase(0, 1);
  double result = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), result);
  if (error == std::errc::result_out_of_range) {
    // from_chars also reports underflow this way; a tiny number is just 0.
    bool anyNonZero = false;
    for (char c : number.substr(0, number.find('e'))) anyNonZero |= (c >= '1' && c <= '9');
    const auto e = number.find('e');
    const bool negativeExponent =
        e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-';
    if (!anyNonZero || negativeExponent) return 0.0;
    Fail(Failure::Kind::Overflow, "overflow reading a number");
  }
  if (error != std::errc()) return 0.0;
  (void)end;
  return CheckedFloat(result);
}

float ToSingle(double value) {
  if (std::isnan(value)) Fail(Failure::Kind::InvalidValue, "not a number");
  const auto single = static_cast<float>(value);
  if (std::isinf(single) && !std::isinf(value)) Fail(Failure::Kind::Overflow, "overflow");
  if (std::isinf(value)) Fail(Failure::Kind::Overflow, "overflow");
  return single;
}

std::string SingleToText(float value) {
  if (std::isfinite(value) && std::nearbyint(value) == value && std::fabs(value) < 1e15F) {
    return std::to_string(static_cast<long long>(value));
  }
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) Fail(Failure::Kind::InvalidValue, "cannot format a number");
  return std::string(buffer, end);
}

std::int32_t ToInt32(double value) {
  // nearbyint rounds in the default mode, to nearest with ties to even.
  const double rounded = std::nearbyint(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
    Fail(Failure::Kind::Overflow, "overflow converting to a 32-bit integer");
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t AddChecked(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) Fail(Failure::Kind::Overflow, "integer overflow");
  return result;
}

std::int32_t SubChecked(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_sub_overflow(a, b, &result)) Fail(Failure::Kind::Overflow, "integer overflow");
  return result;
}

double CheckedFloat(double value) {
  if (std::isnan(value)) Fail(Failure::Kind::InvalidValue, "invalid floating-point result");
  if (std::isinf(value)) Fail(Failure::Kind::Overflow, "floating-point overflow");
  return value;
}

}  // namespace platform

namespace platform {

std::string UCase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string LCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::int16_t ToInt16(std::int64_t value) {
  if (value < -32768 || value > 32767) Fail(Failure::Kind::Overflow, "overflow");
  return static_cast<std::int16_t>(value);
}

}  // namespace platform
