// The worker hands its result back through a queued call on the job's thread,
// where the worker is joined and the next request, if any, is launched; the
// study itself spreads its notches over the cores.
#include "StudyJob.h"

#include <QMetaObject>
#include <QPointer>

StudyJob::~StudyJob() {
  Cancel();
  if (worker_.joinable()) worker_.join();
}

QuadrantStudy StudyJob::Compute(const Request& request, StudyControl* control) {
  std::optional<double> setting = request.settingDeg;
  std::optional<UsableRange> usable;
  const bool needRange = !setting || !request.plan.automatic;
  if (needRange && !request.session.takeFailure() && request.session.taken())
    usable = FindUsableRange(request.session, 2, control != nullptr ? &control->cancel : nullptr);
  // Full gear downwards is where a designer first sets the valve.
  if (!setting) setting = usable ? usable->hiDeg : 0;
  QuadrantStudy study = RunQuadrantStudy(request.session, *setting, request.plan, 0, control);
  if (!study.usable) study.usable = usable;
  return study;
}

void StudyJob::Start(Request request) {
  if (running()) {
    control_->cancel = true;
    waiting_ = std::move(request);
    return;
  }
  Launch(std::move(request));
}

void StudyJob::Cancel() {
  waiting_.reset();
  if (control_) control_->cancel = true;
}

int StudyJob::notchesDone() const {
  return running() ? control_->notchesDone.load() : 0;
}

int StudyJob::notchesTotal() const {
  return running() ? control_->notchesTotal.load() : 0;
}

void StudyJob::Launch(Request request) {
  control_ = std::make_unique<StudyControl>();
  StudyControl* control = control_.get();
  QPointer<StudyJob> self(this);
  worker_ = std::thread([this, self, control, request = std::move(request)] {
    QuadrantStudy study = Compute(request, control);
    // The job outlives its worker (the destructor joins it), so `this` is
    // valid here; the queued call runs only while the job still exists.
    QMetaObject::invokeMethod(
        this,
        [self, study = std::move(study)]() mutable {
          if (self) self->Delivered(std::move(study));
        },
        Qt::QueuedConnection);
  });
}

void StudyJob::Delivered(QuadrantStudy study) {
  worker_.join();
  const bool cancelled = control_->cancel.load();
  if (waiting_) {
    Request next = std::move(*waiting_);
    waiting_.reset();
    Launch(std::move(next));
    return;
  }
  if (!cancelled) emit finished(study);
}
