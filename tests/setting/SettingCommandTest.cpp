// zovuderiz-setting end to end on a sample data file: the sheet, the fit of
// its readings filled in, the JSON's members read back, the running engine's
// evidence, and the exit statuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ReadingsFile.h"
#include "SampleEngines.h"
#include "SettingCommand.h"
#include "ShopSetting.h"
#include "StoreTestSupport.h"

namespace {

namespace fs = std::filesystem;

TEST(SettingCommandTest, SheetFitJsonAndExitStatuses) {
  const fs::path dir = fs::temp_directory_path() / ("zov_setting_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string data = (dir / "ste_data.dat").string(), sheet = (dir / "sheet.csv").string();
  WriteRecords(data, {SampleRecord("Goods 0-6-0 slide valve"), SampleRecord("Conrod shorter than crank")});
  const auto run = [&](std::vector<std::string> args, std::string& out, std::string& err) {
    args.insert(args.begin(), {"--data", data, "--unit", "in"});
    std::ostringstream o, e;
    const int status = RunSettingCommand(args, o, e);
    out = o.str();
    err = e.str();
    return status;
  };
  std::string out, err;
  ASSERT_EQ(run({"--sheet", sheet, "Goods 0-6-0 slide valve"}, out, err), 0) << err;
  // The readings of a gear whose upper rod is 1/16 in long and whose valve is 1/32 in off.
  ReadingsRead blank = ReadReadingsFile(sheet, LengthUnit::in);
  ASSERT_TRUE(blank.ok()) << blank.problem;
  ShopSettingRequest q;
  q.engine = SampleGear("Goods 0-6-0 slide valve");
  q.unit = LengthUnit::in;
  const ShopSetting prepared = PrepareShopSetting(q);
  const Prediction p = Predict(*prepared.design, {1.0 / 16, 0, 0, 0, 1.0 / 32}, blank.readings);
  for (std::size_t i = 0; i < blank.readings.size(); ++i)
    blank.readings[i].value =
        std::round(p.figures[i] / blank.readings[i].plusMinus) * blank.readings[i].plusMinus;
  ASSERT_TRUE(WriteReadingsFile(sheet, data, blank.readings, LengthUnit::in).ok());
  ASSERT_EQ(run({"--readings", sheet, "--json", "Goods 0-6-0 slide valve"}, out, err), 0) << err;
  for (const char* member :
       {"\"engine\": \"Goods 0-6-0 slide valve\"", "\"unit\": \"in\"", "\"readings\": [",
        "\"fitted\": ", "\"residual\": ", "\"suspect\": false",
        "\"rod1\": {\"value\": ", "\"advance2Deg\": {\"value\": ", "\"inseparable\": [\"",
        "\"corrections\": [", "\"operations\": [{\"adjust\": ", "\"words\": ",
        "\"predicted\": [{\"angleDeg\": ", "\"worstCutOffInequality\": ", "\"order\": [\"1. "})
    EXPECT_NE(out.find(member), std::string::npos) << member;
  // Every amount is a whole number of 64ths of an inch.
  for (std::size_t at = out.find("\"amount\": "); at != std::string::npos;
       at = out.find("\"amount\": ", at + 1)) {
    const double amount = std::strtod(out.c_str() + at + 10, nullptr);
    EXPECT_NE(amount, 0);
    EXPECT_EQ(amount * 64, std::round(amount * 64));
  }
  // The running engine's evidence goes to the diagnosis, never together with readings.
  const std::string cards = (dir / "cards.csv").string();
  std::ofstream(cards) << "angleDeg,end,event,value,unit,plusMinus\n17.5,front,cutOff,64,%,\n"
                          "17.5,back,cutOff,58,%,\n-16,front,cutOff,62,%,\n-16,back,cutOff,57,%,\n";
  ASSERT_EQ(run({"--evidence", cards, "--json", "Goods 0-6-0 slide valve"}, out, err), 0) << err;
  EXPECT_NE(out.find("\"causes\": ["), std::string::npos) << out;
  EXPECT_NE(out.find("{\"cause\": \""), std::string::npos) << out;
  EXPECT_EQ(run({"--evidence", cards, "--readings", sheet, "Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"--readings", sheet, "--adjust", "valve", "Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"--sheet", data, "Goods 0-6-0 slide valve"}, out, err), 2);
  EXPECT_EQ(run({"--readings", sheet, "No such engine"}, out, err), 3);
  EXPECT_EQ(run({"--readings", (dir / "none.csv").string(), "Goods 0-6-0 slide valve"}, out, err), 3);
  EXPECT_EQ(run({"--json", "--readings", sheet, "Conrod shorter than crank"}, out, err), 4);
  EXPECT_NE(out.find("\"error\": "), std::string::npos);
  EXPECT_EQ(run({"--sheet", sheet, "Conrod shorter than crank"}, out, err), 4);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
  fs::remove_all(dir);
}

}  // namespace
