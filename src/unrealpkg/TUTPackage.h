#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AsciiText.h"
#include "unrealpkg/ByteReader.h"

namespace unrealpkg {

class PackageFile;
class TUTObject;
class TUTPackage;

// Raised for any failure while reading a package's header and tables.
class PackageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::uint32_t PackageSignature = 0x9E2A83C1u;
inline constexpr std::uint32_t RF_HasStack = 0x02000000u;

struct TUTName {
  std::string Text;
  std::uint32_t Flags = 0;
};

struct TUTGeneration {
  std::int32_t ExportCount = 0;
  std::int32_t NameCount = 0;
};

class TUTExportTableObjectData {
public:
  TUTExportTableObjectData(TUTPackage& owner, std::int32_t exportIndex);
  ~TUTExportTableObjectData();
  TUTExportTableObjectData(TUTExportTableObjectData&&) noexcept;
  TUTExportTableObjectData& operator=(TUTExportTableObjectData&&) noexcept;

  // Bare name of the class object; empty for an export that is itself a class.
  std::string ClassName() const;
  std::string ObjectName() const;
  std::string PackagePath() const;
  // The object reader, created on first request and kept with the entry.
  TUTObject& Object();
  TUTObject* LoadedReader() const { return object_.get(); }

  TUTPackage* Owner;
  std::int32_t ClassRef = 0;
  std::int32_t SuperRef = 0;
  std::int32_t PackageRef = 0;
  std::int32_t ObjectNameIndex = 0;
  std::uint32_t ObjectFlags = 0;
  std::int32_t SerialSize = 0;
  std::int32_t SerialOffset = 0;
  std::int32_t ExportIndex = 0;

private:
  std::unique_ptr<TUTObject> object_;
};

class TUTImportTableObjectData {
public:
  explicit TUTImportTableObjectData(TUTPackage& owner) : Owner(&owner) {}

  std::string ClassName() const;
  std::string ClassPackage() const;
  std::string ObjectName() const;
  std::string PackagePath() const;

  TUTPackage* Owner;
  std::int32_t ClassPackageIndex = 0;
  std::int32_t ClassNameIndex = 0;
  std::int32_t PackageRef = 0;
  std::int32_t ObjectNameIndex = 0;
};

// Table selectors and match flags of FindObject.
enum TUTTable : int { TableNames = 0, TableExports = 1, TableImports = 2 };
enum TUTMatch : int { MatchObjectName = 1, MatchPackagePath = 2, MatchClassName = 4 };

// One open Unreal package: its header, name, export and import tables, and one
// object reader per export. The file itself is open only while locked.
class TUTPackage {
public:
  using ProgressHandler = std::function<void(TUTPackage& sender, int percent)>;
  using QuoteHandler = std::function<std::string(const std::string&)>;
  using LocateHandler = std::function<void(std::filesystem::path& fileName)>;

  explicit TUTPackage(const std::filesystem::path& fileName = {});
  ~TUTPackage();
  TUTPackage(const TUTPackage&) = delete;
  TUTPackage& operator=(const TUTPackage&) = delete;

  void LoadFromFile(const std::filesystem::path& fileName);

  void Lock();
  void Unlock();
  int LockCount() const { return lockCount_; }
  const PackageFile& File() const;

  const std::filesystem::path& FileName() const { return fileName_; }
  std::uint16_t Version() const { return version_; }
  std::uint16_t LicenseeMode() const { return licenseeMode_; }
  std::uint32_t PackageFlags() const { return packageFlags_; }
  const std::vector<TUTGuid>& Guids() const { return guids_; }
  const std::vector<TUTGeneration>& Generations() const { return generations_; }

  int NameCount() const { return static_cast<int>(names_.size()); }
  const std::vector<TUTName>& Names() const { return names_; }
  std::string GetName(std::int64_t index) const;
  // Like GetName, but a bad index is an error: for data that must name something.
  const std::string& NameAt(std::int64_t index) const;

  int ExportCount() const { return static_cast<int>(exports_.size()); }
  int ImportCount() const { return static_cast<int>(imports_.size()); }
  TUTExportTableObjectData* GetExport(std::int64_t index);
  const TUTExportTableObjectData* GetExport(std::int64_t index) const;
  const TUTImportTableObjectData* GetImport(std::int64_t index) const;

  // Dotted path of an object reference, outermost first; steps -1 walks the whole chain.
  std::string GetObjectPath(std::int32_t reference, int steps = -1) const;
  // Class name of the import or export a reference designates ("" for none or a class).
  std::string ClassNameOf(std::int32_t reference) const;
  // Bare object name of a reference.
  std::string ObjectNameOf(std::int32_t reference) const { return GetObjectPath(reference, 1); }

  int FindExport(std::string_view objectName, std::string_view className) const;
  int FindObject(int table, int matchFlags, int startIndex, std::string_view className,
                 std::string_view objectName, std::string_view packagePath) const;

  void ReleaseAllObjects();

  // The file of a package that lives beside this one ("Core" gives .../Core.u),
  // found without regard to letter case and passed through OnLocateFile.
  std::filesystem::path SiblingPackagePath(std::string_view packageName) const;

  // A package beside this one, opened once on demand to resolve enumerations and
  // structs; nullptr when there is none or it cannot be read. One cache serves a
  // package and every sibling it opened, so lookups that bounce between files
  // open each file once.
  TUTPackage* SiblingPackage(std::string_view packageName);

  // Copies an export's serialized bytes out of the file.
  std::vector<std::uint8_t> ReadSerialData(const TUTExportTableObjectData& entry);

  std::string QuoteString(const std::string& text) const;
  std::string QuoteWideString(const std::string& text) const;

  ProgressHandler OnProgress;
  QuoteHandler OnQuoteString;
  QuoteHandler OnQuoteWideString;
  LocateHandler OnLocateFile;
  bool SearchOtherPackages = true;

private:
  void ReadTables();
  void ReadTablesFrom(ByteReader& in, int& step, int& total);
  const std::string& NameOrEmpty(std::int64_t index) const;
  void Report(int current, int total);
  void Clear();

  struct SiblingCache;

  std::filesystem::path fileName_;
  std::unique_ptr<PackageFile> file_;
  int lockCount_ = 0;
  std::uint16_t version_ = 0;
  std::uint16_t licenseeMode_ = 0;
  std::uint32_t packageFlags_ = 0;
  std::vector<TUTName> names_;
  std::vector<TUTExportTableObjectData> exports_;
  std::vector<TUTImportTableObjectData> imports_;
  std::vector<TUTGuid> guids_;
  std::vector<TUTGeneration> generations_;
  std::unique_ptr<SiblingCache> ownSiblings_;
  SiblingCache* siblings_ = nullptr;
};

// Holds a package lock for a scope.
class TUTPackageLock {
public:
  explicit TUTPackageLock(TUTPackage& package) : package_(package) { package_.Lock(); }
  ~TUTPackageLock() { package_.Unlock(); }
  TUTPackageLock(const TUTPackageLock&) = delete;
  TUTPackageLock& operator=(const TUTPackageLock&) = delete;

private:
  TUTPackage& package_;
};

using platform::EqualsIgnoreCase;
using platform::ToLowerAscii;

}  // namespace unrealpkg
