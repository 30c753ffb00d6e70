// The conversion between the record and the engine, checked against the
// record's byte layout: the seventeen dimensions fill the doubles from byte 32
// in the engine table's order, with the reserved double after the ninth.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "EngineConversion.h"
#include "EngineSchema.h"

namespace {

constexpr std::size_t kFirstNumber = 32, kReserved = 104, kTypes = 168, kLastNumber = 176;

// The record's doubles in the order of their bytes, the reserved one included.
std::vector<double> NumbersInByteOrder(const EngineRecord& record) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
  std::vector<double> numbers;
  for (std::size_t at = kFirstNumber; at <= kLastNumber; at += sizeof(double)) {
    if (at == kTypes) continue;
    double value;
    std::memcpy(&value, bytes + at, sizeof value);
    numbers.push_back(value);
  }
  return numbers;
}

}  // namespace

TEST(EngineConversion, EveryDimensionLandsInItsOwnFieldAndComesBack) {
  Engine engine;
  engine.name = "Numbered";
  engine.valveType = 1;
  engine.rockerType = -1;
  std::vector<double> expected;
  for (std::size_t i = 0; i < kDimensions; ++i) {
    const double value = 100 + i + 0.25;
    engine.*EngineDimensions()[i].field = value;
    expected.push_back(value);
  }
  const double reserved = -7.5;
  expected.insert(expected.begin() + (kReserved - kFirstNumber) / sizeof(double), reserved);

  EngineRecord record{};
  std::memcpy(reinterpret_cast<unsigned char*>(&record) + kReserved, &reserved, sizeof reserved);
  ToRecord(engine, record);
  EXPECT_EQ(NumbersInByteOrder(record), expected);
  EXPECT_EQ(RecordName(record), "Numbered");

  const Engine back = ToEngine(record);
  for (const DimensionSpec& d : EngineDimensions()) EXPECT_EQ(back.*d.field, engine.*d.field) << d.key;
  EXPECT_EQ(back.name, engine.name);
  EXPECT_EQ(back.valveType, 1);
  EXPECT_EQ(back.rockerType, -1);
}
