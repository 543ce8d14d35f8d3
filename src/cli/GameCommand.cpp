#include <filesystem>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "platform/GameDetection.h"
#include "platform/ProgramHome.h"
#include "platform/ProgramSettings.h"

namespace cli {

int RunGame(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {}, {"--home", "--set"});
  args.ExpectPositionals(0, 0);
  const std::filesystem::path settings = platform::SettingsFilePath(platform::ResolveProgramHome(args.Value("--home")));
  if (const auto folder = args.Value("--set")) {
    if (!folder->empty()) {
      const std::filesystem::path chosen = std::filesystem::absolute(*folder);
      if (!platform::MissingGameFolders(chosen).empty())
        throw std::runtime_error("The folder " + chosen.string() + " holds no System and Textures folders of the game");
      platform::WriteGameDirectorySetting(settings, chosen.string());
    } else {
      platform::WriteGameDirectorySetting(settings, "");
    }
  }
  const platform::FoundGame game = platform::FindGame(settings);
  out << platform::DescribeFoundGame(game) << '\n';
  return game.Found() ? 0 : 1;
}

}  // namespace cli
