#include "compile/SkinPackageProject.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "compile/SkinMenus.h"
#include "model/LocalisationLines.h"
#include "model/TextureNames.h"
#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "platform/GameDirectory.h"
#include "project/TeamLabels.h"
#include "raster/BmpFile.h"
#include "raster/PictureFile.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureObjects.h"

namespace compile {

namespace {

using platform::EqualsIgnoreCase;
using platform::ToLowerAscii;
using project::SkinNode;

// The fixed characters of the surest format that explains the name, plus one; 0 when none does.
std::size_t Fit(const model::TModelo& model, const std::string& name) {
  const auto readings = model::ReadTextureName(model, name);
  return !readings.empty() && readings.front().Allowed ? readings.front().Fixed + 1 : 0;
}

bool Explains(const model::TModelo& model, const std::string& name) { return Fit(model, name) > 0; }

std::filesystem::path PictureFile(const std::filesystem::path& folder, const PackageTexture& texture) {
  const bool indexed = texture.Picture.Format() == raster::PixelFormat::Indexed8;
  return folder / (texture.Name + (indexed ? ".bmp" : ".png"));
}

// The texture declarations of a localisation file, each by its object name without its package.
std::vector<model::DeclaredObject> TextureDeclarations(const std::filesystem::path& file) {
  std::vector<model::DeclaredObject> textures;
  for (model::DeclaredObject& object : model::ReadDeclaredObjects(file)) {
    if (!EqualsIgnoreCase(object.Class, "Texture")) continue;
    if (const std::size_t dot = object.Name.rfind('.'); dot != std::string::npos) object.Name.erase(0, dot + 1);
    textures.push_back(std::move(object));
  }
  return textures;
}

// The descriptions of skins and faces, as the compiler's .int writes them; what does not fit is reported.
void TakeDescriptions(project::ProjectDocument& document, const std::filesystem::path& intFile,
                      std::vector<std::string>& report) {
  std::map<std::string, const SkinNode*> byName;
  for (const SkinNode* node : project::TextureNodes(document.Root()))
    byName.emplace(ToLowerAscii(document.TextureName(*node)), node);
  const std::vector<model::DeclaredObject> lines = TextureDeclarations(intFile);
  const std::string shown = intFile.filename().string();
  bool everyLineDescribed = !lines.empty();
  for (const model::DeclaredObject& line : lines) {
    everyLineDescribed = everyLineDescribed && line.Description && !line.Description->empty();
    const auto found = byName.find(ToLowerAscii(line.Name));
    if (found == byName.end()) {
      // The game's skin menu lists a multi-skinned model's skin by any described name of up to five characters.
      const SkinNode* skin = document.Model().SingleSkin || line.Name.size() < 4 || line.Name.size() > 5 ||
                                     !line.Description || line.Description->empty()
                                 ? nullptr
                                 : project::FindSkinByCode(document.Root(), line.Name.substr(0, 4));
      if (skin) {
        document.EditSkin(*skin, *line.Description, skin->Code());
        report.push_back(shown + " describes the skin " + skin->Code() + " by " + line.Name +
                         ", a texture the package lacks; compiling describes it by the skin's default texture.");
      } else {
        report.push_back(shown + " declares the texture " + line.Name + ", which the package lacks.");
      }
      continue;
    }
    if (!line.Description || line.Description->empty()) continue;
    const SkinNode& node = *found->second;
    const SkinNode& skin = *node.Skin();
    const model::TModeloPart& part = document.SectionOf(*node.Parent()).Part;
    const std::string& description = *line.Description;
    switch (MenuRoleOf(document.Model(), skin, part, node, document.TextureName(node))) {
      case MenuRole::Skin:
        document.EditSkin(skin, description, skin.Code());
        break;
      case MenuRole::Face: {
        const model::IdentifierParts parts = model::SplitIdentifier(node.Texture().Identifier);
        if (project::FaceKey(description) == ToLowerAscii(parts.Face))
          document.EditTextureDescription(node, project::LabelOfIdentifier(node.Texture().Identifier), description);
        else
          report.push_back(shown + " calls the face " + line.Name + " \"" + description +
                           "\"; the project names a face by its texture, so compiling calls it \"" + parts.Face + "\".");
        break;
      }
      case MenuRole::None:
        report.push_back(shown + " describes " + line.Name + " as \"" + description +
                         "\", but the game's menus do not list that texture; compiling leaves the description out.");
        break;
    }
  }
  // A file that lists only described textures was written reduced.
  if (everyLineDescribed && lines.size() < byName.size()) {
    project::ProjectOptions options = document.Options();
    options.ReducedINT = true;
    document.SetOptions(options);
  }
}

// What compiling will make of a picture that does not go through unchanged.
void ReportChanges(const project::ProjectDocument& document, const SkinPackage& package,
                   std::vector<std::string>& report) {
  std::map<std::string, const PackageTexture*> byName;
  for (const PackageTexture& texture : package.Textures) byName.emplace(ToLowerAscii(texture.Name), &texture);
  for (const SkinNode* node : project::TextureNodes(document.Root())) {
    const auto found = byName.find(ToLowerAscii(document.TextureName(*node)));
    if (found == byName.end()) continue;
    const PackageTexture& texture = *found->second;
    const model::TModeloSection& section = document.SectionOf(*node->Parent());
    if (texture.Compressed)
      report.push_back(texture.Name + " is compressed (S3TC): it comes back as a true-colour picture, and compiling "
                                      "reduces it to 256 colours.");
    if (texture.Picture.Width() != section.Part.Width || texture.Picture.Height() != section.Part.Height)
      report.push_back(texture.Name + " is " + std::to_string(texture.Picture.Width()) + "x" +
                       std::to_string(texture.Picture.Height()) + ", but its section " + section.Name + " takes " +
                       std::to_string(section.Part.Width) + "x" + std::to_string(section.Part.Height) +
                       (section.Part.Has(model::CANNOTRESAMPLE) ? ": compiling refuses it." : ": compiling resamples it."));
  }
}

void ReportGaps(const project::ProjectDocument& document, std::vector<std::string>& report) {
  const model::TModelo& model = document.Model();
  for (const SkinNode& skin : document.Root().Children()) {
    bool listed = false;
    for (const SkinNode& section : skin.Children())
      for (const SkinNode& node : section.Children())
        listed = listed || MenuRoleOf(model, skin, document.SectionOf(section).Part, node, document.TextureName(node)) ==
                               MenuRole::Skin;
    if (std::string warning = UnlistedSkinWarning(model, skin, listed); !warning.empty())
      report.push_back(std::move(warning));
    for (std::string& warning : MissingRequiredWarnings(document, skin)) report.push_back(std::move(warning));
    for (std::string& warning : MissingVariantWarnings(document, skin)) report.push_back(std::move(warning));
  }
}

}  // namespace

SkinPackage ReadSkinPackage(const std::filesystem::path& file, std::vector<std::string>& problems) {
  unrealpkg::TUTPackage reader;
  try {
    reader.LoadFromFile(file);
  } catch (const std::exception& e) {
    throw std::runtime_error("Cannot open the skin package " + file.string() + ": " + e.what());
  }
  unrealpkg::TUTPackageLock lock(reader);
  SkinPackage package{file, {}};
  std::set<std::string> seen;
  for (int i = 0; i < reader.ExportCount(); ++i) {
    auto* texture = dynamic_cast<unrealpkg::TUTObjectClassTexture*>(&reader.GetExport(i)->Object());
    if (!texture) continue;
    PackageTexture entry{reader.GetExport(i)->ObjectName(), {}, false};
    if (!seen.insert(ToLowerAscii(entry.Name)).second) {
      problems.push_back(file.filename().string() + " holds two textures named " + entry.Name + "; the second is left out.");
      continue;
    }
    try {
      unrealpkg::TUTObjectUse use(*texture);
      entry.Compressed = texture->CompressedMipCount() > 0;
      if (entry.Compressed)
        entry.Picture = texture->CompressedMipBitmap(0);
      else if (texture->MipCount() > 0)
        entry.Picture = texture->MipBitmap(0);
      else
        throw std::runtime_error("it has no mipmaps");
      entry.Compressed = entry.Compressed || entry.Picture.Format() != raster::PixelFormat::Indexed8;
    } catch (const std::exception& e) {
      problems.push_back(file.filename().string() + ": the texture " + entry.Name + " cannot be read and is left out: " +
                         e.what());
      continue;
    }
    package.Textures.push_back(std::move(entry));
  }
  return package;
}

std::vector<std::shared_ptr<const model::TModelo>> BestFittingModels(const model::ModelCatalogue& catalogue,
                                                                     const SkinPackage& package) {
  // More textures explained first; then formats of more fixed text, which
  // explain them surer; then the package named as this model's projects name theirs.
  using Score = std::tuple<std::size_t, std::size_t, bool>;
  std::vector<std::shared_ptr<const model::TModelo>> best;
  Score most{1, 0, false};
  const std::string packageName = package.File.stem().string();
  for (const auto& entry : catalogue.Entries) {
    Score score{0, 0, platform::StartsWithIgnoreCase(packageName, entry->Prefix + "Skins")};
    for (const PackageTexture& texture : package.Textures)
      if (const std::size_t fit = Fit(*entry, texture.Name)) {
        ++std::get<0>(score);
        std::get<1>(score) += fit;
      }
    if (score > most) best.clear();
    if (score >= most) {
      most = score;
      best.push_back(entry);
    }
  }
  return best;
}

std::optional<std::filesystem::path> FindPackageInt(const std::filesystem::path& package,
                                                    const std::filesystem::path& gameDirectory) {
  const std::string name = package.stem().string() + ".int";
  if (!gameDirectory.empty())
    if (auto found = platform::FindFileIgnoringCase(platform::GameFolder(gameDirectory, "System"), name)) return found;
  return platform::FindFileIgnoringCase(package.parent_path(), name);
}

std::filesystem::path PictureFolder(const std::filesystem::path& projectFile) {
  return projectFile.parent_path() / projectFile.stem();
}

std::vector<std::filesystem::path> FilesInTheWay(const SkinPackage& package, const std::filesystem::path& projectFile) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::exists(projectFile)) files.push_back(projectFile);
  const std::filesystem::path folder = PictureFolder(projectFile);
  for (const PackageTexture& texture : package.Textures)
    if (const std::filesystem::path file = PictureFile(folder, texture); std::filesystem::exists(file))
      files.push_back(file);
  return files;
}

OpenedSkinPackage OpenSkinPackage(const SkinPackage& package, const std::shared_ptr<const model::TModelo>& model,
                                  const std::filesystem::path& projectFile, const std::filesystem::path& home,
                                  const std::optional<std::filesystem::path>& intFile) {
  OpenedSkinPackage opened;
  std::vector<std::string>& report = opened.Report;
  const std::filesystem::path folder = PictureFolder(projectFile);
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> pictures;
  for (const PackageTexture& texture : package.Textures) {
    if (!Explains(*model, texture.Name)) {
      report.push_back("No name format of the model " + model->Prefix + " explains the texture " + texture.Name +
                       "; it is left out.");
      continue;
    }
    pictures.push_back(PictureFile(folder, texture));
    if (texture.Picture.Format() == raster::PixelFormat::Indexed8)
      raster::SaveBmpFile(texture.Picture, pictures.back());
    else
      raster::SavePicture(texture.Picture, pictures.back());
  }
  opened.Document = project::ProjectDocument::New(model, projectFile, home);
  project::ProjectDocument& document = *opened.Document;
  const project::ImportResult imported = document.ImportTextures(pictures);
  for (const std::string& skipped : imported.Skipped) report.push_back("Left out " + skipped + ".");
  std::set<std::filesystem::path> used;
  for (const SkinNode* node : project::TextureNodes(document.Root())) used.insert(node->Texture().FileName);
  for (const std::filesystem::path& picture : pictures)
    if (!used.count(picture)) std::filesystem::remove(picture);
  ReportChanges(document, package, report);
  if (intFile) TakeDescriptions(document, *intFile, report);
  ReportGaps(document, report);
  for (const std::string& unsaved : document.Save().Unsaved) report.push_back(unsaved);
  return opened;
}

}  // namespace compile
