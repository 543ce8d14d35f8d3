#include "unrealpkg/ObjectClassRegistry.h"

#include <string>
#include <unordered_map>

#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

std::unordered_map<std::string, const TUTObjectClass*>& Registry() {
  static std::unordered_map<std::string, const TUTObjectClass*> registry;
  return registry;
}

}  // namespace

void RegisterObjectClass(std::string_view engineClassName, const TUTObjectClass& readerClass) {
  Registry()[ToLowerAscii(engineClassName)] = &readerClass;
}

const TUTObjectClass& FindObjectClass(std::string_view engineClassName) {
  const auto& registry = Registry();
  const auto it = registry.find(ToLowerAscii(engineClassName));
  return it != registry.end() ? *it->second : ObjectClassOf<TUTObject>();
}

}  // namespace unrealpkg
