#include "unrealpkg/TUTValue.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace unrealpkg {

namespace {

[[noreturn]] void FailConversion(const TUTValue& value, const char* target) {
  throw std::runtime_error("Cannot convert the value " + value.ToText() + " to " + target);
}

}  // namespace

std::string FormatFloat(double value) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

std::int32_t TUTValue::ToInteger() const {
  if (const auto* i = std::get_if<std::int32_t>(&value_)) return *i;
  if (const auto* b = std::get_if<bool>(&value_)) return *b ? 1 : 0;
  if (const auto* f = std::get_if<double>(&value_)) {
    if (!std::isfinite(*f) || *f < INT32_MIN || *f > INT32_MAX) FailConversion(*this, "an integer");
    return static_cast<std::int32_t>(std::lround(*f));
  }
  if (const auto* s = std::get_if<std::string>(&value_)) {
    std::int32_t result = 0;
    const auto [end, error] = std::from_chars(s->data(), s->data() + s->size(), result);
    if (error != std::errc() || end != s->data() + s->size()) FailConversion(*this, "an integer");
    return result;
  }
  FailConversion(*this, "an integer");
}

bool TUTValue::ToBoolean() const {
  if (const auto* b = std::get_if<bool>(&value_)) return *b;
  if (const auto* s = std::get_if<std::string>(&value_)) {
    if (*s == "True" || *s == "true") return true;
    if (*s == "False" || *s == "false") return false;
  }
  if (IsBytes()) FailConversion(*this, "a boolean");
  return ToFloat() != 0.0;
}

double TUTValue::ToFloat() const {
  if (const auto* f = std::get_if<double>(&value_)) return *f;
  if (const auto* i = std::get_if<std::int32_t>(&value_)) return *i;
  if (const auto* b = std::get_if<bool>(&value_)) return *b ? 1.0 : 0.0;
  if (const auto* s = std::get_if<std::string>(&value_)) {
    double result = 0;
    const auto [end, error] = std::from_chars(s->data(), s->data() + s->size(), result);
    if (error != std::errc() || end != s->data() + s->size()) FailConversion(*this, "a number");
    return result;
  }
  FailConversion(*this, "a number");
}

std::string TUTValue::ToText() const {
  if (const auto* i = std::get_if<std::int32_t>(&value_)) return std::to_string(*i);
  if (const auto* b = std::get_if<bool>(&value_)) return *b ? "True" : "False";
  if (const auto* f = std::get_if<double>(&value_)) return FormatFloat(*f);
  if (const auto* s = std::get_if<std::string>(&value_)) return *s;
  const auto& bytes = std::get<Bytes>(value_);
  return "(" + std::to_string(bytes.size()) + " bytes)";
}

}  // namespace unrealpkg
