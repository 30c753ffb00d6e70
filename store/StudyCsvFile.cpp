// The gear makes the text; the store only puts it in place.
#include "StudyCsvFile.h"

#include "StudyCsv.h"

FileWrite WriteStudyCsvFile(const std::vector<StudyRow>& rows, const std::string& path, LengthUnit unit) {
  return WriteFileAtomically(path, StudyCsvText(rows, unit));
}
