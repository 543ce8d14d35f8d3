#include <gtest/gtest.h>

#include "platform/WindowSettings.h"
#include "support/TestFiles.h"

TEST(WindowSettingsTest, EachKindRemembersItsFolderWhileTheFolderIsThere) {
  testsupport::TempDir dir;
  const std::filesystem::path file = dir / "UTMarbelle.ini";
  std::filesystem::create_directories(dir / "projects");
  std::filesystem::create_directories(dir / "pictures");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Projects"), std::filesystem::path());
  platform::WriteRememberedFolder(file, "Projects", dir / "projects");
  platform::WriteRememberedFolder(file, "Textures", dir / "pictures");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Projects"), dir / "projects");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Textures"), dir / "pictures");
  std::filesystem::remove(dir / "pictures");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Textures"), std::filesystem::path());
}
