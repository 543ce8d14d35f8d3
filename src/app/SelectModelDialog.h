#pragma once

#include <QDialog>
#include <cstddef>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace model {
struct ModelCatalogue;
}

namespace app {

// "Select Model": the catalogue's models by name, with whether each can be previewed.
class SelectModelDialog : public QDialog {
  Q_OBJECT
public:
  explicit SelectModelDialog(const model::ModelCatalogue& catalogue, QWidget* parent = nullptr);

  // The catalogue index of the selected row; none without a selection.
  std::optional<std::size_t> SelectedModel() const;

private:
  QTreeWidget* list_;
  QPushButton* ok_;
};

}  // namespace app
