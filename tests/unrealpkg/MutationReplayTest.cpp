#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/TestFiles.h"
#include "unrealpkg/MeshObjExport.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

using namespace unrealpkg;

namespace {

// A fixed sequence, so every run replays the same mutations.
class Random {
public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(Next() % n); }

private:
  std::uint64_t state_;
};

struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// Damages a copy of a package; returns the bytes it touched (the whole file
// when the header or the length changed).
Span Mutate(std::vector<std::uint8_t>& bytes, const std::vector<Span>& objects, Random& random) {
  static const std::vector<std::vector<std::uint8_t>> hostile = {
      {0x7F, 0xFF, 0xFF, 0xFF, 0x0F}, {0xFF, 0xFF, 0xFF, 0x7F}, {0x81}, {0x00, 0x00, 0x00, 0x80}, {0xFF, 0xFF}};
  const Span everything{0, bytes.size()};
  switch (random.Below(5)) {
    case 0:
      bytes.resize(random.Below(bytes.size()));
      return everything;
    case 1: {
      const std::size_t field = 12 + 4 * random.Below(6);
      const std::vector<std::uint8_t>& value = hostile[random.Below(hostile.size())];
      for (std::size_t i = 0; i < value.size() && field + i < bytes.size(); ++i) bytes[field + i] = value[i];
      return everything;
    }
    case 2: {
      const std::size_t at = random.Below(bytes.size());
      const std::vector<std::uint8_t>& value = hostile[random.Below(hostile.size())];
      for (std::size_t i = 0; i < value.size() && at + i < bytes.size(); ++i) bytes[at + i] = value[i];
      return {at, at + value.size()};
    }
    case 3: {
      // Early bytes of an object hold its tags and counts: the likeliest to be trusted.
      if (objects.empty()) return everything;
      const Span& object = objects[random.Below(objects.size())];
      const std::size_t at = object.begin + random.Below(std::min<std::size_t>(object.end - object.begin, 96));
      bytes[at] ^= static_cast<std::uint8_t>(1 + random.Below(255));
      return {at, at + 1};
    }
    default: {
      Span touched{bytes.size(), 0};
      for (std::size_t n = 1 + random.Below(4); n > 0; --n) {
        const std::size_t at = random.Below(bytes.size());
        bytes[at] ^= static_cast<std::uint8_t>(1 + random.Below(255));
        touched = {std::min(touched.begin, at), std::max(touched.end, at + 1)};
      }
      return touched;
    }
  }
}

// Opens the package and reads every export the damage may reach, the way the
// program would; only clean errors may come out.
void Exercise(const std::filesystem::path& path, const Span& touched) {
  std::unique_ptr<TUTPackage> package;
  try {
    package = std::make_unique<TUTPackage>(path);
  } catch (const PackageError&) {
    return;
  }
  TUTPackageLock lock(*package);
  for (int i = 0; i < package->ExportCount(); ++i) {
    const auto* entry = package->GetExport(i);
    package->GetObjectPath(i + 1);
    package->ClassNameOf(entry->SuperRef);
    const std::size_t begin = static_cast<std::size_t>(std::max(entry->SerialOffset, 0));
    const std::size_t end = begin + static_cast<std::size_t>(std::max(entry->SerialSize, 0));
    if (end <= touched.begin || begin >= touched.end) continue;
    if (const auto failure = CheckExport(*package, i)) {
      for (const char* internal : {"std::bad_alloc", "vector::", "basic_string", "Invalid bitmap size"})
        ASSERT_EQ(failure->Message.find(internal), std::string::npos) << path << ": " << failure->Message;
      continue;
    }
    if (auto* mesh = dynamic_cast<TUTObjectClassMesh*>(&package->GetExport(i)->Object())) {
      TUTObjectUse use(*mesh);
      try {
        MeshToObj(*mesh, 0);
      } catch (const ReadError&) {
      }
    }
  }
}

int MutationsPerPackage(std::uintmax_t size) {
  const char* configured = std::getenv("MARBELLE_MUTATIONS_PER_PACKAGE");
  const int base = configured ? std::atoi(configured) : 250;
  return size > 1'000'000 ? base / 3 : base;
}

}  // namespace

TEST(MutationReplayTest, DamagedCorpusPackagesFailCleanly) {
  const auto packages = testsupport::CorpusPackages();
  if (packages.empty()) GTEST_SKIP() << "no corpus";
  testsupport::TempDir dir;
  Random random(20261209);
  int replayed = 0;
  for (const auto& source : packages) {
    SCOPED_TRACE(source.string());
    const std::vector<std::uint8_t> original = testsupport::ReadFile(source);
    std::vector<Span> objects;
    {
      TUTPackage pristine(source);
      for (int i = 0; i < pristine.ExportCount(); ++i) {
        const auto* entry = pristine.GetExport(i);
        if (entry->SerialSize > 0)
          objects.push_back({static_cast<std::size_t>(entry->SerialOffset),
                             static_cast<std::size_t>(entry->SerialOffset) + static_cast<std::size_t>(entry->SerialSize)});
      }
    }
    const auto mutant = dir / source.filename().string();
    for (int n = MutationsPerPackage(original.size()); n > 0; --n, ++replayed) {
      std::vector<std::uint8_t> bytes = original;
      const Span touched = Mutate(bytes, objects, random);
      testsupport::WriteFile(mutant, bytes);
      Exercise(mutant, touched);
      if (HasFatalFailure()) return;
    }
  }
  EXPECT_GT(replayed, 3000);
}
