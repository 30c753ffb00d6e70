// The worker only ever posts to this object: Qt drops what is posted to it once
// it is gone, and the destructor cancels and joins first, so no result arrives
// at a window that was closed and destroyed.
#include "AssistantSearch.h"

#include <QMetaObject>

AssistantSearch::~AssistantSearch() {
  if (!thread_) return;
  cancel_ = true;
  thread_->wait();
  delete thread_;
}

bool AssistantSearch::Start(const DesignInput& input) {
  if (thread_) return false;
  cancel_ = false;
  thread_ = QThread::create([this, input] {
    const auto sink = [this](const DesignProgress& p) {
      const double best = p.bestInequality.value_or(0);
      const bool any = p.bestInequality.has_value();
      QMetaObject::invokeMethod(
          this, [this, p, best, any] { emit progressed(p.evaluations, p.maxEvaluations, best, any); },
          Qt::QueuedConnection);
    };
    auto result = std::make_shared<const DesignResult>(SearchDesign(input, &cancel_, sink));
    QMetaObject::invokeMethod(
        this, [this, result] { Finish(result); }, Qt::QueuedConnection);
  });
  thread_->start();
  return true;
}

void AssistantSearch::Finish(std::shared_ptr<const DesignResult> result) {
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  emit finished(std::move(result));
}
