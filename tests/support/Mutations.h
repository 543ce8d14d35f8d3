#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A fixed sequence, so every run replays the same mutations.
class Random {
public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(Next() % n); }

private:
  std::uint64_t state_;
};

struct ByteSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Damages a copy of a file: truncation, flipped bytes, hostile values (huge
// and negative counts, stray brackets, line breaks and zeros) written over it
// or inserted, at random places, in `regions` (the likeliest to be trusted) or
// in the four-byte `fields` of a header. Returns the bytes touched; the whole
// file when its length or a header field changed.
ByteSpan Mutate(std::vector<std::uint8_t>& bytes, Random& random, const std::vector<ByteSpan>& regions = {},
                const std::vector<std::size_t>& fields = {});

// Whether an error message comes from the standard library or a broken
// invariant rather than from a reader that noticed the damage.
bool IsInternalError(const std::string& message);

// How many mutations a test replays per seed file; MARBELLE_MUTATIONS_PER_FILE
// changes it for longer runs.
int MutationsPerFile(int usual);

}  // namespace testsupport
