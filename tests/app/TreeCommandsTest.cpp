// The skin tree's popup commands, import, undo and redo from the Edit menu,
// and what the tree and the status bar show as the document changes.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

#include "WindowFixture.h"
#include "app/QtText.h"
#include "app/SkinTreeModel.h"
#include "raster/PictureFile.h"

namespace {

struct Shown {
  std::string Caption;
  std::vector<Shown> Children;
  friend bool operator==(const Shown&, const Shown&) = default;
};

Shown FromModel(const QAbstractItemModel& model, const QModelIndex& index) {
  Shown shown{model.data(index).toString().toStdString(), {}};
  for (int row = 0; row < model.rowCount(index); ++row) shown.Children.push_back(FromModel(model, model.index(row, 0, index)));
  return shown;
}

Shown FromDocument(const project::SkinNode& node) {
  Shown shown{node.Caption(), {}};
  for (const project::SkinNode& child : node.Children()) shown.Children.push_back(FromDocument(child));
  return shown;
}

class TreeCommandsTest : public testing::Test {
protected:
  TreeCommandsTest() {
    fixture.NewProject();
    tester = std::make_unique<QAbstractItemModelTester>(fixture.Tree().model(),
                                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
  }

  // The view shows exactly the document's tree.
  void ExpectTreeShowsDocument() {
    EXPECT_EQ(FromModel(*fixture.Tree().model(), fixture.Tree().model()->index(0, 0)),
              FromDocument(fixture.Document().Root()));
  }
  QModelIndex IndexOf(const project::SkinNode& node) {
    const QAbstractItemModel& model = *fixture.Tree().model();
    std::vector<int> rows;
    for (const project::SkinNode* at = &node; at->Parent(); at = at->Parent()) rows.insert(rows.begin(), at->Row());
    QModelIndex index = model.index(0, 0);
    for (int row : rows) index = model.index(row, 0, index);
    return index;
  }
  std::vector<std::string> SectionCaptions(const project::SkinNode& section) {
    std::vector<std::string> captions;
    for (const project::SkinNode& texture : section.Children()) captions.push_back(texture.Caption());
    return captions;
  }

  WindowFixture fixture;
  std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(TreeCommandsTest, ThePopupOffersTheItemsOfTheNodesDepth) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  const project::SkinNode& texture = fixture.AddTexture(skin, 1);
  EXPECT_EQ(fixture.PopupItems(&fixture.Document().Root()), QStringList({"New Skin..."}));
  EXPECT_EQ(fixture.PopupItems(nullptr), QStringList({"New Skin..."}));
  EXPECT_EQ(fixture.PopupItems(&skin), QStringList({"Edit Skin...", "Delete Skin"}));
  EXPECT_EQ(fixture.PopupItems(&SectionNode(fixture.Document(), skin, 1)), QStringList({"Add Texture..."}));
  EXPECT_EQ(fixture.PopupItems(&texture), QStringList({"Edit Texture Description...", "Delete Texture"}));
}

TEST_F(TreeCommandsTest, NewSkinMakesItsCodeAndShowsTheSkinExpanded) {
  EXPECT_EQ(fixture.AddSkin("Red").Caption(), "Red (redx)");
  EXPECT_EQ(fixture.AddSkin("Blue Steel").Caption(), "Blue Steel (blue)");
  const project::SkinNode& typed = fixture.AddSkin("Blue Steel", "ABCD");
  EXPECT_EQ(typed.Caption(), "Blue Steel (abcd)");
  EXPECT_EQ(fixture.AddSkin("").Caption(), "NewSkin (news)");
  EXPECT_TRUE(fixture.Tree().isExpanded(IndexOf(typed)));
  for (const project::SkinNode& section : typed.Children()) EXPECT_TRUE(fixture.Tree().isExpanded(IndexOf(section)));
  EXPECT_EQ(typed.Children().size(), 3u);
  EXPECT_TRUE(fixture.Document().Modified());

  // A code another skin has is refused as the dialog's Ok would refuse it.
  fixture.questions.skins.push_back(app::SkinValues{"Other", "BLUE"});
  fixture.RunPopup(&fixture.Document().Root(), "New Skin...");
  EXPECT_EQ(fixture.Document().Root().Children().size(), 4u);
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Title, "ERROR");
  ExpectTreeShowsDocument();
}

TEST_F(TreeCommandsTest, EditSkinStartsFromTheSkinAndKeepsAnEmptyDescription) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  fixture.questions.skins.push_back(app::SkinValues{"", "abcd"});
  fixture.RunPopup(&skin, "Edit Skin...");
  EXPECT_EQ(fixture.questions.skinInitials.back().Description, "Blue Steel");
  EXPECT_EQ(fixture.questions.skinInitials.back().Code, "blst");
  EXPECT_EQ(skin.Caption(), " (abcd)");
  // Nothing changed, nothing to undo.
  const int entries = fixture.window->UndoStack().count();
  fixture.questions.skins.push_back(app::SkinValues{"", "abcd"});
  fixture.RunPopup(&skin, "Edit Skin...");
  EXPECT_EQ(fixture.window->UndoStack().count(), entries);
  ExpectTreeShowsDocument();
}

TEST_F(TreeCommandsTest, AddTextureOffersWhatTheSectionAllows) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  const project::SkinNode& talk = fixture.AddTexture(skin, 5);
  EXPECT_EQ(talk.Caption(), "< Default > ()");
  const auto& [caption, plain] = fixture.questions.textureSetups.back();
  EXPECT_EQ(caption, "New Texture");
  EXPECT_EQ(plain.Teams, QStringList({"< Default >"}));
  EXPECT_FALSE(plain.TeamEnabled);
  EXPECT_FALSE(plain.FaceEnabled);
  EXPECT_TRUE(plain.Adding);

  const project::SkinNode& jim = fixture.AddTexture(skin, 1, "<Red Team>", "Big Jim");
  EXPECT_EQ(jim.Texture().Identifier, "t_0bigjim");
  EXPECT_EQ(jim.Texture().Description, "<Red Team>Big Jim");
  fixture.AddTexture(skin, 3, "< Default >", "Bob");
  fixture.AddTexture(skin, 1);
  const app::TextureDialogSetup& body = fixture.questions.textureSetups.back().second;
  EXPECT_EQ(body.Teams, QStringList({"< Default >", "<Blue Team>", "<Gold Team>", "<Green Team>", "<Red Team>"}));
  EXPECT_TRUE(body.TeamEnabled);
  EXPECT_TRUE(body.FaceEnabled);
  EXPECT_EQ(body.Team, "< Default >");
  EXPECT_EQ(body.Faces, QStringList({"Big Jim", "Bob"}));
  EXPECT_EQ(SectionCaptions(SectionNode(fixture.Document(), skin, 1)),
            std::vector<std::string>({"< Default > ()", "<Red Team>Big Jim (t_0bigjim)"}));
  ExpectTreeShowsDocument();

  // A picture that cannot be read is refused before anything changes.
  fixture.WriteText(fixture.home / "Textures" / "bad.bmp", "no picture");
  fixture.questions.textures.push_back(
      app::TextureValues{app::PathToQString(fixture.home / "Textures" / "bad.bmp"), "< Default >", "x"});
  fixture.RunPopup(&SectionNode(fixture.Document(), skin, 3), "Add Texture...");
  EXPECT_EQ(SectionNode(fixture.Document(), skin, 3).Children().size(), 1u);
  ASSERT_FALSE(fixture.questions.messages.empty());
  EXPECT_TRUE(fixture.questions.messages.back().Text.contains("bad.bmp"));
}

TEST_F(TreeCommandsTest, EditTextureRenamesEveryTextureOfTheSkinWithThatIdentifier) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  const project::SkinNode& body = fixture.AddTexture(skin, 1, "<Red Team>", "Big Jim");
  const project::SkinNode& other = fixture.AddSkin("Other", "othr");
  const project::SkinNode& elsewhere = fixture.AddTexture(other, 1, "<Red Team>", "Big Jim");
  fixture.questions.textures.push_back(app::TextureValues{"", "<Blue Team>", "Big Jim"});
  fixture.RunPopup(&body, "Edit Texture Description...");
  const auto& [caption, setup] = fixture.questions.textureSetups.back();
  EXPECT_EQ(caption, "Edit Texture");
  EXPECT_FALSE(setup.Adding);
  EXPECT_EQ(setup.Team, "<Red Team>");
  EXPECT_EQ(setup.Face, "Big Jim");
  EXPECT_EQ(setup.FileName, app::PathToQString(body.Texture().FileName));
  EXPECT_EQ(body.Caption(), "<Blue Team>Big Jim (t_1bigjim)");
  EXPECT_EQ(elsewhere.Caption(), "<Red Team>Big Jim (t_0bigjim)");
  ExpectTreeShowsDocument();
}

TEST_F(TreeCommandsTest, AFaceSpeltAnewInAnotherCaseIsOneStepAndStaysOneFaceInThePreview) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  const project::SkinNode& body = fixture.AddTexture(skin, 1, "< Default >", "frost");
  fixture.AddTexture(skin, 3, "< Default >", "FROST");
  auto& faces = fixture.Child<QComboBox>("face_selection");
  QCoreApplication::processEvents();
  ASSERT_EQ(faces.count(), 2);
  faces.setCurrentIndex(1);
  const int steps = fixture.window->UndoStack().count();

  fixture.questions.textures.push_back(app::TextureValues{"", "< Default >", "Frost"});
  fixture.RunPopup(&body, "Edit Texture Description...");
  EXPECT_EQ(fixture.window->UndoStack().count(), steps + 1);
  EXPECT_EQ(fixture.Action("mnu_Undo").text(), "Undo Edit Texture Description");
  ExpectTreeShowsDocument();
  QCoreApplication::processEvents();
  EXPECT_EQ(faces.count(), 2);
  EXPECT_EQ(faces.currentText(), "Frost");
}

TEST_F(TreeCommandsTest, EveryCommandIsUndoneAndRedoneFromTheEditMenu) {
  QAction& undo = fixture.Action("mnu_Undo");
  QAction& redo = fixture.Action("mnu_Redo");
  std::vector<Shown> states{FromDocument(fixture.Document().Root())};
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  states.push_back(FromDocument(fixture.Document().Root()));
  EXPECT_EQ(undo.text(), "Undo New Skin");
  const project::SkinNode& texture = fixture.AddTexture(skin, 1, "<Red Team>", "john");
  states.push_back(FromDocument(fixture.Document().Root()));
  fixture.questions.textures.push_back(app::TextureValues{"", "<Gold Team>", "john"});
  fixture.RunPopup(&texture, "Edit Texture Description...");
  states.push_back(FromDocument(fixture.Document().Root()));
  fixture.questions.skins.push_back(app::SkinValues{"Steel", "stel"});
  fixture.RunPopup(&skin, "Edit Skin...");
  states.push_back(FromDocument(fixture.Document().Root()));
  fixture.RunPopup(project::TextureNodes(fixture.Document().Root()).front(), "Delete Texture");
  states.push_back(FromDocument(fixture.Document().Root()));
  fixture.questions.openFileLists.push_back({app::PathToQString(fixture.Picture("abcd1.bmp"))});
  fixture.Action("mnu_Importtexture").trigger();
  states.push_back(FromDocument(fixture.Document().Root()));
  fixture.RunPopup(project::FindSkinByCode(fixture.Document().Root(), "stel"), "Delete Skin");
  states.push_back(FromDocument(fixture.Document().Root()));
  ASSERT_EQ(fixture.window->UndoStack().count(), 7);

  for (std::size_t step = states.size() - 1; step > 0; --step) {
    ASSERT_TRUE(undo.isEnabled());
    undo.trigger();
    EXPECT_EQ(FromDocument(fixture.Document().Root()), states[step - 1]) << "undoing step " << step;
    ExpectTreeShowsDocument();
  }
  EXPECT_FALSE(undo.isEnabled());
  EXPECT_FALSE(fixture.Document().Modified());
  for (std::size_t step = 1; step < states.size(); ++step) {
    redo.trigger();
    EXPECT_EQ(FromDocument(fixture.Document().Root()), states[step]) << "redoing step " << step;
  }
  EXPECT_FALSE(redo.isEnabled());
  EXPECT_TRUE(fixture.questions.messages.empty());
}

TEST_F(TreeCommandsTest, SelectionAndExpansionSurviveEditsElsewhere) {
  const project::SkinNode& skin = fixture.AddSkin("Middle", "midd");
  const project::SkinNode& texture = fixture.AddTexture(skin, 1, "<Red Team>", "john");
  fixture.Tree().collapse(IndexOf(SectionNode(fixture.Document(), skin, 3)));
  fixture.Tree().setCurrentIndex(IndexOf(texture));
  // Skins sort by caption: these go before and after it.
  fixture.AddSkin("Alpha", "alph");
  fixture.AddSkin("Zulu", "zulu");
  fixture.AddTexture(skin, 1, "<Blue Team>");
  fixture.AddTexture(skin, 1);
  fixture.Tree().setCurrentIndex(IndexOf(texture));
  fixture.RunPopup(project::FindSkinByCode(fixture.Document().Root(), "alph"), "Delete Skin");
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(app::SkinTreeModel::NodeOf(fixture.Tree().currentIndex()), &texture);
  EXPECT_TRUE(fixture.Tree().isExpanded(IndexOf(skin)));
  EXPECT_FALSE(fixture.Tree().isExpanded(IndexOf(SectionNode(fixture.Document(), skin, 3))));
  EXPECT_TRUE(fixture.Tree().isExpanded(IndexOf(SectionNode(fixture.Document(), skin, 1))));
  ExpectTreeShowsDocument();
}

TEST_F(TreeCommandsTest, TheStatusBarShowsTheTextureFileOrTheSectionsDescription) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  const project::SkinNode& texture = fixture.AddTexture(skin, 1);
  fixture.Tree().setCurrentIndex(IndexOf(texture));
  EXPECT_EQ(fixture.StatusText(), app::PathToQString(texture.Texture().FileName));
  EXPECT_EQ(fixture.window->findChild<QWidget*>("TextureEditorPanel")->isEnabled(), true);
  fixture.Tree().setCurrentIndex(IndexOf(SectionNode(fixture.Document(), skin, 1)));
  EXPECT_EQ(fixture.StatusText(), "Section 1, Textures are 256x256, Allows Teams, Allows Faces, Sets LODSet to Skin");
  EXPECT_EQ(fixture.window->findChild<QWidget*>("TextureEditorPanel")->isEnabled(), false);
  fixture.Tree().setCurrentIndex(IndexOf(skin));
  EXPECT_EQ(fixture.StatusText(), "");
  // Deleting the texture shown leaves nothing behind that points at it.
  fixture.Tree().setCurrentIndex(IndexOf(texture));
  fixture.RunPopup(&texture, "Delete Texture");
  EXPECT_NE(fixture.StatusText(), app::PathToQString(fixture.home / "Textures" / "picture1.bmp"));
}

TEST_F(TreeCommandsTest, ImportTakesSkinSectionAndVariantFromTheFileNames) {
  std::filesystem::create_directories(fixture.home / "Art");
  raster::Bitmap picture(8, 8, raster::PixelFormat::Bgr24);
  raster::SavePicture(picture, fixture.home / "Art" / "BLST1.bmp");
  raster::SavePicture(picture, fixture.home / "Art" / "blst1t_0john.bmp");
  raster::SavePicture(picture, fixture.home / "Art" / "blst3Face2.pcx");
  raster::SavePicture(picture, fixture.home / "Art" / "blst7.bmp");
  QStringList files;
  for (const char* name : {"BLST1.bmp", "blst1t_0john.bmp", "blst3Face2.pcx", "blst7.bmp"})
    files << app::PathToQString(fixture.home / "Art" / name);
  fixture.questions.openFileLists.push_back(files);
  fixture.Action("mnu_Importtexture").trigger();
  const project::SkinNode* skin = project::FindSkinByCode(fixture.Document().Root(), "blst");
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(skin->Caption(), "blst (blst)");
  EXPECT_EQ(SectionCaptions(SectionNode(fixture.Document(), *skin, 1)),
            std::vector<std::string>({"< Default > ()", "<Red Team>john (t_0john)"}));
  EXPECT_EQ(SectionCaptions(SectionNode(fixture.Document(), *skin, 3)), std::vector<std::string>({"< Default >Face2 (face2)"}));
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_TRUE(fixture.questions.messages[0].Text.contains("blst7.bmp"));
  EXPECT_EQ(fixture.questions.pickerTitles.back(), "Import Textures");
  ExpectTreeShowsDocument();
  fixture.Action("mnu_Undo").trigger();
  EXPECT_EQ(project::FindSkinByCode(fixture.Document().Root(), "blst"), nullptr);
}

TEST_F(TreeCommandsTest, PicturesDroppedOnTheTreeAreImported) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(app::PathToQString(fixture.Picture("drop3.bmp")))});
  QWidget* viewport = fixture.Tree().viewport();
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &drop);
  const project::SkinNode* skin = project::FindSkinByCode(fixture.Document().Root(), "drop");
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(SectionCaptions(SectionNode(fixture.Document(), *skin, 3)), std::vector<std::string>({"< Default > ()"}));
}

TEST_F(TreeCommandsTest, TheTimerReloadsChangedFilesAndWarnsOnceForDeletedOnes) {
  const project::SkinNode& skin = fixture.AddSkin("Blue Steel", "blst");
  const project::SkinNode& texture = fixture.AddTexture(skin, 1);
  fixture.Tree().setCurrentIndex(IndexOf(texture));
  const std::filesystem::path file = texture.Texture().FileName;
  fixture.Picture(file.string(), 200);
  std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(10));
  const auto palette = texture.Texture().Palette;
  EXPECT_TRUE(QTest::qWaitFor([&] { return texture.Texture().SourceBitmap.Pixels()[0] == 200; }, 3500));
  EXPECT_TRUE(QTest::qWaitFor([&] { return texture.Texture().Palette != palette; }, 100));

  std::filesystem::remove(file);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !fixture.questions.messages.empty(); }, 3500));
  QTest::qWait(3200);
  ASSERT_EQ(fixture.questions.messages.size(), 1u);
  EXPECT_EQ(fixture.questions.messages[0].Title, "WARNING");
  EXPECT_EQ(fixture.questions.messages[0].Text.toStdString(), "The texture file \"" + file.string() + "\" has been deleted!");
}
