#include "unrealpkg/DescribeValue.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <set>

#include "unrealpkg/ByteReader.h"
#include "unrealpkg/KnownEnumerations.h"
#include "unrealpkg/PropertyObjects.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

namespace {

// Struct definitions may name each other; deeper nesting than this is taken as a loop.
constexpr int MaxStructDepth = 16;

std::int32_t TypeCodeOfPropertyClass(std::string_view className) {
  static constexpr std::pair<std::string_view, std::int32_t> codes[] = {
      {"ByteProperty", PropByte},     {"IntProperty", PropInt},       {"BoolProperty", PropBool},
      {"FloatProperty", PropFloat},   {"ObjectProperty", PropObject}, {"NameProperty", PropName},
      {"StringProperty", PropString}, {"ClassProperty", PropClass},   {"ArrayProperty", PropArray},
      {"StructProperty", PropStruct}, {"StrProperty", PropStr},       {"MapProperty", PropMap},
      {"FixedArrayProperty", PropFixedArray}};
  for (const auto& [name, code] : codes)
    if (EqualsIgnoreCase(name, className)) return code;
  return PropError;
}

template <class... Values>
std::string Format(const char* format, Values... values) {
  char buffer[512];
  const int length = std::snprintf(buffer, sizeof buffer, format, values...);
  return std::string(buffer, static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(sizeof buffer) - 1)));
}

std::string Floats(std::initializer_list<std::pair<const char*, double>> fields, const char* separator) {
  std::string text = "(";
  for (const auto& [name, value] : fields) {
    if (text.size() > 1) text += separator;
    text += name;
    text += '=';
    text += FormatFloat(value);
  }
  return text + ")";
}

bool IsSerializedMemberType(std::int32_t type) {
  return (type >= PropByte && type <= PropClass) || type == PropStruct || type == PropStr;
}

struct StructDefinition {
  TUTPackage* package = nullptr;
  int exportIndex = -1;
};

// The export of class Struct that defines `structName`: in the package itself, or
// through an import in the sibling package that holds it.
StructDefinition FindStructDefinition(TUTPackage& package, const std::string& structName) {
  const int local = package.FindObject(TableExports, MatchObjectName | MatchClassName, 0, "Struct", structName, "");
  if (local >= 0) return {&package, local};
  if (!package.SearchOtherPackages) return {};
  const int import = package.FindObject(TableImports, MatchObjectName | MatchClassName, 0, "Struct", structName, "");
  if (import < 0) return {};
  const std::string path = package.GetImport(import)->PackagePath();
  const auto dot = path.find('.');
  const std::string packageName = path.substr(0, dot);
  const std::string rest = dot == std::string::npos ? std::string() : path.substr(dot + 1);
  TUTPackage* sibling = package.SiblingPackage(packageName);
  if (!sibling) return {};
  const int found = sibling->FindObject(TableExports, MatchObjectName | MatchClassName | MatchPackagePath, 0, "Struct",
                                        structName, rest);
  return found >= 0 ? StructDefinition{sibling, found} : StructDefinition{};
}

// Decodes values from a property's bytes. Top-level values are in the form the
// tag reader stored them; struct members are in their serialized form, where
// object and name references are compact indexes, booleans one byte and
// strings sized.
class ValueDecoder {
public:
  // Without an owner a byte value is not named after its enumeration.
  ValueDecoder(TUTPackage& package, TUTObject* owner, ByteReader& data)
      : package_(package), owner_(owner), data_(data) {}

  TUTValueDescription Decode(const std::string& name, std::int32_t type, const std::string& structName, bool member,
                             int depth) {
    TUTValueDescription d;
    d.Name = name;
    d.Type = type;
    switch (type) {
      case PropEnd:
        break;
      case PropByte: {
        const std::uint8_t value = data_.ReadByte();
        d.Value = std::int32_t{value};
        if (owner_) d.TypeText = EnumValueName(*owner_, name, value);
        d.ValueText = d.TypeText.empty() ? std::to_string(value) : d.TypeText;
        break;
      }
      case PropInt: {
        const std::int32_t value = data_.ReadInt32();
        d.Value = value;
        d.ValueText = std::to_string(value);
        break;
      }
      case PropBool: {
        const bool value = member ? data_.ReadByte() != 0 : (data_.ReadInt32() & 0xFF) != 0;
        d.Value = value;
        d.ValueText = value ? "True" : "False";
        break;
      }
      case PropFloat: {
        const double value = data_.ReadFloat();
        d.Value = value;
        d.ValueText = FormatFloat(value);
        break;
      }
      case PropObject:
      case PropClass: {
        const std::int32_t reference = member ? data_.ReadIndex() : data_.ReadInt32();
        d.Value = reference;
        d.TypeText = ObjectText(package_, reference);
        d.ValueText = d.TypeText;
        break;
      }
      case PropName: {
        const std::int32_t index = member ? data_.ReadIndex() : data_.ReadInt32();
        d.Value = index;
        d.TypeText = package_.GetName(index);
        d.ValueText = d.TypeText;
        break;
      }
      case PropString:
      case PropStr: {
        std::string text = member && type == PropStr ? data_.ReadSizedText() : TakeRest();
        while (!text.empty() && text.back() == '\0') text.pop_back();
        d.ValueText = package_.QuoteString(text);
        d.Value = std::move(text);
        break;
      }
      case PropStruct: {
        if (std::optional<std::string> text = DecodeStruct(structName, member, depth)) {
          d.ValueText = *text;
          d.Value = std::move(*text);
        } else {
          d.Name = "unknown";
          d.Type = PropError;
          d.ValueText = "0";
        }
        break;
      }
      default: {
        const std::string rest = TakeRest();
        d.Value = TUTValue::Bytes(rest.begin(), rest.end());
        break;
      }
    }
    return d;
  }

private:
  std::string TakeRest() {
    const std::size_t count = data_.Remaining();
    const auto* bytes = reinterpret_cast<const char*>(data_.Take(count));
    return std::string(bytes, count);
  }

  std::optional<std::string> DecodeStruct(const std::string& structName, bool member, int depth) {
    const std::string kind = ToLowerAscii(structName);
    if (kind == "color") {
      const std::uint8_t* c = data_.Take(4);
      return Format("(R=%d,G=%d,B=%d,A=%d)", c[0], c[1], c[2], c[3]);
    }
    if (kind == "vector") {
      const double x = data_.ReadFloat(), y = data_.ReadFloat(), z = data_.ReadFloat();
      return Floats({{"X", x}, {"Y", y}, {"Z", z}}, ",");
    }
    if (kind == "rotator") {
      const std::int32_t pitch = data_.ReadInt32(), yaw = data_.ReadInt32(), roll = data_.ReadInt32();
      return Format("(Pitch=%d,Yaw=%d,Roll=%d)", pitch, yaw, roll);
    }
    if (kind == "pointregion") {
      const std::int32_t zone = member ? data_.ReadIndex() : data_.ReadInt32();
      const std::int32_t leaf = data_.ReadInt32();
      const std::int32_t zoneNumber = member ? data_.ReadByte() : data_.ReadInt32();
      return "(Zone=" + ObjectText(package_, zone) + Format(", iLeaf=%d, ZoneNumber=%d)", leaf, zoneNumber);
    }
    if (kind == "scale") {
      const double x = data_.ReadFloat(), y = data_.ReadFloat(), z = data_.ReadFloat(), rate = data_.ReadFloat();
      const std::uint8_t axis = data_.ReadByte();
      std::string text = Floats({{"X", x}, {"Y", y}, {"Z", z}, {"SheerRate", rate}}, ", ");
      text.pop_back();
      return text + ", SheerAxis=" + GetKnownEnumValue("ESheerAxis", axis) + ")";
    }
    if (kind == "plane" || kind == "sphere") {
      const double x = data_.ReadFloat(), y = data_.ReadFloat(), z = data_.ReadFloat(), w = data_.ReadFloat();
      return Floats({{"X", x}, {"Y", y}, {"Z", z}, {"W", w}}, ", ");
    }
    if (kind == "adrop" || kind == "aspark") {
      const std::uint8_t* b = data_.Take(8);
      const std::string type = GetKnownEnumValue(kind == "adrop" ? "EDropType" : "ESparkType", b[0]);
      return "(Type=" + type +
             Format(", Heat=%d, X=%d, Y=%d, XSpeed=%d, YSpeed=%d, Age=%d, ExpTime=%d)", b[1], b[2], b[3], b[4], b[5],
                    b[6], b[7]);
    }
    if (depth >= MaxStructDepth) return std::nullopt;
    const StructDefinition definition = FindStructDefinition(package_, structName);
    if (!definition.package) return std::nullopt;
    return DecodeMembers(definition, depth);
  }

  // "(" name "=" value, ... ")" over the members of a struct definition.
  std::string DecodeMembers(const StructDefinition& definition, int depth) {
    TUTPackage& package = *definition.package;
    auto* structReader = dynamic_cast<TUTObjectClassStruct*>(&package.GetExport(definition.exportIndex)->Object());
    if (!structReader) return "()";
    std::int32_t member;
    {
      TUTObjectUse use(*structReader);
      member = structReader->Children();
    }
    ValueDecoder inner(package, owner_ && &owner_->Package() == &package ? owner_ : nullptr, data_);
    std::string text = "(";
    std::set<std::int32_t> seen;
    while (member > 0 && seen.insert(member).second) {
      TUTExportTableObjectData* entry = package.GetExport(member - 1);
      if (!entry) break;
      auto* property = dynamic_cast<TUTObjectClassProperty*>(&entry->Object());
      if (!property) break;
      TUTObjectUse use(*property);
      const std::int32_t type = TypeCodeOfPropertyClass(entry->ClassName());
      if (!IsSerializedMemberType(type)) {
        // Containers have no fixed serialized form here; what follows cannot be placed.
        text += (text.size() > 1 ? ", " : "") + entry->ObjectName() + "=?";
        break;
      }
      const std::string memberType = type == PropStruct ? property->TypeText() : std::string();
      const int elements = std::max<int>(property->ArrayDim(), 1);
      for (int i = 0; i < elements; ++i) {
        const std::string name = elements > 1 ? entry->ObjectName() + "[" + std::to_string(i) + "]" : entry->ObjectName();
        if (text.size() > 1) text += ", ";
        text += name + "=" + inner.Decode(name, type, memberType, true, depth + 1).ValueText;
      }
      member = property->Next();
    }
    return text + ")";
  }

  TUTPackage& package_;
  TUTObject* owner_;
  ByteReader& data_;
};

}  // namespace

std::string ObjectText(const TUTPackage& package, std::int32_t reference) {
  if (reference == 0) return "None";
  std::string className = package.ClassNameOf(reference);
  if (className.empty()) className = "Class";
  return className + "'" + package.GetObjectPath(reference) + "'";
}

namespace {

TUTValueDescription Describe(const TUTProperty& property, bool nameEnumerations) {
  if (!property.Valid || !property.Package) {
    TUTValueDescription d;
    d.Value = std::string("0");
    d.ValueText = "0";
    return d;
  }
  ByteReader data(property.Data);
  ValueDecoder decoder(*property.Package, nameEnumerations ? property.Owner : nullptr, data);
  return decoder.Decode(property.Name, property.PropType, property.StructName, false, 0);
}

}  // namespace

TUTValueDescription DescribeValue(const TUTProperty& property) { return Describe(property, true); }

TUTValue PropertyValue(const TUTProperty& property) { return Describe(property, false).Value; }

}  // namespace unrealpkg
