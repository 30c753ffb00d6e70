// Helpers for the store tests: a fresh folder per test, records built by name,
// and the data file read back as the sequence of its record names.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "EngineRecord.h"

inline EngineRecord MakeRecord(const std::string& name, double conrod = 1) {
  EngineRecord record{};
  SetRecordName(record, name.data(), name.size());
  record.conrod = conrod;
  return record;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

inline void WriteRecords(const std::filesystem::path& path, const std::vector<EngineRecord>& records,
                         const std::string& tail = {}) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const auto& record : records) out.write(reinterpret_cast<const char*>(&record), sizeof record);
  out << tail;
}

// Names in file order, with the conrod value that tells versions apart.
inline std::vector<std::string> FileOrder(const std::filesystem::path& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::string> names;
  for (std::size_t at = 0; at + sizeof(EngineRecord) <= bytes.size(); at += sizeof(EngineRecord)) {
    EngineRecord record;
    std::memcpy(&record, bytes.data() + at, sizeof record);
    names.push_back(RecordName(record) + ":" + std::to_string(int(record.conrod)));
  }
  return names;
}

// While it lives, every write past size bytes of a file fails with EFBIG, as
// on a disk that fills up; the signal the kernel would send is ignored.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t size) : oldSignal_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &old_);
    const rlimit limit{size, old_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldSignal_)(int);
};

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zov_store_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    dataPath_ = (folder_ / "ste_data.dat").string();
  }
  void TearDown() override {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    std::filesystem::remove_all(folder_);
  }
  std::filesystem::path folder_;
  std::string dataPath_;
};
