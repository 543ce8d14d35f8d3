#include "support/ProjectFixture.h"

#include "raster/BmpFile.h"

ProjectFixture::ProjectFixture() {
  WriteText(home / "Soldier.mrbe",
            "[Model]\nName=Soldier\nPrefix=Soldier\n"
            "Section1=Body, TEAM, FACE\nSection3=Head, FACE\nSection5=Talk, TALKTEXTURE\n");
  catalogue = model::ScanModelCatalogue(home.Path());
}

std::filesystem::path ProjectFixture::Picture(const std::string& name, std::uint8_t shade, int size) {
  const std::filesystem::path path =
      std::filesystem::path(name).is_absolute() ? std::filesystem::path(name) : home / "Textures" / name;
  std::filesystem::create_directories(path.parent_path());
  raster::Bitmap bitmap(size, size, raster::PixelFormat::Bgr24);
  std::fill(bitmap.Pixels().begin(), bitmap.Pixels().end(), shade);
  raster::SaveBmpFile(bitmap, path);
  return path;
}

std::unique_ptr<project::ProjectDocument> ProjectFixture::NewProject(const std::string& fileName) {
  return project::ProjectDocument::New(catalogue.FindByPrefix("Soldier"), home / fileName, home.Path());
}

std::unique_ptr<project::ProjectDocument> ProjectFixture::MaskedProject(int size) {
  const std::string side = std::to_string(size);
  WriteText(home / "Mask.mrbe", "[Model]\nPrefix=Mask\nSection1=Visor, MASKED, TEXTUREIS" + side + "X" + side + "\n");
  catalogue = model::ScanModelCatalogue(home.Path());
  return project::ProjectDocument::New(catalogue.FindByPrefix("Mask"), home / "MaskSkins.mrb", home.Path());
}

std::unique_ptr<project::ProjectDocument> ProjectFixture::SingleSkinProject() {
  WriteText(home / "Nali.mrbe",
            "[Model]\nFormatVersion=2\nName=Nali\nPrefix=Nali\nSingleSkin=Yes\n"
            "[Section1]\nName=SKIN0\nTeam=Yes\nFormatNoTeamNoFace=%SKIN%\nFormatTeamNoFace=T_Nali_%TEAM%\n"
            "[Section5]\nName=Talk Texture\nTalkTexture=Yes\nFormatNoTeamNoFace=%SKIN%-Face\n");
  catalogue = model::ScanModelCatalogue(home.Path());
  return project::ProjectDocument::New(catalogue.FindByPrefix("Nali"), home / "NaliSkins.mrb", home.Path());
}

void ProjectFixture::WriteText(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  testsupport::WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

const project::SkinNode& SectionNode(const project::ProjectDocument&, const project::SkinNode& skin, int number) {
  if (const project::SkinNode* section = project::FindSection(skin, number)) return *section;
  throw std::logic_error("no section " + std::to_string(number));
}
