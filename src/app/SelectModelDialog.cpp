#include "app/SelectModelDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "model/ModelCatalogue.h"

namespace app {

SelectModelDialog::SelectModelDialog(const model::ModelCatalogue& catalogue, QWidget* parent) : QDialog(parent) {
  setObjectName("frm_selectmodel");
  setWindowTitle("Select Model");
  list_ = new QTreeWidget(this);
  list_->setObjectName("lista_modelos");
  list_->setHeaderLabels({"Model Name", "Preview"});
  list_->setRootIsDecorated(false);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->setSectionsClickable(false);
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  for (std::size_t index = 0; index < catalogue.Entries.size(); ++index) {
    const model::TModelo& entry = *catalogue.Entries[index];
    const bool preview = !entry.ModelDataFile.empty() || !entry.Mesh.empty();
    auto* row = new QTreeWidgetItem(list_, {ToQString(entry.Name), preview ? "Yes" : "No"});
    row->setData(0, Qt::UserRole, static_cast<qulonglong>(index));
  }
  list_->sortItems(0, Qt::AscendingOrder);
  list_->setCurrentItem(nullptr);
  list_->clearSelection();

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton("Ok", QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  ok_->setEnabled(false);
  buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // A click or an arrow key selects; Enter then reaches the default button.
  connect(list_, &QTreeWidget::itemSelectionChanged, this,
          [this] { ok_->setEnabled(!list_->selectedItems().isEmpty()); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  setFixedSize(267, 243);
}

std::optional<std::size_t> SelectModelDialog::SelectedModel() const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return static_cast<std::size_t>(selected.front()->data(0, Qt::UserRole).toULongLong());
}

}  // namespace app
