#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <csignal>
#include <fstream>
#include <sstream>

#include "CliRunner.h"
#include "compile/UmodArchive.h"
#include "support/TestHelpers.h"
#include "raster/PictureFile.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureObjects.h"

using project::SkinNode;

namespace {

QString Corpus(const char* relative) { return QString::fromStdString(testsupport::CorpusFile(relative).string()); }

int CountLines(const std::string& text, const std::string& prefix) {
  std::istringstream in(text);
  int count = 0;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) ++count;
  return count;
}

class CliTest : public testing::Test {
protected:
  void SetUp() override {
    MARBELLE_NEEDS_CORPUS(!testsupport::CorpusPackages().empty());
  }
};

}  // namespace

TEST_F(CliTest, InspectShowsHeaderAndTables) {
  const Outcome text = Marbelle({"inspect", Corpus("ut-server/Textures/Male1Skins.utx")});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("Version:        61"), std::string::npos);
  EXPECT_NE(text.out.find("Heritage:       1 GUIDs"), std::string::npos);
  EXPECT_NE(text.out.find("Exports (14)"), std::string::npos);

  const Outcome json = Marbelle({"inspect", "--json", Corpus("ut-server/Textures/BossSkins.utx")});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonObject document = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
  EXPECT_EQ(document["version"].toInt(), 68);
  EXPECT_EQ(document["licenseeMode"].toInt(), 0);
  EXPECT_EQ(document["packageFlags"].toInt(), 1);
  EXPECT_EQ(document["names"].toArray().size(), 63);
  ASSERT_EQ(document["imports"].toArray().size(), 3);
  EXPECT_EQ(document["imports"].toArray()[0].toObject()["classPackage"].toString(), "Core");
  const QJsonArray exports = document["exports"].toArray();
  ASSERT_EQ(exports.size(), 44);
  int textures = 0;
  for (const auto& entry : exports) {
    const QJsonObject e = entry.toObject();
    for (const char* key : {"index", "className", "objectName", "packagePath", "objectFlags", "serialSize", "serialOffset"})
      EXPECT_TRUE(e.contains(key)) << key;
    textures += e["className"].toString() == "Texture";
  }
  EXPECT_EQ(textures, 22);

  const Outcome empty = Marbelle({"inspect", "--json", Corpus("utpatches/System/Window.u")});
  EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(empty.out)).object()["exports"].toArray().size(), 0);
}

TEST_F(CliTest, PropertiesOfAPlayerClass) {
  const Outcome text = Marbelle({"inspect", Corpus("utpatches/System/MultiMesh.u"), "--properties", "tskaarj"});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("MenuName[0] str = \"Skaarj Hybrid\"\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("Mesh[0] object = LodMesh'EpicCustomModels.TSkM'\n"), std::string::npos);
  EXPECT_NE(text.out.find("Deaths[5] object = Sound'UnrealI.Skaarj.SKPDeath3'\n"), std::string::npos);

  const Outcome json = Marbelle({"inspect", Corpus("ut-server/System/Engine.u"), "--properties=Actor", "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const QJsonArray properties = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
  bool sawRole = false;
  for (const auto& entry : properties) {
    const QJsonObject p = entry.toObject();
    if (p["name"].toString() != "Role") continue;
    sawRole = true;
    EXPECT_EQ(p["arrayIndex"].toInt(), -1);
    EXPECT_EQ(p["type"].toInt(), 1);
    EXPECT_EQ(p["typeText"].toString(), "ROLE_Authority");
    EXPECT_EQ(p["value"].toString(), "ROLE_Authority");
  }
  EXPECT_TRUE(sawRole);
}

TEST_F(CliTest, CheckReadsTheWholeCorpus) {
  QStringList arguments{"check"};
  for (const auto& path : testsupport::CorpusPackages()) arguments << QString::fromStdString(path.string());
  const Outcome run = Marbelle(arguments);
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(CountLines(run.out, "/"), static_cast<int>(testsupport::CorpusPackages().size()) + 1) << run.out;
  // The one note: a music package whose data a server installation stripped.
  EXPECT_NE(run.out.find("Botmca9.umx: export 0 Music Botmca9: note: data stripped\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Botmca9.umx: 1 objects read, 0 failed, 1 note\n"), std::string::npos);

  testsupport::TempDir dir;
  std::vector<std::uint8_t> bytes = testsupport::ReadFile(testsupport::CorpusFile("ut-server/Textures/Faces.utx"));
  bytes.resize(bytes.size() / 2);
  testsupport::WriteFile(dir / "Cut.utx", bytes);
  const Outcome damaged = Marbelle({"check", QString::fromStdString((dir / "Cut.utx").string())});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.out.find("Cut.utx: cannot be read: Exception processing package"), std::string::npos)
      << damaged.out;
}

TEST_F(CliTest, ExportedTexturesHoldThePackagesPixelsAndPalette) {
  testsupport::TempDir dir;
  const auto package = testsupport::CorpusFile("ut-server/Textures/Male1Skins.utx");
  const Outcome run = Marbelle({"export-textures", QString::fromStdString(package.string()),
                            QString::fromStdString(dir.Path().string())});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("7 textures written"), std::string::npos);

  // Compare with the bytes in the file itself, not with what our reader makes of them.
  const std::vector<std::uint8_t> file = testsupport::ReadFile(package);
  unrealpkg::TUTPackage reader(package);
  const int kurgan = reader.FindExport("Kurgan", "Texture");
  ASSERT_GE(kurgan, 0);
  auto& texture = dynamic_cast<unrealpkg::TUTObjectClassTexture&>(reader.GetExport(kurgan)->Object());
  unrealpkg::TUTObjectUse use(texture);
  const std::size_t start = static_cast<std::size_t>(reader.GetExport(kurgan)->SerialOffset) + texture.GetMip(0).DataStart;
  auto& palette = dynamic_cast<unrealpkg::TUTObjectClassPalette&>(reader.GetExport(texture.PaletteRef() - 1)->Object());
  unrealpkg::TUTObjectUse paletteUse(palette);

  const QImage image(QString::fromStdString((dir / "Kurgan.png").string()));
  ASSERT_EQ(image.format(), QImage::Format_Indexed8);
  ASSERT_EQ(image.width(), 256);
  ASSERT_EQ(image.height(), 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      ASSERT_EQ(image.pixelIndex(x, y), file[start + static_cast<std::size_t>(y * 256 + x)]) << x << "," << y;
  for (int i = 0; i < 256; ++i) {
    const auto& c = palette.GetColor(i);
    EXPECT_EQ(image.color(i), qRgb(c.R, c.G, c.B)) << i;
  }
}

TEST_F(CliTest, ExportedMeshes) {
  testsupport::TempDir dir;
  const QString obj = QString::fromStdString((dir / "cow.obj").string());
  const Outcome run = Marbelle({"export-mesh", Corpus("utpatches/System/epiccustommodels.u"), "TCowMesh", obj, "--frame", "100"});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ifstream in(obj.toStdString());
  const std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(CountLines(text, "v "), 330);
  EXPECT_EQ(CountLines(text, "vt "), 579);
  EXPECT_EQ(CountLines(text, "f "), 592);
  EXPECT_GE(CountLines(text, "g Skin"), 2);

  const Outcome skeletal = Marbelle({"export-mesh", Corpus("ut99mods/System/C4.u"), "C4", obj});
  ASSERT_EQ(skeletal.status, 0) << skeletal.err;
  const Outcome mesh = Marbelle({"export-mesh", Corpus("utpatches/System/relics.u"), "RelicSkull", obj, "--frame=29"});
  ASSERT_EQ(mesh.status, 0) << mesh.err;

  const Outcome past = Marbelle({"export-mesh", Corpus("utpatches/System/epiccustommodels.u"), "TCowMesh", obj, "--frame", "266"});
  EXPECT_EQ(past.status, 1);
  EXPECT_EQ(past.err, "marbelle export-mesh: Frame 266 is outside the 266 frames of TCowMesh\n");
}

TEST_F(CliTest, ErrorsAreOneLineNamingTheFile) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "notes.u", {'n', 'o', 't', 'e', 's', ' ', 'o', 'n', 'l', 'y'});
  const Outcome notPackage = Marbelle({"inspect", QString::fromStdString((dir / "notes.u").string())});
  EXPECT_EQ(notPackage.status, 1);
  EXPECT_EQ(notPackage.err, "marbelle inspect: Exception processing package " + (dir / "notes.u").string() +
                                ": ERROR! This isn't an Unreal package\n");
  EXPECT_TRUE(notPackage.out.empty());

  const Outcome missingMesh = Marbelle({"export-mesh", Corpus("utpatches/System/relics.u"), "Nothing", "x.obj"});
  EXPECT_EQ(missingMesh.status, 1);
  EXPECT_NE(missingMesh.err.find("relics.u: no Mesh, LodMesh or SkeletalMesh is named \"Nothing\""), std::string::npos);

  EXPECT_EQ(Marbelle({"frobnicate"}).status, 1);
  EXPECT_EQ(Marbelle({"inspect"}).status, 1);
  EXPECT_EQ(Marbelle({"export-mesh", "a", "b", "c", "--frame", "x"}).status, 1);
}

TEST(CliProjectTest, ModelsAndProjectCommands) {
  testsupport::TempDir home;
  const QString homeArg = QString::fromStdString(home.Path().string());
  const std::string definition = "[Model]\nName=Soldier\nPrefix=Soldier\nSection1=Body, TEAM\nSection3=Head, FACE\n"
                                 "Mesh=SoldierSkins.Soldier\nScaleX=1.5\nOffsetZ=-0.1\nTurn=90\n"
                                 "Preset1=Back;0;0,5;-2000;1;2;3\n";
  testsupport::WriteFile(home / "Soldier.mrbe", std::vector<std::uint8_t>(definition.begin(), definition.end()));
  testsupport::WriteFile(home / "Broken.mrbe", {'[', 'M', 'o', 'd', 'e', 'l', ']', '\n', 'M', 'e', 's', 'h', '=', 'a',
                                                '\n', 'S', 'c', 'a', 'l', 'e', 'X', '=', 'x', '\n'});
  const Outcome models = Marbelle({"models", "--json", "--home", homeArg});
  ASSERT_EQ(models.status, 0) << models.err;
  const QJsonObject catalogue = QJsonDocument::fromJson(QByteArray::fromStdString(models.out)).object();
  ASSERT_EQ(catalogue["models"].toArray().size(), 1);
  const QJsonObject soldier = catalogue["models"].toArray()[0].toObject();
  EXPECT_EQ(soldier["prefix"].toString(), "Soldier");
  EXPECT_EQ(soldier["preview"].toString(), "Yes");
  EXPECT_EQ(soldier["sections"].toArray()[0].toObject()["description"].toString(),
            "Section 1, Textures are 256x256, Allows Teams, Sets LODSet to Skin");
  // The placement and the camera presets, for the preview and for scripts.
  const QJsonObject placement = soldier["placement"].toObject();
  EXPECT_EQ(placement["scaleX"].toDouble(), 1.5);
  EXPECT_EQ(placement["scaleY"].toDouble(), 1.0);
  EXPECT_EQ(placement["offsetZ"].toDouble(), -0.1);
  EXPECT_EQ(placement["turn"].toDouble(), 90.0);
  EXPECT_EQ(placement["pitch"].toDouble(), 0.0);
  ASSERT_EQ(soldier["presets"].toArray().size(), 1);
  const QJsonObject back = soldier["presets"].toArray()[0].toObject();
  EXPECT_EQ(back["name"].toString(), "Back");
  EXPECT_EQ(back["cameraY"].toDouble(), 0.5);
  EXPECT_EQ(back["cameraZ"].toDouble(), -2000.0);
  EXPECT_EQ(back["targetX"].toDouble(), 1.0);
  EXPECT_EQ(back["targetZ"].toDouble(), 3.0);
  EXPECT_EQ(catalogue["problems"].toArray().size(), 1);
  EXPECT_NE(models.err.find("Broken.mrbe"), std::string::npos) << models.err;

  const QString project = QString::fromStdString((home / "SoldierSkins.mrb").string());
  ASSERT_EQ(Marbelle({"project", "create", "--model", "Soldier", project, "--home", homeArg}).status, 0);
  EXPECT_EQ(Marbelle({"project", "create", "--model", "Soldier", QString::fromStdString((home / "Bad.mrb").string()),
                      "--home", homeArg}).err,
            "marbelle project: Filename prefix is incorrect. The name must begin with \"SoldierSkins\". Will not "
            "save.\n");

  QImage picture(8, 8, QImage::Format_RGB888);
  picture.fill(Qt::red);
  for (const char* name : {"blst1.png", "blst1t_2.png", "blst3Face2.png", "blst7.png"})
    ASSERT_TRUE(picture.save(QString::fromStdString((home / name).string())));
  const Outcome imported = Marbelle({"project", "import", project, QString::fromStdString((home / "blst1.png").string()),
                                     QString::fromStdString((home / "blst1t_2.png").string()),
                                     QString::fromStdString((home / "blst3Face2.png").string()),
                                     QString::fromStdString((home / "blst7.png").string()), "--home", homeArg});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_NE(imported.out.find("3 textures imported"), std::string::npos);
  EXPECT_NE(imported.err.find("blst7.png"), std::string::npos);

  const Outcome shown = Marbelle({"project", "show", project, "--json", "--home", homeArg});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const QJsonArray sections =
      QJsonDocument::fromJson(QByteArray::fromStdString(shown.out)).object()["skins"].toArray()[0].toObject()["sections"].toArray();
  ASSERT_EQ(sections.size(), 2);
  const QJsonArray body = sections[0].toObject()["textures"].toArray();
  ASSERT_EQ(body.size(), 2);
  EXPECT_EQ(body[0].toObject()["textureName"].toString(), "blst1");
  EXPECT_EQ(body[1].toObject()["caption"].toString(), "<Green Team> (t_2)");
  EXPECT_EQ(body[1].toObject()["textureName"].toString(), "blst1T_2");
  EXPECT_EQ(sections[1].toObject()["textures"].toArray()[0].toObject()["textureName"].toString(), "blst3face2");

  // An existing project is replaced by an empty one only on request.
  const QStringList create = {"project", "create", "--model", "Soldier", project, "--home", homeArg};
  const Outcome refused = Marbelle(create);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_NE(Marbelle({"project", "show", project, "--home", homeArg}).out.find("blst"), std::string::npos);
  ASSERT_EQ(Marbelle(create + QStringList{"--force"}).status, 0);
  EXPECT_EQ(Marbelle({"project", "show", project, "--home", homeArg}).out.find("blst"), std::string::npos);
}

TEST(CliCompileTest, CompilesPacksAndInstallsAProject) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("blst1.bmp", 90, 32), "< Default >", "");
  document->AddTexture(SectionNode(*document, skin, 1), f.Picture("blst1t_0.bmp", 150, 32), "<Red Team>", "");
  project::ProjectOptions options = document->Options();
  options.UMODProductName = "Blue Steel";
  document->SetOptions(options);
  document->Save();
  const QString home = QString::fromStdString(f.home.Path().string());
  const QString project = QString::fromStdString(document->FileName().string());
  const auto game = f.home / "Game";
  std::filesystem::create_directories(game / "Textures");

  const Outcome failed = Marbelle({"compile", project, "--home", home, "--install", "--game-dir",
                                   QString::fromStdString(game.string())});
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("System"), std::string::npos) << failed.err;

  std::filesystem::create_directories(game / "System");
  const Outcome compiled = Marbelle({"compile", project, "--home", home, "--umod", "--reproducible", "--install",
                                     "--game-dir", QString::fromStdString(game.string())});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_NE(compiled.out.find("Project compiled and installed under " + game.string()), std::string::npos);
  const std::vector<std::uint8_t> package = testsupport::ReadFile(f.home / "SoldierSkins.utx");
  EXPECT_EQ(testsupport::ReadFile(game / "Textures" / "SoldierSkins.utx"), package);
  EXPECT_EQ(testsupport::ReadFile(game / "System" / "SoldierSkins.int"), testsupport::ReadFile(f.home / "SoldierSkins.int"));
  const compile::UmodContents umod = compile::ReadUmodArchive(f.home / "SoldierSkins.umod");
  ASSERT_EQ(umod.entries.size(), 4u);
  EXPECT_EQ(umod.entries[2].archivePath, "Textures\\SoldierSkins.utx");
  const auto stored = umod.EntryBytes(umod.entries[2]);
  EXPECT_TRUE(std::equal(stored.begin(), stored.end(), package.begin(), package.end()));

  ASSERT_EQ(Marbelle({"compile", project, "--home", home, "--reproducible", "--jobs", "1"}).status, 0);
  EXPECT_EQ(testsupport::ReadFile(f.home / "SoldierSkins.utx"), package);
  const Outcome check = Marbelle({"check", QString::fromStdString((f.home / "SoldierSkins.utx").string())});
  EXPECT_EQ(check.status, 0) << check.out;

  const Outcome quantized = Marbelle({"quantize", QString::fromStdString((f.home / "Textures" / "blst1.bmp").string()),
                                      "--out", QString::fromStdString((f.home / "q").string())});
  ASSERT_EQ(quantized.status, 0) << quantized.err;
  EXPECT_EQ(QImage(QString::fromStdString((f.home / "q" / "blst1.bmp").string())).format(), QImage::Format_Indexed8);
  const Outcome high = Marbelle({"quantize", QString::fromStdString((f.home / "Textures" / "blst1.bmp").string()),
                                 "--quality", "high", "--out", QString::fromStdString((f.home / "h").string())});
  ASSERT_EQ(high.status, 0) << high.err;
  EXPECT_TRUE(std::filesystem::exists(f.home / "h" / "blst1.bmp"));
  const Outcome wrong = Marbelle({"quantize", "x.png", "--quality", "best", "--out", "y"});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_NE(wrong.err.find("--quality is classic or high"), std::string::npos);
}

TEST(CliCompileTest, CtrlCLeavesNoNewFileBehind) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  // Noise of every colour, resampled to the section's 256 x 256, so that each texture takes its time.
  raster::Bitmap noise(64, 64, raster::PixelFormat::Bgr24);
  std::filesystem::create_directories(f.home / "Textures");
  std::uint32_t seed = 1;
  for (int i = 0; i < 160; ++i) {
    for (auto& byte : noise.Pixels()) byte = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    const auto file = f.home / "Textures" / ("t" + std::to_string(i) + ".bmp");
    raster::SavePicture(noise, file);
    document->AddTexture(SectionNode(*document, skin, 1), file, "< Default >", "face" + std::to_string(i));
  }
  document->Save();
  f.WriteText(f.home / "SoldierSkins.utx", "last week's package");
  const auto before = testsupport::ReadFile(f.home / "SoldierSkins.utx");
  const auto entries = [&] { return std::distance(std::filesystem::directory_iterator(f.home.Path()), {}); };
  const auto count = entries();

  QProcess process;
  process.start(MARBELLE_CLI, {"compile", QString::fromStdString(document->FileName().string()), "--umod", "--home",
                               QString::fromStdString(f.home.Path().string())});
  process.setReadChannel(QProcess::StandardError);
  QByteArray err;
  while (!err.contains("Preparing textures") && process.waitForReadyRead(60000)) err += process.readAllStandardError();
  ASSERT_TRUE(err.contains("Preparing textures")) << err.toStdString();
  ::kill(static_cast<pid_t>(process.processId()), SIGINT);
  ASSERT_TRUE(process.waitForFinished(60000));
  err += process.readAllStandardError();
  EXPECT_EQ(process.exitCode(), 130) << err.toStdString();
  EXPECT_NE(err.indexOf("cancelled"), -1) << err.toStdString();
  EXPECT_EQ(testsupport::ReadFile(f.home / "SoldierSkins.utx"), before);
  EXPECT_EQ(entries(), count);
}
