#include "unrealpkg/PropertyObjects.h"

#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

constexpr std::uint32_t CPF_Net = 0x20;

// Array properties name their element property, which may be another array:
// a chain deeper than this loops in a damaged package.
constexpr int MaxInnerDepth = 8;
thread_local int innerDepth = 0;

}  // namespace

void TUTObjectClassProperty::Reset() {
  arrayDim_ = elementSize_ = 0;
  propertyFlags_ = 0;
  category_.clear();
  repOffset_ = -1;
  TUTObjectClassField::Reset();
}

void TUTObjectClassProperty::Parse() {
  TUTObjectClassField::Parse();
  ByteReader& in = Stream();
  arrayDim_ = in.ReadWord();
  elementSize_ = in.ReadWord();
  propertyFlags_ = in.ReadUInt32();
  category_ = Package().GetName(in.ReadIndex());
  repOffset_ = (propertyFlags_ & CPF_Net) ? in.ReadWord() : -1;
}

void TUTObjectClassByteProperty::Reset() {
  enum_ = 0;
  TUTObjectClassProperty::Reset();
}

void TUTObjectClassByteProperty::Parse() {
  TUTObjectClassProperty::Parse();
  enum_ = Stream().ReadIndex();
}

std::string TUTObjectClassByteProperty::TypeText() { return enum_ ? Package().ObjectNameOf(enum_) : "byte"; }

void TUTObjectClassObjectProperty::Reset() {
  propertyClass_ = 0;
  TUTObjectClassProperty::Reset();
}

void TUTObjectClassObjectProperty::Parse() {
  TUTObjectClassProperty::Parse();
  propertyClass_ = Stream().ReadIndex();
}

std::string TUTObjectClassObjectProperty::TypeText() { return Package().ObjectNameOf(propertyClass_); }

void TUTObjectClassClassProperty::Reset() {
  metaClass_ = 0;
  TUTObjectClassObjectProperty::Reset();
}

void TUTObjectClassClassProperty::Parse() {
  TUTObjectClassObjectProperty::Parse();
  metaClass_ = Stream().ReadIndex();
}

std::string TUTObjectClassClassProperty::TypeText() {
  const std::string meta = Package().ObjectNameOf(metaClass_);
  const std::string base = TUTObjectClassObjectProperty::TypeText();
  return EqualsIgnoreCase(meta, "object") ? base : base + "<" + meta + ">";
}

void TUTObjectClassFixedArrayProperty::Reset() {
  inner_ = count_ = 0;
  TUTObjectClassProperty::Reset();
}

void TUTObjectClassFixedArrayProperty::Parse() {
  TUTObjectClassProperty::Parse();
  inner_ = Stream().ReadIndex();
  count_ = Stream().ReadIndex();
}

std::string TUTObjectClassFixedArrayProperty::TypeText() {
  return Package().ObjectNameOf(inner_) + "[" + std::to_string(count_) + "]";
}

void TUTObjectClassArrayProperty::Reset() {
  inner_ = 0;
  TUTObjectClassProperty::Reset();
}

void TUTObjectClassArrayProperty::Parse() {
  TUTObjectClassProperty::Parse();
  inner_ = Stream().ReadIndex();
}

std::string TUTObjectClassArrayProperty::TypeText() {
  std::string innerText;
  TUTExportTableObjectData* entry = inner_ > 0 ? Package().GetExport(inner_ - 1) : nullptr;
  if (entry && innerDepth < MaxInnerDepth) {
    if (auto* inner = dynamic_cast<TUTObjectClassProperty*>(&entry->Object())) {
      ++innerDepth;
      struct DepthGuard {
        ~DepthGuard() { --innerDepth; }
      } guard;
      TUTObjectUse use(*inner);
      innerText = inner->TypeText();
    }
  }
  return "array<" + innerText + ">";
}

void TUTObjectClassMapProperty::Reset() {
  key_ = value_ = 0;
  TUTObjectClassProperty::Reset();
}

void TUTObjectClassMapProperty::Parse() {
  TUTObjectClassProperty::Parse();
  key_ = Stream().ReadIndex();
  value_ = Stream().ReadIndex();
}

void TUTObjectClassStructProperty::Reset() {
  struct_ = 0;
  TUTObjectClassProperty::Reset();
}

void TUTObjectClassStructProperty::Parse() {
  TUTObjectClassProperty::Parse();
  struct_ = Stream().ReadIndex();
}

std::string TUTObjectClassStructProperty::TypeText() { return Package().ObjectNameOf(struct_); }

}  // namespace unrealpkg
