#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/ModelCatalogue.h"
#include "raster/Bitmap.h"
#include "project/ProjectDocument.h"

// Opening a skin package as a project: the inverse of compiling one.
namespace compile {

// A texture of a skin package as an artist edits it.
struct PackageTexture {
  std::string Name;
  // An 8-bit texture keeps its exact palette (a masked one its mask colour as
  // entry 0); a compressed one is decoded to true colour.
  raster::Bitmap Picture;
  bool Compressed = false;
};

struct SkinPackage {
  std::filesystem::path File;
  std::vector<PackageTexture> Textures;
};

// Every texture of the package. Throws, naming the file, when the package
// cannot be read; a texture that cannot be decoded is left out and told in `problems`.
SkinPackage ReadSkinPackage(const std::filesystem::path& file, std::vector<std::string>& problems);

// The models whose name formats explain the most textures of the package
// (then: through formats of more fixed text; then: the package named as the
// model's projects name theirs), in catalogue order; empty when none explains any.
std::vector<std::shared_ptr<const model::TModelo>> BestFittingModels(const model::ModelCatalogue& catalogue,
                                                                     const SkinPackage& package);

// The package's localisation file: the one of its name in the game's System
// folder, else beside the package, letter case ignored.
std::optional<std::filesystem::path> FindPackageInt(const std::filesystem::path& package,
                                                    const std::filesystem::path& gameDirectory);

// Where the pictures of a project opened from a package go: a folder beside
// it named like it.
std::filesystem::path PictureFolder(const std::filesystem::path& projectFile);

// The project file and the pictures that opening would replace.
std::vector<std::filesystem::path> FilesInTheWay(const SkinPackage& package, const std::filesystem::path& projectFile);

struct OpenedSkinPackage {
  std::unique_ptr<project::ProjectDocument> Document;
  // What does not fit, for the artist to fix: one line each.
  std::vector<std::string> Report;
};

// Writes the package's pictures beside `projectFile`, builds the project of
// the model from them by their names, takes the descriptions of skins and
// faces from `intFile`, and saves it. Textures no name format explains are
// reported and left out, with no picture.
OpenedSkinPackage OpenSkinPackage(const SkinPackage& package, const std::shared_ptr<const model::TModelo>& model,
                                  const std::filesystem::path& projectFile, const std::filesystem::path& home,
                                  const std::optional<std::filesystem::path>& intFile);

}  // namespace compile
