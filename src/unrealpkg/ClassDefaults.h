#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "unrealpkg/TUTProperty.h"
#include "unrealpkg/TUTValue.h"

namespace unrealpkg {

class TUTObject;
class TUTObjectUse;
class TUTPackage;

// A class's default properties as the game sees them. A class stores only the
// defaults that differ from its parent's, so a lookup walks up the superclass
// chain: through the same package, and into the packages beside it (found
// whatever their letter case) where a parent lives elsewhere. Every class of
// the chain stays read while this lives.
class TUTClassDefaults {
public:
  // The class definition `classExport` of `package`. A damaged class of the
  // chain is an error naming it and its file.
  TUTClassDefaults(TUTPackage& package, int classExport);
  ~TUTClassDefaults();
  TUTClassDefaults(const TUTClassDefaults&) = delete;
  TUTClassDefaults& operator=(const TUTClassDefaults&) = delete;

  // The property as the nearest class of the chain stores it, or none. Its
  // Package is the one it was read from, where its references point.
  const TUTProperty* FindProperty(std::string_view name) const;
  // As FindProperty, with the default for a property no class stores. A value
  // that falls back to its default while the chain is broken is remembered.
  TUTValue GetValueDef(std::string_view name, const TUTValue& defaultValue);

  // The parent the chain could not reach ("Botpack.TournamentPlayer"); empty
  // when the chain reaches its root.
  const std::string& MissingParent() const { return missingParent_; }
  // Says which parent was not found and which values took their defaults for
  // it, and what those are; empty when nothing fell back for a missing parent.
  std::string MissingParentNote() const;

private:
  void Follow(TUTPackage& package, int classExport);

  std::vector<std::unique_ptr<TUTObjectUse>> uses_;
  std::vector<const TUTObject*> chain_;
  std::string className_;
  std::string missingParent_;
  std::string missingReason_;
  struct Defaulted {
    std::string Name;
    std::string Value;
  };
  std::vector<Defaulted> defaulted_;
};

}  // namespace unrealpkg
