#include "BenchmarkHome.h"

#include <fstream>
#include <random>
#include <string>

#include "raster/Bitmap.h"
#include "raster/BmpFile.h"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string Definition(const std::string& prefix) {
  std::string text = "[Model]\r\nFormatVersion=2\r\nName=" + prefix + "\r\nPrefix=" + prefix +
                     "\r\nMesh=" + prefix + "Skins." + prefix + "\r\nScaleX=1,1\r\nScaleY=1.1\r\nScaleZ=1.1\r\n"
                     "Preset1=Front;0;0;2000;0;0;0\r\nPreset2=Face;0;40;300;0;40;0\r\n";
  for (int section = 1; section <= 4; ++section)
    text += "\r\n[Section" + std::to_string(section) + "]\r\nName=Section " + std::to_string(section) +
            "\r\nTeam=Yes\r\nFace=Yes\r\nTextureSize=256x256\r\n";
  return text;
}

}  // namespace

BenchmarkHome::BenchmarkHome() : home_(std::filesystem::temp_directory_path() / "marbelle-benchmark-home") {
  std::filesystem::remove_all(home_);
  std::filesystem::create_directories(home_ / "Textures");
  std::filesystem::create_directories(home_ / "Catalogue" / "CustomModels");
  WriteText(home_ / "Bench.mrbe", Definition("Bench"));
  std::mt19937 random(7);
  std::string project = "[General]\r\nModel=Bench\r\n\r\n[Groups]\r\n";
  std::string textures;
  raster::Bitmap picture(256, 256, raster::PixelFormat::Bgr24);
  for (int skin = 0; skin < 4; ++skin) {
    const std::string code = std::string("skn") + static_cast<char>('a' + skin);
    project += code + "=Skin " + std::to_string(skin) + "\r\n";
    for (int section = 1; section <= 4; ++section)
      for (int variant = 0; variant < 10; ++variant) {
        for (auto& byte : picture.Pixels()) byte = static_cast<std::uint8_t>(random());
        const std::string identifier = variant == 0 ? "" : "face" + std::to_string(variant);
        const std::string file = code + std::to_string(section) + identifier + ".bmp";
        raster::SaveBmpFile(picture, home_ / "Textures" / file);
        textures += "\r\n[" + code + "#" + std::to_string(section) + "#< Default >" + identifier + " (" + identifier +
                    ")]\r\nIdentifier=" + identifier + "\r\nDescription=< Default >" + identifier +
                    "\r\nFilename=Textures\\" + file + "\r\n";
      }
  }
  WriteText(home_ / "BenchSkins.mrb", project + textures);
  for (int i = 0; i < 200; ++i) {
    const std::string prefix = "Model" + std::to_string(i);
    WriteText(home_ / "Catalogue" / "CustomModels" / (prefix + ".mrbe"), Definition(prefix));
    raster::Bitmap wire(256, 256, raster::PixelFormat::Indexed8);
    wire.Palette() = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    for (int section = 1; section <= 4; ++section)
      raster::SaveBmpFile(wire, home_ / "Catalogue" / "CustomModels" / (prefix + "Wire" + std::to_string(section) + ".bmp"));
  }
}

BenchmarkHome::~BenchmarkHome() { std::filesystem::remove_all(home_); }

const BenchmarkHome& SharedBenchmarkHome() {
  static const BenchmarkHome home;
  return home;
}
