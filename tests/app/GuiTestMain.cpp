// The window tests' entry point: one application object for all of them, on
// the offscreen platform unless a display was chosen (CI also runs them on Xvfb).
#include <gtest/gtest.h>

#include <QStandardPaths>
#include <cstdlib>

#include "ZovApplication.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::testing::InitGoogleTest(&argc, argv);
  // Settings the windows remember go to a test folder, never the user's.
  QStandardPaths::setTestModeEnabled(true);
  ZovApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
