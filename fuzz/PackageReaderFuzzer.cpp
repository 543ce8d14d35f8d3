// libFuzzer target: any bytes opened as a package and read the way `marbelle
// check` reads it must end in a clean error, never a crash, hang or runaway
// allocation.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "unrealpkg/MeshObjExport.h"
#include "unrealpkg/MeshObjects.h"
#include "unrealpkg/ObjectClassRegistry.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TUTPackage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path path = [] {
    unrealpkg::RegisterAllObjectClasses();
    return std::filesystem::temp_directory_path() / ("marbelle-fuzz-" + std::to_string(::getpid()) + ".u");
  }();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  try {
    unrealpkg::TUTPackage package(path);
    unrealpkg::CheckPackage(package);
    for (int i = 0; i < package.ExportCount(); ++i) {
      auto* mesh = dynamic_cast<unrealpkg::TUTObjectClassMesh*>(&package.GetExport(i)->Object());
      if (!mesh) continue;
      try {
        unrealpkg::TUTObjectUse use(*mesh);
        unrealpkg::MeshToObj(*mesh, 0);
      } catch (const unrealpkg::ReadError&) {
      }
    }
  } catch (const unrealpkg::PackageError&) {
  }
  return 0;
}
