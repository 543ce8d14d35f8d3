#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/TestFiles.h"
#include "unrealpkg/ByteWriter.h"
#include "unrealpkg/PackageWriter.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TUTProperty.h"

namespace fixture {

// A reader that remembers where its parse stopped, so a test can tell that a
// layout consumed the object's data exactly.
template <class Reader>
class Probe : public Reader {
public:
  using Reader::Reader;
  std::size_t End = 0;

protected:
  void Parse() override {
    Reader::Parse();
    End = this->Stream().Position();
  }
};

class FixturePackage;

// One object's serialized data: tagged properties, then the object's own part.
class ObjectBytes : public unrealpkg::ByteWriter {
public:
  explicit ObjectBytes(FixturePackage& package) : package_(package) {}

  void ByteProperty(std::string_view name, std::uint8_t value);
  void BoolProperty(std::string_view name, bool value);
  void ObjectProperty(std::string_view name, std::int32_t reference);
  void EndProperties();
  // A placeholder int32 for an absolute file offset, returned so the position in
  // this data it points at can be patched in; the package writer makes it absolute.
  std::size_t OffsetField();

  std::vector<std::size_t> OffsetFields;

private:
  void Tag(std::string_view name, std::uint8_t info);
  FixturePackage& package_;
};

// A package of objects whose classes are imported from Engine, written to a
// temporary folder and opened like any package file.
class FixturePackage {
public:
  explicit FixturePackage(std::uint16_t version);

  std::uint16_t Version() const { return writer_.Version; }
  std::int32_t Name(std::string_view text) { return writer_.AddName(text); }
  std::int32_t ClassRef(std::string_view className);
  // Returns the new import's object reference.
  std::int32_t Import(std::string_view className, std::string_view objectName);
  // Returns the new export's object reference.
  std::int32_t Add(std::string_view className, std::string_view objectName, const ObjectBytes& data);
  std::unique_ptr<unrealpkg::TUTPackage> Open();

private:
  unrealpkg::PackageWriter writer_;
  std::int32_t engine_;
  std::map<std::string, std::int32_t, std::less<>> classes_;
  testsupport::TempDir dir_;
};

}  // namespace fixture
