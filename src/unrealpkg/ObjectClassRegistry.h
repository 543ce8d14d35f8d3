#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace unrealpkg {

class TUTObject;
class TUTPackage;

// A reader class: its name and its virtual constructor.
struct TUTObjectClass {
  std::string_view Name;
  std::unique_ptr<TUTObject> (*Create)(TUTPackage& package, std::int32_t exportIndex);
};

template <class Reader>
const TUTObjectClass& ObjectClassOf() {
  static const TUTObjectClass readerClass{
      Reader::ReaderName, [](TUTPackage& package, std::int32_t exportIndex) -> std::unique_ptr<TUTObject> {
        return std::make_unique<Reader>(package, exportIndex);
      }};
  return readerClass;
}

// Engine class names are matched without regard to case; registering a name
// again replaces its reader class.
void RegisterObjectClass(std::string_view engineClassName, const TUTObjectClass& readerClass);
// The reader class for an engine class; TUTObject when none is registered.
const TUTObjectClass& FindObjectClass(std::string_view engineClassName);
// Fills the registry with every reader of the library; the program calls it once at start-up.
void RegisterAllObjectClasses();

}  // namespace unrealpkg
