// Suggested names never name a stored engine and never lose their suffix.
#include <gtest/gtest.h>

#include <set>

#include "FreeName.h"

TEST(FreeName, CutsTheBaseKeepsTheSuffixAndNumbersPastStoredNames) {
  std::set<std::string> stored{"Low shaft, short lifting link"};
  const auto taken = [&](const std::string& n) { return stored.count(n) > 0; };
  const std::string scaled = FreeEngineName("Low shaft, short lifting link", " 1:8", taken);
  EXPECT_EQ(scaled, "Low shaft, short lifting\x85 1:8");
  stored.insert(scaled);
  EXPECT_EQ(FreeEngineName("Low shaft, short lifting link", " 1:8", taken),
            "Low shaft, short lifti\x85 1:8 2");
  EXPECT_EQ(FreeEngineName("Goods", " equalised", taken), "Goods equalised");
  // A copy under its own name, which is stored.
  EXPECT_EQ(FreeEngineName("Low shaft, short lifting link", "", taken), "Low shaft, short lifting l\x85 2");
  // The cut drops the blanks it ends on.
  EXPECT_EQ(FreeEngineName("Goods 0-6-0 slide valve ab", " equalised", taken),
            "Goods 0-6-0 slide\x85 equalised");
}
