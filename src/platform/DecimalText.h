#pragma once

#include <optional>
#include <string_view>

namespace platform {

// A decimal number as settings and definitions write it: "." and "," both stand
// for the decimal point, whatever the locale; surrounding blanks are ignored.
// nullopt for an empty text or one that is not a number.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace platform
