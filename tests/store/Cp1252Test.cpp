// Names move between the file's single bytes and UTF-8 without loss.
#include <gtest/gtest.h>

#include "Cp1252.h"

TEST(Cp1252Test, RoundTripsEveryByteAndRefusesWhatItCannotHold) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\x81\x9D"), "\u0081\u009D");  // undefined in the code page: the C1 controls
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE9"), "\u20AC\u00E9");
  EXPECT_EQ(Utf8ToCp1252("\u0152uvre"), std::string("\x8Cuvre"));
  EXPECT_FALSE(Utf8ToCp1252("\u0416").has_value());  // Cyrillic
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());    // cut sequence
  EXPECT_FALSE(IsCp1252Representable(U'\u4E2D'));
  EXPECT_TRUE(IsCp1252Representable(U'\u2122'));
}
