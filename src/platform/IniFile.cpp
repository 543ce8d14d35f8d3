#include "platform/IniFile.h"

// Bytes as they stand: single-byte text needs no Unicode conversion. Debian
// keeps the template's definitions behind SI_IMPLEMENTATION (for its ICU
// library build); this is the only file that includes the header.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <span>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/AtomicFile.h"
#include "platform/DecimalText.h"
#include "platform/FileContents.h"

namespace platform {

using Line = std::pair<std::string, std::string>;

struct IniFile::Document {
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };
  std::vector<Section> sections;
  // Named in error messages; empty for parsed text.
  std::filesystem::path origin;

  static Document Parse(std::string_view text, const std::filesystem::path& origin);
};

namespace {

template <typename Items, typename NameOf>
auto FindByName(Items& items, std::string_view name, NameOf nameOf) -> decltype(&*items.begin()) {
  const auto found =
      std::find_if(items.begin(), items.end(), [&](const auto& item) { return EqualsIgnoreCase(nameOf(item), name); });
  return found == items.end() ? nullptr : &*found;
}

template <typename Sections>
auto FindSection(Sections& sections, std::string_view name) {
  return FindByName(sections, name, [](const auto& section) -> const std::string& { return section.name; });
}

template <typename Lines>
auto FindLine(Lines& lines, std::string_view key) {
  return FindByName(lines, key, [](const Line& line) -> const std::string& { return line.first; });
}

std::optional<int> ParseInteger(std::string_view text) {
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// "]" would end the name early.
bool SectionReadsBack(std::string_view name) {
  return !name.empty() && !HasLineBreak(name) && name.find(']') == std::string_view::npos;
}

// "=" would end the key early; a key starting with ";", "#" or "[" reads as a
// comment or a section header.
bool LineReadsBack(std::string_view key, std::string_view value) {
  return !key.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos &&
         key.find_first_of(";#[") != 0 && !HasLineBreak(value);
}

[[noreturn]] void FailToWrite(const std::filesystem::path& origin, const std::string& what) {
  throw std::runtime_error("Cannot write " + what + (origin.empty() ? "" : " into \"" + origin.string() + "\"") +
                           ": it would not read back the same");
}

// SimpleIni stops at a NUL byte, and after a "[" line without "]" it files the
// following keys under a section whose name runs over several lines. NUL bytes
// become line ends and such lines comments, so that damage stays on its line.
std::string Sanitised(std::string_view text) {
  std::string data(text);
  std::replace(data.begin(), data.end(), '\0', '\n');
  for (std::size_t start = 0; start < data.size();) {
    const std::size_t end = std::min(data.find_first_of("\r\n", start), data.size());
    const std::string_view line = std::string_view(data).substr(start, end - start);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first != std::string_view::npos && line[first] == '[' && line.find(']', first) == std::string_view::npos)
      data[start + first] = ';';
    start = end + 1;
  }
  return data;
}

}  // namespace

IniFile::Document IniFile::Document::Parse(std::string_view text, const std::filesystem::path& origin) {
  const std::string data = Sanitised(text);
  CSimpleIniA ini(/*isUtf8=*/false, /*multiKey=*/true, /*multiLine=*/false);
  if (ini.LoadData(data.data(), data.size()) < 0)
    throw std::runtime_error("Cannot read INI text" + (origin.empty() ? "" : " of \"" + origin.string() + "\"") +
                             ": out of memory");

  Document document;
  document.origin = origin;
  CSimpleIniA::TNamesDepend sections;
  ini.GetAllSections(sections);
  sections.sort(CSimpleIniA::Entry::LoadOrder());
  for (const auto& section : sections) {
    // Lines before the first section header belong to no section.
    if (*section.pItem == '\0') continue;
    const CSimpleIniA::TKeyVal& keys = *ini.GetSection(section.pItem);
    std::vector<std::pair<CSimpleIniA::Entry, const char*>> ordered(keys.begin(), keys.end());
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& a, const auto& b) { return CSimpleIniA::Entry::LoadOrder()(a.first, b.first); });
    auto& lines = document.sections.emplace_back(Section{section.pItem, {}}).lines;
    lines.reserve(ordered.size());
    for (const auto& [key, value] : ordered) lines.emplace_back(key.pItem, value);
  }
  return document;
}

IniFile::IniFile() : document_(std::make_unique<Document>()) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::IniFile(const IniFile& other) : document_(std::make_unique<Document>(*other.document_)) {}

IniFile& IniFile::operator=(const IniFile& other) {
  document_ = std::make_unique<Document>(*other.document_);
  return *this;
}

IniFile IniFile::Load(const std::filesystem::path& path) {
  IniFile ini;
  *ini.document_ = Document::Parse(ReadFileContents(path).value_or(""), path);
  return ini;
}

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  *ini.document_ = Document::Parse(text, {});
  return ini;
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  names.reserve(document_->sections.size());
  for (const auto& section : document_->sections) names.push_back(section.name);
  return names;
}

bool IniFile::HasSection(std::string_view section) const {
  return FindSection(document_->sections, section) != nullptr;
}

std::vector<std::pair<std::string, std::string>> IniFile::SectionLines(std::string_view section) const {
  const auto* found = FindSection(document_->sections, section);
  return found ? found->lines : std::vector<Line>{};
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const auto* found = FindSection(document_->sections, section);
  if (!found) return std::nullopt;
  const Line* line = FindLine(found->lines, key);
  if (!line) return std::nullopt;
  return line->second;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
  return Value(section, key).value_or(std::string(defaultValue));
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const auto value = Value(section, key);
  return value ? ParseInteger(*value).value_or(defaultValue) : defaultValue;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::ReadFloat(std::string_view section, std::string_view key, double defaultValue) const {
  const auto value = Value(section, key);
  if (!value || value->empty()) return defaultValue;
  // ParseDecimal reads "," as the decimal point too, whatever the locale.
  if (const auto number = ParseDecimal(*value)) return *number;
  std::string where = "key " + std::string(key) + " in section [" + std::string(section) + "]";
  if (!document_->origin.empty()) where += " of \"" + document_->origin.string() + "\"";
  throw std::runtime_error("\"" + *value + "\" is not a number (" + where + ")");
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sectionName = Trim(section);
  const std::string keyName = Trim(key);
  const std::string text = Trim(value);
  if (!LineReadsBack(keyName, text))
    FailToWrite(document_->origin,
                "\"" + std::string(value) + "\" as key " + keyName + " in section [" + sectionName + "]");
  AddSection(sectionName);
  auto& lines = FindSection(document_->sections, sectionName)->lines;
  if (Line* line = FindLine(lines, keyName))
    line->second = text;
  else
    lines.emplace_back(keyName, text);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, float value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  WriteString(section, key, std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

void IniFile::AddSection(std::string_view section) {
  const std::string name = Trim(section);
  if (!SectionReadsBack(name)) FailToWrite(document_->origin, "section [" + name + "]");
  if (!FindSection(document_->sections, name)) document_->sections.push_back({name, {}});
}

void IniFile::EraseSection(std::string_view section) {
  std::erase_if(document_->sections, [&](const auto& entry) { return EqualsIgnoreCase(entry.name, section); });
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (auto* found = FindSection(document_->sections, section))
    std::erase_if(found->lines, [&](const Line& line) { return EqualsIgnoreCase(line.first, key); });
}

std::string IniFile::ToText() const {
  std::string text;
  for (const auto& section : document_->sections) {
    if (!text.empty()) text += "\r\n";
    text += "[" + section.name + "]\r\n";
    for (const auto& [key, value] : section.lines) text += key + "=" + value + "\r\n";
  }
  return text;
}

void IniFile::Save(const std::filesystem::path& path) const {
  const std::string text = ToText();
  WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace platform
