// The main window's project commands: new, load, save, save as, recent projects.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTreeView>
#include <QUndoStack>

#include "app/MainWindow.h"
#include "app/PreviewPanel.h"
#include "app/ProgressWindow.h"
#include "app/ProjectOptionsPage.h"
#include "app/QtText.h"
#include "app/SkinTreeModel.h"
#include "app/SkinTreeView.h"
#include "app/TextureEditorPanel.h"
#include "app/UserQuestions.h"
#include "app/WaitCursor.h"
#include "platform/ProgramSettings.h"
#include "project/ProjectDocument.h"

namespace app {

namespace {

constexpr const char* ProjectFilter = "Marbelle Projects (*.mrb)";

QString SaveTitle(const std::string& prefix) {
  return "Saving Marbelle Project (prefix must be \"" + ToQString(prefix) + "Skins\")";
}

// The name a save dialog proposes: the prefix the model requires.
QString ProposedProject(const std::filesystem::path& home, const std::string& prefix) {
  return PathToQString(home / (prefix + "Skins"));
}

}  // namespace

bool MainWindow::OfferToSave() { return !document_ || !document_->Modified() || SaveProject(true); }

void MainWindow::NewProject() {
  if (!OfferToSave()) return;
  const std::optional<std::size_t> chosen = questions_.AskModel(catalogue_);
  if (!chosen || *chosen >= catalogue_.Entries.size()) return;
  std::unique_ptr<project::ProjectDocument> document =
      AskNewProject(catalogue_.Entries[*chosen], ProposedProject(home_, catalogue_.Entries[*chosen]->Prefix));
  if (!document) return;
  TakeDocument(std::move(document));
  preview_->Initialize(*document_, home_);
}

std::unique_ptr<project::ProjectDocument> MainWindow::AskNewProject(const std::shared_ptr<const model::TModelo>& model,
                                                                   const QString& proposed) {
  // A refused name asks again, until a right one or Cancel.
  while (true) {
    const QString file = questions_.PickSaveFile(FileKind::Project, SaveTitle(model->Prefix), proposed, ProjectFilter, "mrb");
    if (file.isEmpty()) return nullptr;
    try {
      return project::ProjectDocument::New(model, QStringToPath(file), home_);
    } catch (const project::ProjectError& e) {
      questions_.Message(MessageIcon::Error, "Saving", ToQString(e.what()));
    }
  }
}

void MainWindow::LoadProject() {
  if (!OfferToSave()) return;
  const QString file =
      questions_.PickOpenFile(FileKind::Project, "Opening Marbelle Project", PathToQString(home_), ProjectFilter);
  if (file.isEmpty()) return;
  OpenProjectFile(QStringToPath(file));
}

bool MainWindow::OpenProject(const std::filesystem::path& file) {
  bool opened = false;
  Guarded([&] { opened = OfferToSave() && OpenProjectFile(file); });
  return opened;
}

bool MainWindow::OpenProjectFile(const std::filesystem::path& file) {
  const std::filesystem::path absolute = std::filesystem::absolute(file);
  std::unique_ptr<project::ProjectDocument> document;
  {
    const WaitCursor cursor;
    ProgressWindow window(this);
    window.Open("Loading project " + PathToQString(absolute.filename()) + "...");
    try {
      document = project::ProjectDocument::Load(absolute, catalogue_, home_,
                                                [&](const std::string& step) { window.SetText(ToQString(step)); });
    } catch (const project::ProjectError& e) {
      window.close();
      questions_.Message(MessageIcon::Error, "ERROR", ToQString(e.what()));
      return false;
    }
    TakeDocument(std::move(document));
    window.SetText("Generating palettes...");
    GeneratePalettes();
  }
  RememberRecent(absolute);
  if (!document_->LoadReport().empty()) {
    QStringList lines;
    for (const std::string& line : document_->LoadReport()) lines << ToQString(line);
    questions_.Message(MessageIcon::Warning, "Loading project", lines.join("\n\n"));
  }
  preview_->Initialize(*document_, home_);
  return true;
}

void MainWindow::TakeDocument(std::unique_ptr<project::ProjectDocument> document) {
  editor_->SetDocument(nullptr);
  preview_->Clear();
  popupNode_ = nullptr;
  treeModel_->SetDocument(nullptr);
  std::unique_ptr<project::ProjectDocument> old = std::move(document_);
  if (old) old->RemoveListener(*this);
  // The history's commands refer to the old document.
  undoStack_->clear();
  old.reset();
  palettes_ = compile::PaletteGenerator();

  document_ = std::move(document);
  document_->AddListener(*this);
  treeModel_->SetDocument(document_.get());
  editor_->SetDocument(document_.get());
  options_->ShowOptions(document_->Options());
  statusText_->clear();
  const QModelIndex root = treeModel_->index(0, 0);
  tree_->expand(root);
  tree_->scrollToTop();
  tree_->setCurrentIndex(root);
  UpdateTitle();
  EnableProjectCommands();
}

void MainWindow::UpdateTitle() {
  if (!document_) {
    setWindowTitle(WindowCaption);
    return;
  }
  setWindowTitle(QString(WindowCaption) + " - (" + ToQString(document_->Model().Name) + ") " +
                 ToQString(document_->TitleFileName()));
}

void MainWindow::EnableProjectCommands() {
  for (QAction* action : {saveProject_, saveAs_, importTextures_, refreshTextures_, compile_, compileInstall_, compileUmod_})
    action->setEnabled(true);
  pages_->setEnabled(true);
  UpdateStartPage();
}

bool MainWindow::SaveWithQuestions(const std::function<project::SaveResult(const project::ProjectDocument::TextureSaveQuestion&)>& save) {
  const project::SaveResult result =
      save([this](const std::string& question) { return questions_.AskYesNo(MessageIcon::Question, "Saving...", ToQString(question)); });
  if (!result.Unsaved.empty()) {
    QStringList lines;
    for (const std::string& line : result.Unsaved) lines << ToQString(line);
    questions_.Message(MessageIcon::Warning, "Saving",
                       "The project file is saved, but these textures are not; they keep their changes, and the "
                       "project stays modified:\n\n" +
                           lines.join("\n\n"));
  }
  RememberRecent(document_->FileName());
  return result.Unsaved.empty();
}

bool MainWindow::SaveProject(bool asking) {
  if (!document_) return true;
  if (asking && !questions_.AskYesNo(MessageIcon::Question, "Save Project", "Save the project?")) return true;
  return SaveWithQuestions([this](const auto& ask) { return document_->Save(ask); });
}

void MainWindow::SaveProjectAs() {
  if (!document_) return;
  const std::string& prefix = document_->Model().Prefix;
  const QString file = questions_.PickSaveFile(FileKind::Project, SaveTitle(prefix), ProposedProject(home_, prefix),
                                               ProjectFilter, "mrb");
  if (file.isEmpty()) return;
  const std::filesystem::path target = QStringToPath(file);
  SaveWithQuestions([&](const auto& ask) { return document_->SaveAs(target, ask); });
}

void MainWindow::RememberRecent(const std::filesystem::path& file) {
  Guarded([&] { platform::RememberRecentProject(settingsFile_, file); });
}

void MainWindow::FillRecentMenu() {
  recentMenu_->clear();
  std::vector<std::filesystem::path> files;
  Guarded([&] { files = platform::ReadRecentProjects(settingsFile_); });
  for (const std::filesystem::path& file : files) {
    QAction* action = recentMenu_->addAction(PathToQString(file));
    connect(action, &QAction::triggered, this, [this, file] { OpenProject(file); });
  }
  if (files.empty()) recentMenu_->addAction("(none)")->setEnabled(false);
}

}  // namespace app
