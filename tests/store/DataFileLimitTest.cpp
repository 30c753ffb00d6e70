// What the store refuses to read as a data file: a device, which would be
// read without end, a named pipe, whose open would wait for a writer, and a
// file larger than any data file. The list stays empty and the reason names
// the file; a file at the limit is still read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "DataFile.h"
#include "EngineCopy.h"
#include "StoreTestSupport.h"
#include "TShed.h"

class DataFileLimitTest : public TempFolder {};

TEST_F(DataFileLimitTest, ADeviceOrAnOversizedFileIsRefusedAndOneAtTheLimitIsRead) {
  FileSystem fs;
  std::string bytes = "old";
  const FileResult device = DataFile(fs, "/dev/zero").ReadAll(bytes);
  EXPECT_EQ(device.error, "Cannot read \"/dev/zero\": not a regular file");
  EXPECT_TRUE(bytes.empty());

  WriteRecords(dataPath_, {MakeRecord("A")});
  std::filesystem::resize_file(dataPath_, kMostDataFileBytes);  // sparse: no disk taken
  EXPECT_TRUE(DataFile(fs, dataPath_).ReadAll(bytes).ok());
  EXPECT_EQ(bytes.size(), static_cast<std::size_t>(kMostDataFileBytes));
  bytes.clear();

  std::filesystem::resize_file(dataPath_, kMostDataFileBytes + 1);
  TShed shed(dataPath_, nullptr);
  EXPECT_EQ(shed.ListEngines(), 0);
  EXPECT_EQ(shed.ReadError(),
            "Cannot read \"" + dataPath_ + "\": larger than 64 MiB, too large for an engine data file");
}

TEST_F(DataFileLimitTest, ASaveThatWouldPassTheLimitIsRefusedBeforeWritingWithTheReason) {
  // As many whole records as the limit holds: one more would lock every tool out.
  const auto full = kMostDataFileBytes / static_cast<off_t>(kEngineRecordSize) * kEngineRecordSize;
  WriteRecords(dataPath_, {MakeRecord("A")});
  std::filesystem::resize_file(dataPath_, static_cast<std::uintmax_t>(full));
  TShed shed(dataPath_, nullptr);
  const std::string refusal = "Cannot write \"" + dataPath_ + "\": it would grow past 64 MiB";
  EXPECT_EQ(shed.CheckWritable().message.rfind(refusal, 0), 0u);
  const StoreOutcome saved = shed.SaveNewEngine(MakeRecord("B"));
  EXPECT_EQ(saved.kind, StoreOutcome::Kind::notWritten);
  EXPECT_EQ(saved.message.rfind(refusal, 0), 0u);
  EXPECT_EQ(std::filesystem::file_size(dataPath_), static_cast<std::uintmax_t>(full));
}

// Nobody ever opens the pipe's other end: a call that opened it blocking would
// wait for good, and CTest's short timeout for this test would stop it.
class PipeInsteadOfDataFile : public TempFolder {};

TEST_F(PipeInsteadOfDataFile, EveryStoreCallAndACopyIntoItAnswerAtOnceWithTheReason) {
  ASSERT_EQ(::mkfifo(dataPath_.c_str(), 0600), 0);
  const std::string why = "Cannot read \"" + dataPath_ + "\": not a regular file but a named pipe";
  TShed shed(dataPath_, nullptr);
  const StoreOutcome opened = shed.Open();
  EXPECT_EQ(opened.kind, StoreOutcome::Kind::notReadable);
  EXPECT_EQ(opened.message.rfind(why, 0), 0u) << opened.message;
  EXPECT_EQ(shed.ListEngines(), 0);
  EXPECT_EQ(shed.ReadError(), why);
  EXPECT_EQ(shed.CheckWritable().message, why);
  for (const StoreOutcome& written : {shed.SaveEngine(MakeRecord("A")), shed.SaveNewEngine(MakeRecord("A")),
                                      shed.DeleteEngine(MakeRecord("A"))}) {
    EXPECT_EQ(written.kind, StoreOutcome::Kind::notWritten);
    EXPECT_EQ(written.message.rfind(why, 0), 0u) << written.message;
  }
  const EngineCopy copy = CopyEngineInto(dataPath_, MakeRecord("A"), LengthUnit::none);
  EXPECT_EQ(copy.outcome.message.rfind(why, 0), 0u) << copy.outcome.message;
  EXPECT_NE(copy.outcome.message.find("Nothing was copied."), std::string::npos);
  struct stat info;
  ASSERT_EQ(::stat(dataPath_.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));  // left as it was
}
