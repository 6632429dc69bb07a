#include "core/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/DecimalConversion.h"

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
  const double value = ReadDecimal(number);
  return value == 0.0 ? 0.0 : value;  // no "-0"
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
  // The bounds as doubles: the minimum is a power of two and exact; one past
  // the maximum is too, where the maximum itself may round up to it (2^63).
  const double minimum = static_cast<double>(std::numeric_limits<Int>::min());
  if (rounded < minimum || rounded >= -minimum) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  text = Trim(text);
  const std::size_t length = NumberPrefix(text);
  if (length == 0 || length != text.size()) return std::nullopt;
  const double value = ConvertPrefix(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
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

long RoundHalfAway(double value) {
  double whole = value < 0 ? std::ceil(value) : std::floor(value);
  const double fraction = value - whole;  // exact
  if (fraction >= 0.5) whole += 1.0;
  if (fraction <= -0.5) whole -= 1.0;
  return static_cast<long>(whole);
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
  if (!std::isfinite(value) || value == 0.0) return "0";
  // Whole numbers print every digit of the double (up to 309 of them); others
  // fifteen significant digits, as many as a double holds reliably, then
  // trailing zeros go. Never an exponent.
  const double magnitude = std::fabs(value);
  const int power = static_cast<int>(std::floor(std::log10(magnitude)));
  const int decimals = value == std::floor(value) ? 0 : std::clamp(14 - power, 0, 340);
  std::string text = FixedDecimal(value, decimals);
  if (decimals > 0) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") return "0";
  return text;
}

std::optional<std::string> PlainDecimalPrefix(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::size_t wholeEnd = 0;
  while (wholeEnd < text.size() && IsDigit(text[wholeEnd])) ++wholeEnd;
  std::size_t end = wholeEnd;
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && IsDigit(text[end])) ++end;
  }
  if (end == 0 || (end == 1 && wholeEnd == 0)) return std::nullopt;  // no digit at all
  // An exponent makes it a number of another size: not a plain one.
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) return std::nullopt;
  std::string_view whole = text.substr(0, wholeEnd);
  std::string_view fraction = wholeEnd < end ? text.substr(wholeEnd + 1, end - wholeEnd - 1) : std::string_view{};
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (whole.empty() && fraction.empty()) return std::string("0");
  std::string result;
  if (negative) result.push_back('-');
  if (whole.empty()) {
    result += '0';
  } else {
    result += whole;
  }
  if (!fraction.empty()) {
    result += '.';
    result += fraction;
  }
  return result;
}

}  // namespace tw
