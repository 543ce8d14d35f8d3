#include <gtest/gtest.h>

#include <random>

#include "support/TestHelpers.h"
#include "platform/Registry.h"
#include "platform/WineRegistry.h"
#include "support/TestFiles.h"

namespace {

const char* const SystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n\n#arch=win32\n\n"
    "[Software\\\\Classes\\\\.txt] 1600000000\n#time=1d6f\n@=\"txtfile\"\n\"Content Type\"=\"text/plain\"\n\n"
    "[Software\\\\Classes\\\\Unreal\\\\Shell\\\\open\\\\command] 1600000000\n"
    "@=\"C:\\\\UnrealTournament\\\\System\\\\UnrealTournament.exe \\\"%1\\\"\"\n\n"
    "[Software\\\\Classes\\\\Expand] 1600000000\r\n@=str(2):\"%SystemRoot%\\\\x\\x00e9\\101\"\r\n\n"
    "[Software\\\\Classes\\\\Binary] 1600000000\n@=hex:01,02,\\\n  03\n\n"
    "[Software\\\\Classes\\\\NoDefault] 1600000000\n\"Other\"=\"1\"\n\n"
    "[System\\\\Setup] 1600000000\n@=\"not a class\"\n";

}  // namespace

TEST(RegistryTest, UserRegistryKeepsKeysInItsFile) {
  testsupport::TempDir dir;
  const auto store = dir / "config" / "registry.ini";
  const std::string command = "C:\\UT\\System\\UnrealTournament.exe %1";
  {
    platform::UserRegistry registry(store);
    EXPECT_EQ(registry.ReadDefaultValue("\\unreal\\Shell\\open\\command"), std::nullopt);
    EXPECT_TRUE(registry.WriteDefaultValue("\\unreal\\Shell\\open\\command", command));
    EXPECT_TRUE(registry.CreateKey("\\.mrbe"));
    EXPECT_FALSE(registry.CreateKey("\\bad]name"));
    EXPECT_FALSE(registry.CreateKey("\\"));
  }
  const platform::UserRegistry reopened(store);
  EXPECT_EQ(reopened.ReadDefaultValue("UNREAL\\\\shell\\OPEN\\Command\\"), command);
  EXPECT_EQ(reopened.ReadDefaultValue("\\unreal\\Shell"), "");
  EXPECT_EQ(reopened.ReadDefaultValue("\\.mrbe"), "");
  EXPECT_EQ(reopened.ReadDefaultValue("\\bad]name"), std::nullopt);

  testsupport::WriteFile(dir / "file", {1});
  platform::UserRegistry unwritable(dir / "file" / "registry.ini");
  EXPECT_FALSE(unwritable.WriteDefaultValue("\\.mrbe", "MRBEfile"));
  EXPECT_EQ(unwritable.ReadDefaultValue("\\.mrbe"), std::nullopt);
}

TEST(RegistryTest, WineRegistryReadsClassesOfSystemReg) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "system.reg", Bytes(SystemReg));
  platform::WineRegistry registry(dir / "system.reg");
  EXPECT_EQ(registry.ReadDefaultValue("\\unreal\\Shell\\open\\command"),
            "C:\\UnrealTournament\\System\\UnrealTournament.exe \"%1\"");
  EXPECT_EQ(registry.ReadDefaultValue("\\.TXT"), "txtfile");
  EXPECT_EQ(registry.ReadDefaultValue("\\Expand"), "%SystemRoot%\\x\xC3\xA9" "A");
  EXPECT_EQ(registry.ReadDefaultValue("\\Binary"), "");
  EXPECT_EQ(registry.ReadDefaultValue("\\NoDefault"), "");
  EXPECT_EQ(registry.ReadDefaultValue("\\System\\Setup"), std::nullopt);
  EXPECT_TRUE(registry.CreateKey("\\.txt"));
  EXPECT_FALSE(registry.CreateKey("\\.mrbe"));
  EXPECT_FALSE(registry.WriteDefaultValue("\\.txt", "other"));
  EXPECT_EQ(registry.ReadDefaultValue("\\.txt"), "txtfile");
}

TEST(RegistryTest, WineRegistryIgnoresForeignDamagedAndMissingFiles) {
  testsupport::TempDir dir;
  const auto path = dir / "system.reg";
  EXPECT_EQ(platform::WineRegistry(path).ReadDefaultValue("\\.txt"), std::nullopt);
  EXPECT_EQ(platform::WineRegistry(dir.Path()).ReadDefaultValue("\\.txt"), std::nullopt);
  testsupport::WriteFile(path, Bytes(std::string("REGEDIT4\n") + (SystemReg + 24)));
  EXPECT_EQ(platform::WineRegistry(path).ReadDefaultValue("\\.txt"), std::nullopt);

  std::mt19937 random(436);
  const std::string alphabet = "[]\\\"@=x0\n";
  std::string damaged = SystemReg;
  for (int i = 0; i < 100000; ++i) damaged += alphabet[random() % alphabet.size()];
  testsupport::WriteFile(path, Bytes(damaged));
  EXPECT_EQ(platform::WineRegistry(path).ReadDefaultValue("\\.txt"), "txtfile");
}
