// Field-by-field copies in the record's order.
#include "EngineConversion.h"

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
  e.valveType = r.valveType;
  e.rockerType = r.rockerType;
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
