#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/PackageWriter.h"
#include "unrealpkg/TUTProperty.h"

namespace unrealpkg {

// Writes tagged properties into an object's data, adding their names to the package.
class PropertyTagWriter {
public:
  PropertyTagWriter(PackageWriter& package, ByteWriter& out) : package_(package), out_(out) {}

  // A tag with a raw info byte and value bytes, for cases the typed helpers do not cover.
  PropertyTagWriter& Raw(std::string_view name, std::uint8_t info, const std::vector<std::uint8_t>& value);
  PropertyTagWriter& Byte(std::string_view name, std::uint8_t value);
  PropertyTagWriter& Int(std::string_view name, std::int32_t value, int arrayIndex = -1);
  PropertyTagWriter& Bool(std::string_view name, bool value);
  PropertyTagWriter& Float(std::string_view name, float value);
  PropertyTagWriter& Object(std::string_view name, std::int32_t reference, int arrayIndex = -1);
  PropertyTagWriter& Name(std::string_view name, std::string_view value);
  PropertyTagWriter& Str(std::string_view name, std::string_view value);
  PropertyTagWriter& Struct(std::string_view name, std::string_view structName, const std::vector<std::uint8_t>& value);
  void End();

private:
  // Every tag declares exactly the size of the value bytes that follow it.
  void Tag(std::int32_t nameIndex, std::uint8_t type, std::int32_t structName, const std::vector<std::uint8_t>& value,
           int arrayIndex);
  void Tag(std::string_view name, std::uint8_t type, const std::vector<std::uint8_t>& value, int arrayIndex);

  PackageWriter& package_;
  ByteWriter& out_;
};

}  // namespace unrealpkg
