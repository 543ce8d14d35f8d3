#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace app {

// Documents hold Windows-1252 text; Qt holds Unicode. Paths are the file
// system's bytes, UTF-8 on this platform.
QString ToQString(std::string_view windows1252);
std::string ToDocumentText(const QString& text);
QString PathToQString(const std::filesystem::path& path);
std::filesystem::path QStringToPath(const QString& path);

}  // namespace app
