// The engine store: the records of the data file in a front-inserted list;
// every save and delete applies itself to the file as it is on disk now and
// rewrites it whole (locked and atomic, through DataFile).
#pragma once

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "DataFile.h"
#include "EngineRecord.h"
#include "Prompter.h"

class TShed {
 public:
  // Receives each listed name as the record's bytes (single-byte text).
  using NameSink = std::function<void(const std::string& nameBytes)>;

  TShed(const std::string& fileName, Prompter& prompter, NameSink nameSink,
        std::shared_ptr<FileSystem> fileSystem = nullptr);

  // Loads every whole record into the list (front insertion), hands each name
  // to the sink in file order and returns the number read (0 when unreadable,
  // and ReadError() then says why).
  int ListEngines();
  // The stored record of that name (the one nearest the file's start), or
  // nothing after telling the user "Engine not found".
  std::optional<EngineRecord> FindEngine(const char* name);
  // Replace-or-add and rewrite; false (after telling the user why) when the
  // file could not be read or written, in which case the file is as it was.
  // Of several records of the name, the one FindEngine hands out is replaced.
  bool SaveEngine(const EngineRecord& record);
  // Removes the record of that name that FindEngine hands out and rewrites;
  // false as for SaveEngine.
  bool DeleteEngine(const EngineRecord& record);

  const std::string& FileName() const { return fileName_; }
  // Why the last listing could not read the file; empty when it could.
  const std::string& ReadError() const { return readError_; }

 private:
  void OpenDataFile();
  bool RewriteFile(const std::function<void(std::list<EngineRecord>&)>& change);
  void EmptyList() { records_.clear(); }

  std::string fileName_;
  Prompter& prompter_;
  NameSink nameSink_;
  std::shared_ptr<FileSystem> fs_;
  std::list<EngineRecord> records_;
  std::string readError_;
};

// Byte-for-byte equality of two names up to their terminators.
bool SameEngineName(const EngineRecord& a, const EngineRecord& b);
bool SameEngineName(const EngineRecord& a, const char* name);
