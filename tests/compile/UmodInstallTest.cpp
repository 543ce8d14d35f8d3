#include <gtest/gtest.h>

#include "compile/Crc32.h"
#include "compile/UmodInstall.h"
#include "support/Mutations.h"
#include "support/TestFiles.h"
#include "support/TestHelpers.h"

using compile::UmodContents;
using testsupport::ReadFile;
using testsupport::WriteFile;

namespace {

struct HostileEntry {
  std::string Path;
  std::string Data;
};

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// An archive laid out as installers lay them out, whatever its paths say,
// with its trailer and CRC right. `directory` may rewrite the directory's bytes.
std::vector<std::uint8_t> ArchiveOf(const std::vector<HostileEntry>& entries,
                                    const std::function<void(std::vector<std::uint8_t>&)>& directory = {}) {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint8_t> list{static_cast<std::uint8_t>(entries.size())};
  for (const HostileEntry& entry : entries) {
    const auto offset = static_cast<std::uint32_t>(bytes.size());
    bytes.insert(bytes.end(), entry.Data.begin(), entry.Data.end());
    list.push_back(static_cast<std::uint8_t>(entry.Path.size() + 1));
    list.insert(list.end(), entry.Path.begin(), entry.Path.end());
    list.push_back(0);
    AppendInt32(list, offset);
    AppendInt32(list, static_cast<std::uint32_t>(entry.Data.size()));
    AppendInt32(list, 0);
  }
  if (directory) directory(list);
  const auto directoryOffset = static_cast<std::uint32_t>(bytes.size());
  bytes.insert(bytes.end(), list.begin(), list.end());
  const std::uint32_t crc = compile::UpdateCrc32(bytes, 0);
  AppendInt32(bytes, compile::UmodSignature);
  AppendInt32(bytes, directoryOffset);
  AppendInt32(bytes, static_cast<std::uint32_t>(bytes.size() + 12));
  AppendInt32(bytes, 1);
  AppendInt32(bytes, crc);
  return bytes;
}

const std::string Manifest = "[Setup]\r\nProduct=Knights\r\nVersion=120\r\n";

std::vector<HostileEntry> Pack(const std::string& path = "Textures\\Knights.utx") {
  return {{"System\\Manifest.ini", Manifest}, {"System\\Manifest.int", "[Setup]\r\n"}, {path, "UTX"},
          {"System\\Knights.int", "[Public]\r\n"}};
}

// The message an archive is refused with, and that nothing was written beside it.
std::string Refusal(const std::vector<std::uint8_t>& bytes) {
  testsupport::TempDir dir;
  WriteFile(dir / "x.umod", bytes);
  const std::string error = ErrorOf([&] { compile::ReadUmodArchive(dir / "x.umod"); });
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  return error;
}

}  // namespace

TEST(UmodInstallTest, InstallsIntoTheFoldersAsTheyAreSpelledAndShowsTheManifest) {
  testsupport::TempDir dir;
  WriteFile(dir / "Knights.umod", ArchiveOf(Pack()));
  const UmodContents archive = compile::ReadUmodArchive(dir / "Knights.umod");
  const compile::UmodManifest manifest = compile::ReadUmodManifest(archive);
  EXPECT_EQ(manifest.Product, "Knights");
  EXPECT_EQ(manifest.Version, "120");

  const auto game = dir / "game";
  std::filesystem::create_directories(game / "system");
  std::filesystem::create_directories(game / "TEXTURES");
  WriteFile(game / "system" / "knights.INT", Bytes("old"));
  const auto placements = compile::PlanUmodInstall(archive, game);
  ASSERT_EQ(placements.size(), 2u);
  EXPECT_EQ(placements[0].Target, game / "TEXTURES" / "Knights.utx");
  EXPECT_FALSE(placements[0].Replaces);
  EXPECT_EQ(placements[1].Target, game / "system" / "knights.INT");
  EXPECT_TRUE(placements[1].Replaces);
  compile::WriteUmodPlacements(archive, placements);
  EXPECT_EQ(ReadFile(game / "TEXTURES" / "Knights.utx"), Bytes("UTX"));
  EXPECT_EQ(ReadFile(game / "system" / "knights.INT"), Bytes("[Public]\r\n"));
  // The manifests describe the archive; they are not installed.
  EXPECT_FALSE(std::filesystem::exists(game / "system" / "Manifest.ini"));

  EXPECT_NE(ErrorOf([&] { compile::PlanUmodInstall(archive, dir / "nowhere"); }).find("does not exist"),
            std::string::npos);
}

TEST(UmodInstallTest, AFailureHalfwaySaysWhatItReplacedAndLeavesTheRest) {
  testsupport::TempDir dir;
  WriteFile(dir / "Knights.umod", ArchiveOf({{"System\\A.int", "new a"}, {"Textures", "in place of a folder"},
                                             {"System\\B.int", "new b"}}));
  const UmodContents archive = compile::ReadUmodArchive(dir / "Knights.umod");
  std::filesystem::create_directories(dir / "game" / "System");
  WriteFile(dir / "game" / "System" / "A.int", Bytes("old a"));
  WriteFile(dir / "game" / "System" / "B.int", Bytes("old b"));
  std::filesystem::create_directories(dir / "game" / "Textures" / "full");
  const std::string error = ErrorOf([&] { compile::WriteUmodPlacements(archive, compile::PlanUmodInstall(archive, dir / "game")); });
  EXPECT_NE(error.find("Cannot write " + (dir / "game" / "Textures").string()), std::string::npos) << error;
  EXPECT_NE(error.find("Files replaced before it:\n" + (dir / "game" / "System" / "A.int").string()), std::string::npos)
      << error;
  EXPECT_EQ(ReadFile(dir / "game" / "System" / "A.int"), Bytes("new a"));
  EXPECT_EQ(ReadFile(dir / "game" / "System" / "B.int"), Bytes("old b"));
}

TEST(UmodInstallTest, HostileArchivesAreRefusedWhole) {
  const auto refused = [](const std::vector<std::uint8_t>& bytes, const std::string& why) {
    const std::string error = Refusal(bytes);
    EXPECT_NE(error.find(why), std::string::npos) << error;
    EXPECT_EQ(error.rfind("Damaged UMOD archive \"", 0), 0u) << error;
  };
  refused(ArchiveOf(Pack("..\\..\\Windows\\evil.dll")), "entry \"..\\..\\Windows\\evil.dll\" climbs out of the game directory");
  refused(ArchiveOf(Pack("System/../../evil")), "climbs out of the game directory");
  refused(ArchiveOf(Pack("/etc/profile.d/evil.sh")), "entry \"/etc/profile.d/evil.sh\" has an absolute path");
  refused(ArchiveOf(Pack("\\Windows\\evil.dll")), "has an absolute path");
  refused(ArchiveOf(Pack("C:\\Windows\\evil.dll")), "entry \"C:\\Windows\\evil.dll\" names a drive");
  // Two entries for one file of the game, apart only in letter case and separator.
  refused(ArchiveOf(Pack("system/KNIGHTS.INT")),
          "entries \"system/KNIGHTS.INT\" and \"System\\Knights.int\" name one file, in letter case only apart");

  std::vector<std::uint8_t> badSum = ArchiveOf(Pack());
  badSum[3] ^= 0x20;
  refused(badSum, "its CRC-32 does not match its contents");

  // A directory that says four entries and holds three.
  refused(ArchiveOf(Pack(), [](std::vector<std::uint8_t>& list) {
            list[0] = 5;
          }),
          "its directory runs into the trailer");
  // An entry whose bytes would run past the data.
  refused(ArchiveOf(Pack(), [](std::vector<std::uint8_t>& list) { list[list.size() - 8] = 200; }),
          "lies outside the archive's data");
  // A gap between two entries: the sizes do not add up.
  refused(ArchiveOf(Pack(), [](std::vector<std::uint8_t>& list) { list[list.size() - 8] -= 1; }),
          "the sizes of its entries do not add up");
  // A count of 2^31, as a compact index.
  refused(ArchiveOf(Pack(), [](std::vector<std::uint8_t>& list) {
            list.erase(list.begin());
            list.insert(list.begin(), {0x40, 0x80, 0x80, 0x80, 0x10});
          }),
          "its directory claims 2147483648 entries, more than the 10000 an archive may hold");
  refused(ArchiveOf(Pack(), [](std::vector<std::uint8_t>& list) {
            list.erase(list.begin());
            list.insert(list.begin(), {0x40 | 0x11, 0x9C});  // 10001
          }),
          "more than the 10000");
}

// Whatever a damaged directory says, reading it ends in the archive or a refusal.
TEST(UmodInstallTest, DamagedDirectoriesAreReadOrRefused) {
  testsupport::Random random(16);
  const std::vector<std::uint8_t> seed = ArchiveOf(Pack());
  const std::size_t trailer = seed.size() - compile::UmodTrailerSize;
  const std::size_t directory = seed[trailer + 4] | seed[trailer + 5] << 8;
  testsupport::TempDir dir;
  for (int n = testsupport::MutationsPerFile(600); n > 0; --n) {
    std::vector<std::uint8_t> bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(trailer));
    testsupport::Mutate(bytes, random, {{directory, bytes.size()}});
    // A trailer that fits the damaged bytes, so the directory itself is what gets read.
    const std::uint32_t crc = compile::UpdateCrc32(bytes, 0);
    const std::size_t size = bytes.size() + compile::UmodTrailerSize;
    for (const std::uint32_t value : {compile::UmodSignature, static_cast<std::uint32_t>(std::min(directory, bytes.size())),
                                      static_cast<std::uint32_t>(size), 1u, crc})
      AppendInt32(bytes, value);
    WriteFile(dir / "m.umod", bytes);
    try {
      const UmodContents archive = compile::ReadUmodArchive(dir / "m.umod");
      for (const compile::UmodEntry& entry : archive.entries) ASSERT_LE(archive.EntryBytes(entry).size(), bytes.size());
    } catch (const compile::UmodError& e) {
      ASSERT_FALSE(testsupport::IsInternalError(e.what())) << e.what();
    }
  }
}
