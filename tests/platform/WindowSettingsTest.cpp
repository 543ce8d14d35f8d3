#include <gtest/gtest.h>

#include "platform/IniFile.h"
#include "platform/ProgramSettings.h"
#include "platform/WindowSettings.h"
#include "support/TestFiles.h"

TEST(WindowSettingsTest, TheLayoutReadsBackAndKeepsTheRestOfTheFile) {
  testsupport::TempDir dir;
  const std::filesystem::path file = dir / "UTMarbelle.ini";
  EXPECT_EQ(platform::ReadWindowLayout(file), std::nullopt);
  platform::WriteLoadAnimations(file, false);

  platform::WindowLayout layout;
  layout.Left = -8;
  layout.Top = 20;
  layout.Width = 1200;
  layout.Height = 800;
  layout.Maximized = true;
  layout.AdvancedMode = true;
  layout.Columns = {300, 900};
  layout.PreviewColumns = {150, 750};
  platform::WriteWindowLayout(file, layout);
  const std::optional<platform::WindowLayout> back = platform::ReadWindowLayout(file);
  ASSERT_TRUE(back);
  EXPECT_EQ(std::tuple(back->Left, back->Top, back->Width, back->Height, back->Maximized, back->AdvancedMode),
            std::tuple(-8, 20, 1200, 800, true, true));
  EXPECT_EQ(back->Columns, std::vector({300, 900}));
  EXPECT_EQ(back->PreviewColumns, std::vector({150, 750}));
  EXPECT_TRUE(back->SkinEditorRows.empty());
  EXPECT_FALSE(platform::ReadLoadAnimations(file));

  // Sizes a person mistyped are dropped whole; a frame without a size is no layout.
  platform::IniFile edited = platform::IniFile::Load(file);
  edited.WriteString("Window", "Columns", "300,x");
  edited.WriteString("Window", "SkinEditorRows", "0,200");
  edited.Save(file);
  EXPECT_TRUE(platform::ReadWindowLayout(file)->Columns.empty());
  EXPECT_TRUE(platform::ReadWindowLayout(file)->SkinEditorRows.empty());
  edited.WriteInteger("Window", "Width", 0);
  edited.Save(file);
  EXPECT_EQ(platform::ReadWindowLayout(file), std::nullopt);
}

TEST(WindowSettingsTest, EachKindRemembersItsFolderWhileTheFolderIsThere) {
  testsupport::TempDir dir;
  const std::filesystem::path file = dir / "UTMarbelle.ini";
  std::filesystem::create_directories(dir / "projects");
  std::filesystem::create_directories(dir / "pictures");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Projects"), std::filesystem::path());
  platform::WriteRememberedFolder(file, "Projects", dir / "projects");
  platform::WriteRememberedFolder(file, "Textures", dir / "pictures");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Projects"), dir / "projects");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Textures"), dir / "pictures");
  std::filesystem::remove(dir / "pictures");
  EXPECT_EQ(platform::ReadRememberedFolder(file, "Textures"), std::filesystem::path());
}
