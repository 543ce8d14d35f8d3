// The main window's columns at the sizes people use, and its layout kept
// from one start to the next.
#include <QApplication>
#include <QComboBox>
#include <QScopeGuard>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTest>

#include "WindowFixture.h"
#include "app/SkinTreeModel.h"

namespace {

// Every tab whole inside its bar, wide enough for its caption, and the bar inside the window.
void ExpectWholeTabs(const QTabBar& bar) {
  const QRect inWindow(bar.mapTo(bar.window(), QPoint(0, 0)), bar.size());
  EXPECT_TRUE(bar.window()->rect().contains(inWindow)) << bar.objectName().toStdString();
  for (int tab = 0; tab < bar.count(); ++tab) {
    const QRect rect = bar.tabRect(tab);
    EXPECT_TRUE(bar.rect().contains(rect)) << bar.tabText(tab).toStdString();
    EXPECT_GE(rect.width(), bar.fontMetrics().horizontalAdvance(bar.tabText(tab))) << bar.tabText(tab).toStdString();
  }
}

}  // namespace

TEST(WindowLayoutTest, NoCaptionIsCutFrom1024By768Up) {
  // A desktop's font rather than the test platform's small one.
  const QFont font = QApplication::font();
  QFont larger = font;
  larger.setPointSize(11);
  QApplication::setFont(larger);
  const auto restore = qScopeGuard([&] { QApplication::setFont(font); });
  WindowFixture fixture;
  fixture.NewProject();
  const project::SkinNode& skin = fixture.AddSkin("Commander Of The Red Phalanx", "cmdr");
  const project::SkinNode& texture = fixture.AddTexture(skin, 1, "< Default >", {}, 256);
  fixture.Tree().setCurrentIndex(dynamic_cast<app::SkinTreeModel&>(*fixture.Tree().model()).IndexOf(texture));
  app::MainWindow& window = fixture.Window();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  // 1024 x 700: maximised on a 1024 x 768 screen, under a title bar and a panel.
  for (const QSize size : {QSize(1024, 768), QSize(1024, 700), QSize(1280, 1024), QSize(1920, 1080)}) {
    SCOPED_TRACE(QString("%1 x %2").arg(size.width()).arg(size.height()).toStdString());
    window.resize(size);
    // The lists take their new widths after a short while.
    QTest::qWait(100);
    EXPECT_EQ(window.size(), size);
    ExpectWholeTabs(*fixture.Child<QTabWidget>("PageControl1").tabBar());
    ExpectWholeTabs(fixture.Child<QTabBar>("tools"));
    const auto& skins = fixture.Child<QComboBox>("skin_selection");
    ASSERT_EQ(skins.currentText(), "Commander Of The Red Phalanx (cmdr)");
    EXPECT_GT(skins.width(), skins.fontMetrics().horizontalAdvance(skins.currentText()) + 16);
    // The tree keeps a useful height under the texture editor.
    const QTreeView& tree = fixture.Tree();
    EXPECT_GE(tree.viewport()->height(), 7 * tree.sizeHintForRow(0));
  }
  // A wider window widens the left column too.
  window.resize(1024, 768);
  QCoreApplication::processEvents();
  const int narrow = fixture.Child<QTabWidget>("PageControl1").width();
  window.resize(1920, 1080);
  QCoreApplication::processEvents();
  EXPECT_GT(fixture.Child<QTabWidget>("PageControl1").width(), narrow + 100);
}

TEST(WindowLayoutTest, TheFrameSplittersAndAdvancedModeComeBackAtTheNextStart) {
  WindowFixture fixture;
  fixture.window->ShowWithLastLayout();
  const QRect available = fixture.window->screen()->availableGeometry();
  EXPECT_LE((fixture.window->frameGeometry().center() - available.center()).manhattanLength(), 10);
  EXPECT_GE(fixture.window->width(), available.width() * 8 / 10 - 1);

  fixture.window->setGeometry(60, 40, 1100, 800);
  QCoreApplication::processEvents();
  fixture.Child<QSplitter>("main_columns").setSizes({420, 670});
  fixture.Child<QSplitter>("skin_editor_rows").setSizes({300, 400});
  fixture.Action("mnu_Expertmode").trigger();
  const QList<int> columns = fixture.Child<QSplitter>("main_columns").sizes();
  const QList<int> rows = fixture.Child<QSplitter>("skin_editor_rows").sizes();
  const QList<int> previewColumns = fixture.Child<QSplitter>("preview_columns").sizes();
  ASSERT_TRUE(fixture.window->close());

  fixture.window = std::make_unique<app::MainWindow>(fixture.home.Path(), fixture.questions);
  EXPECT_FALSE(fixture.Action("mnu_Expertmode").isChecked());
  fixture.window->ShowWithLastLayout();
  QCoreApplication::processEvents();
  EXPECT_EQ(fixture.window->geometry(), QRect(60, 40, 1100, 800));
  EXPECT_EQ(fixture.Child<QSplitter>("main_columns").sizes(), columns);
  EXPECT_EQ(fixture.Child<QSplitter>("skin_editor_rows").sizes(), rows);
  EXPECT_EQ(fixture.Child<QSplitter>("preview_columns").sizes(), previewColumns);
  EXPECT_TRUE(fixture.Action("mnu_Expertmode").isChecked());
  EXPECT_TRUE(fixture.Action("mnu_ModelCompiler").isVisible());
  EXPECT_TRUE(fixture.questions.messages.empty());
}
