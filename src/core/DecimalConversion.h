#pragma once
// Decimal text to double and back, exactly as a correct strtod and printf's
// "%.*f" do it, without either: the runtime's versions are built for the
// Pentium Pro, and this program runs on a 486. Both round to nearest, ties to
// even, from the exact value.
#include <string>
#include <string_view>

namespace tw {

// A decimal number as NumberPrefix finds it: optional sign, digits with an
// optional fraction, optional exponent ("-12.5e3"). Correctly rounded; too
// large for a double gives an infinity of its sign, too small gives 0.
double ReadDecimal(std::string_view number);

// The finite `value` with `decimals` digits after the point (none, and no
// point, for 0): "%.*f".
std::string FixedDecimal(double value, int decimals);

}  // namespace tw
