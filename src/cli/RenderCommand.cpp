#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "compile/PaletteGeneration.h"
#include "model/ModelCatalogue.h"
#include "platform/AsciiText.h"
#include "platform/ParallelFor.h"
#include "platform/ProgramHome.h"
#include "preview/CameraPresets.h"
#include "preview/PreviewSession.h"
#include "project/ProjectDocument.h"
#include "project/TeamLabels.h"
#include "render/OffscreenRenderer.h"
#include "render/PreviewScene.h"
#include "render/SceneTextures.h"

namespace cli {

namespace {

int IndexOf(const std::vector<std::string>& list, const std::string& entry, const std::string& what) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (platform::EqualsIgnoreCase(list[i], entry)) return static_cast<int>(i);
  std::string known;
  for (const std::string& item : list) known += (known.empty() ? "" : ", ") + item;
  throw UsageError("no " + what + " \"" + entry + "\"; there are: " + known);
}

std::pair<int, int> ParseSize(const std::string& text) {
  int width = 0, height = 0;
  char x = 0, rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &rest) != 3 || (x != 'x' && x != 'X') || width < 1 ||
      height < 1 || width > 8192 || height > 8192)
    throw UsageError("--size takes WIDTHxHEIGHT, each 1 to 8192, as in 640x480");
  return {width, height};
}

// A turntable's views go on one sheet, four to a row.
constexpr int SheetColumns = 4;

// Without a display Qt ends the program before it can say why.
bool HasDisplay() {
  return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY") ||
         qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace

int RunRender(const std::vector<std::string>& words, std::ostream& out) {
  const Arguments args(words, {},
                       {"--home", "--skin", "--team", "--face", "--sequence", "--frame", "--preset", "--size",
                        "--turntable", "--out"});
  args.ExpectPositionals(1, 1);
  const auto outFile = args.Value("--out");
  if (!outFile) throw UsageError("--out FILE.png is needed");
  const auto [width, height] = ParseSize(args.Value("--size").value_or("640x480"));
  const int turns = args.IntValue("--turntable").value_or(1);
  if (turns < 1 || turns > 64) throw UsageError("--turntable takes 1 to 64 views");
  const int columns = std::min(turns, SheetColumns);
  const int rows = (turns + SheetColumns - 1) / SheetColumns;
  if (static_cast<long long>(width) * columns > 16384 || static_cast<long long>(height) * rows > 16384)
    throw UsageError("the turntable's sheet would be larger than 16384 pixels a side");
  if (!HasDisplay())
    throw std::runtime_error("no display to draw with OpenGL on; run it on the desktop or under xvfb-run");

  int argc = 1;
  char name[] = "marbelle";
  char* argv[] = {name, nullptr};
  QGuiApplication application(argc, argv);

  const std::filesystem::path home = platform::ResolveProgramHome(args.Value("--home"));
  const model::ModelCatalogue catalogue = model::ScanModelCatalogue(home);
  auto document = project::ProjectDocument::Load(std::filesystem::absolute(args.Positionals()[0]), catalogue, home);
  compile::PaletteGenerator().Generate(*document, platform::HardwareJobs());
  const model::TModelo& definition = document->Model();

  preview::PreviewSession session;
  try {
    session.Load(definition, home);
  } catch (const preview::PreviewLoadError& e) {
    throw std::runtime_error(e.Reason() + ": " + e.what());
  }
  if (!session.Mesh()) throw std::runtime_error("The model " + definition.Name + " names no mesh to preview.");
  session.RefreshChoices(document->Root());
  if (const auto skin = args.Value("--skin")) {
    std::vector<std::string> codes;
    for (const project::SkinNode* node : session.Skins()) codes.push_back(node->Code());
    session.ChooseSkin(IndexOf(codes, *skin, "skin"));
  }
  if (const auto team = args.IntValue("--team")) {
    if (*team < 0 || *team > 3) throw UsageError("--team takes 0 (red) to 3 (gold)");
    session.ChooseTeam(IndexOf(session.Teams(), std::string(project::LabelOfTeamDigit(static_cast<char>('0' + *team))), "team"));
  }
  if (const auto face = args.Value("--face")) session.ChooseFace(IndexOf(session.Faces(), *face, "face"));
  if (const auto sequence = args.Value("--sequence")) session.ChooseAnimation(IndexOf(session.AnimationEntries(), *sequence, "sequence"));
  preview::FrameBlend frame = session.FrameAt(0);
  if (const auto number = args.IntValue("--frame")) {
    const auto numbered = session.FrameNumbered(*number);
    if (!numbered) throw UsageError("--frame is past the last frame, " + std::to_string(session.LastFrameNumber()));
    frame = *numbered;
  }
  if (const auto preset = args.Value("--preset")) {
    std::vector<std::string> names;
    for (const model::TCameraPreset& p : definition.Presets) names.push_back(p.Name);
    session.Camera = preview::PoseOf(definition.Presets[static_cast<std::size_t>(IndexOf(names, *preset, "camera preset"))]);
  }
  const preview::SlotResolution resolution = session.Textures(definition, compile::QualityOf(document->Options()));
  for (const std::string& message : resolution.Messages) std::cerr << "marbelle render: warning: " << message << '\n';

  render::PreviewScene scene;
  scene.SetMesh(session.Mesh());
  scene.SetPlacement(session.Placement);
  scene.SetFrame(frame);
  render::ApplyTextures(scene, definition, resolution, true);
  render::OffscreenRenderer renderer;
  QImage sheet(width * columns, height * rows, QImage::Format_RGB32);
  sheet.fill(QColor(192, 192, 192));
  for (int turn = 0; turn < turns; ++turn) {
    preview::CameraPose pose = session.Camera;
    preview::Orbit(pose, 0, 360.0f * static_cast<float>(turn) / static_cast<float>(turns));
    scene.SetCamera(pose);
    const QImage view = renderer.Render(scene, width, height);
    const int x = (turn % SheetColumns) * width;
    const int y = (turn / SheetColumns) * height;
    for (int row = 0; row < height; ++row)
      std::memcpy(sheet.scanLine(y + row) + static_cast<std::size_t>(x) * 4, view.constScanLine(row),
                  static_cast<std::size_t>(width) * 4);
  }
  if (!sheet.save(QString::fromStdString(*outFile), "PNG"))
    throw std::runtime_error("Cannot write the picture " + *outFile);
  out << *outFile << '\n';
  return 0;
}

}  // namespace cli
