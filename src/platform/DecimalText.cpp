#include "platform/DecimalText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace platform {

std::optional<double> ParseDecimal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  std::string normal(text);
  for (char& c : normal)
    if (c == ',') c = '.';
  double value = 0;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (error != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace platform
