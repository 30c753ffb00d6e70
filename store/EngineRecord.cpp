// The safe reading and writing of record names.
#include "EngineRecord.h"

#include <cstring>

const char* RecordNameEnd(const EngineRecord& record) {
  const void* nul = std::memchr(record.name, '\0', sizeof record.name);
  if (nul == nullptr ||
      static_cast<const char*>(nul) - record.name > static_cast<std::ptrdiff_t>(kEngineNameLimit))
    return record.name + kEngineNameLimit;
  return static_cast<const char*>(nul);
}

void SetRecordName(EngineRecord& record, const char* bytes, std::size_t length) {
  if (length > kEngineNameLimit) length = kEngineNameLimit;
  std::memcpy(record.name, bytes, length);
  record.name[length] = '\0';
}

std::string RecordName(const EngineRecord& record) {
  return std::string(static_cast<const char*>(record.name), RecordNameEnd(record));
}
