// The file is stat'ed before it is opened and opened without blocking, its
// size checked again on the open descriptor, and read to its end.
#include "PlayFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PlayCsv.h"

namespace {

PlayRead Refused(const std::string& path, const std::string& why) {
  return {{}, "The play file \"" + path + "\" " + why + "."};
}

bool Fits(const struct stat& info) {
  return S_ISREG(info.st_mode) && info.st_size <= kMostPlayFileBytes;
}

// The whole text, or the system's reason.
std::string ReadWhole(int fd, std::string& text) {
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return {};
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::strerror(errno);
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > static_cast<size_t>(kMostPlayFileBytes)) return "grew past 64 KiB while read";
  }
}

}  // namespace

PlayRead ReadPlayFile(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0)
    return Refused(path, std::string("cannot be read: ") + std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return Refused(path, "is not a regular file");
  if (!Fits(info)) return Refused(path, "is larger than 64 KiB");
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Refused(path, std::string("cannot be read: ") + std::strerror(errno));
  std::string text, error;
  // Another file may have been put at the path since it was looked at.
  if (::fstat(fd, &info) != 0 || !Fits(info))
    error = "it is not a regular file of at most 64 KiB";
  else
    error = ReadWhole(fd, text);
  ::close(fd);
  if (!error.empty()) return Refused(path, "cannot be read: " + error);
  auto parsed = ParsePlayCsv(text);
  if (const auto* problem = std::get_if<PlayTextProblem>(&parsed))
    return Refused(path, "has a bad row, " + PlayProblemText(*problem) + "; nothing was read");
  return {std::get<GearPlay>(parsed), {}};
}
