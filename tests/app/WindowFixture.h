#pragma once

#include <QAction>
#include <QTreeView>
#include <memory>

#include "ScriptedQuestions.h"
#include "app/MainWindow.h"
#include "support/ProjectFixture.h"
#include "support/TestHelpers.h"

// A main window over a program home with the model "Soldier", answering from
// a script, with the user's folders (desktop files, registry, Wine prefix)
// inside the temporary home.
class WindowFixture : public ProjectFixture {
public:
  WindowFixture();
  ~WindowFixture();

  app::MainWindow& Window() { return *window; }
  QAction& Action(const char* name);
  template <typename Widget>
  Widget& Child(const char* name) {
    auto* widget = window->findChild<Widget*>(name);
    if (!widget) throw std::logic_error(std::string("no widget ") + name);
    return *widget;
  }
  QTreeView& Tree() { return Child<QTreeView>("ArbolTexturas"); }
  const project::ProjectDocument& Document();

  // "New Project..." for the model Soldier, saved as this file in the home.
  void NewProject(const std::string& fileName = "SoldierSkins.mrb");
  // Opens the tree's popup menu on a node (nullptr: an empty part of the
  // tree) and runs the item of this caption, which must be shown.
  void RunPopup(const project::SkinNode* node, const QString& caption);
  // The captions the popup menu shows on a node.
  QStringList PopupItems(const project::SkinNode* node);
  // "New Skin..." answered with this description and code; the skin made.
  const project::SkinNode& AddSkin(const QString& description, const QString& code = {});
  // "Add Texture..." on a section of a skin, with a new picture file of size x size.
  const project::SkinNode& AddTexture(const project::SkinNode& skin, int section, const QString& team = "< Default >",
                                      const QString& face = {}, int size = 8);
  QString StatusText();

  ScriptedQuestions questions;
  ScopedEnvironment environment;
  std::unique_ptr<app::MainWindow> window;

private:
  int pictures_ = 0;
};
