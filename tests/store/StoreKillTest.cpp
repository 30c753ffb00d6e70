// The process is killed (SIGKILL, in a real child process) just before and
// just after every system call of a save and of a delete: the data file must
// then hold either the complete old records or the complete new ones.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "StoreTestSupport.h"
#include "TShed.h"

namespace {

// Counts the calls of a rewrite and kills the process at the chosen one.
class KillingFileSystem : public FileSystem {
 private:
  // Defined before its callers: its return type is deduced.
  template <typename Call>
  auto Around(Call call) {
    const bool here = armed && ++count_ == killAt_;
    if (here && !after_) raise(SIGKILL);
    auto result = call();
    if (here && after_) raise(SIGKILL);
    return result;
  }
  int killAt_;
  bool after_;
  int count_ = 0;

 public:
  KillingFileSystem(int killAt, bool afterCall) : killAt_(killAt), after_(afterCall) {}
  int Open(const std::string& path, int flags, int mode) override {
    return Around([&] { return FileSystem::Open(path, flags, mode); });
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    return Around([&] { return FileSystem::Write(fd, data, size); });
  }
  int Sync(int fd) override {
    return Around([&] { return FileSystem::Sync(fd); });
  }
  int Close(int fd) override {
    return Around([&] { return FileSystem::Close(fd); });
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Around([&] { return FileSystem::Rename(from, to); });
  }
  bool armed = false;
};

// Runs one save or delete in a child killed at call killAt; returns false
// when the child finished without reaching that call.
bool RunKilled(const std::string& path, bool save, int killAt, bool afterCall) {
  const pid_t child = fork();
  if (child == 0) {
    auto fs = std::make_shared<KillingFileSystem>(killAt, afterCall);
    TShed shed(path, nullptr, fs);
    shed.ListEngines();
    fs->armed = true;
    if (save)
      shed.SaveEngine(MakeRecord("D", 4));
    else
      shed.DeleteEngine(MakeRecord("B"));
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

}  // namespace

class StoreKillTest : public TempFolder {};

TEST_F(StoreKillTest, AKillAtAnyPointLeavesTheOldOrTheNewFileWhole) {
  const std::vector<EngineRecord> old = {MakeRecord("A", 1), MakeRecord("B", 2), MakeRecord("C", 3)};
  int kills = 0;
  for (const bool save : {true, false}) {
    WriteRecords(dataPath_, old);
    const std::string oldBytes = ReadBytes(dataPath_);
    const auto newOrder =
        save ? std::vector<std::string>{"D:4", "C:3", "B:2", "A:1"} : std::vector<std::string>{"C:3", "A:1"};
    for (int killAt = 1;; ++killAt) {
      bool reached = false;
      for (const bool after : {false, true}) {
        WriteRecords(dataPath_, old);
        const bool killed = RunKilled(dataPath_, save, killAt, after);
        reached = reached || killed;
        kills += killed;
        SCOPED_TRACE(::testing::Message()
                     << (save ? "save" : "delete") << ", call " << killAt << (after ? " after" : " before"));
        const std::string now = ReadBytes(dataPath_);
        EXPECT_TRUE(now == oldBytes || FileOrder(dataPath_) == newOrder);
        EXPECT_EQ(now.size() % 184, 0u);
      }
      if (!reached) break;
    }
  }
  std::printf("store kills survived: %d\n", kills);
  EXPECT_GE(kills, 12);  // open, write, sync, close, rename and more, twice each
}
