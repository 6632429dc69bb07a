#include "core/Numbers.h"

#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace tw {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest decimal number at the start of `text` (0 when none).
std::size_t NumberPrefix(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  return i;
}

double ConvertPrefix(std::string_view number) {
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
  }
  (void)end;
  return value;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

template <typename Int>
std::optional<Int> ToInteger(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = RoundHalfEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  text = Trim(text);
  const std::size_t length = NumberPrefix(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  return ConvertPrefix(text);
}

bool IsNumeric(std::string_view text) { return ParseNumber(text).has_value(); }

double LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  const std::size_t length = NumberPrefix(text);
  return length == 0 ? 0.0 : ConvertPrefix(text.substr(0, length));
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return whole == 0.0 ? 0.0 : whole;  // no "-0"
}

std::optional<std::int16_t> ToInt16(double value) { return ToInteger<std::int16_t>(value); }
std::optional<std::int32_t> ToInt32(double value) { return ToInteger<std::int32_t>(value); }

std::optional<std::int16_t> ToInt16(std::string_view text) {
  const auto number = ParseNumber(text);
  return number ? ToInt16(*number) : std::nullopt;
}

std::optional<std::int32_t> ToInt32(std::string_view text) {
  const auto number = ParseNumber(text);
  return number ? ToInt32(*number) : std::nullopt;
}

std::optional<std::uint32_t> ToDword(double value) {
  const auto wide = ToInteger<std::int64_t>(value);
  if (!wide || *wide < INT32_MIN || *wide > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
  return static_cast<std::uint32_t>(*wide);
}

std::string FormatDecimal(double value) {
  char text[64];
  if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e18) {
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
  } else if (std::isfinite(value) && std::fabs(value) >= 1e-6 && std::fabs(value) < 1e18) {
    // Fifteen significant digits, as many as a double holds reliably.
    const int whole = std::fabs(value) < 1 ? 0 : static_cast<int>(std::log10(std::fabs(value))) + 1;
    std::snprintf(text, sizeof text, "%.*f", std::max(0, 15 - whole), value);
    std::string result = text;
    while (result.back() == '0') result.pop_back();
    if (result.back() == '.') result.pop_back();
    return result;
  } else if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e300) {
    // A whole number too wide for 64 bits (a long binary value read as a
    // number): every digit of the double, still without an exponent.
    std::string digits(320, '\0');
    digits.resize(static_cast<std::size_t>(std::snprintf(digits.data(), digits.size(), "%.0f", value)));
    return digits;
  } else {
    std::snprintf(text, sizeof text, "%.15g", value);
  }
  return text;
}

}  // namespace tw
