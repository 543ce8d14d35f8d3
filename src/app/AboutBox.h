#pragma once

#include <QDialog>

namespace app {

inline constexpr const char* VersionText = MARBELLE_VERSION;

// "About": the product title and its version.
class AboutBox final : public QDialog {
  Q_OBJECT
public:
  explicit AboutBox(QWidget* owner);
};

}  // namespace app
