// Files put in place whole with POSIX calls: a file created under a name no
// other file has, given the permissions of the file it replaces, written
// whole, synced, closed and renamed into place. The temporary files that
// killed writers left beside it are removed first, as the data file's are.
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "TemporaryName.h"

namespace {

FileWrite Failed(FileWrite::Outcome outcome, int errorNumber) {
  return {outcome, std::strerror(errorNumber)};
}

// A new file beside path under a name no other file has (O_EXCL), with the
// permissions of the file it replaces, or the user's default for a new one.
int CreateBeside(const std::string& path, std::string& tempPath) {
  std::random_device random;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tempPath = TemporaryPath(path, random() % 1000000);
    fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0 && errno != EEXIST) return -1;
  }
  struct stat old;
  if (fd >= 0 && ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  return fd;
}

bool WriteWhole(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return ::fsync(fd) == 0;
}

}  // namespace

FileWrite WriteFileAtomically(const std::string& path, const std::string& text) {
  for (const std::string& dead : DeadTemporaries(path)) ::unlink(dead.c_str());
  std::string tempPath;
  const int fd = CreateBeside(path, tempPath);
  if (fd < 0) return Failed(FileWrite::Outcome::notOpened, errno);
  const bool written = WriteWhole(fd, text);
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : writeError;
    ::unlink(tempPath.c_str());
    return Failed(FileWrite::Outcome::notWritten, error);
  }
  if (::rename(tempPath.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(tempPath.c_str());
    return Failed(FileWrite::Outcome::notOpened, error);
  }
  return {};
}
