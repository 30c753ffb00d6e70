// A fixture for window tests: a fresh working folder holding the sample
// engines' data file, a scripted prompter in place of message boxes, and the
// whole window set created as at start-up and destroyed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <filesystem>

#include "EngineRecord.h"
#include "QtPrompter.h"
#include "ScriptedPrompter.h"
#include "SessionModel.h"
#include "StoreTestSupport.h"
#include "TMainForm.h"
#include "WindowSet.h"

// The session the windows observe, and its engine and latest run opened for a
// test to put in values that no engine gives.
inline const Session& TheSession() {
  return WindowSet::Model().session();
}
inline Engine& EngineInPlace() {
  return const_cast<Engine&>(TheSession().engine());
}
inline GearRun& RunInPlace() {
  return const_cast<GearRun&>(*TheSession().latestRun());
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() /
              ("zov_gui_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    if (WithSampleEngines())
      std::filesystem::copy_file(std::filesystem::path(ZOV_EXAMPLES) / "ste_data.dat",
                                 folder_ / "ste_data.dat");
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
  virtual bool WithSampleEngines() const { return true; }

  // Picks a name from the engine list as the user does.
  void Pick(const QString& name) {
    const int index = MainForm->CB_Engines->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    MainForm->CB_Engines->setCurrentIndex(index);
    emit MainForm->CB_Engines->activated(index);
  }
  // Starts the window set again on a data file of these records.
  void StartWith(const std::vector<EngineRecord>& records) {
    WindowSet::Destroy();
    WriteRecords("ste_data.dat", records);
    WindowSet::Create();
  }
  QLineEdit* Box(const char* name) { return MainForm->BoxNamed(name); }
  bool Shown(const std::string& text) const {
    for (const auto& box : prompter_.shown)
      if (box.text == text) return true;
    return false;
  }

  ScriptedPrompter prompter_;
  std::filesystem::path home_;
  std::filesystem::path folder_;
};
