#pragma once

#include <string>
#include <string_view>

namespace platform {

// Letter case as the game's names and the INI files fold it: ASCII A-Z only,
// so single-byte text of any code page compares the same everywhere.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
// Without surrounding blanks, tabs and line ends.
std::string Trim(std::string_view text);

}  // namespace platform
