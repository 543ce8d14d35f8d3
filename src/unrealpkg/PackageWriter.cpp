#include "unrealpkg/PackageWriter.h"

#include "unrealpkg/ByteWriter.h"

namespace unrealpkg {

std::int32_t PackageWriter::AddName(std::string_view text) {
  return AddName(text, NameFlags ? NameFlags(text) : 0x00070010u);
}

std::int32_t PackageWriter::AddName(std::string_view text, std::uint32_t flags) {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (EqualsIgnoreCase(Names[i].Text, text)) return static_cast<std::int32_t>(i);
  Names.push_back({std::string(text), flags});
  return static_cast<std::int32_t>(Names.size() - 1);
}

std::int32_t PackageWriter::AddImport(std::string_view classPackage, std::string_view className,
                                      std::int32_t packageRef, std::string_view objectName) {
  Imports.push_back({AddName(classPackage), AddName(className), packageRef, AddName(objectName)});
  return -static_cast<std::int32_t>(Imports.size());
}

std::int32_t PackageWriter::AddExport(PackageWriterExport entry) {
  Exports.push_back(std::move(entry));
  return static_cast<std::int32_t>(Exports.size());
}

std::vector<std::uint8_t> PackageWriter::Build() const {
  ByteWriter out;
  out.WriteUInt32(PackageSignature);
  out.WriteWord(Version);
  out.WriteWord(LicenseeMode);
  out.WriteUInt32(PackageFlags);
  const auto tableField = [&out](std::size_t count) {
    out.WriteInt32(static_cast<std::int32_t>(count));
    const std::size_t at = out.Size();
    out.WriteInt32(0);
    return at;
  };
  const std::size_t nameOffsetField = tableField(Names.size());
  const std::size_t exportOffsetField = tableField(Exports.size());
  const std::size_t importOffsetField = tableField(Imports.size());
  std::size_t heritageOffsetField = 0;
  if (Version >= 68) {
    out.WriteGuid(Guid);
    out.WriteInt32(1);
    out.WriteInt32(static_cast<std::int32_t>(Exports.size()));
    out.WriteInt32(static_cast<std::int32_t>(Names.size()));
  } else {
    heritageOffsetField = tableField(1);
  }

  out.PatchInt32(nameOffsetField, static_cast<std::int32_t>(out.Size()));
  for (const auto& name : Names) {
    out.WriteNameText(name.Text, Version);
    out.WriteUInt32(name.Flags);
  }

  std::vector<std::size_t> serialOffsets;
  for (const auto& entry : Exports) {
    const std::size_t start = out.Size();
    serialOffsets.push_back(start);
    out.WriteBytes(entry.Data.data(), entry.Data.size());
    for (const std::size_t field : entry.OffsetFields) {
      const std::uint8_t* p = entry.Data.data() + field;
      out.PatchInt32(start + field, static_cast<std::int32_t>(LoadUInt32(p) + start));
    }
  }

  out.PatchInt32(importOffsetField, static_cast<std::int32_t>(out.Size()));
  for (const auto& entry : Imports) {
    out.WriteIndex(entry.ClassPackage);
    out.WriteIndex(entry.ClassName);
    out.WriteInt32(entry.PackageRef);
    out.WriteIndex(entry.ObjectName);
  }

  out.PatchInt32(exportOffsetField, static_cast<std::int32_t>(out.Size()));
  for (std::size_t i = 0; i < Exports.size(); ++i) {
    const auto& entry = Exports[i];
    out.WriteIndex(entry.ClassRef);
    out.WriteIndex(entry.SuperRef);
    out.WriteInt32(entry.PackageRef);
    out.WriteIndex(entry.ObjectName);
    out.WriteUInt32(entry.ObjectFlags);
    out.WriteIndex(static_cast<std::int32_t>(entry.Data.size()));
    if (!entry.Data.empty()) out.WriteIndex(static_cast<std::int32_t>(serialOffsets[i]));
  }

  if (Version < 68) {
    out.PatchInt32(heritageOffsetField, static_cast<std::int32_t>(out.Size()));
    out.WriteGuid(Guid);
  }
  return std::move(out.Bytes());
}

}  // namespace unrealpkg
