// Runs a window's long computations off the GUI thread, one at a time: the
// latest request wins (a new one cancels the running job and replaces any
// waiting one), and what a job makes is handed back on the GUI thread.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "WorkControl.h"

class JobRunner : public QObject {
  Q_OBJECT

 public:
  // What a job hands to the GUI thread: its result or news of its progress.
  using Delivery = std::function<void()>;

  // The worker's side of one job.
  class Job {
   public:
    // Raised by Cancel and by a newer request; the counts are what the window polls.
    WorkControl control;
    // Runs `update` on the GUI thread unless a newer request has come by
    // then; callable from any thread.
    void Post(Delivery update) const;

   private:
    friend class JobRunner;
    Job(JobRunner* runner, std::uint64_t number) : runner_(runner), number_(number) {}
    JobRunner* runner_;
    std::uint64_t number_;
  };

  // Runs on the worker thread; the delivery it returns (may be empty) runs on
  // the GUI thread unless a newer request came meanwhile.
  using Work = std::function<Delivery(Job&)>;

  explicit JobRunner(QObject* parent = nullptr) : QObject(parent) {}
  // Cancels the running job, drops a waiting one and waits for the worker.
  ~JobRunner() override;

  // Runs `work` now, or, while a job runs, cancels that job (its delivery is
  // dropped) and runs `work` after it in place of any request waiting.
  void Start(Work work);
  // Raises the latest request's flag, running or waiting; its delivery still
  // comes, the work telling what became of it.
  void Cancel();
  // A job runs, or the latest request waits for a cancelled one to end.
  bool busy() const { return running_ != nullptr; }
  // The latest request's counts (0 and 0 before its work sets them).
  int done() const;
  int total() const;

 private:
  struct Request {
    std::shared_ptr<Job> job;
    Work work;
  };
  void Launch(Request request);
  void Finished(const Delivery& delivery);
  const Job* Latest() const;

  std::shared_ptr<Job> running_;
  std::thread worker_;
  std::optional<Request> waiting_;
  std::uint64_t latest_ = 0;  // the number of the latest request
};
