#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "model/ModelCatalogue.h"
#include "platform/ProgramHome.h"
#include "platform/TextEncoding.h"
#include "project/ProjectDocument.h"
#include "project/TeamLabels.h"

namespace cli {

namespace {

using project::NodeKind;
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

int Create(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--home", "--model"});
  args.ExpectPositionals(1, 1);
  const auto prefix = args.Value("--model");
  if (!prefix) throw UsageError("project create needs --model PREFIX");
  const Context context = Open(args);
  const auto model = context.catalogue.FindByPrefix(*prefix);
  if (!model) throw std::runtime_error("No model with the prefix \"" + *prefix + "\" is installed in " + context.home.string());
  const auto document = ProjectDocument::New(model, std::filesystem::absolute(args.Positionals()[0]), context.home);
  document->Save();
  out << document->FileName().string() << '\n';
  return 0;
}

int Import(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--home"});
  args.ExpectPositionals(2, SIZE_MAX);
  const Context context = Open(args);
  const auto document = ProjectDocument::Load(std::filesystem::absolute(args.Positionals()[0]), context.catalogue, context.home);
  std::vector<std::filesystem::path> pictures;
  for (std::size_t i = 1; i < args.Positionals().size(); ++i) pictures.push_back(std::filesystem::absolute(args.Positionals()[i]));
  const project::ImportResult result = document->ImportTextures(pictures);
  for (const auto& skipped : result.Skipped)
    std::cerr << "marbelle project import: " << skipped.string() << ": the model declares no section "
              << "of that number; skipped\n";
  document->Save();
  out << result.Imported << " textures imported into " << document->FileName().string() << '\n';
  return 0;
}

void ShowText(ProjectDocument& document, std::ostream& out) {
  out << Utf8(document.Root().Caption) << "  [model " << Utf8(document.Model().Name) << "]\n";
  for (const auto& skin : document.Root().Children) {
    out << "  " << Utf8(skin->Caption) << '\n';
    for (const auto& section : skin->Children) {
      out << "    " << Utf8(section->Caption) << "  (section " << document.SectionOf(*section).Part.Number() << ")\n";
      for (const auto& texture : section->Children)
        out << "      " << Utf8(texture->Caption) << "  -> " << Utf8(document.TextureName(*texture)) << "  "
            << texture->Texture->FileName.string() << '\n';
    }
  }
}

void ShowJson(ProjectDocument& document, std::ostream& out) {
  const project::ProjectOptions& o = document.Options();
  JsonWriter json(out);
  json.BeginObject()
      .Field("file", document.FileName().string())
      .Field("caption", document.Root().Caption)
      .Field("model", document.Model().Prefix)
      .Field("modelName", document.Model().Name);
  json.Key("options").BeginObject();
  json.Key("onlyFirstMipMap").Bool(o.OnlyFirstMipMap);
  json.Key("clientOptional").Bool(o.ClientOptional);
  json.Field("reducePalettes", o.ReducePalettes).Field("brightness", o.Brightness).Field("saturation", o.Saturation);
  json.Key("reducedINT").Bool(o.ReducedINT);
  json.Field("umodProductName", o.UMODProductName)
      .Field("umodURL", o.UMODURL)
      .Field("umodDeveloper", o.UMODDeveloper)
      .Field("umodVersion", o.UMODVersion)
      .Field("umodBitmap", o.UMODBitmap)
      .Field("umodReadMe", o.UMODReadMe)
      .EndObject();
  json.Key("skins").BeginArray();
  for (const auto& skin : document.Root().Children) {
    const project::SkinCaptionParts parts = project::SplitSkinCaption(skin->Caption);
    json.BeginObject().Field("caption", skin->Caption).Field("code", parts.Code).Field("description", parts.Description);
    json.Key("sections").BeginArray();
    for (const auto& section : skin->Children) {
      json.BeginObject().Field("name", section->Caption).Field("number", document.SectionOf(*section).Part.Number());
      json.Key("textures").BeginArray();
      for (const auto& texture : section->Children)
        json.BeginObject()
            .Field("caption", texture->Caption)
            .Field("identifier", texture->Texture->Identifier)
            .Field("description", texture->Texture->Description)
            .Field("file", texture->Texture->FileName.string())
            .Field("textureName", document.TextureName(*texture))
            .EndObject();
      json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject();
}

int Show(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--json"}, {"--home"});
  args.ExpectPositionals(1, 1);
  const Context context = Open(args);
  const auto document = ProjectDocument::Load(std::filesystem::absolute(args.Positionals()[0]), context.catalogue, context.home);
  if (args.Has("--json"))
    ShowJson(*document, out);
  else
    ShowText(*document, out);
  return 0;
}

}  // namespace

int RunProject(const std::vector<std::string>& words, std::ostream& out) {
  if (words.empty()) throw UsageError("project needs an action: create, import or show");
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (words[0] == "create") return Create(rest, out);
  if (words[0] == "import") return Import(rest, out);
  if (words[0] == "show") return Show(rest, out);
  throw UsageError("unknown project action \"" + words[0] + "\"");
}

}  // namespace cli
