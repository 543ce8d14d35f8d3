#pragma once

#include <string>
#include <string_view>

namespace platform {

// Text in documents and packages is single-byte Windows-1252; displays and JSON want UTF-8.
std::string Windows1252ToUtf8(std::string_view text);
// A code point of the Basic Multilingual Plane as UTF-8.
void AppendUtf8(std::string& out, char16_t codePoint);

// UTF-16 text (newer packages store some strings so) in the single-byte form
// the rest of the text has. A character Windows-1252 cannot hold stays visible
// as "\uXXXX" ("\UXXXXXXXX" beyond the Basic Multilingual Plane).
std::string Utf16ToWindows1252(std::u16string_view text);

}  // namespace platform
