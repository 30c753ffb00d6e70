// zovuderiz-review end to end on a sample data file: the JSON's members and
// every check's key, and the exit statuses of the other tools.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

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
  WriteRecords(data, {SampleRecord("Goods 0-6-0 slide valve"), SampleRecord("Conrod shorter than crank")});
  const auto run = [&](std::vector<std::string> args, std::string& out, std::string& err) {
    args.insert(args.begin(), {"--data", data});
    std::ostringstream o, e;
    const int status = RunReviewCommand(args, o, e);
    out = o.str();
    err = e.str();
    return status;
  };
  std::string out, err;
  ASSERT_EQ(run({"--set", "25", "--json", "Goods 0-6-0 slide valve"}, out, err), 0) << err;
  for (const char* member : {"\"engine\": \"Goods 0-6-0 slide valve\"", "\"setAngleDeg\": 25",
                             "\"valveSetting\": \"leads\"", "\"sensitivity\": {", "\"fixes\": [",
                             "\"angadv\": {\"perUnit\": ", "\"rangeEndDegPerUnit\": {\"conrod\": [",
                             "\"rangeEndDegPerPercent\": {", "\"notchesKeptDeg\": [-31, 35]}"})
    EXPECT_NE(out.find(member), std::string::npos) << member;
  // A change of the eccentric rod loses a notch, yet its figures have sensitivities.
  EXPECT_EQ(out.find("{\"lost\": true}"), std::string::npos);
  for (const CheckSpec& check : ReviewChecks())
    EXPECT_NE(out.find("{\"key\": \"" + std::string(check.key) + "\""), std::string::npos) << check.key;
  EXPECT_EQ(run({"Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"--set", "25", "No such engine"}, out, err), 3);
  EXPECT_EQ(run({"--set", "25", "--json", "Conrod shorter than crank"}, out, err), 4);
  EXPECT_NE(out.find("\"error\": "), std::string::npos);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);

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
