#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "platform/TextEncoding.h"
#include "unrealpkg/ObjectClassRegistry.h"

namespace {

constexpr const char* Usage =
    "usage: marbelle COMMAND ...  (or marbelle --help, marbelle --version)\n"
    "  inspect PACKAGE [--json] [--properties NAME]\n"
    "      the package's header, names, imports and exports; or the tagged properties\n"
    "      (a class's default properties) of the exports called NAME\n"
    "  check PACKAGE...\n"
    "      reads every object of each package and reports the ones that fail\n"
    "  export-textures PACKAGE OUTDIR [--high-resolution]\n"
    "      writes the first mipmap of every texture as a PNG named after its object path;\n"
    "      --high-resolution takes the first compressed mipmap where it is the larger\n"
    "  export-mesh PACKAGE MESHNAME OUTFILE.obj [--frame N]\n"
    "      writes one frame of a mesh as a Wavefront OBJ file\n"
    "  game [--set DIR] [--home DIR]\n"
    "      where the game is and how it was found (exit status 1 when none is); --set keeps\n"
    "      DIR as the game's folder, --set \"\" goes back to detection\n"
    "  models [--json] [--home DIR]\n"
    "      the model catalogue: every model definition found in the program home\n"
    "  models --from-game [--game-dir DIR] [--force] [--home DIR]\n"
    "      makes a model definition for every player class the game's System/*.int files\n"
    "      declare, under CustomModels/Game; --force replaces the ones made before\n"
    "  project create --model PREFIX FILE.mrb [--force] [--home DIR]\n"
    "      writes a new, empty project; its name must begin with PREFIX + \"Skins\"; an\n"
    "      existing file is kept unless --force\n"
    "  project import FILE.mrb PICTURE... [--home DIR]\n"
    "      adds pictures named as the game names the model's textures, and saves\n"
    "  project from-package PACKAGE.utx OUT.mrb [--model PREFIX] [--int FILE.int] [--force] [--home DIR]\n"
    "      opens a skin package as a project: its textures as pictures in a folder beside\n"
    "      OUT.mrb, sorted into skins, sections, teams and faces by the model's names, with\n"
    "      the descriptions of its .int; prints what does not fit; replaces files only with --force\n"
    "  project show FILE.mrb [--json] [--home DIR]\n"
    "      the skins, sections and textures, with each texture's name in the package\n"
    "  compile FILE.mrb [--umod] [--install] [--game-dir DIR] [--reproducible] [--jobs N] [--home DIR]\n"
    "      writes the texture package (.utx) and localisation file (.int) beside the project;\n"
    "      --umod also packs them into an installer archive (.umod), --install copies them\n"
    "      into the game directory; --reproducible gives the same bytes for the same project\n"
    "  compile-model PACKAGE.u|PACKAGE.int [--list] [--model NAME] [--frame N | --sequence NAME --frame N]\n"
    "                [--single-frame] [--mirror-x] [--description TEXT] [--force] [--home DIR]\n"
    "      turns a player model of a package (its mesh objects, or with a .int file its player\n"
    "      classes) into a model definition and wire bitmaps under CustomModels; --list shows\n"
    "      the models; without --model the first by caption is compiled\n"
    "  compile-model --external FILE [--mesh N] [--materials A,B,...] [--list] [--description TEXT]\n"
    "                [--force] [--home DIR]\n"
    "      the same for a _d.3d, .3ds, .ms3d or .p3d model file, also writing its .mrbm;\n"
    "      --materials orders the material list (the first takes section 1)\n"
    "  render FILE.mrb [--skin CODE] [--team 0-3] [--face NAME] [--sequence NAME] [--frame N] [--preset NAME]\n"
    "         [--size WxH] [--turntable N] --out FILE.png [--home DIR]\n"
    "      draws the model in the project's skin, as the preview shows it, into a PNG (needs a\n"
    "      display with OpenGL; xvfb-run serves); --turntable N writes N pictures around the model\n"
    "  quantize PICTURE... --out DIR [--quality classic|high]\n"
    "      reduces each picture to 256 colours as texture packages store them (8-bit BMP)\n"
    "  umod list FILE.umod | umod extract FILE.umod OUTDIR | umod install FILE.umod [--game-dir DIR] [--dry-run]\n"
    "      an installer archive's product, version and entries; its files unpacked into OUTDIR;\n"
    "      or its files (not its manifests) copied into the game directory, into its folders in\n"
    "      whatever letter case they have; an archive with an unsafe path or any damage is refused\n";

}  // namespace

namespace cli {

std::string OneLine(std::string text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) ++i;
      if (i + 1 < text.size()) line += ": ";
    } else {
      line += text[i];
    }
  }
  return line;
}

}  // namespace cli

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + std::min(argc, 2), argv + argc);
  const std::string command = argc > 1 ? argv[1] : "";
  const std::map<std::string, std::function<int(const std::vector<std::string>&, std::ostream&)>> commands = {
      {"inspect", cli::RunInspect},
      {"check", cli::RunCheck},
      {"compile", cli::RunCompile},
      {"compile-model", cli::RunCompileModel},
      {"export-textures", cli::RunExportTextures},
      {"export-mesh", cli::RunExportMesh},
      {"game", cli::RunGame},
      {"models", cli::RunModels},
      {"project", cli::RunProject},
      {"quantize", cli::RunQuantize},
      {"render", cli::RunRender},
      {"umod", cli::RunUmod}};
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << Usage;
    return 0;
  }
  if (command == "--version") {
    std::cout << "marbelle " << MARBELLE_VERSION << '\n';
    return 0;
  }
  const auto it = commands.find(command);
  if (it == commands.end()) {
    std::cerr << (command.empty() ? "marbelle: no command given\n" : "marbelle: unknown command \"" + command + "\"\n")
              << Usage;
    return 1;
  }
  unrealpkg::RegisterAllObjectClasses();
  try {
    return it->second(words, std::cout);
  } catch (const cli::UsageError& e) {
    std::cerr << "marbelle " << command << ": " << e.what() << "\n" << Usage;
  } catch (const std::exception& e) {
    std::cerr << "marbelle " << command << ": " << platform::Windows1252ToUtf8(cli::OneLine(e.what())) << '\n';
  }
  return 1;
}
