#pragma once

#include <cstdint>
#include <string>

#include "unrealpkg/TUTProperty.h"
#include "unrealpkg/TUTValue.h"

namespace unrealpkg {

class TUTObject;
class TUTPackage;

struct TUTValueDescription {
  std::string Name;
  std::int32_t Type = 0;
  std::string TypeText;
  std::string ValueText;
  TUTValue Value;
};

// Name, type, readable type and value text, and the variant value of a property.
TUTValueDescription DescribeValue(const TUTProperty& property);

// The variant of DescribeValue alone, without the lookups that only name things.
TUTValue PropertyValue(const TUTProperty& property);

// "None", or the class name, an apostrophe, the object path and an apostrophe.
std::string ObjectText(const TUTPackage& package, std::int32_t reference);

// The name of value `value` of the enumeration behind byte property `propertyName`
// of `owner`, searched through the owner's class chain; empty when not found.
std::string EnumValueName(TUTObject& owner, const std::string& propertyName, std::uint8_t value);

}  // namespace unrealpkg
