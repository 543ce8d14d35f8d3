#include "app/OpenGLInformationDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"

namespace app {

OpenGLInformationDialog::OpenGLInformationDialog(const std::vector<std::pair<std::string, std::string>>& rows,
                                                 QWidget* owner)
    : QDialog(owner) {
  setObjectName("frm_OpenGLInformation");
  setWindowTitle("OpenGL Information");
  auto* list = new QTreeWidget(this);
  list->setObjectName("opengl_information");
  list->setHeaderLabels({"Property", "Value"});
  list->setRootIsDecorated(false);
  for (const auto& [caption, value] : rows) new QTreeWidgetItem(list, {ToQString(caption), ToQString(value)});
  list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list);
  layout->addWidget(buttons);
  resize(520, 340);
}

}  // namespace app
