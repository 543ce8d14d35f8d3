#include <gtest/gtest.h>

#include "compile/LocalisationFile.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

using compile::LocalisationFile;

namespace {

using compile::MenuRole;

constexpr bool kNoInt = true;
constexpr bool kListed = false;

std::string Declared(const std::string& texture, const std::string& description) {
  return "Object=(Name=ExampleSkins." + texture + ",Class=Texture,Description=\"" + description + "\")\r\n";
}

std::string Undescribed(const std::string& texture) {
  return "Object=(Name=ExampleSkins." + texture + ",Class=Texture)\r\n";
}

}  // namespace

// The menus list a skin by its one texture described with the skin's
// description, and a face by its face texture; any other description would
// show as a skin or face that is none.
TEST(LocalisationFileTest, OnlyTheTexturesTheMenusListAreDescribed) {
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("abcd1", "Its own", MenuRole::Skin, "Blue Knight", kListed);
  file.AddTexture("abcd2", "< Default >", MenuRole::None, "Blue Knight", kListed);
  file.AddTexture("abcd2John", "< Default >John", MenuRole::Face, "Blue Knight", kListed);
  file.AddTexture("abcd3T_0", "<Red Team>", MenuRole::None, "Blue Knight", kListed);
  file.AddTexture("abcd5John", "< Default >John", MenuRole::None, "Blue Knight", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("abcd1", "Blue Knight") + Undescribed("abcd2") +
                             Declared("abcd2John", "John") + Undescribed("abcd3T_0") + Undescribed("abcd5John"));
}

TEST(LocalisationFileTest, RepeatedDescriptionsAreDroppedWithinASkinOnly) {
  for (const bool reduced : {false, true}) {
    LocalisationFile file("ExampleSkins", reduced);
    file.NextSkin();
    file.AddTexture("a1", "Red", MenuRole::Face, "Skin", kListed);
    file.AddTexture("a2", "rED", MenuRole::Face, "Skin", kListed);
    file.NextSkin();
    file.AddTexture("b1", "RED", MenuRole::Face, "Skin", kListed);
    EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("a1", "Red") + (reduced ? "" : Undescribed("a2")) +
                               Declared("b1", "RED"));
  }
}

TEST(LocalisationFileTest, NoIntSectionsDeclareNothingButUseTheirDescription) {
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("a1", "Skin talk", MenuRole::Skin, "Knight", kNoInt);
  file.AddTexture("a2", "knight", MenuRole::Face, "Knight", kListed);
  file.AddTexture("a3", "Other", MenuRole::Face, "Knight", kNoInt);
  file.AddTexture("a4", "other", MenuRole::Face, "Knight", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Undescribed("a2") + Undescribed("a4"));
}

TEST(LocalisationFileTest, ReducedFileWithoutDescriptionsHoldsOnlyTheHeader) {
  LocalisationFile file("ExampleSkins", true);
  file.NextSkin();
  file.AddTexture("a1", "", MenuRole::Face, "", kListed);
  file.AddTexture("a2", "", MenuRole::Skin, "", kListed);
  file.AddTexture("a3", "Described", MenuRole::None, "", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n");
}

TEST(LocalisationFileTest, TextUpToTheFirstMarkIsNotShown) {
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("a1", "Team>Red>Blue", MenuRole::Face, "Skin", kListed);
  file.AddTexture("a2", "Other>red>blue", MenuRole::Face, "Skin", kListed);
  file.AddTexture("a3", ">", MenuRole::Face, "Skin", kListed);
  file.NextSkin();
  // The skin description is taken as it stands.
  file.AddTexture("b1", "x>Own", MenuRole::Skin, "Dark>Knight", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("a1", "Red>Blue") + Undescribed("a2") + Undescribed("a3") +
                             Declared("b1", "Dark>Knight"));
}

TEST(LocalisationFileTest, SaveReplacesTheFileWithTheText) {
  testsupport::TempDir dir;
  const auto path = dir / "ExampleSkins.int";
  testsupport::WriteFile(path, Bytes("old contents that are longer than the new ones"));
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("a1", "Caf\xE9", MenuRole::Face, "", kListed);
  file.Save(path);
  EXPECT_EQ(testsupport::ReadFile(path), Bytes(file.Text()));
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("a1", "Caf\xE9"));
}
