#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "model/System2.h"
#include "modelcompiler/ModelCompilation.h"
#include "platform/AsciiText.h"
#include "platform/ProgramHome.h"
#include "platform/TextEncoding.h"

namespace cli {

namespace {

using modelcompiler::PackageModelEntry;
using platform::EqualsIgnoreCase;
using platform::Windows1252ToUtf8;

std::string Skins(const modelcompiler::TMeshItem& item) {
  return "FaceSkin " + std::to_string(item.FaceSkin) + ", FixedSkin " + std::to_string(item.FixedSkin) +
         ", TeamSkin1 " + std::to_string(item.TeamSkin1) + ", TeamSkin2 " + std::to_string(item.TeamSkin2) +
         ", TeamSkin \"" + item.TeamSkin + "\"";
}

std::string AmsValues(const modelcompiler::AdvancedModelSupport& ams) {
  if (!ams.Enabled) return "AMS " + ams.Detection;
  std::string text = "AMS Yes: TalkTextureID \"" + ams.TalkTextureID + "\", HighestSkinNumber " +
                     std::to_string(ams.HighestSkinNumber) + ", bRelaxedSkinRules " +
                     (ams.RelaxedSkinRules ? "true" : "false") + ", OldTextureNames " +
                     std::to_string(ams.OldTextureNames) + ", ChangesWithTeam";
  for (const bool team : ams.ChangesWithTeam) text += team ? " 1" : " 0";
  text += ", ChangesWithFace";
  for (const bool face : ams.ChangesWithFace) text += face ? " 1" : " 0";
  return text;
}

const PackageModelEntry& ChooseModel(const modelcompiler::PackageModelList& list, const std::optional<std::string>& name) {
  if (!name) return list.Entries.front();
  for (const auto& entry : list.Entries)
    if (EqualsIgnoreCase(entry.Caption, *name) || EqualsIgnoreCase(entry.MenuName, *name) ||
        EqualsIgnoreCase(entry.ObjectName, *name))
      return entry;
  throw std::runtime_error("The package " + list.PackagePath.string() + " has no model called \"" + *name + "\"");
}

modelcompiler::FrameChoice ChooseFrame(const modelcompiler::PackageModel& model, const Arguments& args) {
  modelcompiler::FrameChoice choice = modelcompiler::InitialFrameChoice(model);
  if (args.Has("--single-frame")) choice.Animated = false;
  choice.MirrorX = args.Has("--mirror-x");
  if (const auto name = args.Value("--sequence")) {
    const auto& sequences = model.Mesh.Sequences;
    std::size_t i = 0;
    while (i < sequences.size() && !EqualsIgnoreCase(sequences[i].Name, *name)) ++i;
    if (i == sequences.size())
      throw std::runtime_error("The mesh " + model.ModelName + " has no animation sequence \"" + *name + "\"");
    choice.Sequence = i;
    choice.Frame = args.IntValue("--frame").value_or(0);
  } else if (const auto frame = args.IntValue("--frame")) {
    choice.UseAbsoluteFrame = true;
    choice.AbsoluteFrame = *frame;
  }
  return choice;
}

// Values that fell back to their defaults: worth knowing, not part of the listing.
void PrintNotes(const std::vector<std::string>& notes) {
  for (const auto& note : notes) std::cerr << "marbelle compile-model: note: " << Windows1252ToUtf8(note) << '\n';
}

void ReportOutput(const modelcompiler::ModelOutputFiles& files, std::ostream& out) {
  if (!files.DataFile.empty()) out << "Wrote " << files.DataFile.string() << '\n';
  for (const auto& wire : files.WireBitmaps) out << "Wrote " << wire.string() << '\n';
  if (files.DefinitionWritten)
    out << "Wrote " << files.Definition.string() << '\n';
  else
    out << "Kept the existing " << files.Definition.string() << " (--force replaces it)\n";
}

// Replaces a definition only with --force; a problem of the model is a note, not a stop.
modelcompiler::OutputQuestions Questions(const Arguments& args) {
  const bool force = args.Has("--force");
  modelcompiler::OutputQuestions questions;
  questions.Overwrite = [force](const std::filesystem::path&) { return force; };
  questions.WriteDespite = [](const std::string& problem) {
    PrintNotes({problem});
    return true;
  };
  return questions;
}

int CompilePackage(const Arguments& args, std::ostream& out) {
  args.ExpectPositionals(1, 1);
  const std::filesystem::path chosen = args.Positionals().front();
  const bool useInt = EqualsIgnoreCase(chosen.extension().string(), ".int");
  unrealpkg::TUTPackage package;
  modelcompiler::PackageModelList list;
  try {
    list = modelcompiler::ListPackageModels(package, chosen, useInt);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(chosen.string() + ": " + e.what());
  }
  if (args.Has("--list")) {
    const std::string ams = AmsValues(modelcompiler::ReadAdvancedModelSupport(package));
    for (const auto& entry : list.Entries) {
      out << Windows1252ToUtf8(entry.Caption) << '\t' << Windows1252ToUtf8(entry.ObjectName) << '\t'
          << Windows1252ToUtf8(Skins(entry.Item)) << '\t' << Windows1252ToUtf8(ams) << '\n';
      PrintNotes(entry.Notes);
    }
    return 0;
  }
  const PackageModelEntry& entry = ChooseModel(list, args.Value("--model"));
  modelcompiler::PackageModel model = modelcompiler::ReadPackageModel(package, entry);
  if (const auto description = args.Value("--description")) model.Description = *description;
  for (const auto& line : model.Information) out << Windows1252ToUtf8(line) << '\n';
  PrintNotes(model.Notes);

  const modelcompiler::FrameChoice choice = ChooseFrame(model, args);
  model3d::TObjeto3D compiled;
  const auto home = platform::ResolveProgramHome(args.Value("--home"));
  const modelcompiler::PackageModelCompilation compilation =
      modelcompiler::CompilePackageModelFiles(model, choice, home, Questions(args), compiled);
  for (const auto& note : compilation.Notes) out << Windows1252ToUtf8(note) << '\n';
  ReportOutput(compilation.Files, out);
  return 0;
}

// The list in the order --materials names its entries; the others follow.
void OrderMaterials(std::vector<modelcompiler::MaterialListEntry>& list, const std::string& names) {
  std::vector<std::string> pieces;
  model::SplitToList(names, ",", pieces);
  std::size_t next = 0;
  for (const std::string& piece : pieces) {
    const std::string name = platform::Trim(piece);
    if (name.empty()) continue;
    std::size_t at = next;
    while (at < list.size() && !EqualsIgnoreCase(list[at].Name, name)) ++at;
    if (at == list.size()) throw UsageError("the model has no material \"" + name + "\" to place");
    std::rotate(list.begin() + static_cast<long>(next), list.begin() + static_cast<long>(at),
                list.begin() + static_cast<long>(at) + 1);
    ++next;
  }
}

int CompileExternal(const Arguments& args, std::ostream& out) {
  args.ExpectPositionals(0, 0);
  const modelcompiler::ExternalModelInfo info = modelcompiler::InspectExternalModel(*args.Value("--external"));
  for (const auto& line : info.Lines) out << Windows1252ToUtf8(line) << '\n';
  model3d::TObjeto3D model;
  modelcompiler::ReadExternalMesh(info, args.IntValue("--mesh").value_or(0), model);
  std::vector<modelcompiler::MaterialListEntry> materials = modelcompiler::BuildMaterialList(model);
  if (const auto names = args.Value("--materials")) OrderMaterials(materials, *names);
  out << "Materials:";
  for (const auto& material : materials) out << ' ' << Windows1252ToUtf8(material.Name);
  out << '\n';
  if (args.Has("--list")) return 0;

  const auto home = platform::ResolveProgramHome(args.Value("--home"));
  const std::string description = args.Value("--description").value_or(modelcompiler::ExternalModelDescription(info));
  ReportOutput(modelcompiler::CompileExternalModel(model, info, materials, description, home, Questions(args)), out);
  return 0;
}

}  // namespace

int RunCompileModel(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {"--list", "--single-frame", "--mirror-x", "--force"},
                       {"--model", "--frame", "--sequence", "--description", "--home", "--external", "--mesh",
                        "--materials"});
  return args.Value("--external") ? CompileExternal(args, out) : CompilePackage(args, out);
}

}  // namespace cli
