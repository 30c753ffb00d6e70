// The readings file: a round trip keeps every reading, a bad row is named by
// its line and column and nothing of the file is taken, and a file that is
// not a small regular file is refused without blocking.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ReadingsCsv.h"
#include "ReadingsFile.h"

namespace {

namespace fs = std::filesystem;

TEST(ReadingsFileTest, RoundTripAndBadRows) {
  const fs::path dir = fs::temp_directory_path() / ("zov_readings_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "r.csv").string(), data = (dir / "ste_data.dat").string();
  const std::vector<Reading> readings{
      {35, ReadingEnd::front, ReadingEvent::lead, ReadingUnit::length, 0.1, 1.0 / 64},
      {-16, ReadingEnd::back, ReadingEvent::cutOff, ReadingUnit::percent, {}, 0.5},
      {17.5, ReadingEnd::back, ReadingEvent::release, ReadingUnit::length, 11.3, 0.1}};
  ASSERT_TRUE(WriteReadingsFile(path, data, readings, LengthUnit::mm).ok());
  const ReadingsRead back = ReadReadingsFile(path, LengthUnit::mm);
  ASSERT_TRUE(back.ok()) << back.problem;
  ASSERT_EQ(back.readings.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(SameRow(back.readings[i], readings[i]));
    EXPECT_EQ(back.readings[i].value, readings[i].value);
    EXPECT_EQ(back.readings[i].plusMinus, readings[i].plusMinus);
  }
  // Defaults, quotes and blank lines as a spreadsheet leaves them.
  const auto parsed = ParseReadingsCsv(
      "angleDeg,end,event,value,unit,plusMinus\r\n\r\n\"20\",back,cutOff,55,,\r\n", LengthUnit::in);
  ASSERT_TRUE(std::holds_alternative<std::vector<Reading>>(parsed));
  EXPECT_EQ(std::get<std::vector<Reading>>(parsed)[0].unit, ReadingUnit::percent);
  EXPECT_EQ(std::get<std::vector<Reading>>(parsed)[0].plusMinus, 0.5);
  const std::string header = std::string(kReadingsHeader) + "\n";
  for (const auto& [text, line, column] :
       {std::tuple{header + "35,front,lead,0.1,in,\n35,middle,lead,1,in,\n", 3, 2},
        std::tuple{header + "35,front,lead,x,in,\n", 2, 4},
        std::tuple{header + "35,front,lead,0.1,%,\n", 2, 5},
        std::tuple{header + "35,front,lead,0.1,mm,\n", 2, 5},
        std::tuple{header + "35,front,lead,0.1,in,-1\n", 2, 6}, std::tuple{header + "35,front,lead\n", 2, 0},
        std::tuple{std::string("angle,end\n"), 1, 0}}) {
    const auto bad = ParseReadingsCsv(text, LengthUnit::in);
    ASSERT_TRUE(std::holds_alternative<ReadingsTextProblem>(bad)) << text;
    EXPECT_EQ(std::get<ReadingsTextProblem>(bad).line, line) << text;
    EXPECT_EQ(std::get<ReadingsTextProblem>(bad).column, column) << text;
  }
  std::ofstream(path) << header << "35,front,lead,0.1,in,\n35,front,lead,oops,in,\n";
  const ReadingsRead partly = ReadReadingsFile(path, LengthUnit::in);
  EXPECT_FALSE(partly.ok());
  EXPECT_TRUE(partly.readings.empty());
  EXPECT_NE(partly.problem.find("line 3, column 4 (value)"), std::string::npos) << partly.problem;
  // Never over the data file; never a pipe, never a huge file.
  std::ofstream(data) << "engines";
  EXPECT_FALSE(WriteReadingsFile(data, data, readings, LengthUnit::in).ok());
  const std::string fifo = (dir / "pipe.csv").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_NE(ReadReadingsFile(fifo, LengthUnit::in).problem.find("not a regular file"), std::string::npos);
  fs::resize_file(path, kMostReadingsFileBytes + 1);
  EXPECT_NE(ReadReadingsFile(path, LengthUnit::in).problem.find("1 MiB"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace
