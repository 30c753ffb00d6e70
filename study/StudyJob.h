// Runs quadrant studies off the window's thread, one at a time: a request made
// while one runs cancels it and waits its turn, replacing any request that was
// waiting, so only the latest request is ever computed after the current one.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <thread>

#include "QuadrantStudy.h"
#include "Session.h"

class StudyJob : public QObject {
  Q_OBJECT

 public:
  struct Request {
    Session session;                   // a copy: the window's session may change meanwhile
    std::optional<double> settingDeg;  // none: the positive end of the usable range
    NotchPlan plan;
  };

  explicit StudyJob(QObject* parent = nullptr) : QObject(parent) {}
  ~StudyJob() override;

  void Start(Request request);
  void Cancel();
  bool running() const { return worker_.joinable(); }
  // Notches done and to do of the study running (0 and 0 while its range is sought).
  int notchesDone() const;
  int notchesTotal() const;

  // Computes a request on this thread (what the worker runs).
  static QuadrantStudy Compute(const Request& request, StudyControl* control);

 signals:
  // A study finished (not one that was cancelled).
  void finished(const QuadrantStudy& study);

 private:
  void Launch(Request request);
  void Delivered(QuadrantStudy study);

  std::thread worker_;
  std::unique_ptr<StudyControl> control_;
  std::optional<Request> waiting_;
};
