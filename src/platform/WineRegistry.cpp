#include "platform/WineRegistry.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "platform/AsciiText.h"
#include "platform/FileContents.h"
#include "platform/ProgramHome.h"
#include "platform/TextEncoding.h"

namespace platform {

namespace {

constexpr std::string_view Signature = "WINE REGISTRY Version 2";
constexpr std::string_view ClassesRoot = "Software\\Classes\\";

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 16;
}

// Up to `maximum` digits of the base at `position`, as a code point.
std::optional<char16_t> ReadCode(std::string_view text, std::size_t& position, int base, int maximum) {
  int code = 0;
  int digits = 0;
  for (; digits < maximum && position < text.size(); ++digits, ++position) {
    const int digit = DigitValue(text[position]);
    if (digit >= base) break;
    code = code * base + digit;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<char16_t>(code);
}

// Wine's escaped text from `position` up to the unescaped `end` character,
// which is consumed; nullopt when the line ends first. Non-ASCII characters
// become UTF-8, the encoding of the prefix's file names.
std::optional<std::string> Unescape(std::string_view text, std::size_t& position, char end) {
  std::string out;
  while (position < text.size()) {
    const char c = text[position++];
    if (c == end) return out;
    if (c != '\\' || position == text.size()) {
      out += c;
      continue;
    }
    const char escaped = text[position++];
    switch (escaped) {
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'e': out += '\x1b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'v': out += '\v'; break;
      case 'x':
        if (const auto code = ReadCode(text, position, 16, 4))
          AppendUtf8(out, *code);
        else
          out += 'x';
        break;
      default:
        if (escaped >= '0' && escaped <= '7') {
          --position;
          AppendUtf8(out, *ReadCode(text, position, 8, 3));
        } else {
          out += escaped;
        }
    }
  }
  return std::nullopt;
}

// The text of a default-value line (@="..." or @=str(2):"..."); nullopt for
// values of other types.
std::optional<std::string> DefaultValueOf(std::string_view line) {
  line.remove_prefix(2);
  if (line.starts_with("str(2):")) line.remove_prefix(7);
  if (!line.starts_with('"')) return std::nullopt;
  std::size_t position = 1;
  return Unescape(line, position, '"');
}

}  // namespace

WineRegistry::WineRegistry(const std::filesystem::path& systemReg) {
  std::string text;
  try {
    text = ReadFileContents(systemReg).value_or("");
  } catch (const std::runtime_error&) {
    // A prefix made by another user (say, root) must not stop the detection.
    return;
  }
  std::string* current = nullptr;
  bool first = true;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (std::exchange(first, false)) {
      if (line != Signature) return;
      continue;
    }
    if (line.starts_with('[')) {
      std::size_t position = 1;
      const auto name = Unescape(line, position, ']');
      current = name && StartsWithIgnoreCase(*name, ClassesRoot)
                    ? &defaults_[ToLowerAscii(CanonicalKeyPath(name->substr(ClassesRoot.size())))]
                    : nullptr;
    } else if (current && line.starts_with("@=")) {
      if (const auto value = DefaultValueOf(line)) *current = *value;
    }
  }
}

std::optional<std::string> WineRegistry::ReadDefaultValue(std::string_view key) const {
  const auto found = defaults_.find(ToLowerAscii(CanonicalKeyPath(key)));
  if (found == defaults_.end()) return std::nullopt;
  return found->second;
}

bool WineRegistry::CreateKey(std::string_view key) { return ReadDefaultValue(key).has_value(); }

bool WineRegistry::WriteDefaultValue(std::string_view, std::string_view) { return false; }

std::filesystem::path WinePrefix() {
  const char* prefix = std::getenv("WINEPREFIX");
  return prefix && *prefix ? std::filesystem::path(prefix) : HomeDirectory() / ".wine";
}

}  // namespace platform
