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
