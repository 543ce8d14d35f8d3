#pragma once

#include <string>
#include <string_view>

namespace platform {

// Text in documents and packages is single-byte Windows-1252; displays and JSON want UTF-8.
std::string Windows1252ToUtf8(std::string_view text);
// A code point of the Basic Multilingual Plane as UTF-8.
void AppendUtf8(std::string& out, char16_t codePoint);

}  // namespace platform
