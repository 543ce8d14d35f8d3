#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace compile {

// Raised when an archive cannot be built from its files or read back.
class UmodError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The "UMOD Options" of the project.
struct UmodOptions {
  // Empty: the package name.
  std::string productName;
  std::string url;
  std::string developer;
  // Empty: "100".
  std::string version;
  // Empty paths: no logo bitmap, no readme.
  std::filesystem::path bitmap;
  std::filesystem::path readMe;
  // Adds the package to the server's package list on installation.
  bool serverSupport = true;
};

struct UmodEntry {
  // Relative to the game directory, "\" separated.
  std::string archivePath;
  std::int32_t offset = 0;
  std::int32_t size = 0;
  std::int32_t flags = 0;

  friend bool operator==(const UmodEntry&, const UmodEntry&) = default;
};

inline constexpr std::uint32_t UmodSignature = 0x9FE3C5A3u;
// More than any real installer holds: a larger count is damage or malice.
inline constexpr std::int32_t MaxUmodEntries = 10000;
inline constexpr std::size_t UmodTrailerSize = 20;

// The folders and file name of an archive path, split at "\\" and "/".
std::vector<std::string> UmodPathParts(const std::string& archivePath);

std::string ManifestIntText(std::string_view packageName, const UmodOptions& options);
// `fileEntries`: the entries after the two manifests, with their sizes.
std::string ManifestIniText(std::string_view packageName, const UmodOptions& options,
                            std::span<const UmodEntry> fileEntries);

// The archive of a package and its localisation file held in memory, with the
// readme and bitmap of the options read from their files.
std::vector<std::uint8_t> BuildUmodArchive(std::string_view packageName, std::string packageBytes, std::string intText,
                                           const UmodOptions& options);

// Packs the compiled package and localisation file beside the project file,
// with the readme and bitmap of the options, into the project's path with the
// extension ".umod", replacing that file whole or not at all. Returns its path.
std::filesystem::path WriteUmodArchive(const std::filesystem::path& projectFile, const UmodOptions& options);

// An archive read back and checked before anything trusts it: its CRC, its
// directory (at most MaxUmodEntries entries, each inside the file, the sizes
// adding up to the data), and every entry's path (relative, no drive, no
// "..", no empty folder name). Any fault refuses the whole archive.
struct UmodContents {
  std::vector<std::uint8_t> bytes;
  std::vector<UmodEntry> entries;

  std::span<const std::uint8_t> EntryBytes(const UmodEntry& entry) const {
    return std::span(bytes).subspan(static_cast<std::size_t>(entry.offset), static_cast<std::size_t>(entry.size));
  }
};

UmodContents ReadUmodArchive(const std::filesystem::path& archiveFile);

}  // namespace compile
