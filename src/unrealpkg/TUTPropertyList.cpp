#include "unrealpkg/TUTProperty.h"

#include <array>
#include <charconv>
#include <unordered_map>

#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

// Engine static arrays whose first element is stored without the array flag.
constexpr std::array<std::string_view, 23> KnownStaticArrays = {
    "paths",      "visnoreachpaths", "upstreampaths", "prunedpaths",     "aiprofile",
    "multiskins", "lensaflare",      "lensflareoffset", "lensflarescale", "delay",
    "gain",       "outevents",       "outdelays",     "objshots",        "objdesc",
    "damageevent", "damageeventthreshold", "tags",    "events",          "opentimes",
    "closetimes", "splats",          "internaltime"};

bool IsKnownStaticArray(std::string_view name) {
  for (const auto known : KnownStaticArrays)
    if (EqualsIgnoreCase(known, name)) return true;
  return false;
}

}  // namespace

std::string_view PropertyTypeName(std::int32_t type) {
  static constexpr std::string_view names[] = {"end",   "byte",   "int",    "bool", "float", "object",
                                               "name",  "string", "class",  "array", "struct", "vector",
                                               "rotator", "str",  "map",    "fixedarray"};
  if (type >= 0 && type < static_cast<std::int32_t>(std::size(names))) return names[type];
  return "error";
}

const TUTProperty* TUTPropertyList::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

TUTProperty& TUTPropertyList::Add() {
  items_.push_back(std::make_unique<TUTProperty>());
  return *items_.back();
}

const TUTProperty* TUTPropertyList::FindProperty(std::string_view name) const {
  std::string_view bare = name;
  std::int32_t element = -1;
  if (const auto bracket = name.find('['); bracket != std::string_view::npos) {
    bare = name.substr(0, bracket);
    // The element index is what lies between "[" and the last character.
    const std::string_view digits =
        name.size() > bracket + 1 ? name.substr(bracket + 1, name.size() - bracket - 2) : std::string_view();
    element = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), element);
    if (error != std::errc() || end != digits.data() + digits.size()) element = 0;
  }
  for (const auto& property : items_)
    if (property->ArrayIndex == element && EqualsIgnoreCase(property->Name, bare)) return property.get();
  return nullptr;
}

TUTValue TUTPropertyList::GetValue(std::string_view name) const { return GetValueDef(name, TUTValue(0)); }

TUTValue TUTPropertyList::GetValueDef(std::string_view name, const TUTValue& defaultValue) const {
  const TUTProperty* property = FindProperty(name);
  return property ? PropertyValue(*property) : defaultValue;
}

void TUTPropertyList::FixArrayIndexes() {
  std::unordered_map<std::string, int> occurrences;
  for (const auto& property : items_) ++occurrences[property->Name];
  for (auto& property : items_)
    if (property->ArrayIndex == -1 &&
        (IsKnownStaticArray(property->Name) || occurrences[property->Name] > 1))
      property->ArrayIndex = 0;
}

}  // namespace unrealpkg
