// zovuderiz-design end to end on a copy of the sample data file, with few
// evaluations: --save-as adds one record and refuses a stored name, the usage,
// bounds and engine errors have their exit statuses and one line each, and a
// start that cannot be searched says where it fails; what is no data file and
// notches past the limit are refused at once, and every error is one line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

#include "DesignCommand.h"
#include "DesignOptions.h"
#include "JsonCheck.h"
#include "QuadrantStudy.h"
#include "ReportWords.h"
#include "SampleEngines.h"
#include "StoreTestSupport.h"
#include "SweepCommand.h"

namespace {

namespace fs = std::filesystem;

class DesignCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zov_design_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    WriteRecords(Data(),
                 {SampleRecord("Goods 0-6-0 slide valve"), SampleRecord("Express 4-4-0 rocker B"),
                  SampleRecord("Conrod shorter than crank"), SampleRecord("Tank 0-6-2T piston valves")});
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Data() const { return dir_ / "ste_data.dat"; }
  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--data", Data().string(), "--max-evals", "24", "--notches", "-20,20"});
    std::ostringstream out, err;
    const int status = RunDesignCommand(args, out, err);
    out_ = out.str();
    err_ = err.str();
    return status;
  }

  fs::path dir_;
  std::string out_, err_;
};

// The first number after "key": in a report's JSON.
double JsonMember(const std::string& json, const std::string& key) {
  std::smatch found;
  if (!std::regex_search(json, found, std::regex("\"" + key + "\": (-?[0-9.eE+-]+)"))) return std::nan("");
  return std::stod(found[1]);
}

}  // namespace

TEST_F(DesignCommandTest, SaveAsAddsTheProposalAndRefusesAStoredName) {
  const std::string before = ReadBytes(Data());
  EXPECT_EQ(Run({"--set", "25", "--save-as", "Express 4-4-0 rocker B", "Goods 0-6-0 slide valve"}), 3);
  EXPECT_NE(err_.find("exists already"), std::string::npos);
  EXPECT_EQ(ReadBytes(Data()), before);

  EXPECT_EQ(Run({"--set", "25", "--json", "--save-as", "Goods equalised", "Goods 0-6-0 slide valve"}), 0);
  EXPECT_NE(out_.find("\"proposal\": {\"name\": \"Goods equalised\""), std::string::npos);
  EXPECT_EQ(JsonCheck::Problem(out_), "");
  const std::string after = ReadBytes(Data());
  ASSERT_EQ(after.size(), before.size() + kEngineRecordSize);
  // The store writes its own order: every old record is still there byte for byte.
  std::multiset<std::string> records, old;
  for (std::size_t at = 0; at < after.size(); at += kEngineRecordSize)
    records.insert(after.substr(at, kEngineRecordSize));
  for (std::size_t at = 0; at < before.size(); at += kEngineRecordSize) {
    old.insert(before.substr(at, kEngineRecordSize));
    EXPECT_EQ(records.count(before.substr(at, kEngineRecordSize)), 1u);
  }
  for (const std::string& bytes : records) {
    if (old.count(bytes)) continue;
    EngineRecord saved;
    std::memcpy(&saved, bytes.data(), sizeof saved);
    EXPECT_EQ(RecordName(saved), "Goods equalised");
    EXPECT_EQ(saved.conrod, 78);
  }
}

TEST_F(DesignCommandTest, UsageAndEngineErrors) {
  EXPECT_EQ(Run({"Goods 0-6-0 slide valve"}), 2);  // no --set
  EXPECT_EQ(Run({"--set", "25", "--free", "larad:12:11", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_EQ(Run({"--set", "25", "--free", "wheel", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_EQ(Run({"--set", "25", "--side", "left", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_EQ(Run({"--set", "25", "--cutoff-shift", "0", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_EQ(Run({"--set", "25", "Mogul"}), 3);
  EXPECT_EQ(Run({"--set", "25", "--unit", "feet", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1);
  // A grid finer than its decimals can hold would silently find nothing.
  EXPECT_EQ(Run({"--set", "25", "--precision", "1e-307", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_NE(err_.find("--precision needs a step of at least 1e-9"), std::string::npos) << err_;
  // A lap that must stay above zero may not be bounded across it.
  EXPECT_EQ(Run({"--set", "25", "--free", "stlap:-0.5:1.5", "Goods 0-6-0 slide valve"}), 2);
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1);
  EXPECT_NE(err_.find("Steam lap"), std::string::npos) << err_;
  EXPECT_EQ(Run({"--set", "25", "--free", "larad:10.9:11.1", "Goods 0-6-0 slide valve"}), 0);
  EXPECT_NE(out_.find("Worst cut-off inequality"), std::string::npos);
}

TEST_F(DesignCommandTest, TheTradeOffListsItsDesignsAndReportsThePickedOneInFull) {
  EXPECT_EQ(Run({"--set", "25", "--pick", "2", "Goods 0-6-0 slide valve"}), 2);  // --pick without both
  EXPECT_EQ(Run({"--set", "25", "--objective", "all", "Goods 0-6-0 slide valve"}), 2);
  ASSERT_EQ(Run({"--set", "25", "--objective", "both", "--json", "Goods 0-6-0 slide valve"}), 0);
  EXPECT_EQ(JsonCheck::Problem(out_), "");
  const auto at = out_.find("\"front\": [");
  ASSERT_NE(at, std::string::npos) << out_;
  const std::string front = out_.substr(at, out_.find("\n  ],", at) - at);
  const auto count = [&](const std::string& key) {
    std::size_t n = 0;
    for (auto p = front.find(key); p != std::string::npos; p = front.find(key, p + 1)) ++n;
    return n;
  };
  const std::size_t designs = count("{\"worstCutOffInequality\": ");
  EXPECT_GE(designs, 1u);
  EXPECT_LE(designs, 7u);
  EXPECT_EQ(count(", \"worstWorkImbalancePct\": "), designs);
  EXPECT_EQ(count(", \"proposal\": {\"name\": \"Goods 0-6-0 slide valve\", "), designs);
  // A pick past the end of the list reports the last design, and says so.
  ASSERT_EQ(Run({"--set", "25", "--objective", "both", "--pick", "7", "Goods 0-6-0 slide valve"}), 0);
  EXPECT_NE(out_.find("Trade-off between cut-off equality and work balance"), std::string::npos);
  EXPECT_NE(out_.find("in full:"), std::string::npos);
  EXPECT_NE(err_.find("--pick 7: the front has"), std::string::npos) << err_;
}

TEST_F(DesignCommandTest, NoDataFileNoEndlessNotchesAndOneLinePerError) {
  const auto run = [this](std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunDesignCommand(args, out, err);
    err_ = err.str();
    return status;
  };
  EXPECT_EQ(run({"--data", dir_.string(), "--set", "25", "Goods 0-6-0 slide valve"}), 3);
  EXPECT_EQ(err_, "zovuderiz-design: Cannot read \"" + dir_.string() + "\": Is a directory\n");
  EXPECT_EQ(run({"--data", "/dev/zero", "--set", "25", "Goods 0-6-0 slide valve"}), 3);
  EXPECT_EQ(err_, "zovuderiz-design: Cannot read \"/dev/zero\": not a regular file\n");
  // Steps lost in rounding, ranges and lists past the limit: refused before any run.
  std::string longList = "0";
  for (int i = 1; i <= kMostNotches; ++i) longList += "," + std::to_string(i % 90);
  for (const std::string& notches :
       {std::string("1e300:1e300:1"), std::string("1e20:1e20:1"), std::string("0:10001:0.5"), longList}) {
    EXPECT_EQ(
        run({"--data", Data().string(), "--notches", notches, "--set", "25", "Goods 0-6-0 slide valve"}), 2)
        << notches.substr(0, 40);
    EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1);
  }
  EXPECT_NE(err_.find("more than 10001 notches"), std::string::npos);
  // The range's last notch is HI itself, not LO plus the steps' rounding.
  const auto parsed = ParseDesignArgs({"--notches", "0.1:0.3:0.1", "--set", "25", "Goods"});
  ASSERT_TRUE(std::holds_alternative<DesignOptions>(parsed));
  EXPECT_EQ(std::get<DesignOptions>(parsed).notchesDeg, (std::vector<double>{0.1, 0.2, 0.3}));
  // A control character in a name is written as an escape, not a line break.
  EXPECT_EQ(Run({"--set", "25", "Goods\nvalve"}), 3);
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
  EXPECT_NE(err_.find("'Goods\\nvalve'"), std::string::npos) << err_;
  EXPECT_EQ(run({"--data", "no\nfile", "--set", "25", "--side", "le\nft", "Goods"}), 2);
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << err_;
  EXPECT_EQ(run({"--data", "no\nfile", "--set", "25", "Goods"}), 3);
  EXPECT_EQ(err_, "zovuderiz-design: Cannot read \"no\\nfile\": No such file or directory\n");
}

TEST_F(DesignCommandTest, AStartThatCannotBeSearchedSaysWhereInOneLine) {
  EXPECT_EQ(Run({"--set", "25", "Conrod shorter than crank"}), 4);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1);
  EXPECT_NE(err_.find("connecting rod"), std::string::npos) << err_;
  EXPECT_NE(err_.find("crank angle"), std::string::npos) << err_;
  EXPECT_EQ(Run({"--set", "25", "--json", "Conrod shorter than crank"}), 4);
  EXPECT_NE(out_.find("\"engine\": \"Conrod shorter than crank\""), std::string::npos) << out_;
  EXPECT_NE(out_.find("\"error\": \"At the setting angle 25 deg."), std::string::npos) << out_;
  EXPECT_EQ(JsonCheck::Problem(out_), "");
}

TEST_F(DesignCommandTest, ItsJsonReadsBackAndItsKeysMeanWhatTheSweepsDo) {
  ASSERT_EQ(
      Run({"--set", "25", "--unit", "in", "--valve-setting", "cutoff", "--json", "Goods 0-6-0 slide valve"}),
      0);
  EXPECT_EQ(JsonCheck::Problem(out_), "");
  EXPECT_NE(out_.find("\"lengthUnit\": \"in\""), std::string::npos);
  const auto sweep = [this](std::vector<std::string> args) {
    args.insert(args.begin(),
                {"--data", Data().string(), "--results", (dir_ / "results.txt").string(), "--json"});
    std::ostringstream out, err;
    EXPECT_EQ(RunSweepCommand(args, out, err), 0) << err.str();
    return out.str();
  };
  // Goods' front end does more work; the tank engine's arm points up in mid-gear.
  ASSERT_EQ(Run({"--set", "25", "--json", "Goods 0-6-0 slide valve"}), 0);
  const std::string goods = out_.substr(out_.find("\"before\": "));
  EXPECT_LT(JsonMember(goods, "worstWorkImbalancePct"), -5);
  EXPECT_EQ(JsonMember(goods, "worstWorkImbalancePct"),
            JsonMember(sweep({"--range", "auto:0.5", "--set", "25", "Goods 0-6-0 slide valve"}),
                       "worstWorkImbalancePct"));
  ASSERT_EQ(Run({"--set", "25", "--json", "Tank 0-6-2T piston valves"}), 0);
  const std::string tank = out_.substr(out_.find("\"before\": "));
  EXPECT_LT(JsonMember(tank, "midGearDeg"), -4);
  EXPECT_EQ(JsonMember(tank, "midGearDeg"),
            JsonMember(sweep({"Tank 0-6-2T piston valves", "10"}), "midGearDeg"));
}

TEST_F(DesignCommandTest, AUnitLabelsTheLengthsAlone) {
  // The same drawing grid with and without the unit, so that the same design is proposed.
  const std::vector<std::string> args = {"--set",
                                         "25",
                                         "--precision",
                                         "0.001",
                                         "--tolerance",
                                         "0.002",
                                         "--work-limit",
                                         "none",
                                         "--max-evals",
                                         "300",
                                         "--free",
                                         "angadv",
                                         "--free",
                                         "larad:10.9:11.1",
                                         "--free",
                                         "eccrod",
                                         "--free",
                                         "ctoweighv",
                                         "Goods 0-6-0 slide valve"};
  ASSERT_EQ(Run(args), 0);
  const std::string plain = out_;
  auto labelled = args;
  labelled.insert(labelled.begin(), {"--unit", "in"});
  ASSERT_EQ(Run(labelled), 0);
  EXPECT_NE(out_.find("Lead back/front (in)"), std::string::npos) << out_;
  EXPECT_EQ(out_.find("Cut-off back/front (in)"), std::string::npos);
  EXPECT_NE(out_.find(" .. 11.1 in)"), std::string::npos);
  const std::size_t angadv = out_.find("(angadv)");
  ASSERT_NE(angadv, std::string::npos);
  EXPECT_EQ(out_.substr(angadv, out_.find('\n', angadv + 1) - angadv).find(" in"), std::string::npos);
  // From the figures on (the time taken differs), only labels were added.
  const std::string from = "Worst cut-off";
  EXPECT_EQ(WordsWithoutUnit(out_.substr(out_.find(from)), "in"),
            WordsWithoutUnit(plain.substr(plain.find(from)), "in"));
}
