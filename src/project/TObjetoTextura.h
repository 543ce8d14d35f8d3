#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/TModelo.h"
#include "raster/Bitmap.h"

namespace project {

// One texture of a skin: the picture file it comes from, the bitmap as loaded
// and painted, and what palette generation and the paint tool keep with it.
class TObjetoTextura {
public:
  std::string Identifier;
  std::string Description;
  std::filesystem::path FileName;
  // For a file that was not found: the path as the project file names it,
  // written back unchanged.
  std::string StoredFileName;
  // The file's modification time as last seen; -1 when the file was missing.
  std::int64_t FileTime = -1;
  // Counts the times the picture was written to its file or read back from
  // it, so that an undo knows whether the file still holds what it restores.
  int FileExchanges = 0;
  // Counts the times the refresh read the picture again from its file,
  // outside the undo history: an edit taken from an earlier picture no longer
  // fits this one.
  int Reloads = 0;
  std::optional<raster::Bitmap> WorkingBitmap;
  // Fingerprint of what the working bitmap was built from, so palette
  // generation rebuilds it only when that changed.
  std::uint64_t WorkingKey = 0;
  raster::Bitmap SourceBitmap;
  std::optional<raster::Bitmap> UndoBitmap;
  std::shared_ptr<const model::WireBitmap> WireBitmap;
  // The palette palette generation assigned; empty until then.
  std::vector<raster::PaletteEntry> Palette;
  bool Modified = false;

  // The file was not found: there is no picture until it appears.
  bool Missing() const { return SourceBitmap.IsEmpty(); }

  // Reads the picture; outside masked sections it becomes 24-bit. Masked
  // sections keep an 8-bit picture's palette or a true-colour picture's alpha,
  // which give the mask.
  static std::unique_ptr<TObjetoTextura> FromFile(const std::filesystem::path& file, std::string identifier,
                                                 std::string description, const model::TModeloPart& section);
  // An entry for a file not found, kept so that nothing of the project is lost.
  static std::unique_ptr<TObjetoTextura> NotFound(const std::filesystem::path& file, std::string storedName,
                                                 std::string identifier, std::string description,
                                                 const model::TModeloPart& section);
  // The picture as a section keeps it: 24-bit unless the section is masked.
  static raster::Bitmap LoadForSection(const std::filesystem::path& file, const model::TModeloPart& section);
};

}  // namespace project
