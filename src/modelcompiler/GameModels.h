#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "modelcompiler/PackageModelList.h"

namespace model {
struct ModelCatalogue;
}

namespace modelcompiler {

// Where the models made from the game's own player classes live, apart from
// the definitions a user makes by hand.
std::filesystem::path GameModelsDirectory(const std::filesystem::path& home);

// A player class the game declares, and how it stands against the catalogue.
struct GameModel {
  enum class State {
    // No definition has its prefix yet.
    New,
    // Its definition in the game models' folder exists already.
    Existing,
    // A definition elsewhere, made by hand, has its prefix.
    DefinedElsewhere,
    // An earlier class of the game wears the same mesh.
    SameMesh,
    // It cannot be read; Detail says why.
    Unreadable,
  };
  // As the game's menus show it, and as "Package.Class".
  std::string Caption;
  std::string ClassName;
  std::string Prefix;
  std::filesystem::path Definition;
  State Status = State::New;
  std::string Detail;
};

// The player classes that every System/*.int of the game declares, read from
// their packages in System (any letter case), in caption order. Packages are
// opened and their classes read, but no mesh is: this is quick enough for
// every start.
class GameModelFinder {
public:
  GameModelFinder(const std::filesystem::path& gameDirectory, const std::filesystem::path& home,
                  const model::ModelCatalogue& catalogue);
  ~GameModelFinder();
  GameModelFinder(const GameModelFinder&) = delete;
  GameModelFinder& operator=(const GameModelFinder&) = delete;

  const std::vector<GameModel>& Models() const { return models_; }
  std::size_t Count(GameModel::State state) const;

  // Writes the definition and wire bitmaps of a New or Existing model,
  // replacing what is there. Throws with the reason when it cannot.
  void Write(std::size_t index);

private:
  struct Source;

  std::filesystem::path home_;
  std::vector<GameModel> models_;
  std::vector<std::shared_ptr<Source>> sources_;
};

// What writing did to one model.
struct GameModelOutcome {
  enum class Result { Added, Replaced, Kept, DefinedElsewhere, SameMesh, Failed };
  const GameModel* Model = nullptr;
  Result What = Result::Added;
  std::string Detail;
};

using GameModelProgress = std::function<void(std::size_t done, std::size_t total, const std::string& caption)>;

// Writes every New model, and every Existing one when `replaceExisting`; a
// model that fails is told with its reason and the rest go on. Unreadable
// models are told as failures.
std::vector<GameModelOutcome> WriteGameModels(GameModelFinder& finder, bool replaceExisting,
                                              const GameModelProgress& progress = {});

// One line per model: what was added, replaced or kept, and what could not be.
std::vector<std::string> DescribeGameModels(const std::vector<GameModelOutcome>& outcomes);

// How many of the game's player models the catalogue now offers, each mesh once.
std::size_t CountPlayerModels(const std::vector<GameModelOutcome>& outcomes);

}  // namespace modelcompiler
