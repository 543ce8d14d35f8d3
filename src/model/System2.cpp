#include "model/System2.h"

#include <cmath>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/DecimalText.h"

namespace model {

int FindNthOccurrence(int n, std::string_view sub, std::string_view s) {
  if (n < 0 || sub.empty()) return 0;
  std::size_t from = 0;
  for (int found = 0;; ++found) {
    const std::size_t at = s.find(sub, from);
    if (at == std::string_view::npos) return 0;
    if (found == n) return static_cast<int>(at) + 1;
    from = at + sub.size();
  }
}

std::string GetDelimitedField(std::string_view s, char delimiter, int index) {
  if (index < 0) return {};
  std::size_t start = 0;
  for (int i = 0; i < index; ++i) {
    const std::size_t at = s.find(delimiter, start);
    if (at == std::string_view::npos) return {};
    start = at + 1;
  }
  const std::size_t end = s.find(delimiter, start);
  return std::string(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string GetRestAfterField(std::string_view s, char delimiter, int index) {
  if (index < 0) return {};
  std::size_t start = 0;
  for (int i = 0; i <= index; ++i) {
    const std::size_t at = s.find(delimiter, start);
    if (at == std::string_view::npos) return {};
    start = at + 1;
  }
  return std::string(s.substr(start));
}

void SplitToList(std::string_view s, std::string_view delimiter, std::vector<std::string>& list) {
  if (delimiter.empty()) {
    list.emplace_back(s);
    return;
  }
  std::size_t start = 0;
  for (std::size_t at = s.find(delimiter); at != std::string_view::npos; at = s.find(delimiter, start)) {
    list.emplace_back(s.substr(start, at - start));
    start = at + delimiter.size();
  }
  list.emplace_back(s.substr(start));
}

double RaisePower(double base, double exponent) { return base == 0 ? 0.0 : std::exp(exponent * std::log(base)); }

double DecimalOrDefault(std::string_view text, double defaultValue) {
  if (platform::Trim(text).empty()) return defaultValue;
  if (const auto value = platform::ParseDecimal(text)) return *value;
  throw std::runtime_error("\"" + std::string(text) + "\" is not a valid number");
}

}  // namespace model
