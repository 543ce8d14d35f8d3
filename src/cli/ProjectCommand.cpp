#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "compile/SkinPackageProject.h"
#include "model/ModelCatalogue.h"
#include "platform/GameDetection.h"
#include "platform/ProgramHome.h"
#include "platform/TextEncoding.h"
#include "project/ProjectDocument.h"

namespace cli {

namespace {

using project::ProjectDocument;
using project::SkinNode;

std::string Utf8(std::string_view text) { return platform::Windows1252ToUtf8(text); }

struct Context {
  std::filesystem::path home;
  model::ModelCatalogue catalogue;
};

Context Open(const Arguments& args) {
  Context context;
  context.home = platform::ResolveProgramHome(args.Value("--home"));
  context.catalogue = model::ScanModelCatalogue(context.home);
  return context;
}

// What the load had to mend goes to standard error, as notes.
std::unique_ptr<ProjectDocument> Load(const std::string& file, const Context& context, const char* action) {
  auto document = ProjectDocument::Load(std::filesystem::absolute(file), context.catalogue, context.home);
  for (const std::string& line : document->LoadReport())
    std::cerr << "marbelle project " << action << ": note: " << Utf8(line) << '\n';
  return document;
}

void Save(ProjectDocument& document) {
  for (const std::string& unsaved : document.Save().Unsaved)
    std::cerr << "marbelle project: warning: " << Utf8(unsaved) << '\n';
}

int Create(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--force"}, {"--home", "--model"});
  args.ExpectPositionals(1, 1);
  const auto prefix = args.Value("--model");
  if (!prefix) throw UsageError("project create needs --model PREFIX");
  const std::filesystem::path file = std::filesystem::absolute(args.Positionals()[0]);
  if (std::filesystem::exists(file) && !args.Has("--force"))
    throw std::runtime_error("The project \"" + file.string() + "\" already exists; --force replaces it with an empty one");
  const Context context = Open(args);
  const auto model = context.catalogue.FindByPrefix(*prefix);
  if (!model) throw std::runtime_error("No model with the prefix \"" + *prefix + "\" is installed in " + context.home.string());
  const auto document = ProjectDocument::New(model, file, context.home);
  Save(*document);
  out << document->FileName().string() << '\n';
  return 0;
}

int Import(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--home"});
  args.ExpectPositionals(2, SIZE_MAX);
  const Context context = Open(args);
  const auto document = Load(args.Positionals()[0], context, "import");
  std::vector<std::filesystem::path> pictures;
  for (std::size_t i = 1; i < args.Positionals().size(); ++i) pictures.push_back(std::filesystem::absolute(args.Positionals()[i]));
  const project::ImportResult result = document->ImportTextures(pictures);
  for (const auto& skipped : result.Skipped) std::cerr << "marbelle project import: skipped " << Utf8(skipped) << '\n';
  Save(*document);
  out << result.Imported << " textures imported into " << document->FileName().string() << '\n';
  return 0;
}

void ShowText(const ProjectDocument& document, std::ostream& out) {
  out << Utf8(document.Root().Caption()) << "  [model " << Utf8(document.Model().Name) << "]\n";
  for (const SkinNode& skin : document.Root().Children()) {
    out << "  " << Utf8(skin.Caption()) << '\n';
    for (const SkinNode& section : skin.Children()) {
      out << "    " << Utf8(section.Caption()) << "  (section " << section.SectionNumber() << ")\n";
      for (const SkinNode& texture : section.Children())
        out << "      " << Utf8(texture.Caption()) << "  -> " << Utf8(document.TextureName(texture)) << "  "
            << texture.Texture().FileName.string() << (texture.Texture().Missing() ? "  (not found)" : "") << '\n';
    }
  }
}

void ShowJson(const ProjectDocument& document, std::ostream& out) {
  const project::ProjectOptions& o = document.Options();
  JsonWriter json(out);
  json.BeginObject()
      .Field("file", document.FileName().string())
      .Field("caption", document.Root().Caption())
      .Field("model", document.Model().Prefix)
      .Field("modelName", document.Model().Name);
  json.Key("options").BeginObject();
  json.Key("onlyFirstMipMap").Bool(o.OnlyFirstMipMap);
  json.Key("clientOptional").Bool(o.ClientOptional);
  json.Field("reducePalettes", o.ReducePalettes).Field("paletteQuality", o.PaletteQuality).Field("brightness", o.Brightness).Field("saturation", o.Saturation);
  json.Key("highResolution").Bool(o.HighResolution);
  json.Key("reducedINT").Bool(o.ReducedINT);
  json.Field("umodProductName", o.UMODProductName)
      .Field("umodURL", o.UMODURL)
      .Field("umodDeveloper", o.UMODDeveloper)
      .Field("umodVersion", o.UMODVersion)
      .Field("umodBitmap", o.UMODBitmap)
      .Field("umodReadMe", o.UMODReadMe)
      .EndObject();
  json.Key("skins").BeginArray();
  for (const SkinNode& skin : document.Root().Children()) {
    json.BeginObject().Field("caption", skin.Caption()).Field("code", skin.Code()).Field("description", skin.Description());
    json.Key("sections").BeginArray();
    for (const SkinNode& section : skin.Children()) {
      json.BeginObject().Field("name", section.Caption()).Field("number", section.SectionNumber());
      json.Key("textures").BeginArray();
      for (const SkinNode& texture : section.Children()) {
        json.BeginObject()
            .Field("caption", texture.Caption())
            .Field("identifier", texture.Texture().Identifier)
            .Field("description", texture.Texture().Description)
            .Field("file", texture.Texture().FileName.string())
            .Field("textureName", document.TextureName(texture));
        json.Key("found").Bool(!texture.Texture().Missing());
        json.EndObject();
      }
      json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray();
  json.Key("loadReport").BeginArray();
  for (const std::string& line : document.LoadReport()) json.String(line);
  json.EndArray().EndObject();
}

int Show(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--json"}, {"--home"});
  args.ExpectPositionals(1, 1);
  const Context context = Open(args);
  const auto document = Load(args.Positionals()[0], context, "show");
  if (args.Has("--json"))
    ShowJson(*document, out);
  else
    ShowText(*document, out);
  return 0;
}

// A skin package opened as a project: its pictures beside the project, and a
// report of what does not fit.
int FromPackage(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--force"}, {"--home", "--model", "--int"});
  args.ExpectPositionals(2, 2);
  const Context context = Open(args);
  const std::filesystem::path packageFile = std::filesystem::absolute(args.Positionals()[0]);
  const std::filesystem::path projectFile = std::filesystem::absolute(args.Positionals()[1]);
  std::vector<std::string> problems;
  const compile::SkinPackage package = compile::ReadSkinPackage(packageFile, problems);
  std::shared_ptr<const model::TModelo> model;
  if (const auto prefix = args.Value("--model")) {
    model = context.catalogue.FindByPrefix(*prefix);
    if (!model) throw std::runtime_error("No model with the prefix \"" + *prefix + "\" is installed in " + context.home.string());
  } else {
    const auto fitting = compile::BestFittingModels(context.catalogue, package);
    if (fitting.empty()) throw std::runtime_error("No installed model names the textures of " + packageFile.string());
    if (fitting.size() > 1) {
      std::string names;
      for (const auto& entry : fitting) names += (names.empty() ? "" : ", ") + entry->Prefix;
      throw std::runtime_error("The models " + names + " name as many textures of " + packageFile.string() +
                               "; choose one with --model");
    }
    model = fitting.front();
  }
  if (const auto inTheWay = compile::FilesInTheWay(package, projectFile); !inTheWay.empty() && !args.Has("--force"))
    throw std::runtime_error(inTheWay.front().string() + " already exists" +
                             (inTheWay.size() > 1 ? " (and " + std::to_string(inTheWay.size() - 1) + " more files)" : "") +
                             "; --force replaces them");
  std::optional<std::filesystem::path> intFile;
  if (const auto given = args.Value("--int"))
    intFile = std::filesystem::absolute(*given);
  else
    intFile = compile::FindPackageInt(packageFile, platform::FindGame(platform::SettingsFilePath(context.home)).Directory);
  const compile::OpenedSkinPackage opened = compile::OpenSkinPackage(package, model, projectFile, context.home, intFile);
  for (const std::string& line : problems) out << "report: " << Utf8(OneLine(line)) << '\n';
  for (const std::string& line : opened.Report) out << "report: " << Utf8(OneLine(line)) << '\n';
  const auto textures = project::TextureNodes(opened.Document->Root()).size();
  out << "Opened " << package.Textures.size() << " textures of " << packageFile.string() << " as "
      << opened.Document->FileName().string() << " (model " << Utf8(model->Prefix) << ", "
      << opened.Document->Root().Children().size() << " skins, " << textures << " textures"
      << (intFile ? ", descriptions from " + intFile->string() : std::string(", no .int found")) << ")\n";
  return 0;
}

}  // namespace

int RunProject(const std::vector<std::string>& words, std::ostream& out) {
  if (words.empty()) throw UsageError("project needs an action: create, import, show or from-package");
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (words[0] == "create") return Create(rest, out);
  if (words[0] == "import") return Import(rest, out);
  if (words[0] == "show") return Show(rest, out);
  if (words[0] == "from-package") return FromPackage(rest, out);
  throw UsageError("unknown project action \"" + words[0] + "\"");
}

}  // namespace cli
