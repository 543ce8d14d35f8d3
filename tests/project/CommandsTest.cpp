#include <gtest/gtest.h>

#include <random>

#include "project/CommandHistory.h"
#include "project/ProjectListener.h"
#include "support/Mutations.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"

using namespace project;

namespace {

// A copy of the tree's captions kept up to date from the notices alone, as a
// view would keep itself.
class MirrorTree : public ProjectListener {
public:
  struct Node {
    std::string Caption;
    std::vector<Node> Children;
    friend bool operator==(const Node&, const Node&) = default;
  };

  explicit MirrorTree(ProjectDocument& document)
      : document_(document), root_(Copy(document.Root())), modified_(document.Modified()) {
    document_.AddListener(*this);
  }
  ~MirrorTree() override { document_.RemoveListener(*this); }

  const Node& Root() const { return root_; }
  bool Modified() const { return modified_; }
  int Notices() const { return notices_; }

  static Node Copy(const SkinNode& node) {
    Node copy{node.Caption(), {}};
    for (const SkinNode& child : node.Children()) copy.Children.push_back(Copy(child));
    return copy;
  }

  void NodeAboutToBeInserted(const SkinNode& parent, int row) override {
    ++notices_;
    EXPECT_LE(static_cast<std::size_t>(row), At(parent).Children.size());
  }
  void NodeInserted(const SkinNode& parent, int row) override {
    Node& mirror = At(parent);
    mirror.Children.insert(mirror.Children.begin() + row, Copy(parent.Children()[static_cast<std::size_t>(row)]));
  }
  void NodeAboutToBeRemoved(const SkinNode& parent, int row) override {
    ++notices_;
    EXPECT_EQ(At(parent).Children[static_cast<std::size_t>(row)].Caption,
              parent.Children()[static_cast<std::size_t>(row)].Caption());
  }
  void NodeRemoved(const SkinNode& parent, int row) override {
    Node& mirror = At(parent);
    mirror.Children.erase(mirror.Children.begin() + row);
  }
  void NodeChanged(const SkinNode& node) override {
    ++notices_;
    At(node).Caption = node.Caption();
  }
  void ChildrenSorted(const SkinNode& parent, const std::vector<int>& oldRows) override {
    ++notices_;
    Node& mirror = At(parent);
    std::vector<Node> sorted;
    for (const int old : oldRows) sorted.push_back(mirror.Children[static_cast<std::size_t>(old)]);
    mirror.Children = std::move(sorted);
  }
  void ModifiedChanged(bool modified) override { modified_ = modified; }

private:
  // The mirror node at the same place as a node of the document.
  Node& At(const SkinNode& node) {
    std::vector<int> rows;
    for (const SkinNode* n = &node; n->Parent(); n = n->Parent()) rows.insert(rows.begin(), n->Row());
    Node* mirror = &root_;
    for (const int row : rows) mirror = &mirror->Children.at(static_cast<std::size_t>(row));
    return *mirror;
  }

  ProjectDocument& document_;
  Node root_;
  bool modified_;
  int notices_ = 0;
};

// Makes random edits of every kind; most succeed, some are refused as a
// user's would be.
class RandomEdits {
public:
  struct Pictures {
    explicit Pictures(ProjectFixture& f) {
      for (int i = 0; i < 4; ++i) added.push_back(f.Picture("p" + std::to_string(i) + ".bmp", static_cast<std::uint8_t>(50 * i)));
      for (const char* name : {"blst1.bmp", "blst1t_0john.bmp", "blst3ann.bmp", "abcd5.bmp", "abcd1t_1.bmp", "newx1.bmp"})
        imported.push_back(f.Picture(name, 77));
    }
    std::vector<std::filesystem::path> added, imported;
  };

  RandomEdits(const Pictures& pictures, unsigned seed)
      : random_(seed), pictures_(pictures.added), imports_(pictures.imported) {}

  std::unique_ptr<ProjectCommand> Next(const ProjectDocument& document) {
    const std::vector<const SkinNode*> skins = Skins(document);
    const std::vector<const SkinNode*> textures = TextureNodes(document.Root());
    switch (Pick(8)) {
      case 0: return MakeNewSkin(document, Choose(descriptions_), Choose(codes_));
      case 1:
        if (skins.empty()) return nullptr;
        return MakeEditSkin(document, *Choose(skins), Choose(descriptions_), Choose(codes_));
      case 2:
        if (skins.empty()) return nullptr;
        return MakeDeleteSkin(document, *Choose(skins));
      case 3: {
        if (skins.empty()) return nullptr;
        const SkinNode& section = Choose(skins)->Children()[Pick(3)];
        return MakeAddTexture(document, section, Choose(pictures_), Choose(document.TeamChoices(section)),
                              Choose(faces_));
      }
      case 4:
        if (textures.empty()) return nullptr;
        return MakeEditTexture(document, *Choose(textures), Choose(teams_), Choose(faces_));
      case 5:
        if (textures.empty()) return nullptr;
        return MakeDeleteTexture(document, *Choose(textures));
      case 6: {
        std::vector<std::filesystem::path> files;
        for (int n = Pick(3) + 1; n > 0; --n) files.push_back(Choose(imports_));
        ImportResult result;
        return MakeImportTextures(document, files, result);
      }
      default: {
        ProjectOptions options = document.Options();
        options.Brightness = Pick(100);
        options.ReducePalettes = Pick(3);
        options.UMODProductName = Choose(descriptions_);
        return MakeSetOptions(document, options);
      }
    }
  }

private:
  static std::vector<const SkinNode*> Skins(const ProjectDocument& document) {
    std::vector<const SkinNode*> skins;
    for (const SkinNode& skin : document.Root().Children()) skins.push_back(&skin);
    return skins;
  }

  std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }
  template <class T>
  const T& Choose(const std::vector<T>& items) {
    return items[Pick(items.size())];
  }

  std::mt19937 random_;
  std::vector<std::filesystem::path> pictures_, imports_;
  const std::vector<std::string> descriptions_{"Blue Steel", "Red", "", "Big Bad", "blst"};
  const std::vector<std::string> codes_{"", "blst", "ABCD", "red", "x"};
  const std::vector<std::string> faces_{"", "John", "john", "Ann Lee", "t_0"};
  const std::vector<std::string> teams_{"< Default >", "<Red Team>", "<Blue Team>"};
};

}  // namespace

// Random histories undone to their start and redone to their end: the file,
// the order of the tree, the modified flag and what the notices built agree.
TEST(CommandsTest, LongRandomHistoriesUndoAndRedoExactly) {
  ProjectFixture f;
  const int sequences = testsupport::MutationsPerFile(1000);
  const RandomEdits::Pictures pictures(f);
  int commands = 0;
  for (int sequence = 0; sequence < sequences; ++sequence) {
    auto document = f.NewProject();
    RandomEdits edits(pictures, static_cast<unsigned>(sequence));
    CommandHistory setup(*document);
    for (int i = 0; i < 4; ++i) {
      try {
        setup.Push(edits.Next(*document));
      } catch (const ProjectError&) {
      }
    }
    if (sequence % 2) document->Save();
    const std::string startText = document->FileText();
    const MirrorTree::Node startTree = MirrorTree::Copy(document->Root());
    const bool startModified = document->Modified();

    MirrorTree mirror(*document);
    CommandHistory history(*document);
    int done = 0;
    for (int step = 0; step < 12; ++step) {
      try {
        auto command = edits.Next(*document);
        if (!command) continue;
        history.Push(std::move(command));
        ++done;
      } catch (const ProjectError&) {
      }
    }
    commands += done;
    const std::string endText = document->FileText();
    const MirrorTree::Node endTree = MirrorTree::Copy(document->Root());
    ASSERT_EQ(mirror.Root(), endTree) << "sequence " << sequence;
    if (done > 0) {
      EXPECT_TRUE(document->Modified());
    }

    while (history.CanUndo()) history.Undo();
    ASSERT_EQ(document->FileText(), startText) << "sequence " << sequence;
    ASSERT_EQ(MirrorTree::Copy(document->Root()), startTree);
    ASSERT_EQ(mirror.Root(), startTree);
    ASSERT_EQ(document->Modified(), startModified);
    while (history.CanRedo()) history.Redo();
    ASSERT_EQ(document->FileText(), endText) << "sequence " << sequence;
    ASSERT_EQ(mirror.Root(), endTree);
    ASSERT_EQ(mirror.Modified(), document->Modified());
  }
  EXPECT_GT(commands, sequences * 3);
}

TEST(CommandsTest, DeletedTexturesKeepTheirPaintUntilTheCommandIsDropped) {
  ProjectFixture f;
  auto document = f.NewProject();
  const SkinNode& skin = document->NewSkin("Blue Steel", "blst");
  const SkinNode& texture = document->AddTexture(SectionNode(*document, skin, 1), f.Picture("a.bmp", 10), "< Default >", "");
  raster::Bitmap painted = texture.Texture().SourceBitmap;
  painted.Pixels()[0] = 99;
  document->SetSourceBitmap(texture, painted);
  // The paint left unsaved keeps the project modified.
  document->Save([](const std::string&) { return false; });
  EXPECT_TRUE(document->Modified());

  CommandHistory history(*document);
  history.Push(MakeDeleteSkin(*document, skin));
  EXPECT_EQ(history.UndoText(), "Undo Delete Skin");
  EXPECT_TRUE(document->Root().Children().empty());
  history.Undo();
  const SkinNode& back = *FindSkinByCode(document->Root(), "blst");
  EXPECT_EQ(&back, &skin);
  EXPECT_TRUE(back.Children()[0].Children()[0].Texture().Modified);
  EXPECT_EQ(back.Children()[0].Children()[0].Texture().SourceBitmap.Pixels()[0], 99);
  EXPECT_TRUE(document->Modified());

  // Undone after a save, the project no longer matches its file.
  history.Redo();
  document->Save();
  history.Undo();
  EXPECT_TRUE(document->Modified());
  EXPECT_EQ(history.RedoText(), "Redo Delete Skin");
}

TEST(CommandsTest, NoticesTellViewsWhatChangedAndWhere) {
  ProjectFixture f;
  auto document = f.NewProject();
  MirrorTree mirror(*document);
  const SkinNode& zulu = document->NewSkin("Zulu", "zulu");
  document->NewSkin("Alpha", "alfa");
  const SkinNode& body = SectionNode(*document, zulu, 1);
  document->AddTexture(body, f.Picture("a.bmp"), "<Red Team>", "");
  document->AddTexture(body, f.Picture("b.bmp"), "< Default >", "");
  // A renamed skin takes its place among the others: a change and a re-sort.
  const int before = mirror.Notices();
  document->EditSkin(zulu, "Able", "zulu");
  EXPECT_EQ(mirror.Notices() - before, 2);
  EXPECT_EQ(mirror.Root(), MirrorTree::Copy(document->Root()));
  EXPECT_EQ(mirror.Root().Children[0].Caption, "Able (zulu)");
  EXPECT_EQ(mirror.Root().Children[0].Children[0].Children[1].Caption, "<Red Team> (t_0)");
  EXPECT_TRUE(mirror.Modified());
  document->Save();
  EXPECT_FALSE(mirror.Modified());
}
