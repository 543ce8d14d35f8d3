#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Streams one JSON document with keys in the order they are written. Texts
// come in as Windows-1252 bytes, as packages hold them, and go out as UTF-8.
class JsonWriter {
public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  ~JsonWriter();

  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view text);
  JsonWriter& Number(std::int64_t value);
  // A single-precision value as the shortest text that reads back as the same
  // float (0.1f is 0.1); not a number or an infinity is written as null.
  JsonWriter& Real(float value);
  JsonWriter& Bool(bool value);
  JsonWriter& Field(std::string_view key, std::string_view text) { return Key(key).String(text); }
  JsonWriter& Field(std::string_view key, std::int64_t value) { return Key(key).Number(value); }

private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void NewLine();

  std::ostream& out_;
  std::vector<bool> hasItems_;
  bool afterKey_ = false;
};

}  // namespace cli
