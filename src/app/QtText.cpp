#include "app/QtText.h"

#include "platform/TextEncoding.h"

namespace app {

QString ToQString(std::string_view windows1252) {
  return QString::fromStdString(platform::Windows1252ToUtf8(windows1252));
}

std::string ToDocumentText(const QString& text) {
  return platform::Utf16ToWindows1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                          static_cast<std::size_t>(text.size())));
}

QString PathToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path QStringToPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

}  // namespace app
