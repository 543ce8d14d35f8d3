#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/AboutBox.h"
#include "app/CompileJob.h"
#include "app/ErrorReport.h"
#include "app/HelpFile.h"
#include "app/ModelCompilerWindow.h"
#include "app/OpenGLInformationDialog.h"
#include "app/PreferencesDialog.h"
#include "app/PreviewPanel.h"
#include "app/ProgressWindow.h"
#include "app/ProjectOptionsPage.h"
#include "app/ProjectUndoCommand.h"
#include "app/QtText.h"
#include "app/SkinTreeDelegate.h"
#include "app/SkinTreeModel.h"
#include "app/SkinTreeView.h"
#include "app/TextureEditorPanel.h"
#include "app/UserQuestions.h"
#include "platform/DesktopRegistration.h"
#include "platform/GameDetection.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"
#include "platform/WineRegistry.h"
#include "project/ProjectCommands.h"
#include "project/ProjectDocument.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace app {

MainWindow::MainWindow(std::filesystem::path home, UserQuestions& questions, QWidget* parent)
    : QMainWindow(parent),
      home_(std::move(home)),
      settingsFile_(platform::SettingsFilePath(home_)),
      questions_(questions),
      undoStack_(new QUndoStack(this)),
      treeModel_(new SkinTreeModel(this)),
      refreshTimer_(new QTimer(this)),
      compileJob_(new CompileJob(this)) {
  setObjectName("main_unificada");
  questions_.RememberFoldersIn(settingsFile_);
  unrealpkg::RegisterAllObjectClasses();
  BuildLayout();
  BuildStartPage();
  BuildMenus();
  Guarded([&] { loadAnimations_->setChecked(platform::ReadLoadAnimations(settingsFile_)); });
  setWindowTitle(WindowCaption);
  resize(744, 580);
  ScanModelCatalogue();
  DetectGameDirectory();
  RegisterDesktopTypes();

  refreshTimer_->setObjectName("TimerRefrescoTexturas");
  refreshTimer_->setInterval(3000);
  connect(refreshTimer_, &QTimer::timeout, this, &MainWindow::RefreshTimerTick);
  refreshTimer_->start();
  // While a slider of the options moves, the palettes wait until it rests.
  connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
    if (!options_->Settling()) GeneratePalettes();
  });
  connect(options_, &ProjectOptionsPage::Settled, this, [this] { GeneratePalettes(); });
  connect(compileJob_, &CompileJob::Finished, this, &MainWindow::CompileEnded);
  UpdateStartPage();
  // Problems of the scan are told once the window is up; then the game's new models are added.
  QTimer::singleShot(0, this, [this] {
    ReportCatalogueProblems();
    Guarded([this] { AddGameModels(false); });
  });
}

MainWindow::~MainWindow() {
  // The views and the undo history refer to the document; they let go first.
  refreshTimer_->stop();
  undoStack_->clear();
  editor_->ShowTexture(nullptr);
  preview_->Clear();
  treeModel_->SetDocument(nullptr);
  if (document_) document_->RemoveListener(*this);
}

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

void MainWindow::BuildLayout() {
  pages_ = new QTabWidget;
  pages_->setObjectName("PageControl1");
  pages_->setEnabled(false);

  auto* skinPage = new QWidget;
  skinPage->setObjectName("SkinEditorPage");
  auto* skinHeader = new QLabel("Skin Editor", skinPage);
  skinHeader->setFrameShape(QFrame::StyledPanel);
  skinHeader->setAlignment(Qt::AlignCenter);
  tree_ = new SkinTreeView(skinPage);
  tree_->setObjectName("ArbolTexturas");
  tree_->setHeaderHidden(true);
  tree_->setToolTip("Right-click for popup menu");
  tree_->setAccessibleName("Skin Editor");
  tree_->setModel(treeModel_);
  tree_->setItemDelegate(new SkinTreeDelegate(tree_));
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  // A few skins and their sections stay in sight while the editor shows a texture.
  tree_->setMinimumHeight(8 * tree_->fontMetrics().lineSpacing() + 2 * tree_->frameWidth());
  editor_ = new TextureEditorPanel(questions_, *undoStack_, skinPage);
  skinRows_ = new QSplitter(Qt::Vertical, skinPage);
  skinRows_->setObjectName("skin_editor_rows");
  skinRows_->setChildrenCollapsible(false);
  skinRows_->addWidget(tree_);
  skinRows_->addWidget(editor_);
  skinRows_->setStretchFactor(0, 1);
  auto* skinLayout = new QVBoxLayout(skinPage);
  skinLayout->setContentsMargins(2, 2, 2, 2);
  skinLayout->addWidget(skinHeader);
  skinLayout->addWidget(skinRows_, 1);
  pages_->addTab(skinPage, "Skin Editor");

  options_ = new ProjectOptionsPage(questions_);
  pages_->addTab(options_, "Project Options");

  preview_ = new PreviewPanel(questions_);
  connect(preview_, &PreviewPanel::DefinitionSaved, this, [this] { Guarded([this] { ReloadCatalogue(); }); });

  // The columns share a wider window: the tree's captions and the preview's lists grow too.
  columns_ = new QSplitter(Qt::Horizontal);
  columns_->setObjectName("main_columns");
  columns_->setChildrenCollapsible(false);
  columns_->setContentsMargins(2, 2, 2, 2);
  pages_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  columns_->addWidget(pages_);
  columns_->addWidget(preview_);
  columns_->setStretchFactor(0, 1);
  columns_->setStretchFactor(1, 2);
  setCentralWidget(columns_);

  statusText_ = new QLabel;
  statusText_->setObjectName("StatusBarText");
  statusBar()->setObjectName("StatusBar");
  statusBar()->addWidget(statusText_, 1);

  connect(tree_, &QWidget::customContextMenuRequested, this, &MainWindow::ShowPopup);
  connect(tree_, &SkinTreeView::FilesDropped, this,
          [this](const QStringList& files) { Guarded([&] { ImportFiles(files); }); });
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { Guarded([this] { SelectionChanged(); }); });
  connect(options_, &ProjectOptionsPage::OptionsEdited, this, [this](const project::ProjectOptions& options, int field) {
    Guarded([&] {
      if (document_) Push(project::MakeSetOptions(*document_, options), field < 0 ? -1 : 1000 + field);
    });
  });
  connect(options_, &ProjectOptionsPage::UpdateRequested, this, [this] { GeneratePalettes(); });
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("File");
  file->setObjectName("mnu_File");
  QAction* newProject = AddAction(file, "mnu_NewProject", "New Project...");
  newProject->setShortcut(QKeySequence::New);
  QAction* loadProject = AddAction(file, "mnu_LoadProject", "Load Project...");
  loadProject->setShortcut(QKeySequence::Open);
  QAction* openPackage = AddAction(file, "mnu_OpenSkinPackage", "Open Skin Package...");
  recentMenu_ = file->addMenu("Recent Projects");
  recentMenu_->setObjectName("mnu_RecentProjects");
  saveProject_ = AddAction(file, "mnu_SaveProject", "Save Project");
  saveProject_->setShortcut(QKeySequence::Save);
  saveAs_ = AddAction(file, "mnu_SaveAs", "Save Project As...");
  // Not every platform theme names a Save As key; desktop users expect this one.
  saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  QAction* installUmod = AddAction(file, "mnu_InstallUmod", "Install UMOD...");
  file->addSeparator();
  loadAnimations_ = AddAction(file, "mnu_LoadAnimations", "Load Animations");
  loadAnimations_->setCheckable(true);
  loadAnimations_->setChecked(true);
  expertMode_ = AddAction(file, "mnu_Expertmode", "Show Advanced Mode");
  expertMode_->setCheckable(true);
  QAction* findModels = AddAction(file, "mnu_FindGameModels", "Find Models in Game...");
  modelCompiler_ = AddAction(file, "mnu_ModelCompiler", "Model Compiler...");
  modelCompiler_->setVisible(false);
  file->addSeparator();
  QAction* exit = AddAction(file, "mnu_Exit", "Exit");
  exit->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu("Edit");
  edit->setObjectName("mnu_Edit");
  QAction* undo = AddAction(edit, "mnu_Undo", "Undo");
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undo->setEnabled(false);
  QAction* redo = AddAction(edit, "mnu_Redo", "Redo");
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redo->setEnabled(false);
  edit->addSeparator();
  QAction* preferences = AddAction(edit, "mnu_Preferences", "Preferences...");
  preferences->setShortcut(QKeySequence::Preferences);

  QMenu* actions = menuBar()->addMenu("Actions");
  actions->setObjectName("mnu_Actions");
  refreshTextures_ = AddAction(actions, "mnu_RefreshTextures", "Refresh Textures");
  refreshTextures_->setShortcut(QKeySequence::Refresh);
  importTextures_ = AddAction(actions, "mnu_Importtexture", "Import Textures...");
  actions->addSeparator();
  compile_ = AddAction(actions, "mnu_CreateUTXINT", "Compile Project to UTX/INT...");
  compileInstall_ = AddAction(actions, "mnu_CompileProjecttoUTXINTandInstallinUT",
                              "Compile Project to UTX/INT and Install in UT...");
  compileUmod_ = AddAction(actions, "mnu_CompileandCreateUMODfile", "Compile Project and Create UMOD file...");
  for (QAction* action : {saveProject_, saveAs_, refreshTextures_, importTextures_, compile_, compileInstall_, compileUmod_})
    action->setEnabled(false);

  QMenu* help = menuBar()->addMenu("Help");
  help->setObjectName("mnu_About");
  QAction* contents = AddAction(help, "mnu_HelpContents", "Contents...");
  contents->setShortcut(QKeySequence::HelpContents);
  help->addSeparator();
  QAction* openGL = AddAction(help, "mnu_OpenGLInformation", "OpenGL Information...");
  QAction* about = AddAction(help, "mnu_HelpAbout", "About...");

  popup_ = new QMenu(this);
  popup_->setObjectName("PopupArbol");
  const std::pair<const char*, int> popupItems[] = {{"New Skin...", 0},     {"Edit Skin...", 1},
                                                    {"Delete Skin", 1},     {"Add Texture...", 2},
                                                    {"Edit Texture Description...", 3}, {"Delete Texture", 3}};
  const std::function<void()> popupCommands[] = {[this] { NewSkin(); },    [this] { EditSkin(); },
                                                 [this] { DeleteSkin(); }, [this] { AddTexture(); },
                                                 [this] { EditTexture(); }, [this] { DeleteTexture(); }};
  for (std::size_t item = 0; item < std::size(popupItems); ++item) {
    QAction* action = popup_->addAction(popupItems[item].first);
    action->setData(popupItems[item].second);
    connect(action, &QAction::triggered, this, [this, command = popupCommands[item]] { Guarded(command); });
  }

  connect(newProject, &QAction::triggered, this, [this] { Guarded([this] { NewProject(); }); });
  connect(loadProject, &QAction::triggered, this, [this] { Guarded([this] { LoadProject(); }); });
  connect(openPackage, &QAction::triggered, this, [this] { Guarded([this] { OpenSkinPackage(); }); });
  connect(saveProject_, &QAction::triggered, this, [this] { Guarded([this] { SaveProject(false); }); });
  connect(saveAs_, &QAction::triggered, this, [this] { Guarded([this] { SaveProjectAs(); }); });
  connect(installUmod, &QAction::triggered, this, [this] { Guarded([this] { InstallUmod(); }); });
  connect(loadAnimations_, &QAction::triggered, this, [this] { Guarded([this] { ToggleLoadAnimations(); }); });
  connect(expertMode_, &QAction::triggered, this, [this] { ToggleAdvancedMode(); });
  connect(exit, &QAction::triggered, this, &QWidget::close);
  // A stroke paints over the picture of its press: a step undone under it would return at its release.
  connect(undo, &QAction::triggered, this, [this] {
    if (!editor_->Stroking()) Guarded([this] { UndoStep(*undoStack_); });
  });
  connect(redo, &QAction::triggered, this, [this] {
    if (!editor_->Stroking()) Guarded([this] { RedoStep(*undoStack_); });
  });
  connect(undoStack_, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
  connect(undoStack_, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
  connect(undoStack_, &QUndoStack::undoTextChanged, undo,
          [undo](const QString& text) { undo->setText(text.isEmpty() ? "Undo" : "Undo " + text); });
  connect(undoStack_, &QUndoStack::redoTextChanged, redo,
          [redo](const QString& text) { redo->setText(text.isEmpty() ? "Redo" : "Redo " + text); });
  connect(preferences, &QAction::triggered, this, [this] { Guarded([this] { ShowPreferences(); }); });
  connect(refreshTextures_, &QAction::triggered, this, [this] { Guarded([this] { RefreshTextures(); }); });
  connect(importTextures_, &QAction::triggered, this, [this] { Guarded([this] { ImportTextures(); }); });
  connect(compile_, &QAction::triggered, this, [this] { Guarded([this] { CompileProject(false, false); }); });
  connect(compileInstall_, &QAction::triggered, this, [this] { Guarded([this] { CompileProject(true, false); }); });
  connect(compileUmod_, &QAction::triggered, this, [this] { Guarded([this] { CompileProject(false, true); }); });
  connect(contents, &QAction::triggered, this, [this] { Guarded([this] { ShowHelpContents(); }); });
  connect(openGL, &QAction::triggered, this, [this] { Guarded([this] { ShowOpenGLInformation(); }); });
  connect(about, &QAction::triggered, this, [this] { ShowAbout(); });
  connect(findModels, &QAction::triggered, this, [this] { Guarded([this] { AddGameModels(true); }); });
  connect(modelCompiler_, &QAction::triggered, this, [this] { Guarded([this] { ShowModelCompiler(); }); });
  connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::FillRecentMenu);
}

void MainWindow::Guarded(const std::function<void()>& command, const QString& prefix) {
  app::Guarded(questions_, command, prefix);
}

void MainWindow::ScanModelCatalogue() {
  catalogue_ = model::ScanModelCatalogue(home_);
}

void MainWindow::ReloadCatalogue() {
  ScanModelCatalogue();
  if (!document_) return;
  if (const auto entry = catalogue_.FindByPrefix(document_->Model().Prefix)) document_->TakeModelPlacement(*entry);
}

void MainWindow::ReportCatalogueProblems() {
  if (catalogue_.Problems.empty()) return;
  QStringList lines;
  for (const model::CatalogueProblem& problem : catalogue_.Problems)
    lines << PathToQString(problem.File) + ": " + ToQString(problem.Message);
  questions_.Message(MessageIcon::Warning, "UT Marbelle",
                     "These model definitions cannot be read and are left out:\n\n" + lines.join("\n"));
}

void MainWindow::DetectGameDirectory() {
  game_ = {};
  game_.Location = {std::string(platform::DefaultGameDirectory), std::string(platform::DefaultGameDirectory) + "\\System\\"};
  game_.Directory = platform::WindowsPathToLocal(game_.Location.gameDirectory, platform::WinePrefix());
  Guarded([&] { game_ = platform::FindGame(settingsFile_); });
}

void MainWindow::RegisterDesktopTypes() {
  const platform::DesktopRegistration written =
      platform::RegisterDesktopFileTypes(platform::XdgDataHome(), QStringToPath(QApplication::applicationFilePath()),
                                         platform::XdgDataDirectories());
  const QString updater = QStandardPaths::findExecutable("update-mime-database");
  if (!written.MimeTypesWritten || updater.isEmpty()) return;
  // Once per user, and quick; waiting keeps it from outliving the start.
  QProcess update;
  update.start(updater, {PathToQString(platform::XdgDataHome() / "mime")});
  update.waitForFinished(3000);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (Busy()) {
    // The window is disabled while it compiles; Cancel ends the compilation first.
    event->ignore();
    return;
  }
  if (document_ && document_->Modified()) {
    const CloseAnswer answer = questions_.AskSaveDiscardCancel("Save Project", "Save the project?");
    if (answer == CloseAnswer::Cancel) {
      event->ignore();
      return;
    }
    if (answer == CloseAnswer::Save) {
      bool saved = false;
      Guarded([&] { saved = SaveProject(false); });
      if (!saved) {
        event->ignore();
        return;
      }
    }
  }
  SaveLayout();
  event->accept();
}

void MainWindow::wheelEvent(QWheelEvent* event) {
  // What no control took zooms the preview, wherever the pointer is.
  preview_->Wheel(event->angleDelta().y());
  event->accept();
}

void MainWindow::ToggleLoadAnimations() {
  platform::WriteLoadAnimations(settingsFile_, loadAnimations_->isChecked());
}

void MainWindow::ToggleAdvancedMode() {
  const bool advanced = expertMode_->isChecked();
  modelCompiler_->setVisible(advanced);
  preview_->SetAdvancedMode(advanced);
}

void MainWindow::ShowModelCompiler() {
  ModelCompilerWindow window(home_, settingsFile_, questions_, expertMode_->isChecked(),
                             [this] { Guarded([this] { ReloadCatalogue(); }); }, this);
  window.exec();
}

void MainWindow::ShowHelpContents() {
  const std::filesystem::path manual = HelpFile();
  if (!std::filesystem::exists(manual))
    throw std::runtime_error("The help file \"" + manual.string() + "\" is missing.");
  if (!QDesktopServices::openUrl(HelpContentsUrl(manual)))
    questions_.Message(MessageIcon::Information, "Help",
                       "No web browser could be started to show the manual. It is at:\n\n" + PathToQString(manual));
}

void MainWindow::ShowOpenGLInformation() {
  OpenGLInformationDialog dialog(preview_->OpenGLInformation(), this);
  dialog.exec();
}

void MainWindow::ShowAbout() {
  AboutBox box(this);
  box.exec();
}

void MainWindow::ShowPreferences() {
  // Detected without the setting: what the Preferences would fall back to.
  const platform::FoundGame detected = platform::FindGame({});
  PreferencesDialog dialog(questions_, PathToQString(detected.Directory), ToQString(platform::DescribeFoundGame(detected)),
                           ToQString(platform::ReadGameDirectorySetting(settingsFile_)), this);
  if (dialog.exec() != QDialog::Accepted) return;
  platform::WriteGameDirectorySetting(settingsFile_, dialog.GameDirectorySetting().toStdString());
  DetectGameDirectory();
  AddGameModels(false);
}

void MainWindow::BeginBusy() {
  if (++busyCount_ == 1) {
    menuBar()->setEnabled(false);
    centralWidget()->setEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
  }
}

void MainWindow::EndBusy() {
  if (--busyCount_ <= 0) {
    busyCount_ = 0;
    menuBar()->setEnabled(true);
    centralWidget()->setEnabled(true);
    QApplication::restoreOverrideCursor();
  }
}

void MainWindow::OptionsChanged() {
  if (document_) options_->ShowOptions(document_->Options());
}

void MainWindow::FileNameChanged() { UpdateTitle(); }

void MainWindow::NodeAboutToBeRemoved(const project::SkinNode& parent, int row) {
  const project::SkinNode& removed = parent.Children()[static_cast<std::size_t>(row)];
  for (const project::SkinNode* node = editor_->Texture(); node; node = node->Parent())
    if (node == &removed) editor_->ShowTexture(nullptr);
  if (popupNode_)
    for (const project::SkinNode* node = popupNode_; node; node = node->Parent())
      if (node == &removed) popupNode_ = nullptr;
}

void MainWindow::TexturePixelsChanged(const project::SkinNode& texture) {
  if (editor_->Texture() == &texture) editor_->Redisplay();
  preview_->ScheduleUpdate(false);
}

void MainWindow::TexturePaletteChanged(const project::SkinNode&) { preview_->ScheduleUpdate(false); }

void MainWindow::NodeInserted(const project::SkinNode&, int) { preview_->ScheduleUpdate(true); }

void MainWindow::NodeRemoved(const project::SkinNode&, int) { preview_->ScheduleUpdate(true); }

void MainWindow::NodeChanged(const project::SkinNode&) { preview_->ScheduleUpdate(true); }

void MainWindow::ChildrenSorted(const project::SkinNode&, const std::vector<int>&) { preview_->ScheduleUpdate(true); }

}  // namespace app
