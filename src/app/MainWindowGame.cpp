#include <QStackedWidget>

#include "app/MainWindow.h"
#include "app/ProgressWindow.h"
#include "app/QtText.h"
#include "app/StartPage.h"
#include "app/UserQuestions.h"
#include "modelcompiler/GameModels.h"
#include "platform/ProgramSettings.h"

namespace app {

namespace {

QString ModelLines(const std::vector<modelcompiler::GameModelOutcome>& outcomes) {
  QStringList lines;
  for (const std::string& line : modelcompiler::DescribeGameModels(outcomes)) lines << ToQString(line);
  return lines.join("\n");
}

}  // namespace

void MainWindow::BuildStartPage() {
  startPage_ = new StartPage;
  stack_ = new QStackedWidget;
  stack_->addWidget(startPage_);
  stack_->addWidget(takeCentralWidget());
  setCentralWidget(stack_);
  connect(startPage_, &StartPage::NewProjectRequested, this, [this] { Guarded([this] { NewProject(); }); });
  connect(startPage_, &StartPage::LoadProjectRequested, this, [this] { Guarded([this] { LoadProject(); }); });
  connect(startPage_, &StartPage::RecentProjectChosen, this,
          [this](const std::filesystem::path& file) { OpenProject(file); });
  connect(startPage_, &StartPage::PreferencesRequested, this, [this] { Guarded([this] { ShowPreferences(); }); });
}

void MainWindow::UpdateStartPage() {
  if (!game_.Found())
    startPage_->ShowGame("No game found. Tell the program where Unreal Tournament is installed.", false);
  else
    startPage_->ShowGame(QString("Unreal Tournament in %1, %2 player model%3")
                             .arg(PathToQString(game_.Directory))
                             .arg(gameModelCount_)
                             .arg(gameModelCount_ == 1 ? "" : "s"),
                         true);
  std::vector<std::filesystem::path> recent;
  Guarded([&] { recent = platform::ReadRecentProjects(settingsFile_); });
  startPage_->ShowRecent(recent);
  stack_->setCurrentIndex(document_ ? 1 : 0);
}

void MainWindow::AddGameModels(bool replaceAsking) {
  gameModelCount_ = 0;
  if (!game_.Found()) {
    if (replaceAsking)
      questions_.Message(MessageIcon::Information, "Find Models in Game", ToQString(platform::DescribeFoundGame(game_)));
    UpdateStartPage();
    return;
  }
  modelcompiler::GameModelFinder finder(game_.Directory, home_, catalogue_);
  using State = modelcompiler::GameModel::State;
  bool replace = false;
  if (replaceAsking && finder.Count(State::Existing) > 0)
    replace = questions_.AskYesNo(MessageIcon::Question, "Find Models in Game",
                                  QString("%1 of the game's models have definitions already. Replace them?")
                                      .arg(finder.Count(State::Existing)));
  const std::size_t writes = finder.Count(State::New) + (replace ? finder.Count(State::Existing) : 0);
  std::unique_ptr<ProgressWindow> progress;
  if (writes > 0) {
    BeginBusy();
    progress = std::make_unique<ProgressWindow>(this);
    progress->Open("Adding the game's player models...");
  }
  std::vector<modelcompiler::GameModelOutcome> outcomes;
  try {
    outcomes = modelcompiler::WriteGameModels(
        finder, replace, [&](std::size_t done, std::size_t total, const std::string& caption) {
          if (!progress) return;
          progress->SetText("Adding " + ToQString(caption) + "...");
          progress->SetFraction(total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total));
        });
  } catch (...) {
    if (progress) EndBusy();
    throw;
  }
  if (progress) {
    progress.reset();
    EndBusy();
  }
  gameModelCount_ = modelcompiler::CountPlayerModels(outcomes);
  if (writes > 0) ReloadCatalogue();
  UpdateStartPage();
  using Result = modelcompiler::GameModelOutcome::Result;
  const auto added = std::count_if(outcomes.begin(), outcomes.end(), [](const auto& outcome) {
    return outcome.What == Result::Added || outcome.What == Result::Replaced;
  });
  if (replaceAsking || added > 0)
    questions_.Message(MessageIcon::Information, "Find Models in Game",
                       QString("%1 model%2 added from %3.\n\n")
                               .arg(added)
                               .arg(added == 1 ? "" : "s")
                               .arg(PathToQString(game_.Directory)) +
                           ModelLines(outcomes));
}

}  // namespace app
