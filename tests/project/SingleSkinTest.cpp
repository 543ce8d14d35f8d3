#include <gtest/gtest.h>

#include "project/ProjectDocument.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"

using namespace project;

namespace {

std::vector<std::string> Captions(const SkinNode& node) {
  std::vector<std::string> captions;
  for (const SkinNode& child : node.Children()) captions.push_back(child.Caption());
  return captions;
}

}  // namespace

// A single-skin model's skin is named whole, in the game's characters, and
// keeps that name through a save and a load; names another tool wrote are mended.
TEST(SingleSkinTest, SkinsAreNamedWholeAndKeepTheirNames) {
  ProjectFixture f;
  auto document = f.SingleSkinProject();
  EXPECT_EQ(document->NewSkin("War Cow", "").Code(), "WarCow");
  const SkinNode& priest = document->NewSkin("Priest", "Priest-2_b");
  EXPECT_EQ(priest.Caption(), "Priest (Priest-2_b)");
  EXPECT_EQ(ErrorOf([&] { document->NewSkin("Other", "priest-2_B"); }),
            "The code \"priest-2_B\" is taken by the skin \"Priest (Priest-2_b)\". Give this skin another code.");
  EXPECT_EQ(ErrorOf([&] { document->NewSkin("Other", "Two words"); }),
            "A skin name is made of the letters A to Z, the digits, \"-\" and \"_\".");
  EXPECT_EQ(ErrorOf([&] { document->NewSkin("Other", std::string(33, 'a')); }), "A skin name has at most 32 characters.");
  document->AddTexture(SectionNode(*document, priest, 1), f.Picture("priest.bmp"), "< Default >", "");
  document->Save();

  f.WriteText(f.home / "Edited.mrb", document->FileText() + "[Groups]\nBad Name!=Odd\n");
  const auto loaded = ProjectDocument::Load(f.home / "NaliSkins.mrb", f.catalogue, f.home.Path());
  EXPECT_EQ(Captions(loaded->Root()), (std::vector<std::string>{"Priest (Priest-2_b)", "War Cow (WarCow)"}));
  EXPECT_EQ(loaded->TextureName(*FindSection(loaded->Root().Children()[0], 1)->Children().begin()), "Priest-2_b");
  const auto mended = ProjectDocument::Load(f.home / "Edited.mrb", f.catalogue, f.home.Path());
  EXPECT_NE(FindSkinByCode(mended->Root(), "BadName"), nullptr);
}

// Pictures named as the game names the textures land where the names say;
// what all skins share goes to the skin the tree shows first.
TEST(SingleSkinTest, ImportReadsTheGamesNames) {
  ProjectFixture f;
  auto document = f.SingleSkinProject();
  const ImportResult result = document->ImportTextures(
      {f.Picture("T_Nali_1.bmp"), f.Picture("priest-face.bmp"), f.Picture("Priest.bmp"), f.Picture("Ouboudah.bmp"),
       f.Picture("Two words.bmp")});
  EXPECT_EQ(result.Imported, 4);
  EXPECT_EQ(result.Skipped,
            (std::vector<std::string>{"Two words.bmp: the name is none of the names the model's textures take"}));
  EXPECT_EQ(Captions(document->Root()), (std::vector<std::string>{"Ouboudah (Ouboudah)", "Priest (Priest)"}));
  const SkinNode& ouboudah = document->Root().Children()[0];
  EXPECT_EQ(Captions(*FindSection(ouboudah, 1)), (std::vector<std::string>{"< Default > ()", "<Blue Team> (t_1)"}));
  EXPECT_EQ(document->TextureName(FindSection(ouboudah, 1)->Children()[1]), "T_Nali_1");
  const SkinNode& priest = document->Root().Children()[1];
  EXPECT_EQ(document->TextureName(FindSection(priest, 5)->Children()[0]), "Priest-Face");
}
