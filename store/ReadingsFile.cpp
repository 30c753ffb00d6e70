// The file is stat'ed before it is opened and opened without blocking, its
// size checked again on the open descriptor, and read to its end; the text is
// parsed only once it is whole.
#include "ReadingsFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ReadingsCsv.h"
#include "SameFile.h"

namespace {

ReadingsRead Refused(const std::string& path, const std::string& why) {
  return {{}, "The readings file \"" + path + "\" " + why + "."};
}

bool Fits(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_size <= kMostReadingsFileBytes;
}

// The whole text, or the system's reason.
std::string ReadWhole(int fd, std::string& text) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return {};
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::strerror(errno);
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > static_cast<size_t>(kMostReadingsFileBytes)) return "grew past 1 MiB while read";
  }
}

}  // namespace

ReadingsRead ReadReadingsFile(const std::string& path, LengthUnit lengthUnit) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0)
    return Refused(path, std::string("cannot be read: ") + std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return Refused(path, "is not a regular file");
  if (!Fits(info)) return Refused(path, "is larger than 1 MiB");
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Refused(path, std::string("cannot be read: ") + std::strerror(errno));
  std::string text, error;
  // Another file may have been put at the path since it was looked at.
  if (::fstat(fd, &info) != 0 || !Fits(info))
    error = "it is not a regular file of at most 1 MiB";
  else
    error = ReadWhole(fd, text);
  ::close(fd);
  if (!error.empty()) return Refused(path, "cannot be read: " + error);
  auto parsed = ParseReadingsCsv(text, lengthUnit);
  if (const auto* problem = std::get_if<ReadingsTextProblem>(&parsed))
    return Refused(path, "has a bad row, " + ReadingsProblemText(*problem) + "; nothing was read");
  return {std::move(std::get<std::vector<Reading>>(parsed)), {}};
}

FileWrite WriteReadingsFile(const std::string& path, const std::string& dataFile,
                            const std::vector<Reading>& readings, LengthUnit lengthUnit) {
  if (SameFile(path, dataFile))
    return {FileWrite::Outcome::notOpened, "it is the data file \"" + dataFile + "\""};
  return WriteFileAtomically(path, ReadingsCsvText(readings, lengthUnit));
}
