#include "app/ExternalModelPage.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/FileNameBox.h"
#include "app/ModelCompilerStep.h"
#include "app/QtText.h"
#include "modelcompiler/ModelCompilation.h"

namespace app {

ExternalModelPage::ExternalModelPage(std::filesystem::path home, UserQuestions& questions, model3d::TObjeto3D& model,
                                     QWidget* parent)
    : QWidget(parent), home_(std::move(home)), questions_(questions), compiled_(model) {
  setObjectName("tabExternal");
  file_ = new FileNameBox(questions_, FileKind::ModelFile, "modelfile", "Select model file", this);
  file_->SetFolder(PathToQString(home_));
  file_->SetFilter(
      "All models (*_d.3d *.3ds *.ms3d *.p3d);;Unreal 3D (*_d.3d);;3DStudio (*.3ds);;MilkShape3D (*.ms3d);;"
      "Painter3D (*.p3d)");

  dataPanel_ = new QWidget(this);
  dataPanel_->setObjectName("Panel_datos");
  information_ = new QListWidget(dataPanel_);
  information_->setObjectName("information");
  information_->setAccessibleName("Information");
  information_->setEnabled(false);
  information_->setMaximumHeight(80);
  number_ = new QSpinBox(dataPanel_);
  number_->setObjectName("meshnum");
  number_->setRange(0, 9999);
  maxNumber_ = new QLabel("(max. 0)", dataPanel_);
  maxNumber_->setObjectName("Label_maxframe");
  getMeshData_ = new QPushButton("Get Mesh Data...", dataPanel_);
  getMeshData_->setObjectName("btn_GetMeshData");

  materialPanel_ = new QWidget(dataPanel_);
  materialPanel_->setObjectName("Panel_materiales");
  auto* materialsLabel = new QLabel(
      "Materials list (weapon materials will not generate sections, put them\r\nat the end):", materialPanel_);
  materialList_ = new QListWidget(materialPanel_);
  materialList_->setObjectName("lista_materiales");
  materialsLabel->setBuddy(materialList_);
  auto* up = new QPushButton("Up", materialPanel_);
  up->setObjectName("btn_matup");
  auto* down = new QPushButton("Down", materialPanel_);
  down->setObjectName("btn_matdown");
  description_ = new QLineEdit(materialPanel_);
  description_->setObjectName("edMenuName2");
  auto* compile = new QPushButton("Compile...", materialPanel_);
  compile->setObjectName("btn_Compilar");

  auto* moves = new QVBoxLayout;
  moves->addWidget(up);
  moves->addWidget(down);
  moves->addStretch(1);
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(materialList_, 1);
  listRow->addLayout(moves);
  auto* descriptionRow = new QFormLayout;
  descriptionRow->addRow("Description:", description_);
  auto* materialLayout = new QVBoxLayout(materialPanel_);
  materialLayout->setContentsMargins(0, 0, 0, 0);
  materialLayout->addWidget(materialsLabel);
  materialLayout->addLayout(listRow, 1);
  materialLayout->addLayout(descriptionRow);
  materialLayout->addWidget(compile, 0, Qt::AlignRight);

  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(new QLabel("Selected Mesh/Frame number:", dataPanel_));
  numberRow->addWidget(number_);
  numberRow->addWidget(maxNumber_);
  numberRow->addStretch(1);
  numberRow->addWidget(getMeshData_);
  auto* dataLayout = new QVBoxLayout(dataPanel_);
  dataLayout->setContentsMargins(0, 0, 0, 0);
  dataLayout->addWidget(information_);
  dataLayout->addLayout(numberRow);
  dataLayout->addWidget(materialPanel_, 1);
  materialPanel_->hide();
  dataPanel_->hide();

  auto* top = new QFormLayout;
  top->addRow("File:", file_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(dataPanel_, 1);

  connect(file_, &FileNameBox::Chosen, this, &ExternalModelPage::ChooseFile);
  connect(getMeshData_, &QPushButton::clicked, this, &ExternalModelPage::GetMeshData);
  connect(up, &QPushButton::clicked, this, [this] { MoveMaterial(&modelcompiler::MoveMaterialUp); });
  connect(down, &QPushButton::clicked, this, [this] { MoveMaterial(&modelcompiler::MoveMaterialDown); });
  connect(compile, &QPushButton::clicked, this, &ExternalModelPage::Compile);
}

void ExternalModelPage::ChooseFile(const QString& file) {
  emit StatusChanged("Loading model information");
  info_.reset();
  materialPanel_->hide();
  dataPanel_->hide();
  const bool known = RunModelCompilerStep(
      *this, questions_, [&] { info_ = modelcompiler::InspectExternalModel(QStringToPath(file)); });
  if (!known) return;
  dataPanel_->show();
  QApplication::processEvents();
  information_->clear();
  for (const std::string& line : info_->Lines) information_->addItem(ToQString(line));
  const int maximum = std::max(info_->MaxNumber, 0);
  number_->setRange(0, std::min(maximum, 9999));
  number_->setValue(0);
  maxNumber_->setText(QString("(max. %1)").arg(info_->MaxNumber));
  number_->setEnabled(info_->MaxNumber > 0);
  getMeshData_->setEnabled(number_->isEnabled());
  emit StatusChanged("Select the mesh/frame and press the \"Get Mesh Data\" button.");
  if (number_->isEnabled())
    number_->setFocus();
  else
    GetMeshData();
}

void ExternalModelPage::GetMeshData() {
  if (!info_) return;
  emit StatusChanged("Reading mesh");
  materialPanel_->hide();
  const bool read = RunModelCompilerStep(*this, questions_, [&] {
    modelcompiler::ReadExternalMesh(*info_, number_->value(), read_);
    emit StatusChanged("Obtaining materials list");
    materials_ = modelcompiler::BuildMaterialList(read_);
  });
  if (!read) return;
  ShowMaterials(0);
  description_->setText(ToQString(modelcompiler::ExternalModelDescription(*info_)));
  materialPanel_->show();
  emit StatusChanged("Reorder the materials and press the \"Compile\" button.");
}

void ExternalModelPage::MoveMaterial(int (*exchange)(std::vector<modelcompiler::MaterialListEntry>&, int)) {
  ShowMaterials(exchange(materials_, materialList_->currentRow()));
}

void ExternalModelPage::ShowMaterials(int selected) {
  materialList_->clear();
  for (const modelcompiler::MaterialListEntry& entry : materials_) {
    auto* item = new QListWidgetItem(ToQString(entry.Name), materialList_);
    item->setData(Qt::UserRole, entry.Slot);
  }
  materialList_->setCurrentRow(selected);
}

void ExternalModelPage::Compile() {
  if (!info_) return;
  const modelcompiler::OutputQuestions questions =
      CompileQuestions(questions_, [this](const QString& status) { emit StatusChanged(status); });
  bool abandoned = false;
  const bool compiled = RunModelCompilerStep(*this, questions_, [&] {
    compiled_ = read_;
    abandoned = modelcompiler::CompileExternalModel(compiled_, *info_, materials_,
                                                    ToDocumentText(description_->text()), home_, questions)
                    .Abandoned;
  });
  if (!compiled || abandoned) {
    emit StatusChanged("Reorder the materials and press the \"Compile\" button.");
    return;
  }
  emit StatusChanged("End of compilation, press the \"Finish\" button to leave.");
  questions_.Message(MessageIcon::Information, "Compilation", "Model compilation finished!");
  emit ModelsCompiled();
}

}  // namespace app
