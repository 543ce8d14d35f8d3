#include "unrealpkg/TUTPackage.h"

#include <algorithm>
#include <map>
#include <system_error>

#include "platform/FileLookup.h"
#include "unrealpkg/ObjectClassRegistry.h"
#include "unrealpkg/PackageFile.h"
#include "unrealpkg/TUTObject.h"

namespace unrealpkg {

namespace {

constexpr std::size_t MinNameEntryBytes = 5;
constexpr std::size_t MinExportEntryBytes = 12;
constexpr std::size_t MinImportEntryBytes = 7;
constexpr std::size_t GenerationBytes = 8;

}  // namespace

// ---- export and import entries ----

TUTExportTableObjectData::TUTExportTableObjectData(TUTPackage& owner, std::int32_t exportIndex)
    : Owner(&owner), ExportIndex(exportIndex) {}
TUTExportTableObjectData::~TUTExportTableObjectData() = default;
TUTExportTableObjectData::TUTExportTableObjectData(TUTExportTableObjectData&&) noexcept = default;
TUTExportTableObjectData& TUTExportTableObjectData::operator=(TUTExportTableObjectData&&) noexcept = default;

std::string TUTExportTableObjectData::ClassName() const { return Owner->GetObjectPath(ClassRef, 1); }
std::string TUTExportTableObjectData::ObjectName() const { return Owner->GetName(ObjectNameIndex); }
std::string TUTExportTableObjectData::PackagePath() const { return Owner->GetObjectPath(PackageRef); }

TUTObject& TUTExportTableObjectData::Object() {
  if (!object_) object_ = FindObjectClass(ClassName()).Create(*Owner, ExportIndex);
  return *object_;
}

std::string TUTImportTableObjectData::ClassName() const { return Owner->GetName(ClassNameIndex); }
std::string TUTImportTableObjectData::ClassPackage() const { return Owner->GetName(ClassPackageIndex); }
std::string TUTImportTableObjectData::ObjectName() const { return Owner->GetName(ObjectNameIndex); }
std::string TUTImportTableObjectData::PackagePath() const { return Owner->GetObjectPath(PackageRef); }

// ---- package life cycle ----

struct TUTPackage::SiblingCache {
  std::map<std::string, std::unique_ptr<TUTPackage>> packages;
};

TUTPackage::TUTPackage(const std::filesystem::path& fileName) {
  if (!fileName.empty()) {
    fileName_ = fileName;
    ReadTables();
  }
}

TUTPackage::~TUTPackage() = default;

void TUTPackage::Clear() {
  exports_.clear();
  imports_.clear();
  names_.clear();
  guids_.clear();
  generations_.clear();
  version_ = licenseeMode_ = 0;
  packageFlags_ = 0;
}

void TUTPackage::LoadFromFile(const std::filesystem::path& fileName) {
  ReleaseAllObjects();
  ownSiblings_.reset();
  siblings_ = nullptr;
  // A lock held for the previous file must not leave its stream behind for the new one.
  file_.reset();
  lockCount_ = 0;
  Clear();
  fileName_ = fileName;
  ReadTables();
}

void TUTPackage::Lock() {
  if (lockCount_ == 0) {
    std::error_code ec;
    if (OnLocateFile && !std::filesystem::exists(fileName_, ec)) OnLocateFile(fileName_);
    file_ = std::make_unique<PackageFile>(fileName_);
  }
  ++lockCount_;
}

void TUTPackage::Unlock() {
  if (lockCount_ <= 0) return;
  if (--lockCount_ == 0) file_.reset();
}

const PackageFile& TUTPackage::File() const {
  if (!file_) throw std::logic_error("The package " + fileName_.string() + " is not locked");
  return *file_;
}

void TUTPackage::Report(int current, int total) {
  if (OnProgress) OnProgress(*this, total > 0 ? static_cast<int>(std::int64_t{current} * 100 / total) : 0);
}

void TUTPackage::ReadTables() {
  int step = 0;
  int total = 0;
  Report(0, 0);
  try {
    TUTPackageLock lock(*this);
    const std::vector<std::uint8_t> bytes = file_->ReadAt(0, static_cast<std::size_t>(file_->Size()));
    ByteReader in(bytes);
    ReadTablesFrom(in, step, total);
  } catch (const std::exception& e) {
    Report(total, total);
    throw PackageError("Exception processing package " + fileName_.string() + "\r\n" + e.what());
  }
  Report(total, total);
}

void TUTPackage::ReadTablesFrom(ByteReader& in, int& step, int& total) {
  if (in.ReadUInt32() != PackageSignature) throw ReadError("ERROR! This isn't an Unreal package");
  version_ = in.ReadWord();
  licenseeMode_ = in.ReadWord();
  packageFlags_ = in.ReadUInt32();
  const std::int32_t nameCount = in.ReadInt32();
  const std::int32_t nameOffset = in.ReadInt32();
  const std::int32_t exportCount = in.ReadInt32();
  const std::int32_t exportOffset = in.ReadInt32();
  const std::int32_t importCount = in.ReadInt32();
  const std::int32_t importOffset = in.ReadInt32();

  std::int32_t heritageCount = 0;
  std::int32_t heritageOffset = 0;
  std::size_t guidPosition = 0;
  if (version_ >= 68) {
    guidPosition = in.Position();
    in.ReadGuid();
    const std::int32_t generationCount = in.ReadInt32();
    in.CheckCount(std::max(generationCount, 0), GenerationBytes);
    for (std::int32_t i = 0; i < generationCount; ++i) {
      TUTGeneration generation;
      generation.ExportCount = in.ReadInt32();
      generation.NameCount = in.ReadInt32();
      generations_.push_back(generation);
    }
  } else {
    heritageCount = in.ReadInt32();
    heritageOffset = in.ReadInt32();
  }

  auto positive = [](std::int32_t count) { return std::int64_t{std::max(count, 0)}; };
  const std::int64_t guidCount = version_ >= 68 ? 1 : positive(heritageCount);
  total = static_cast<int>(std::min<std::int64_t>(
      positive(nameCount) + positive(exportCount) + positive(importCount) + guidCount, INT32_MAX));
  auto advance = [&] { Report(++step, total); };

  if (nameCount > 0) {
    in.Seek(nameOffset);
    in.CheckCount(nameCount, MinNameEntryBytes);
    names_.reserve(static_cast<std::size_t>(nameCount));
    for (std::int32_t i = 0; i < nameCount; ++i) {
      TUTName name;
      name.Text = in.ReadNameText(version_);
      name.Flags = in.ReadUInt32();
      names_.push_back(std::move(name));
      advance();
    }
  }

  if (exportCount > 0) {
    in.Seek(exportOffset);
    in.CheckCount(exportCount, MinExportEntryBytes);
    exports_.reserve(static_cast<std::size_t>(exportCount));
    for (std::int32_t i = 0; i < exportCount; ++i) {
      TUTExportTableObjectData entry(*this, i);
      entry.ClassRef = in.ReadIndex();
      entry.SuperRef = in.ReadIndex();
      entry.PackageRef = in.ReadInt32();
      entry.ObjectNameIndex = in.ReadIndex();
      entry.ObjectFlags = in.ReadUInt32();
      entry.SerialSize = in.ReadIndex();
      entry.SerialOffset = entry.SerialSize > 0 ? in.ReadIndex() : 0;
      exports_.push_back(std::move(entry));
      advance();
    }
  }

  if (importCount > 0) {
    in.Seek(importOffset);
    in.CheckCount(importCount, MinImportEntryBytes);
    imports_.reserve(static_cast<std::size_t>(importCount));
    for (std::int32_t i = 0; i < importCount; ++i) {
      TUTImportTableObjectData entry(*this);
      entry.ClassPackageIndex = in.ReadIndex();
      entry.ClassNameIndex = in.ReadIndex();
      entry.PackageRef = in.ReadInt32();
      entry.ObjectNameIndex = in.ReadIndex();
      imports_.push_back(entry);
      advance();
    }
  }

  if (version_ >= 68) {
    in.Seek(static_cast<std::int64_t>(guidPosition));
    guids_.push_back(in.ReadGuid());
    advance();
  } else if (heritageCount > 0) {
    in.Seek(heritageOffset);
    in.CheckCount(heritageCount, sizeof(TUTGuid));
    for (std::int32_t i = 0; i < heritageCount; ++i) {
      guids_.push_back(in.ReadGuid());
      advance();
    }
  }
}

// ---- lookups ----

std::string TUTPackage::GetName(std::int64_t index) const {
  if (index < 0 || index >= NameCount()) return {};
  return names_[static_cast<std::size_t>(index)].Text;
}

const std::string& TUTPackage::NameAt(std::int64_t index) const {
  if (index < 0 || index >= NameCount())
    throw ReadError("Name index " + std::to_string(index) + " is outside the name table (" +
                    std::to_string(NameCount()) + " names)");
  return names_[static_cast<std::size_t>(index)].Text;
}

TUTExportTableObjectData* TUTPackage::GetExport(std::int64_t index) {
  if (index < 0 || index >= ExportCount()) return nullptr;
  return &exports_[static_cast<std::size_t>(index)];
}

const TUTExportTableObjectData* TUTPackage::GetExport(std::int64_t index) const {
  if (index < 0 || index >= ExportCount()) return nullptr;
  return &exports_[static_cast<std::size_t>(index)];
}

const TUTImportTableObjectData* TUTPackage::GetImport(std::int64_t index) const {
  if (index < 0 || index >= ImportCount()) return nullptr;
  return &imports_[static_cast<std::size_t>(index)];
}

std::string TUTPackage::GetObjectPath(std::int32_t reference, int steps) const {
  std::vector<const std::string*> parts;
  // A chain longer than both tables together loops back on itself: no path.
  const std::size_t longest = exports_.size() + imports_.size();
  std::int64_t r = reference;
  while (steps != 0 && r != 0) {
    if (parts.size() > longest) return {};
    if (r < 0 && -r - 1 < ImportCount()) {
      const auto& entry = imports_[static_cast<std::size_t>(-r - 1)];
      parts.push_back(&NameOrEmpty(entry.ObjectNameIndex));
      r = entry.PackageRef;
    } else if (r > 0 && r - 1 < ExportCount()) {
      const auto& entry = exports_[static_cast<std::size_t>(r - 1)];
      parts.push_back(&NameOrEmpty(entry.ObjectNameIndex));
      r = entry.PackageRef;
    } else {
      return {};
    }
    if (steps > 0) --steps;
  }
  std::string path;
  for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
    if (!path.empty() || it != parts.rbegin()) path += '.';
    path += **it;
  }
  return path;
}

const std::string& TUTPackage::NameOrEmpty(std::int64_t index) const {
  static const std::string empty;
  if (index < 0 || index >= NameCount()) return empty;
  return names_[static_cast<std::size_t>(index)].Text;
}

std::string TUTPackage::ClassNameOf(std::int32_t reference) const {
  if (reference < 0) {
    const auto* entry = GetImport(-std::int64_t{reference} - 1);
    return entry ? entry->ClassName() : std::string();
  }
  const auto* entry = GetExport(std::int64_t{reference} - 1);
  return entry && reference > 0 ? entry->ClassName() : std::string();
}

int TUTPackage::FindExport(std::string_view objectName, std::string_view className) const {
  for (const auto& entry : exports_)
    if (EqualsIgnoreCase(NameOrEmpty(entry.ObjectNameIndex), objectName) &&
        EqualsIgnoreCase(entry.ClassName(), className))
      return entry.ExportIndex;
  return -1;
}

int TUTPackage::FindObject(int table, int matchFlags, int startIndex, std::string_view className,
                           std::string_view objectName, std::string_view packagePath) const {
  const int first = std::max(startIndex, 0);
  auto matches = [&](const auto& entry) {
    return (!(matchFlags & MatchObjectName) || EqualsIgnoreCase(NameOrEmpty(entry.ObjectNameIndex), objectName)) &&
           (!(matchFlags & MatchClassName) || EqualsIgnoreCase(entry.ClassName(), className)) &&
           (!(matchFlags & MatchPackagePath) || EqualsIgnoreCase(entry.PackagePath(), packagePath));
  };
  switch (table) {
    case TableNames:
      for (int i = first; i < NameCount(); ++i)
        if (EqualsIgnoreCase(names_[static_cast<std::size_t>(i)].Text, objectName)) return i;
      return -1;
    case TableExports:
      for (int i = first; i < ExportCount(); ++i)
        if (matches(exports_[static_cast<std::size_t>(i)])) return i;
      return -1;
    case TableImports:
      for (int i = first; i < ImportCount(); ++i)
        if (matches(imports_[static_cast<std::size_t>(i)])) return i;
      return -1;
    default:
      return -1;
  }
}

void TUTPackage::ReleaseAllObjects() {
  for (auto& entry : exports_)
    if (TUTObject* object = entry.LoadedReader(); object && object->IsLoaded()) object->Release();
}

std::filesystem::path TUTPackage::SiblingPackagePath(std::string_view packageName) const {
  const std::string fileName = std::string(packageName) + ".u";
  if (auto found = platform::FindFileIgnoringCase(fileName_.parent_path(), fileName)) return *found;
  std::filesystem::path path = fileName_.parent_path() / fileName;
  if (OnLocateFile) OnLocateFile(path);
  return path;
}

TUTPackage* TUTPackage::SiblingPackage(std::string_view packageName) {
  if (!siblings_) {
    ownSiblings_ = std::make_unique<SiblingCache>();
    siblings_ = ownSiblings_.get();
  }
  const std::filesystem::path path = SiblingPackagePath(packageName);
  const std::string key = ToLowerAscii(path.lexically_normal().string());
  auto [it, inserted] = siblings_->packages.try_emplace(key);
  if (inserted) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
      try {
        it->second = std::make_unique<TUTPackage>(path);
        it->second->siblings_ = siblings_;
        it->second->SearchOtherPackages = SearchOtherPackages;
        it->second->OnLocateFile = OnLocateFile;
      } catch (const std::exception&) {
        it->second.reset();
      }
    }
  }
  return it->second.get();
}

std::vector<std::uint8_t> TUTPackage::ReadSerialData(const TUTExportTableObjectData& entry) {
  if (entry.SerialSize < 0 || entry.SerialOffset < 0)
    throw ReadError("Export " + std::to_string(entry.ExportIndex) + " has an invalid serial size " +
                    std::to_string(entry.SerialSize) + " or offset " + std::to_string(entry.SerialOffset));
  if (entry.SerialSize == 0) return {};
  TUTPackageLock lock(*this);
  return file_->ReadAt(static_cast<std::uint64_t>(entry.SerialOffset), static_cast<std::size_t>(entry.SerialSize));
}

std::string TUTPackage::QuoteString(const std::string& text) const {
  return OnQuoteString ? OnQuoteString(text) : "\"" + text + "\"";
}

std::string TUTPackage::QuoteWideString(const std::string& text) const {
  return OnQuoteWideString ? OnQuoteWideString(text) : "\"" + text + "\"";
}

}  // namespace unrealpkg
