// The GUI thread waits in a local event loop that leaves user input for later;
// the worker reports the held lock through JobRunner::Job::Post, which starts
// the notice timer, and the box then runs its own modal loop until the user
// cancels or the store is done (which closes it).
#include "StoreTask.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <exception>
#include <optional>

#include "JobRunner.h"

const QString& StoreTask::WaitingText() {
  static const QString text = QString::fromUtf8("Waiting for another program to finish with the data file…");
  return text;
}

StoreOutcome StoreTask::Run(QWidget* parent, const Operation& operation) {
  std::optional<StoreOutcome> outcome;
  QEventLoop loop;
  QMessageBox box(QMessageBox::NoIcon, "Message", WaitingText(), QMessageBox::Cancel, parent);
  box.setObjectName(kWaitingBoxName);
  box.setWindowModality(Qt::ApplicationModal);
  JobRunner runner;
  QTimer notice;
  notice.setSingleShot(true);
  notice.setTimerType(Qt::PreciseTimer);
  notice.setInterval(kNoticeDelayMs);
  QObject::connect(&notice, &QTimer::timeout, &box, [&] {
    if (outcome) return;
    box.exec();
    if (!outcome) runner.Cancel();  // the user's Cancel, not the store's end
  });
  runner.Start([&](JobRunner::Job& job) -> JobRunner::Delivery {
    LockWait wait;
    wait.cancelled = [&job] { return job.control.cancelled(); };
    wait.waiting = [&job, &notice] { job.Post([&notice] { notice.start(); }); };
    StoreOutcome result;
    try {
      result = operation(wait);
    } catch (const std::exception& error) {
      result = {StoreOutcome::Kind::notWritten,
                std::string(error.what()) + "\nThe data file was not changed."};
    }
    return [&, result] {
      outcome = result;
      if (box.isVisible()) box.done(QMessageBox::Ok);
      loop.quit();
    };
  });
  if (!outcome) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return *outcome;
}
