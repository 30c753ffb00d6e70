// What the store and window benchmarks share: numbered engines and a data
// file of many of them; and the windows' prompter that answers OK and shows nothing.
#pragma once

#include <fstream>
#include <string>

#include "EngineRecord.h"
#include "Prompter.h"

class SilentPrompter : public Prompter {
 public:
  void Inform(const std::string&, const std::string&) override {}
  bool Confirm(const std::string&, const std::string&) override { return true; }
};

inline EngineRecord Numbered(int i) {
  EngineRecord record{};
  const std::string name = "Engine " + std::to_string(i);
  SetRecordName(record, name.data(), name.size());
  record.conrod = i;
  return record;
}

// Engines 0 to count - 1 written in the order i * stride % count (a stride
// prime to count shuffles them, so a listing has to sort).
inline void WriteNumberedEngines(const std::string& path, int count, int stride = 1) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (int i = 0; i < count; ++i) {
    const EngineRecord record = Numbered(static_cast<int>(static_cast<long long>(i) * stride % count));
    out.write(reinterpret_cast<const char*>(&record), sizeof record);
  }
}
