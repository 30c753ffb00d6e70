// Every system call of a rewrite made to fail in turn: the data file must keep
// all its old records byte for byte and the user must be told of the failure.
#include <gtest/gtest.h>

#include <cerrno>

#include "StoreTestSupport.h"
#include "TShed.h"

namespace {

enum class Call { Open, Lock, Write, Sync, Close, Rename };

// Fails the chosen call the nth time (from 0) it is made after arming.
class FailingFileSystem : public FileSystem {
 public:
  Call target = Call::Write;
  int nth = 0;
  bool armed = false;
  int Open(const std::string& path, int flags, int mode) override {
    return Fail(Call::Open) ? -1 : FileSystem::Open(path, flags, mode);
  }
  int TryLock(int fd) override { return Fail(Call::Lock) ? -1 : FileSystem::TryLock(fd); }
  ssize_t Write(int fd, const void* data, size_t size) override {
    return Fail(Call::Write) ? -1 : FileSystem::Write(fd, data, size);
  }
  int Sync(int fd) override { return Fail(Call::Sync) ? -1 : FileSystem::Sync(fd); }
  int Close(int fd) override {
    const int result = FileSystem::Close(fd);
    return Fail(Call::Close) ? -1 : result;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Fail(Call::Rename) ? -1 : FileSystem::Rename(from, to);
  }

 private:
  bool Fail(Call call) {
    if (!armed || call != target || seen_++ != nth) return false;
    armed = false;
    errno = call == Call::Write ? ENOSPC : EIO;
    return true;
  }
  int seen_ = 0;
};

}  // namespace

class StoreFaultTest : public TempFolder {};

TEST_F(StoreFaultTest, AFailedSaveOrDeleteLeavesTheOldFileWhole) {
  const std::vector<EngineRecord> old = {MakeRecord("A"), MakeRecord("B"), MakeRecord("C")};
  // The first open is the data file's, to lock and read it; the second the temporary file's.
  const std::vector<std::pair<Call, int>> calls = {{Call::Open, 0},  {Call::Open, 1}, {Call::Lock, 0},
                                                   {Call::Write, 0}, {Call::Sync, 0}, {Call::Close, 0},
                                                   {Call::Rename, 0}};
  for (const auto& [call, nth] : calls) {
    for (const bool save : {true, false}) {
      SCOPED_TRACE(::testing::Message()
                   << "call " << int(call) << " #" << nth << (save ? " in save" : " in delete"));
      WriteRecords(dataPath_, old);
      const std::string before = ReadBytes(dataPath_);
      auto fs = std::make_shared<FailingFileSystem>();
      TShed shed(dataPath_, nullptr, fs);
      ASSERT_EQ(shed.ListEngines(), 3);
      fs->target = call;
      fs->nth = nth;
      fs->armed = true;
      const StoreOutcome outcome =
          save ? shed.SaveEngine(MakeRecord("D")) : shed.DeleteEngine(MakeRecord("B"));
      EXPECT_EQ(outcome.kind, StoreOutcome::Kind::notWritten);
      EXPECT_EQ(ReadBytes(dataPath_), before);
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);  // no temporary left
      EXPECT_NE(outcome.message.find("ste_data.dat"), std::string::npos);
      EXPECT_EQ(shed.ListEngines(), 3);  // the list is the file's again
    }
  }
}
