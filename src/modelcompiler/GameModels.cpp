#include "modelcompiler/GameModels.h"

#include <algorithm>
#include <map>
#include <set>

#include "model/ModelCatalogue.h"
#include "modelcompiler/ModelCompilation.h"
#include "modelcompiler/ModelFiles.h"
#include "platform/AsciiText.h"
#include "platform/FileLookup.h"
#include "platform/GameDirectory.h"
#include "unrealpkg/TUTPackage.h"

namespace modelcompiler {

namespace {

using platform::ToLowerAscii;
using State = GameModel::State;

// The player classes of every localisation file in System, each once, grouped by their package.
std::map<std::string, std::vector<DeclaredPlayerClass>> DeclaredClassesByPackage(const std::filesystem::path& system) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(system, error), end; !error && it != end; it.increment(error))
    if (platform::EqualsIgnoreCase(it->path().extension().string(), ".int")) files.push_back(it->path());
  std::sort(files.begin(), files.end());
  std::map<std::string, std::vector<DeclaredPlayerClass>> byPackage;
  std::set<std::string> seen;
  for (const std::filesystem::path& file : files) {
    std::vector<DeclaredPlayerClass> classes;
    try {
      classes = ReadPlayerClassNames(file);
    } catch (const std::runtime_error&) {
      continue;  // gone since the folder was listed
    }
    for (DeclaredPlayerClass& declared : classes) {
      const std::size_t dot = declared.Name.find('.');
      if (dot == std::string::npos || !seen.insert(ToLowerAscii(declared.Name)).second) continue;
      byPackage[declared.Name.substr(0, dot)].push_back(std::move(declared));
    }
  }
  return byPackage;
}

bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  return a.lexically_normal() == b.lexically_normal() || std::filesystem::equivalent(a, b, error);
}

}  // namespace

std::filesystem::path GameModelsDirectory(const std::filesystem::path& home) {
  return CustomModelsDirectory(home) / "Game";
}

struct GameModelFinder::Source {
  std::shared_ptr<unrealpkg::TUTPackage> Package;
  PackageModelEntry Entry;
};

GameModelFinder::GameModelFinder(const std::filesystem::path& gameDirectory, const std::filesystem::path& home,
                                 const model::ModelCatalogue& catalogue)
    : home_(home) {
  const std::filesystem::path system = platform::GameFolder(gameDirectory, "System");
  const std::filesystem::path folder = GameModelsDirectory(home);
  std::map<std::string, const model::TModelo*> defined;
  for (const auto& entry : catalogue.Entries) defined.emplace(entry->Prefix, entry.get());

  std::vector<std::pair<GameModel, std::shared_ptr<Source>>> found;
  const auto unreadable = [&](const DeclaredPlayerClass& declared, std::string reason) {
    found.push_back({{declared.Description.empty() ? declared.Name : declared.Description, declared.Name, {}, {},
                      State::Unreadable, std::move(reason)},
                     nullptr});
  };
  for (const auto& [packageName, classes] : DeclaredClassesByPackage(system)) {
    const auto file = platform::FindFileIgnoringCase(system, packageName + ".u");
    if (!file) {
      for (const auto& declared : classes)
        unreadable(declared, "its package " + packageName + ".u is not in " + system.string());
      continue;
    }
    auto package = std::make_shared<unrealpkg::TUTPackage>();
    std::vector<SkippedPlayerClass> skipped;
    PackageModelList list;
    try {
      list = ListDeclaredPlayerClasses(*package, *file, classes, &skipped);
    } catch (const std::exception& e) {
      for (const auto& declared : classes) unreadable(declared, e.what());
      continue;
    }
    for (const SkippedPlayerClass& skip : skipped) unreadable(skip.Class, skip.Reason);
    for (PackageModelEntry& entry : list.Entries) {
      // Named as the localisation file names it.
      std::string name = packageName + "." + entry.ObjectName;
      for (const auto& declared : classes)
        if (platform::EqualsIgnoreCase(declared.Name, name)) name = declared.Name;
      GameModel model{entry.Caption, name, {}, {}, State::New, {}};
      try {
        model.Prefix = OutputBaseName(PackageModelName(*package, entry));
      } catch (const std::exception& e) {
        model.Status = State::Unreadable;
        model.Detail = e.what();
      }
      found.push_back({std::move(model), std::make_shared<Source>(Source{package, std::move(entry)})});
    }
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return ToLowerAscii(a.first.Caption) < ToLowerAscii(b.first.Caption);
  });

  std::map<std::string, std::string> claimed;
  for (auto& [model, source] : found) {
    if (model.Status != State::Unreadable) {
      model.Definition = folder / (model.Prefix + ".mrbe");
      const auto earlier = claimed.find(model.Prefix);
      const auto entry = defined.find(model.Prefix);
      if (earlier != claimed.end()) {
        model.Status = State::SameMesh;
        model.Detail = "it wears the same mesh as \"" + earlier->second + "\"";
      } else if (entry != defined.end() && !SameFolder(entry->second->DefinitionFile().parent_path(), folder)) {
        model.Status = State::DefinedElsewhere;
        model.Detail = "the model " + model.Prefix + " is defined by " + entry->second->DefinitionFile().string();
      } else if (entry != defined.end() || std::filesystem::exists(model.Definition)) {
        model.Status = State::Existing;
      }
      claimed.emplace(model.Prefix, model.Caption);
    }
    models_.push_back(std::move(model));
    sources_.push_back(std::move(source));
  }
}

GameModelFinder::~GameModelFinder() = default;

std::size_t GameModelFinder::Count(GameModel::State state) const {
  return static_cast<std::size_t>(
      std::count_if(models_.begin(), models_.end(), [&](const GameModel& model) { return model.Status == state; }));
}

void GameModelFinder::Write(std::size_t index) {
  const Source& source = *sources_.at(index);
  const PackageModel model = ReadPackageModel(*source.Package, source.Entry);
  OutputQuestions questions;
  questions.Overwrite = [](const std::filesystem::path&) { return true; };
  model3d::TObjeto3D compiled;
  CompilePackageModelFiles(model, InitialFrameChoice(model), home_, questions, compiled, GameModelsDirectory(home_));
}

std::vector<GameModelOutcome> WriteGameModels(GameModelFinder& finder, bool replaceExisting,
                                              const GameModelProgress& progress) {
  using Result = GameModelOutcome::Result;
  const std::vector<GameModel>& models = finder.Models();
  const auto writes = [&](const GameModel& model) {
    return model.Status == State::New || (replaceExisting && model.Status == State::Existing);
  };
  const std::size_t total = static_cast<std::size_t>(std::count_if(models.begin(), models.end(), writes));
  std::size_t done = 0;
  std::vector<GameModelOutcome> outcomes;
  for (std::size_t i = 0; i < models.size(); ++i) {
    const GameModel& model = models[i];
    GameModelOutcome outcome{&model, Result::Added, model.Detail};
    if (writes(model)) {
      if (progress) progress(done++, total, model.Caption);
      outcome.What = model.Status == State::New ? Result::Added : Result::Replaced;
      try {
        finder.Write(i);
      } catch (const std::exception& e) {
        outcome.What = Result::Failed;
        outcome.Detail = e.what();
      }
    } else {
      outcome.What = model.Status == State::Existing           ? Result::Kept
                     : model.Status == State::DefinedElsewhere ? Result::DefinedElsewhere
                     : model.Status == State::SameMesh         ? Result::SameMesh
                                                               : Result::Failed;
    }
    outcomes.push_back(std::move(outcome));
  }
  if (progress) progress(total, total, {});
  return outcomes;
}

std::vector<std::string> DescribeGameModels(const std::vector<GameModelOutcome>& outcomes) {
  using Result = GameModelOutcome::Result;
  std::vector<std::string> lines;
  for (const GameModelOutcome& outcome : outcomes) {
    const GameModel& model = *outcome.Model;
    const std::string name = "\"" + model.Caption + "\" (" + model.ClassName + ")";
    switch (outcome.What) {
      case Result::Added:
        lines.push_back("Added " + name + ": " + model.Definition.string());
        break;
      case Result::Replaced:
        lines.push_back("Replaced " + name + ": " + model.Definition.string());
        break;
      case Result::Kept:
        lines.push_back("Kept the existing " + name + ": " + model.Definition.string());
        break;
      case Result::DefinedElsewhere:
      case Result::SameMesh:
        lines.push_back("Left out " + name + ": " + outcome.Detail);
        break;
      case Result::Failed:
        lines.push_back("Cannot add " + name + ": " + outcome.Detail);
        break;
    }
  }
  return lines;
}

std::size_t CountPlayerModels(const std::vector<GameModelOutcome>& outcomes) {
  using Result = GameModelOutcome::Result;
  return static_cast<std::size_t>(std::count_if(outcomes.begin(), outcomes.end(), [](const GameModelOutcome& outcome) {
    return outcome.What != Result::Failed && outcome.What != Result::SameMesh;
  }));
}

}  // namespace modelcompiler
