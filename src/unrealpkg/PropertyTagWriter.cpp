#include "unrealpkg/PropertyTagWriter.h"

namespace unrealpkg {

namespace {

std::uint8_t SizeCode(std::size_t size) {
  switch (size) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    case 12: return 3;
    case 16: return 4;
    default: return size < 256 ? 5 : 6;
  }
}

}  // namespace

void PropertyTagWriter::Header(std::string_view name, std::uint8_t type, std::size_t size, int arrayIndex) {
  out_.WriteIndex(package_.AddName(name));
  const std::uint8_t code = SizeCode(size);
  out_.WriteByte(static_cast<std::uint8_t>(type | (code << 4) | (arrayIndex >= 0 ? 0x80 : 0)));
  if (code == 5) out_.WriteByte(static_cast<std::uint8_t>(size));
  if (code == 6) out_.WriteWord(static_cast<std::uint16_t>(size));
  if (arrayIndex >= 0) {
    if (arrayIndex < 0x80) {
      out_.WriteByte(static_cast<std::uint8_t>(arrayIndex));
    } else {
      out_.WriteByte(static_cast<std::uint8_t>(0x80 | (arrayIndex >> 8)));
      out_.WriteByte(static_cast<std::uint8_t>(arrayIndex));
    }
  }
}

PropertyTagWriter& PropertyTagWriter::Raw(std::string_view name, std::uint8_t info, const std::vector<std::uint8_t>& value) {
  out_.WriteIndex(package_.AddName(name));
  out_.WriteByte(info);
  out_.WriteBytes(value.data(), value.size());
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Byte(std::string_view name, std::uint8_t value) {
  Header(name, 1, 1, -1);
  out_.WriteByte(value);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Int(std::string_view name, std::int32_t value, int arrayIndex) {
  Header(name, 2, 4, arrayIndex);
  out_.WriteInt32(value);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Bool(std::string_view name, bool value) {
  out_.WriteIndex(package_.AddName(name));
  out_.WriteByte(value ? 0x83 : 0x03);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Float(std::string_view name, float value) {
  Header(name, 4, 4, -1);
  out_.WriteFloat(value);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Object(std::string_view name, std::int32_t reference, int arrayIndex) {
  Header(name, 5, 4, arrayIndex);
  out_.WriteIndex(reference);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Name(std::string_view name, std::string_view value) {
  const std::int32_t index = package_.AddName(value);
  Header(name, 6, 4, -1);
  out_.WriteIndex(index);
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Str(std::string_view name, std::string_view value) {
  ByteWriter text;
  text.WriteSizedText(value);
  Header(name, 13, text.Size(), -1);
  out_.WriteBytes(text.Bytes().data(), text.Size());
  return *this;
}

PropertyTagWriter& PropertyTagWriter::Struct(std::string_view name, std::string_view structName,
                                   const std::vector<std::uint8_t>& value) {
  const std::int32_t structIndex = package_.AddName(structName);
  out_.WriteIndex(package_.AddName(name));
  const std::uint8_t code = SizeCode(value.size());
  out_.WriteByte(static_cast<std::uint8_t>(10 | (code << 4)));
  out_.WriteIndex(structIndex);
  if (code == 5) out_.WriteByte(static_cast<std::uint8_t>(value.size()));
  if (code == 6) out_.WriteWord(static_cast<std::uint16_t>(value.size()));
  out_.WriteBytes(value.data(), value.size());
  return *this;
}

void PropertyTagWriter::End() { out_.WriteIndex(package_.AddName("None")); }

}  // namespace unrealpkg
