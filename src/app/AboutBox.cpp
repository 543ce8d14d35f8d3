#include "app/AboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace app {

AboutBox::AboutBox(QWidget* owner) : QDialog(owner) {
  setObjectName("frm_AboutBox");
  setWindowTitle("About");
  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  auto* icon = new QLabel(panel);
  icon->setPixmap(style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(32, 32));
  auto* title = new QLabel("Unreal Tournament Marbelle", panel);
  title->setObjectName("ProductName");
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPixelSize(15);
  title->setFont(bold);
  auto* version = new QLabel(QString("Version ") + VersionText, panel);
  version->setObjectName("Version");
  auto* licence = new QLabel("Free software under the GNU General Public License,\nversion 3 or any later version.", panel);
  licence->setObjectName("Licence");
  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(version);
  text->addWidget(licence);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(icon, 0, Qt::AlignTop);
  panelLayout->addLayout(text, 1);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel);
  layout->addWidget(buttons);
  setFixedSize(sizeHint().expandedTo(QSize(305, 152)));
}

}  // namespace app
