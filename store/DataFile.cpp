// Whole-file operations of the engine data file on POSIX calls. The rewrite
// never touches the old file until a complete, synced copy stands beside it,
// and it works on what is on disk under the lock, not on an older listing.
// The lock is tried without blocking and tried again after a short sleep, so
// a wait behind another program can be reported and given up.
#include "DataFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <random>
#include <thread>

#include "TemporaryName.h"

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
int FileSystem::TryLock(int fd) {
  return ::flock(fd, LOCK_EX | LOCK_NB);
}
int FileSystem::Stat(const std::string& path, struct stat& info) {
  return ::stat(path.c_str(), &info);
}
int FileSystem::FileStat(int fd, struct stat& info) {
  return ::fstat(fd, &info);
}
int FileSystem::ChangeMode(int fd, mode_t mode) {
  return ::fchmod(fd, mode);
}
int FileSystem::ChangeOwner(int fd, uid_t owner, gid_t group) {
  return ::fchown(fd, owner, group);
}

bool FileResult::missing() const {
  return errorNumber == ENOENT;
}

FileResult CheckDataFileKind(const std::string& path, const struct stat& info) {
  const std::string cannot = "Cannot read \"" + path + "\": ";
  if (S_ISDIR(info.st_mode)) return {cannot + std::strerror(EISDIR), EISDIR};
  if (S_ISFIFO(info.st_mode)) return {cannot + "not a regular file but a named pipe", EINVAL};
  if (!S_ISREG(info.st_mode)) return {cannot + "not a regular file", EINVAL};
  if (info.st_size > kMostDataFileBytes)
    return {cannot + "larger than 64 MiB, too large for an engine data file", EFBIG};
  return {};
}

FileResult CheckDataFileSize(const std::string& path, off_t newSize) {
  if (newSize <= kMostDataFileBytes) return {};
  return {"Cannot write \"" + path +
              "\": it would grow past 64 MiB, more than an engine data file may hold, and no tool would "
              "read it again; delete engines to make room",
          EFBIG};
}

bool FileResult::cancelled() const {
  return errorNumber == ECANCELED;
}

namespace {

constexpr int kLinkHops = 40;       // as the kernel's own limit for symlink chains
constexpr int kLockAttempts = 100;  // each retry means another writer replaced the file
constexpr std::chrono::milliseconds kLockPoll{20};

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

}  // namespace

FileResult DataFile::Failure(const std::string& what, const std::string& path, int errorNumber) const {
  return {"Cannot " + what + " \"" + path + "\": " + std::strerror(errorNumber), errorNumber};
}

std::string DataFile::ResolvedPath() const {
  // The file a symlink names is the one replaced, so the link stays a link.
  std::string path = path_;
  for (int hop = 0; hop < kLinkHops; ++hop) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof target)) return path;
    std::string link(target, static_cast<size_t>(length));
    path = link.front() == '/' || path.find('/') == std::string::npos ? link : FolderOf(path) + link;
  }
  return path;
}

FileResult DataFile::Look(const std::string& path) {
  // stat() never opens: a named pipe or a device answers here, at once.
  struct stat info;
  if (fs_.Stat(path, info) != 0) return errno == ENOENT ? FileResult{} : Failure("read", path_, errno);
  if (S_ISDIR(info.st_mode)) return Failure("read", path_, EISDIR);
  if (!S_ISREG(info.st_mode)) return CheckDataFileKind(path_, info);
  return {};
}

FileResult DataFile::CheckReadable() {
  const FileResult looked = Look(path_);
  if (!looked.ok()) return looked;
  // Non-blocking all the same: the file may have been replaced since the look.
  const int fd = fs_.Open(path_, O_RDONLY | O_NONBLOCK, 0);
  if (fd < 0) return Failure("read", path_, errno);
  struct stat info;
  const bool known = fs_.FileStat(fd, info) == 0;
  fs_.Close(fd);
  if (!known || S_ISREG(info.st_mode)) return {};
  return S_ISDIR(info.st_mode) ? Failure("read", path_, EISDIR) : CheckDataFileKind(path_, info);
}

FileResult DataFile::CreateEmpty() {
  const int fd = fs_.Open(ResolvedPath(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0 && errno == EEXIST) return {};  // made meanwhile by another copy
  if (fd < 0) return Failure("create", path_, errno);
  if (fs_.Close(fd) != 0) return Failure("close", path_, errno);
  return {};
}

FileResult DataFile::ReadFrom(int fd, const std::string& path, std::string& bytes) {
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = fs_.Read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Failure("read", path, errno);
    if (got == 0) return {};
    bytes.append(buffer, static_cast<size_t>(got));
  }
}

FileResult DataFile::ReadAll(std::string& bytes) {
  bytes.clear();
  const FileResult looked = Look(path_);
  if (!looked.ok()) return looked;
  // A regular file reads the same without blocking; anything else is refused below.
  const int fd = fs_.Open(path_, O_RDONLY | O_NONBLOCK, 0);
  if (fd < 0) return Failure("read", path_, errno);
  struct stat info;
  FileResult result =
      fs_.FileStat(fd, info) == 0 ? CheckDataFileKind(path_, info) : Failure("read", path_, errno);
  if (result.ok()) result = ReadFrom(fd, path_, bytes);
  fs_.Close(fd);
  if (result.ok()) {  // a file that grew while it was read is measured again
    info.st_size = static_cast<off_t>(bytes.size());
    result = CheckDataFileKind(path_, info);
  }
  if (!result.ok()) bytes.clear();
  return result;
}

FileResult DataFile::OpenFailure(const std::string& path, int errorNumber) {
  // Refused for writing but readable: a file the user may only read.
  if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS) {
    const int fd = fs_.Open(path, O_RDONLY | O_NONBLOCK, 0);
    if (fd >= 0) {
      fs_.Close(fd);
      return Failure("write", path_, errorNumber);
    }
  }
  return Failure("read", path_, errorNumber);
}

FileResult DataFile::WaitForLock(int fd, const LockWait& wait, bool& told) {
  for (;;) {
    if (fs_.TryLock(fd) == 0) return {};
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK) return Failure("lock", path_, error);
    if (!told && wait.waiting) wait.waiting();
    told = true;
    if (wait.cancelled && wait.cancelled())
      return {"Gave up waiting for another program to finish with \"" + path_ + "\"", ECANCELED};
    std::this_thread::sleep_for(kLockPoll);
  }
}

FileResult DataFile::OpenLocked(const std::string& path, const LockWait& wait, int& fd) {
  bool told = false;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const FileResult looked = Look(path);
    if (!looked.ok()) return looked;
    fd = fs_.Open(path, O_RDWR | O_CREAT | O_NONBLOCK, 0644);
    if (fd < 0) return OpenFailure(path, errno);
    struct stat kind;
    if (fs_.FileStat(fd, kind) == 0 && !S_ISREG(kind.st_mode)) {  // replaced since the look
      fs_.Close(fd);
      return CheckDataFileKind(path_, kind);
    }
    const FileResult locked = WaitForLock(fd, wait, told);
    if (!locked.ok()) {
      fs_.Close(fd);
      return locked;
    }
    // A writer that held the lock before may have renamed a new file over
    // the one locked here: then the lock must be taken on that new file.
    struct stat held, named;
    if (fs_.FileStat(fd, held) == 0 && fs_.Stat(path, named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
      return {};
    fs_.Close(fd);
  }
  return Failure("lock", path_, EAGAIN);
}

FileResult DataFile::CreateTemp(const std::string& path, std::string& tempPath, int& fd) {
  // A fresh name each time, taken only if no file has it (O_EXCL): an old
  // temporary file, or another writer's, is never overwritten.
  std::random_device random;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    tempPath = TemporaryPath(path, random() % 1000000);
    fd = fs_.Open(tempPath, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd >= 0) return {};
    if (errno != EEXIST) break;
  }
  return Failure("create a temporary file beside", path_, errno);
}

FileResult DataFile::WriteTemp(int fd, const std::string& bytes, const struct stat& like) {
  // The owner first: changing it may clear mode bits that the mode then restores.
  // Only a privileged user may give the file away, so a refusal is no failure.
  if (like.st_uid != ::geteuid() || like.st_gid != ::getegid()) fs_.ChangeOwner(fd, like.st_uid, like.st_gid);
  if (fs_.ChangeMode(fd, like.st_mode & 07777) != 0) return Failure("keep the permissions of", path_, errno);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = fs_.Write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return Failure("write", path_, put < 0 ? errno : ENOSPC);
    done += static_cast<size_t>(put);
  }
  if (fs_.Sync(fd) != 0) return Failure("flush to disk", path_, errno);
  return {};
}

void DataFile::SyncFolder(const std::string& path) {
  // The rename is durable only once the folder entry is on disk; a failure
  // here cannot lose data (old or new file stands), so it is not reported.
  const int fd = fs_.Open(FolderOf(path), O_RDONLY | O_DIRECTORY, 0);
  if (fd < 0) return;
  fs_.Sync(fd);
  fs_.Close(fd);
}

FileResult DataFile::Replace(const std::string& path, const std::string& bytes, const struct stat& like) {
  std::string tempPath;
  int fd = -1;
  FileResult result = CreateTemp(path, tempPath, fd);
  if (!result.ok()) return result;
  result = WriteTemp(fd, bytes, like);
  if (fs_.Close(fd) != 0 && result.ok()) result = Failure("close", path_, errno);
  if (result.ok() && fs_.Rename(tempPath, path) != 0) result = Failure("replace", path_, errno);
  if (!result.ok()) {
    fs_.Unlink(tempPath);
    return result;
  }
  SyncFolder(path);
  return {};
}

FileResult DataFile::CheckWritable() {
  const std::string path = ResolvedPath();
  const FileResult looked = Look(path);
  if (!looked.ok()) return looked;
  int fd = fs_.Open(path, O_RDWR | O_NONBLOCK, 0);  // a FIFO must not hold the check up
  if (fd < 0) return OpenFailure(path, errno);
  fs_.Close(fd);
  std::string tempPath;
  const FileResult made = CreateTemp(path, tempPath, fd);
  if (!made.ok()) return made;
  fs_.Close(fd);
  fs_.Unlink(tempPath);
  return {};
}

void DataFile::RemoveDeadTemporaries(const std::string& path) {
  // Under the lock no live rewrite of this file has a temporary file, but the
  // owner is asked all the same: a live process's file is never removed.
  for (const std::string& file : DeadTemporaries(path)) fs_.Unlink(file);
}

FileResult DataFile::Rewrite(const Change& change, const LockWait& wait) {
  const std::string path = ResolvedPath();
  int fd = -1;
  FileResult result = OpenLocked(path, wait, fd);
  if (!result.ok()) return result;
  RemoveDeadTemporaries(path);
  std::string current;
  struct stat like;
  result = ReadFrom(fd, path_, current);
  if (result.ok() && fs_.FileStat(fd, like) != 0) result = Failure("read", path_, errno);
  if (result.ok()) {
    const std::optional<std::string> replacement = change(current);
    if (replacement) result = CheckDataFileSize(path_, static_cast<off_t>(replacement->size()));
    if (replacement && result.ok()) result = Replace(path, *replacement, like);
  }
  fs_.Close(fd);  // releases the lock, after the new file is in place
  return result;
}
