// What the data file keeps whatever stands around it: a file the user may not
// read or write is never written, two copies of the program lose nothing, and
// a symlink, the permissions and the owner outlive a save.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "StoreTestSupport.h"
#include "TShed.h"

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

// Refuses reading or writing one file as the kernel would for a user without
// that permission (the tests may run as root, who is never refused).
class DeniedFileSystem : public FileSystem {
 public:
  DeniedFileSystem(std::string path, bool read, bool write)
      : path_(std::move(path)), read_(read), write_(write) {}
  int Open(const std::string& path, int flags, int mode) override {
    const int access = flags & O_ACCMODE;
    const bool denied = path == path_ && ((read_ && access != O_WRONLY) || (write_ && access != O_RDONLY));
    if (!denied) return FileSystem::Open(path, flags, mode);
    errno = EACCES;
    return -1;
  }

 private:
  std::string path_;
  bool read_, write_;
};

// Saves "<prefix> 1" to "<prefix> 50" in a child process, relisting after each
// save as the window does.
pid_t SaveFiftyInAChild(const std::string& path, const std::string& prefix) {
  const pid_t child = fork();
  if (child != 0) return child;
  TShed shed(path, nullptr);
  shed.ListEngines();
  bool ok = true;
  for (int i = 1; i <= 50; ++i) {
    ok = shed.SaveEngine(MakeRecord(prefix + " " + std::to_string(i), i)).ok() && ok;
    shed.ListEngines();
  }
  _exit(ok ? 0 : 1);
}

}  // namespace

class StoreIntegrityTest : public TempFolder {};

TEST_F(StoreIntegrityTest, AFileTheUserMayNotReadOrWriteIsNeverWritten) {
  struct Case {
    const char* what;
    bool read, write;
    int listed;
    const char* refusal;
  };
  for (const Case& c : {Case{"another user's file", true, true, 0, "Cannot read \""},
                        Case{"a write-only file", true, false, 0, "Cannot read \""},
                        Case{"a read-only file", false, true, 3, "Cannot write \""}}) {
    SCOPED_TRACE(c.what);
    WriteRecords(dataPath_, {MakeRecord("A"), MakeRecord("B"), MakeRecord("C")});
    const std::string before = ReadBytes(dataPath_);
    TShed shed(dataPath_, nullptr, std::make_shared<DeniedFileSystem>(dataPath_, c.read, c.write));
    const StoreOutcome opened = shed.Open();
    EXPECT_EQ(shed.ListEngines(), c.listed);
    if (c.read) {
      // Told at once and why, never asked whether to start a new file.
      EXPECT_EQ(opened.kind, StoreOutcome::Kind::notReadable);
      EXPECT_EQ(opened.message.rfind("Cannot read \"" + dataPath_ + "\": Permission denied\n", 0), 0u);
      EXPECT_EQ(shed.ReadError(), "Cannot read \"" + dataPath_ + "\": Permission denied");
    }
    // The check made before a long search refuses alike, on one line.
    EXPECT_EQ(shed.CheckWritable().message, c.refusal + dataPath_ + "\": Permission denied");
    const StoreOutcome saved = shed.SaveEngine(MakeRecord("D"));
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.message.rfind(c.refusal + dataPath_ + "\": Permission denied", 0), 0u);
    EXPECT_FALSE(shed.DeleteEngine(MakeRecord("A")).ok());
    EXPECT_EQ(ReadBytes(dataPath_), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);
  }
}

TEST_F(StoreIntegrityTest, TwoCopiesSavingAtOnceLoseNothing) {
  WriteRecords(dataPath_, {MakeRecord("Old", 7)});
  const pid_t a = SaveFiftyInAChild(dataPath_, "From A");
  const pid_t b = SaveFiftyInAChild(dataPath_, "From B");
  for (const pid_t child : {a, b}) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  Names names = FileOrder(dataPath_);
  std::sort(names.begin(), names.end());
  Names expected = {"Old:7"};
  for (const char* prefix : {"From A ", "From B "})
    for (int i = 1; i <= 50; ++i) expected.push_back(prefix + std::to_string(i) + ":" + std::to_string(i));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
}

TEST_F(StoreIntegrityTest, ASaveKeepsTheSymlinkThePermissionsTheOwnerAndOtherFiles) {
  fs::create_directory(folder_ / "real");
  const fs::path target = folder_ / "real" / "engines.dat";
  WriteRecords(target, {MakeRecord("A"), MakeRecord("B")});
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(target.c_str(), 65534, 65534), 0);
  }
  fs::create_symlink("real/engines.dat", dataPath_);
  // Names an older rewrite would have used: they are not the store's to take.
  std::ofstream(dataPath_ + ".tmp") << "keep";
  std::ofstream(target.string() + ".tmp") << "keep";

  TShed shed(dataPath_, nullptr);
  EXPECT_EQ(shed.ListEngines(), 2);
  EXPECT_TRUE(shed.SaveEngine(MakeRecord("C")).ok());
  EXPECT_TRUE(fs::is_symlink(dataPath_));
  EXPECT_EQ(FileOrder(target), (Names{"C:1", "B:1", "A:1"}));
  struct stat info;
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 65534u);
  }
  EXPECT_EQ(ReadBytes(dataPath_ + ".tmp"), "keep");
  EXPECT_EQ(ReadBytes(target.string() + ".tmp"), "keep");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "real"), {}), 2);
}
