// The main window's tree commands: the popup menu with its skin and texture
// dialogs, import, the texture refresh and what a selection shows.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QUndoStack>

#include "app/MainWindow.h"
#include "app/ProjectUndoCommand.h"
#include "app/QtText.h"
#include "app/SkinTreeModel.h"
#include "app/SkinTreeView.h"
#include "app/TextureDialog.h"
#include "app/TextureEditorPanel.h"
#include "app/UserQuestions.h"
#include "platform/ParallelFor.h"
#include "project/ProjectCommands.h"
#include "project/TeamLabels.h"

namespace app {

namespace {

QStringList ToQStringList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) list << ToQString(text);
  return list;
}

// A popup command acts on the node it was opened on, when that is of its kind.
const project::SkinNode* OfKind(const project::SkinNode* node, project::NodeKind kind) {
  return node && node->Kind() == kind ? node : nullptr;
}

}  // namespace

QMenu& MainWindow::PopupFor(const project::SkinNode* node) {
  popupNode_ = node ? node : document_ ? &document_->Root() : nullptr;
  for (QAction* action : popup_->actions())
    action->setVisible(popupNode_ && action->data().toInt() == popupNode_->Depth());
  return *popup_;
}

void MainWindow::ShowPopup(const QPoint& position) {
  if (!document_) return;
  QMenu& menu = PopupFor(SkinTreeModel::NodeOf(tree_->indexAt(position)));
  menu.exec(tree_->viewport()->mapToGlobal(position));
}

void MainWindow::Push(std::unique_ptr<project::ProjectCommand> command, int mergeId) {
  if (!command || !document_) return;
  undoStack_->push(new ProjectUndoCommand(*document_, std::move(command), mergeId));
}

void MainWindow::Reveal(const project::SkinNode& node) {
  const QModelIndex index = treeModel_->IndexOf(node);
  tree_->expandRecursively(index);
  tree_->scrollTo(index);
}

void MainWindow::GeneratePalettes() {
  if (!document_) return;
  Guarded([&] { palettes_.Generate(*document_, platform::HardwareJobs()); });
}

void MainWindow::NewSkin() {
  if (!OfKind(popupNode_, project::NodeKind::Project)) return;
  std::unique_ptr<project::ProjectCommand> command;
  const auto make = [&](const SkinValues& values) {
    command = project::MakeNewSkin(*document_, ToDocumentText(values.Description), ToDocumentText(values.Code));
  };
  const std::optional<SkinValues> values = questions_.AskSkin({{}, {}, document_->Model().SingleSkin}, make);
  if (!values) return;
  if (!command) make(*values);
  const project::ProjectCommand* made = command.get();
  Push(std::move(command));
  Reveal(project::CreatedNode(*made));
}

void MainWindow::EditSkin() {
  const project::SkinNode* skin = OfKind(popupNode_, project::NodeKind::Skin);
  if (!skin) return;
  std::unique_ptr<project::ProjectCommand> command;
  const auto make = [&](const SkinValues& values) {
    command = project::MakeEditSkin(*document_, *skin, ToDocumentText(values.Description), ToDocumentText(values.Code));
  };
  const std::optional<SkinValues> values =
      questions_.AskSkin({ToQString(skin->Description()), ToQString(skin->Code()), document_->Model().SingleSkin}, make);
  if (!values) return;
  if (!command) make(*values);
  Push(std::move(command));
}

void MainWindow::DeleteSkin() {
  if (const project::SkinNode* skin = OfKind(popupNode_, project::NodeKind::Skin))
    Push(project::MakeDeleteSkin(*document_, *skin));
}

void MainWindow::AddTexture() {
  const project::SkinNode* section = OfKind(popupNode_, project::NodeKind::Section);
  if (!section) return;
  const model::TModeloPart& part = document_->SectionOf(*section).Part;
  TextureDialogSetup setup;
  setup.Adding = true;
  setup.Teams = ToQStringList(document_->TeamChoices(*section));
  setup.Team = ToQString(project::DefaultLabel);
  setup.TeamEnabled = part.Has(model::TEAM);
  setup.FaceEnabled = part.Has(model::FACE);
  if (setup.FaceEnabled) setup.Faces = ToQStringList(document_->FaceChoices(*section->Skin()));
  std::unique_ptr<project::ProjectCommand> command;
  const auto make = [&](const TextureValues& values) {
    command = project::MakeAddTexture(*document_, *section, QStringToPath(values.FileName),
                                      ToDocumentText(values.Team), ToDocumentText(values.Face));
  };
  const std::optional<TextureValues> values = questions_.AskTexture("New Texture", setup, make);
  if (!values) return;
  if (!command) make(*values);
  const project::ProjectCommand* made = command.get();
  Push(std::move(command));
  Reveal(project::CreatedNode(*made));
}

void MainWindow::EditTexture() {
  const project::SkinNode* texture = OfKind(popupNode_, project::NodeKind::Texture);
  if (!texture) return;
  const project::SkinNode& section = *texture->Parent();
  const model::TModeloPart& part = document_->SectionOf(section).Part;
  const project::TObjetoTextura& entry = texture->Texture();
  TextureDialogSetup setup;
  setup.Adding = false;
  setup.FileName = PathToQString(entry.FileName);
  setup.Teams = ToQStringList(document_->TeamChoices(section));
  const QString team = ToQString(project::LabelOfIdentifier(entry.Identifier));
  setup.Team = setup.Teams.contains(team) ? team : QString();
  setup.TeamEnabled = part.Has(model::TEAM);
  setup.FaceEnabled = part.Has(model::FACE);
  if (setup.FaceEnabled) setup.Faces = ToQStringList(document_->FaceChoices(*texture->Skin()));
  setup.Face = ToQString(project::FaceOfDescription(entry.Description));
  std::unique_ptr<project::ProjectCommand> command;
  const auto make = [&](const TextureValues& values) {
    command = project::MakeEditTexture(*document_, *texture, ToDocumentText(values.Team), ToDocumentText(values.Face));
  };
  const std::optional<TextureValues> values = questions_.AskTexture("Edit Texture", setup, make);
  if (!values) return;
  if (!command) make(*values);
  Push(std::move(command));
}

void MainWindow::DeleteTexture() {
  if (const project::SkinNode* texture = OfKind(popupNode_, project::NodeKind::Texture))
    Push(project::MakeDeleteTexture(*document_, *texture));
}

void MainWindow::ImportTextures() {
  if (!document_) return;
  ImportFiles(questions_.PickOpenFiles(FileKind::Texture, "Import Textures", PathToQString(home_), PictureFilter()));
}

void MainWindow::ImportFiles(const QStringList& files) {
  if (!document_ || files.isEmpty()) return;
  std::vector<std::filesystem::path> paths;
  for (const QString& file : files) paths.push_back(QStringToPath(file));
  project::ImportResult result;
  Push(project::MakeImportTextures(*document_, paths, result));
  if (!result.Skipped.empty())
    questions_.Message(MessageIcon::Warning, "Import Textures",
                       "These files were left out:\n\n" + ToQStringList(result.Skipped).join("\n"));
}

void MainWindow::RefreshTextures() {
  // A file read back in the middle of a stroke would be painted over at its end.
  if (!document_ || editor_->Stroking()) return;
  const project::RefreshResult result = document_->RefreshTextures([this](const std::string& question) {
    return questions_.AskReloadOrKeep("Texture Changed on Disk", ToQString(question)) == ReloadAnswer::Reload;
  });
  for (const std::string& warning : result.Warnings) questions_.Message(MessageIcon::Warning, "WARNING", ToQString(warning));
  if (result.Changed) GeneratePalettes();
}

void MainWindow::RefreshTimerTick() {
  // An open question or dialog may be about a texture ("Save modified
  // texture?", this refresh's own); its answer must find it as it was asked.
  if (Busy() || QApplication::activeModalWidget()) return;
  Guarded([this] { RefreshTextures(); }, "RefreshTextures: ");
}

void MainWindow::SelectionChanged() {
  const project::SkinNode* node = SkinTreeModel::NodeOf(tree_->currentIndex());
  editor_->FinishStroke();
  editor_->ShowTexture(OfKind(node, project::NodeKind::Texture));
  if (!node || !document_) {
    statusText_->clear();
  } else if (node->Kind() == project::NodeKind::Texture) {
    statusText_->setText(PathToQString(node->Texture().FileName));
  } else if (node->Kind() == project::NodeKind::Section) {
    statusText_->setText(ToQString(model::DescribeSection(document_->SectionOf(*node).Part)));
  } else {
    statusText_->clear();
  }
}

}  // namespace app
