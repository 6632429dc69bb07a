#pragma once
// Number conversions shared by the whole program. Every conversion from text or
// floating point to an integer rounds to the nearest whole number, ties to even,
// and refuses values that do not fit instead of wrapping them.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Whole text is a finite decimal number: optional blanks, sign, digits with an
// optional fraction, optional exponent. "12", " -3.5 ", "1e3" are numbers; "",
// "1,5", "0x10" and "1e400" (too large for any double) are not. A number too
// small to hold ("1e-400") is 0.
std::optional<double> ParseNumber(std::string_view text);
bool IsNumeric(std::string_view text);

// The number a text starts with ("1500 bytes" gives 1500, "abc" gives 0; one
// too large for a double is infinite).
double LeadingNumber(std::string_view text);

double RoundHalfEven(double value);

// The nearest whole number, halves away from zero, as lround rounds; for
// pixels (a value that fits in a long).
long RoundHalfAway(double value);

std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);
std::optional<std::int16_t> ToInt16(std::string_view text);
std::optional<std::int32_t> ToInt32(std::string_view text);

// A 32-bit registry word: accepts the signed and the unsigned 32-bit ranges
// (-1 and 4294967295 both give 0xFFFFFFFF).
std::optional<std::uint32_t> ToDword(double value);

// Plain decimal text: digits, a "-" and a decimal point where needed, never an
// exponent, "inf" or "nan" (a value that is no finite number gives "0"), no
// trailing ".0" for whole numbers. 1e-07 gives "0.0000001".
std::string FormatDecimal(double value);

// The plain decimal number a text starts with, digit for digit, with no
// leading zeros, "+" or trailing fraction zeros: " 0099999999999999999999 x"
// gives "99999999999999999999", where a double would lose digits. Nothing
// when the text starts with no digits or with a number that has an exponent.
std::optional<std::string> PlainDecimalPrefix(std::string_view text);

}  // namespace tw
