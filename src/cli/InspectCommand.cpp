#include <algorithm>
#include <cstdio>
#include <iomanip>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "platform/TextEncoding.h"
#include "unrealpkg/DescribeValue.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureDecoding.h"
#include "unrealpkg/TextureObjects.h"

namespace cli {

namespace {

using unrealpkg::TUTPackage;

std::string Hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string GuidText(const unrealpkg::TUTGuid& guid) {
  std::string text;
  for (int part = 0; part < 4; ++part) {
    char chunk[16];
    const std::uint8_t* b = guid.data() + part * 4;
    std::snprintf(chunk, sizeof chunk, "%s%02X%02X%02X%02X", part ? "-" : "", b[3], b[2], b[1], b[0]);
    text += chunk;
  }
  return text;
}

// Left-aligned columns sized to their widest cell.
class Table {
public:
  explicit Table(std::vector<std::string> header) { rows_.push_back(std::move(header)); }
  void Add(std::vector<std::string> row) { rows_.push_back(std::move(row)); }
  void Print(std::ostream& out) const {
    std::vector<std::size_t> widths(rows_.front().size(), 0);
    for (const auto& row : rows_)
      for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (const auto& row : rows_) {
      std::string line = " ";
      for (std::size_t c = 0; c < row.size(); ++c) {
        line += ' ' + row[c];
        if (c + 1 < row.size()) line += std::string(widths[c] - row[c].size() + 1, ' ');
      }
      out << platform::Windows1252ToUtf8(line) << '\n';
    }
  }

private:
  std::vector<std::vector<std::string>> rows_;
};

std::string FormatName(std::int32_t format) {
  switch (format) {
    case unrealpkg::TextureFormatP8: return "P8";
    case unrealpkg::TextureFormatDxt1: return "DXT1";
    case unrealpkg::TextureFormatDxt5: return "DXT5";
    default: return "format " + std::to_string(format);
  }
}

// A texture's mipmap chains: the 8-bit one every client reads and the compressed one newer clients prefer.
struct TextureChains {
  std::string Path;
  std::string Problem;
  std::int32_t Format = 0;
  std::vector<unrealpkg::TUTMipmap> Levels;
  std::int32_t CompFormat = 0;
  std::vector<unrealpkg::TUTMipmap> CompressedLevels;
};

std::vector<TextureChains> ReadTextureChains(TUTPackage& package) {
  std::vector<TextureChains> textures;
  unrealpkg::TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto* texture = dynamic_cast<unrealpkg::TUTObjectClassTexture*>(&package.GetExport(i)->Object());
    if (!texture) continue;
    TextureChains chains;
    chains.Path = package.GetObjectPath(i + 1);
    try {
      unrealpkg::TUTObjectUse use(*texture);
      chains.Format = texture->Format();
      chains.CompFormat = texture->CompFormat();
      for (int level = 0; level < texture->MipCount(); ++level) chains.Levels.push_back(texture->GetMip(level));
      for (int level = 0; level < texture->CompressedMipCount(); ++level)
        chains.CompressedLevels.push_back(texture->GetCompressedMip(level));
    } catch (const std::exception& e) {
      chains.Problem = e.what();
    }
    textures.push_back(std::move(chains));
  }
  return textures;
}

std::string ChainText(std::int32_t format, const std::vector<unrealpkg::TUTMipmap>& levels) {
  if (levels.empty()) return "";
  return FormatName(format) + " " + std::to_string(levels.front().USize) + "x" + std::to_string(levels.front().VSize) +
         " (" + std::to_string(levels.size()) + " levels)";
}

void PrintText(TUTPackage& package, std::ostream& out) {
  out << "File:           " << package.FileName().string() << '\n'
      << "Version:        " << package.Version() << '\n'
      << "Licensee mode:  " << package.LicenseeMode() << '\n'
      << "Package flags:  " << Hex32(package.PackageFlags()) << '\n';
  if (package.Version() >= 68) {
    out << "GUID:           " << (package.Guids().empty() ? "" : GuidText(package.Guids().front())) << '\n'
        << "Generations:   ";
    for (const auto& generation : package.Generations())
      out << " (" << generation.ExportCount << " exports, " << generation.NameCount << " names)";
    out << '\n';
  } else {
    out << "Heritage:       " << package.Guids().size() << " GUIDs\n";
  }

  out << "\nNames (" << package.NameCount() << ")\n";
  Table names({"index", "flags", "name"});
  for (int i = 0; i < package.NameCount(); ++i)
    names.Add({std::to_string(i), Hex32(package.Names()[static_cast<std::size_t>(i)].Flags), package.GetName(i)});
  names.Print(out);

  out << "\nImports (" << package.ImportCount() << ")\n";
  Table imports({"index", "class package", "class", "object path"});
  for (int i = 0; i < package.ImportCount(); ++i) {
    const auto* entry = package.GetImport(i);
    imports.Add({std::to_string(i), entry->ClassPackage(), entry->ClassName(), package.GetObjectPath(-(i + 1))});
  }
  imports.Print(out);

  out << "\nExports (" << package.ExportCount() << ")\n";
  Table exports({"index", "class", "object path", "flags", "size", "offset"});
  for (int i = 0; i < package.ExportCount(); ++i) {
    const auto* entry = package.GetExport(i);
    const std::string className = entry->ClassName();
    exports.Add({std::to_string(i), className.empty() ? "Class" : className, package.GetObjectPath(i + 1),
                 Hex32(entry->ObjectFlags), std::to_string(entry->SerialSize), std::to_string(entry->SerialOffset)});
  }
  exports.Print(out);

  const std::vector<TextureChains> textures = ReadTextureChains(package);
  if (textures.empty()) return;
  out << "\nTextures (" << textures.size() << ")\n";
  Table table({"object path", "mipmaps", "compressed mipmaps"});
  for (const TextureChains& texture : textures)
    table.Add({texture.Path, texture.Problem.empty() ? ChainText(texture.Format, texture.Levels) : texture.Problem,
               ChainText(texture.CompFormat, texture.CompressedLevels)});
  table.Print(out);
}

void ChainJson(JsonWriter& json, const char* key, std::int32_t format, const std::vector<unrealpkg::TUTMipmap>& levels) {
  json.Key(key).BeginObject().Field("format", format).Field("formatName", FormatName(format));
  json.Key("levels").BeginArray();
  for (const unrealpkg::TUTMipmap& level : levels)
    json.BeginObject()
        .Field("width", level.USize)
        .Field("height", level.VSize)
        .Field("dataSize", level.DataSize)
        .EndObject();
  json.EndArray().EndObject();
}

void PrintJson(TUTPackage& package, std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject()
      .Field("version", package.Version())
      .Field("licenseeMode", package.LicenseeMode())
      .Field("packageFlags", package.PackageFlags());
  json.Key("names").BeginArray();
  for (const auto& name : package.Names()) json.String(name.Text);
  json.EndArray();
  json.Key("imports").BeginArray();
  for (int i = 0; i < package.ImportCount(); ++i) {
    const auto* entry = package.GetImport(i);
    json.BeginObject()
        .Field("classPackage", entry->ClassPackage())
        .Field("className", entry->ClassName())
        .Field("packagePath", entry->PackagePath())
        .Field("objectName", entry->ObjectName())
        .EndObject();
  }
  json.EndArray();
  json.Key("exports").BeginArray();
  for (int i = 0; i < package.ExportCount(); ++i) {
    const auto* entry = package.GetExport(i);
    json.BeginObject()
        .Field("index", i)
        .Field("className", entry->ClassName())
        .Field("objectName", entry->ObjectName())
        .Field("packagePath", entry->PackagePath())
        .Field("objectFlags", entry->ObjectFlags)
        .Field("serialSize", entry->SerialSize)
        .Field("serialOffset", entry->SerialOffset)
        .EndObject();
  }
  json.EndArray();
  json.Key("textures").BeginArray();
  for (const TextureChains& texture : ReadTextureChains(package)) {
    json.BeginObject().Field("objectPath", texture.Path).Field("problem", texture.Problem);
    ChainJson(json, "mipmaps", texture.Format, texture.Levels);
    ChainJson(json, "compressedMipmaps", texture.CompFormat, texture.CompressedLevels);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

struct PropertyLine {
  std::string object;
  std::string name;
  std::int32_t arrayIndex;
  std::int32_t type;
  std::string typeName;
  std::string typeText;
  std::string value;
};

std::vector<PropertyLine> CollectProperties(TUTPackage& package, const std::string& objectName) {
  std::vector<PropertyLine> lines;
  bool found = false;
  unrealpkg::TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto& entry = *package.GetExport(i);
    if (!unrealpkg::EqualsIgnoreCase(entry.ObjectName(), objectName)) continue;
    found = true;
    unrealpkg::TUTObject& object = entry.Object();
    unrealpkg::TUTObjectUse use(object);
    const std::string path = unrealpkg::ObjectText(package, i + 1);
    for (const auto& property : object.Properties()) {
      if (property->PropType == unrealpkg::PropEnd) continue;
      const unrealpkg::TUTValueDescription d = unrealpkg::DescribeValue(*property);
      const bool isError = property->PropType == unrealpkg::PropError;
      std::string typeName(unrealpkg::PropertyTypeName(property->PropType));
      if (property->PropType == unrealpkg::PropStruct) typeName = property->StructName;
      lines.push_back({path, property->Name, property->ArrayIndex, property->PropType, typeName, d.TypeText,
                       isError ? property->StructName : d.ValueText});
    }
  }
  if (!found) throw std::runtime_error(package.FileName().string() + ": no export is named \"" + objectName + "\"");
  return lines;
}

void PrintProperties(TUTPackage& package, const std::string& objectName, bool asJson, std::ostream& out) {
  const std::vector<PropertyLine> lines = CollectProperties(package, objectName);
  if (asJson) {
    JsonWriter json(out);
    json.BeginArray();
    for (const auto& line : lines)
      json.BeginObject()
          .Field("object", line.object)
          .Field("name", line.name)
          .Field("arrayIndex", line.arrayIndex)
          .Field("type", line.type)
          .Field("typeText", line.typeText)
          .Field("value", line.value)
          .EndObject();
    json.EndArray();
    return;
  }
  std::string object;
  for (const auto& line : lines) {
    if (line.object != object) {
      object = line.object;
      out << "# " << platform::Windows1252ToUtf8(object) << '\n';
    }
    out << platform::Windows1252ToUtf8(line.name + "[" + std::to_string(std::max(line.arrayIndex, 0)) + "] " +
                                       line.typeName + " = " + line.value)
        << '\n';
  }
}

}  // namespace

int RunInspect(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--json"}, {"--properties"});
  args.ExpectPositionals(1, 1);
  TUTPackage package(args.Positionals()[0]);
  if (const auto objectName = args.Value("--properties"))
    PrintProperties(package, *objectName, args.Has("--json"), out);
  else if (args.Has("--json"))
    PrintJson(package, out);
  else
    PrintText(package, out);
  return 0;
}

}  // namespace cli
