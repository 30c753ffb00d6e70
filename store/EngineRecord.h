// One engine: the 184-byte record that is both the in-memory value and the
// unit of the data file. The layout is checked at compile time so that a file
// written by any other program with the same layout reads back unchanged.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

struct EngineRecord {
  char name[32];  // NUL-terminated single-byte text, at most 29 characters
  double conrod;
  double mcrank;
  double eccrod;
  double eccrad;
  double angadv;  // degrees
  double pintoslot;
  double ctoweighh;
  double ctoweighv;
  double larad;
  double reserved;  // travels with the record, never shown or computed
  double liftlink;
  double linkpins;
  double circdisp;
  double raddisp;
  double stlap;
  double exlap;
  double port;
  std::int32_t valveType;   // +1 inside admission, -1 outside admission
  std::int32_t rockerType;  // 0 none, +1 type A, -1 type B
  double rockerRatio;
};

inline constexpr std::size_t kEngineRecordSize = 184;
inline constexpr std::size_t kEngineNameLimit = 29;

static_assert(std::endian::native == std::endian::little,
              "the data file holds little-endian numbers in the record's own layout");
static_assert(sizeof(double) == 8 && sizeof(EngineRecord) == kEngineRecordSize);
static_assert(offsetof(EngineRecord, name) == 0);
static_assert(offsetof(EngineRecord, conrod) == 32);
static_assert(offsetof(EngineRecord, mcrank) == 40);
static_assert(offsetof(EngineRecord, eccrod) == 48);
static_assert(offsetof(EngineRecord, eccrad) == 56);
static_assert(offsetof(EngineRecord, angadv) == 64);
static_assert(offsetof(EngineRecord, pintoslot) == 72);
static_assert(offsetof(EngineRecord, ctoweighh) == 80);
static_assert(offsetof(EngineRecord, ctoweighv) == 88);
static_assert(offsetof(EngineRecord, larad) == 96);
static_assert(offsetof(EngineRecord, reserved) == 104);
static_assert(offsetof(EngineRecord, liftlink) == 112);
static_assert(offsetof(EngineRecord, linkpins) == 120);
static_assert(offsetof(EngineRecord, circdisp) == 128);
static_assert(offsetof(EngineRecord, raddisp) == 136);
static_assert(offsetof(EngineRecord, stlap) == 144);
static_assert(offsetof(EngineRecord, exlap) == 152);
static_assert(offsetof(EngineRecord, port) == 160);
static_assert(offsetof(EngineRecord, valveType) == 168);
static_assert(offsetof(EngineRecord, rockerType) == 172);
static_assert(offsetof(EngineRecord, rockerRatio) == 176);

// The record's name as bytes up to its NUL; a name without a NUL in its 32
// bytes is read as its first 29 bytes.
const char* RecordNameEnd(const EngineRecord& record);
// The name's bytes up to that end.
std::string RecordName(const EngineRecord& record);

// Copies at most 29 bytes of name and a NUL over the record's name; the bytes
// after the NUL keep what they held, as the stored format allows.
void SetRecordName(EngineRecord& record, const char* bytes, std::size_t length);
