// The record's layout by name; a dimension finds its field by its key, so the
// engine's table and the record's agree without either listing the other.
#include "RecordFields.h"

#include <cstring>

const std::array<RecordField, kRecordFields>& RecordFields() {
  using R = EngineRecord;
  static const std::array<RecordField, kRecordFields> fields = {{
      {"conrod", &R::conrod},
      {"mcrank", &R::mcrank},
      {"eccrod", &R::eccrod},
      {"eccrad", &R::eccrad},
      {"angadv", &R::angadv},
      {"pintoslot", &R::pintoslot},
      {"ctoweighh", &R::ctoweighh},
      {"ctoweighv", &R::ctoweighv},
      {"larad", &R::larad},
      {"reserved", &R::reserved},
      {"liftlink", &R::liftlink},
      {"linkpins", &R::linkpins},
      {"circdisp", &R::circdisp},
      {"raddisp", &R::raddisp},
      {"stlap", &R::stlap},
      {"exlap", &R::exlap},
      {"port", &R::port},
      {"valveType", nullptr, &R::valveType},
      {"rockerType", nullptr, &R::rockerType},
      {"rockerRatio", &R::rockerRatio},
  }};
  return fields;
}

double EngineRecord::*RecordNumber(const DimensionSpec& dimension) {
  for (const RecordField& f : RecordFields())
    if (std::strcmp(f.key, dimension.key) == 0) return f.number;
  return nullptr;
}
