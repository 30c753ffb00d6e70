// The unit file beside a data file is read only when it is a small regular
// file holding exactly a unit: a device, a pipe, a long file or other words
// give no unit, with one sentence why, and never hold the reader up.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "LengthUnitSetting.h"
#include "StoreTestSupport.h"

class LengthUnitSettingTest : public TempFolder {
 protected:
  LengthUnitReading ReadWith(const std::string& text) {
    std::filesystem::remove(LengthUnitPath(dataPath_));
    std::ofstream(LengthUnitPath(dataPath_), std::ios::binary) << text;
    return ReadLengthUnitSetting(dataPath_);
  }
};

TEST_F(LengthUnitSettingTest, OnlyExactlyAUnitIsTakenAndAnythingElseIsSaidOnce) {
  EXPECT_EQ(ReadLengthUnitSetting(dataPath_).unit, LengthUnit::none);
  EXPECT_TRUE(ReadLengthUnitSetting(dataPath_).problem.empty());  // no file: nothing to say
  EXPECT_EQ(ReadWith("mm\n").unit, LengthUnit::mm);
  EXPECT_EQ(ReadWith("in\r\n").unit, LengthUnit::in);
  EXPECT_EQ(ReadWith("in").unit, LengthUnit::in);
  EXPECT_TRUE(ReadWith("none\r\n").problem.empty());
  for (const std::string junk : {"mm junk junk", "mm junk", "MM", " mm", "mm\n\n", ""}) {
    const LengthUnitReading reading = ReadWith(junk);
    EXPECT_EQ(reading.unit, LengthUnit::none) << junk;
    EXPECT_NE(reading.problem.find(LengthUnitPath(dataPath_)), std::string::npos) << junk;
  }
  const std::string big(1 << 20, 'm');
  EXPECT_NE(ReadWith(big).problem.find("longer than a unit"), std::string::npos);
}

TEST_F(LengthUnitSettingTest, ADeviceOrAPipeIsNotReadAndDoesNotWait) {
  const std::string path = LengthUnitPath(dataPath_);
  std::filesystem::create_symlink("/dev/zero", path);
  EXPECT_NE(ReadLengthUnitSetting(dataPath_).problem.find("not a regular file"), std::string::npos);
  std::filesystem::remove(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);  // no writer: a blocking open would wait for good
  const LengthUnitReading reading = ReadLengthUnitSetting(dataPath_);
  EXPECT_EQ(reading.unit, LengthUnit::none);
  EXPECT_NE(reading.problem.find("not a regular file"), std::string::npos);
}
