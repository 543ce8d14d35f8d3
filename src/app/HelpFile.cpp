#include "app/HelpFile.h"

#include "app/QtText.h"
#include "platform/ProgramHome.h"

namespace app {

std::filesystem::path HelpFile() { return platform::ProgramDataDirectory() / "help" / "index.html"; }

QUrl HelpContentsUrl(const std::filesystem::path& manual) {
  QUrl url = QUrl::fromLocalFile(PathToQString(manual));
  url.setFragment("contents");
  return url;
}

}  // namespace app
