// Names move between the file's single bytes and UTF-8 without loss.
#include <gtest/gtest.h>

#include "Cp1252.h"
#include "EngineName.h"

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

TEST(Cp1252Test, ATypedNameIsCheckedWholeAndCutBetweenCharacters) {
  // Thirty-one two-byte characters: the record keeps 29 whole ones.
  std::string accents;
  for (int i = 0; i < 31; ++i) accents += "\u00E9";
  EXPECT_EQ(EngineNameFromUtf8(accents).bytes, std::string(29, '\xE9'));
  EXPECT_EQ(EngineNameFromUtf8("\u20AC 4-4-0").bytes, "\x80 4-4-0");
  EXPECT_TRUE(EngineNameFromUtf8("Goods 0-6-0 slide valve").ok());
  struct Case {
    std::string name, fault;
  };
  for (const Case& c :
       {Case{"Race\nRace", "holds a control character (U+000A) at character 5"},
        Case{"A\u0085", "holds a control character (U+0085) at character 2"},
        Case{"\u0416uk", "holds a character the data file cannot store (U+0416) at character 1"},
        Case{"ab\xC3", "is not valid UTF-8 at character 3"},
        Case{"\xC0\xAF", "is not valid UTF-8 at character 1"}}) {
    const NameBytes checked = EngineNameFromUtf8(c.name);
    EXPECT_FALSE(checked.ok()) << c.name;
    EXPECT_EQ(checked.fault.rfind(c.fault, 0), 0u) << checked.fault;
    EXPECT_EQ(checked.fault.find('\n'), std::string::npos);
  }
}
