#include <algorithm>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "model/ModelCatalogue.h"
#include "model/PackageSearch.h"
#include "modelcompiler/GameModels.h"
#include "platform/GameDetection.h"
#include "platform/ProgramHome.h"
#include "platform/TextEncoding.h"

namespace cli {

namespace {

std::string PreviewText(const model::TModelo& model) {
  return model.ModelDataFile.empty() && model.Mesh.empty() ? "No" : "Yes";
}

// Where the preview will find the mesh's package.
std::string PackageText(const model::TModelo& model, const std::filesystem::path& home) {
  const std::string package = model.Mesh.substr(0, model.Mesh.find('.'));
  const auto file = model::FindModelPackage(model.ForUnrealTournament, home, package);
  return file ? file->string() : "package " + platform::Windows1252ToUtf8(package) + " not found";
}

void PrintText(const model::ModelCatalogue& catalogue, const std::filesystem::path& home, std::ostream& out) {
  out << "Program home: " << home.string() << '\n';
  out << catalogue.Entries.size() << " models\n";
  for (const auto& entry : catalogue.Entries) {
    out << '\n'
        << platform::Windows1252ToUtf8(entry->Name) << " (prefix " << platform::Windows1252ToUtf8(entry->Prefix)
        << ", preview " << PreviewText(*entry) << ")\n"
        << "  definition: " << platform::Windows1252ToUtf8(entry->DefinitionId) << '\n';
    if (!entry->Mesh.empty())
      out << "  mesh: " << platform::Windows1252ToUtf8(entry->Mesh) << " (" << PackageText(*entry, home) << ")\n";
    if (!entry->ModelDataFile.empty()) out << "  model data: " << entry->ModelDataFile << '\n';
    if (entry->SingleSkin) out << "  skins: one texture each, named by the skin's whole name\n";
    for (const auto& section : entry->Sections)
      out << "  " << platform::Windows1252ToUtf8(section.Name) << ": " << model::DescribeSection(section.Part)
          << (section.Part.Wire ? "" : ", no wire bitmap") << '\n';
  }
}

void PrintJson(const model::ModelCatalogue& catalogue, const std::filesystem::path& home, std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject().Field("home", home.string());
  json.Key("models").BeginArray();
  for (const auto& entry : catalogue.Entries) {
    json.BeginObject()
        .Field("name", entry->Name)
        .Field("prefix", entry->Prefix)
        .Field("definitionFile", entry->DefinitionFile().string())
        .Field("definitionSection", entry->DefinitionSection())
        .Key("forUnrealTournament").Bool(entry->ForUnrealTournament)
        .Field("mesh", entry->Mesh)
        .Field("modelDataFile", entry->ModelDataFile)
        .Field("preview", PreviewText(*entry))
        .Key("ams").Bool(entry->AMS)
        .Key("singleSkin").Bool(entry->SingleSkin)
        .Key("mirrorX").Bool(entry->MirrorX)
        .Field("talkTextureIndex", entry->TalkTextureIndex)
        .Key("hasMaskedSections").Bool(entry->HasMaskedSections);
    json.Key("placement")
        .BeginObject()
        .Key("scaleX").Real(entry->ScaleX)
        .Key("scaleY").Real(entry->ScaleY)
        .Key("scaleZ").Real(entry->ScaleZ)
        .Key("offsetX").Real(entry->OffsetX)
        .Key("offsetY").Real(entry->OffsetY)
        .Key("offsetZ").Real(entry->OffsetZ)
        .Key("pitch").Real(entry->Pitch)
        .Key("roll").Real(entry->Roll)
        .Key("turn").Real(entry->Turn)
        .EndObject();
    json.Key("presets").BeginArray();
    for (const auto& preset : entry->Presets)
      json.BeginObject()
          .Field("name", preset.Name)
          .Key("cameraX").Real(preset.CameraX)
          .Key("cameraY").Real(preset.CameraY)
          .Key("cameraZ").Real(preset.CameraZ)
          .Key("targetX").Real(preset.TargetX)
          .Key("targetY").Real(preset.TargetY)
          .Key("targetZ").Real(preset.TargetZ)
          .EndObject();
    json.EndArray();
    json.Key("sections").BeginArray();
    for (const auto& section : entry->Sections)
      json.BeginObject()
          .Field("number", section.Part.Number())
          .Field("name", section.Name)
          .Field("flags", section.Part.Flags)
          .Field("width", section.Part.Width)
          .Field("height", section.Part.Height)
          .Field("description", model::DescribeSection(section.Part))
          .Field("formatNoTeamNoFace", section.Part.FormatNoTeamNoFace)
          .Field("formatNoTeamFace", section.Part.FormatNoTeamFace)
          .Field("formatTeamNoFace", section.Part.FormatTeamNoFace)
          .Field("formatTeamFace", section.Part.FormatTeamFace)
          .Field("wire", section.Part.Wire ? section.Part.Wire->File().string() : std::string())
          .EndObject();
    json.EndArray().EndObject();
  }
  json.EndArray();
  json.Key("problems").BeginArray();
  for (const auto& problem : catalogue.Problems)
    json.BeginObject().Field("file", problem.File.string()).Field("message", problem.Message).EndObject();
  json.EndArray().EndObject();
}

// Makes definitions for the game's player classes; --force replaces those made before.
int AddModelsFromGame(const Arguments& args, const std::filesystem::path& home, std::ostream& out) {
  std::filesystem::path gameDirectory;
  if (const auto given = args.Value("--game-dir")) {
    gameDirectory = std::filesystem::absolute(*given);
    out << "Unreal Tournament in " << gameDirectory.string() << '\n';
  } else {
    const platform::FoundGame game = platform::FindGame(platform::SettingsFilePath(home));
    if (!game.Found()) throw std::runtime_error(platform::DescribeFoundGame(game));
    gameDirectory = game.Directory;
    out << platform::DescribeFoundGame(game) << '\n';
  }
  modelcompiler::GameModelFinder finder(gameDirectory, home, model::ScanModelCatalogue(home));
  const auto outcomes = modelcompiler::WriteGameModels(finder, args.Has("--force"));
  for (const std::string& line : modelcompiler::DescribeGameModels(outcomes))
    out << platform::Windows1252ToUtf8(OneLine(line)) << '\n';
  const auto added = std::count_if(outcomes.begin(), outcomes.end(), [](const auto& outcome) {
    return outcome.What == modelcompiler::GameModelOutcome::Result::Added;
  });
  out << added << (added == 1 ? " model" : " models") << " added\n";
  return 0;
}

}  // namespace

int RunModels(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--json", "--from-game", "--force"}, {"--home", "--game-dir"});
  args.ExpectPositionals(0, 0);
  const std::filesystem::path home = platform::ResolveProgramHome(args.Value("--home"));
  if (args.Has("--from-game")) return AddModelsFromGame(args, home, out);
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  for (const auto& problem : catalogue.Problems)
    std::cerr << "marbelle models: warning: " << platform::Windows1252ToUtf8(OneLine(problem.Message)) << '\n';
  if (args.Has("--json"))
    PrintJson(catalogue, home, out);
  else
    PrintText(catalogue, home, out);
  return 0;
}

}  // namespace cli
