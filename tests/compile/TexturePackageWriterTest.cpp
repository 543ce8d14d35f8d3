#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "compile/MipMaps.h"
#include "compile/PaletteGeneration.h"
#include "compile/PreparedTexture.h"
#include "compile/Resample.h"
#include "compile/TexturePackageWriter.h"
#include "compile/UniqueObjectPaths.h"
#include "raster/PictureFile.h"
#include "support/DeclaredSizeReader.h"
#include "support/ProjectFixture.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureObjects.h"

using namespace project;

namespace {

compile::TexturePackage Compile(ProjectDocument& document, int jobs = 1, bool reproducible = true) {
  compile::PaletteGenerator().Generate(document, jobs);
  return compile::BuildTexturePackage(document, {reproducible, jobs});
}

std::unique_ptr<unrealpkg::TUTPackage> ReadBack(const ProjectFixture& f, const compile::TexturePackage& package) {
  const auto path = f.home / "ReadBack.utx";
  testsupport::WriteFile(path, package.Bytes);
  return std::make_unique<unrealpkg::TUTPackage>(path);
}

std::vector<std::string> NameTexts(const unrealpkg::TUTPackage& package) {
  std::vector<std::string> names;
  for (const auto& name : package.Names()) names.push_back(name.Text);
  return names;
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

}  // namespace

TEST(TexturePackageWriterTest, NamesExportsAndObjectsOfTheExample) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Example", "abcd");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("abcd1.bmp", 90, 256), "< Default >", "");
  const compile::TexturePackage package = Compile(*document);
  auto read = ReadBack(f, package);

  EXPECT_EQ(NameTexts(*read),
            (std::vector<std::string>{"SoldierSkins", "Color", "Core", "Package", "Engine", "Class", "Texture", "Palette",
                                      "abcd", "None", "Palette1", "abcd1", "LODSet", "UBits", "VBits", "USize", "VSize",
                                      "UClamp", "VClamp", "MipZero", "MaxColor", "InternalTime"}));
  EXPECT_EQ(read->Names()[1].Flags, 0x04070410u);
  EXPECT_EQ(read->Names()[2].Flags, 0x04070010u);
  EXPECT_EQ(read->Names()[0].Flags, 0x00070010u);
  EXPECT_EQ(Int32At(package.Bytes, 16), 64);  // the name table follows the 64-byte header
  EXPECT_EQ(read->Version(), 69);
  EXPECT_EQ(read->Generations().size(), 1u);

  ASSERT_EQ(read->ExportCount(), 3);
  const auto* group = read->GetExport(0);
  EXPECT_EQ(group->ClassName(), "Package");
  EXPECT_EQ(group->SerialSize, 1);
  EXPECT_EQ(package.Bytes[static_cast<std::size_t>(group->SerialOffset)], 9);  // "None"
  const auto* palette = read->GetExport(1);
  EXPECT_EQ(palette->ObjectName(), "Palette1");
  EXPECT_EQ(palette->PackageRef, 1);
  EXPECT_EQ(palette->SerialSize, 1 + 2 + 1024);
  const auto* texture = read->GetExport(2);
  EXPECT_EQ(texture->PackageRef, 1);
  EXPECT_EQ(texture->ObjectFlags, 0x000F0004u);

  auto& reader = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(read->GetExport(2)->Object());
  unrealpkg::TUTObjectUse use(reader);
  // The tags byte for byte: name index, info byte (a struct name for colours), value.
  // Each info byte declares the size of the value that follows: the int32 tags 0x22.
  const std::vector<std::uint8_t>& data = reader.Data();
  const std::vector<std::uint8_t> head = {12, 0x01, 2, 7, 0x05, 2, 13, 0x01, 8, 14, 0x01, 8,
                                          15, 0x22, 0, 1, 0, 0, 16, 0x22, 0, 1, 0, 0,
                                          17, 0x22, 0, 1, 0, 0, 18, 0x22, 0, 1, 0, 0, 19, 0x2A, 1};
  ASSERT_TRUE(std::equal(head.begin(), head.end(), data.begin()));
  const std::vector<std::uint8_t> maxColor = {20, 0x2A, 1, 0xFF, 0xFF, 0xFF, 0xFF, 21, 0x22};
  EXPECT_TRUE(std::equal(maxColor.begin(), maxColor.end(), data.begin() + 43));
  EXPECT_EQ(data[43 + 9 + 4], 21);
  EXPECT_EQ(data[43 + 9 + 5], 0xA2);
  EXPECT_EQ(data[43 + 9 + 6], 1);
  EXPECT_EQ(data[43 + 9 + 11], 9);  // None
  EXPECT_EQ(data[43 + 9 + 12], 9);  // nine levels
  EXPECT_EQ(data[42], 0);           // MipZero's fourth byte
  EXPECT_EQ(reader.PaletteRef(), 2);
  EXPECT_EQ(reader.Properties().GetValue("LODSet").ToInteger(), 2);
  EXPECT_EQ(reader.Properties().GetValue("USize").ToInteger(), 256);
  EXPECT_EQ(reader.Properties().GetValue("UBits").ToInteger(), 8);
  EXPECT_EQ(reader.Properties().FindProperty("InternalTime[1]")->ArrayIndex, 1);
  ASSERT_EQ(reader.MipCount(), 9);
  // Each level's data end is an absolute position in the file.
  const std::size_t firstLevel = static_cast<std::size_t>(texture->SerialOffset) + reader.GetMip(0).DataStart;
  EXPECT_EQ(Int32At(package.Bytes, firstLevel - 4 - 3), static_cast<std::int32_t>(firstLevel + 65536));
  EXPECT_EQ(reader.ParsedSize(), reader.Data().size());
  const unrealpkg::PackageCheckResult check = unrealpkg::CheckPackage(*read);
  EXPECT_TRUE(check.Failures.empty());
  EXPECT_TRUE(check.Notes.empty());
  EXPECT_THAT(testsupport::DeclaredSizeDisagreements(*read), testing::IsEmpty());
}

TEST(TexturePackageWriterTest, LevelsAndPalettesReadBackAsWritten) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("body.bmp", 40, 128), "< Default >", "");
  document->AddTexture(SectionNode(*document, skin, 5), f.Picture("talk.bmp", 200, 64), "< Default >", "");
  ProjectOptions options = document->Options();
  options.OnlyFirstMipMap = true;
  document->SetOptions(options);
  const compile::TexturePackage package = Compile(*document);
  auto read = ReadBack(f, package);
  int textures = 0;
  for (const SkinNode* node : TextureNodes(document->Root())) {
    const int index = read->FindExport(document->TextureName(*node), "Texture");
    ASSERT_GE(index, 0);
    auto& reader = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(read->GetExport(index)->Object());
    unrealpkg::TUTObjectUse use(reader);
    ASSERT_EQ(reader.MipCount(), 1);
    const raster::Bitmap level = reader.MipBitmap(0);
    // The 128 x 128 body was resampled to its section's 256 x 256.
    EXPECT_EQ(level.Width(), textures == 0 ? 256 : 64);
    compile::PreparedTexture prepared = compile::Prepare(*node->Texture().WorkingBitmap);
    compile::ApplySizeRule(prepared.Picture, "", document->SectionOf(*node->Parent()).Part);
    EXPECT_EQ(level.Pixels(), compile::BuildMipChain(prepared.Picture, node->Texture().Palette, 1)[0].Pixels());
    EXPECT_EQ(reader.Properties().GetValue("VSize").ToInteger(), level.Height());
    for (std::size_t i = 0; i < 256; ++i) {
      EXPECT_EQ(level.Palette()[i].Red, node->Texture().Palette[i].Red);
      EXPECT_EQ(level.Palette()[i].Blue, node->Texture().Palette[i].Blue);
    }
    ++textures;
  }
  EXPECT_EQ(textures, 2);
}

TEST(TexturePackageWriterTest, PaletteModesNameAndPlaceTheirPalettes) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& first = document->NewSkin("First", "frst");
  const SkinNode& second = document->NewSkin("Second", "scnd");
  document->NewSkin("Empty", "empt");
  for (const SkinNode* skin : {&first, &second})
    for (int shade : {10, 120, 240})
      document->AddTexture(SectionNode(*document, *skin, 1), f.Picture(std::to_string(shade) + skin->Caption() + ".bmp", static_cast<std::uint8_t>(shade), 16),
                           "< Default >", "face" + std::to_string(shade));
  auto palettes = [&](int mode) {
    ProjectOptions options = document->Options();
    options.ReducePalettes = mode;
    document->SetOptions(options);
    auto read = ReadBack(f, Compile(*document));
    std::vector<std::pair<std::string, std::string>> found;
    for (int i = 0; i < read->ExportCount(); ++i)
      if (read->GetExport(i)->ClassName() == "Palette")
        found.emplace_back(read->GetExport(i)->ObjectName(), read->GetExport(i)->PackagePath());
    return found;
  };
  EXPECT_EQ(palettes(0).size(), 6u);
  EXPECT_EQ(palettes(1), (std::vector<std::pair<std::string, std::string>>{{"Palette_frst", "frst"}, {"Palette_scnd", "scnd"}}));
  EXPECT_EQ(palettes(2), (std::vector<std::pair<std::string, std::string>>{{"Palette_All", "frst"}}));
}

TEST(TexturePackageWriterTest, ThePaletteTagDeclaresTheLengthOfItsReference) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Many", "many");
  for (int i = 0; i < 40; ++i)
    document->AddTexture(SectionNode(*document, skin, 1), f.Picture("t" + std::to_string(i) + ".bmp", static_cast<std::uint8_t>(i), 16),
                         "< Default >", "f" + std::to_string(i));
  const compile::TexturePackage package = Compile(*document);
  auto read = ReadBack(f, package);
  const auto* last = read->GetExport(read->ExportCount() - 1);
  auto& reader = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(read->GetExport(read->ExportCount() - 1)->Object());
  unrealpkg::TUTObjectUse use(reader);
  EXPECT_GE(reader.PaletteRef(), 64);
  // After "LODSet" = 2: "Palette" (name 7), info 0x15 for two bytes, then the two-byte compact index.
  const std::size_t start = static_cast<std::size_t>(last->SerialOffset) + 3;
  EXPECT_EQ(package.Bytes[start], 7);
  EXPECT_EQ(package.Bytes[start + 1], 0x15);
  EXPECT_EQ(package.Bytes[start + 2] & 0x40, 0x40);
  EXPECT_THAT(testsupport::DeclaredSizeDisagreements(*read), testing::IsEmpty());
}

TEST(TexturePackageWriterTest, OutputDependsOnTheProjectAloneNotOnThreads) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  for (int i = 0; i < 6; ++i)
    document->AddTexture(SectionNode(*document, skin, 1), f.Picture("p" + std::to_string(i) + ".bmp", static_cast<std::uint8_t>(30 * i), 32),
                         "< Default >", "v" + std::to_string(i));
  const auto one = Compile(*document, 1);
  EXPECT_EQ(Compile(*document, 2).Bytes, one.Bytes);
  EXPECT_EQ(Compile(*document, 1).Bytes, one.Bytes);
  EXPECT_NE(Compile(*document, 1, false).Bytes, one.Bytes);

  const compile::CompiledFiles files = compile::CompileProject(*document, {true, 2});
  EXPECT_EQ(testsupport::ReadFile(files.PackageFile), one.Bytes);
  EXPECT_EQ(files.IntFile, f.home / "SoldierSkins.int");
}

TEST(TexturePackageWriterTest, MaskedPicturesKeepTheirHolesInEveryLevel) {
  ProjectFixture f;
  auto document = f.MaskedProject(32);
  raster::Bitmap visor(32, 32, raster::PixelFormat::Bgra32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      std::uint8_t* p = visor.Row(y) + x * 4;
      p[0] = static_cast<std::uint8_t>(x * 8), p[1] = 40, p[2] = static_cast<std::uint8_t>(y * 8);
      p[3] = (x / 8 + y / 8) % 2 ? 0 : 255;
    }
  raster::SavePicture(visor, f.home / "visor.png");
  const SkinNode& skin = document->NewSkin("Glass", "glas");
  document->AddTexture(skin.Children()[0], f.home / "visor.png", "< Default >", "");
  auto read = ReadBack(f, Compile(*document));
  auto& reader = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(read->GetExport(read->FindExport("glas1", "Texture"))->Object());
  unrealpkg::TUTObjectUse use(reader);
  ASSERT_EQ(reader.MipCount(), 6);
  for (int level = 0; level < reader.MipCount(); ++level) {
    const raster::Bitmap bitmap = reader.MipBitmap(level);
    const int step = 1 << level;
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x) {
        const bool hole = ((x * step) / 8 + (y * step) / 8) % 2 != 0;
        ASSERT_EQ(bitmap.Row(y)[x] == 0, hole) << "level " << level << " at " << x << "," << y;
      }
  }
}

TEST(TexturePackageWriterTest, ObjectsThatWouldShareAPathAreRefusedBeforeAnythingIsWritten) {
  ProjectFixture f;
  // Two team sections whose red variants the model names alike.
  f.WriteText(f.home / "Twin.mrbe",
              "[Model]\nFormatVersion=2\nName=Twin\nPrefix=Twin\n"
              "[Section1]\nName=Left\nTeam=Yes\nFormatTeamNoFace=T_twin_%TEAM%\n"
              "[Section2]\nName=Right\nTeam=Yes\nFormatTeamNoFace=T_twin_%TEAM%\n");
  f.catalogue = model::ScanModelCatalogue(f.home.Path());
  auto document = ProjectDocument::New(f.catalogue.FindByPrefix("Twin"), f.home / "TwinSkins.mrb", f.home.Path());
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("left.bmp", 90), "<Red Team>", "");
  document->AddTexture(SectionNode(*document, skin, 2), f.Picture("right.bmp", 30), "<Red Team>", "");
  compile::PaletteGenerator().Generate(*document);
  try {
    compile::CompileProject(*document, {});
    FAIL() << "compiled";
  } catch (const compile::ObjectPathClash& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("two textures would both be called T_twin_0"), std::string::npos) << message;
    EXPECT_NE(message.find("skin \"Blue Steel (blst)\", section \"Left\", texture \"<Red Team> (t_0)\" (" +
                           (f.home / "Textures/left.bmp").string() + ")"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("section \"Right\", texture \"<Red Team> (t_0)\" (" + (f.home / "Textures/right.bmp").string() +
                           ")"),
              std::string::npos)
        << message;
  }
  EXPECT_FALSE(std::filesystem::exists(f.home / "TwinSkins.utx"));
  EXPECT_FALSE(std::filesystem::exists(f.home / "TwinSkins.int"));
}

// The menus list a skin by one described texture and a face by its face
// texture; nothing else is described. A skin the menus cannot list is told.
TEST(TexturePackageWriterTest, TheIntDescribesWhatTheGamesMenusListAndWarnsOfSkinsTheyCannot) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& steel = document->NewSkin("Blue Steel", "blst");
  const SkinNode& body = SectionNode(*document, steel, 1);
  document->AddTexture(body, f.Picture("1.bmp"), "< Default >", "");
  document->AddTexture(body, f.Picture("2.bmp"), "<Red Team>", "");
  document->AddTexture(body, f.Picture("3.bmp"), "<Red Team>", "Ada");
  document->AddTexture(SectionNode(*document, steel, 3), f.Picture("4.bmp"), "< Default >", "Ada");
  document->AddTexture(SectionNode(*document, steel, 5), f.Picture("5.bmp"), "< Default >", "");
  // Only team variants: the skin list would not show it.
  const SkinNode& red = document->NewSkin("Red Only", "redo");
  document->AddTexture(SectionNode(*document, red, 1), f.Picture("6.bmp"), "<Red Team>", "");
  const compile::TexturePackage package = Compile(*document);
  EXPECT_EQ(package.IntText, "[Public]\r\n"
                             "Object=(Name=SoldierSkins.blst1,Class=Texture,Description=\"Blue Steel\")\r\n"
                             "Object=(Name=SoldierSkins.blst1T_0,Class=Texture)\r\n"
                             "Object=(Name=SoldierSkins.blst1T_0ada,Class=Texture)\r\n"
                             "Object=(Name=SoldierSkins.blst3ada,Class=Texture,Description=\"Ada\")\r\n"
                             "Object=(Name=SoldierSkins.blst5,Class=Texture)\r\n"
                             "Object=(Name=SoldierSkins.redo1T_0,Class=Texture)\r\n");
  EXPECT_EQ(package.Warnings, (std::vector<std::string>{
                                  "The skin \"Red Only (redo)\" has no default texture (one of no team and no face), so "
                                  "the game's skin menu does not list it."}));
}

// Without its fixed part, the game shows a skin as the model's default skin.
TEST(TexturePackageWriterTest, ASkinWithoutARequiredSectionsTextureIsTold) {
  ProjectFixture f;
  f.WriteText(f.home / "Fixed.mrbe", "[Model]\nFormatVersion=2\nPrefix=Fixed\n[Section1]\nName=SKIN0\nTeam=Yes\nRequired=Yes\n"
                                     "[Section2]\nName=SKIN1\nTeam=Yes\n");
  f.catalogue = model::ScanModelCatalogue(f.home.Path());
  auto document = ProjectDocument::New(f.catalogue.FindByPrefix("Fixed"), f.home / "FixedSkins.mrb", f.home.Path());
  const SkinNode& whole = document->NewSkin("Whole", "whol");
  document->AddTexture(SectionNode(*document, whole, 1), f.Picture("1.bmp"), "< Default >", "");
  const SkinNode& part = document->NewSkin("Part", "part");
  document->AddTexture(SectionNode(*document, part, 2), f.Picture("2.bmp"), "< Default >", "");
  document->AddTexture(SectionNode(*document, part, 1), f.Picture("3.bmp"), "<Red Team>", "");
  EXPECT_EQ(Compile(*document).Warnings,
            (std::vector<std::string>{"The skin \"Part (part)\" has no default texture in the section SKIN0 (1), which the "
                                      "game needs: without it the game shows the model's default skin instead."}));
}

// A single-skin model's skins are named whole; the team textures all its
// skins share may sit in one skin only, since the game finds a texture by
// its name whatever group holds it.
TEST(TexturePackageWriterTest, SingleSkinModelsListSkinsByNameAndShareTeamTexturesOnce) {
  ProjectFixture f;
  auto document = f.SingleSkinProject();
  const SkinNode& priest = document->NewSkin("High Priest", "");
  EXPECT_EQ(priest.Code(), "HighPriest");
  document->AddTexture(SectionNode(*document, priest, 1), f.Picture("a.bmp"), "< Default >", "");
  document->AddTexture(SectionNode(*document, priest, 1), f.Picture("b.bmp"), "<Blue Team>", "");
  document->AddTexture(SectionNode(*document, priest, 5), f.Picture("c.bmp"), "< Default >", "");
  const SkinNode& monk = document->NewSkin("Monk", "Monk-2");
  document->AddTexture(SectionNode(*document, monk, 5), f.Picture("d.bmp"), "< Default >", "");
  const compile::TexturePackage package = Compile(*document);
  EXPECT_EQ(package.IntText, "[Public]\r\n"
                             "Object=(Name=NaliSkins.HighPriest,Class=Texture,Description=\"High Priest\")\r\n"
                             "Object=(Name=NaliSkins.T_Nali_1,Class=Texture)\r\n"
                             "Object=(Name=NaliSkins.HighPriest-Face,Class=Texture)\r\n"
                             "Object=(Name=NaliSkins.Monk-2-Face,Class=Texture)\r\n");
  EXPECT_EQ(package.Warnings, (std::vector<std::string>{"The skin \"Monk (Monk-2)\" has no texture named Monk-2, so the "
                                                        "game's skin menu does not list it."}));

  document->AddTexture(SectionNode(*document, monk, 1), f.Picture("e.bmp"), "<Blue Team>", "");
  compile::PaletteGenerator().Generate(*document);
  EXPECT_THAT([&] { compile::BuildTexturePackage(*document, {}); },
              testing::ThrowsMessage<compile::ObjectPathClash>(
                  testing::HasSubstr("two textures would both be called T_Nali_1 in the package")));
}
