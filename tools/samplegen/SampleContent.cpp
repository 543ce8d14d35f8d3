// Writes the sample content the program ships with into a program home: the
// model package Mannequin.u compiled into the definition "Mannequin" with its
// wire bitmaps, procedurally drawn skin pictures, and the project
// MannequinSkinsSample.mrb that uses them.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "MannequinModel.h"
#include "model/ModelCatalogue.h"
#include "modelcompiler/ModelCompilation.h"
#include "project/ProjectDocument.h"
#include "raster/PictureFile.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace {

using raster::Bitmap;
using raster::PixelFormat;

struct Colour {
  double r, g, b;
};

// A 24-bit picture whose pixel (x, y), in 0..1 coordinates, has the colour `shade` gives.
Bitmap Draw(int width, int height, const std::function<Colour(double x, double y)>& shade) {
  Bitmap picture(width, height, PixelFormat::Bgr24);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x, row += 3) {
      const Colour c = shade((x + 0.5) / width, (y + 0.5) / height);
      row[0] = static_cast<std::uint8_t>(std::clamp(c.b, 0.0, 255.0));
      row[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0.0, 255.0));
      row[2] = static_cast<std::uint8_t>(std::clamp(c.r, 0.0, 255.0));
    }
  }
  return picture;
}

Colour Mix(Colour a, Colour b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

// Armour plates with seams, lit from the top, in the given metal and trim.
// The trim runs down the sides and back, and across the chest, which the
// mannequin maps from the second sixth across and the top quarter, so a team
// shows from the front too.
Bitmap Body(Colour metal, Colour trim) {
  return Draw(256, 256, [=](double x, double y) {
    const bool seam = std::fmod(x * 4, 1.0) < 0.04 || std::fmod(y * 5, 1.0) < 0.04;
    const bool stripe = std::abs(x - 0.5) < 0.08;
    const bool chest = x > 1.0 / 6 && x < 1.0 / 3 && y > 0.03 && y < 0.11;
    const double light = 0.6 + 0.4 * (1 - y) + 0.08 * std::sin(x * 40) * std::sin(y * 30);
    const Colour base = stripe || chest ? trim : metal;
    return seam ? Mix(base, {20, 20, 25}, 0.7) : Colour{base.r * light, base.g * light, base.b * light};
  });
}

// Skin all round the head, and a face on its front, which the mannequin maps
// from the picture's middle third across and top half; the visor hides the
// eyes. A positive `smile` turns the mouth's corners up.
Bitmap Face(Colour skin, Colour eyes, double smile) {
  return Draw(128, 128, [=](double x, double y) {
    const double dx = (x - 0.5) * 3, dy = y * 2 - 0.5;
    const bool front = std::abs(dx) < 0.5 && dy < 0.5;
    const bool eye = front && std::hypot(std::abs(dx) - 0.2, dy + 0.05) < 0.08;
    const bool mouth = front && std::abs(dy - 0.28 + smile * dx * dx * 4) < 0.035 && std::abs(dx) < 0.25;
    if (eye) return eyes;
    if (mouth) return Colour{90, 30, 30};
    const double shade = 1.0 - 0.6 * std::hypot(dx, dy);
    return Colour{skin.r * shade, skin.g * shade, skin.b * shade};
  });
}

Bitmap TalkPortrait(Colour skin, Colour background) {
  return Draw(64, 64, [=](double x, double y) {
    return std::hypot(x - 0.5, y - 0.45) < 0.33 ? skin : Mix(background, {0, 0, 0}, y * 0.5);
  });
}

// An 8-bit visor whose colour 0 (magenta) marks the holes.
Bitmap PalettedVisor() {
  Bitmap visor(64, 64, PixelFormat::Indexed8);
  visor.Palette().push_back({255, 0, 255, 0});
  for (int i = 1; i < 256; ++i)
    visor.Palette().push_back({static_cast<std::uint8_t>(i / 4), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i / 2), 0});
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool hole = std::hypot(x - 20.0, y - 32.0) < 9 || std::hypot(x - 44.0, y - 32.0) < 9;
      visor.Row(y)[x] = hole ? 0 : static_cast<std::uint8_t>(1 + (x * 4 + y) % 255);
    }
  return visor;
}

// A true-colour visor whose holes are transparent.
Bitmap TransparentVisor() {
  Bitmap visor(64, 64, PixelFormat::Bgra32);
  for (int y = 0; y < 64; ++y) {
    std::uint8_t* row = visor.Row(y);
    for (int x = 0; x < 64; ++x, row += 4) {
      const bool slit = std::abs(y - 30) < 5 && x > 8 && x < 56;
      row[0] = static_cast<std::uint8_t>(60 + x);
      row[1] = static_cast<std::uint8_t>(100 + y);
      row[2] = 200;
      row[3] = slit ? 0 : 255;
    }
  }
  return visor;
}

const project::SkinNode& Section(const project::ProjectDocument&, const project::SkinNode& skin, int number) {
  if (const project::SkinNode* section = project::FindSection(skin, number)) return *section;
  throw std::logic_error("no section " + std::to_string(number));
}

// The definition and wire bitmaps come from the model compiler, as a user's would.
void CompileMannequin(const std::filesystem::path& home) {
  unrealpkg::TUTPackage package;
  const auto list = modelcompiler::ListPackageModels(package, home / "Mannequin.int", true);
  const modelcompiler::PackageModel model = modelcompiler::ReadPackageModel(package, list.Entries.front());
  model3d::TObjeto3D compiled;
  modelcompiler::CompilePackageModelFiles(model, modelcompiler::InitialFrameChoice(model), home,
                                          {.Overwrite = [](const std::filesystem::path&) { return true; }}, compiled);
}

void WriteSampleContent(const std::filesystem::path& home) {
  const std::filesystem::path pictures = home / "Samples" / "Mannequin";
  std::filesystem::create_directories(pictures);
  samplegen::WriteMannequinPackage(home);
  CompileMannequin(home);

  const Colour steel{150, 160, 175}, copper{190, 110, 60}, red{200, 40, 30}, blue{40, 70, 210};
  auto save = [&](const Bitmap& picture, const std::string& name) {
    const std::filesystem::path file = pictures / name;
    raster::SavePicture(picture, file);
    return file;
  };

  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  auto document = project::ProjectDocument::New(catalogue.FindByPrefix("Mannequin"),
                                                home / "MannequinSkinsSample.mrb", home);
  project::ProjectOptions options = document->Options();
  options.UMODProductName = "Mannequin Sample Skins";
  options.UMODVersion = "100";
  document->SetOptions(options);

  const project::SkinNode& steelSkin = document->NewSkin("Steel", "stel");
  document->AddTexture(Section(*document, steelSkin, 1), save(Body(steel, {60, 60, 70}), "stel1.png"), "< Default >", "");
  document->AddTexture(Section(*document, steelSkin, 1), save(Body(steel, red), "stel1t_0.png"), "<Red Team>", "");
  document->AddTexture(Section(*document, steelSkin, 1), save(Body(steel, blue), "stel1t_1.bmp"), "<Blue Team>", "");
  document->AddTexture(Section(*document, steelSkin, 2), save(Face({220, 180, 150}, {40, 90, 160}, 0.5), "stel2.png"),
                       "< Default >", "");
  document->AddTexture(Section(*document, steelSkin, 2), save(Face({200, 160, 130}, {60, 130, 60}, -0.5), "stel2ada.png"),
                       "< Default >", "Ada");
  document->AddTexture(Section(*document, steelSkin, 2), save(Face({200, 160, 130}, red, -0.5), "stel2t_0ada.png"),
                       "<Red Team>", "Ada");
  document->AddTexture(Section(*document, steelSkin, 3), save(PalettedVisor(), "stel3.bmp"), "< Default >", "");
  document->AddTexture(Section(*document, steelSkin, 5), save(TalkPortrait({220, 180, 150}, {40, 40, 60}), "stel5.png"),
                       "< Default >", "");
  document->AddTexture(Section(*document, steelSkin, 5), save(TalkPortrait({200, 160, 130}, {30, 70, 30}), "stel5ada.png"),
                       "< Default >", "Ada");

  const project::SkinNode& copperSkin = document->NewSkin("Copper", "copr");
  document->AddTexture(Section(*document, copperSkin, 1), save(Body(copper, {90, 50, 20}), "copr1.png"), "< Default >", "");
  document->AddTexture(Section(*document, copperSkin, 2), save(Face({170, 120, 90}, {30, 30, 30}, 0.2), "copr2.png"),
                       "< Default >", "");
  document->AddTexture(Section(*document, copperSkin, 3), save(TransparentVisor(), "copr3.png"), "< Default >", "");
  document->AddTexture(Section(*document, copperSkin, 5), save(TalkPortrait({170, 120, 90}, {70, 40, 20}), "copr5.png"),
                       "< Default >", "");
  document->Save();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: marbelle-sample HOME\n");
    return 1;
  }
  unrealpkg::RegisterAllObjectClasses();
  try {
    WriteSampleContent(std::filesystem::absolute(argv[1]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "marbelle-sample: %s\n", e.what());
    return 1;
  }
  return 0;
}
