#include <filesystem>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "platform/TextEncoding.h"
#include "raster/PictureFile.h"
#include "unrealpkg/TextureObjects.h"
#include "unrealpkg/TUTPackage.h"

namespace cli {

namespace {

// An object path as a file name: path separators and control characters cannot
// come from a package into the file system.
std::string SafeFileName(const std::string& objectPath) {
  std::string name = platform::Windows1252ToUtf8(objectPath);
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':' || (static_cast<unsigned char>(c) < 0x20)) c = '_';
  return name.empty() ? "_" : name;
}

}  // namespace

int RunExportTextures(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--high-resolution"}, {});
  const bool highResolution = args.Has("--high-resolution");
  args.ExpectPositionals(2, 2);
  unrealpkg::TUTPackage package(args.Positionals()[0]);
  const std::filesystem::path outDir = args.Positionals()[1];
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (!std::filesystem::is_directory(outDir))
    throw std::runtime_error("Cannot create the folder \"" + outDir.string() + "\"" +
                             (ec ? ": " + ec.message() : std::string()));

  unrealpkg::TUTPackageLock lock(package);
  int written = 0;
  int failed = 0;
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto* texture = dynamic_cast<unrealpkg::TUTObjectClassTexture*>(&package.GetExport(i)->Object());
    if (!texture) continue;
    const std::string objectPath = package.GetObjectPath(i + 1);
    try {
      unrealpkg::TUTObjectUse use(*texture);
      if (texture->MipCount() == 0) throw std::runtime_error("the texture has no mipmaps");
      const std::filesystem::path file = outDir / (SafeFileName(objectPath) + ".png");
      // The compressed chain of newer clients where it is the larger.
      const bool compressed = highResolution && texture->CompressedMipCount() > 0 &&
                              texture->GetCompressedMip(0).USize > texture->GetMip(0).USize;
      raster::SavePicture(compressed ? texture->CompressedMipBitmap(0) : texture->MipBitmap(0), file);
      out << file.string() << '\n';
      ++written;
    } catch (const std::exception& e) {
      std::cerr << "marbelle export-textures: " << package.FileName().string() << ": "
                << platform::Windows1252ToUtf8(objectPath) << ": " << OneLine(e.what()) << '\n';
      ++failed;
    }
  }
  out << written << " textures written to " << outDir.string() << '\n';
  return failed ? 1 : 0;
}

}  // namespace cli
