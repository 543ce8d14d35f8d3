#include "support/ScriptFixtures.h"

namespace testsupport {

using unrealpkg::ByteWriter;

void ScriptFixtures::NoProperties(ByteWriter& out) { out.WriteIndex(package_.AddName("None")); }

std::vector<std::uint8_t> ScriptFixtures::Property(std::int32_t next, std::uint32_t flags,
                                                   const std::vector<std::int32_t>& references,
                                                   std::uint16_t arrayDim) {
  ByteWriter out;
  NoProperties(out);
  out.WriteIndex(0);
  out.WriteIndex(next);
  out.WriteWord(arrayDim);
  out.WriteWord(4);
  out.WriteUInt32(flags);
  out.WriteIndex(package_.AddName("None"));
  if (flags & 0x20) out.WriteWord(7);
  for (const std::int32_t reference : references) out.WriteIndex(reference);
  return out.Bytes();
}

std::vector<std::uint8_t> ScriptFixtures::Enum(const std::vector<std::string>& values) {
  ByteWriter out;
  NoProperties(out);
  out.WriteIndex(0);
  out.WriteIndex(0);
  out.WriteIndex(static_cast<std::int32_t>(values.size()));
  for (const auto& value : values) out.WriteIndex(package_.AddName(value));
  return out.Bytes();
}

void ScriptFixtures::StructPart(ByteWriter& out, std::int32_t superField, std::int32_t children,
                                const std::vector<std::uint8_t>& script, std::int32_t scriptSize) {
  out.WriteIndex(superField);
  out.WriteIndex(0);
  out.WriteIndex(0);
  out.WriteIndex(children);
  out.WriteIndex(package_.AddName("None"));
  out.WriteInt32(0);
  out.WriteInt32(0);
  out.WriteInt32(scriptSize);
  out.WriteBytes(script.data(), script.size());
}

std::vector<std::uint8_t> ScriptFixtures::Struct(std::int32_t children, const std::vector<std::uint8_t>& script,
                                                 std::int32_t scriptSize) {
  ByteWriter out;
  NoProperties(out);
  StructPart(out, 0, children, script, scriptSize);
  return out.Bytes();
}

std::vector<std::uint8_t> ScriptFixtures::Function(const std::vector<std::uint8_t>& script, std::int32_t scriptSize,
                                                   std::uint32_t functionFlags) {
  ByteWriter out;
  NoProperties(out);
  StructPart(out, 0, 0, script, scriptSize);
  const bool old = package_.Version < 64;
  if (old) out.WriteWord(0);
  out.WriteWord(0);
  if (old) out.WriteByte(0);
  out.WriteByte(0);
  if (old) out.WriteWord(0);
  out.WriteUInt32(functionFlags);
  if (functionFlags & 0x40) out.WriteWord(3);
  return out.Bytes();
}

std::vector<std::uint8_t> ScriptFixtures::Class(std::int32_t superField, std::int32_t children,
                                                const std::function<void(unrealpkg::PropertyTagWriter&)>& defaults,
                                                const std::vector<std::uint8_t>& script, std::int32_t scriptSize) {
  ByteWriter out;
  StructPart(out, superField, children, script, scriptSize);
  out.WriteInt32(0);
  out.WriteInt32(0);
  out.WriteInt32(0);
  out.WriteInt32(0);
  out.WriteWord(0xFFFF);
  out.WriteUInt32(0);
  if (package_.Version <= 61) out.WriteInt32(0);
  out.WriteUInt32(0);
  out.WriteGuid({});
  out.WriteIndex(0);
  out.WriteIndex(0);
  if (package_.Version >= 62) {
    out.WriteIndex(0);
    out.WriteIndex(package_.AddName("None"));
  }
  unrealpkg::PropertyTagWriter tags(package_, out);
  defaults(tags);
  tags.End();
  return out.Bytes();
}

}  // namespace testsupport
