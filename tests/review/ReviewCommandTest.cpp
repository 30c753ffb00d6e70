// zovuderiz-review end to end on a sample data file: the JSON's members and
// every check's key, JSON that reads back with a unit, the exit statuses, and
// engines whose figures cannot be judged refused as the other tools refuse them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "JsonCheck.h"
#include "ReviewChecks.h"
#include "ReviewCommand.h"
#include "SampleEngines.h"
#include "StoreTestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(ReviewCommandTest, JsonAndExitStatuses) {
  const fs::path dir = fs::temp_directory_path() / ("zov_review_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string data = (dir / "ste_data.dat").string();
  // A port of 0, -1e308 or 5e-324 or a crank of 5e-324 gives shares of nothing.
  const auto goodsWith = [](const char* name, double EngineRecord::*field, double value) {
    EngineRecord r = MakeEngine(name, SampleRecord("Goods 0-6-0 slide valve"));
    r.*field = value;
    return r;
  };
  WriteRecords(data, {SampleRecord("Goods 0-6-0 slide valve"), SampleRecord("Conrod shorter than crank"),
                      goodsWith("port 0", &EngineRecord::port, 0),
                      goodsWith("port -1e308", &EngineRecord::port, -1e308),
                      goodsWith("port 5e-324", &EngineRecord::port, 5e-324),
                      goodsWith("crank 5e-324", &EngineRecord::mcrank, 5e-324)});
  const auto run = [&](std::vector<std::string> args, std::string& out, std::string& err) {
    args.insert(args.begin(), {"--data", data});
    std::ostringstream o, e;
    const int status = RunReviewCommand(args, o, e);
    out = o.str();
    err = e.str();
    return status;
  };
  std::string out, err;
  // A unit adds a member, and the whole still reads back as JSON.
  ASSERT_EQ(run({"--set", "25", "--unit", "in", "--json", "Goods 0-6-0 slide valve"}, out, err), 0) << err;
  EXPECT_EQ(JsonCheck::Problem(out), "");
  EXPECT_NE(out.find("\"lengthUnit\": \"in\""), std::string::npos);
  for (const char* member :
       {"\"engine\": \"Goods 0-6-0 slide valve\"", "\"setAngleDeg\": 25", "\"valveSetting\": \"leads\"",
        "\"sensitivity\": {", "\"fixes\": [", "\"angadv\": {\"perUnit\": ",
        "\"rangeEndDegPerUnit\": {\"conrod\": [", "\"rangeEndDegPerPercent\": {", "\"notchesKeptDeg\": [-31, 35]}"})
    EXPECT_NE(out.find(member), std::string::npos) << member;
  // A change of the eccentric rod loses a notch, yet its figures have sensitivities.
  EXPECT_EQ(out.find("{\"lost\": true}"), std::string::npos);
  // A fix's target has the four significant figures it is said to, in the JSON too.
  const std::regex target("\"to\": (-?)0*([0-9.]+)(e[-+0-9]+)?,");
  int targets = 0;
  for (auto t = std::sregex_iterator(out.begin(), out.end(), target); t != std::sregex_iterator();
       ++t, ++targets) {
    std::string digits = (*t)[2];
    std::erase(digits, '.');
    digits.erase(0, digits.find_first_not_of('0'));
    EXPECT_LE(digits.size(), 4u) << (*t)[0];
  }
  EXPECT_GT(targets, 0);
  for (const CheckSpec& check : ReviewChecks())
    EXPECT_NE(out.find("{\"key\": \"" + std::string(check.key) + "\""), std::string::npos) << check.key;
  EXPECT_EQ(run({"Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"--set", "25", "No such engine"}, out, err), 3);
  EXPECT_EQ(run({"--set", "25", "--json", "Conrod shorter than crank"}, out, err), 4);
  EXPECT_NE(out.find("\"error\": "), std::string::npos);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  for (const char* name : {"port 0", "port -1e308", "port 5e-324", "crank 5e-324"}) {
    EXPECT_EQ(run({"--set", "25", "--json", name}, out, err), 4) << name;
    EXPECT_EQ(JsonCheck::Problem(out), "") << out;
    EXPECT_NE(out.find("\"error\": \"The "), std::string::npos) << out;
  }
  // The file's unit is taken as given; one that cannot be taken is said, as the other tools say it.
  std::ofstream(data + ".unit") << "mm\n";
  EXPECT_EQ(run({"--set", "25", "--json", "Conrod shorter than crank"}, out, err), 4);
  EXPECT_EQ(JsonCheck::Problem(out), "");
  EXPECT_NE(out.find("\"lengthUnit\": \"mm\""), std::string::npos);
  std::ofstream(data + ".unit") << "furlongs\n";
  EXPECT_EQ(run({"--set", "25", "Conrod shorter than crank"}, out, err), 4);
  EXPECT_NE(err.find("Give --unit"), std::string::npos) << err;

  // The worn gear's verdict is one more member; a bad play runs nothing.
  ASSERT_EQ(run({"--set", "25", "--json", "--play", "b=0.5", "Goods 0-6-0 slide valve"}, out, err), 0) << err;
  EXPECT_NE(out.find(", \"play\": {\"verdict\": \"rebush\", \"words\": \"Re-bush"), std::string::npos) << out;
  EXPECT_NE(out.find("\"joints\": [{\"joint\": \"total\", \"clearance\": 0.5, \"perUnit\": "),
            std::string::npos);
  EXPECT_EQ(run({"--set", "25", "--play", "b=-1", "Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"--set", "25", "--play", (dir / "none.csv").string(), "Goods 0-6-0 slide valve"}, out, err),
            3);
  EXPECT_EQ(out, "");
  fs::remove_all(dir);
}

}  // namespace
