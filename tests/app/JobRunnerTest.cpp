// The job runner: the latest request wins (the running job is cancelled, only
// the latest waiting request runs after it, and nothing of the others reaches
// the GUI thread), a cancel still delivers, and destruction stops and joins.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "JobRunner.h"

namespace {

// Work that counts its steps until its flag is raised (at most ten seconds).
void StepUntilCancelled(JobRunner::Job& job) {
  job.control.total = 100;
  for (int i = 0; i < 10000 && !job.control.cancelled(); ++i) {
    ++job.control.done;
    QThread::msleep(1);
  }
}

bool WaitUntil(const std::function<bool()>& ready) {
  QElapsedTimer clock;
  clock.start();
  while (!ready() && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return ready();
}

}  // namespace

TEST(JobRunner, TheLatestRequestWinsAndIsDeliveredOnTheGuiThread) {
  JobRunner runner;
  std::atomic<int> runs[3] = {0, 0, 0};
  std::vector<std::string> delivered;
  bool onGuiThread = true;
  const auto request = [&](int n) {
    return [&, n](JobRunner::Job& job) -> JobRunner::Delivery {
      ++runs[n];
      if (n == 0) StepUntilCancelled(job);
      job.Post([&, n] { delivered.push_back("news of " + std::to_string(n)); });
      return [&, n] {
        delivered.push_back("result of " + std::to_string(n));
        onGuiThread = onGuiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
      };
    };
  };
  runner.Start(request(0));
  runner.Start(request(1));
  runner.Start(request(2));
  ASSERT_TRUE(WaitUntil([&] { return !runner.busy(); }));
  EXPECT_EQ(runs[0], 1);
  EXPECT_EQ(runs[1], 0);
  EXPECT_EQ(runs[2], 1);
  EXPECT_EQ(delivered, (std::vector<std::string>{"news of 2", "result of 2"}));
  EXPECT_TRUE(onGuiThread);
}

TEST(JobRunner, ACancelStillDeliversAndDestructionStopsTheWorker) {
  JobRunner runner;
  std::vector<std::string> delivered;
  const auto request = [&](const std::string& name) {
    return [&, name](JobRunner::Job& job) -> JobRunner::Delivery {
      StepUntilCancelled(job);
      const bool cancelled = job.control.cancelled();
      return [&, name, cancelled] { delivered.push_back(name + (cancelled ? " cancelled" : " ended")); };
    };
  };
  runner.Start(request("running"));
  ASSERT_TRUE(WaitUntil([&] { return runner.done() > 0; }));
  EXPECT_EQ(runner.total(), 100);
  runner.Cancel();
  ASSERT_TRUE(WaitUntil([&] { return !runner.busy(); }));
  EXPECT_EQ(delivered, std::vector<std::string>{"running cancelled"});

  // A request still waiting runs with its flag raised and says so.
  runner.Start(request("first"));
  runner.Start(request("second"));
  runner.Cancel();
  ASSERT_TRUE(WaitUntil([&] { return !runner.busy(); }));
  EXPECT_EQ(delivered.back(), "second cancelled");
  EXPECT_EQ(delivered.size(), 2u);

  auto doomed = std::make_unique<JobRunner>();
  doomed->Start(request("doomed"));
  ASSERT_TRUE(WaitUntil([&] { return doomed->done() > 0; }));
  doomed.reset();
  QCoreApplication::processEvents();
  EXPECT_EQ(delivered.size(), 2u);
}
