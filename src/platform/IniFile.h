#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// An INI document held in memory, with the semantics the program's settings,
// model definitions and projects need: sections and keys keep file order,
// section and key names match without regard to letter case, values are
// single-byte text taken as they stand (surrounding blanks removed), booleans
// are written "1"/"0" and read as integers, decimals are read with "." or ",".
class IniFile {
public:
  IniFile();
  ~IniFile();
  IniFile(IniFile&&) noexcept;
  IniFile& operator=(IniFile&&) noexcept;
  IniFile(const IniFile&);
  IniFile& operator=(const IniFile&);

  // A missing file gives an empty document; a file that cannot be read is an
  // error naming it.
  static IniFile Load(const std::filesystem::path& path);
  static IniFile Parse(std::string_view text);

  std::vector<std::string> Sections() const;
  bool HasSection(std::string_view section) const;
  // The key/value lines of a section in file order, repeated keys included.
  std::vector<std::pair<std::string, std::string>> SectionLines(std::string_view section) const;
  // The first value of the key; nullopt when the section or key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // A missing key or a value that is not an integer gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  // "." and "," both stand for the decimal point; a missing or empty value gives
  // the default; a value that is not a number is an error naming section and key.
  double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

  // Changes the key's first value where it stands, or appends the key to its
  // section (and the section to the document) when missing. Names and values
  // lose surrounding blanks; text that would not read back the same (a line
  // break, "]" in a section name, "=" in a key, a key that reads as a comment)
  // is an error.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // The shortest text that reads back as the same single-precision value, with ".".
  void WriteFloat(std::string_view section, std::string_view key, float value);
  // Appends an empty section when the document has none of that name.
  void AddSection(std::string_view section);
  void EraseSection(std::string_view section);
  // Removes every line of the key, repeated ones included.
  void DeleteKey(std::string_view section, std::string_view key);

  // "[Section]" and "key=value" lines with Windows line ends, a blank line
  // between sections.
  std::string ToText() const;
  // Writes ToText() atomically (write beside, then rename).
  void Save(const std::filesystem::path& path) const;

private:
  struct Document;
  std::unique_ptr<Document> document_;
};

}  // namespace platform
