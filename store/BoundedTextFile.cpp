// The limit is said in KiB or MiB as the user would read it.
#include "BoundedTextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string SizeText(long most) {
  return most >= (1L << 20) && most % (1L << 20) == 0 ? std::to_string(most >> 20) + " MiB"
                                                      : std::to_string(most >> 10) + " KiB";
}

// The whole text, or the system's reason.
std::string ReadWhole(int fd, long most, std::string& text) {
  char buffer[8192];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) return {};
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::strerror(errno);
    text.append(buffer, static_cast<size_t>(got));
    if (text.size() > static_cast<size_t>(most)) return "grew past " + SizeText(most) + " while read";
  }
}

}  // namespace

BoundedText ReadBoundedText(const std::string& path, long most) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return {{}, std::string("cannot be read: ") + std::strerror(errno)};
  if (!S_ISREG(info.st_mode)) return {{}, "is not a regular file"};
  if (info.st_size > most) return {{}, "is larger than " + SizeText(most)};
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return {{}, std::string("cannot be read: ") + std::strerror(errno)};
  BoundedText read;
  // Another file may have been put at the path since it was looked at.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > most)
    read.problem = "cannot be read: it is not a regular file of at most " + SizeText(most);
  else if (const std::string error = ReadWhole(fd, most, read.text); !error.empty())
    read.problem = "cannot be read: " + error;
  ::close(fd);
  if (!read.ok()) read.text.clear();
  return read;
}
