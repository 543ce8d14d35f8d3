#pragma once

#include <QUrl>
#include <filesystem>

namespace app {

// The HTML manual that ships with the program, in help/ of its data folder.
std::filesystem::path HelpFile();
// Where "Contents..." opens it: its Contents topic.
QUrl HelpContentsUrl(const std::filesystem::path& manual);

}  // namespace app
