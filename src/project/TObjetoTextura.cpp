#include "project/TObjetoTextura.h"

#include "platform/FileTime.h"
#include "raster/PictureFile.h"

namespace project {

raster::Bitmap TObjetoTextura::LoadForSection(const std::filesystem::path& file, const model::TModeloPart& section) {
  raster::Bitmap picture = raster::LoadPicture(file);
  return section.Has(model::MASKED) ? picture : picture.ToBgr24();
}

std::unique_ptr<TObjetoTextura> TObjetoTextura::FromFile(const std::filesystem::path& file, std::string identifier,
                                                        std::string description, const model::TModeloPart& section) {
  auto texture = std::make_unique<TObjetoTextura>();
  texture->Identifier = std::move(identifier);
  texture->Description = std::move(description);
  texture->FileName = file;
  texture->FileTime = platform::FileModificationTime(file);
  texture->SourceBitmap = LoadForSection(file, section);
  texture->WireBitmap = section.Wire;
  return texture;
}

std::unique_ptr<TObjetoTextura> TObjetoTextura::NotFound(const std::filesystem::path& file, std::string storedName,
                                                        std::string identifier, std::string description,
                                                        const model::TModeloPart& section) {
  auto texture = std::make_unique<TObjetoTextura>();
  texture->Identifier = std::move(identifier);
  texture->Description = std::move(description);
  texture->FileName = file;
  texture->StoredFileName = std::move(storedName);
  texture->WireBitmap = section.Wire;
  return texture;
}

}  // namespace project
