#include "core/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/Variant.h"

namespace tw {
namespace {

TEST(Numbers, WholeTextMustBeADecimalNumber) {
  for (const char* yes : {"0", "12", " -3.5 ", "+4", ".5", "5.", "1e3", "2E-2", "\t7"}) {
    EXPECT_TRUE(IsNumeric(yes)) << yes;
  }
  for (const char* no : {"", " ", "-", ".", "1,5", "0x10", "12a", "1e", "e3", "1 2", "--1"}) {
    EXPECT_FALSE(IsNumeric(no)) << no;
  }
  EXPECT_EQ(-3.5, ParseNumber(" -3.5 "));
  EXPECT_EQ(1000.0, ParseNumber("1e3"));
}

TEST(Numbers, LeadingNumberTakesWhatATextStartsWith) {
  EXPECT_EQ(1500, LeadingNumber("1500"));
  EXPECT_EQ(1500, LeadingNumber(" 1500 bytes"));
  EXPECT_EQ(-2.5, LeadingNumber("-2.5x"));
  EXPECT_EQ(0, LeadingNumber("abc"));
  EXPECT_EQ(0, LeadingNumber(""));
}

TEST(Numbers, RoundingGoesToTheNearestAndTiesToEven) {
  const struct { double in, out; } cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
      {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7}};
  for (const auto& c : cases) EXPECT_EQ(c.out, RoundHalfEven(c.in)) << c.in;
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.4)));
}

TEST(Numbers, IntegerConversionsRefuseWhatDoesNotFit) {
  EXPECT_EQ(32767, ToInt16(32767.4));
  EXPECT_EQ(std::nullopt, ToInt16(32767.5)) << "rounds to 32768";
  EXPECT_EQ(-32768, ToInt16(-32768.5)) << "tie to even stays in range";
  EXPECT_EQ(std::nullopt, ToInt16(-32769.0));
  EXPECT_EQ(2147483647, ToInt32(2147483647.0));
  EXPECT_EQ(std::nullopt, ToInt32(2147483648.0));
  EXPECT_EQ(std::nullopt, ToInt32(NAN));
  EXPECT_EQ(std::nullopt, ToInt32(INFINITY));
  EXPECT_EQ(12, ToInt16(" 12.5 "));
  EXPECT_EQ(std::nullopt, ToInt32("twelve"));
  EXPECT_EQ(std::nullopt, ToInt32(""));
}

TEST(Numbers, RegistryWordsAcceptSignedAndUnsignedRanges) {
  EXPECT_EQ(0xFFFFFFFFu, ToDword(-1));
  EXPECT_EQ(0xFFFFFFFFu, ToDword(4294967295.0));
  EXPECT_EQ(0x80000000u, ToDword(-2147483648.0));
  EXPECT_EQ(std::nullopt, ToDword(4294967296.0));
  EXPECT_EQ(std::nullopt, ToDword(-2147483649.0));
}

TEST(Numbers, DecimalFormattingIsPlain) {
  EXPECT_EQ("0", FormatDecimal(0));
  EXPECT_EQ("0", FormatDecimal(-0.0));
  EXPECT_EQ("1500", FormatDecimal(1500));
  EXPECT_EQ("-1", FormatDecimal(-1));
  EXPECT_EQ("4294967295", FormatDecimal(4294967295.0));
  EXPECT_EQ("18446744073709551616", FormatDecimal(18446744073709551616.0)) << "eight bytes of 0xFF and one more";
  EXPECT_EQ("2.5", FormatDecimal(2.5));
  EXPECT_EQ("0.1", FormatDecimal(0.1));
  EXPECT_EQ("-1234.125", FormatDecimal(-1234.125));
}

TEST(Numbers, OutOfRangeTextsAndValuesStayInsideTheirTypes) {
  EXPECT_EQ(0.0, ParseNumber("1e-400")) << "too small to hold is 0";
  EXPECT_EQ(0.0, LeadingNumber("-0.000e-999"));
  EXPECT_EQ(std::nullopt, ParseNumber("1e400")) << "no finite number";
  EXPECT_FALSE(IsNumeric("-1e400"));
  EXPECT_EQ(0.0, ParseNumber("0.00000000000000000000000000000000001e-300"));
  EXPECT_EQ(std::nullopt, ParseNumber("100000000000000000000000000000000000000e300"));
  EXPECT_EQ(std::nullopt, ToDword(9223372036854775808.0)) << "2^63 does not fit 64 bits signed";
  EXPECT_EQ(std::nullopt, ToDword(-9223372036854777856.0));
  EXPECT_EQ(std::nullopt, ToInt32(2147483648.0));
  EXPECT_EQ(2147483647, ToInt32(2147483647.4));
}

TEST(Numbers, DecimalFormattingNeverHasAnExponent) {
  EXPECT_EQ("0.0000001", FormatDecimal(1e-7));
  EXPECT_EQ("-0.000000000000000000000000000000000000000001", FormatDecimal(-1e-42));
  EXPECT_EQ("0", FormatDecimal(HUGE_VAL)) << "no finite number";
  EXPECT_EQ("0", FormatDecimal(std::nan("")));
  const std::string huge = FormatDecimal(7.02e305);
  EXPECT_EQ(306u, huge.size());
  EXPECT_EQ(std::string::npos, huge.find_first_not_of("0123456789")) << huge;
  EXPECT_EQ("100000000000000000000", FormatDecimal(1e20));
}

TEST(Numbers, PlainDecimalPrefixKeepsEveryDigit) {
  EXPECT_EQ("99999999999999999999", PlainDecimalPrefix(" 0099999999999999999999 bytes"));
  EXPECT_EQ("-12.5", PlainDecimalPrefix("-12.500"));
  EXPECT_EQ("0.0000001", PlainDecimalPrefix("+.0000001"));
  EXPECT_EQ("0", PlainDecimalPrefix("-000.000"));
  EXPECT_EQ(std::nullopt, PlainDecimalPrefix("1e-400")) << "an exponent: not plain";
  EXPECT_EQ(std::nullopt, PlainDecimalPrefix("."));
  EXPECT_EQ(std::nullopt, PlainDecimalPrefix("abc"));
}

TEST(Variant, TextAndNumberForms) {
  EXPECT_EQ("True", Variant(true).Text());
  EXPECT_EQ("False", Variant(false).Text());
  EXPECT_EQ("", Variant().Text());
  EXPECT_EQ("65535", Variant(65535).Text());
  EXPECT_EQ(-1.0, Variant(true).Number());
  EXPECT_EQ(0.0, Variant().Number());
  EXPECT_EQ(12.0, Variant(" 12 ").Number());
  EXPECT_EQ(std::nullopt, Variant("x").Number());
  EXPECT_TRUE(Variant(true).IsTrue());
  EXPECT_FALSE(Variant(1).IsTrue());
  EXPECT_FALSE(Variant("True").IsTrue());
  EXPECT_NE(Variant("1"), Variant(1)) << "a default keeps its type";
}

}  // namespace
}  // namespace tw
