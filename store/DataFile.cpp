// Whole-file operations of the engine data file on POSIX calls. The rewrite
// never touches the old file until a complete, synced copy stands beside it.
#include "DataFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

int FileSystem::Open(const std::string& path, int flags, int mode) {
  return ::open(path.c_str(), flags, mode);
}
ssize_t FileSystem::Read(int fd, void* buffer, size_t size) {
  return ::read(fd, buffer, size);
}
ssize_t FileSystem::Write(int fd, const void* data, size_t size) {
  return ::write(fd, data, size);
}
int FileSystem::Sync(int fd) {
  return ::fsync(fd);
}
int FileSystem::Close(int fd) {
  return ::close(fd);
}
int FileSystem::Rename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}
int FileSystem::Unlink(const std::string& path) {
  return ::unlink(path.c_str());
}

FileResult DataFile::Failure(const std::string& what, int errorNumber) const {
  return {"Cannot " + what + " \"" + path_ + "\": " + std::strerror(errorNumber)};
}

FileResult DataFile::OpenOrCreate() {
  const int fd = fs_.Open(path_, O_RDWR | O_APPEND | O_CREAT, 0644);
  if (fd < 0) return Failure("open or create", errno);
  fs_.Close(fd);
  return {};
}

FileResult DataFile::CreateEmpty() {
  const int fd = fs_.Open(path_, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return Failure("create", errno);
  if (fs_.Close(fd) != 0) return Failure("close", errno);
  return {};
}

FileResult DataFile::ReadAll(std::string& bytes) {
  bytes.clear();
  const int fd = fs_.Open(path_, O_RDONLY, 0);
  if (fd < 0) return Failure("open", errno);
  char buffer[8192];
  for (;;) {
    const ssize_t got = fs_.Read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      fs_.Close(fd);
      return Failure("read", error);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  fs_.Close(fd);
  return {};
}

FileResult DataFile::WriteTemp(const std::string& tempPath, const std::string& bytes) {
  const int fd = fs_.Open(tempPath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return Failure("create a temporary file beside", errno);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = fs_.Write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      const int error = put < 0 ? errno : ENOSPC;
      fs_.Close(fd);
      return Failure("write", error);
    }
    done += static_cast<size_t>(put);
  }
  if (fs_.Sync(fd) != 0) {
    const int error = errno;
    fs_.Close(fd);
    return Failure("flush to disk", error);
  }
  if (fs_.Close(fd) != 0) return Failure("close", errno);
  return {};
}

void DataFile::SyncFolder() {
  // The rename is durable only once the folder entry is on disk; a failure
  // here cannot lose data (old or new file stands), so it is not reported.
  const auto slash = path_.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
  const int fd = fs_.Open(folder, O_RDONLY | O_DIRECTORY, 0);
  if (fd < 0) return;
  fs_.Sync(fd);
  fs_.Close(fd);
}

FileResult DataFile::Replace(const std::string& bytes) {
  const std::string tempPath = path_ + ".tmp";
  FileResult result = WriteTemp(tempPath, bytes);
  if (result.ok() && fs_.Rename(tempPath, path_) != 0) result = Failure("replace", errno);
  if (!result.ok()) {
    fs_.Unlink(tempPath);
    return result;
  }
  SyncFolder();
  return {};
}
