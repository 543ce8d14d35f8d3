#include "compile/UmodArchive.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>

#include "compile/Crc32.h"
#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/FileContents.h"
#include "unrealpkg/ByteReader.h"

namespace compile {

namespace {

constexpr std::int32_t kManifestFlags = 3;

std::string ProductName(std::string_view packageName, const UmodOptions& options) {
  return options.productName.empty() ? std::string(packageName) : options.productName;
}

std::string ReadMeArchivePath(std::string_view packageName, const UmodOptions& options) {
  return "Help\\" + std::string(packageName) + "_readme" + options.readMe.extension().string();
}

std::string BitmapArchivePath(std::string_view packageName) { return "Help\\" + std::string(packageName) + ".bmp"; }

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

void AppendBytes(std::vector<std::uint8_t>& out, std::string_view bytes) {
  out.insert(out.end(), bytes.begin(), bytes.end());
}

void AppendUInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t UInt32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} | (std::uint32_t{bytes[at + 1]} << 8) | (std::uint32_t{bytes[at + 2]} << 16) |
         (std::uint32_t{bytes[at + 3]} << 24);
}

// A file packed into the archive after the two manifests.
struct PackedFile {
  std::string archivePath;
  std::string contents;
};

PackedFile ReadPackedFile(std::string archivePath, const std::filesystem::path& source, std::string_view role) {
  std::optional<std::string> contents = platform::ReadFileContents(source);
  if (!contents)
    throw UmodError("Cannot read the " + std::string(role) + " \"" + source.string() + "\": the file does not exist");
  return {std::move(archivePath), std::move(*contents)};
}

// Unreal's compact index: sign and 6 bits, then 7 bits a byte.
void AppendCompactIndex(std::vector<std::uint8_t>& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>((value & 0x3F) | (value > 0x3F ? 0x40 : 0)));
  for (value >>= 6; value > 0; value >>= 7) out.push_back(static_cast<std::uint8_t>((value & 0x7F) | (value > 0x7F ? 0x80 : 0)));
}

void AppendDirectory(std::vector<std::uint8_t>& out, const std::vector<UmodEntry>& entries) {
  AppendCompactIndex(out, entries.size());
  for (const UmodEntry& entry : entries) {
    // The length counts the terminating zero.
    if (entry.archivePath.size() >= 255)
      throw UmodError("The archive path \"" + entry.archivePath + "\" is too long for a UMOD directory");
    AppendCompactIndex(out, entry.archivePath.size() + 1);
    AppendBytes(out, entry.archivePath);
    out.push_back(0);
    AppendUInt32(out, static_cast<std::uint32_t>(entry.offset));
    AppendUInt32(out, static_cast<std::uint32_t>(entry.size));
    AppendUInt32(out, static_cast<std::uint32_t>(entry.flags));
  }
}

[[noreturn]] void Damaged(const std::filesystem::path& file, const std::string& reason) {
  throw UmodError("Damaged UMOD archive \"" + file.string() + "\": " + reason);
}

// Why the archive may not write a file at this path, if it may not: it must
// stay inside the folder it is installed into.
std::optional<std::string> UnsafePath(const std::string& path) {
  if (path.empty()) return "an entry has no path";
  if (path.front() == '\\' || path.front() == '/') return "entry \"" + path + "\" has an absolute path";
  if (path.find(':') != std::string::npos) return "entry \"" + path + "\" names a drive";
  for (const std::string& part : UmodPathParts(path)) {
    if (part.empty() || part == "." || part == "..")
      return "entry \"" + path + "\" climbs out of the game directory or has an empty folder name";
    for (const char c : part)
      if (static_cast<unsigned char>(c) < 0x20) return "entry \"" + path + "\" holds a control character";
  }
  return std::nullopt;
}

// The directory between `offset` and `end`. Entries lie one after another
// from the archive's start to the directory, each path safe to write.
std::vector<UmodEntry> ReadDirectory(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t end,
                                     const std::filesystem::path& file) {
  unrealpkg::ByteReader reader(bytes.data() + offset, end - offset);
  std::vector<UmodEntry> entries;
  try {
    const std::int32_t count = reader.ReadIndex();
    if (count < 0 || count > MaxUmodEntries)
      Damaged(file, "its directory claims " + std::to_string(static_cast<std::uint32_t>(count)) +
                        " entries, more than the " + std::to_string(MaxUmodEntries) + " an archive may hold");
    entries.resize(static_cast<std::size_t>(count));
    for (UmodEntry& entry : entries) {
      const std::int32_t length = reader.ReadIndex();
      if (length <= 0 || static_cast<std::size_t>(length) > reader.Remaining())
        Damaged(file, "its directory runs into the trailer");
      std::string path(static_cast<std::size_t>(length), '\0');
      reader.ReadBytes(path.data(), path.size());
      if (path.back() != 0) Damaged(file, "a directory path is not terminated");
      path.pop_back();
      entry.archivePath = std::move(path);
      entry.offset = reader.ReadInt32();
      entry.size = reader.ReadInt32();
      entry.flags = reader.ReadInt32();
      if (const auto unsafe = UnsafePath(entry.archivePath)) Damaged(file, *unsafe);
      if (entry.offset < 0 || entry.size < 0 ||
          static_cast<std::size_t>(entry.offset) + static_cast<std::size_t>(entry.size) > offset)
        Damaged(file, "entry \"" + entry.archivePath + "\" lies outside the archive's data");
    }
  } catch (const unrealpkg::ReadError&) {
    Damaged(file, "its directory runs into the trailer");
  }
  if (reader.Remaining() != 0) Damaged(file, "its directory does not end at the trailer");
  // The game's files are one whatever their letter case: two entries for one
  // would install two files here, of which the game sees one.
  std::unordered_map<std::string, const UmodEntry*> paths;
  for (const UmodEntry& entry : entries) {
    std::string key = platform::ToLowerAscii(entry.archivePath);
    std::replace(key.begin(), key.end(), '\\', '/');
    const auto [at, added] = paths.try_emplace(std::move(key), &entry);
    if (!added)
      Damaged(file, "entries \"" + at->second->archivePath + "\" and \"" + entry.archivePath +
                        "\" name one file, in letter case only apart");
  }
  // The files follow one another from the start up to the directory.
  std::vector<const UmodEntry*> byOffset;
  for (const UmodEntry& entry : entries) byOffset.push_back(&entry);
  std::sort(byOffset.begin(), byOffset.end(), [](const UmodEntry* a, const UmodEntry* b) { return a->offset < b->offset; });
  std::size_t next = 0;
  for (const UmodEntry* entry : byOffset) {
    if (static_cast<std::size_t>(entry->offset) != next)
      Damaged(file, "the sizes of its entries do not add up: \"" + entry->archivePath + "\" starts at " +
                        std::to_string(entry->offset) + " where " + std::to_string(next) + " was due");
    next += static_cast<std::size_t>(entry->size);
  }
  if (next != offset)
    Damaged(file, "the sizes of its entries do not add up: they end at " + std::to_string(next) +
                      ", its directory starts at " + std::to_string(offset));
  return entries;
}

}  // namespace

std::vector<std::string> UmodPathParts(const std::string& archivePath) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= archivePath.size()) {
    const std::size_t stop = std::min(archivePath.find_first_of("\\/", start), archivePath.size());
    parts.push_back(archivePath.substr(start, stop - start));
    start = stop + 1;
  }
  return parts;
}

std::string ManifestIntText(std::string_view packageName, const UmodOptions& options) {
  const std::string product = ProductName(packageName, options);
  std::string text;
  AddLine(text, "[Setup]");
  AddLine(text, "LocalProduct=" + product);
  AddLine(text, "SetupWindowTitle=" + product + " Setup");
  AddLine(text, "AutoplayWindowTitle=" + product + " Options");
  if (!options.developer.empty()) AddLine(text, "Developer=" + options.developer);
  if (!options.url.empty()) {
    AddLine(text, "ProductURL=" + options.url);
    AddLine(text, "VersionURL=" + options.url);
    AddLine(text, "DeveloperURL=" + options.url);
  }
  if (!options.bitmap.empty()) AddLine(text, "Logo=" + BitmapArchivePath(packageName));
  if (!options.readMe.empty()) AddLine(text, "ReadMe=" + ReadMeArchivePath(packageName, options));
  AddLine(text, "");
  AddLine(text, "[UnrealTournamentRequirement]");
  AddLine(text, "LocalProduct=UnrealTournament");
  AddLine(text, "ProductURL=http://www.unrealtournament.com/");
  AddLine(text, "VersionURL=http://www.epicgames.com/");
  AddLine(text, "Developer=Epic Games, Inc.");
  AddLine(text, "DeveloperURL=http://www.epicgames.com/");
  return text;
}

std::string ManifestIniText(std::string_view packageName, const UmodOptions& options,
                            std::span<const UmodEntry> fileEntries) {
  const std::string package(packageName);
  std::string text;
  AddLine(text, "[Setup]");
  AddLine(text, "Product=" + package);
  AddLine(text, "Version=" + (options.version.empty() ? std::string("100") : options.version));
  AddLine(text, "Archive=" + package + ".umod");
  AddLine(text, "SrcPath=.");
  AddLine(text, "MasterPath=..");
  AddLine(text, "Requires=UnrealTournamentRequirement");
  AddLine(text, "Group=SetupGroup");
  AddLine(text, "Group=SkinGroup");
  if (options.serverSupport) AddLine(text, "Group=umodINIGroup");
  AddLine(text, "");
  AddLine(text, "[UnrealTournamentRequirement]");
  AddLine(text, "Product=UnrealTournament");
  AddLine(text, "Version=400");
  AddLine(text, "");
  AddLine(text, "[SetupGroup]");
  // Always 393, whatever this text's length: installers in the field expect this line.
  AddLine(text, "Copy=(Src=System\\Manifest.ini,Master=System\\Manifest.ini,Size=393,Flags=3)");
  AddLine(text, "Copy=(Src=System\\Manifest.int,Master=System\\Manifest.int,Size=" +
                    std::to_string(ManifestIntText(packageName, options).size()) + ",Flags=3)");
  AddLine(text, "");
  AddLine(text, "[SkinGroup]");
  for (const UmodEntry& entry : fileEntries)
    AddLine(text, "File=(Src=" + entry.archivePath + ",Size=" + std::to_string(entry.size) + ")");
  if (options.serverSupport) {
    AddLine(text, "");
    AddLine(text, "[umodINIGroup]");
    AddLine(text, "AddIni=UnrealTournament.ini,Engine.GameEngine.ServerPackages=" + package);
  }
  AddLine(text, "");
  return text;
}

std::vector<std::uint8_t> BuildUmodArchive(std::string_view package, std::string packageBytes, std::string intText,
                                           const UmodOptions& options) {
  // Every source is read before anything is built, so a missing readme fails first.
  std::vector<PackedFile> files;
  files.push_back({"Textures\\" + std::string(package) + ".utx", std::move(packageBytes)});
  files.push_back({"System\\" + std::string(package) + ".int", std::move(intText)});
  if (!options.readMe.empty())
    files.push_back(ReadPackedFile(ReadMeArchivePath(package, options), options.readMe, "readme"));
  if (!options.bitmap.empty()) files.push_back(ReadPackedFile(BitmapArchivePath(package), options.bitmap, "bitmap"));

  std::vector<UmodEntry> fileEntries;
  for (const PackedFile& file : files)
    fileEntries.push_back({file.archivePath, 0, static_cast<std::int32_t>(file.contents.size()), 0});
  const std::string manifestInt = ManifestIntText(package, options);
  const std::string manifestIni = ManifestIniText(package, options, fileEntries);

  std::vector<UmodEntry> entries{
      {"System\\Manifest.ini", 0, static_cast<std::int32_t>(manifestIni.size()), kManifestFlags},
      {"System\\Manifest.int", static_cast<std::int32_t>(manifestIni.size()),
       static_cast<std::int32_t>(manifestInt.size()), kManifestFlags}};
  std::vector<std::uint8_t> bytes;
  AppendBytes(bytes, manifestIni);
  AppendBytes(bytes, manifestInt);
  for (std::size_t i = 0; i < files.size(); ++i) {
    fileEntries[i].offset = static_cast<std::int32_t>(bytes.size());
    entries.push_back(fileEntries[i]);
    AppendBytes(bytes, files[i].contents);
  }
  const std::size_t directoryOffset = bytes.size();
  AppendDirectory(bytes, entries);
  // Every offset and size lies below the archive's size, which an int32 holds.
  const std::size_t archiveSize = bytes.size() + UmodTrailerSize;
  if (archiveSize > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw UmodError("The UMOD archive of " + std::string(package) + " would exceed 2 GiB");

  const std::uint32_t crc = UpdateCrc32(bytes, 0);
  AppendUInt32(bytes, UmodSignature);
  AppendUInt32(bytes, static_cast<std::uint32_t>(directoryOffset));
  AppendUInt32(bytes, static_cast<std::uint32_t>(archiveSize));
  AppendUInt32(bytes, 1);
  AppendUInt32(bytes, crc);
  return bytes;
}

std::filesystem::path WriteUmodArchive(const std::filesystem::path& projectFile, const UmodOptions& options) {
  auto beside = [&](const char* extension) { return std::filesystem::path(projectFile).replace_extension(extension); };
  const std::filesystem::path archiveFile = beside(".umod");
  PackedFile package = ReadPackedFile("", beside(".utx"), "package file");
  PackedFile localisation = ReadPackedFile("", beside(".int"), "localisation file");
  platform::WriteFileAtomically(archiveFile, BuildUmodArchive(projectFile.stem().string(), std::move(package.contents),
                                                              std::move(localisation.contents), options));
  return archiveFile;
}

UmodContents ReadUmodArchive(const std::filesystem::path& archiveFile) {
  std::optional<std::string> contents = platform::ReadFileContents(archiveFile);
  if (!contents) throw UmodError("The UMOD archive \"" + archiveFile.string() + "\" does not exist");
  UmodContents archive{{contents->begin(), contents->end()}, {}};
  const std::vector<std::uint8_t>& bytes = archive.bytes;

  if (bytes.size() < UmodTrailerSize) Damaged(archiveFile, "it is shorter than its trailer");
  const std::size_t trailer = bytes.size() - UmodTrailerSize;
  if (UInt32At(bytes, trailer) != UmodSignature)
    Damaged(archiveFile, "it does not end with the UMOD signature (truncated, or not an archive)");
  if (UInt32At(bytes, trailer + 8) != bytes.size())
    Damaged(archiveFile, "its trailer records " + std::to_string(UInt32At(bytes, trailer + 8)) +
                             " bytes but the file holds " + std::to_string(bytes.size()));
  if (UInt32At(bytes, trailer + 16) != UpdateCrc32(bytes.data(), trailer, 0))
    Damaged(archiveFile, "its CRC-32 does not match its contents");
  const std::size_t directoryOffset = UInt32At(bytes, trailer + 4);
  if (directoryOffset >= trailer) Damaged(archiveFile, "its directory offset lies outside the file");
  archive.entries = ReadDirectory(bytes, directoryOffset, trailer, archiveFile);
  return archive;
}

}  // namespace compile
