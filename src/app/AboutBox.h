#pragma once

#include <QDialog>

namespace app {

inline constexpr const char* VersionText = "2.5 beta 3";

// "About": the product title and its version.
class AboutBox final : public QDialog {
  Q_OBJECT
public:
  explicit AboutBox(QWidget* owner);
};

}  // namespace app
