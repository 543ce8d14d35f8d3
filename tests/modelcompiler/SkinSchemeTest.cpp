#include <gtest/gtest.h>

#include "modelcompiler/SkinScheme.h"

namespace {

using namespace modelcompiler;

// A class of the Bonus Pack's kind: its chain breaks at a missing Botpack.
ClassSkinFacts BrokenChain(const std::string& defaultSkin) {
  ClassSkinFacts facts;
  facts.ClassName = "TSkaarj";
  facts.MissingParent = "Botpack.TournamentMale";
  facts.DefaultSkinName = defaultSkin;
  facts.DefaultPackage = defaultSkin.substr(0, defaultSkin.find('.') + 1);
  return facts;
}

TMeshItem Slots(std::int32_t fixed, std::int32_t face, std::int32_t team1, std::int32_t team2,
                std::string teamSkin = {}) {
  TMeshItem slots;
  slots.FixedSkin = fixed;
  slots.FaceSkin = face;
  slots.TeamSkin1 = team1;
  slots.TeamSkin2 = team2;
  slots.TeamSkin = std::move(teamSkin);
  return slots;
}

DefaultSkinPackage Package(std::string name, std::vector<std::string> textures) {
  DefaultSkinPackage package;
  package.Name = name;
  package.File = "/game/Textures/" + name + ".utx";
  package.Textures = std::move(textures);
  return package;
}

// "1:team,face" for each section: its number, then what varies.
std::vector<std::string> Shape(const SkinScheme& scheme) {
  std::vector<std::string> shape;
  for (const SchemeSection& s : scheme.Sections)
    shape.push_back(std::to_string(s.Number) + (s.Team ? " team" : "") + (s.Face ? " face" : "") +
                    (s.Talk ? " talk" : "") + (s.NoInt ? " noint" : "") + (s.Required ? " required" : "") +
                    (s.FormatNoTeamNoFace.empty() ? "" : " " + s.FormatNoTeamNoFace) +
                    (s.FormatTeamNoFace.empty() ? "" : " " + s.FormatTeamNoFace));
  return shape;
}

}  // namespace

// Where the chain cannot tell, the default skin package shows the kind: the
// default skin under its whole name, or as <code><section> textures whose
// variants show which sections vary by team and by face.
TEST(SkinSchemeTest, TheDefaultSkinPackageDecidesWhatTheChainCannot) {
  const SkinScheme multi =
      DecideSkinScheme(BrokenChain("TSkMSkins.Warr"), Slots(0, 1, 2, 3),
                       Package("TSkMSkins", {"warr1", "Warr2Dominator", "warr3T_0", "warr6T_2", "Warr5SuperFly"}), {1, 2, 3});
  EXPECT_FALSE(multi.SingleSkin);
  EXPECT_EQ(Shape(multi),
            (std::vector<std::string>{"1 required", "2 face", "3 team", "4 team", "5 face talk", "6 team"}));
  EXPECT_EQ(multi.Reasons.front(),
            "Skins are named by a code and a section digit, as for a multi-skinned model: bIsMultiSkinned is not stored "
            "by the classes that can be read (Botpack.TournamentMale is not found), and the default skin package "
            "TSkMSkins.utx holds the default skin as warr1 and its other sections");
  EXPECT_EQ(multi.Notes.size(), 1u);

  // The Nali: team textures as the package writes them, "-Face" after a skin
  // the package holds, and the section the class fills itself left to it.
  const SkinScheme single = DecideSkinScheme(
      BrokenChain("TNaliMeshSkins.Ouboudah"), Slots(0, 1, 2, 3, "T_nali_"),
      Package("TNaliMeshSkins", {"Ouboudah", "Priest", "priest-face", "nali-face", "T_Nali_0", "T_Nali_1"}), {0, 1});
  EXPECT_TRUE(single.SingleSkin);
  EXPECT_EQ(Shape(single), (std::vector<std::string>{"1 team %SKIN% T_Nali_%TEAM%", "2", "5 talk %SKIN%-Face"}));

  ClassSkinFacts cow = BrokenChain("TCowMeshSkins.WarCow");
  cow.FixedTextures[2] = "cowpack";
  cow.MultiSkinned = false;
  cow.MultiSkinnedIn = "tcow";
  // The class says it; "Face" is what the scripts try first without other evidence.
  const SkinScheme cowScheme = DecideSkinScheme(cow, Slots(0, 1, 2, 3, "T_cow_"), {}, {1, 2});
  EXPECT_EQ(Shape(cowScheme),
            (std::vector<std::string>{"2 team %SKIN% T_cow_%TEAM%", "3 noint cowpack", "5 talk %SKIN%Face"}));
  EXPECT_TRUE(cowScheme.Notes.empty());
}

// Without package and without a stored value, the game's player classes are
// multi-skinned; a complete chain that stores nothing says False; a mesh
// listed without its class has no scripts, so only its drawn sections count.
TEST(SkinSchemeTest, WithoutEvidenceTheDefaultsDecide) {
  DefaultSkinPackage missing;
  missing.Name = "TSkMSkins";
  const SkinScheme broken = DecideSkinScheme(BrokenChain("TSkMSkins.Warr"), Slots(0, 1, 2, 3), missing, {1});
  EXPECT_FALSE(broken.SingleSkin);
  EXPECT_EQ(broken.Notes, (std::vector<std::string>{
                              "The class TSkaarj does not say whether it is multi-skinned (Botpack.TournamentMale is not "
                              "found): bIsMultiSkinned is taken as True, as the default skin package TSkMSkins.utx is not "
                              "in the game's Textures folder; taken as multi-skinned, as the game's player classes are"}));

  ClassSkinFacts complete;
  complete.ClassName = "Lone";
  EXPECT_TRUE(DecideSkinScheme(complete, Slots(0, 1, 2, 3), {}, {0}).SingleSkin);

  const SkinScheme mesh = DecideSkinScheme({}, Slots(-1, 0, 1, 2), {}, {0});
  EXPECT_FALSE(mesh.SingleSkin);
  EXPECT_EQ(Shape(mesh), (std::vector<std::string>{"1 face", "5 face talk"}));
}
