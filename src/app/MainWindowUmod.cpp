#include "app/MainWindow.h"
#include "app/QtText.h"
#include "app/UserQuestions.h"
#include "compile/UmodInstall.h"

namespace app {

void MainWindow::InstallUmod() {
  // Archives are often kept in the game's folder; the program home when there is no game.
  std::error_code error;
  const std::filesystem::path start =
      std::filesystem::is_directory(GameDirectoryPath(), error) ? GameDirectoryPath() : home_;
  const QString file = questions_.PickOpenFile(FileKind::Umod, "Install UMOD", PathToQString(start),
                                               "UMOD installers (*.umod);;All files (*)");
  if (file.isEmpty()) return;
  // Every check of the archive runs before the question, so nothing is offered that would be refused.
  const compile::UmodContents archive = compile::ReadUmodArchive(QStringToPath(file));
  const std::vector<compile::UmodPlacement> placements = compile::PlanUmodInstall(archive, GameDirectoryPath());
  const compile::UmodManifest manifest = compile::ReadUmodManifest(archive);
  QString question = QString("Install %1 (version %2) into %3?\n")
                         .arg(ToQString(manifest.Product), ToQString(manifest.Version), PathToQString(GameDirectoryPath()));
  int replacing = 0;
  for (const compile::UmodPlacement& placement : placements) {
    question += "\n" + PathToQString(placement.Target) + (placement.Replaces ? "  (replaces the file there)" : "");
    replacing += placement.Replaces ? 1 : 0;
  }
  if (!questions_.AskYesNo(MessageIcon::Question, "Install UMOD", question)) return;
  compile::WriteUmodPlacements(archive, placements);
  questions_.Message(MessageIcon::Information, "Install UMOD",
                     QString("%1 is installed: %2 files written, %3 of them in place of older ones.")
                         .arg(ToQString(manifest.Product))
                         .arg(placements.size())
                         .arg(replacing));
}

}  // namespace app
