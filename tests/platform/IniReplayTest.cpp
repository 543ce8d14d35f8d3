#include <gtest/gtest.h>

#include "platform/IniFile.h"
#include "support/Mutations.h"

namespace {

const std::string Project =
    "[General]\r\nModel=Soldier\r\nOnlyFirstMipMap=1\r\nBrightness=50\r\n\r\n[Groups]\r\nblst=Blue Steel\r\n\r\n"
    "[blst#1#<Red Team>john (t_0john)]\r\nIdentifier=t_0john\r\nDescription=<Red Team>john\r\n"
    "Filename=Textures\\blst1T_0john.bmp\r\n";
const std::string Definition =
    "[Model]\nFormatVersion=2\nName=Soldier\nPrefix=Soldier\nScaleX=1,5\nPreset1=Front;0;0;2000;0;0;0\n"
    "[Section1]\nName=Body\nTeam=Yes\nTextureSize=256x256\n";

}  // namespace

// Whatever the bytes, a document parses, writes, and reads back to the same text.
TEST(IniReplayTest, DamagedDocumentsParseToStableText) {
  testsupport::Random random(1209);
  for (const std::string& seed : {Project, Definition}) {
    for (int n = testsupport::MutationsPerFile(1500); n > 0; --n) {
      std::vector<std::uint8_t> bytes(seed.begin(), seed.end());
      testsupport::Mutate(bytes, random);
      const platform::IniFile once = platform::IniFile::Parse(std::string(bytes.begin(), bytes.end()));
      const std::string text = once.ToText();
      ASSERT_EQ(platform::IniFile::Parse(text).ToText(), text);
      for (const std::string& section : once.Sections()) {
        for (const auto& [key, value] : once.SectionLines(section)) {
          once.ReadInteger(section, key, 0);
          try {
            once.ReadFloat(section, key, 0);
          } catch (const std::runtime_error& e) {
            ASSERT_FALSE(testsupport::IsInternalError(e.what())) << e.what();
          }
        }
      }
    }
  }
}
