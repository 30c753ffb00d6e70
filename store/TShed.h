// The engine store: the records of the data file in a front-inserted list,
// rewritten whole (atomically, through DataFile) on every save and delete.
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
  // to the sink in file order and returns the number read (0 when unreadable).
  int ListEngines();
  // The stored record of that name (the one nearest the file's start), or
  // nothing after telling the user "Engine not found".
  std::optional<EngineRecord> FindEngine(const char* name);
  // Replace-or-add and rewrite; false (after telling the user why) when the
  // file could not be written, in which case the file is as it was.
  bool SaveEngine(const EngineRecord& record);
  // Remove the first record of that name and rewrite; false on a failed write.
  bool DeleteEngine(const EngineRecord& record);

  const std::string& FileName() const { return fileName_; }

 private:
  void OpenDataFile();
  bool RewriteFile();
  void EmptyList() { records_.clear(); }

  std::string fileName_;
  Prompter& prompter_;
  NameSink nameSink_;
  std::shared_ptr<FileSystem> fs_;
  std::list<EngineRecord> records_;
};

// Byte-for-byte equality of two names up to their terminators.
bool SameEngineName(const EngineRecord& a, const EngineRecord& b);
bool SameEngineName(const EngineRecord& a, const char* name);
