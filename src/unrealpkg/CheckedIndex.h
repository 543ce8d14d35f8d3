#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "unrealpkg/ByteReader.h"
#include "unrealpkg/TUTObject.h"

namespace unrealpkg {

// Element `index` of a list an object reader holds; an index outside it is a
// ReadError naming the list and the object, never an out-of-bounds read.
template <class T>
const T& CheckedElement(const std::vector<T>& list, std::int64_t index, std::string_view what,
                        std::string_view plural, const TUTObject& owner) {
  if (index < 0 || static_cast<std::uint64_t>(index) >= list.size())
    throw ReadError(std::string(what) + " " + std::to_string(index) + " is outside the " +
                    std::to_string(list.size()) + " " + std::string(plural) + " of " + owner.ObjectName());
  return list[static_cast<std::size_t>(index)];
}

}  // namespace unrealpkg
