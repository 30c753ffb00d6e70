// A save or delete run off the GUI thread, so that the windows keep painting
// while another program holds the data file's lock: once the store has waited
// for it a moment, a box says so with Cancel, and Cancel gives the wait up
// (nothing is written). Input to the windows waits until the store is done.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "TShed.h"

class StoreTask {
 public:
  using Operation = std::function<StoreOutcome(const LockWait& wait)>;

  // The box's text and object name, and how long a wait goes unsaid.
  static const QString& WaitingText();
  static constexpr const char* kWaitingBoxName = "WaitingForDataFile";
  static constexpr int kNoticeDelayMs = 400;

  // Runs the operation on a worker thread and returns its outcome; the box,
  // when it is shown, is modal over parent.
  static StoreOutcome Run(QWidget* parent, const Operation& operation);
};
