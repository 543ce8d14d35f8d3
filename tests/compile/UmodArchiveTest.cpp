#include <gtest/gtest.h>

#include "compile/Crc32.h"
#include "compile/UmodArchive.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

using compile::UmodEntry;
using compile::UmodOptions;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

const std::string kRequirement =
    "[UnrealTournamentRequirement]\r\n"
    "LocalProduct=UnrealTournament\r\n"
    "ProductURL=http://www.unrealtournament.com/\r\n"
    "VersionURL=http://www.epicgames.com/\r\n"
    "Developer=Epic Games, Inc.\r\n"
    "DeveloperURL=http://www.epicgames.com/\r\n";

// A compiled project beside its readme and logo.
struct UmodFixture {
  testsupport::TempDir dir;
  std::filesystem::path project = dir / "ExampleSkins.mrb";
  std::filesystem::path archive = dir / "ExampleSkins.umod";
  std::filesystem::path readMe = dir / "notes.htm";
  std::filesystem::path bitmap = dir / "logo.bmp";

  UmodFixture() {
    WriteFile(dir / "ExampleSkins.utx", Bytes("UTX-DATA"));
    WriteFile(dir / "ExampleSkins.int", Bytes("[Public]\r\n"));
    WriteFile(readMe, Bytes("<p>read me</p>"));
    WriteFile(bitmap, Bytes("BM-logo"));
  }
};

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (std::uint32_t{bytes[at + 3]} << 24);
}

std::vector<std::string> Paths(const std::vector<UmodEntry>& entries) {
  std::vector<std::string> paths;
  for (const auto& entry : entries) paths.push_back(entry.archivePath);
  return paths;
}

}  // namespace

TEST(UmodArchiveTest, ManifestIntHoldsTheOptionalLinesOnlyWhenSet) {
  EXPECT_EQ(compile::ManifestIntText("ExampleSkins", {}),
            "[Setup]\r\n"
            "LocalProduct=ExampleSkins\r\n"
            "SetupWindowTitle=ExampleSkins Setup\r\n"
            "AutoplayWindowTitle=ExampleSkins Options\r\n"
            "\r\n" +
                kRequirement);

  UmodOptions options;
  options.productName = "Knights";
  options.developer = "Ana";
  options.url = "http://example.org/";
  options.readMe = "/docs/Read Me.HTM";
  options.bitmap = "/docs/logo.bmp";
  EXPECT_EQ(compile::ManifestIntText("ExampleSkins", options),
            "[Setup]\r\n"
            "LocalProduct=Knights\r\n"
            "SetupWindowTitle=Knights Setup\r\n"
            "AutoplayWindowTitle=Knights Options\r\n"
            "Developer=Ana\r\n"
            "ProductURL=http://example.org/\r\n"
            "VersionURL=http://example.org/\r\n"
            "DeveloperURL=http://example.org/\r\n"
            "Logo=Help\\ExampleSkins.bmp\r\n"
            "ReadMe=Help\\ExampleSkins_readme.HTM\r\n"
            "\r\n" +
                kRequirement);
}

TEST(UmodArchiveTest, ManifestIniListsTheFilesAndTheServerGroup) {
  const std::vector<UmodEntry> files{{"Textures\\ExampleSkins.utx", 0, 1234, 0},
                                     {"System\\ExampleSkins.int", 0, 56, 0}};
  UmodOptions options;
  const std::string intSize = std::to_string(compile::ManifestIntText("ExampleSkins", options).size());
  EXPECT_EQ(compile::ManifestIniText("ExampleSkins", options, files),
            "[Setup]\r\n"
            "Product=ExampleSkins\r\n"
            "Version=100\r\n"
            "Archive=ExampleSkins.umod\r\n"
            "SrcPath=.\r\n"
            "MasterPath=..\r\n"
            "Requires=UnrealTournamentRequirement\r\n"
            "Group=SetupGroup\r\n"
            "Group=SkinGroup\r\n"
            "Group=umodINIGroup\r\n"
            "\r\n"
            "[UnrealTournamentRequirement]\r\n"
            "Product=UnrealTournament\r\n"
            "Version=400\r\n"
            "\r\n"
            "[SetupGroup]\r\n"
            "Copy=(Src=System\\Manifest.ini,Master=System\\Manifest.ini,Size=393,Flags=3)\r\n"
            "Copy=(Src=System\\Manifest.int,Master=System\\Manifest.int,Size=" +
                intSize +
                ",Flags=3)\r\n"
                "\r\n"
                "[SkinGroup]\r\n"
                "File=(Src=Textures\\ExampleSkins.utx,Size=1234)\r\n"
                "File=(Src=System\\ExampleSkins.int,Size=56)\r\n"
                "\r\n"
                "[umodINIGroup]\r\n"
                "AddIni=UnrealTournament.ini,Engine.GameEngine.ServerPackages=ExampleSkins\r\n"
                "\r\n");

  options.serverSupport = false;
  options.version = "201";
  options.developer = "Ana";
  const std::string ini = compile::ManifestIniText("ExampleSkins", options, files);
  EXPECT_NE(ini.find("\r\nVersion=201\r\n"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("umodINIGroup"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("AddIni"), std::string::npos) << ini;
  // The developer line lengthens the Manifest.int, and the Copy line follows it.
  const std::string longerSize = std::to_string(compile::ManifestIntText("ExampleSkins", options).size());
  ASSERT_NE(longerSize, intSize);
  EXPECT_NE(ini.find("Master=System\\Manifest.int,Size=" + longerSize + ",Flags=3)"), std::string::npos) << ini;
  EXPECT_TRUE(ini.ends_with("File=(Src=System\\ExampleSkins.int,Size=56)\r\n\r\n")) << ini;
}

TEST(UmodArchiveTest, ArchiveIsLaidOutByteByByte) {
  UmodFixture f;
  EXPECT_EQ(compile::WriteUmodArchive(f.project, {}), f.archive);
  const auto bytes = ReadFile(f.archive);

  const std::vector<UmodEntry> files{{"Textures\\ExampleSkins.utx", 0, 8, 0}, {"System\\ExampleSkins.int", 0, 10, 0}};
  const std::string ini = compile::ManifestIniText("ExampleSkins", {}, files);
  const std::string manifestInt = compile::ManifestIntText("ExampleSkins", {});
  const auto iniSize = static_cast<std::uint32_t>(ini.size());
  const auto intSize = static_cast<std::uint32_t>(manifestInt.size());

  std::vector<std::uint8_t> expected = Bytes(ini + manifestInt + "UTX-DATA" + "[Public]\r\n");
  const auto directoryOffset = static_cast<std::uint32_t>(expected.size());
  expected.push_back(4);
  auto entry = [&](const std::string& path, std::uint32_t offset, std::uint32_t size, std::uint32_t flags) {
    expected.push_back(static_cast<std::uint8_t>(path.size() + 1));
    expected.insert(expected.end(), path.begin(), path.end());
    expected.push_back(0);
    AppendInt32(expected, offset);
    AppendInt32(expected, size);
    AppendInt32(expected, flags);
  };
  entry("System\\Manifest.ini", 0, iniSize, 3);
  entry("System\\Manifest.int", iniSize, intSize, 3);
  entry("Textures\\ExampleSkins.utx", iniSize + intSize, 8, 0);
  entry("System\\ExampleSkins.int", iniSize + intSize + 8, 10, 0);
  // The CRC covers the data and the directory; the size counts the trailer; the directory ends where it starts.
  const std::uint32_t crc = compile::UpdateCrc32(expected);
  const auto archiveSize = static_cast<std::uint32_t>(expected.size() + 20);
  AppendInt32(expected, 0x9FE3C5A3u);
  AppendInt32(expected, directoryOffset);
  AppendInt32(expected, archiveSize);
  AppendInt32(expected, 1);
  AppendInt32(expected, crc);
  EXPECT_EQ(bytes, expected);
}

TEST(UmodArchiveTest, ReadMeComesBeforeTheBitmapAndBothAreOptional) {
  UmodFixture f;
  UmodOptions options;
  options.readMe = f.readMe;
  options.bitmap = f.bitmap;
  compile::WriteUmodArchive(f.project, options);
  auto contents = compile::ReadUmodArchive(f.archive);
  EXPECT_EQ(Paths(contents.entries),
            (std::vector<std::string>{"System\\Manifest.ini", "System\\Manifest.int", "Textures\\ExampleSkins.utx",
                                      "System\\ExampleSkins.int", "Help\\ExampleSkins_readme.htm",
                                      "Help\\ExampleSkins.bmp"}));
  const auto entryText = [&](std::size_t i) {
    const auto span = contents.EntryBytes(contents.entries[i]);
    return std::string(span.begin(), span.end());
  };
  EXPECT_EQ(entryText(1), compile::ManifestIntText("ExampleSkins", options));
  EXPECT_EQ(entryText(4), "<p>read me</p>");
  EXPECT_EQ(entryText(5), "BM-logo");
  EXPECT_NE(entryText(0).find("File=(Src=Help\\ExampleSkins_readme.htm,Size=14)\r\n"), std::string::npos);
  EXPECT_NE(entryText(1).find("ReadMe=Help\\ExampleSkins_readme.htm\r\n"), std::string::npos);

  options.readMe.clear();
  compile::WriteUmodArchive(f.project, options);
  contents = compile::ReadUmodArchive(f.archive);
  ASSERT_EQ(contents.entries.size(), 5u);
  EXPECT_EQ(contents.entries[4], (UmodEntry{"Help\\ExampleSkins.bmp", contents.entries[3].offset + 10, 7, 0}));
}

TEST(UmodArchiveTest, UnreadableSourceWritesNoArchive) {
  UmodFixture f;
  WriteFile(f.archive, Bytes("previous archive"));
  UmodOptions options;
  options.readMe = f.dir / "missing.txt";
  std::string error = ErrorOf([&] { compile::WriteUmodArchive(f.project, options); });
  EXPECT_NE(error.find("readme"), std::string::npos) << error;
  EXPECT_NE(error.find(options.readMe.string()), std::string::npos) << error;

  options.readMe.clear();
  options.bitmap = f.dir.Path();
  error = ErrorOf([&] { compile::WriteUmodArchive(f.project, options); });
  EXPECT_NE(error.find(f.dir.Path().string()), std::string::npos) << error;

  std::filesystem::remove(f.dir / "ExampleSkins.utx");
  error = ErrorOf([&] { compile::WriteUmodArchive(f.project, {}); });
  EXPECT_NE(error.find("ExampleSkins.utx"), std::string::npos) << error;
  EXPECT_EQ(ReadFile(f.archive), Bytes("previous archive"));
}

TEST(UmodArchiveTest, ReadingBackRejectsDamagedArchives) {
  UmodFixture f;
  compile::WriteUmodArchive(f.project, {});
  const auto good = ReadFile(f.archive);
  const auto damage = [&](auto change) {
    auto bytes = good;
    change(bytes);
    WriteFile(f.archive, bytes);
    return ErrorOf([&] { compile::ReadUmodArchive(f.archive); });
  };
  EXPECT_NE(damage([](auto& bytes) { bytes[40] ^= 0x01; }).find("CRC"), std::string::npos);
  EXPECT_NE(damage([](auto& bytes) { bytes[bytes.size() - 21] ^= 0x80; }).find("CRC"), std::string::npos);
  const std::string truncated = damage([](auto& bytes) { bytes.resize(bytes.size() - 7); });
  EXPECT_NE(truncated.find(f.archive.string()), std::string::npos) << truncated;
  EXPECT_NE(truncated.find("truncated"), std::string::npos) << truncated;
  EXPECT_NE(damage([](auto& bytes) { bytes.resize(12); }).find("shorter"), std::string::npos);
  EXPECT_NE(damage([](auto& bytes) { bytes.insert(bytes.begin(), 0); }).find("records"), std::string::npos);

  // Damage that a matching CRC does not excuse: a directory byte changed, the CRC made to fit.
  const auto sealed = [&](std::size_t at, std::uint8_t value) {
    return damage([&](auto& bytes) {
      bytes[at] = value;
      const std::uint32_t crc = compile::UpdateCrc32(std::span(bytes).first(bytes.size() - 20));
      for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    });
  };
  // The count, then the first entry: its length byte, 19 path bytes and a zero, offset, size.
  const std::size_t directory = Int32At(good, good.size() - 16);
  EXPECT_NE(sealed(directory, 5).find("runs into the trailer"), std::string::npos);
  EXPECT_NE(sealed(directory, 3).find("does not end at the trailer"), std::string::npos);
  EXPECT_NE(sealed(directory + 21, 'x').find("not terminated"), std::string::npos);
  EXPECT_NE(sealed(directory + 29, 0x10).find("outside the archive's data"), std::string::npos);

  WriteFile(f.archive, good);
  EXPECT_EQ(compile::ReadUmodArchive(f.archive).entries.size(), 4u);
}
