// Damaged model definitions: each one reads, or is refused with a message
// that names the file; never a crash, a stray exception or a texture the
// game cannot load.
#include <gtest/gtest.h>

#include "model/ModelDefinition.h"
#include "platform/IniFile.h"
#include "support/Mutations.h"
#include "support/TestFiles.h"

namespace {

const std::string FormatOne =
    "[ModelSoldier]\nName=Soldier\nPrefix=Soldier\nLodMesh=SoldierSkins.Soldier\nScaleX=1,5\n"
    "TalkTextureIndex=5\nMirrorX=YES\nAMS=yes\nPreset1=Face;10;20,5;30;0;0;0\nFormatTalk=%SKIN%5%FACE%\n"
    "Section1=Head,FACE,masked\nSection2=Body, team, TEXTUREIS128X64, REQUIRED\nSection5=Talk, TalkTexture, Face\n";
const std::string FormatTwo =
    "[Model]\nFormatVersion=2\nName=Mannequin\nPrefix=Mannequin\nMesh=Pkg.Thing\nTalkTextureIndex=4\n"
    "RotOrigin=0;16384;0\nSingleSkin=Mannequin\n"
    "[Section1]\nName=Body\nTeam=Yes\nTextureSize=128X128\nRequired=Yes\nFormatTeamNoFace=%SKIN%Team%TEAMNAME%\n"
    "[Section5]\nName=Talk\nTalkTexture=yes\nFace=YES\nTextureSize=2048x1024\n";

}  // namespace

TEST(DefinitionReplayTest, DamagedDefinitionsReadOrAreRefusedNamingTheFile) {
  testsupport::TempDir dir;
  const auto file = dir / "Damaged.mrbe";
  testsupport::Random random(2311);
  for (const std::string& seed : {FormatOne, FormatTwo}) {
    for (int n = testsupport::MutationsPerFile(400); n > 0; --n) {
      std::vector<std::uint8_t> bytes(seed.begin(), seed.end());
      testsupport::Mutate(bytes, random);
      testsupport::WriteFile(file, bytes);
      const platform::IniFile ini = platform::IniFile::Load(file);
      const std::optional<std::string> modelSection = model::FindModelSection(ini);
      if (!modelSection) continue;
      try {
        const auto model = model::ReadModelDefinition(ini, file, *modelSection);
        for (const model::TModeloSection& section : model->Sections) {
          ASSERT_GT(section.Part.Width, 0);
          ASSERT_GT(section.Part.Height, 0);
          ASSERT_LE(section.Part.Width, model::MaxTextureSide);
          ASSERT_LE(section.Part.Height, model::MaxTextureSide);
        }
      } catch (const model::DefinitionError& e) {
        ASSERT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
      }
    }
  }
}
