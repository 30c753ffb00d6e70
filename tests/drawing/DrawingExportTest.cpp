// zovuderiz-sweep --drawing end to end: the DXF and SVG files read back by
// other readers, every pin compared with the solver's point, the slot arc
// with the link's; the part sheet's link against the solver's link; files
// that are refused; names, sizes and angles at the edges.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "EngineConversion.h"
#include "EngineScale.h"
#include "GearDrawing.h"
#include "PartSheets.h"
#include "SampleEngines.h"
#include "Session.h"
#include "SweepCommand.h"

namespace {

namespace fs = std::filesystem;

struct ReadBack {
  std::vector<std::string> lines;
  bool Has(const std::string& line) const {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  // The items of a kind, as their words after the kind.
  std::vector<std::vector<std::string>> Items(const std::string& kind) const {
    std::vector<std::vector<std::string>> items;
    for (const std::string& line : lines) {
      std::istringstream words(line);
      std::string first, word;
      words >> first;
      if (first != kind) continue;
      items.emplace_back();
      while (words >> word) items.back().push_back(word);
    }
    return items;
  }
};

ReadBack ReadBackFile(const std::string& path) {
  const std::string command = std::string(ZOV_PYTHON) + " " + ZOV_READ_BACK + " '" + path + "' 2>&1";
  ReadBack result;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string text(line);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    result.lines.push_back(text);
  }
  EXPECT_EQ(::pclose(pipe), 0) << (result.lines.empty() ? "" : result.lines.back());
  return result;
}

class DrawingExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zov_drawing_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    std::ofstream data(Data(), std::ios::binary | std::ios::trunc);
    for (const SampleEngine& e : SampleEngines())
      data.write(reinterpret_cast<const char*>(&e.record), sizeof e.record);
    // Goods with control characters filling its 29 bytes, and Goods a 1e-150th of its size.
    EngineRecord odd = MakeEngine(kOddName, SampleRecord("Goods 0-6-0 slide valve"));
    data.write(reinterpret_cast<const char*>(&odd), sizeof odd);
    ToRecord(ScaledEngine(SampleGear("Goods 0-6-0 slide valve"), 1e-150), odd);
    SetRecordName(odd, "Tiny", 4);
    data.write(reinterpret_cast<const char*>(&odd), sizeof odd);
  }
  static constexpr const char* kOddName = "Ctl\x01\x0b\x7f<&>\" 29 bytes of a name";
  void TearDown() override { fs::remove_all(dir_); }

  std::string Data() const { return (dir_ / "ste_data.dat").string(); }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }

  int Run(std::vector<std::string> args, std::string* err = nullptr, std::string* output = nullptr) const {
    args.insert(args.begin(), {"--data", Data()});
    std::ostringstream out, errors;
    const int status = RunSweepCommand(args, out, errors);
    if (err != nullptr) *err = errors.str();
    if (output != nullptr) *output = out.str();
    return status;
  }

  fs::path dir_;
};

TEST_F(DrawingExportTest, EveryPinAndTheSlotArcReadBackAsTheSolversOwn) {
  for (const char* name : {"Goods 0-6-0 slide valve", "Express 4-4-0 rocker B"}) {
    Session session;
    ASSERT_FALSE(session.Take(SampleGear(name)));
    const RunOutcome run = session.Go(20);
    ASSERT_TRUE(run.ok());
    const Engine& e = session.engine();
    const double tolerance = 1e-9 * EngineSize(e);
    for (const char* crank : {"", "40"}) {
      const int step = *crank == 0 ? BackDeadCentreStep(e) : 20;
      const JointTable& t = run.run->joints;
      for (const char* ending : {".dxf", ".svg"}) {
        SCOPED_TRACE(std::string(name) + " crank " + crank + ending);
        const std::string path = File(std::string("gear") + ending);
        std::vector<std::string> args{"--unit", "mm", "--drawing", path};
        if (*crank != 0) args.insert(args.end(), {"--crank", crank});
        args.insert(args.end(), {name, "20"});
        ASSERT_EQ(Run(args), kExitOk);
        const ReadBack back = ReadBackFile(path);
        const auto pins = back.Items("pin");
        ASSERT_EQ(pins.size(), std::size(kDrawnJoints));
        for (const NamedJoint& j : kDrawnJoints) {
          const Point p = t.At(step, j.joint);
          bool found = false;
          for (const auto& pin : pins)
            found |= (pin[0] == "-" || pin[0] == std::string("GEAR-") + j.name) &&
                     std::hypot(std::stod(pin[1]) - p.x, std::stod(pin[2]) - p.y) <= tolerance;
          EXPECT_TRUE(found) << j.name;
        }
        if (std::string(ending) == ".svg") {
          EXPECT_EQ(back.Items("size").at(0).at(0).substr(back.Items("size")[0][0].size() - 2), "mm");
          continue;
        }
        EXPECT_TRUE(back.Has("unit 4"));
        for (const char* layer : {"CENTRE_LINES", "PARTS", "PINS", "DIMENSIONS", "TEXT"})
          EXPECT_TRUE(back.Has(std::string("layer ") + layer)) << layer;
        bool slot = false;
        const Point c = t.At(step, linkCentre);
        for (const auto& arc : back.Items("arc"))
          slot |= arc[0] == "PARTS" &&
                  std::hypot(std::stod(arc[1]) - c.x, std::stod(arc[2]) - c.y) <= tolerance &&
                  std::fabs(std::stod(arc[3]) - (e.eccrod + e.pintoslot)) <= tolerance;
        EXPECT_TRUE(slot);
      }
    }
  }
}

TEST_F(DrawingExportTest, PartSheetsAreOneBlockAPartAndTheLinkIsTheSolversLink) {
  ASSERT_EQ(
      Run({"--unit", "in", "--parts", "--drawing", File("parts.dxf"), "Low shaft, short lifting link", "10"}),
      kExitOk);
  const ReadBack back = ReadBackFile(File("parts.dxf"));
  EXPECT_TRUE(back.Has("unit 1"));
  for (const char* block :
       {"LINK", "ECCENTRIC_ROD_1", "ECCENTRIC_ROD_2", "LIFTING_ARM", "LIFTING_LINK", "WEIGHSHAFT_PLACE"})
    EXPECT_TRUE(back.Has(std::string("block ") + block)) << block;
  // The distances between the link's joints are the same in any pose.
  Session session;
  ASSERT_FALSE(session.Take(SampleGear("Low shaft, short lifting link")));
  const RunOutcome run = session.Go(10);
  ASSERT_TRUE(run.ok());
  const LinkParts l = LinkPartsOf(session.engine());
  const JointTable& t = run.run->joints;
  const auto distance = [](Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); };
  const std::pair<Point, Joint> joints[] = {{l.pin1, pin1},
                                            {l.pin2, pin2},
                                            {l.liftPin, liftPin},
                                            {l.centre, linkCentre},
                                            {l.slotMiddle, slotCentre}};
  for (int k : {0, 37, 120})
    for (const auto& [a, ja] : joints)
      for (const auto& [b, jb] : joints)
        EXPECT_NEAR(distance(a, b), distance(t.At(k, ja), t.At(k, jb)), 1e-9 * EngineSize(session.engine()))
            << ja << " " << jb;
}

TEST_F(DrawingExportTest, RefusesTheDataFileAndSaysWhyAFileCannotBeWritten) {
  fs::create_symlink(Data(), File("data.dxf"));
  const auto size = fs::file_size(Data());
  std::string err;
  EXPECT_EQ(Run({"--drawing", File("data.dxf"), "Goods 0-6-0 slide valve", "20"}, &err), kExitUsage);
  EXPECT_NE(err.find("is the data file"), std::string::npos);
  EXPECT_EQ(fs::file_size(Data()), size);
  const std::string missing = File("no/such/folder/gear.svg");
  EXPECT_EQ(Run({"--drawing", missing, "Goods 0-6-0 slide valve", "20"}, &err), kExitFileOrEngine);
  EXPECT_NE(err.find(missing), std::string::npos);
  EXPECT_NE(err.find("No such file"), std::string::npos) << err;
  EXPECT_EQ(Run({"--drawing", File("gear.pdf"), "Goods 0-6-0 slide valve", "20"}), kExitUsage);
  EXPECT_EQ(Run({"--crank", "10", "Goods 0-6-0 slide valve", "20"}), kExitUsage);
  EXPECT_EQ(Run({"--drawing", File("gear.dxf"), "Goods 0-6-0 slide valve", "20", "30"}), kExitUsage);
  EXPECT_EQ(Run({"--drawing", File("gear.dxf"), "Conrod shorter than crank", "20"}), kExitCannotAssemble);
  EXPECT_FALSE(fs::exists(File("gear.dxf")));
}

TEST_F(DrawingExportTest, NamesSizesAndAnglesAtTheEdges) {
  EXPECT_EQ(Run({"--drawing=", "Goods 0-6-0 slide valve", "20"}), kExitUsage);
  EXPECT_EQ(Run({"--drawing", "", "Goods 0-6-0 slide valve", "20"}), kExitUsage);
  // Control characters in the stored name, and a line that would end a DXF
  // typed after the 29 bytes that find it: both files still read whole.
  const std::string typed = std::string(kOddName) + "\n  0\nEOF\n";
  for (const char* ending : {".dxf", ".svg"}) {
    const std::string path = File(std::string("odd") + ending);
    ASSERT_EQ(Run({"--drawing", path, typed, "20"}), kExitOk) << ending;
    EXPECT_EQ(ReadBackFile(path).Items("pin").size(), std::size(kDrawnJoints)) << ending;
  }
  // A tiny engine keeps its digits; a crank of many turns is drawn at its
  // place in the turn (3.6e19 is a whole number of turns), not "the nearest".
  std::string out;
  ASSERT_EQ(Run({"--drawing", File("tiny.dxf"), "--crank", "3.6e19", "Tiny", "20"}, nullptr, &out), kExitOk);
  EXPECT_EQ(out.find("nearest"), std::string::npos) << out;
  Session session;
  ASSERT_FALSE(session.Take(ScaledEngine(SampleGear("Goods 0-6-0 slide valve"), 1e-150)));
  const RunOutcome run = session.Go(20);
  ASSERT_TRUE(run.ok());
  const Point crankPin = run.run->joints.At(0, kDrawnJoints[1].joint);
  bool found = false;
  for (const auto& pin : ReadBackFile(File("tiny.dxf")).Items("pin"))
    found |= std::hypot(std::stod(pin[1]) - crankPin.x, std::stod(pin[2]) - crankPin.y) <=
             1e-9 * EngineSize(session.engine());
  EXPECT_TRUE(found) << kDrawnJoints[1].name;
  // A name of 250 bytes leaves no room for the temporary's suffix, so that
  // name is shortened; one a killed writer left is removed by the next write.
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
  const std::string name = std::string(246, 'g') + ".svg";
  const std::string suffix = "." + std::to_string(dead) + "-5.tmp";
  const std::string left = File(name.substr(0, 255 - suffix.size()) + suffix);
  std::ofstream(left) << "<svg";
  ASSERT_EQ(Run({"--drawing", File(name), "Goods 0-6-0 slide valve", "20"}), kExitOk);
  EXPECT_FALSE(fs::exists(left));
  for (const auto& entry : fs::directory_iterator(dir_)) EXPECT_NE(entry.path().extension(), ".tmp");
  // The path written is echoed on one line.
  ASSERT_EQ(Run({"--drawing", File("two\nlines.svg"), "Goods 0-6-0 slide valve", "20"}, nullptr, &out),
            kExitOk);
  EXPECT_NE(out.find("two\\nlines.svg\n"), std::string::npos) << out;
}

}  // namespace
