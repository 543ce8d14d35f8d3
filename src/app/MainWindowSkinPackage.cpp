// "Open Skin Package...": a skin package that exists, opened as a new project.
#include "app/MainWindow.h"
#include "app/QtText.h"
#include "app/UserQuestions.h"
#include "app/WaitCursor.h"
#include "compile/SkinPackageProject.h"

namespace app {

namespace {

constexpr const char* Title = "Open Skin Package";

}  // namespace

void MainWindow::OpenSkinPackage() {
  if (!OfferToSave()) return;
  // Skin packages live in the game's Textures folder.
  const std::filesystem::path textures = platform::GameFolder(GameDirectoryPath(), "Textures");
  std::error_code error;
  const std::filesystem::path start = game_.Found() && std::filesystem::is_directory(textures, error) ? textures : home_;
  const QString chosen = questions_.PickOpenFile(FileKind::GamePackage, "Open Skin Package", PathToQString(start),
                                                 "Texture packages (*.utx);;All files (*)");
  if (chosen.isEmpty()) return;
  const std::filesystem::path packageFile = QStringToPath(chosen);
  std::vector<std::string> report;
  const compile::SkinPackage package = [&] {
    const WaitCursor cursor;
    return compile::ReadSkinPackage(packageFile, report);
  }();

  // The model whose names explain the most textures; the user chooses among equals.
  model::ModelCatalogue fitting;
  fitting.Entries = compile::BestFittingModels(catalogue_, package);
  if (fitting.Entries.empty()) {
    questions_.Message(MessageIcon::Error, Title,
                       "No installed model names the textures of " + chosen + ". Find the game's models or make a "
                       "definition for the package's model first.");
    return;
  }
  std::shared_ptr<const model::TModelo> model = fitting.Entries.front();
  if (fitting.Entries.size() > 1) {
    const std::optional<std::size_t> picked = questions_.AskModel(fitting);
    if (!picked || *picked >= fitting.Entries.size()) return;
    model = fitting.Entries[*picked];
  }
  const auto proposedName = packageFile.stem().string().rfind(model->Prefix + "Skins", 0) == 0
                                ? packageFile.stem().string()
                                : model->Prefix + "Skins" + packageFile.stem().string();
  const std::unique_ptr<project::ProjectDocument> named = AskNewProject(model, PathToQString(home_ / proposedName));
  if (!named) return;
  const std::filesystem::path projectFile = named->FileName();
  if (const auto inTheWay = compile::FilesInTheWay(package, projectFile); !inTheWay.empty()) {
    QStringList files;
    for (const auto& file : inTheWay) files << PathToQString(file);
    if (!questions_.AskYesNo(MessageIcon::Warning, Title, "These files exist already:\n\n" + files.join("\n") +
                                                              "\n\nReplace them?"))
      return;
  }
  const auto intFile = compile::FindPackageInt(packageFile, GameDirectoryPath());
  const compile::OpenedSkinPackage opened = compile::OpenSkinPackage(package, model, projectFile, home_, intFile);
  report.insert(report.end(), opened.Report.begin(), opened.Report.end());
  if (!OpenProjectFile(projectFile)) return;
  QString text = QString("%1 textures of %2 are now the project %3, for the model %4, with their pictures in %5.")
                     .arg(package.Textures.size())
                     .arg(PathToQString(packageFile.filename()), PathToQString(projectFile.filename()),
                          ToQString(model->Name), PathToQString(compile::PictureFolder(projectFile)));
  text += intFile ? "\nDescriptions come from " + PathToQString(*intFile) + "." : QString("\nNo .int file was found.");
  if (!report.empty()) {
    QStringList lines;
    for (const std::string& line : report) lines << ToQString(line);
    text += "\n\nWhat does not fit:\n\n" + lines.join("\n");
  }
  questions_.Message(report.empty() ? MessageIcon::Information : MessageIcon::Warning, Title, text);
}

}  // namespace app
