// The design search run off the GUI thread for the assistant window: one search
// at a time on a QThread, its progress and its result delivered as queued
// signals on the GUI thread, and a cancel that the search sees at its next
// evaluation of the gear.
#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <memory>

#include "DesignSearch.h"

class AssistantSearch : public QObject {
  Q_OBJECT

 public:
  explicit AssistantSearch(QObject* parent = nullptr) : QObject(parent) {}
  // Cancels a running search and waits for its thread.
  ~AssistantSearch() override;

  // False when a search is running already.
  bool Start(const DesignInput& input);
  void Cancel() { cancel_ = true; }
  bool running() const { return thread_ != nullptr; }

 signals:
  void progressed(int evaluations, int maxEvaluations, double bestInequality, bool anyFeasible);
  void finished(std::shared_ptr<const DesignResult> result);

 private:
  void Finish(std::shared_ptr<const DesignResult> result);

  std::atomic<bool> cancel_{false};
  QThread* thread_ = nullptr;
};
