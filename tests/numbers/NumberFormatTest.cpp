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
