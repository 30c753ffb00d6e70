// The fields of the data file's record after the name, in the order of their
// bytes, each by its name: the one place in the store that ties a dimension's
// key to the record field holding it, so conversions and reports loop over it.
#pragma once

#include <array>
#include <cstdint>

#include "EngineRecord.h"
#include "EngineSchema.h"

// A number field or a type field, by the name it has in the data file's
// description: a dimension's key, "reserved", "valveType" or "rockerType".
struct RecordField {
  const char* key;
  double EngineRecord::*number = nullptr;
  std::int32_t EngineRecord::*whole = nullptr;
};

inline constexpr std::size_t kRecordFields = kDimensions + 3;

const std::array<RecordField, kRecordFields>& RecordFields();

// The record's field that holds the dimension.
double EngineRecord::*RecordNumber(const DimensionSpec& dimension);
