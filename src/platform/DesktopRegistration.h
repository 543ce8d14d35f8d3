#pragma once

#include <filesystem>
#include <vector>

namespace platform {

// What RegisterDesktopFileTypes wrote; a file already there is left alone.
struct DesktopRegistration {
  bool MimeTypesWritten = false;
  bool DesktopEntryWritten = false;
};

// The MIME type names of projects, model definitions and compiled model data.
inline constexpr const char* ProjectMimeType = "application/x-utmarbelle-project";
inline constexpr const char* ModelDefinitionMimeType = "text/x-utmarbelle-model";
inline constexpr const char* ModelDataMimeType = "application/x-utmarbelle-model-data";

// Makes the file types and the program known to the desktop, under a data
// directory such as XdgDataHome(): mime/packages/utmarbelle.xml declares
// ".mrb", ".mrbe" (a text type, so it opens in the text editor) and ".mrbm";
// applications/utmarbelle.desktop starts `executable` on projects. A file the
// user already has there, made by an earlier start or edited since, stays as
// it is, and so does one that an installed package put in one of the
// `systemDataDirectories` (XdgDataDirectories()). Whoever wrote the MIME
// package runs update-mime-database. The package's own files are these, made
// with the executable's bare name.
DesktopRegistration RegisterDesktopFileTypes(const std::filesystem::path& dataHome,
                                             const std::filesystem::path& executable,
                                             const std::vector<std::filesystem::path>& systemDataDirectories = {});

}  // namespace platform
