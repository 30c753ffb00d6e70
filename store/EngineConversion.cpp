// The dimensions are copied over the engine's table, each to the record field
// of its key; the two type fields are read as the data-entry window shows
// them, so every caller computes one engine.
#include "EngineConversion.h"

#include "RecordFields.h"

namespace {

// 1 is inside admission; anything else shows and computes as outside (-1).
std::int32_t ValveTypeOf(std::int32_t stored) {
  return stored == 1 ? 1 : -1;
}

// 0 is no rocker; a positive value is type A (1), a negative one type B (-1).
std::int32_t RockerTypeOf(std::int32_t stored) {
  return stored > 0 ? 1 : stored < 0 ? -1 : 0;
}

}  // namespace

Engine ToEngine(const EngineRecord& r) {
  Engine e;
  e.name = RecordName(r);
  for (const DimensionSpec& d : EngineDimensions()) e.*d.field = r.*RecordNumber(d);
  e.valveType = ValveTypeOf(r.valveType);
  e.rockerType = RockerTypeOf(r.rockerType);
  return e;
}

void ToRecord(const Engine& e, EngineRecord& r) {
  SetRecordName(r, e.name.data(), e.name.size());
  for (const DimensionSpec& d : EngineDimensions()) r.*RecordNumber(d) = e.*d.field;
  r.valveType = e.valveType;
  r.rockerType = e.rockerType;
}
