// results.txt for the goods engine: 183 lines ending in CR LF, the header and
// column layout, dead-centre piston figures worked by hand, and replacement of
// the file on every write.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ResultsFile.h"
#include "ResultsTable.h"
#include "SampleEngines.h"
#include "Session.h"
#include "StoreTestSupport.h"

namespace {

std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last line end";
  return lines;
}

const std::string kGoods = "Goods 0-6-0 slide valve";

// The first run of the goods engine at angle.
std::shared_ptr<const GearRun> GoodsAt(double angle) {
  Session s;
  EXPECT_FALSE(s.Take(SampleGear(kGoods)));
  const RunOutcome outcome = s.Go(angle);
  EXPECT_TRUE(outcome.ok());
  return outcome.run;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

TEST(ResultsTable, LayoutAndHandWorkedFigures) {
  const std::string text = ResultsTableText(kGoods, *GoodsAt(10));
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  const std::vector<std::string> lines = CrLfLines(text);
  ASSERT_EQ(lines.size(), 183u);
  EXPECT_EQ(lines[0], "  Goods 0-6-0 slide valve: Lifting arm at  10.0 deg.");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "      Crank(deg.)  Piston,       Valve");
  for (int k = 0; k < kSteps; ++k) {
    const std::string& line = lines[3 + k];
    ASSERT_EQ(line.size(), 37u) << line;
    EXPECT_EQ(std::stoi(line.substr(0, 12)), 2 * k);
    EXPECT_EQ(line.substr(12, 2) + line.substr(24, 3), ", ,  ");
  }
  // Outside admission: back dead centre first; at 90 degrees the piston is
  // sqrt(78^2 - 13^2) - 78 = -1.091 from mid-stroke.
  EXPECT_EQ(lines[3].substr(0, 24), "           0,    -13.000");
  EXPECT_EQ(lines[3 + 45].substr(0, 24), "          90,     -1.091");
  EXPECT_EQ(lines[3 + 90].substr(0, 24), "         180,     13.000");
  // The first run centres the valve midway between its dead-centre positions.
  EXPECT_EQ(std::stod(lines[3].substr(27)), -std::stod(lines[3 + 90].substr(27)));
}

TEST(ResultsTable, NegativeAnglesAndLongNames) {
  const std::string name(29, 'N');
  const std::vector<std::string> lines = CrLfLines(ResultsTableText(name, *GoodsAt(-10)));
  ASSERT_EQ(lines.size(), 183u);
  EXPECT_EQ(lines[0], "  " + name + ": Lifting arm at -10.0 deg.");
  EXPECT_EQ(lines[3].substr(0, 13), "           0,");
  EXPECT_EQ(lines[182].substr(0, 13), "         358,");

  // A wild engine's huge figures are written whole, not cut or overrun.
  auto wild = std::make_unique<GearRun>(*GoodsAt(10));
  wild->valveTable[7] = -1e300;
  const std::vector<std::string> wide = CrLfLines(ResultsTableText(kGoods, *wild));
  ASSERT_EQ(wide.size(), 183u);
  EXPECT_GT(wide[10].size(), 300u);
  EXPECT_EQ(wide[10].substr(wide[10].size() - 4), ".000");
}

TEST(ResultsTable, EachWriteReplacesTheFileWholeOrNotAtAll) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("zov_results_table_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto path = dir / "results.txt";
  const auto first = GoodsAt(30), second = GoodsAt(5);
  ASSERT_TRUE(WriteResultsTable(kGoods, *first, path.string()).ok());
  ASSERT_TRUE(WriteResultsTable(kGoods, *second, path.string()).ok());
  EXPECT_EQ(ReadFile(path), ResultsTableText(kGoods, *second));
  EXPECT_EQ(WriteResultsTable(kGoods, *second, (dir / "missing" / "results.txt").string()).outcome,
            TableWrite::Outcome::notOpened);
  {
    const FileSizeLimit fullDisk(1000);  // the table is some 7,000 bytes
    const TableWrite cut = WriteResultsTable(kGoods, *first, path.string());
    EXPECT_EQ(cut.outcome, TableWrite::Outcome::notWritten);
    EXPECT_EQ(cut.reason, std::strerror(EFBIG));
  }
  EXPECT_EQ(ReadFile(path), ResultsTableText(kGoods, *second));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
  std::filesystem::remove_all(dir);
}
