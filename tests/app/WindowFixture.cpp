#include "WindowFixture.h"

#include <QLabel>
#include <QMenu>
#include <set>

#include "app/QtText.h"

WindowFixture::WindowFixture()
    : environment({{"HOME", (home / "user").string()},
                   {"XDG_DATA_HOME", (home / "user" / "data").string()},
                   {"XDG_CONFIG_HOME", (home / "user" / "config").string()},
                   // A package installed on the machine would hold the desktop files.
                   {"XDG_DATA_DIRS", (home / "system").string()},
                   {"WINEPREFIX", (home / "user" / "wine").string()}}),
      window(std::make_unique<app::MainWindow>(home.Path(), questions)) {}

WindowFixture::~WindowFixture() { window.reset(); }

QAction& WindowFixture::Action(const char* name) {
  auto* action = window->findChild<QAction*>(name);
  if (!action) throw std::logic_error(std::string("no action ") + name);
  return *action;
}

const project::ProjectDocument& WindowFixture::Document() {
  if (!window->Document()) throw std::logic_error("no project is open");
  return *window->Document();
}

void WindowFixture::NewProject(const std::string& fileName) {
  const auto& entries = window->Catalogue().Entries;
  for (std::size_t index = 0; index < entries.size(); ++index)
    if (entries[index]->Prefix == "Soldier") questions.models.push_back(index);
  questions.saveFiles.push_back(app::PathToQString(home / fileName));
  Action("mnu_NewProject").trigger();
}

QStringList WindowFixture::PopupItems(const project::SkinNode* node) {
  QStringList shown;
  for (QAction* action : window->PopupFor(node).actions())
    if (action->isVisible()) shown << action->text();
  return shown;
}

void WindowFixture::RunPopup(const project::SkinNode* node, const QString& caption) {
  for (QAction* action : window->PopupFor(node).actions())
    if (action->text() == caption) {
      if (!action->isVisible()) throw std::logic_error("the popup item " + caption.toStdString() + " is hidden");
      action->trigger();
      return;
    }
  throw std::logic_error("no popup item " + caption.toStdString());
}

const project::SkinNode& WindowFixture::AddSkin(const QString& description, const QString& code) {
  std::set<const project::SkinNode*> before;
  for (const project::SkinNode& skin : Document().Root().Children()) before.insert(&skin);
  questions.skins.push_back(app::SkinValues{description, code});
  RunPopup(&Document().Root(), "New Skin...");
  for (const project::SkinNode& skin : Document().Root().Children())
    if (!before.count(&skin)) return skin;
  throw std::logic_error("no skin was added");
}

const project::SkinNode& WindowFixture::AddTexture(const project::SkinNode& skin, int section, const QString& team,
                                                   const QString& face, int size) {
  const project::SkinNode& sectionNode = SectionNode(Document(), skin, section);
  const std::filesystem::path file = Picture("picture" + std::to_string(++pictures_) + ".bmp", 40, size);
  questions.textures.push_back(app::TextureValues{app::PathToQString(file), team, face});
  RunPopup(&sectionNode, "Add Texture...");
  for (const project::SkinNode& texture : sectionNode.Children())
    if (texture.Texture().FileName == file) return texture;
  throw std::logic_error("no texture was added");
}

QString WindowFixture::StatusText() { return Child<QLabel>("StatusBarText").text(); }
