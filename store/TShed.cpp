// The engine store. The list takes every record at its front, so each rewrite
// reverses the order of the records already stored and puts a saved one first;
// the file is only ever replaced whole, by DataFile's locked, atomic rewrite of
// the records on disk at that moment.
#include "TShed.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "Cp1252.h"

namespace {

const char* const kNotChangedUntilReadable =
    "\nThe file is left as it is: engines can be saved or deleted again once it can be read.";

// The records of the file's bytes in the list's order: each taken in at the
// front, so the list runs from the file's last record to its first. A
// trailing part-record is ignored; the next rewrite drops it.
std::list<EngineRecord> LoadedRecords(const std::string& bytes) {
  std::list<EngineRecord> records;
  for (std::size_t at = 0; at + kEngineRecordSize <= bytes.size(); at += kEngineRecordSize) {
    EngineRecord record;
    std::memcpy(&record, bytes.data() + at, kEngineRecordSize);
    records.push_front(record);
  }
  return records;
}

// The record of that name that the user is shown: of several, the last in list
// order, that is the one nearest the start of the file.
template <typename List>
auto ShownRecord(List& records, const char* name) {
  const auto last = std::find_if(records.rbegin(), records.rend(),
                                 [name](const EngineRecord& r) { return SameEngineName(r, name); });
  return last == records.rend() ? records.end() : std::prev(last.base());
}

void RemoveShown(std::list<EngineRecord>& records, const std::string& name) {
  const auto shown = ShownRecord(records, name.c_str());
  if (shown != records.end()) records.erase(shown);
}

}  // namespace

bool SameEngineName(const EngineRecord& a, const EngineRecord& b) {
  return RecordName(a) == RecordName(b);
}

bool SameEngineName(const EngineRecord& a, const char* name) {
  return RecordName(a) == std::string(name, strnlen(name, kEngineNameLimit));
}

TShed::TShed(const std::string& fileName, NameSink nameSink, std::shared_ptr<FileSystem> fileSystem)
    : fileName_(fileName),
      nameSink_(std::move(nameSink)),
      fs_(fileSystem ? std::move(fileSystem) : std::make_shared<FileSystem>()) {}

StoreOutcome TShed::Open() {
  // Only a missing file is created; one that exists but cannot be read is
  // left alone, and the user is told why.
  DataFile file(*fs_, fileName_);
  const FileResult readable = file.CheckReadable();
  if (readable.ok()) return {};
  if (!readable.missing())
    return {StoreOutcome::Kind::notReadable, readable.error + kNotChangedUntilReadable};
  if (file.CreateEmpty().ok()) return {};
  return {StoreOutcome::Kind::missingFile, "Open new file?"};
}

StoreOutcome TShed::Create() {
  const FileResult created = DataFile(*fs_, fileName_).CreateEmpty();
  if (created.ok()) return {};
  return {StoreOutcome::Kind::notCreated, created.error};
}

int TShed::ListEngines() {
  EmptyList();  // a listing again shows the file as it is now, never twice
  std::string bytes;
  const FileResult read = DataFile(*fs_, fileName_).ReadAll(bytes);
  readError_ = read.error;
  if (!read.ok()) return 0;
  int count = 0;
  for (std::size_t at = 0; at + kEngineRecordSize <= bytes.size(); at += kEngineRecordSize) {
    EngineRecord record;
    std::memcpy(&record, bytes.data() + at, kEngineRecordSize);
    records_.push_front(record);
    if (nameSink_) nameSink_(RecordName(record));
    ++count;
  }
  return count;
}

FoundRecord TShed::FindEngine(const char* name) const {
  const auto found = ShownRecord(records_, name);
  if (found == records_.end()) return {std::nullopt, {StoreOutcome::Kind::notFound, "Engine not found"}};
  return {*found, {}};
}

StoreOutcome TShed::RewriteFile(const std::function<bool(std::list<EngineRecord>&)>& change,
                                const LockWait& wait, const char* what) {
  const FileResult written =
      DataFile(*fs_, fileName_)
          .Rewrite(
              [&](const std::string& current) -> std::optional<std::string> {
                std::list<EngineRecord> records = LoadedRecords(current);
                if (!change(records)) return std::nullopt;
                std::string bytes;
                bytes.reserve(records.size() * kEngineRecordSize);
                for (const EngineRecord& record : records)
                  bytes.append(reinterpret_cast<const char*>(&record), kEngineRecordSize);
                return bytes;
              },
              wait);
  EmptyList();
  if (written.cancelled())
    return {StoreOutcome::Kind::cancelled,
            std::string("Nothing was ") + what + ": the data file was left as it was."};
  if (!written.ok())
    return {StoreOutcome::Kind::notWritten, written.error + "\nThe data file was not changed."};
  return {};
}

StoreOutcome TShed::SaveEngine(const EngineRecord& record, const LockWait& wait) {
  StoreOutcome saved = RewriteFile(
      [&](std::list<EngineRecord>& records) {
        RemoveShown(records, RecordName(record));
        records.push_front(record);
        return true;
      },
      wait, "saved");
  if (saved.ok()) saved.message = "Records stored";
  return saved;
}

StoreOutcome TShed::SaveNewEngine(const EngineRecord& record, const LockWait& wait) {
  bool taken = false;
  StoreOutcome saved = RewriteFile(
      [&](std::list<EngineRecord>& records) {
        taken = std::any_of(records.begin(), records.end(),
                            [&](const EngineRecord& r) { return SameEngineName(r, record); });
        if (!taken) records.push_front(record);
        return !taken;
      },
      wait, "saved");
  if (taken && saved.ok())
    return {StoreOutcome::Kind::nameTaken,
            "An engine named \"" + Cp1252ToUtf8(RecordName(record)) + "\" is stored already."};
  if (saved.ok()) saved.message = "Records stored";
  return saved;
}

StoreOutcome TShed::DeleteEngine(const EngineRecord& record, const LockWait& wait) {
  return RewriteFile(
      [&](std::list<EngineRecord>& records) {
        RemoveShown(records, RecordName(record));
        return true;
      },
      wait, "deleted");
}

StoreOutcome TShed::CheckWritable() {
  FileResult writable = DataFile(*fs_, fileName_).CheckWritable();
  struct stat info;
  if (writable.ok() && fs_->Stat(fileName_, info) == 0)
    writable = CheckDataFileSize(fileName_, info.st_size + static_cast<off_t>(kEngineRecordSize));
  if (writable.ok()) return {};
  return {StoreOutcome::Kind::notWritten, writable.error};
}
