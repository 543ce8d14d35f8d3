#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "raster/Bitmap.h"

namespace raster {

// Reads a picture file in any format the image readers know, PCX included: a
// paletted picture of up to 256 colours stays 8-bit with its palette, every
// other picture becomes 24-bit. Failures name the file and say why.
Bitmap LoadPicture(const std::filesystem::path& path);

// LoadPicture for a picture held in memory, read by the reader of `format`
// ("pcx", "bmp"...) alone, or by the one its contents call for when `format`
// is empty; `name` stands for the file in messages.
Bitmap DecodePicture(std::span<const std::uint8_t> bytes, const std::string& format, const std::string& name);

// Writes a picture in the format its extension names: ".bmp" as a Windows
// bitmap, others (".png", ".tga"...) through the image writers. An 8-bit bitmap
// keeps its palette where the format can hold one (a grey ramp stands in for a
// palette that lives elsewhere). Written beside, then renamed over the file.
void SavePicture(const Bitmap& bitmap, const std::filesystem::path& path);

// Lower-case extensions without the dot ("bmp", "pcx", "png", ...) of every
// picture format LoadPicture reads.
std::vector<std::string> ReadablePictureExtensions();
// A file-dialog filter over those formats: "Pictures (*.bmp *.pcx ...)".
std::string PictureFileFilter();

}  // namespace raster
