// The program's own decimal conversions against the C library's, which are
// correctly rounded here (glibc) but not usable in the 486 build.
#include "core/DecimalConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tw {
namespace {

std::uint64_t BitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string Printed(double value, int decimals) {
  std::string text(512, '\0');
  text.resize(static_cast<std::size_t>(std::snprintf(text.data(), text.size(), "%.*f", decimals, value)));
  return text;
}

// A small fixed generator: the same cases on every run.
struct Cases {
  std::uint64_t state = 0x9E3779B97F4A7C15u;
  std::uint64_t Next() {
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return state;
  }
  int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
};

TEST(DecimalConversion, ReadsEveryNumberAsACorrectStrtodDoes) {
  std::vector<std::string> texts = {
      "0", "-0", "1", "0.1", ".5", "5.", "+7e0", "123456789012345678901234567890e-40",
      "9007199254740993", "9007199254740995", "9007199254740993" + std::string(900, '0') + "1",
      "2.2250738585072011e-308", "2.2250738585072014e-308", "4.9406564584124654e-324",
      "2.4703282292062327e-324", "2.4703282292062328e-324", "1e-324", "1e-400", "1e400",
      "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308", "-1e310",
      "0.000000000000000000000000000000000000001e30"};
  texts.push_back(std::string(1, '1').append(400, '0').append("e-390"));
  Cases random;
  for (int k = 0; k < 5000; ++k) {
    std::string text = random.Below(4) == 0 ? "-" : "";
    const int digits = 1 + random.Below(k % 10 == 0 ? 60 : 20);
    for (int d = 0; d < digits; ++d) text.push_back(static_cast<char>('0' + random.Below(10)));
    if (random.Below(2) == 0) text.insert(text.size() - static_cast<std::size_t>(random.Below(digits)), 1, '.');
    text.push_back('e');
    text.append(std::to_string(random.Below(680) - 345));
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const double expected = std::strtod(text.c_str(), nullptr);
    const double read = ReadDecimal(text);
    if (expected == 0.0) {
      EXPECT_EQ(0.0, read) << text;  // the sign of a zero is the caller's business
    } else {
      EXPECT_EQ(BitsOf(expected), BitsOf(read)) << text;
    }
  }
}

TEST(DecimalConversion, PrintsEveryDoubleAsPrintfsFixedFormatDoes) {
  std::vector<std::pair<double, int>> values = {
      {0.0, 0}, {0.0, 3}, {-0.0, 2}, {0.5, 0}, {1.5, 0}, {2.5, 0}, {0.125, 2}, {0.375, 2}, {-1e-5, 3},
      {1e-7, 7}, {5e-324, 340}, {1.7976931348623157e308, 0}, {123.456, 14}, {1e22, 0}, {1e23, 0}};
  Cases random;
  for (int k = 0; k < 5000; ++k) {
    double value;
    const std::uint64_t bits = random.Next();
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value) || std::fabs(value) > 1e60 || std::fabs(value) < 1e-60) {
      value = static_cast<double>(static_cast<std::int64_t>(random.Next() >> 12)) / (1 << random.Below(30));
    }
    values.push_back({value, random.Below(40)});
  }
  for (const auto& [value, decimals] : values) {
    EXPECT_EQ(Printed(value, decimals), FixedDecimal(value, decimals)) << value << " " << decimals;
  }
}

}  // namespace
}  // namespace tw
