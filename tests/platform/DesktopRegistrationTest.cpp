#include <gtest/gtest.h>

#include "platform/DesktopRegistration.h"
#include "platform/IniFile.h"
#include "support/TestFiles.h"

namespace {

std::string Text(const std::filesystem::path& file) {
  const auto bytes = testsupport::ReadFile(file);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(DesktopRegistrationTest, WritesTheTypesAndTheEntryOnlyWhereTheUserHasNone) {
  testsupport::TempDir data;
  const std::filesystem::path mime = data / "mime" / "packages" / "utmarbelle.xml";
  const std::filesystem::path entry = data / "applications" / "utmarbelle.desktop";
  const platform::DesktopRegistration first = platform::RegisterDesktopFileTypes(data.Path(), "/opt/ut marbelle/utmarbelle");
  EXPECT_TRUE(first.MimeTypesWritten);
  EXPECT_TRUE(first.DesktopEntryWritten);
  const std::string types = Text(mime);
  for (const char* glob : {"*.mrb\"", "*.mrbe\"", "*.mrbm\""}) EXPECT_NE(types.find(glob), std::string::npos) << glob;
  EXPECT_NE(types.find("<comment>UTMarbelle Model Extension</comment>"), std::string::npos);
  EXPECT_NE(types.find("<comment>UTMarbelle Model Data</comment>"), std::string::npos);

  const platform::IniFile desktop = platform::IniFile::Parse(Text(entry));
  EXPECT_EQ(desktop.ReadString("Desktop Entry", "Exec", ""), "\"/opt/ut marbelle/utmarbelle\" %f");
  EXPECT_EQ(desktop.ReadString("Desktop Entry", "MimeType", ""), "application/x-utmarbelle-project;");
  EXPECT_EQ(desktop.ReadString("Desktop Entry", "Name", ""), "UT Marbelle");

  testsupport::WriteFile(entry, {'x'});
  const platform::DesktopRegistration second = platform::RegisterDesktopFileTypes(data.Path(), "/elsewhere");
  EXPECT_FALSE(second.MimeTypesWritten);
  EXPECT_FALSE(second.DesktopEntryWritten);
  EXPECT_EQ(Text(entry), "x");
  EXPECT_EQ(Text(mime), types);
}

TEST(DesktopRegistrationTest, QuotesTheCharactersSpecialToTheExecLine) {
  testsupport::TempDir data;
  platform::RegisterDesktopFileTypes(data.Path(), "/a\"b/$c`d\\e/100%/x");
  const std::string text = Text(data / "applications" / "utmarbelle.desktop");
  EXPECT_NE(text.find("Exec=\"/a\\\\\"b/\\\\$c\\\\`d\\\\\\\\e/100%%/x\" %f\n"), std::string::npos) << text;
}

TEST(DesktopRegistrationTest, AFolderThatCannotBeWrittenIsPassedOver) {
  testsupport::TempDir data;
  testsupport::WriteFile(data / "applications", {'x'});
  const platform::DesktopRegistration written = platform::RegisterDesktopFileTypes(data.Path(), "/x");
  EXPECT_FALSE(written.DesktopEntryWritten);
  EXPECT_TRUE(written.MimeTypesWritten);
}

TEST(DesktopRegistrationTest, AnInstalledPackagesFilesLeaveTheUserWithoutCopies) {
  testsupport::TempDir dirs;
  const std::filesystem::path user = dirs / "user";
  const std::filesystem::path package = dirs / "usr-share";
  platform::RegisterDesktopFileTypes(package, "utmarbelle");
  EXPECT_NE(Text(package / "applications" / "utmarbelle.desktop").find("Exec=\"utmarbelle\" %f\n"), std::string::npos);

  const platform::DesktopRegistration written =
      platform::RegisterDesktopFileTypes(user, "/usr/bin/utmarbelle", {dirs / "missing", package});
  EXPECT_FALSE(written.MimeTypesWritten);
  EXPECT_FALSE(written.DesktopEntryWritten);
  EXPECT_FALSE(std::filesystem::exists(user));

  std::filesystem::remove(package / "applications" / "utmarbelle.desktop");
  EXPECT_TRUE(platform::RegisterDesktopFileTypes(user, "/x", {package}).DesktopEntryWritten);
}
