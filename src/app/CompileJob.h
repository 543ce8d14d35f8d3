#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "compile/ProjectCompiler.h"

namespace app {

// How a compilation on the worker thread ended.
struct CompileResult {
  enum class End { Compiled, Cancelled, Failed };
  End How = End::Failed;
  compile::CompileOutcome Outcome;
  // The error's text when it failed; the cancellation's when it was stopped.
  QString Error;
};

// Runs ProjectCompiler on a worker thread from a snapshot of the document.
// Progress reaches the GUI thread coalesced, the latest step only, so a fast
// compilation cannot flood the event loop.
class CompileJob final : public QObject {
  Q_OBJECT
public:
  explicit CompileJob(QObject* parent = nullptr);
  // Stops a compilation still running and waits for it.
  ~CompileJob() override;

  void Start(std::unique_ptr<project::ProjectDocument> snapshot, compile::CompileRequest request);
  void Cancel();
  bool Running() const { return running_; }

signals:
  void Progress(const QString& step, double fraction);
  void Finished(const app::CompileResult& result);

private:
  void Report(const compile::CompileProgress& progress);
  void DeliverProgress();

  bool running_ = false;
  std::mutex mutex_;
  compile::CompileProgress latest_;
  std::atomic<bool> progressPosted_{false};
  std::jthread worker_;
};

}  // namespace app
