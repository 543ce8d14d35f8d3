#include "platform/DesktopRegistration.h"

#include <string>

#include "platform/AtomicFile.h"

namespace platform {

namespace {

std::string MimeType(const char* type, const char* comment, const char* glob, const char* parent) {
  std::string text = std::string("  <mime-type type=\"") + type + "\">\n    <comment>" + comment +
                     "</comment>\n    <glob pattern=\"" + glob + "\"/>\n";
  if (parent) text += std::string("    <sub-class-of type=\"") + parent + "\"/>\n";
  return text + "  </mime-type>\n";
}

std::string MimePackage() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n" +
         MimeType(ProjectMimeType, "UT Marbelle Project", "*.mrb", "text/plain") +
         MimeType(ModelDefinitionMimeType, "UTMarbelle Model Extension", "*.mrbe", "text/plain") +
         MimeType(ModelDataMimeType, "UTMarbelle Model Data", "*.mrbm", nullptr) + "</mime-info>\n";
}

// An argument in double quotes: '"', '`', '$' and '\\' take a backslash, and
// every backslash is doubled again by the string rules of desktop entries.
std::string QuotedExec(const std::filesystem::path& executable) {
  std::string quoted = "\"";
  for (const char c : executable.string()) {
    if (c == '\\')
      quoted += "\\\\\\\\";
    else if (c == '"' || c == '`' || c == '$')
      quoted += "\\\\" + std::string(1, c);
    else if (c == '%')
      quoted += "%%";
    else
      quoted += c;
  }
  return quoted + "\"";
}

std::string DesktopEntry(const std::filesystem::path& executable) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=UT Marbelle\n"
         "GenericName=Skin Editor\n"
         "Comment=Make player skins for Unreal Tournament\n"
         "Exec=" + QuotedExec(executable) + " %f\n"
         "Icon=utmarbelle\n"
         "Terminal=false\n"
         "Categories=Graphics;3DGraphics;\n"
         "Keywords=Unreal;Tournament;UT99;skin;texture;player;model;paint;\n"
         "MimeType=" + ProjectMimeType + ";\n";
}

// A folder that cannot be asked counts as holding the file: nothing is written beside what may be there.
bool ExistsUnderAny(const std::vector<std::filesystem::path>& directories, const std::filesystem::path& relative) {
  for (const std::filesystem::path& directory : directories) {
    std::error_code error;
    if (std::filesystem::exists(directory / relative, error) || error) return true;
  }
  return false;
}

bool WriteWhenMissing(const std::filesystem::path& dataHome, const std::vector<std::filesystem::path>& systemDirectories,
                      const std::filesystem::path& relative, const std::string& text) {
  if (ExistsUnderAny(systemDirectories, relative) || ExistsUnderAny({dataHome}, relative)) return false;
  const std::filesystem::path file = dataHome / relative;
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) return false;
  try {
    WriteFileAtomically(file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  } catch (const std::exception&) {
    // As with the registry: a place that cannot be written is passed over.
    return false;
  }
  return true;
}

}  // namespace

DesktopRegistration RegisterDesktopFileTypes(const std::filesystem::path& dataHome,
                                             const std::filesystem::path& executable,
                                             const std::vector<std::filesystem::path>& systemDataDirectories) {
  DesktopRegistration result;
  result.MimeTypesWritten =
      WriteWhenMissing(dataHome, systemDataDirectories, std::filesystem::path("mime") / "packages" / "utmarbelle.xml",
                       MimePackage());
  result.DesktopEntryWritten = WriteWhenMissing(dataHome, systemDataDirectories,
                                                std::filesystem::path("applications") / "utmarbelle.desktop",
                                                DesktopEntry(executable));
  return result;
}

}  // namespace platform
