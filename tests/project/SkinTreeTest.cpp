#include <gtest/gtest.h>

#include <thread>

#include "project/CommandHistory.h"
#include "project/TeamLabels.h"
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

TEST(SkinTreeTest, SkinsGetCodesCaptionsAndEverySection) {
  ProjectFixture f;
  auto document = f.NewProject();
  EXPECT_EQ(document->Root().Caption(), "SoldierSkins (Soldier)");
  EXPECT_FALSE(document->Modified());
  const SkinNode& red = document->NewSkin("Red", "");
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(red.Caption(), "Red (redx)");
  EXPECT_EQ(Captions(red), (std::vector<std::string>{"Body", "Head", "Talk"}));
  EXPECT_EQ(document->NewSkin("Blue Steel", "").Caption(), "Blue Steel (blue)");
  EXPECT_EQ(document->NewSkin("Blue Steel", "ABCD").Caption(), "Blue Steel (abcd)");
  EXPECT_EQ(document->NewSkin("", " ab ").Caption(), "NewSkin (abxx)");
  // The code keeps the description's letters only.
  EXPECT_EQ(document->NewSkin("Big Bad", "").Caption(), "Big Bad (bigb)");
  EXPECT_EQ(Captions(document->Root()), (std::vector<std::string>{"Big Bad (bigb)", "Blue Steel (abcd)",
                                                                  "Blue Steel (blue)", "NewSkin (abxx)", "Red (redx)"}));

  document->EditSkin(red, "", "rd");
  EXPECT_EQ(red.Caption(), " (rdxx)");
  EXPECT_EQ(FindSkinByCode(document->Root(), "RDXX"), &red);

  EXPECT_NE(ErrorOf([&] { document->NewSkin("Bad (name)", ""); }), "");
  EXPECT_EQ(ErrorOf([&] { document->NewSkin("Good", "a#b"); }), "A skin code is made of the letters A to Z.");
  EXPECT_EQ(ErrorOf([&] { document->NewSkin("Good", "abcde"); }), "A skin code has at most four letters.");
  // Codes are told apart ignoring letter case, as the project file and the package do.
  EXPECT_EQ(ErrorOf([&] { document->NewSkin("Other", "BLUE"); }),
            "The code \"blue\" is taken by the skin \"Blue Steel (blue)\". Give this skin another code.");
  EXPECT_NE(ErrorOf([&] { document->EditSkin(red, "Red", "abcd"); }), "");
  document->DeleteSkin(red);
  EXPECT_EQ(document->Root().Children().size(), 4u);
}

TEST(SkinTreeTest, TexturesTakeTeamAndFace) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& body = SectionNode(*document, skin, 1);
  const SkinNode& head = SectionNode(*document, skin, 3);
  const SkinNode& talk = SectionNode(*document, skin, 5);
  EXPECT_EQ(document->TeamChoices(talk), (std::vector<std::string>{"< Default >"}));
  EXPECT_EQ(document->TeamChoices(body),
            (std::vector<std::string>{"< Default >", "<Blue Team>", "<Gold Team>", "<Green Team>", "<Red Team>"}));

  const SkinNode& plain = document->AddTexture(talk, f.Picture("talk.bmp"), "< Default >", "");
  EXPECT_EQ(plain.Caption(), "< Default > ()");
  const SkinNode& jim = document->AddTexture(body, f.Picture("jim.bmp"), "<Red Team>", "Big Jim");
  EXPECT_EQ(jim.Texture().Identifier, "t_0bigjim");
  EXPECT_EQ(jim.Texture().Description, "<Red Team>Big Jim");
  EXPECT_EQ(jim.Caption(), "<Red Team>Big Jim (t_0bigjim)");
  EXPECT_EQ(jim.Texture().SourceBitmap.Format(), raster::PixelFormat::Bgr24);
  document->AddTexture(head, f.Picture("jimhead.bmp"), "< Default >", "Big (Jim)");
  EXPECT_EQ(document->FaceChoices(skin), (std::vector<std::string>{"Big Jim"}));
  EXPECT_EQ(SearchTexture(body, "<Red Team>Big Jim"), &jim.Texture());
  EXPECT_EQ(SearchTexture(body, "<Red Team>"), nullptr);
  EXPECT_EQ(SearchTexture(body, "<Red Team>BIGJIM"), &jim.Texture());
  EXPECT_EQ(SearchTexture(body, "<red team>Big Jim"), nullptr);
  EXPECT_EQ(SearchTexture(body, "< Default >Big Jim"), nullptr);

  EXPECT_EQ(ErrorOf([&] { document->AddTexture(body, "", "< Default >", ""); }), "Please select a texture file.");
  EXPECT_EQ(ErrorOf([&] { document->AddTexture(body, f.Picture("x.bmp"), "< Default >", "t_x"); }),
            "Faces cannot start with \"T_\".");
  EXPECT_NE(ErrorOf([&] { document->AddTexture(talk, f.Picture("x.bmp"), "<Red Team>", ""); }), "");
  EXPECT_NE(ErrorOf([&] { document->AddTexture(talk, f.Picture("x.bmp"), "< Default >", "Face"); }), "");
  // Faces "Big Jim" and "big jim" would share an identifier in the section.
  EXPECT_EQ(ErrorOf([&] { document->AddTexture(body, f.Picture("y.bmp"), "<Red Team>", "big jim"); }),
            "The section Body of the skin Blue Steel (blst) already has the texture \"<Red Team>Big Jim (t_0bigjim)\".");
  EXPECT_THROW(document->AddTexture(body, f.home / "missing.bmp", "< Default >", ""), std::runtime_error);
}

TEST(SkinTreeTest, EditingATextureRenamesItsVariantsThroughoutTheSkin) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& other = document->NewSkin("Other", "othr");
  const SkinNode& body = SectionNode(*document, skin, 1);
  const SkinNode& bodyJim = document->AddTexture(body, f.Picture("a.bmp"), "<Red Team>", "Big Jim");
  const SkinNode& headJim = document->AddTexture(SectionNode(*document, skin, 3), f.Picture("b.bmp"), "< Default >", "");
  const SkinNode& otherJim =
      document->AddTexture(SectionNode(*document, other, 1), f.Picture("c.bmp"), "<Red Team>", "Big Jim");
  document->EditTextureDescription(headJim, "< Default >", "Big Jim");
  EXPECT_EQ(headJim.Caption(), "< Default >Big Jim (bigjim)");
  document->EditTextureDescription(bodyJim, "<Blue Team>", "Big Jim");
  EXPECT_EQ(bodyJim.Caption(), "<Blue Team>Big Jim (t_1bigjim)");
  EXPECT_EQ(otherJim.Caption(), "<Red Team>Big Jim (t_0bigjim)");

  // Taking an identifier another texture of the section has is refused.
  document->AddTexture(body, f.Picture("d.bmp"), "< Default >", "");
  EXPECT_NE(ErrorOf([&] { document->EditTextureDescription(bodyJim, "< Default >", ""); }), "");
  document->DeleteTexture(headJim);
  EXPECT_TRUE(SectionNode(*document, skin, 3).Children().empty());
}

// "frost" and "FROST" are one face: spelling it anew renames every texture of
// the skin with its identifier in one step, and leaves other teams alone.
TEST(SkinTreeTest, AFaceSpeltAnewInAnotherCaseIsOneUndoableStep) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& bodySection = SectionNode(*document, skin, 1);
  const SkinNode& body = document->AddTexture(bodySection, f.Picture("a.bmp"), "< Default >", "frost");
  const SkinNode& red = document->AddTexture(bodySection, f.Picture("b.bmp"), "<Red Team>", "frost");
  const SkinNode& head = document->AddTexture(SectionNode(*document, skin, 3), f.Picture("c.bmp"), "< Default >", "FROST");
  EXPECT_EQ(document->FaceChoices(skin), (std::vector<std::string>{"frost"}));
  EXPECT_EQ(MakeEditTexture(*document, head, "< Default >", "FROST"), nullptr);
  document->Save();

  CommandHistory history(*document);
  history.Push(MakeEditTexture(*document, head, "< Default >", "Frost"));
  EXPECT_EQ(history.UndoText(), "Undo Edit Texture Description");
  EXPECT_EQ(body.Caption(), "< Default >Frost (frost)");
  EXPECT_EQ(head.Caption(), "< Default >Frost (frost)");
  EXPECT_EQ(red.Caption(), "<Red Team>frost (t_0frost)");
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(document->FaceChoices(skin), (std::vector<std::string>{"Frost"}));
  // Now that all agree, the same spelling changes nothing.
  EXPECT_EQ(MakeEditTexture(*document, body, "< Default >", "Frost"), nullptr);

  history.Undo();
  EXPECT_EQ(body.Caption(), "< Default >frost (frost)");
  EXPECT_EQ(head.Caption(), "< Default >FROST (frost)");
  EXPECT_FALSE(document->Modified());
}

TEST(SkinTreeTest, TeamVariantsSortLast) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& body = SectionNode(*document, skin, 1);
  document->AddTexture(body, f.Picture("1.bmp"), "<Blue Team>", "");
  document->AddTexture(body, f.Picture("2.bmp"), "< Default >", "John");
  document->AddTexture(body, f.Picture("3.bmp"), "<Red Team>", "John");
  document->AddTexture(body, f.Picture("4.bmp"), "< Default >", "");
  EXPECT_EQ(Captions(body), (std::vector<std::string>{"< Default > ()", "< Default >John (john)",
                                                      "<Red Team>John (t_0john)", "<Blue Team> (t_1)"}));
}

TEST(SkinTreeTest, ImportTakesSkinSectionAndVariantFromTheFileName) {
  ProjectFixture f;
  auto document = f.NewProject();
  const ImportResult result = document->ImportTextures(
      {f.Picture("BLST1.bmp"), f.Picture("blst1t_0john.bmp"), f.Picture("blst3Face2.bmp"), f.Picture("abcd2.bmp"),
       f.Picture("abcd7x.bmp"), f.Picture("abcd.bmp"), f.Picture("ab1x1.bmp"), f.Picture("blst1T_0JOHN.bmp")});
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(result.Imported, 4);
  ASSERT_EQ(result.Skipped.size(), 4u);
  // Last to first: the second spelling of t_0john comes last and is left out.
  EXPECT_EQ(result.Skipped, (std::vector<std::string>{
                                "ab1x1.bmp: the name does not begin with a skin code of four letters",
                                "abcd7x.bmp: the model declares no section 7", "abcd2.bmp: the model declares no section 2",
                                "blst1t_0john.bmp: the section Body of the skin blst (blst) already has the texture "
                                "(t_0john)"}));
  const SkinNode* blst = FindSkinByCode(document->Root(), "blst");
  ASSERT_NE(blst, nullptr);
  EXPECT_EQ(blst->Caption(), "blst (blst)");
  // Faces keep the file name's letter case; identifiers are lower case.
  EXPECT_EQ(Captions(SectionNode(*document, *blst, 1)),
            (std::vector<std::string>{"< Default > ()", "<Red Team>JOHN (t_0john)"}));
  EXPECT_EQ(Captions(SectionNode(*document, *blst, 3)), (std::vector<std::string>{"< Default >Face2 (face2)"}));
  // "abcd" has no section digit: section 1; abcd2 names an undeclared section 2.
  const SkinNode* abcd = FindSkinByCode(document->Root(), "abcd");
  ASSERT_NE(abcd, nullptr);
  EXPECT_EQ(Captions(SectionNode(*document, *abcd, 1)), (std::vector<std::string>{"< Default > ()"}));
}

TEST(SkinTreeTest, RefreshReloadsChangedFilesAndWarnsOnceForMissingOnes) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& body = SectionNode(*document, skin, 1);
  const auto file = f.Picture("body.bmp", 10);
  const SkinNode& texture = document->AddTexture(body, file, "< Default >", "");
  EXPECT_FALSE(document->RefreshTextures().Changed);

  f.Picture("body.bmp", 200);
  std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(1));
  const RefreshResult changed = document->RefreshTextures();
  EXPECT_TRUE(changed.Changed);
  EXPECT_TRUE(changed.Warnings.empty());
  EXPECT_EQ(texture.Texture().SourceBitmap.Pixels()[0], 200);

  std::filesystem::remove(file);
  const RefreshResult gone = document->RefreshTextures();
  ASSERT_EQ(gone.Warnings.size(), 1u);
  EXPECT_EQ(gone.Warnings[0], "The texture file \"" + file.string() + "\" has been deleted!");
  EXPECT_TRUE(document->RefreshTextures().Warnings.empty());
  EXPECT_EQ(texture.Texture().SourceBitmap.Pixels()[0], 200);
}

// A single-skin model's skin is named whole, in the game's characters, and
// keeps that name through a save and a load; names another tool wrote are mended.
TEST(SkinTreeTest, SingleSkinSkinsAreNamedWholeAndKeepTheirNames) {
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
TEST(SkinTreeTest, SingleSkinImportReadsTheGamesNames) {
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
