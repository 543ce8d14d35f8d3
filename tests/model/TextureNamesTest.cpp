#include <gtest/gtest.h>

#include "model/TModelo.h"
#include "model/TextureNames.h"

using namespace model;

TEST(TextureNamesTest, DefaultFormats) {
  TModelo model;
  model.Prefix = "Soldier";
  model.AddSection("Body", 1 | TEAM | FACE, DefaultFormatNoTeamNoFace, DefaultFormatNoTeamFace, DefaultFormatTeamNoFace,
                   DefaultFormatTeamFace, 256, 256);
  EXPECT_EQ(MakeTextureName(model, "abcd", 1, ""), "abcd1");
  EXPECT_EQ(MakeTextureName(model, "abcd", 1, "john"), "abcd1john");
  EXPECT_EQ(MakeTextureName(model, "abcd", 1, "t_0"), "abcd1T_0");
  EXPECT_EQ(MakeTextureName(model, "abcd", 1, "t_2john"), "abcd1T_2john");
  EXPECT_EQ(MakeTextureName(model, "abcd", 1, "T_1"), "abcd1T_1");
  // A third character that is not a digit leaves no team: t_xjohn is face john.
  EXPECT_EQ(MakeTextureName(model, "abcd", 1, "t_xjohn"), "abcd1john");
  EXPECT_THROW(MakeTextureName(model, "abcd", 2, ""), std::runtime_error);
}

TEST(TextureNamesTest, Placeholders) {
  EXPECT_EQ(ExpandNameFormat("%SKIN%%SECTION0%%TEAMNAME%", "abcd", 3, 1, ""), "abcd2Blue");
  EXPECT_EQ(ExpandNameFormat("%section0%-%section%", "abcd", 3, -1, ""), "2-3");
  EXPECT_EQ(ExpandNameFormat("x%UNKNOWN%y%%z", "s", 1, 0, "f"), "xyz");
  EXPECT_EQ(ExpandNameFormat("%skin", "s", 1, 0, "f"), "s");
  EXPECT_EQ(ExpandNameFormat("%TEAMNAME%|%TEAM%", "s", 1, 3, ""), "Gold|3");
  EXPECT_EQ(ExpandNameFormat("[%TEAMNAME%]", "s", 1, 7, ""), "[]");
  EXPECT_EQ(ExpandNameFormat("%FACE%%FACE%", "s", 1, -1, "jo"), "jojo");
}

namespace {

std::string Reading(const TextureNameReading& r) {
  return r.Skin + "|" + std::to_string(r.Section) + "|" + std::to_string(r.Parts.Team) + "|" + r.Parts.Face +
         (r.Allowed ? "" : "|not allowed");
}

std::vector<std::string> Readings(const TModelo& model, std::string_view name) {
  std::vector<std::string> texts;
  for (const TextureNameReading& reading : ReadTextureName(model, name)) texts.push_back(Reading(reading));
  return texts;
}

}  // namespace

// Names read back into skin, section, team and face, surest first: what the
// section allows, then the format with more fixed text.
TEST(TextureNamesTest, NamesReadBackThroughTheFormats) {
  TModelo skaarj;
  skaarj.AddSection("SKIN1", 2 | FACE, DefaultFormatNoTeamNoFace, DefaultFormatNoTeamFace, DefaultFormatTeamNoFace,
                    DefaultFormatTeamFace, 256, 256);
  skaarj.AddSection("SKIN2", 3 | TEAM, DefaultFormatNoTeamNoFace, DefaultFormatNoTeamFace, DefaultFormatTeamNoFace,
                    DefaultFormatTeamFace, 256, 256);
  skaarj.AddSection("AMS", 4 | TEAM, "%SKIN%%SECTION0%", "%SKIN%%SECTION0%%FACE%", "%SKIN%%TEAMNAME%", "", 256, 256);
  EXPECT_EQ(Readings(skaarj, "Warr2Berserker"), (std::vector<std::string>{"Warr|2|-1|Berserker"}));
  EXPECT_EQ(Readings(skaarj, "warr3T_1"), (std::vector<std::string>{"warr|3|1|", "warr|3|-1|T_1|not allowed",
                                                                     "warr|4|-1|T_1|not allowed"}));
  // %SECTION0% of section 4 writes 3 too: both readings stand, in section order.
  EXPECT_EQ(Readings(skaarj, "pitf3"), (std::vector<std::string>{"pitf|3|-1|", "pitf|4|-1|"}));
  EXPECT_EQ(Readings(skaarj, "MekSGold"), (std::vector<std::string>{"MekS|4|3|"}));
  // Four letters make a code; nothing else does.
  EXPECT_TRUE(Readings(skaarj, "ab2x").empty());
  EXPECT_TRUE(Readings(skaarj, "abc12").empty());

  TModelo nali;
  nali.SingleSkin = true;
  nali.AddSection("SKIN0", 1 | TEAM, "%SKIN%", DefaultFormatNoTeamFace, "T_Nali_%TEAM%", DefaultFormatTeamFace, 256, 256);
  nali.AddSection("Talk", 5 | TALKTEXTURE, "%SKIN%-Face", DefaultFormatNoTeamFace, DefaultFormatTeamNoFace,
                  DefaultFormatTeamFace, 64, 64);
  // Whole names: the talk texture's fixed text makes it surer than a skin of that name.
  EXPECT_EQ(Readings(nali, "priest-face"), (std::vector<std::string>{"priest|5|-1|", "priest-face|1|-1|"}));
  EXPECT_EQ(Readings(nali, "T_NALI_2"), (std::vector<std::string>{"|1|2|", "T_NALI_2|1|-1|"}));
  EXPECT_EQ(Readings(nali, "Ouboudah"), (std::vector<std::string>{"Ouboudah|1|-1|"}));
  // Single-skin sections read no variant they do not allow, and names hold only the game's characters.
  EXPECT_TRUE(Readings(nali, "Priest 2").empty());
  EXPECT_TRUE(Readings(nali, std::string(MaxSkinName + 1, 'a')).empty());
}
