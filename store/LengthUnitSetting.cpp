// The setting is one word and a line end; anything else in the file reads as
// no unit rather than as a unit the user never chose.
#include "LengthUnitSetting.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

std::string LengthUnitPath(const std::string& dataFile) {
  return dataFile + ".unit";
}

LengthUnit ReadLengthUnit(const std::string& dataFile) {
  std::ifstream file(LengthUnitPath(dataFile));
  std::string word;
  if (!(file >> word)) return LengthUnit::none;
  return ParseLengthUnit(word).value_or(LengthUnit::none);
}

FileWrite WriteLengthUnit(const std::string& dataFile, LengthUnit unit) {
  const std::string path = LengthUnitPath(dataFile);
  if (unit != LengthUnit::none) return WriteFileAtomically(path, std::string(LengthUnitKey(unit)) + "\n");
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    return {FileWrite::Outcome::notWritten, std::strerror(errno)};
  return {};
}
