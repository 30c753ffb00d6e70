// The gear makes the text; the store only puts it in place.
#include "StudyCsvFile.h"

#include "PlayStudyCsv.h"
#include "StudyCsv.h"

FileWrite WriteStudyCsvFile(const QuadrantStudy& study, const std::string& engineName,
                            const std::string& path, LengthUnit unit) {
  return WriteFileAtomically(path, StudyCsvText(study, engineName, unit));
}

FileWrite WriteStudyCsvFile(const PlayStudy& bands, const std::string& engineName, const std::string& path,
                            LengthUnit unit) {
  return WriteFileAtomically(path, PlayStudyCsvText(bands, engineName, unit));
}
