#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace app {

// The small borderless window that long work shows on top of its owner: a
// line of text, and for some work a bar and a Cancel button.
class ProgressWindow final : public QWidget {
  Q_OBJECT
public:
  explicit ProgressWindow(QWidget* owner);

  // Shows the text centred on the owner and paints it at once, since the
  // work that follows may keep the event loop from doing so.
  void Open(const QString& text);
  void SetText(const QString& text);
  // Shows the bar at a share of 0 to 1.
  void SetFraction(double fraction);
  // Shows the Cancel button, which calls `cancel` once.
  void SetCancel(std::function<void()> cancel);

private:
  QLabel* message_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  std::function<void()> onCancel_;
};

}  // namespace app
