// The engine store. The list takes every record at its front, so each rewrite
// reverses the order of the records already stored and puts a saved one first;
// the file is only ever replaced whole, through DataFile's atomic rewrite.
#include "TShed.h"

#include <cstring>

#include "Cp1252.h"

bool SameEngineName(const EngineRecord& a, const EngineRecord& b) {
  return RecordName(a) == RecordName(b);
}

bool SameEngineName(const EngineRecord& a, const char* name) {
  return RecordName(a) == std::string(name, strnlen(name, kEngineNameLimit));
}

TShed::TShed(const std::string& fileName, Prompter& prompter, NameSink nameSink,
             std::shared_ptr<FileSystem> fileSystem)
    : fileName_(fileName),
      prompter_(prompter),
      nameSink_(std::move(nameSink)),
      fs_(fileSystem ? std::move(fileSystem) : std::make_shared<FileSystem>()) {
  OpenDataFile();
}

void TShed::OpenDataFile() {
  DataFile file(*fs_, fileName_);
  if (file.OpenOrCreate().ok()) return;
  if (!prompter_.Confirm("Failed to find data file", "Open new file?")) return;
  const FileResult created = file.CreateEmpty();
  if (!created.ok()) prompter_.Inform("Message", created.error);
}

int TShed::ListEngines() {
  std::string bytes;
  if (!DataFile(*fs_, fileName_).ReadAll(bytes).ok()) return 0;
  int count = 0;
  // A trailing part-record is ignored; the next rewrite drops it.
  for (std::size_t at = 0; at + kEngineRecordSize <= bytes.size(); at += kEngineRecordSize) {
    EngineRecord record;
    std::memcpy(&record, bytes.data() + at, kEngineRecordSize);
    records_.push_front(record);
    if (nameSink_) nameSink_(RecordName(record));
    ++count;
  }
  return count;
}

std::optional<EngineRecord> TShed::FindEngine(const char* name) {
  // The whole list is walked: of several records with the name, the last in
  // list order (the one nearest the start of the file) is the one handed out.
  const EngineRecord* found = nullptr;
  for (const EngineRecord& record : records_)
    if (SameEngineName(record, name)) found = &record;
  if (found == nullptr) {
    prompter_.Inform("Message", "Engine not found");
    return std::nullopt;
  }
  return *found;
}

bool TShed::RewriteFile() {
  std::string bytes;
  bytes.reserve(records_.size() * kEngineRecordSize);
  for (const EngineRecord& record : records_)
    bytes.append(reinterpret_cast<const char*>(&record), kEngineRecordSize);
  const FileResult written = DataFile(*fs_, fileName_).Replace(bytes);
  EmptyList();
  if (!written.ok()) prompter_.Inform("Message", written.error + "\nThe data file was not changed.");
  return written.ok();
}

bool TShed::SaveEngine(const EngineRecord& record) {
  prompter_.Inform("Saving ", Cp1252ToUtf8(RecordName(record)));
  for (auto it = records_.begin(); it != records_.end(); ++it) {
    if (SameEngineName(*it, record)) {
      records_.erase(it);
      break;
    }
  }
  records_.push_front(record);
  if (!RewriteFile()) return false;
  prompter_.Inform("Message", "Records stored");
  return true;
}

bool TShed::DeleteEngine(const EngineRecord& record) {
  for (auto it = records_.begin(); it != records_.end(); ++it) {
    if (SameEngineName(*it, record)) {
      records_.erase(it);
      break;
    }
  }
  return RewriteFile();
}
