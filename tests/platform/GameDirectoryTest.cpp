#include <gtest/gtest.h>

#include "support/TestHelpers.h"
#include "platform/GameDirectory.h"
#include "platform/ProgramSettings.h"
#include "support/TestFiles.h"

namespace {

using Located = std::pair<std::string, std::string>;

// Where the game is found when one registry holds `command` (nothing when nullopt).
Located LocateWith(const std::optional<std::string>& command, std::string_view setting = "") {
  testsupport::TempDir dir;
  platform::UserRegistry registry(dir / "registry.ini");
  if (command) registry.WriteDefaultValue(platform::GameCommandKey, *command);
  const platform::Registry* registries[] = {&registry};
  const platform::GameLocation location = platform::LocateGame(setting, registries);
  return {location.gameDirectory, location.systemDirectory};
}

}  // namespace

TEST(GameDirectoryTest, CutsTheGameCommandBeforeTheExecutable) {
  EXPECT_EQ(LocateWith(std::nullopt), (Located{"C:\\UnrealTournament", "C:\\UnrealTournament\\System\\"}));
  EXPECT_EQ(LocateWith(""), (Located{"C:\\UnrealTournament", "C:\\UnrealTournament\\System\\"}));
  EXPECT_EQ(LocateWith("C:\\Games\\UT\\System\\UnrealTournament.exe %1"),
            (Located{"C:\\Games\\UT", "C:\\Games\\UT\\System\\"}));
  EXPECT_EQ(LocateWith("c:\\games\\ut\\system\\unrealtournament.exe %1"),
            (Located{"C:\\UnrealTournament", "C:\\UnrealTournament\\System\\"}));
  EXPECT_EQ(LocateWith("D:\\UT\\System\\Launcher.exe"), (Located{"C:\\UnrealTournament", "D:\\UT\\System\\"}));
  EXPECT_EQ(LocateWith("\\System\\UnrealTournament.exe"),
            (Located{"C:\\UnrealTournament", "C:\\UnrealTournament\\System\\"}));
  EXPECT_EQ(LocateWith("C:\\Games\\UT\\System\\UnrealTournament.exe", "/opt/ut/"),
            (Located{"/opt/ut", "/opt/ut\\System\\"}));
}

TEST(GameDirectoryTest, OtherGamesAnswerToTheirOwnCommands) {
  testsupport::TempDir dir;
  platform::UserRegistry registry(dir / "registry.ini");
  registry.WriteDefaultValue(platform::GameCommandKey, "C:\\UT\\System\\UnrealTournament.exe");
  registry.WriteDefaultValue(platform::DeusExGame.commandKey, "E:\\Games\\DeusEx\\System\\DeusEx.exe %1");
  const platform::Registry* registries[] = {&registry};
  EXPECT_EQ(platform::LocateGameDirectory(platform::DeusExGame, registries), "E:\\Games\\DeusEx");
  EXPECT_EQ(platform::LocateGameDirectory(platform::KlingonHonorGuardGame, registries), "C:\\Klingon Honor Guard");
  EXPECT_EQ(platform::LocateGameDirectory(platform::UnrealTournamentGame, registries), "C:\\UT");
  registry.WriteDefaultValue(platform::KlingonHonorGuardGame.commandKey, "khg.exe");
  EXPECT_EQ(platform::LocateGameDirectory(platform::KlingonHonorGuardGame, registries), "C:\\Klingon Honor Guard");
}

TEST(GameDirectoryTest, WindowsPathsLieInTheWinePrefix) {
  const std::filesystem::path prefix = "/home/player/.wine";
  EXPECT_EQ(platform::WindowsPathToLocal("C:\\UnrealTournament\\System\\", prefix),
            "/home/player/.wine/drive_c/UnrealTournament/System/");
  EXPECT_EQ(platform::WindowsPathToLocal("d:\\UT", prefix), "/home/player/.wine/dosdevices/d:/UT");
  EXPECT_EQ(platform::WindowsPathToLocal("C:", prefix), "/home/player/.wine/drive_c");
  EXPECT_EQ(platform::WindowsPathToLocal("/opt/ut\\System\\", prefix), "/opt/ut/System/");
  EXPECT_EQ(platform::WindowsPathToLocal("Textures\\skin.bmp", prefix), "Textures/skin.bmp");
}
