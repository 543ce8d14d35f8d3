#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "unrealpkg/TUTValue.h"

namespace unrealpkg {

class TUTObject;
class TUTPackage;

// Type codes of property tags (the low four bits of the info byte).
enum TUTPropertyType : std::int32_t {
  PropEnd = 0,
  PropByte = 1,
  PropInt = 2,
  PropBool = 3,
  PropFloat = 4,
  PropObject = 5,
  PropName = 6,
  PropString = 7,
  PropClass = 8,
  PropArray = 9,
  PropStruct = 10,
  PropVector = 11,
  PropRotator = 12,
  PropStr = 13,
  PropMap = 14,
  PropFixedArray = 15,
  PropError = 256,
};

// "byte", "int", "struct" and so on; "error" for error entries.
std::string_view PropertyTypeName(std::int32_t type);

struct TUTProperty {
  bool Valid = false;
  TUTPackage* Package = nullptr;
  TUTObject* Owner = nullptr;
  std::string Name;
  std::int32_t ArrayIndex = -1;
  std::int32_t PropType = PropEnd;
  std::vector<std::uint8_t> Data;
  // The struct type name for structs, the error text for error entries.
  std::string StructName;
  // The value size the tag declares and the bytes its value took in the data.
  // The reader goes by type; tools that skip a tag by its declared size need
  // the two to agree. A bool's value lives in its info byte and takes none.
  std::int64_t DeclaredSize = 0;
  std::int64_t StoredSize = 0;
};

class TUTPropertyList {
public:
  int Count() const { return static_cast<int>(items_.size()); }
  const TUTProperty* Items(int index) const;
  TUTProperty& Add();
  void Clear() { items_.clear(); }

  // "Name" or "Name[2]", matched without regard to case.
  const TUTProperty* FindProperty(std::string_view name) const;
  TUTValue GetValue(std::string_view name) const;
  TUTValue GetValueDef(std::string_view name, const TUTValue& defaultValue) const;

  // Gives array index 0 to the unflagged first element of a static array.
  void FixArrayIndexes();

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

private:
  std::vector<std::unique_ptr<TUTProperty>> items_;
};

}  // namespace unrealpkg
