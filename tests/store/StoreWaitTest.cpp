// A rewrite behind another program's lock: it says once that it waits, gives
// the wait up when asked (nothing written) and goes on once the lock is let
// go. The next save removes the temporary files of killed writers, never a
// live process's nor any other file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "StoreTestSupport.h"
#include "TShed.h"

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class StoreWaitTest : public TempFolder {};

TEST_F(StoreWaitTest, ASaveOrDeleteBehindAHeldLockSaysSoOnceAndCanBeGivenUp) {
  WriteRecords(dataPath_, {MakeRecord("A")});
  const std::string before = ReadBytes(dataPath_);
  const int holder = open(dataPath_.c_str(), O_RDWR);  // another open file: another lock holder
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  TShed shed(dataPath_, nullptr);
  int told = 0, asked = 0;
  const LockWait impatient{[&] { return ++asked > 3; }, [&] { ++told; }};
  for (const bool save : {true, false}) {
    told = asked = 0;
    const StoreOutcome outcome =
        save ? shed.SaveEngine(MakeRecord("B"), impatient) : shed.DeleteEngine(MakeRecord("A"), impatient);
    EXPECT_EQ(outcome.kind, StoreOutcome::Kind::cancelled);
    EXPECT_EQ(outcome.message, std::string("Nothing was ") + (save ? "saved" : "deleted") +
                                   ": the data file was left as it was.");
    EXPECT_EQ(told, 1);
    EXPECT_EQ(asked, 4);
  }
  EXPECT_EQ(ReadBytes(dataPath_), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);

  // The holder lets go while the save waits: the save goes on.
  told = 0;
  const LockWait patient{nullptr, [&] {
                           ++told;
                           close(holder);
                         }};
  EXPECT_TRUE(shed.SaveEngine(MakeRecord("B", 2), patient).ok());
  EXPECT_EQ(told, 1);
  EXPECT_EQ(FileOrder(dataPath_), (Names{"B:2", "A:1"}));
}

TEST_F(StoreWaitTest, TheNextSaveRemovesTheTemporaryFilesOfDeadWritersOnly) {
  WriteRecords(dataPath_, {MakeRecord("A")});
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  ASSERT_EQ(waitpid(dead, nullptr, 0), dead);
  const auto temporary = [this](const std::string& owner, const std::string& file = "ste_data.dat") {
    const fs::path path = folder_ / (file + "." + owner + "-17.tmp");
    std::ofstream(path) << "part of a record";
    return path;
  };
  const fs::path left = temporary(std::to_string(dead));
  const std::vector<fs::path> kept = {temporary(std::to_string(getpid())), temporary("1"),
                                      temporary(std::to_string(dead), "results.txt"), temporary("x"),
                                      folder_ / "ste_data.dat.tmp"};
  std::ofstream(kept.back()) << "keep";
  TShed shed(dataPath_, nullptr);
  ASSERT_TRUE(shed.SaveEngine(MakeRecord("B")).ok());
  EXPECT_FALSE(fs::exists(left));
  for (const fs::path& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_EQ(FileOrder(dataPath_), (Names{"B:1", "A:1"}));
}

TEST_F(StoreWaitTest, ANewEngineIsRefusedWhenItsNameReachedTheFileAfterTheListing) {
  WriteRecords(dataPath_, {MakeRecord("A")});
  TShed mine(dataPath_, nullptr), other(dataPath_, nullptr);
  ASSERT_EQ(mine.ListEngines(), 1);
  ASSERT_EQ(other.ListEngines(), 1);
  ASSERT_TRUE(other.SaveEngine(MakeRecord("Race", 7)).ok());
  const StoreOutcome refused = mine.SaveNewEngine(MakeRecord("Race", 8));
  EXPECT_EQ(refused.kind, StoreOutcome::Kind::nameTaken);
  EXPECT_EQ(refused.message, "An engine named \"Race\" is stored already.");
  EXPECT_EQ(FileOrder(dataPath_), (Names{"Race:7", "A:1"}));
  EXPECT_EQ(mine.SaveNewEngine(MakeRecord("Race 2", 8)).message, "Records stored");
  EXPECT_EQ(FileOrder(dataPath_), (Names{"Race 2:8", "A:1", "Race:7"}));
}
