// What the running engine says: a valve off on its spindle moves the two
// ends' events apart, play delays both alike; cards of an engine with one
// fault name it first with its size; the evidence file's bad rows are named.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "EvidenceCommand.h"
#include "RunningDiagnosis.h"
#include "SampleEngines.h"

namespace {

SettingDesign Goods() {
  return *PrepareDesign(SampleGear("Goods 0-6-0 slide valve"), LengthUnit::in, std::nullopt,
                        ValveSetting::equalLeads, 2)
              .design;
}

std::vector<Evidence> Cards(const SettingDesign& design, const DeviationVector& d, double play) {
  std::vector<Evidence> rows;
  for (const double angle : {design.usable.loDeg / 2, design.usable.hiDeg / 2})
    for (const ReadingEnd end : {ReadingEnd::front, ReadingEnd::back})
      for (const EvidenceEvent event :
           {EvidenceEvent::cutOff, EvidenceEvent::release, EvidenceEvent::compression})
        rows.push_back({angle, end, event, 0, 0.5});
  const auto figures = EvidenceFigures(design, d, play, rows);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i].value = std::round((*figures)[i] * 2) / 2;
  return rows;
}

TEST(RunningDiagnosisTest, MisSettingIsAntisymmetricAndWearSymmetric) {
  const SettingDesign design = Goods();
  const std::vector<Evidence> cutOffs = {
      {design.usable.hiDeg / 2, ReadingEnd::front, EvidenceEvent::cutOff, 0, 0.5},
      {design.usable.hiDeg / 2, ReadingEnd::back, EvidenceEvent::cutOff, 0, 0.5}};
  const auto own = *EvidenceFigures(design, {}, 0, cutOffs);
  DeviationVector spindle{};
  spindle[spindleIndex] = 1.0 / 32;
  const auto offSpindle = *EvidenceFigures(design, spindle, 0, cutOffs);
  const auto worn = *EvidenceFigures(design, {}, 1.0 / 32, cutOffs);
  EXPECT_LT((offSpindle[0] - own[0]) * (offSpindle[1] - own[1]), 0);
  EXPECT_GT(worn[0], own[0]);
  EXPECT_GT(worn[1], own[1]);
  // The front/back difference barely moves with wear, by points with the valve off.
  EXPECT_LT(std::fabs((worn[1] - worn[0]) - (own[1] - own[0])), 0.3);
  EXPECT_GT(std::fabs((offSpindle[1] - offSpindle[0]) - (own[1] - own[0])), 1);
}

TEST(RunningDiagnosisTest, TheCardsOfAFaultyEngineNameItFirst) {
  const SettingDesign design = Goods();
  DeviationVector spindle{};
  spindle[spindleIndex] = 1.0 / 16;
  const RunningDiagnosis offSpindle = DiagnoseRunning(design, Cards(design, spindle, 0));
  ASSERT_TRUE(offSpindle.ok()) << offSpindle.problem;
  EXPECT_EQ(offSpindle.causes.front().cause, Cause::spindle);
  EXPECT_NEAR(offSpindle.causes.front().size, 1.0 / 16, 1.0 / 128);
  EXPECT_EQ(offSpindle.causes.front().words.rfind("valve off on its spindle, about 1/16 in", 0), 0u)
      << offSpindle.causes.front().words;
  EXPECT_GT(offSpindle.causes.front().explains, 0.9);

  const RunningDiagnosis worn = DiagnoseRunning(design, Cards(design, {}, 1.0 / 16));
  ASSERT_TRUE(worn.ok()) << worn.problem;
  EXPECT_EQ(worn.causes.front().cause, Cause::play);
  EXPECT_NEAR(worn.causes.front().size, 1.0 / 16, 1.0 / 64);
  for (const CauseFit& other : worn.causes) EXPECT_GE(other.chi2, worn.causes.front().chi2);
  // All fitted at once the play takes most of it.
  EXPECT_NEAR(worn.together.play, 1.0 / 16, 1.0 / 64);

  std::vector<Evidence> outside = Cards(design, {}, 0);
  outside.front().angleDeg = design.usable.hiDeg + 5;
  EXPECT_NE(DiagnoseRunning(design, outside).problem.find("outside the usable range"), std::string::npos);
}

TEST(RunningDiagnosisTest, AnEvidenceFileIsReadWholeOrItsBadRowNamed) {
  const auto good = ParseEvidenceCsv(
      "angleDeg,end,event,value,unit,plusMinus\n12,front,cutOff,41.5,%,\n-12,back,exhaustBeat,151,deg,3\n");
  ASSERT_TRUE(std::holds_alternative<std::vector<Evidence>>(good));
  const auto& rows = std::get<std::vector<Evidence>>(good);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].plusMinus, 0.5);
  EXPECT_EQ(rows[1].event, EvidenceEvent::exhaustBeat);
  EXPECT_EQ(rows[1].plusMinus, 3);
  const std::pair<const char*, std::pair<int, int>> bad[] = {
      {"angleDeg,end,event,value,unit,plusMinus\n12,front,lead,0.1,,\n", {2, 3}},
      {"angleDeg,end,event,value,unit,plusMinus\n12,front,cutOff,41,deg,\n", {2, 5}},
      {"angleDeg,end,event,value,unit,plusMinus\n\n12,side,cutOff,41,,\n", {3, 2}},
  };
  for (const auto& [text, where] : bad) {
    const auto parsed = ParseEvidenceCsv(text);
    ASSERT_TRUE(std::holds_alternative<ReadingsTextProblem>(parsed)) << text;
    EXPECT_EQ(std::get<ReadingsTextProblem>(parsed).line, where.first) << text;
    EXPECT_EQ(std::get<ReadingsTextProblem>(parsed).column, where.second) << text;
  }
}

// The command's part: the cards of a valve off on its spindle as a file,
// the causes as JSON best first; a bad file runs nothing.
TEST(RunningDiagnosisTest, TheEvidenceCommandReportsTheCausesBestFirst) {
  const SettingDesign design = Goods();
  DeviationVector spindle{};
  spindle[spindleIndex] = -1.0 / 16;
  const auto path =
      std::filesystem::temp_directory_path() / ("zov_evidence_" + std::to_string(::getpid()) + ".csv");
  {
    std::ofstream file(path);
    file << "angleDeg,end,event,value,unit,plusMinus\n";
    for (const Evidence& e : Cards(design, spindle, 0))
      file << e.angleDeg << ',' << ReadingEndKey(e.end) << ',' << EvidenceEventKey(e.event) << ',' << e.value
           << ",%,\n";
  }
  EvidenceRequest q{SampleGear("Goods 0-6-0 slide valve"),
                    "Goods",
                    LengthUnit::in,
                    std::nullopt,
                    ValveSetting::equalLeads,
                    path.string(),
                    true,
                    2};
  std::ostringstream out, err;
  ASSERT_EQ(RunEvidence(q, out, err), 0) << err.str();
  EXPECT_NE(out.str().find("\"causes\": [\n    {\"cause\": \"spindle\", \"size\": -0.06"), std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("\"lengthUnit\": \"in\""), std::string::npos);
  EXPECT_NE(out.str().find("\"undecided\": ["), std::string::npos);
  std::ofstream(path) << "angleDeg,end,event,value,unit,plusMinus\n10,front,cutOff,x,,\n";
  std::ostringstream none, why;
  EXPECT_EQ(RunEvidence(q, none, why), 3);
  EXPECT_EQ(none.str(), "");
  EXPECT_NE(why.str().find("line 2, column 4"), std::string::npos) << why.str();
  std::filesystem::remove(path);
}

}  // namespace
