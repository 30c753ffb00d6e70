// The file layer under the store: POSIX calls behind one overridable seam (so
// tests can fail any single call) and the whole-file operations built on it.
// A rewrite holds an advisory lock on the file (waiting for it without
// blocking, so the wait can be given up), reads it afresh, and replaces it
// through a synced temporary file renamed over it.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual int Open(const std::string& path, int flags, int mode);
  virtual ssize_t Read(int fd, void* buffer, size_t size);
  virtual ssize_t Write(int fd, const void* data, size_t size);
  virtual int Sync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const std::string& from, const std::string& to);
  virtual int Unlink(const std::string& path);
  // An exclusive advisory lock (flock) on the open file, without waiting:
  // -1 with errno EWOULDBLOCK while another open file holds it.
  virtual int TryLock(int fd);
  virtual int Stat(const std::string& path, struct stat& info);
  virtual int FileStat(int fd, struct stat& info);
  virtual int ChangeMode(int fd, mode_t mode);
  virtual int ChangeOwner(int fd, uid_t owner, gid_t group);
};

// Outcome of a file operation: empty error means success; otherwise the text
// names the file and the system's reason, and errorNumber is that reason.
struct FileResult {
  std::string error;
  int errorNumber = 0;
  bool ok() const { return error.empty(); }
  bool missing() const;
  // The wait for the lock was given up (LockWait::cancelled); nothing was written.
  bool cancelled() const;
};

// How a rewrite waits while another program holds the file's lock. Without a
// cancelled test it waits as long as the lock is held.
struct LockWait {
  // Asked between attempts; true gives the wait up.
  std::function<bool()> cancelled;
  // Called once, from the waiting thread, when the lock is first found held.
  std::function<void()> waiting;
};

// Some 360,000 engines; a larger file, or one that is not a regular file (a
// device such as /dev/zero, a pipe), is no engine data file and is not read.
inline constexpr off_t kMostDataFileBytes = off_t{64} * 1024 * 1024;

// Empty when a file of this kind may be read as a data file; else the error
// naming the file and why not.
FileResult CheckDataFileKind(const std::string& path, const struct stat& info);
// Empty when a rewrite may leave the file at newSize bytes: a save never makes
// a file that no tool would read again. Else the error, naming the file.
FileResult CheckDataFileSize(const std::string& path, off_t newSize);

class DataFile {
 public:
  // Takes the bytes now in the file and gives the bytes to replace them with,
  // or nothing to leave the file as it is.
  using Change = std::function<std::optional<std::string>(const std::string& current)>;

  DataFile(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  // Succeeds when the file exists and can be read; missing() tells a file
  // that is not there from one that cannot be read.
  FileResult CheckReadable();
  // Creates an empty file where none is; never truncates one that exists.
  FileResult CreateEmpty();
  // The whole content; fails when the file cannot be opened or read, or is
  // refused by CheckDataFileKind.
  FileResult ReadAll(std::string& bytes);
  // Succeeds when a rewrite could replace the file now: it opens for writing
  // and a temporary file can be made beside it (made and removed at once).
  FileResult CheckWritable();
  // Under the lock: removes the temporary files that killed rewrites left
  // (their process gone), reads the file, writes change(content) to a new
  // temporary file beside it with the file's permissions and owner, syncs it
  // and renames it over the file (a symlink's target, the link kept). A crash
  // leaves either the old or the new file; a failure leaves the old one.
  FileResult Rewrite(const Change& change, const LockWait& wait = {});

 private:
  std::string ResolvedPath() const;
  // Looks at path without opening it: a folder, a named pipe or a device is
  // refused at once (a missing file passes, for the open to tell).
  FileResult Look(const std::string& path);
  FileResult Failure(const std::string& what, const std::string& path, int errorNumber) const;
  FileResult OpenFailure(const std::string& path, int errorNumber);
  FileResult OpenLocked(const std::string& path, const LockWait& wait, int& fd);
  FileResult WaitForLock(int fd, const LockWait& wait, bool& told);
  void RemoveDeadTemporaries(const std::string& path);
  FileResult ReadFrom(int fd, const std::string& path, std::string& bytes);
  FileResult CreateTemp(const std::string& path, std::string& tempPath, int& fd);
  FileResult WriteTemp(int fd, const std::string& bytes, const struct stat& like);
  FileResult Replace(const std::string& path, const std::string& bytes, const struct stat& like);
  void SyncFolder(const std::string& path);

  FileSystem& fs_;
  std::string path_;
};
