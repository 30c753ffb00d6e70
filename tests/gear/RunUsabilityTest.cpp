// The note on a run outside the usable range: the run's own verdict is the
// range search's, and every angle of each sample engine inside the range it
// finds has no note, every angle outside a note with a cause.
#include <gtest/gtest.h>

#include "SampleEngines.h"
#include "UsableRange.h"

TEST(RunUsability, TheNoteAgreesWithTheUsableRangeOfEachSampleEngine) {
  for (const char* name : {"Goods 0-6-0 slide valve", "Express 4-4-0 rocker B", "Tank 0-6-2T piston valves",
                           "Low shaft, short lifting link"}) {
    Session session;
    ASSERT_FALSE(session.Take(SampleGear(name)));
    const std::optional<UsableRange> range = FindUsableRange(session, 2);
    ASSERT_TRUE(range) << name;
    // The valves set at a working notch, as a first "GO" there, and kept.
    ASSERT_TRUE(session.Go(15).ok()) << name;
    for (double angle = -45; angle <= 45; angle += 0.5) {
      const RunOutcome first = session.Evaluate(angle, std::nullopt);
      if (first.ok()) {
        EXPECT_EQ(JudgeRun(*first.run).usable(), IsUsableRun(*first.run)) << name << angle;
      }
      const RunOutcome later = session.Evaluate(angle, session.centring());
      if (!later.ok()) continue;
      const std::string note = UsabilityNote(session, range, *later.run);
      const bool inside = angle >= range->loDeg && angle <= range->hiDeg;
      if (inside && JudgeRun(*later.run).usable()) {
        EXPECT_EQ(note, "") << name << angle;
      } else {
        EXPECT_EQ(note.rfind("Outside the usable range: ", 0), 0u) << name << angle;
        const bool why = note.find("the die runs past") != std::string::npos ||
                         note.find(" no ") != std::string::npos || note.find("cannot") != std::string::npos;
        EXPECT_TRUE(why) << name << angle << note;
      }
    }
  }
}

TEST(RunUsability, MissingEventsAreNamedEndByEnd) {
  Session session;
  ASSERT_FALSE(session.Take(SampleGear("Goods 0-6-0 slide valve")));
  ASSERT_TRUE(session.Go(15).ok());
  GearRun run = *session.latestRun();
  run.results.eventFound[cutOffFront] = false;
  run.results.eventFound[exhaustFront] = false;
  EXPECT_EQ(UsabilityNote(session, FindUsableRange(session, 1), run),
            "Outside the usable range: no front cut-off or exhaust.");
  run.results.eventFound[admissionBack] = false;
  EXPECT_EQ(UsabilityNote(session, std::nullopt, run),
            "Outside the usable range: no back admission; no front cut-off or exhaust.");
  for (int e = 0; e < kEvents; ++e) run.results.eventFound[e] = false;
  EXPECT_EQ(UsabilityNote(session, std::nullopt, run), "Outside the usable range: no events at either end.");
}
