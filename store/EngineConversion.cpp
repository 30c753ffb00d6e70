// Field-by-field copies in the record's order; the two type fields are read
// as the data-entry window shows them, so every caller computes one engine.
#include "EngineConversion.h"

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
  e.conrod = r.conrod;
  e.mcrank = r.mcrank;
  e.eccrod = r.eccrod;
  e.eccrad = r.eccrad;
  e.angadv = r.angadv;
  e.pintoslot = r.pintoslot;
  e.ctoweighh = r.ctoweighh;
  e.ctoweighv = r.ctoweighv;
  e.larad = r.larad;
  e.liftlink = r.liftlink;
  e.linkpins = r.linkpins;
  e.circdisp = r.circdisp;
  e.raddisp = r.raddisp;
  e.stlap = r.stlap;
  e.exlap = r.exlap;
  e.port = r.port;
  e.valveType = ValveTypeOf(r.valveType);
  e.rockerType = RockerTypeOf(r.rockerType);
  e.rockerRatio = r.rockerRatio;
  return e;
}

void ToRecord(const Engine& e, EngineRecord& r) {
  SetRecordName(r, e.name.data(), e.name.size());
  r.conrod = e.conrod;
  r.mcrank = e.mcrank;
  r.eccrod = e.eccrod;
  r.eccrad = e.eccrad;
  r.angadv = e.angadv;
  r.pintoslot = e.pintoslot;
  r.ctoweighh = e.ctoweighh;
  r.ctoweighv = e.ctoweighv;
  r.larad = e.larad;
  r.liftlink = e.liftlink;
  r.linkpins = e.linkpins;
  r.circdisp = e.circdisp;
  r.raddisp = e.raddisp;
  r.stlap = e.stlap;
  r.exlap = e.exlap;
  r.port = e.port;
  r.valveType = e.valveType;
  r.rockerType = e.rockerType;
  r.rockerRatio = e.rockerRatio;
}
