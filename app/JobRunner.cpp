// Every request is numbered; what a job posts carries its number and runs only
// while that is still the latest, so a superseded job's progress and result
// never reach the window; each delivery runs as a Reaction, so an error shows
// and abandons only that delivery. The worker posts only to the runner, which
// joins it before it goes, and Qt drops what was posted to an object destroyed since.
#include "JobRunner.h"

#include <QMetaObject>
#include <exception>

#include "Reaction.h"

void JobRunner::Job::Post(Delivery update) const {
  JobRunner* runner = runner_;
  const std::uint64_t number = number_;
  QMetaObject::invokeMethod(
      runner,
      [runner, number, update = std::move(update)] {
        if (runner->latest_ == number) Reaction(update)();
      },
      Qt::QueuedConnection);
}

JobRunner::~JobRunner() {
  waiting_.reset();
  if (running_) running_->control.cancel = true;
  if (worker_.joinable()) worker_.join();
}

void JobRunner::Start(Work work) {
  Request request{std::shared_ptr<Job>(new Job(this, ++latest_)), std::move(work)};
  if (!running_) return Launch(std::move(request));
  running_->control.cancel = true;
  waiting_ = std::move(request);
}

void JobRunner::Cancel() {
  if (running_) running_->control.cancel = true;
  if (waiting_) waiting_->job->control.cancel = true;
}

int JobRunner::done() const {
  const Job* job = Latest();
  return job ? job->control.done.load() : 0;
}

int JobRunner::total() const {
  const Job* job = Latest();
  return job ? job->control.total.load() : 0;
}

const JobRunner::Job* JobRunner::Latest() const {
  return waiting_ ? waiting_->job.get() : running_.get();
}

void JobRunner::Launch(Request request) {
  running_ = request.job;
  worker_ = std::thread([this, request = std::move(request)] {
    Delivery delivery;
    try {
      delivery = request.work(*request.job);
    } catch (...) {
      // Thrown again on the GUI thread, where the application shows it.
      delivery = [error = std::current_exception()] { std::rethrow_exception(error); };
    }
    QMetaObject::invokeMethod(
        this, [this, delivery = std::move(delivery)] { Finished(delivery); }, Qt::QueuedConnection);
  });
}

void JobRunner::Finished(const Delivery& delivery) {
  worker_.join();
  const std::uint64_t number = running_->number_;
  running_.reset();
  if (waiting_) {
    Request next = std::move(*waiting_);
    waiting_.reset();
    Launch(std::move(next));
  }
  if (number == latest_ && delivery) Reaction(delivery)();
}
