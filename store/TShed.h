// The engine store: the records of the data file in a front-inserted list;
// every save and delete applies itself to the file as it is on disk now and
// rewrites it whole (locked and atomic, through DataFile). Each operation
// returns how it ended as a value; the caller decides what the user is told.
#pragma once

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "DataFile.h"
#include "EngineRecord.h"

// How a store operation ended, with the sentence the user is shown for it.
struct StoreOutcome {
  enum class Kind {
    done,         // message: the notice to show, if any ("Records stored")
    notFound,     // no record of that name: "Engine not found"
    notReadable,  // the file exists but cannot be read; nothing is written until it can be
    missingFile,  // the file is not there and could not be made; message: the question to ask
    notCreated,   // making the missing file failed again; message: why
    notWritten,   // a save or delete failed: why, and that the file was left as it was
    nameTaken,    // SaveNewEngine: the file holds that name already; nothing was written
    cancelled,    // the wait for another program's lock was given up; nothing was written
  };
  Kind kind = Kind::done;
  std::string message;  // UTF-8
  bool ok() const { return kind == Kind::done; }
};

// The caption of the question a missingFile outcome asks.
inline constexpr const char* kMissingFileCaption = "Failed to find data file";

// A record found by name, or why not.
struct FoundRecord {
  std::optional<EngineRecord> record;
  StoreOutcome outcome;
};

class TShed {
 public:
  // Receives each listed name as the record's bytes (single-byte text).
  using NameSink = std::function<void(const std::string& nameBytes)>;

  TShed(const std::string& fileName, NameSink nameSink, std::shared_ptr<FileSystem> fileSystem = nullptr);

  // Checks that the data file can be read; a missing one is created without a
  // question. missingFile when that fails (ask, then Create), notReadable for
  // a file that exists but cannot be read: it is never written then.
  StoreOutcome Open();
  // Creates the missing file once more, as the user agreed to.
  StoreOutcome Create();
  // Loads every whole record into the list (front insertion), hands each name
  // to the sink in file order and returns the number read (0 when unreadable,
  // and ReadError() then says why).
  int ListEngines();
  // The stored record of that name (the one nearest the file's start), or notFound.
  FoundRecord FindEngine(const char* name) const;
  // Every rewrite below waits as `wait` says while another program holds the
  // file's lock; cancelled when the wait is given up.
  //
  // Replace-or-add and rewrite: done with "Records stored", or notWritten when
  // the file could not be read or written, in which case it is as it was.
  // Of several records of the name, the one FindEngine hands out is replaced.
  StoreOutcome SaveEngine(const EngineRecord& record, const LockWait& wait = {});
  // Adds the record only when no record of its name is in the file as it is
  // under the lock, at the moment of writing: nameTaken otherwise, nothing
  // written. Else as SaveEngine.
  StoreOutcome SaveNewEngine(const EngineRecord& record, const LockWait& wait = {});
  // Removes the record of that name that FindEngine hands out and rewrites;
  // done with no notice, or notWritten as for SaveEngine.
  StoreOutcome DeleteEngine(const EngineRecord& record, const LockWait& wait = {});
  // Whether a save of one more engine could write the file now (it opens for
  // writing, a file can be made beside it, and it stays within the size the
  // tools read); notWritten, with the reason on one line, when not. Changes nothing.
  StoreOutcome CheckWritable();

  const std::string& FileName() const { return fileName_; }
  // Why the last listing could not read the file; empty when it could.
  const std::string& ReadError() const { return readError_; }

 private:
  // change edits the records as they are on disk, or returns false to leave
  // the file as it is; `what` ("saved", "deleted") says what a cancel stopped.
  StoreOutcome RewriteFile(const std::function<bool(std::list<EngineRecord>&)>& change, const LockWait& wait,
                           const char* what);
  void EmptyList() { records_.clear(); }

  std::string fileName_;
  NameSink nameSink_;
  std::shared_ptr<FileSystem> fs_;
  std::list<EngineRecord> records_;
  std::string readError_;
};

// Byte-for-byte equality of two names up to their terminators.
bool SameEngineName(const EngineRecord& a, const EngineRecord& b);
bool SameEngineName(const EngineRecord& a, const char* name);
