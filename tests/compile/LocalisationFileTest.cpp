#include <gtest/gtest.h>

#include "compile/LocalisationFile.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

using compile::LocalisationFile;

namespace {

constexpr bool kDefault = false;
constexpr bool kVariant = true;
constexpr bool kFirst = true;
constexpr bool kLater = false;
constexpr bool kNoInt = true;
constexpr bool kListed = false;

std::string Declared(const std::string& texture, const std::string& description) {
  return "Object=(Name=ExampleSkins." + texture + ",Class=Texture,Description=\"" + description + "\")\r\n";
}

std::string Undescribed(const std::string& texture) {
  return "Object=(Name=ExampleSkins." + texture + ",Class=Texture)\r\n";
}

}  // namespace

TEST(LocalisationFileTest, FirstDefaultTextureOfASkinTakesTheSkinDescription) {
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("abcd1", "Its own", kDefault, kFirst, "Blue Knight", kListed);
  file.AddTexture("abcd2", "Second", kDefault, kLater, "Blue Knight", kListed);
  file.AddTexture("abcd3", "BLUE KNIGHT", kVariant, kLater, "Blue Knight", kListed);
  file.NextSkin();
  file.AddTexture("efgh1", "Face first", kVariant, kFirst, "Red", kListed);
  file.AddTexture("efgh2", "", kDefault, kLater, "Red", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("abcd1", "Blue Knight") + Declared("abcd2", "Second") +
                             Undescribed("abcd3") + Declared("efgh1", "Face first") + Undescribed("efgh2"));
}

TEST(LocalisationFileTest, RepeatedDescriptionsAreDroppedWithinASkinOnly) {
  for (const bool reduced : {false, true}) {
    LocalisationFile file("ExampleSkins", reduced);
    file.NextSkin();
    file.AddTexture("a1", "Red", kVariant, kFirst, "Skin", kListed);
    file.AddTexture("a2", "rED", kVariant, kLater, "Skin", kListed);
    file.NextSkin();
    file.AddTexture("b1", "RED", kVariant, kFirst, "Skin", kListed);
    EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("a1", "Red") + (reduced ? "" : Undescribed("a2")) +
                               Declared("b1", "RED"));
  }
}

TEST(LocalisationFileTest, NoIntSectionsDeclareNothingButUseTheirDescription) {
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("a1", "Skin talk", kDefault, kFirst, "Knight", kNoInt);
  file.AddTexture("a2", "knight", kVariant, kLater, "Knight", kListed);
  file.AddTexture("a3", "Other", kVariant, kLater, "Knight", kNoInt);
  file.AddTexture("a4", "other", kVariant, kLater, "Knight", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Undescribed("a2") + Undescribed("a4"));
}

TEST(LocalisationFileTest, ReducedFileWithoutDescriptionsHoldsOnlyTheHeader) {
  LocalisationFile file("ExampleSkins", true);
  file.NextSkin();
  file.AddTexture("a1", "", kVariant, kFirst, "", kListed);
  file.AddTexture("a2", "", kDefault, kLater, "", kListed);
  file.NextSkin();
  file.AddTexture("b1", "", kDefault, kFirst, "", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n");
}

TEST(LocalisationFileTest, TextUpToTheFirstMarkIsNotShown) {
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("a1", "Team>Red>Blue", kVariant, kFirst, "Skin", kListed);
  file.AddTexture("a2", "Other>red>blue", kVariant, kLater, "Skin", kListed);
  file.AddTexture("a3", ">", kVariant, kLater, "Skin", kListed);
  file.AddTexture("a4", "", kDefault, kLater, "Skin", kListed);
  file.NextSkin();
  // The skin description is taken as it stands.
  file.AddTexture("b1", "x>Own", kDefault, kFirst, "Dark>Knight", kListed);
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("a1", "Red>Blue") + Undescribed("a2") + Undescribed("a3") +
                             Undescribed("a4") + Declared("b1", "Dark>Knight"));
}

TEST(LocalisationFileTest, SaveReplacesTheFileWithTheText) {
  testsupport::TempDir dir;
  const auto path = dir / "ExampleSkins.int";
  testsupport::WriteFile(path, Bytes("old contents that are longer than the new ones"));
  LocalisationFile file("ExampleSkins", false);
  file.NextSkin();
  file.AddTexture("a1", "Caf\xE9", kVariant, kFirst, "", kListed);
  file.Save(path);
  EXPECT_EQ(testsupport::ReadFile(path), Bytes(file.Text()));
  EXPECT_EQ(file.Text(), "[Public]\r\n" + Declared("a1", "Caf\xE9"));
}
