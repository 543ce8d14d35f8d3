#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace model {

// 1-based position in `s` of occurrence n + 1 of `sub` (n = 0 finds the first;
// occurrences do not overlap), or 0 when `s` holds fewer or n is negative.
int FindNthOccurrence(int n, std::string_view sub, std::string_view s);
// Field `index` (0-based, untrimmed) of `s` split at `delimiter`: the whole of
// `s` for index 0 without a delimiter, empty past the last field.
std::string GetDelimitedField(std::string_view s, char delimiter, int index);
// Everything after delimiter number index + 1, or empty.
std::string GetRestAfterField(std::string_view s, char delimiter, int index);
// Appends the pieces of `s` split at every `delimiter` to `list`, empty pieces
// kept (an empty `s` adds one).
void SplitToList(std::string_view s, std::string_view delimiter, std::vector<std::string>& list);
// exp(exponent * ln(base)); 0 for base 0.
double RaisePower(double base, double exponent);
// A decimal setting: "." or "," as the point, the default for an empty text; a
// text that is not a number is an error quoting it.
double DecimalOrDefault(std::string_view text, double defaultValue);

}  // namespace model
