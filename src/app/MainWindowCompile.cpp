// The main window's compile commands: the package and localisation file,
// then an installation or a UMOD archive, on a worker thread.
#include "app/CompileJob.h"
#include "app/MainWindow.h"
#include "app/ProgressWindow.h"
#include "app/QtText.h"
#include "app/UserQuestions.h"
#include "platform/ParallelFor.h"
#include "project/ProjectDocument.h"

namespace app {

void MainWindow::CompileProject(bool install, bool umod) {
  if (!document_ || compileJob_->Running()) return;
  // The snapshot takes the palettes as the window keeps them: current.
  GeneratePalettes();
  compile::CompileRequest request;
  request.GeneratePalettes = false;
  request.Install = install;
  request.Umod = umod;
  request.Jobs = platform::HardwareJobs();
  if (install) {
    request.GameDirectoryShown = GameDirectory();
    request.GameDirectory = GameDirectoryPath();
  }
  BeginBusy();
  progress_ = new ProgressWindow(this);
  progress_->Open("Compiling " + PathToQString(document_->FileName().filename()) + "...");
  progress_->SetFraction(0);
  progress_->SetCancel([this] { compileJob_->Cancel(); });
  connect(compileJob_, &CompileJob::Progress, progress_, [this](const QString& step, double fraction) {
    progress_->SetText(step);
    progress_->SetFraction(fraction);
  });
  try {
    compileJob_->Start(document_->Snapshot(), request);
  } catch (...) {
    delete std::exchange(progress_, nullptr);
    EndBusy();
    throw;
  }
}

void MainWindow::CompileEnded(const CompileResult& result) {
  delete std::exchange(progress_, nullptr);
  EndBusy();
  switch (result.How) {
    case CompileResult::End::Compiled: {
      QStringList lines;
      for (const auto* messages : {&result.Outcome.Refusals, &result.Outcome.Warnings})
        for (const std::string& message : *messages) lines << ToQString(message);
      if (!lines.isEmpty()) questions_.Message(MessageIcon::Warning, "Compilation", lines.join("\n\n"));
      QStringList written;
      for (const std::filesystem::path& file : result.Outcome.WrittenFiles) written << PathToQString(file);
      questions_.Message(MessageIcon::Information, "Compilation",
                         ToQString(result.Outcome.Message) + "\n\nFiles written:\n" + written.join("\n"));
      break;
    }
    case CompileResult::End::Cancelled:
      questions_.Message(MessageIcon::Information, "Compilation", result.Error + " No file was changed.");
      break;
    case CompileResult::End::Failed:
      questions_.Message(MessageIcon::Error, "ERROR", result.Error);
      break;
  }
  emit CompileFinished();
}

}  // namespace app
