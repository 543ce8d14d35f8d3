#include "app/ProgressWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

ProgressWindow::ProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("frm_mensaje");
  setWindowModality(Qt::NonModal);
  message_ = new QLabel(this);
  message_->setObjectName("mensaje");
  message_->setAlignment(Qt::AlignCenter);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar");
  bar_->setRange(0, 100);
  bar_->setTextVisible(false);
  bar_->hide();
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("btn_cancel");
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancel_->setEnabled(false);
    if (auto cancel = std::exchange(onCancel_, {})) cancel();
  });
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(bar_, 1);
  bottom->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addWidget(message_, 1);
  layout->addLayout(bottom);
}

void ProgressWindow::Open(const QString& text) {
  message_->setText(text);
  resize(std::max(339, sizeHint().width()), std::max(63, sizeHint().height()));
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  show();
  raise();
  repaint();
}

void ProgressWindow::SetText(const QString& text) {
  if (message_->text() == text) return;
  message_->setText(text);
  message_->repaint();
}

void ProgressWindow::SetFraction(double fraction) {
  bar_->show();
  const int value = static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 100.0 + 0.5);
  if (value == bar_->value()) return;
  bar_->setValue(value);
  bar_->repaint();
}

void ProgressWindow::SetCancel(std::function<void()> cancel) {
  onCancel_ = std::move(cancel);
  cancel_->setEnabled(true);
  cancel_->show();
}

}  // namespace app
