#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "compile/PaletteGeneration.h"
#include "model/ModelCatalogue.h"
#include "platform/GameDetection.h"
#include "project/ProjectDocument.h"
#include "project/ProjectListener.h"

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;
class QSplitter;
class QTabWidget;
class QTimer;
class QUndoStack;

namespace project {
class ProjectCommand;
}  // namespace project

namespace app {

class CompileJob;
class PreviewPanel;
class ProgressWindow;
class ProjectOptionsPage;
class SkinTreeModel;
class SkinTreeView;
class StartPage;
class TextureEditorPanel;
class UserQuestions;
struct CompileResult;

inline constexpr const char* WindowCaption = "UT Marbelle v" MARBELLE_VERSION;

// The main window: the skin tree with the texture editor and the project
// options on the left, the preview on the right. It owns the open document
// and runs every command of the menus against it; the rules are the
// libraries'.
class MainWindow final : public QMainWindow, private project::ProjectListener {
  Q_OBJECT
public:
  // `home` is the program home; every question goes to `questions`.
  MainWindow(std::filesystem::path home, UserQuestions& questions, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Opens a project file, asking first to save the open one when it is modified.
  bool OpenProject(const std::filesystem::path& file);
  // Shows the window as it last closed: frame, maximised or not, splitters
  // and advanced mode; the first time, centred on most of the screen.
  void ShowWithLastLayout();

  const project::ProjectDocument* Document() const { return document_.get(); }
  const model::ModelCatalogue& Catalogue() const { return catalogue_; }
  const std::string& GameDirectory() const { return game_.Location.gameDirectory; }
  std::filesystem::path GameDirectoryPath() const { return game_.Directory; }
  const platform::FoundGame& Game() const { return game_; }
  bool Busy() const { return busyCount_ > 0; }
  QUndoStack& UndoStack() const { return *undoStack_; }
  // Opens the popup menu as if the user right-clicked this node (nullptr: an empty part of the tree).
  QMenu& PopupFor(const project::SkinNode* node);
  // Runs the timer's work now.
  void RefreshTimerTick();
  // Reads the catalogue again (after the model compiler wrote a model).
  void ScanModelCatalogue();
  // Reads it again and gives the open project its model's new placement.
  void ReloadCatalogue();

signals:
  // A compilation started from the menu has ended and been reported.
  void CompileFinished();

protected:
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  void BuildMenus();
  void BuildLayout();
  void SaveLayout();
  QAction* AddAction(QMenu* menu, const char* name, const QString& caption);

  // Start-up.
  void BuildStartPage();
  // Shows what was found of the game and the recent projects, while no project is open.
  void UpdateStartPage();
  // Makes definitions for the game's player models that have none; asking,
  // also offers to replace those made before and tells what it did whatever
  // it did. Without asking, it tells only what it added.
  void AddGameModels(bool replaceAsking);
  void RegisterDesktopTypes();
  void DetectGameDirectory();
  void ReportCatalogueProblems();

  // Projects.
  void NewProject();
  void LoadProject();
  // Asks for the file of a new project of the model until its name fits the
  // model's prefix; nullptr when cancelled. Nothing is written.
  std::unique_ptr<project::ProjectDocument> AskNewProject(const std::shared_ptr<const model::TModelo>& model,
                                                          const QString& proposed);
  // "Open Skin Package...": a skin package as a new project, with a report of what does not fit.
  void OpenSkinPackage();
  // False when a save ran and left something unsaved; a declined "Save the
  // project?" lets the caller go on.
  bool SaveProject(bool asking);
  void SaveProjectAs();
  // Whether New, Load or Quit may go on: nothing is left half saved.
  bool OfferToSave();
  bool OpenProjectFile(const std::filesystem::path& file);
  void TakeDocument(std::unique_ptr<project::ProjectDocument> document);
  void UpdateTitle();
  void EnableProjectCommands();
  void RememberRecent(const std::filesystem::path& file);
  void FillRecentMenu();
  bool SaveWithQuestions(
      const std::function<project::SaveResult(const project::ProjectDocument::TextureSaveQuestion&)>& save);

  // The tree.
  void NewSkin();
  void EditSkin();
  void DeleteSkin();
  void AddTexture();
  void EditTexture();
  void DeleteTexture();
  void ImportTextures();
  void ImportFiles(const QStringList& files);
  void RefreshTextures();
  void SelectionChanged();
  void ShowPopup(const QPoint& position);
  void Push(std::unique_ptr<project::ProjectCommand> command, int mergeId = -1);
  void Reveal(const project::SkinNode& node);
  void GeneratePalettes();

  // Compiling.
  void CompileProject(bool install, bool umod);
  void CompileEnded(const CompileResult& result);
  // Installs the files of a .umod archive into the game directory.
  void InstallUmod();
  void BeginBusy();
  void EndBusy();

  // The rest of the menus.
  void ToggleLoadAnimations();
  void ToggleAdvancedMode();
  void ShowModelCompiler();
  void ShowHelpContents();
  void ShowOpenGLInformation();
  void ShowAbout();
  void ShowPreferences();

  // Runs a command, showing any error as the default error report, with a prefix before its text.
  void Guarded(const std::function<void()>& command, const QString& prefix = {});

  // The document's notices.
  void OptionsChanged() override;
  void FileNameChanged() override;
  void NodeAboutToBeRemoved(const project::SkinNode& parent, int row) override;
  void TexturePixelsChanged(const project::SkinNode& texture) override;
  void TexturePaletteChanged(const project::SkinNode& texture) override;
  void NodeInserted(const project::SkinNode& parent, int row) override;
  void NodeRemoved(const project::SkinNode& parent, int row) override;
  void NodeChanged(const project::SkinNode& node) override;
  void ChildrenSorted(const project::SkinNode& parent, const std::vector<int>& oldRows) override;

  std::filesystem::path home_;
  std::filesystem::path settingsFile_;
  UserQuestions& questions_;
  model::ModelCatalogue catalogue_;
  std::unique_ptr<project::ProjectDocument> document_;
  compile::PaletteGenerator palettes_;
  platform::FoundGame game_;
  std::size_t gameModelCount_ = 0;
  int busyCount_ = 0;
  const project::SkinNode* popupNode_ = nullptr;

  QUndoStack* undoStack_;
  SkinTreeModel* treeModel_;
  SkinTreeView* tree_ = nullptr;
  TextureEditorPanel* editor_ = nullptr;
  PreviewPanel* preview_ = nullptr;
  ProjectOptionsPage* options_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  StartPage* startPage_ = nullptr;
  QSplitter* columns_ = nullptr;
  QSplitter* skinRows_ = nullptr;
  QLabel* statusText_ = nullptr;
  QTimer* refreshTimer_;
  ProgressWindow* progress_ = nullptr;
  CompileJob* compileJob_;
  QMenu* popup_ = nullptr;
  QMenu* recentMenu_ = nullptr;

  QAction* saveProject_ = nullptr;
  QAction* saveAs_ = nullptr;
  QAction* loadAnimations_ = nullptr;
  QAction* expertMode_ = nullptr;
  QAction* modelCompiler_ = nullptr;
  QAction* refreshTextures_ = nullptr;
  QAction* importTextures_ = nullptr;
  QAction* compile_ = nullptr;
  QAction* compileInstall_ = nullptr;
  QAction* compileUmod_ = nullptr;
};

}  // namespace app
