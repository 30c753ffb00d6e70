// The file layer under the store: POSIX calls behind one overridable seam (so
// tests can fail any single call) and the whole-file operations built on it,
// of which the rewrite goes to a temporary file that is synced and renamed.
#pragma once

#include <sys/types.h>

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
};

// Outcome of a file operation: empty error means success; otherwise the text
// names the file and the system's reason.
struct FileResult {
  std::string error;
  bool ok() const { return error.empty(); }
};

class DataFile {
 public:
  DataFile(FileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

  // Opens for reading and appending, creating an empty file if none exists.
  FileResult OpenOrCreate();
  // Creates (or truncates to) an empty file.
  FileResult CreateEmpty();
  // The whole content; fails when the file cannot be opened or read.
  FileResult ReadAll(std::string& bytes);
  // Writes bytes to "<path>.tmp", syncs, closes and renames it over the file,
  // then syncs the folder: a crash leaves either the old or the new file.
  FileResult Replace(const std::string& bytes);

 private:
  FileResult Failure(const std::string& what, int errorNumber) const;
  FileResult WriteTemp(const std::string& tempPath, const std::string& bytes);
  void SyncFolder();

  FileSystem& fs_;
  std::string path_;
};
