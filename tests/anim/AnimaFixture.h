// A fresh window set in a scratch working folder, with a scripted prompter in
// place of message boxes, and the sample engines run through "GO" so that the
// animation has its tables to draw from.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <cstring>
#include <filesystem>
#include <string>

#include "EngineRecord.h"
#include "QtPrompter.h"
#include "ScriptedPrompter.h"
#include "TAnimaForm.h"
#include "TMainForm.h"
#include "TResultsForm.h"
#include "WindowSet.h"

class AnimaFixture : public ::testing::Test {
 protected:
  static constexpr int kDesignWidth = 717, kDesignHeight = 489;

  void SetUp() override {
    home_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("zov_anim_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    SetAppPrompter(&prompter_);
    WindowSet::Create();
  }
  void TearDown() override {
    WindowSet::Destroy();
    SetAppPrompter(nullptr);
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(folder_);
  }

  // Outside admission, no rocker.
  static EngineRecord Goods() {
    EngineRecord engine{};
    std::strcpy(engine.name, "Goods 0-6-0 slide valve");
    engine.conrod = 78, engine.mcrank = 13, engine.eccrod = 54, engine.eccrad = 2.75, engine.angadv = 24;
    engine.ctoweighh = 65, engine.ctoweighv = 19, engine.larad = 11, engine.liftlink = 18;
    engine.linkpins = 13, engine.stlap = 1.0, engine.port = 1.5, engine.valveType = -1;
    return engine;
  }
  // Inside admission, no rocker.
  static EngineRecord Tank() {
    EngineRecord engine{};
    std::strcpy(engine.name, "Tank 0-6-2T piston valves");
    engine.conrod = 72, engine.mcrank = 13, engine.eccrod = 50, engine.eccrad = 3.5, engine.angadv = 26;
    engine.ctoweighh = 60, engine.ctoweighv = 18.3, engine.larad = 10, engine.liftlink = 16;
    engine.linkpins = 12, engine.circdisp = 3.0, engine.stlap = 1.4, engine.exlap = -0.0625;
    engine.port = 1.75, engine.valveType = 1, engine.rockerRatio = 2.5;
    return engine;
  }
  static EngineRecord WithRocker(EngineRecord engine, int rockerType) {
    engine.rockerType = rockerType;
    engine.rockerRatio = 1.0;
    return engine;
  }

  // "GET  RESULTS" and "GO" as the main and results windows do them.
  void Run(const EngineRecord& engine, const char* angle = "15") {
    currentEngine = engine;
    MainForm->EdName->setText(engine.name);
    ASSERT_TRUE(ResultsForm->SetMidGear(currentEngine));
    ResultsForm->gear().firstRun = true;
    ResultsForm->EdLa_ang->setText(angle);
    ResultsForm->BtGoClick();
    ASSERT_TRUE(ResultsForm->BtAnima->isEnabled());
  }

  // Shows the window so that its outer size is the design's 717 by 489,
  // whatever frame the platform adds.
  static void ShowAtDesignSize() {
    ResultsForm->BtAnimaClick();
    const QSize frame = AnimaForm->frameGeometry().size() - AnimaForm->size();
    AnimaForm->close();
    AnimaForm->resize(kDesignWidth - frame.width(), kDesignHeight - frame.height());
    ResultsForm->BtAnimaClick();
    ASSERT_EQ(AnimaForm->winWidth, kDesignWidth);
    ASSERT_EQ(AnimaForm->winHeight, kDesignHeight);
  }

  static bool Black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }
  // The black pixels of a row between two columns, both included.
  static int BlackInRow(const QImage& image, int y, int from, int to) {
    int count = 0;
    for (int x = from; x <= to; ++x) count += Black(image, x, y);
    return count;
  }

  // Where the picture puts a joint at a step, in pixels.
  static QPoint JointPixel(int step, Joint joint) {
    const GearState& gear = ResultsForm->gear();
    return {AnimaForm->AnimColumn(0.15 + gear.joints.X[step][joint] / AnimaForm->lengthScale),
            AnimaForm->AnimRow(0.38 + gear.joints.Y[step][joint] / AnimaForm->heightScale)};
  }
  // Whether every pixel of the radius-3 joint circle around centre is black
  // in the picture (lines through it may blacken more).
  static bool CircleDrawnAt(const QImage& picture, QPoint centre) {
    QImage reference(picture.size(), QImage::Format_RGB32);
    reference.fill(Qt::white);
    Canvas canvas(reference);
    canvas.Ellipse(centre.x() - 3, centre.y() - 3, centre.x() + 3, centre.y() + 3);
    int ring = 0;
    for (int y = 0; y < reference.height(); ++y)
      for (int x = 0; x < reference.width(); ++x)
        if (Black(reference, x, y) && (++ring, !Black(picture, x, y))) return false;
    return ring > 0;
  }

  ScriptedPrompter prompter_;
  std::filesystem::path home_;
  std::filesystem::path folder_;
};
