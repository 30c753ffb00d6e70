// Any bytes as the data file: listing, finding, saving and deleting must never
// crash and must keep every whole record byte for byte.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "TShed.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::multiset<std::string> Records(const std::string& bytes) {
  std::multiset<std::string> records;
  for (std::size_t at = 0; at + 184 <= bytes.size(); at += 184) records.insert(bytes.substr(at, 184));
  return records;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("zov_fuzz_store_" + std::to_string(getpid()) + ".dat"))
          .string();
  const std::string original(reinterpret_cast<const char*>(data), size);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << original;

  std::vector<std::string> names;
  TShed shed(path, [&](const std::string& name) { names.push_back(name); });
  Check(shed.ListEngines() == static_cast<int>(size / 184));
  for (const std::string& name : names) Check(shed.FindEngine(name.c_str()).record.has_value());

  // Delete the first listed name: the rest of the records survive exactly.
  if (!names.empty()) {
    EngineRecord victim{};
    SetRecordName(victim, names[0].data(), names[0].size());
    Check(shed.DeleteEngine(victim).ok());
    Check(Slurp(path).size() == (size / 184 - 1) * 184);
    Check(shed.ListEngines() == static_cast<int>(size / 184 - 1));
  }
  // Save a record: it is added or replaces one of its name, nothing else moves.
  EngineRecord fresh{};
  std::memcpy(&fresh, data, std::min<std::size_t>(size, sizeof fresh));
  const auto before = Records(Slurp(path));
  Check(shed.SaveEngine(fresh).ok());
  const auto after = Records(Slurp(path));
  Check(after.count(std::string(reinterpret_cast<const char*>(&fresh), 184)) >= 1);
  Check(after.size() == before.size() || after.size() == before.size() + 1);
  std::filesystem::remove(path);
  return 0;
}
