#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cli {

// A mistake in how the command was called; the message is shown with the usage hint.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The words after the subcommand: options ("--json", "--frame 3", "--frame=3") and positionals.
class Arguments {
public:
  // `valued` lists the options that take a value; any other "--x" is a flag.
  Arguments(const std::vector<std::string>& words, const std::vector<std::string>& flags,
            const std::vector<std::string>& valued);

  bool Has(const std::string& flag) const;
  std::optional<std::string> Value(const std::string& option) const;
  std::optional<int> IntValue(const std::string& option) const;
  const std::vector<std::string>& Positionals() const { return positionals_; }
  // Exactly `min` to `max` positionals, else a usage error.
  void ExpectPositionals(std::size_t min, std::size_t max) const;

private:
  std::vector<std::string> flags_;
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> positionals_;
};

}  // namespace cli
