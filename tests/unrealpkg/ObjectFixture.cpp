#include "ObjectFixture.h"

namespace fixture {

void ObjectBytes::Tag(std::string_view name, std::uint8_t info) {
  WriteIndex(package_.Name(name));
  WriteByte(info);
}

void ObjectBytes::ByteProperty(std::string_view name, std::uint8_t value) {
  Tag(name, unrealpkg::PropByte);
  WriteByte(value);
}

void ObjectBytes::BoolProperty(std::string_view name, bool value) {
  Tag(name, static_cast<std::uint8_t>(unrealpkg::PropBool | (value ? 0x80 : 0)));
}

void ObjectBytes::ObjectProperty(std::string_view name, std::int32_t reference) {
  Tag(name, unrealpkg::PropObject);
  WriteIndex(reference);
}

void ObjectBytes::EndProperties() { WriteIndex(package_.Name("None")); }

std::size_t ObjectBytes::OffsetField() {
  OffsetFields.push_back(Size());
  WriteInt32(0);
  return OffsetFields.back();
}

FixturePackage::FixturePackage(std::uint16_t version) {
  writer_.Version = version;
  engine_ = writer_.AddImport("Core", "Package", 0, "Engine");
}

std::int32_t FixturePackage::ClassRef(std::string_view className) {
  const auto found = classes_.find(className);
  if (found != classes_.end()) return found->second;
  const std::int32_t reference = writer_.AddImport("Core", "Class", engine_, className);
  classes_.emplace(std::string(className), reference);
  return reference;
}

std::int32_t FixturePackage::Import(std::string_view className, std::string_view objectName) {
  return writer_.AddImport("Engine", className, engine_, objectName);
}

std::int32_t FixturePackage::Add(std::string_view className, std::string_view objectName, const ObjectBytes& data) {
  unrealpkg::PackageWriterExport entry;
  entry.ClassRef = ClassRef(className);
  entry.ObjectName = Name(objectName);
  entry.ObjectFlags = 0x00070004;
  entry.Data = data.Bytes();
  entry.OffsetFields = data.OffsetFields;
  return writer_.AddExport(std::move(entry));
}

std::unique_ptr<unrealpkg::TUTPackage> FixturePackage::Open() {
  const auto path = dir_ / "Fixture.utx";
  testsupport::WriteFile(path, writer_.Build());
  return std::make_unique<unrealpkg::TUTPackage>(path);
}

}  // namespace fixture
