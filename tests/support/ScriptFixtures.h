#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "unrealpkg/PropertyTagWriter.h"
#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/PackageWriter.h"

namespace testsupport {

// Serialized data of compiled-script objects, for fixture packages.
class ScriptFixtures {
public:
  explicit ScriptFixtures(unrealpkg::PackageWriter& package) : package_(package) {}

  // A property declaration; `references` are the reader's own trailing object references.
  std::vector<std::uint8_t> Property(std::int32_t next, std::uint32_t flags,
                                     const std::vector<std::int32_t>& references = {}, std::uint16_t arrayDim = 1);
  std::vector<std::uint8_t> Enum(const std::vector<std::string>& values);
  // A struct header with its bytecode; `scriptSize` is the in-memory size the walker counts to.
  std::vector<std::uint8_t> Struct(std::int32_t children, const std::vector<std::uint8_t>& script = {},
                                   std::int32_t scriptSize = 0);
  std::vector<std::uint8_t> Function(const std::vector<std::uint8_t>& script, std::int32_t scriptSize,
                                     std::uint32_t functionFlags = 0);
  // A class with its state part, class data and default properties.
  std::vector<std::uint8_t> Class(std::int32_t superField, std::int32_t children,
                                  const std::function<void(unrealpkg::PropertyTagWriter&)>& defaults,
                                  const std::vector<std::uint8_t>& script = {}, std::int32_t scriptSize = 0);

private:
  void NoProperties(unrealpkg::ByteWriter& out);
  void StructPart(unrealpkg::ByteWriter& out, std::int32_t superField, std::int32_t children,
                  const std::vector<std::uint8_t>& script, std::int32_t scriptSize);

  unrealpkg::PackageWriter& package_;
};

}  // namespace testsupport
