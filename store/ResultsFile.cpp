// The table's text is made by the gear library and written whole.
#include "ResultsFile.h"

#include "ResultsTable.h"

TableWrite WriteResultsTable(const std::string& nameBytes, const GearRun& r, const std::string& path) {
  return WriteFileAtomically(path, ResultsTableText(nameBytes, r));
}
