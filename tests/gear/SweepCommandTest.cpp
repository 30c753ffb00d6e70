// zovuderiz-sweep end to end on a data file of the sample engines: exit
// statuses, one line on standard error per failure (control characters
// escaped), the report, the results file of the last good run, a name typed
// in UTF-8 found in Windows-1252, the unit that labels lengths, the study's
// valve setting and indicator options, and data files that are refused.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "JsonCheck.h"
#include "ReportWords.h"
#include "RunFigures.h"
#include "SampleEngines.h"
#include "SweepCommand.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status;
  std::string out, err;
};

class SweepCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test and process: CTest runs the tests side by side.
    dir_ = fs::temp_directory_path() / ("zov_sweep_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    std::ofstream data(Data(), std::ios::binary | std::ios::trunc);
    std::vector<EngineRecord> engines;
    for (const SampleEngine& e : SampleEngines()) engines.push_back(e.record);
    engines.push_back(
        MakeEngine("D\xFC"
                   "bs 4-4-0",
                   SampleRecord("Goods 0-6-0 slide valve")));
    for (const EngineRecord& e : engines) data.write(reinterpret_cast<const char*>(&e), sizeof e);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Data() const { return (dir_ / "ste_data.dat").string(); }
  std::string Results() const { return (dir_ / "results.txt").string(); }

  Outcome Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--data", Data(), "--results", Results()});
    std::ostringstream out, err;
    const int status = RunSweepCommand(args, out, err);
    return {status, out.str(), err.str()};
  }

  fs::path dir_;
};

long Lines(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n');
}

// A range report's runs without their indicator figures, as listed angles give them.
std::string WithoutIndicators(const std::string& json) {
  return std::regex_replace(json, std::regex(",\n     \"indicator\": \\{[^}]*\\}"), "");
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace

TEST_F(SweepCommandTest, RunsEveryAngleWithTheFirstFixingTheCentring) {
  const Outcome o = Run({"Goods 0-6-0 slide valve", "20", "-20"});
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(o.err, "");
  EXPECT_NE(o.out.find("In mid-gear the lifting arm points down 5.216 deg.\n"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("Lifting arm at 20 deg. (equal leads set here)\n"), std::string::npos);
  EXPECT_NE(o.out.find("Lifting arm at -20 deg.\n"), std::string::npos);
  const std::string table = ReadFile(Results());
  EXPECT_EQ(table.rfind("  Goods 0-6-0 slide valve: Lifting arm at -20.0 deg.\r\n\r\n", 0), 0u);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 183);
  EXPECT_EQ(std::count(table.begin(), table.end(), '\r'), 183);

  const Outcome json = Run({"--json", "Goods 0-6-0 slide valve", "20"});
  EXPECT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("\"liftArmDeg\": 20, \"equalLeadsSet\": true"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"midGearDirection\": \"down\""), std::string::npos);

  const Outcome named =
      Run({"D\xC3\xBC"
           "bs 4-4-0",
           "10"});
  EXPECT_EQ(named.status, 0) << named.err;
  EXPECT_EQ(named.out.rfind("Engine: D\xC3\xBC"
                            "bs 4-4-0\n",
                            0),
            0u);
}

TEST_F(SweepCommandTest, EachFailureGivesItsStatusAndOneLine) {
  const std::vector<std::pair<std::vector<std::string>, int>> cases = {
      {{}, 2},
      {{"Goods 0-6-0 slide valve"}, 2},
      {{"--colour", "Goods 0-6-0 slide valve", "10"}, 2},
      {{"Goods 0-6-0 slide valve", "ten"}, 2},
      {{"Goods", "10"}, 3},
      {{"Lifting link too short", "10"}, 4},
      {{"Conrod shorter than crank", "10"}, 4},
  };
  for (const auto& [args, status] : cases) {
    const Outcome o = Run(args);
    EXPECT_EQ(o.status, status) << o.err;
    EXPECT_EQ(Lines(o.err), 1) << o.err;
  }
  EXPECT_NE(Run({"Conrod shorter than crank", "10"}).err.find("crank angle 52 deg.: the connecting rod"),
            std::string::npos);

  // A missing data file is reported, not created.
  std::ostringstream out, err;
  const std::string missing = (dir_ / "none.dat").string();
  EXPECT_EQ(RunSweepCommand({"--data", missing, "Goods 0-6-0 slide valve", "10"}, out, err), 3);
  EXPECT_EQ(Lines(err.str()), 1);
  EXPECT_FALSE(fs::exists(missing));

  // An angle that does not assemble is skipped; the table is the last good run's.
  const Outcome partly = Run({"Goods 0-6-0 slide valve", "20", "-90", "30"});
  EXPECT_EQ(partly.status, 4);
  EXPECT_EQ(Lines(partly.err), 1);
  EXPECT_NE(partly.err.find("at -90 deg."), std::string::npos) << partly.err;
  EXPECT_EQ(ReadFile(Results()).rfind("  Goods 0-6-0 slide valve: Lifting arm at  30.0 deg.", 0), 0u);

  const Outcome unwritable =
      Run({"--results", (dir_ / "no" / "r.txt").string(), "Goods 0-6-0 slide valve", "10"});
  EXPECT_EQ(unwritable.status, 3);
  EXPECT_EQ(Lines(unwritable.err), 1);
}

TEST_F(SweepCommandTest, RangeAgreesWithTheSameAnglesListedAndAddsTheSummary) {
  const Outcome range = Run({"--range", "-10:10:10", "--set", "20", "--json", "Goods 0-6-0 slide valve"});
  const Outcome listed = Run({"--json", "Goods 0-6-0 slide valve", "20", "-10", "0", "10"});
  ASSERT_EQ(range.status, 0) << range.err;
  const std::string runsEnd = "\n  ]";
  ASSERT_NE(range.out.find(runsEnd), std::string::npos);
  const std::string runs = WithoutIndicators(range.out);
  EXPECT_NE(runs, range.out);
  EXPECT_EQ(runs.substr(0, runs.find(runsEnd)), listed.out.substr(0, listed.out.find(runsEnd)));
  EXPECT_NE(range.out.find("\"summary\": {\"worstCutOffInequality\": "), std::string::npos) << range.out;
  EXPECT_NE(range.out.find("\"workingNotchesDeg\": [-10, 10]"), std::string::npos) << range.out;

  const Outcome automatic = Run({"--range", "auto:10", "--set", "20", "--json", "Goods 0-6-0 slide valve"});
  EXPECT_EQ(automatic.status, 0) << automatic.err;
  EXPECT_NE(automatic.out.find("\"usableRangeDeg\": [-31.5, 35]"), std::string::npos) << automatic.out;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"--range", "auto", "Goods 0-6-0 slide valve"},
        {"--range", "5:1:1", "--set", "2", "Goods 0-6-0 slide valve"},
        {"--range", "auto", "--set", "2", "--csv", "--json", "Goods 0-6-0 slide valve"}})
    EXPECT_EQ(Run(bad).status, 2);
}

TEST_F(SweepCommandTest, TheDataFileIsNeverTheResultsFileAndAFolderIsNoDataFile) {
  const std::string engines = ReadFile(Data());
  fs::create_symlink(Data(), dir_ / "link.dat");
  for (const std::string& results : {Data(), (dir_ / "link.dat").string()}) {
    const Outcome o = Run({"--results", results, "Goods 0-6-0 slide valve", "10"});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(Lines(o.err), 1);
    EXPECT_NE(o.err.find("is the data file"), std::string::npos) << o.err;
  }
  EXPECT_EQ(ReadFile(Data()), engines);

  std::ostringstream out, err;
  EXPECT_EQ(RunSweepCommand({"--data", dir_.string(), "Goods 0-6-0 slide valve", "10"}, out, err), 3);
  EXPECT_EQ(err.str(), "zovuderiz-sweep: Cannot read \"" + dir_.string() + "\": Is a directory\n");

  // A gear that fails in mid-gear still gives the JSON object, with its error.
  const Outcome json = Run({"--json", "Lifting link too short", "10"});
  EXPECT_EQ(json.status, 4);
  EXPECT_EQ(json.out.rfind("{\n  \"engine\": \"Lifting link too short\",\n  \"error\": \"", 0), 0u)
      << json.out;
}

TEST_F(SweepCommandTest, AUnitLabelsTheLengthsAloneAndConvertsNothing) {
  const std::vector<std::vector<std::string>> reports = {
      {"Goods 0-6-0 slide valve", "20", "-20"},
      {"--json", "Goods 0-6-0 slide valve", "20"},
      {"--range", "-10:10:10", "--set", "20", "Goods 0-6-0 slide valve"},
      {"--range", "-10:10:10", "--set", "20", "--json", "Goods 0-6-0 slide valve"}};
  for (const auto& args : reports) {
    const Outcome plain = Run(args);
    auto labelled = args;
    labelled.insert(labelled.begin(), {"--unit", "mm"});
    const Outcome mm = Run(labelled);
    EXPECT_EQ(mm.status, plain.status);
    EXPECT_NE(mm.out, plain.out);
    EXPECT_EQ(WordsWithoutUnit(mm.out, "mm"), WordsWithoutUnit(plain.out, "mm")) << mm.out;
  }
  const Outcome text = Run({"--unit", "in", "Goods 0-6-0 slide valve", "20"});
  EXPECT_NE(text.out.find("  Lead (in)  "), std::string::npos) << text.out;
  EXPECT_NE(text.out.find(" in\n"), std::string::npos);  // the die deflection
  EXPECT_EQ(text.out.find("Cut-off (in)"), std::string::npos);

  // The CSV's titles: a length column carries the unit, no other does.
  const Outcome csv =
      Run({"--unit", "in", "--range", "0:0:1", "--set", "20", "--csv", "Goods 0-6-0 slide valve"});
  ASSERT_NE(csv.out.find("\r\nlengthUnit,in\r\n"), std::string::npos) << csv.out;
  const std::size_t headerAt = csv.out.find("\r\n\r\n") + 4;
  std::istringstream header(csv.out.substr(headerAt, csv.out.find('\r', headerAt) - headerAt));
  std::vector<std::string> titles;
  for (std::string title; std::getline(header, title, ',');) titles.push_back(title);
  ASSERT_EQ(titles.size(), RunFigures().size() + 5);
  for (std::size_t i = 0; i < RunFigures().size(); ++i)
    EXPECT_EQ(titles[i + 1], std::string(RunFigures()[i].key) +
                                 (RunFigures()[i].quantity == Quantity::length ? " (in)" : ""));
}

TEST_F(SweepCommandTest, TheDataFilesUnitIsTheDefaultAndABadUnitIsAUsageError) {
  std::ofstream(Data() + ".unit") << "in\n";
  EXPECT_NE(Run({"--json", "Goods 0-6-0 slide valve", "20"}).out.find("\n  \"lengthUnit\": \"in\",\n"),
            std::string::npos);
  EXPECT_EQ(Run({"--unit", "none", "--json", "Goods 0-6-0 slide valve", "20"}).out.find("lengthUnit"),
            std::string::npos);
  for (const char* bad : {"cm", "MM", ""}) {
    const Outcome o = Run({"--unit", bad, "Goods 0-6-0 slide valve", "20"});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(Lines(o.err), 1) << o.err;
    EXPECT_EQ(o.out, "");
  }
}

TEST_F(SweepCommandTest, TheStudysValveSettingAndIndicatorOptions) {
  const std::vector<std::string> study = {"--range", "-20:20:10", "--set", "25"};
  const auto with = [&](std::vector<std::string> options) {
    options.insert(options.begin(), study.begin(), study.end());
    options.push_back("Goods 0-6-0 slide valve");
    return Run(options);
  };
  // The defaults given explicitly change nothing, in any form.
  for (const char* form : {"--json", "--csv", "--unit=none"}) {
    const Outcome plain = with({form});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(with({form, "--valve-setting", "leads", "--indicator", "rod=0,exhaust=0.1,clearance=8"}).out,
              plain.out);
  }
  EXPECT_EQ(with({"--json"}).out.find("valveSetting"), std::string::npos);
  const Outcome cutOff = with({"--json", "--valve-setting=cutoff"});
  EXPECT_EQ(cutOff.status, 0) << cutOff.err;
  EXPECT_NE(cutOff.out.find("\n  \"valveSetting\": \"cutoff\",\n  \"summary\""), std::string::npos)
      << cutOff.out;
  EXPECT_NE(with({"--valve-setting", "cutoff"}).out.find("(equal cut-offs set here)"), std::string::npos);
  EXPECT_NE(with({"--csv", "--indicator", "rod=0.2"}).out, with({"--csv"}).out);

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--valve-setting", "both"},
                                              {"--indicator", "clearance=0"},
                                              {"--indicator", "clearance=1e308"},
                                              {"--indicator", "rod=0.9999999999999999"},
                                              {"--indicator", "exhaust=0.1234"},
                                              {"--indicator", "rod=0.1,rod=0.2"},
                                              {"--indicator", "pressure=1"},
                                              {"--indicator", "rod"},
                                              {"--indicator", ""}}) {
    const Outcome o = with(bad);
    EXPECT_EQ(o.status, 2) << bad[1];
    EXPECT_EQ(Lines(o.err), 1) << o.err;
  }
  EXPECT_EQ(Run({"--valve-setting", "cutoff", "Goods 0-6-0 slide valve", "20"}).status, 2);
  EXPECT_EQ(Run({"--indicator", "rod=0.1", "Goods 0-6-0 slide valve", "20"}).status, 2);
}

TEST_F(SweepCommandTest, EveryJsonReportReadsBackWhateverMembersItsOptionsAdd) {
  std::ofstream(Data() + ".unit") << "mm\n";
  const std::vector<std::vector<std::string>> reports = {
      {"Goods 0-6-0 slide valve", "20", "-90"},  // a failed angle carries its error
      {"--unit", "in", "Goods 0-6-0 slide valve", "20"},
      {"--range", "auto:5", "--set", "25", "--valve-setting", "cutoff", "--indicator", "rod=0.2",
       "Goods 0-6-0 slide valve"},
      {"--range", "-10:10:10", "--set", "20", "Low shaft, short lifting link"},
      {"Lifting link too short", "10"},
      {"--range", "-10:10:5", "--set", "95", "Low shaft, short lifting link"}};
  for (auto args : reports) {
    args.insert(args.begin(), "--json");
    const Outcome o = Run(args);
    EXPECT_EQ(JsonCheck::Problem(o.out), "") << args[args.size() - 1] << '\n' << o.out;
    EXPECT_NE(o.out.find("\"lengthUnit\": "), std::string::npos);
  }
  // Mid-gear is signed as in every tool: the tank engine's arm points up.
  EXPECT_NE(Run({"--json", "Tank 0-6-2T piston valves", "10"})
                .out.find("\"midGearDirection\": \"up\",\n  \"midGearDeg\": -4.01"),
            std::string::npos);
}

TEST_F(SweepCommandTest, AStudyThatCannotStartSaysWhereAndWithJsonStillPrintsTheObject) {
  const Outcome o = Run({"--range", "-10:10:5", "--set", "95", "--json", "Low shaft, short lifting link"});
  EXPECT_EQ(o.status, 4);
  EXPECT_EQ(Lines(o.err), 1);
  EXPECT_NE(o.err.find("crank angle 0 deg.: the lifting link cannot reach the link"), std::string::npos)
      << o.err;
  EXPECT_EQ(
      o.out.rfind(
          "{\n  \"engine\": \"Low shaft, short lifting link\",\n  \"error\": \"At the setting angle 95", 0),
      0u)
      << o.out;
}

TEST_F(SweepCommandTest, NotchesAsTypedAndAStepThatCannotAdvanceIsRefused) {
  const Outcome csv = Run({"--range", "-0.3:0.3:0.1", "--set", "20", "--csv", "Goods 0-6-0 slide valve"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out.rfind("engine,Goods 0-6-0 slide valve\r\nsettingDeg,20\r\nvalveSetting,leads\r\n", 0),
            0u);
  std::vector<std::string> angles;
  std::istringstream lines(csv.out.substr(csv.out.find("\r\nliftArmDeg,") + 2));
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line)) angles.push_back(line.substr(0, line.find(',')));
  EXPECT_EQ(angles, (std::vector<std::string>{"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3"}));

  const std::pair<const char*, const char*> refused[] = {{"1e300:1e300:1", "the step is too small"},
                                                         {"1e20:1e20:1", "the step is too small"},
                                                         {"0:1e6:1e-3", "more than 10001 notches"}};
  for (const auto& [range, why] : refused) {
    const Outcome o = Run({"--range", range, "--set", "20", "Goods 0-6-0 slide valve"});
    EXPECT_EQ(o.status, 2) << range;
    EXPECT_EQ(Lines(o.err), 1) << o.err;
    EXPECT_NE(o.err.find(std::string("bad --range '") + range + "': " + why), std::string::npos) << o.err;
  }
}

TEST_F(SweepCommandTest, ArgumentsWithControlCharactersStayOnOneLine) {
  const Outcome o = Run({"Goods\n0-6-0 \x1b[2J\xc2\x9b", "10"});
  EXPECT_EQ(o.status, 3);
  EXPECT_EQ(Lines(o.err), 1) << o.err;
  EXPECT_NE(o.err.find("'Goods\\n0-6-0 \\x1b[2J\\u009b' in"), std::string::npos) << o.err;
}

TEST_F(SweepCommandTest, ADeviceAPipeOrAnOversizedFileIsNoDataFile) {
  const std::string pipe = (dir_ / "pipe.dat").string(), huge = (dir_ / "huge.dat").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::ofstream(huge, std::ios::binary).close();
  fs::resize_file(huge, 64 * 1024 * 1024 + 184);  // sparse: no disk taken
  for (const std::string& data : {std::string("/dev/zero"), pipe, huge}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunSweepCommand({"--data", data, "Goods 0-6-0 slide valve", "10"}, out, err), 3) << data;
    EXPECT_EQ(Lines(err.str()), 1) << err.str();
    EXPECT_EQ(err.str().rfind("zovuderiz-sweep: Cannot read \"" + data + "\": ", 0), 0u) << err.str();
  }
}

// The worn gear's bands: each notch's own figures lie in their bands, a total
// play takes half of itself off the leads, the summary gains its worst with
// the play; a bad play file is named by line and column and nothing runs.
TEST_F(SweepCommandTest, PlayAddsEachNotchsBandsAndTheWorstWithIt) {
  const std::vector<std::string> study = {"--range", "-20:20:10", "--set", "25", "--json"};
  const auto with = [&](const std::string& play) {
    std::vector<std::string> options = study;
    options.insert(options.end(), {"--play", play, "Goods 0-6-0 slide valve"});
    return Run(options);
  };
  const Outcome total = with("b=0.03125");
  ASSERT_EQ(total.status, 0) << total.err;
  EXPECT_NE(total.out.find("\"worstWithPlay\": {\"worstCutOffInequality\": "), std::string::npos)
      << total.out;
  const std::regex lead("\"lead\": \\[([0-9.e-]+), ([0-9.e-]+)\\]");
  int bands = 0;
  for (auto m = std::sregex_iterator(total.out.begin(), total.out.end(), lead); m != std::sregex_iterator();
       ++m, ++bands)
    EXPECT_NEAR(std::stod((*m)[2]) - std::stod((*m)[1]), 1.0 / 64, 1e-4) << (*m)[0];
  EXPECT_EQ(bands, 10);  // both ends of five notches
  std::vector<std::string> plain = study;
  plain.push_back("Goods 0-6-0 slide valve");
  const std::string own = Run(plain).out;
  // Without its bands and its worst with the play the report is the gear's own.
  const std::regex band(",\n +\"band\": \\{\"back\": \\{[^}]*\\},\n +\"front\": \\{[^}]*\\}\\}");
  const std::regex worst(",\n +\"worstWithPlay\": \\{[^}]*\\}");
  EXPECT_EQ(std::regex_replace(std::regex_replace(total.out, band, ""), worst, ""), own);

  const std::string file = (dir_ / "play.csv").string();
  std::ofstream(file) << "joint,clearance\nrodPin1,0.03125\nrodPin9,0.1\n";
  const Outcome bad = with(file);
  EXPECT_EQ(bad.status, 3);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("line 3, column 1"), std::string::npos) << bad.err;
  EXPECT_EQ(with("b=x").status, 2);
  const Outcome csv =
      Run({"--range", "-20:20:10", "--set", "25", "--csv", "--play", "b=0.03125", "Goods 0-6-0 slide valve"});
  EXPECT_NE(csv.out.find(",workImbalancePct,admissionBackLow,admissionBackHigh,"), std::string::npos)
      << csv.out;
  EXPECT_NE(csv.out.find(",maxPortOpeningFrontLow,maxPortOpeningFrontHigh,error\r\n"), std::string::npos);
  EXPECT_EQ(Run({"--play", "b=0.1", "Goods 0-6-0 slide valve", "20"}).status, 2);
}
