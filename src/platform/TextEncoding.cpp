#include "platform/TextEncoding.h"

#include <cstdint>
#include <cstdio>

namespace platform {

namespace {

// Code points of bytes 0x80 to 0x9F; the five bytes Windows-1252 leaves undefined keep their C1 value.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte that holds a code point in Windows-1252, or -1.
int Windows1252Byte(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint < 0x100)) return static_cast<int>(codePoint);
  for (int i = 0; i < 32; ++i)
    if (HighControls[i] == codePoint) return 0x80 + i;
  return -1;
}

void AppendEscape(std::string& out, char32_t codePoint) {
  char text[16];
  if (codePoint < 0x10000)
    std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(codePoint));
  else
    std::snprintf(text, sizeof text, "\\U%08X", static_cast<unsigned>(codePoint));
  out += text;
}

}  // namespace

void AppendUtf8(std::string& out, char16_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

std::string Windows1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<std::uint8_t>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? HighControls[byte - 0x80] : char16_t{byte});
  }
  return out;
}

std::string Utf16ToWindows1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t codePoint = text[i];
    // A surrogate pair is one character; a lone surrogate gets an escape of its own.
    if (codePoint >= 0xD800 && codePoint < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000)
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[++i] - 0xDC00);
    const int byte = Windows1252Byte(codePoint);
    if (byte >= 0)
      out += static_cast<char>(byte);
    else
      AppendEscape(out, codePoint);
  }
  return out;
}

}  // namespace platform
