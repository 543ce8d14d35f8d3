#pragma once

#include <string>

namespace project {

// The options of the "Project Options" tab; the project file stores all but
// the two marked otherwise.
struct ProjectOptions {
  bool OnlyFirstMipMap = false;
  bool ClientOptional = false;
  // 0 one palette per texture, 1 one per skin, 2 one for the whole package.
  int ReducePalettes = 0;
  // 0 the octree and Floyd-Steinberg, 1 "High quality" palettes and mapping.
  int PaletteQuality = 0;
  // Compressed levels from sources larger than their section, for newer clients.
  bool HighResolution = false;
  int Brightness = 50;
  int Saturation = 50;
  std::string UMODProductName;
  std::string UMODURL;
  std::string UMODDeveloper;
  std::string UMODVersion;
  std::string UMODBitmap;
  std::string UMODReadMe;
  bool ReducedINT = false;
  // Not stored: every project starts with server support on and downloads allowed.
  bool UMODServerSupport = true;
  bool NotAllowDownload = false;

  friend bool operator==(const ProjectOptions&, const ProjectOptions&) = default;
};

}  // namespace project
