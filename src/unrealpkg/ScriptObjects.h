#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "unrealpkg/TUTObject.h"

namespace unrealpkg {

// A field of compiled script: everything below links to its owner's next field.
class TUTObjectClassField : public TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassField";
  using TUTObject::TUTObject;

  std::int32_t SuperField() const { return superField_; }
  std::int32_t Next() const { return next_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::int32_t superField_ = 0;
  std::int32_t next_ = 0;
};

class TUTObjectClassConst : public TUTObjectClassField {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassConst";
  using TUTObjectClassField::TUTObjectClassField;

  const std::string& ConstValue() const { return constValue_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::string constValue_;
};

class TUTObjectClassEnum : public TUTObjectClassField {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassEnum";
  using TUTObjectClassField::TUTObjectClassField;

  int ValueCount() const { return static_cast<int>(values_.size()); }
  // Empty text for an index outside the enumeration.
  std::string GetEnumValueName(std::int64_t index) const;

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::vector<std::int32_t> values_;
};

// A struct, and the base of functions, states and classes: a header, then the
// compiled bytecode, whose length in the file is only known by walking it.
class TUTObjectClassStruct : public TUTObjectClassField {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassStruct";
  using TUTObjectClassField::TUTObjectClassField;

  std::int32_t ScriptText() const { return scriptText_; }
  std::int32_t Children() const { return children_; }
  const std::string& FriendlyName() const { return friendlyName_; }
  std::int32_t Line() const { return line_; }
  std::int32_t TextPos() const { return textPos_; }
  std::int32_t ScriptSize() const { return scriptSize_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

  // Decodes statements until the in-memory size reaches ScriptSize.
  void StepThroughScript();
  // Reads one token, and the tokens it holds, returning its source text.
  std::string DecodeToken(int precedence);

private:
  std::string DecodeParameters();
  std::string DecodeNativeCall(int nativeIndex, int precedence);
  std::string JumpLabel(std::uint16_t offset);
  void ClearWalker();
  void ClearStruct();

  std::int32_t scriptText_ = 0;
  std::int32_t children_ = 0;
  std::string friendlyName_;
  std::int32_t line_ = 0;
  std::int32_t textPos_ = 0;
  std::int32_t scriptSize_ = 0;
  std::size_t scriptStart_ = 0;
  // Bytecode walker state.
  std::int64_t memoryOffset_ = 0;
  int depth_ = 0;
  std::vector<std::uint16_t> jumpTargets_;
  std::vector<std::pair<std::int32_t, std::int32_t>> labelTable_;
};

class TUTObjectClassFunction : public TUTObjectClassStruct {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassFunction";
  using TUTObjectClassStruct::TUTObjectClassStruct;

  std::uint16_t NativeIndex() const { return nativeIndex_; }
  std::uint8_t OperatorPrecedence() const { return operatorPrecedence_; }
  std::uint32_t FunctionFlags() const { return functionFlags_; }
  std::uint16_t RepOffset() const { return repOffset_; }
  // Why the bytecode could not be walked; a function stays usable without it.
  const std::string& ScriptError() const { return scriptError_; }

protected:
  void Reset() override;
  void Parse() override;

private:
  std::string scriptError_;
  std::uint16_t nativeIndex_ = 0;
  std::uint8_t operatorPrecedence_ = 0;
  std::uint32_t functionFlags_ = 0;
  std::uint16_t repOffset_ = 0xFFFF;
};

class TUTObjectClassState : public TUTObjectClassStruct {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassState";
  using TUTObjectClassStruct::TUTObjectClassStruct;

  std::int64_t ProbeMask() const { return probeMask_; }
  std::int64_t IgnoreMask() const { return ignoreMask_; }
  std::uint16_t LabelTableOffset() const { return labelTableOffset_; }
  std::uint32_t StateFlags() const { return stateFlags_; }

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int64_t probeMask_ = 0;
  std::int64_t ignoreMask_ = 0;
  std::uint16_t labelTableOffset_ = 0;
  std::uint32_t stateFlags_ = 0;
};

struct TUTClassDependency {
  std::int32_t Class = 0;
  std::int32_t Deep = 0;
  std::int32_t ScriptTextCRC = 0;
};

// A class: its state part, class data, then its default properties.
class TUTObjectClassClass : public TUTObjectClassState {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassClass";
  using TUTObjectClassState::TUTObjectClassState;

  std::uint32_t ClassFlags() const { return classFlags_; }
  const TUTGuid& ClassGuid() const { return classGuid_; }
  const std::vector<TUTClassDependency>& Dependencies() const { return dependencies_; }
  const std::vector<std::int32_t>& PackageImports() const { return packageImports_; }
  std::int32_t ClassWithin() const { return classWithin_; }
  std::int32_t ClassConfigName() const { return classConfigName_; }

protected:
  void Reset() override;
  void Parse() override;
  void FreeData() override;

private:
  std::uint32_t classFlags_ = 0;
  TUTGuid classGuid_{};
  std::vector<TUTClassDependency> dependencies_;
  std::vector<std::int32_t> packageImports_;
  std::int32_t classWithin_ = 0;
  std::int32_t classConfigName_ = 0;
};

}  // namespace unrealpkg
