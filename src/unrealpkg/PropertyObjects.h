#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "unrealpkg/ScriptObjects.h"

namespace unrealpkg {

// A property declaration of compiled script.
class TUTObjectClassProperty : public TUTObjectClassField {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassProperty";
  using TUTObjectClassField::TUTObjectClassField;

  std::uint16_t ArrayDim() const { return arrayDim_; }
  std::uint16_t ElementSize() const { return elementSize_; }
  std::uint32_t PropertyFlags() const { return propertyFlags_; }
  const std::string& Category() const { return category_; }
  // -1 when the flags carry no replication offset.
  std::int32_t RepOffset() const { return repOffset_; }

  // The declaration type as script source writes it.
  virtual std::string TypeText() { return "property"; }

protected:
  void Reset() override;
  void Parse() override;

private:
  std::uint16_t arrayDim_ = 0;
  std::uint16_t elementSize_ = 0;
  std::uint32_t propertyFlags_ = 0;
  std::string category_;
  std::int32_t repOffset_ = -1;
};

// Declares a property reader whose type text is fixed and that stores nothing of its own.
#define UNREALPKG_PLAIN_PROPERTY(ClassName, Text)                              \
  class ClassName : public TUTObjectClassProperty {                            \
  public:                                                                      \
    static constexpr std::string_view ReaderName = #ClassName;                 \
    using TUTObjectClassProperty::TUTObjectClassProperty;                      \
    std::string TypeText() override { return Text; }                           \
  };

UNREALPKG_PLAIN_PROPERTY(TUTObjectClassIntProperty, "int")
UNREALPKG_PLAIN_PROPERTY(TUTObjectClassBoolProperty, "bool")
UNREALPKG_PLAIN_PROPERTY(TUTObjectClassFloatProperty, "float")
UNREALPKG_PLAIN_PROPERTY(TUTObjectClassNameProperty, "name")
UNREALPKG_PLAIN_PROPERTY(TUTObjectClassStrProperty, "string")
UNREALPKG_PLAIN_PROPERTY(TUTObjectClassStringProperty, "string")

#undef UNREALPKG_PLAIN_PROPERTY

class TUTObjectClassByteProperty : public TUTObjectClassProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassByteProperty";
  using TUTObjectClassProperty::TUTObjectClassProperty;

  std::int32_t Enum() const { return enum_; }
  std::string TypeText() override;

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t enum_ = 0;
};

class TUTObjectClassObjectProperty : public TUTObjectClassProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassObjectProperty";
  using TUTObjectClassProperty::TUTObjectClassProperty;

  std::int32_t PropertyClass() const { return propertyClass_; }
  std::string TypeText() override;

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t propertyClass_ = 0;
};

class TUTObjectClassClassProperty : public TUTObjectClassObjectProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassClassProperty";
  using TUTObjectClassObjectProperty::TUTObjectClassObjectProperty;

  std::int32_t MetaClass() const { return metaClass_; }
  std::string TypeText() override;

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t metaClass_ = 0;
};

class TUTObjectClassFixedArrayProperty : public TUTObjectClassProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassFixedArrayProperty";
  using TUTObjectClassProperty::TUTObjectClassProperty;

  std::int32_t Inner() const { return inner_; }
  std::int32_t Count() const { return count_; }
  std::string TypeText() override;

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t inner_ = 0;
  std::int32_t count_ = 0;
};

class TUTObjectClassArrayProperty : public TUTObjectClassProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassArrayProperty";
  using TUTObjectClassProperty::TUTObjectClassProperty;

  std::int32_t Inner() const { return inner_; }
  std::string TypeText() override;

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t inner_ = 0;
};

class TUTObjectClassMapProperty : public TUTObjectClassProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassMapProperty";
  using TUTObjectClassProperty::TUTObjectClassProperty;

  std::int32_t Key() const { return key_; }
  std::int32_t Value() const { return value_; }
  std::string TypeText() override { return "map"; }

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t key_ = 0;
  std::int32_t value_ = 0;
};

class TUTObjectClassStructProperty : public TUTObjectClassProperty {
public:
  static constexpr std::string_view ReaderName = "TUTObjectClassStructProperty";
  using TUTObjectClassProperty::TUTObjectClassProperty;

  std::int32_t Struct() const { return struct_; }
  std::string TypeText() override;

protected:
  void Reset() override;
  void Parse() override;

private:
  std::int32_t struct_ = 0;
};

}  // namespace unrealpkg
