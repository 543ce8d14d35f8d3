#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace unrealpkg {

// Value name `index` of an enumeration the library knows without reading any
// package (ESheerAxis, EDropType, ESparkType); empty when unknown or out of range.
std::string GetKnownEnumValue(std::string_view enumerationName, std::int64_t index);

}  // namespace unrealpkg
