// The setting is one word and a line end; anything else in the file reads as
// no unit rather than as a unit the user never chose. The file is opened
// without blocking and measured before it is read, so a pipe, a device or a
// huge file costs nothing.
#include "LengthUnitSetting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// "none\r\n" is the longest setting; one byte more tells a longer file apart.
constexpr size_t kMostSettingBytes = 6;

LengthUnitReading NoUnit(const std::string& path, const std::string& why) {
  return {LengthUnit::none,
          "The length unit file \"" + path + "\" " + why + "; lengths are shown without a unit."};
}

std::string WordOf(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text;
}

}  // namespace

std::string LengthUnitPath(const std::string& dataFile) {
  return dataFile + ".unit";
}

LengthUnitReading ReadLengthUnitSetting(const std::string& dataFile) {
  const std::string path = LengthUnitPath(dataFile);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return errno == ENOENT ? LengthUnitReading{} : NoUnit(path, "cannot be read");
  struct stat info;
  std::string text;
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  if (regular && info.st_size <= static_cast<off_t>(kMostSettingBytes)) {
    char buffer[kMostSettingBytes + 1];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) text.assign(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  if (!regular) return NoUnit(path, "is not a regular file");
  if (text.size() > kMostSettingBytes || info.st_size > static_cast<off_t>(kMostSettingBytes))
    return NoUnit(path, "is longer than a unit");
  const auto unit = ParseLengthUnit(WordOf(text));
  if (!unit) return NoUnit(path, "holds neither none, in nor mm");
  return {*unit, {}};
}

LengthUnit ReadLengthUnit(const std::string& dataFile) {
  return ReadLengthUnitSetting(dataFile).unit;
}

FileWrite WriteLengthUnit(const std::string& dataFile, LengthUnit unit) {
  const std::string path = LengthUnitPath(dataFile);
  if (unit != LengthUnit::none) return WriteFileAtomically(path, std::string(LengthUnitKey(unit)) + "\n");
  if (::unlink(path.c_str()) != 0 && errno != ENOENT)
    return {FileWrite::Outcome::notWritten, std::strerror(errno)};
  return {};
}
