#include "unrealpkg/ScriptObjects.h"

#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

constexpr std::uint32_t FUNC_Net = 0x40;
constexpr std::size_t MinDependencyBytes = 9;

}  // namespace

void TUTObjectClassField::Reset() {
  superField_ = next_ = 0;
  TUTObject::Reset();
}

void TUTObjectClassField::FreeData() {
  superField_ = next_ = 0;
  TUTObject::FreeData();
}

void TUTObjectClassField::Parse() {
  TUTObject::Parse();
  superField_ = Stream().ReadIndex();
  next_ = Stream().ReadIndex();
}

void TUTObjectClassConst::Reset() {
  constValue_.clear();
  TUTObjectClassField::Reset();
}

void TUTObjectClassConst::FreeData() {
  constValue_.clear();
  TUTObjectClassField::FreeData();
}

void TUTObjectClassConst::Parse() {
  TUTObjectClassField::Parse();
  constValue_ = Stream().ReadSizedText();
}

void TUTObjectClassEnum::Reset() {
  values_.clear();
  TUTObjectClassField::Reset();
}

void TUTObjectClassEnum::FreeData() {
  values_.clear();
  TUTObjectClassField::FreeData();
}

void TUTObjectClassEnum::Parse() {
  TUTObjectClassField::Parse();
  const std::int32_t count = Stream().ReadCount(1);
  values_.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) values_.push_back(Stream().ReadIndex());
}

std::string TUTObjectClassEnum::GetEnumValueName(std::int64_t index) const {
  if (index < 0 || index >= ValueCount()) return {};
  return Package().GetName(values_[static_cast<std::size_t>(index)]);
}

void TUTObjectClassStruct::ClearStruct() {
  scriptText_ = children_ = line_ = textPos_ = scriptSize_ = 0;
  friendlyName_.clear();
  scriptStart_ = 0;
  ClearWalker();
}

void TUTObjectClassStruct::Reset() {
  ClearStruct();
  TUTObjectClassField::Reset();
}

void TUTObjectClassStruct::FreeData() {
  ClearStruct();
  TUTObjectClassField::FreeData();
}

void TUTObjectClassStruct::Parse() {
  TUTObjectClassField::Parse();
  ByteReader& in = Stream();
  scriptText_ = in.ReadIndex();
  children_ = in.ReadIndex();
  friendlyName_ = Package().GetName(in.ReadIndex());
  line_ = in.ReadInt32();
  textPos_ = in.ReadInt32();
  scriptSize_ = in.ReadInt32();
  scriptStart_ = in.Position();
  ClearWalker();
}

void TUTObjectClassFunction::Reset() {
  scriptError_.clear();
  nativeIndex_ = 0;
  operatorPrecedence_ = 0;
  functionFlags_ = 0;
  repOffset_ = 0xFFFF;
  TUTObjectClassStruct::Reset();
}

void TUTObjectClassFunction::Parse() {
  TUTObjectClassStruct::Parse();
  // A function whose bytecode cannot be walked keeps what was read: callers
  // only need its header, and ScriptError tells what went wrong.
  try {
    StepThroughScript();
    ByteReader& in = Stream();
    const bool old = Version() < 64;
    if (old) in.ReadWord();  // parameters size
    nativeIndex_ = in.ReadWord();
    if (old) in.ReadByte();  // parameter count
    operatorPrecedence_ = in.ReadByte();
    if (old) in.ReadWord();  // return value offset
    functionFlags_ = in.ReadUInt32();
    if (functionFlags_ & FUNC_Net) repOffset_ = in.ReadWord();
  } catch (const std::exception& e) {
    scriptError_ = e.what();
  }
}

void TUTObjectClassState::Reset() {
  probeMask_ = ignoreMask_ = 0;
  labelTableOffset_ = 0;
  stateFlags_ = 0;
  TUTObjectClassStruct::Reset();
}

void TUTObjectClassState::Parse() {
  TUTObjectClassStruct::Parse();
  StepThroughScript();
  ByteReader& in = Stream();
  probeMask_ = in.ReadInt64();
  ignoreMask_ = in.ReadInt64();
  labelTableOffset_ = in.ReadWord();
  stateFlags_ = in.ReadUInt32();
}

void TUTObjectClassClass::Reset() {
  classFlags_ = 0;
  classGuid_ = {};
  dependencies_.clear();
  packageImports_.clear();
  classWithin_ = classConfigName_ = 0;
  TUTObjectClassState::Reset();
}

void TUTObjectClassClass::FreeData() {
  dependencies_.clear();
  packageImports_.clear();
  TUTObjectClassState::FreeData();
}

void TUTObjectClassClass::Parse() {
  TUTObjectClassState::Parse();
  ByteReader& in = Stream();
  if (Version() <= 61) in.ReadInt32();
  classFlags_ = in.ReadUInt32();
  classGuid_ = in.ReadGuid();
  const std::int32_t dependencyCount = in.ReadCount(MinDependencyBytes);
  dependencies_.reserve(static_cast<std::size_t>(dependencyCount));
  for (std::int32_t i = 0; i < dependencyCount; ++i) {
    TUTClassDependency dependency;
    dependency.Class = in.ReadIndex();
    dependency.Deep = in.ReadInt32();
    dependency.ScriptTextCRC = in.ReadInt32();
    dependencies_.push_back(dependency);
  }
  const std::int32_t importCount = in.ReadCount(1);
  packageImports_.reserve(static_cast<std::size_t>(importCount));
  for (std::int32_t i = 0; i < importCount; ++i) packageImports_.push_back(in.ReadIndex());
  if (Version() >= 62) {
    classWithin_ = in.ReadIndex();
    classConfigName_ = in.ReadIndex();
  }
  ReadProperties();
}

}  // namespace unrealpkg
