// Number and setting-text conversion: every text a user types into a field or
// a registry value holds passes through these.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/Numbers.h"
#include "core/Variant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tw::IsNumeric(text);
  tw::LeadingNumber(text);
  tw::ToInt16(text);
  tw::ToInt32(text);

  if (const auto number = tw::ParseNumber(text)) {
    if (!std::isfinite(*number)) std::abort();
    // Plain decimal text of a number reads back as a number.
    const std::string plain = tw::FormatDecimal(*number);
    if (!tw::ParseNumber(plain)) std::abort();
    tw::RoundHalfEven(*number);
    tw::ToInt16(*number);
    tw::ToInt32(*number);
    tw::ToDword(*number);
  }
  if (const auto digits = tw::PlainDecimalPrefix(text)) {
    if (digits->empty() || digits->find_first_not_of("-.0123456789") != std::string::npos) std::abort();
  }

  // Any eight bytes as a double, NaN and infinities included.
  if (size >= 8) {
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::string plain = tw::FormatDecimal(value);
    if (plain.find_first_not_of("-.0123456789") != std::string::npos) std::abort();
    tw::RoundHalfEven(value);
    tw::ToInt16(value);
    tw::ToInt32(value);
    tw::ToDword(value);
    tw::Variant(value).Text();
  }

  const tw::Variant variant{std::string(text)};
  variant.Number();
  if (variant.Text() != text) std::abort();
  return 0;
}
