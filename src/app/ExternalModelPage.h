#pragma once

#include <QWidget>
#include <filesystem>
#include <optional>
#include <vector>

#include "model3d/TObjeto3D.h"
#include "modelcompiler/ExternalModel.h"
#include "modelcompiler/MaterialList.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace app {

class FileNameBox;
class UserQuestions;

// The model compiler's "External model file" page: reads a mesh or frame of
// a 3D Studio, MilkShape 3D, Painter3D or Unreal 3D file, lets the user order
// its materials, and compiles it with its compiled model data file.
class ExternalModelPage final : public QWidget {
  Q_OBJECT
public:
  // `model` is the window's model, which each compile replaces.
  ExternalModelPage(std::filesystem::path home, UserQuestions& questions, model3d::TObjeto3D& model,
                    QWidget* parent = nullptr);

  // Recognises a chosen file, as choosing it in the file box does.
  void ChooseFile(const QString& file);
  void GetMeshData();
  void Compile();

signals:
  void StatusChanged(const QString& status);
  void ModelsCompiled();

private:
  void MoveMaterial(int (*exchange)(std::vector<modelcompiler::MaterialListEntry>&, int));
  void ShowMaterials(int selected);

  std::filesystem::path home_;
  UserQuestions& questions_;
  model3d::TObjeto3D& compiled_;
  std::optional<modelcompiler::ExternalModelInfo> info_;
  // The mesh as read: each compile adjusts a copy, so compiling again starts from it.
  model3d::TObjeto3D read_;
  std::vector<modelcompiler::MaterialListEntry> materials_;

  FileNameBox* file_;
  QWidget* dataPanel_;
  QListWidget* information_;
  QSpinBox* number_;
  QLabel* maxNumber_;
  QPushButton* getMeshData_;
  QWidget* materialPanel_;
  QListWidget* materialList_;
  QLineEdit* description_;
};

}  // namespace app
