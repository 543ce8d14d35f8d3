#pragma once

#include <QWidget>
#include <filesystem>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace app {

// What the main area offers while no project is open: the two ways into a
// project, the recent ones, and what was found of the game.
class StartPage final : public QWidget {
  Q_OBJECT
public:
  explicit StartPage(QWidget* parent = nullptr);

  // `found` false shows "No game found" with a button to the Preferences.
  void ShowGame(const QString& text, bool found);
  void ShowRecent(const std::vector<std::filesystem::path>& projects);

signals:
  void NewProjectRequested();
  void LoadProjectRequested();
  void RecentProjectChosen(const std::filesystem::path& project);
  void PreferencesRequested();

private:
  QLabel* game_;
  QPushButton* preferences_;
  QLabel* recentHeader_;
  QListWidget* recent_;
};

}  // namespace app
