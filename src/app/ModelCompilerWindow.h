#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

#include "model3d/TObjeto3D.h"

class QStatusBar;
class QTabWidget;

namespace app {

class ExternalModelPage;
class PackageMeshPage;
class UserQuestions;

// "Model Compiler": turns a mesh of an Unreal package, or of an external
// model file, into a model definition and its wire bitmaps under the home's
// CustomModels. `modelsChanged` runs after each compile, so the catalogue
// offers the new model at once.
class ModelCompilerWindow final : public QDialog {
  Q_OBJECT
public:
  ModelCompilerWindow(const std::filesystem::path& home, const std::filesystem::path& settingsFile,
                      UserQuestions& questions, bool showExternalPage, std::function<void()> modelsChanged,
                      QWidget* parent = nullptr);
  ~ModelCompilerWindow() override;

  PackageMeshPage& PackagePage() const { return *packagePage_; }
  ExternalModelPage& ExternalPage() const { return *externalPage_; }
  QString StatusText() const;

protected:
  void showEvent(QShowEvent* event) override;

private:
  // The model being compiled; each compile replaces it.
  model3d::TObjeto3D model_;
  std::function<void()> modelsChanged_;
  QTabWidget* pages_;
  PackageMeshPage* packagePage_;
  ExternalModelPage* externalPage_;
  QStatusBar* status_;
};

}  // namespace app
