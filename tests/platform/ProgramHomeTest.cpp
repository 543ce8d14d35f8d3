#include <gtest/gtest.h>

#include "support/TestHelpers.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"
#include "platform/SampleContent.h"
#include "support/TestFiles.h"

TEST(ProgramHomeTest, OptionThenEnvironmentThenWritableExecutableFolder) {
  testsupport::TempDir dir;
  const auto option = dir / "option";
  const auto environment = dir / "environment";
  {
    ScopedEnvironment env({{"UTMARBELLE_HOME", environment.string()}});
    EXPECT_EQ(platform::ResolveProgramHome(option), option);
    EXPECT_TRUE(std::filesystem::is_directory(option));
    EXPECT_EQ(platform::ResolveProgramHome(std::nullopt), environment);
    EXPECT_TRUE(std::filesystem::is_directory(environment));
  }
  ScopedEnvironment env({{"UTMARBELLE_HOME", std::nullopt}});
  const auto executable = platform::ExecutableDirectory();
  EXPECT_TRUE(std::filesystem::exists(executable / "platform_tests"));
  EXPECT_EQ(platform::ResolveProgramHome(std::nullopt), executable);
  EXPECT_EQ(platform::SettingsFilePath(executable), executable / "UTMarbelle.ini");

  testsupport::WriteFile(dir / "file", {1});
  EXPECT_NE(ErrorOf([&] { platform::ResolveProgramHome(dir / "file"); }).find((dir / "file").string()),
            std::string::npos);
}

TEST(ProgramHomeTest, UserFoldersFollowXdgVariablesOrHome) {
  {
    ScopedEnvironment env({{"HOME", "/home/player"}, {"XDG_DATA_HOME", "/data"}, {"XDG_CONFIG_HOME", "relative"}});
    EXPECT_EQ(platform::UserDataDirectory(), "/data/utmarbelle");
    EXPECT_EQ(platform::UserConfigDirectory(), "/home/player/.config/utmarbelle");
  }
  ScopedEnvironment env({{"HOME", "/home/player"}, {"XDG_DATA_HOME", std::nullopt}});
  EXPECT_EQ(platform::UserDataDirectory(), "/home/player/.local/share/utmarbelle");
}

TEST(ProgramHomeTest, SystemDataFoldersFollowXdgDataDirsOrTheDefault) {
  {
    ScopedEnvironment env({{"XDG_DATA_DIRS", "/opt/share::relative:/usr/share"}});
    EXPECT_EQ(platform::XdgDataDirectories(), (std::vector<std::filesystem::path>{"/opt/share", "/usr/share"}));
  }
  ScopedEnvironment env({{"XDG_DATA_DIRS", std::nullopt}});
  EXPECT_EQ(platform::XdgDataDirectories(), (std::vector<std::filesystem::path>{"/usr/local/share", "/usr/share"}));
}

TEST(ProgramHomeTest, AnInstalledCopyLivesInTheUserDataFolderWithTheSampleContent) {
  testsupport::TempDir dir;
  const auto prefix = dir / "usr";
  const auto samples = prefix / "share" / "utmarbelle" / "sample";
  std::filesystem::create_directories(samples / "Samples" / "Mannequin");
  testsupport::WriteFile(samples / "Mannequin.u", {1});
  testsupport::WriteFile(samples / "Samples" / "Mannequin" / "skin.bmp", {2});
  std::filesystem::create_directories(dir / "elsewhere" / "bin");
  EXPECT_EQ(platform::InstalledDataDirectory(prefix / "bin"), prefix / "share" / "utmarbelle");
  EXPECT_EQ(platform::InstalledDataDirectory(dir / "elsewhere" / "bin"), std::nullopt);
  EXPECT_EQ(platform::InstalledDataDirectory(prefix / "share"), std::nullopt);

  ScopedEnvironment env({{"UTMARBELLE_HOME", std::nullopt}, {"XDG_DATA_HOME", (dir / "data").string()}});
  // Writable, as /usr/bin is for root: still not the home.
  std::filesystem::create_directories(prefix / "bin");
  const auto home = dir / "data" / "utmarbelle";
  EXPECT_EQ(platform::ResolveProgramHome(std::nullopt, prefix / "bin"), home);
  EXPECT_EQ(testsupport::ReadFile(home / "Samples" / "Mannequin" / "skin.bmp"), std::vector<std::uint8_t>{2});

  testsupport::WriteFile(home / "Mannequin.u", {9});
  std::filesystem::remove(home / "Samples" / "Mannequin" / "skin.bmp");
  platform::ResolveProgramHome(std::nullopt, prefix / "bin");
  EXPECT_EQ(testsupport::ReadFile(home / "Mannequin.u"), std::vector<std::uint8_t>{9});
  EXPECT_EQ(testsupport::ReadFile(home / "Samples" / "Mannequin" / "skin.bmp"), std::vector<std::uint8_t>{2});

  EXPECT_EQ(platform::ResolveProgramHome(std::nullopt, dir / "elsewhere" / "bin"), dir / "elsewhere" / "bin");
  EXPECT_EQ(platform::ResolveProgramHome(dir / "option", prefix / "bin"), dir / "option");
  EXPECT_FALSE(std::filesystem::exists(dir / "option" / "Mannequin.u"));
}

TEST(ProgramHomeTest, SampleContentThatCannotBeCopiedIsAnErrorNamingIt) {
  testsupport::TempDir dir;
  std::filesystem::create_directories(dir / "samples" / "Samples");
  std::filesystem::create_directories(dir / "home");
  testsupport::WriteFile(dir / "samples" / "Samples" / "a.bmp", {1});
  testsupport::WriteFile(dir / "home" / "Samples", {0});
  EXPECT_NE(ErrorOf([&] { platform::CopyMissingSampleContent(dir / "samples", dir / "home"); }).find("a.bmp"),
            std::string::npos);
  EXPECT_NO_THROW(platform::CopyMissingSampleContent(dir / "none", dir / "home"));
}

TEST(ProgramSettingsTest, LoadAnimationsAndGameDirectoryKeepTheRestOfTheFile) {
  testsupport::TempDir dir;
  const auto settings = dir / "UTMarbelle.ini";
  EXPECT_TRUE(platform::ReadLoadAnimations(settings));
  EXPECT_EQ(platform::ReadGameDirectorySetting(settings), "");
  for (const auto& [text, expected] : {std::pair{"0", false}, {"2", true}, {"-1", true}, {"on", true}}) {
    testsupport::WriteFile(settings, Bytes(std::string("[configuration]\nloadanimations=") + text + "\n"));
    EXPECT_EQ(platform::ReadLoadAnimations(settings), expected) << text;
  }

  testsupport::WriteFile(settings, Bytes("[Model]\nPrefix=Sol\n"));
  platform::WriteLoadAnimations(settings, false);
  platform::WriteGameDirectorySetting(settings, "/games/ut");
  EXPECT_FALSE(platform::ReadLoadAnimations(settings));
  EXPECT_EQ(platform::ReadGameDirectorySetting(settings), "/games/ut");
  platform::WriteGameDirectorySetting(settings, "");
  EXPECT_EQ(testsupport::ReadFile(settings),
            Bytes("[Model]\r\nPrefix=Sol\r\n\r\n[Configuration]\r\nLoadAnimations=0\r\n"));
  EXPECT_THROW(platform::WriteLoadAnimations(dir / "missing" / "UTMarbelle.ini", true), std::runtime_error);
}

TEST(ProgramSettingsTest, RecentProjectsKeepTheLastEightMostRecentFirstWithoutRepeats) {
  testsupport::TempDir home;
  const std::filesystem::path settings = platform::SettingsFilePath(home.Path());
  EXPECT_TRUE(platform::ReadRecentProjects(settings).empty());
  platform::WriteLoadAnimations(settings, false);
  for (int project = 1; project <= 10; ++project)
    platform::RememberRecentProject(settings, home / ("p" + std::to_string(project) + ".mrb"));
  platform::RememberRecentProject(settings, home / "p5.mrb");
  const std::vector<std::filesystem::path> recent = platform::ReadRecentProjects(settings);
  ASSERT_EQ(recent.size(), 8u);
  EXPECT_EQ(recent[0], home / "p5.mrb");
  EXPECT_EQ(recent[1], home / "p10.mrb");
  EXPECT_EQ(recent[6], home / "p4.mrb");
  EXPECT_EQ(recent[7], home / "p3.mrb");
  EXPECT_FALSE(platform::ReadLoadAnimations(settings));
}
