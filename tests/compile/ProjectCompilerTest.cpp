#include <gtest/gtest.h>

#include "compile/CompileCancelled.h"
#include "compile/ProjectCompiler.h"
#include "compile/UmodArchive.h"
#include "support/ProjectFixture.h"

using namespace project;

namespace {

std::unique_ptr<ProjectDocument> Project(ProjectFixture& f, int textures) {
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  for (int i = 0; i < textures; ++i)
    document->AddTexture(SectionNode(*document, skin, 1), f.Picture("t" + std::to_string(i) + ".bmp", static_cast<std::uint8_t>(20 * i), 16),
                         "< Default >", "face" + std::to_string(i));
  return document;
}

std::size_t FilesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

}  // namespace

TEST(ProjectCompilerTest, CompilesPacksAndReportsItsProgress) {
  ProjectFixture f;
  auto document = Project(f, 3);
  compile::CompileRequest request;
  request.Umod = true;
  request.Reproducible = true;
  std::vector<compile::CompileProgress> steps;
  const compile::CompileOutcome outcome =
      compile::ProjectCompiler(document->Snapshot(), request).Run({}, [&](const compile::CompileProgress& progress) {
        steps.push_back(progress);
      });
  EXPECT_EQ(outcome.Message, "Project compiled and UMOD created!");
  EXPECT_EQ(outcome.PackageFile, f.home / "SoldierSkins.utx");
  EXPECT_EQ(outcome.WrittenFiles,
            std::vector({outcome.PackageFile, f.home / "SoldierSkins.int", f.home / "SoldierSkins.umod"}));
  EXPECT_EQ(compile::ReadUmodArchive(outcome.UmodFile).entries.size(), 4u);
  ASSERT_GE(steps.size(), 5u);
  EXPECT_EQ(steps.front().Step, "Generating palettes");
  EXPECT_EQ(steps.back().Fraction, 1.0);
  for (std::size_t i = 1; i < steps.size(); ++i) EXPECT_GE(steps[i].Fraction, steps[i - 1].Fraction) << i;
  // The snapshot was compiled; the document itself is as it was.
  EXPECT_FALSE(TextureNodes(document->Root()).front()->Texture().WorkingBitmap);
}

TEST(ProjectCompilerTest, AStopLeavesTheOldFilesAndNoNewOne) {
  ProjectFixture f;
  auto document = Project(f, 6);
  f.WriteText(f.home / "SoldierSkins.utx", "the package of last week");
  const std::size_t before = FilesIn(f.home.Path());
  compile::CompileRequest request;
  request.Umod = true;
  for (const double stopAt : {0.0, 0.5, 0.9}) {
    std::stop_source stop;
    compile::ProjectCompiler compiler(document->Snapshot(), request);
    EXPECT_THROW(compiler.Run(stop.get_token(),
                              [&](const compile::CompileProgress& progress) {
                                if (progress.Fraction >= stopAt) stop.request_stop();
                              }),
                 compile::CompileCancelled)
        << stopAt;
    EXPECT_EQ(FilesIn(f.home.Path()), before) << stopAt;
    EXPECT_EQ(testsupport::ReadFile(f.home / "SoldierSkins.utx"),
              (std::vector<std::uint8_t>{'t', 'h', 'e', ' ', 'p', 'a', 'c', 'k', 'a', 'g', 'e', ' ', 'o', 'f', ' ', 'l',
                                         'a', 's', 't', ' ', 'w', 'e', 'e', 'k'}));
  }
}
