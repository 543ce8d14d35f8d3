#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

namespace app {

// "OpenGL Information": what the OpenGL implementation says of itself.
class OpenGLInformationDialog final : public QDialog {
  Q_OBJECT
public:
  OpenGLInformationDialog(const std::vector<std::pair<std::string, std::string>>& rows, QWidget* owner);
};

}  // namespace app
