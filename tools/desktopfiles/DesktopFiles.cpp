// Writes the desktop entry and the MIME types a package installs into a data
// folder (applications/, mime/packages/), the same files that a copy run from
// elsewhere writes for its user.
#include <cstdio>
#include <filesystem>

#include "platform/DesktopRegistration.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: marbelle-desktop-files DATADIR\n", stderr);
    return 2;
  }
  const std::filesystem::path data = argv[1];
  std::filesystem::remove_all(data);
  const platform::DesktopRegistration written = platform::RegisterDesktopFileTypes(data, "utmarbelle");
  return written.MimeTypesWritten && written.DesktopEntryWritten ? 0 : 1;
}
