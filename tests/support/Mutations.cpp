#include "support/Mutations.h"

#include <algorithm>
#include <cstdlib>

namespace testsupport {

std::uint64_t Random::Next() {
  state_ += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

ByteSpan Mutate(std::vector<std::uint8_t>& bytes, Random& random, const std::vector<ByteSpan>& regions,
                const std::vector<std::size_t>& fields) {
  static const std::vector<std::vector<std::uint8_t>> hostile = {
      {0x7F, 0xFF, 0xFF, 0xFF, 0x0F}, {0xFF, 0xFF, 0xFF, 0x7F}, {0x81}, {0x00, 0x00, 0x00, 0x80}, {0xFF, 0xFF},
      {'['}, {']'}, {'='}, {'\r', '\n'}, {0}, {'#'}, {'\\', '\\'}, {0xC0}};
  const ByteSpan everything{0, bytes.size()};
  if (bytes.empty()) return everything;
  const std::vector<std::uint8_t>& value = hostile[random.Below(hostile.size())];
  switch (random.Below(6)) {
    case 0:
      bytes.resize(random.Below(bytes.size()));
      return everything;
    case 1: {
      if (fields.empty()) break;
      const std::size_t field = fields[random.Below(fields.size())];
      for (std::size_t i = 0; i < value.size() && field + i < bytes.size(); ++i) bytes[field + i] = value[i];
      return everything;
    }
    case 2: {
      const std::size_t at = random.Below(bytes.size());
      for (std::size_t i = 0; i < value.size() && at + i < bytes.size(); ++i) bytes[at + i] = value[i];
      return {at, at + value.size()};
    }
    case 3: {
      const std::size_t at = random.Below(bytes.size() + 1);
      const std::size_t copies = 1 + random.Below(random.Below(2) ? 3 : 5000);
      for (std::size_t n = 0; n < copies; ++n) bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), value.begin(), value.end());
      return everything;
    }
    case 4: {
      if (regions.empty()) break;
      const ByteSpan& region = regions[random.Below(regions.size())];
      if (region.end <= region.begin || region.end > bytes.size()) break;
      const std::size_t at = region.begin + random.Below(std::min<std::size_t>(region.end - region.begin, 96));
      bytes[at] ^= static_cast<std::uint8_t>(1 + random.Below(255));
      return {at, at + 1};
    }
    default:
      break;
  }
  ByteSpan touched{bytes.size(), 0};
  for (std::size_t n = 1 + random.Below(4); n > 0; --n) {
    const std::size_t at = random.Below(bytes.size());
    bytes[at] ^= static_cast<std::uint8_t>(1 + random.Below(255));
    touched = {std::min(touched.begin, at), std::max(touched.end, at + 1)};
  }
  return touched;
}

bool IsInternalError(const std::string& message) {
  for (const char* internal : {"std::bad_alloc", "vector::", "basic_string", "Invalid bitmap size", "stoi", "stod"})
    if (message.find(internal) != std::string::npos) return true;
  return false;
}

int MutationsPerFile(int usual) {
  const char* configured = std::getenv("MARBELLE_MUTATIONS_PER_FILE");
  return configured ? std::max(1, std::atoi(configured)) : usual;
}

}  // namespace testsupport
