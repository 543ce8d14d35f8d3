#include "app/CompileJob.h"

#include "app/QtText.h"
#include "compile/CompileCancelled.h"
#include "project/ProjectDocument.h"

namespace app {

CompileJob::CompileJob(QObject* parent) : QObject(parent) { qRegisterMetaType<app::CompileResult>(); }

CompileJob::~CompileJob() {
  if (worker_.joinable()) {
    worker_.request_stop();
    worker_.join();
  }
}

void CompileJob::Start(std::unique_ptr<project::ProjectDocument> snapshot, compile::CompileRequest request) {
  if (worker_.joinable()) worker_.join();
  running_ = true;
  auto compiler = std::make_shared<compile::ProjectCompiler>(std::move(snapshot), std::move(request));
  worker_ = std::jthread([this, compiler](const std::stop_token& stop) {
    CompileResult result;
    try {
      result.Outcome = compiler->Run(stop, [this](const compile::CompileProgress& progress) { Report(progress); });
      result.How = CompileResult::End::Compiled;
    } catch (const compile::CompileCancelled& e) {
      result.How = CompileResult::End::Cancelled;
      result.Error = ToQString(e.what());
    } catch (const std::exception& e) {
      result.How = CompileResult::End::Failed;
      result.Error = ToQString(e.what());
    }
    QMetaObject::invokeMethod(
        this,
        [this, result] {
          running_ = false;
          emit Finished(result);
        },
        Qt::QueuedConnection);
  });
}

void CompileJob::Cancel() { worker_.request_stop(); }

void CompileJob::Report(const compile::CompileProgress& progress) {
  {
    const std::lock_guard lock(mutex_);
    latest_ = progress;
  }
  if (!progressPosted_.exchange(true))
    QMetaObject::invokeMethod(this, &CompileJob::DeliverProgress, Qt::QueuedConnection);
}

void CompileJob::DeliverProgress() {
  compile::CompileProgress progress;
  {
    const std::lock_guard lock(mutex_);
    progress = latest_;
    progressPosted_ = false;
  }
  emit Progress(ToQString(progress.Step), progress.Fraction);
}

}  // namespace app
