// The 4-significant-digit display format and the strict conversion, and that
// what is shown converts back to the shown value.
#include <gtest/gtest.h>

#include <cmath>

#include "NumberFormat.h"

TEST(NumberFormatTest, GeneralFormatWithFourSignificantDigits) {
  EXPECT_EQ(FormatGeneral4(57.1234), "57.12");
  EXPECT_EQ(FormatGeneral4(2.5), "2.5");
  EXPECT_EQ(FormatGeneral4(0), "0");
  EXPECT_EQ(FormatGeneral4(0.00025), "0.00025");
  EXPECT_EQ(FormatGeneral4(123456), "1.235E5");
  EXPECT_EQ(FormatGeneral4(0.00000125), "1.25E-6");
  EXPECT_EQ(FormatGeneral4(0.00005), "5E-5");
  EXPECT_EQ(FormatGeneral4(123.456), "123.5");
  EXPECT_EQ(FormatGeneral4(9999.6), "1E4");  // rounds up into scientific
  EXPECT_EQ(FormatGeneral4(9999), "9999");
  EXPECT_EQ(FormatGeneral4(100), "100");
  EXPECT_EQ(FormatGeneral4(-0.5), "-0.5");
  EXPECT_EQ(FormatGeneral4(0.0001), "0.0001");
  EXPECT_EQ(FormatGeneral4(-12.3456, ','), "-12,35");
  EXPECT_EQ(FormatGeneral4(1.5e-7, ','), "1,5E-7");
}

TEST(NumberFormatTest, ExactTiesRoundAwayFromZeroAndNothingElseMoves) {
  EXPECT_EQ(FormatGeneral4(1.0625), "1.063");
  EXPECT_EQ(FormatGeneral4(12.125), "12.13");
  EXPECT_EQ(FormatGeneral4(1234.5), "1235");
  EXPECT_EQ(FormatGeneral4(-0.40625), "-0.4063");
  EXPECT_EQ(FormatGeneral4(9999.5), "1E4");
  EXPECT_EQ(FormatGeneral4(0.0004125), "0.0004125");
  // Not ties: the doubles nearest these lie below and above the halfway point.
  EXPECT_EQ(FormatGeneral4(1.0005), "1");
  EXPECT_EQ(FormatGeneral4(2.0015), "2.002");
  EXPECT_EQ(FormatGeneral4(std::nextafter(1.0625, 0.0)), "1.062");
}

TEST(NumberFormatTest, FaithfulTextIsTheFourDigitOneOrTheShortestThatReadsBack) {
  EXPECT_EQ(FormatFaithful(57.12), "57.12");
  EXPECT_EQ(FormatFaithful(123456), "123456");
  EXPECT_EQ(FormatFaithful(0.00005), "5E-5");
  EXPECT_EQ(FormatFaithful(1.0625), "1.0625");
  EXPECT_EQ(FormatFaithful(0.40625), "0.40625");
  EXPECT_EQ(FormatFaithful(123.45, ','), "123,45");
  EXPECT_EQ(FormatFaithful(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(FormatFaithful(1e-9), "1E-9");
  EXPECT_EQ(FormatFaithful(-0.0), "-0");
  for (const double value : {0.1 + 0.2, 1.0 / 3, -2.0 / 3e-200, 1e300 / 7, 5e-324, 1.7976931348623157e308}) {
    const std::string text = FormatFaithful(value);
    EXPECT_LE(text.size(), 29u) << text;  // a box is read through 29 characters
    const auto back = ParseFloat(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(*back, value) << text;
  }
}

TEST(NumberFormatTest, ConversionAcceptsOnlyPlainNumbers) {
  EXPECT_EQ(ParseFloat("  -12.5e+2  "), -1250);
  EXPECT_EQ(ParseFloat("."), 0);
  EXPECT_EQ(ParseFloat("+.5"), 0.5);
  EXPECT_EQ(ParseFloat("7."), 7);
  EXPECT_EQ(ParseFloat("1E4"), 10000);
  EXPECT_EQ(ParseFloat("3,25", ','), 3.25);
  for (const char* bad : {"", " ", "???", " ???", "1,000", "\t1", "1\t", "1e", "e5", "0x10", "inf", "nan",
                          "1.2.3", "--1", "1 2", "1e999", "12abc"})
    EXPECT_FALSE(ParseFloat(bad).has_value()) << bad;
  EXPECT_FALSE(ParseFloat("3.25", ',').has_value());
  try {
    TextToFloat(" ???");
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "' ?\?\?' is not a valid floating point value");
  }
}

TEST(NumberFormatTest, ShownValuesConvertBackWithinTheRounding) {
  for (const double value : {57.1234, -0.000123456, 9999.96, 1.23456e-9, 3.0e12, 0.1, 65.0, 19.0, 2.75}) {
    for (const char sep : {'.', ','}) {
      const auto back = ParseFloat(FormatGeneral4(value, sep), sep);
      ASSERT_TRUE(back.has_value()) << value;
      EXPECT_NEAR(*back, value, std::fabs(value) * 5e-4) << value;
      EXPECT_EQ(FormatGeneral4(*back, sep), FormatGeneral4(value, sep));
    }
  }
}
