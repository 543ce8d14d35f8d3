#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace unrealpkg {

// A property value handed out as a variant: integer, boolean, floating point, text or bytes.
class TUTValue {
public:
  using Bytes = std::vector<std::uint8_t>;
  using Storage = std::variant<std::int32_t, bool, double, std::string, Bytes>;

  TUTValue() : value_(std::int32_t{0}) {}
  TUTValue(std::int32_t value) : value_(value) {}
  TUTValue(bool value) : value_(value) {}
  TUTValue(double value) : value_(value) {}
  TUTValue(std::string value) : value_(std::move(value)) {}
  TUTValue(const char* value) : value_(std::string(value)) {}
  TUTValue(Bytes value) : value_(std::move(value)) {}

  const Storage& Raw() const { return value_; }
  bool IsInteger() const { return std::holds_alternative<std::int32_t>(value_); }
  bool IsBoolean() const { return std::holds_alternative<bool>(value_); }
  bool IsFloat() const { return std::holds_alternative<double>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsBytes() const { return std::holds_alternative<Bytes>(value_); }

  // Conversions between the kinds; a text that is not a number, or bytes, cannot
  // become a number and raise an error naming the value.
  std::int32_t ToInteger() const;
  bool ToBoolean() const;
  double ToFloat() const;
  std::string ToText() const;

  friend bool operator==(const TUTValue&, const TUTValue&) = default;

private:
  Storage value_;
};

// Fixed notation with six decimals and "." whatever the locale says.
std::string FormatFloat(double value);

}  // namespace unrealpkg
