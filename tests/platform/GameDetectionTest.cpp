#include <gtest/gtest.h>

#include "platform/DesktopEntryGame.h"
#include "platform/GameDetection.h"
#include "platform/ProgramSettings.h"
#include "platform/Registry.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

namespace {

using platform::GameSource;

void MakeGame(const std::filesystem::path& folder, const char* system = "System", const char* textures = "Textures") {
  std::filesystem::create_directories(folder / system);
  std::filesystem::create_directories(folder / textures);
}

}  // namespace

TEST(GameDetectionTest, SettingThenLinuxInstallThenDesktopEntryThenWine) {
  testsupport::TempDir dir;
  ScopedEnvironment env({{"XDG_CONFIG_HOME", (dir / "config").string()}, {"WINEPREFIX", (dir / "wine").string()},
                         {"XDG_DATA_HOME", (dir / "data").string()}});
  const auto settings = dir / "UTMarbelle.ini";
  platform::FoundGame game = platform::FindGame(settings);
  EXPECT_FALSE(game.Found());
  EXPECT_EQ(game.Location.gameDirectory, "C:\\UnrealTournament");
  EXPECT_NE(platform::DescribeFoundGame(game).find("No game found"), std::string::npos);

  MakeGame(dir / "wine/drive_c/UnrealTournament");
  game = platform::FindGame(settings);
  EXPECT_EQ(game.Source, GameSource::WineDefault);
  EXPECT_EQ(game.Directory, dir / "wine/drive_c/UnrealTournament");

  // A registry naming a folder that is not there is passed over for the next.
  platform::UserRegistry(platform::DefaultUserRegistryPath())
      .WriteDefaultValue(platform::GameCommandKey, "C:\\Gone\\System\\UnrealTournament.exe");
  MakeGame(dir / "wine/dosdevices/d:/Wine");
  testsupport::WriteFile(dir / "wine" / "system.reg",
                         Bytes("WINE REGISTRY Version 2\n[Software\\\\Classes\\\\unreal\\\\Shell\\\\open\\\\command]\n"
                               "@=\"D:\\\\Wine\\\\System\\\\UnrealTournament.exe\"\n"));
  game = platform::FindGame(settings);
  EXPECT_EQ(game.Source, GameSource::WineRegistry);
  EXPECT_EQ(game.Location.gameDirectory, "D:\\Wine");
  EXPECT_EQ(game.NamedBy, dir / "wine" / "system.reg");

  MakeGame(dir / "games/ut", "system", "textures");
  std::filesystem::create_directories(dir / "data/applications");
  testsupport::WriteFile(dir / "data/applications/a-editor.desktop",
                         Bytes("[Desktop Entry]\nType=Application\nExec=/usr/bin/true %F\n"));
  testsupport::WriteFile(dir / "data/applications/ut.desktop",
                         Bytes("[Desktop Entry]\nName=Unreal Tournament\nExec=\"" + (dir / "games/ut/System64/ut-bin").string() +
                               "\" %U\n"));
  game = platform::FindGame(settings);
  EXPECT_EQ(game.Source, GameSource::DesktopEntry);
  EXPECT_EQ(game.Directory, dir / "games/ut");
  EXPECT_EQ(game.NamedBy, dir / "data/applications/ut.desktop");

  const auto native = dir / "data/OldUnreal/UnrealTournament";
  std::filesystem::create_directories(native / "SYSTEM");
  game = platform::FindGame(settings);
  EXPECT_EQ(game.Source, GameSource::NativeInstall);
  EXPECT_EQ(game.Directory, native);
  EXPECT_NE(platform::DescribeFoundGame(game).find(native.string()), std::string::npos);

  // A setting counts only where the game is.
  platform::WriteGameDirectorySetting(settings, (dir / "empty").string());
  EXPECT_EQ(platform::FindGame(settings).Source, GameSource::NativeInstall);
  platform::WriteGameDirectorySetting(settings, (dir / "games/ut/").string());
  game = platform::FindGame(settings);
  EXPECT_EQ(game.Source, GameSource::Setting);
  EXPECT_EQ(game.Directory, dir / "games/ut");
  EXPECT_EQ(game.Location.systemDirectory, (dir / "games/ut").string() + "\\System\\");
  // Detection alone, as Preferences shows it next to the setting.
  EXPECT_EQ(platform::FindGame({}).Source, GameSource::NativeInstall);
}

TEST(GameDetectionTest, DesktopEntriesPointIntoTheGameByPathOrProgram) {
  testsupport::TempDir dir;
  MakeGame(dir / "UT 99");
  const std::string game = (dir / "UT 99").string();
  EXPECT_EQ(platform::GameFolderOfDesktopEntry("[Desktop Entry]\nPath=" + game + "/System\nExec=ut\n"), dir / "UT 99");
  EXPECT_EQ(platform::GameFolderOfDesktopEntry("[Desktop Entry]\nExec=env LANG=C \"" + game + "/System/ut-bin\" %U\n"),
            dir / "UT 99");
  // Another group's Exec, a relative program and a folder without Textures name no game.
  EXPECT_EQ(platform::GameFolderOfDesktopEntry("[Desktop Entry]\nExec=ut\n[Desktop Action Editor]\nExec=" + game +
                                               "/System/ued\n"),
            std::nullopt);
  MakeGame(dir / "half", "System", "Maps");
  EXPECT_EQ(platform::GameFolderOfDesktopEntry("[Desktop Entry]\nExec=" + (dir / "half/System/ut").string() + "\n"),
            std::nullopt);
  EXPECT_EQ(platform::GameFolderOfDesktopEntry(""), std::nullopt);
}
