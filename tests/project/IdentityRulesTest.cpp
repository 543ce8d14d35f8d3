#include <gtest/gtest.h>

#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"

using namespace project;

namespace {

std::unique_ptr<ProjectDocument> Reload(ProjectFixture& f, const ProjectDocument& document) {
  return ProjectDocument::Load(document.FileName(), f.catalogue, f.home.Path());
}

int TextureCount(const ProjectDocument& document) { return static_cast<int>(TextureNodes(document.Root()).size()); }

}  // namespace

TEST(IdentityRulesTest, ADerivedCodeIsFourLettersSoTheProjectLoadsAgain) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Big Bad", "");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("a.bmp"), "< Default >", "");
  document->Save();
  auto loaded = Reload(f, *document);
  EXPECT_TRUE(loaded->LoadReport().empty());
  ASSERT_NE(FindSkinByCode(loaded->Root(), "bigb"), nullptr);
  EXPECT_EQ(TextureCount(*loaded), 1);
}

TEST(IdentityRulesTest, CodesAndIdentifiersThatDifferOnlyInCaseAreRefused) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& first = document->NewSkin("First", "abcd");
  EXPECT_THROW(document->NewSkin("Second", "ABCD"), ProjectError);
  const SkinNode& body = SectionNode(*document, first, 1);
  document->AddTexture(body, f.Picture("john.bmp"), "< Default >", "John");
  EXPECT_THROW(document->AddTexture(body, f.Picture("john2.bmp"), "< Default >", "john"), ProjectError);
  // The same face in another section is its own texture.
  document->AddTexture(SectionNode(*document, first, 3), f.Picture("head.bmp"), "< Default >", "john");
  document->Save();
  EXPECT_EQ(TextureCount(*Reload(f, *document)), 2);
}

// Files another tool wrote: skins whose codes differ only in case, faces that
// do, a code of blanks, and textures of a skin [Groups] does not list. Every
// texture is kept, and the load says what it renamed.
TEST(IdentityRulesTest, LoadingAForeignFileKeepsEveryTextureAndSaysWhatItRenamed) {
  ProjectFixture f;
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp", "d.bmp", "e.bmp", "g.bmp"}) f.Picture(name);
  f.WriteText(f.home / "SoldierSkinsForeign.mrb",
              "[General]\r\nModel=Soldier\r\n[Groups]\r\nabcd=First\r\nABCD=Second\r\nbig =Big Bad\r\n"
              "[abcd#1#< Default > ()]\r\nFilename=Textures\\a.bmp\r\n"
              "[abcd#1#< Default >John (John)]\r\nIdentifier=John\r\nDescription=< Default >John\r\nFilename=Textures\\b.bmp\r\n"
              "[abcd#1#< Default >john (john)]\r\nIdentifier=john\r\nDescription=< Default >john\r\nFilename=Textures\\c.bmp\r\n"
              "[ABCD#1#< Default > ()]\r\nFilename=Textures\\d.bmp\r\n"
              "[big #3#< Default > ()]\r\nFilename=Textures\\e.bmp\r\n"
              "[zzzz#5#< Default > ()]\r\nFilename=Textures\\g.bmp\r\n");
  auto document = ProjectDocument::Load(f.home / "SoldierSkinsForeign.mrb", f.catalogue, f.home.Path());
  EXPECT_EQ(TextureCount(*document), 6);
  std::vector<std::string> captions;
  for (const SkinNode& skin : document->Root().Children()) captions.push_back(skin.Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Big Bad (bigx)", "First (abcd)", "Second (abca)", "zzzz (zzzz)"}));
  // Two records of one merged section: the repeated default texture is the other skin's,
  // the face that differs in case stays in its skin under a name of its own.
  std::vector<std::string> firstBody;
  for (const SkinNode& texture : SectionNode(*document, *FindSkinByCode(document->Root(), "abcd"), 1).Children())
    firstBody.push_back(texture.Caption());
  EXPECT_EQ(firstBody, (std::vector<std::string>{"< Default > ()", "< Default >John (John)", "< Default >john2 (john2)"}));
  EXPECT_EQ(SectionNode(*document, *FindSkinByCode(document->Root(), "abca"), 1).Children().size(), 1u);
  EXPECT_EQ(document->LoadReport().size(), 4u);
  for (const char* renamed : {"\"ABCD\"", "\"big\"", "john2", "zzzz"}) {
    bool said = false;
    for (const std::string& line : document->LoadReport()) said = said || line.find(renamed) != std::string::npos;
    EXPECT_TRUE(said) << renamed;
  }
  // Saved and loaded again, it is whole and needs no more mending.
  document->Save();
  auto again = Reload(f, *document);
  EXPECT_EQ(TextureCount(*again), 6);
  EXPECT_TRUE(again->LoadReport().empty());
  EXPECT_EQ(again->FileText(), document->FileText());
}

TEST(IdentityRulesTest, StoredPathsAreFoundWhateverTheirLetterCase) {
  ProjectFixture f;
  f.Picture("Case.bmp", 123);
  f.WriteText(f.home / "SoldierSkinsCase.mrb",
              "[General]\r\nModel=Soldier\r\n[Groups]\r\nblst=Blue Steel\r\n"
              "[blst#1#< Default > ()]\r\nFilename=textures\\CASE.BMP\r\n");
  auto document = ProjectDocument::Load(f.home / "SoldierSkinsCase.mrb", f.catalogue, f.home.Path());
  const std::vector<const SkinNode*> textures = TextureNodes(document->Root());
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_FALSE(textures[0]->Texture().Missing());
  EXPECT_EQ(textures[0]->Texture().SourceBitmap.Pixels()[0], 123);
  EXPECT_EQ(textures[0]->Texture().FileName, f.home / "Textures/Case.bmp");
  EXPECT_TRUE(document->LoadReport().empty());
  document->Save();
  EXPECT_EQ(TextureCount(*Reload(f, *document)), 1);
}
