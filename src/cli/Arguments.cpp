#include "cli/Arguments.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

Arguments::Arguments(const std::vector<std::string>& words, const std::vector<std::string>& flags,
                     const std::vector<std::string>& valued) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
      positionals_.push_back(word);
      continue;
    }
    const auto equals = word.find('=');
    const std::string name = word.substr(0, equals);
    if (Contains(valued, name)) {
      if (equals != std::string::npos) {
        values_.emplace_back(name, word.substr(equals + 1));
      } else if (i + 1 < words.size()) {
        values_.emplace_back(name, words[++i]);
      } else {
        throw UsageError("the option " + name + " needs a value");
      }
    } else if (Contains(flags, word)) {
      flags_.push_back(word);
    } else {
      throw UsageError("unknown option " + word);
    }
  }
}

bool Arguments::Has(const std::string& flag) const { return Contains(flags_, flag); }

std::optional<std::string> Arguments::Value(const std::string& option) const {
  for (auto it = values_.rbegin(); it != values_.rend(); ++it)
    if (it->first == option) return it->second;
  return std::nullopt;
}

std::optional<int> Arguments::IntValue(const std::string& option) const {
  const std::optional<std::string> text = Value(option);
  if (!text) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc() || end != text->data() + text->size())
    throw UsageError("the option " + option + " needs a whole number, not \"" + *text + "\"");
  return value;
}

void Arguments::ExpectPositionals(std::size_t min, std::size_t max) const {
  if (positionals_.size() < min) throw UsageError("missing arguments");
  if (positionals_.size() > max) throw UsageError("unexpected argument \"" + positionals_[max] + "\"");
}

}  // namespace cli
