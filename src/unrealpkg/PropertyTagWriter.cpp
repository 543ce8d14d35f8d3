#include "unrealpkg/PropertyTagWriter.h"

namespace unrealpkg {

namespace {

// The shortest size code for a value of `size` bytes; codes 5 to 7 are followed
// by the size itself in one, two or four bytes.
std::uint8_t SizeCode(std::size_t size) {
  switch (size) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    case 12: return 3;
    case 16: return 4;
    default: return size < 0x100 ? 5 : size < 0x10000 ? 6 : 7;
  }
}

std::vector<std::uint8_t> CompactIndex(std::int32_t value) {
  ByteWriter out;
  out.WriteIndex(value);
  return out.Bytes();
}

}  // namespace

void PropertyTagWriter::Tag(std::int32_t nameIndex, std::uint8_t type, std::int32_t structName,
                            const std::vector<std::uint8_t>& value, int arrayIndex) {
  const std::uint8_t code = SizeCode(value.size());
  out_.WriteIndex(nameIndex);
  out_.WriteByte(static_cast<std::uint8_t>(type | (code << 4) | (arrayIndex >= 0 ? 0x80 : 0)));
  if (type == PropStruct) out_.WriteIndex(structName);
  if (code == 5) out_.WriteByte(static_cast<std::uint8_t>(value.size()));
  if (code == 6) out_.WriteWord(static_cast<std::uint16_t>(value.size()));
  if (code == 7) out_.WriteInt32(static_cast<std::int32_t>(value.size()));
  if (arrayIndex >= 0x4000) {
    out_.WriteByte(static_cast<std::uint8_t>(0xC0 | (arrayIndex >> 24)));
    out_.WriteByte(static_cast<std::uint8_t>(arrayIndex >> 16));
    out_.WriteByte(static_cast<std::uint8_t>(arrayIndex >> 8));
    out_.WriteByte(static_cast<std::uint8_t>(arrayIndex));
  } else if (arrayIndex >= 0x80) {
    out_.WriteByte(static_cast<std::uint8_t>(0x80 | (arrayIndex >> 8)));
    out_.WriteByte(static_cast<std::uint8_t>(arrayIndex));
  } else if (arrayIndex >= 0) {
    out_.WriteByte(static_cast<std::uint8_t>(arrayIndex));
  }
  out_.WriteBytes(value.data(), value.size());
}

void PropertyTagWriter::Tag(std::string_view name, std::uint8_t type, const std::vector<std::uint8_t>& value,
                            int arrayIndex) {
  Tag(package_.AddName(name), type, 0, value, arrayIndex);
}

PropertyTagWriter& PropertyTagWriter::Raw(std::string_view name, std::uint8_t info, const std::vector<std::uint8_t>& value) {
  out_.WriteIndex(package_.AddName(name));
  out_.WriteByte(info);
  out_.WriteBytes(value.data(), value.size());
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Byte(std::string_view name, std::uint8_t value) {
  Tag(name, PropByte, {value}, -1);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Int(std::string_view name, std::int32_t value, int arrayIndex) {
  ByteWriter bytes;
  bytes.WriteInt32(value);
  Tag(name, PropInt, bytes.Bytes(), arrayIndex);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Bool(std::string_view name, bool value) {
  out_.WriteIndex(package_.AddName(name));
  out_.WriteByte(value ? 0x83 : 0x03);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Float(std::string_view name, float value) {
  ByteWriter bytes;
  bytes.WriteFloat(value);
  Tag(name, PropFloat, bytes.Bytes(), -1);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Object(std::string_view name, std::int32_t reference, int arrayIndex) {
  Tag(name, PropObject, CompactIndex(reference), arrayIndex);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Name(std::string_view name, std::string_view value) {
  const std::int32_t index = package_.AddName(value);
  Tag(name, PropName, CompactIndex(index), -1);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Str(std::string_view name, std::string_view value) {
  ByteWriter text;
  text.WriteSizedText(value);
  Tag(name, PropStr, text.Bytes(), -1);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Struct(std::string_view name, std::string_view structName,
                                             const std::vector<std::uint8_t>& value) {
  const std::int32_t structIndex = package_.AddName(structName);
  Tag(package_.AddName(name), PropStruct, structIndex, value, -1);
  return *this;
}

void PropertyTagWriter::End() { out_.WriteIndex(package_.AddName("None")); }

}  // namespace unrealpkg
