#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>

#include "modelcompiler/PackageModel.h"
#include "modelcompiler/PackageModelCompile.h"
#include "modelcompiler/PackageModelList.h"
#include "unrealpkg/TUTPackage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace model3d {
class TObjeto3D;
}

namespace app {

class FileNameBox;
class MeshView;
class UserQuestions;

// The model compiler's "Unreal Engine Mesh" page: lists the player models of
// a package, reads the chosen mesh and compiles it into a model definition.
class PackageMeshPage final : public QWidget {
  Q_OBJECT
public:
  // `model` is the window's model, which each compile replaces.
  PackageMeshPage(std::filesystem::path home, std::filesystem::path settingsFile, UserQuestions& questions,
                  model3d::TObjeto3D& model, QWidget* parent = nullptr);
  ~PackageMeshPage() override;

  // Lists the models of a chosen file, as choosing it in the file box does.
  void ChooseFile(const QString& file);
  void Compile();
  // The model read from the selected entry, if any.
  const modelcompiler::PackageModel* Model() const { return model_ ? &*model_ : nullptr; }

signals:
  void StatusChanged(const QString& status);
  // A compile wrote a model definition.
  void ModelsCompiled();

private:
  void GameChanged(int game);
  void ReadSelectedModel();
  void SequenceChanged();
  void ShowDraft();
  void ShowChosenFrame();
  modelcompiler::FrameChoice Choice() const;

  std::filesystem::path home_;
  std::filesystem::path settingsFile_;
  UserQuestions& questions_;
  model3d::TObjeto3D& compiled_;
  unrealpkg::TUTPackage package_;
  modelcompiler::PackageModelList list_;
  std::optional<modelcompiler::PackageModel> model_;

  QComboBox* game_;
  QCheckBox* useInt_;
  FileNameBox* file_;
  QWidget* packagePanel_;
  QTreeWidget* meshList_;
  QWidget* modelPanel_;
  QLineEdit* description_;
  QListWidget* information_;
  QCheckBox* mirrorX_;
  QCheckBox* animated_;
  QCheckBox* absolute_;
  QWidget* relativePanel_;
  QComboBox* sequences_;
  QSpinBox* frame_;
  QLabel* maxFrame_;
  QWidget* absolutePanel_;
  QSpinBox* absoluteFrame_;
  QLabel* maxAbsoluteFrame_;
  QPushButton* compile_;
  MeshView* view_;
};

}  // namespace app
