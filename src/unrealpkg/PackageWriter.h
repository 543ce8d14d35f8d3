#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "unrealpkg/ByteReader.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

struct PackageWriterImport {
  std::int32_t ClassPackage = 0;
  std::int32_t ClassName = 0;
  std::int32_t PackageRef = 0;
  std::int32_t ObjectName = 0;
};

struct PackageWriterExport {
  std::int32_t ClassRef = 0;
  std::int32_t SuperRef = 0;
  std::int32_t PackageRef = 0;
  std::int32_t ObjectName = 0;
  std::uint32_t ObjectFlags = 0;
  std::vector<std::uint8_t> Data;
  // Positions in Data of int32 fields holding offsets within Data that the file
  // stores as absolute positions (mipmap and vertex data ends).
  std::vector<std::size_t> OffsetFields;
};

// Lays out a package in the container format: header, name table, the data of
// every export, import table, export table (and heritage list below version 68).
class PackageWriter {
public:
  std::uint16_t Version = 69;
  std::uint16_t LicenseeMode = 0;
  std::uint32_t PackageFlags = 1;
  TUTGuid Guid{};
  std::vector<TUTName> Names;
  std::vector<PackageWriterImport> Imports;
  std::vector<PackageWriterExport> Exports;

  // The flags a name gets when it is added without flags of its own; without
  // a rule, 0x00070010.
  std::function<std::uint32_t(std::string_view)> NameFlags;

  // The index of the name, added when no name equals it ignoring case.
  std::int32_t AddName(std::string_view text);
  std::int32_t AddName(std::string_view text, std::uint32_t flags);
  // Appends an import and returns its object reference.
  std::int32_t AddImport(std::string_view classPackage, std::string_view className, std::int32_t packageRef,
                         std::string_view objectName);
  // Appends an export and returns its object reference.
  std::int32_t AddExport(PackageWriterExport entry);

  std::vector<std::uint8_t> Build() const;
};

}  // namespace unrealpkg
