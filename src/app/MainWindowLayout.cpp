// The main window's frame, splitters and advanced mode, kept from one run to the next.
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

#include "app/MainWindow.h"
#include "app/PreviewPanel.h"
#include "platform/WindowSettings.h"

namespace app {

namespace {

// A splitter and where the layout keeps its sizes.
struct StoredSplitter {
  QSplitter* Splitter;
  std::vector<int> platform::WindowLayout::*Sizes;
};

std::vector<StoredSplitter> Splitters(QSplitter* columns, QSplitter* skinRows, const PreviewPanel& preview) {
  return {{columns, &platform::WindowLayout::Columns},
          {preview.findChild<QSplitter*>("preview_columns"), &platform::WindowLayout::PreviewColumns},
          {skinRows, &platform::WindowLayout::SkinEditorRows}};
}

}  // namespace

void MainWindow::ShowWithLastLayout() {
  std::optional<platform::WindowLayout> layout;
  Guarded([&] { layout = platform::ReadWindowLayout(settingsFile_); });
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const QRect frame = layout ? QRect(layout->Left, layout->Top, layout->Width, layout->Height) : QRect();
  if (layout && QGuiApplication::screenAt(frame.center())) {
    setGeometry(frame);
    for (const auto& [splitter, sizes] : Splitters(columns_, skinRows_, *preview_)) {
      const std::vector<int>& stored = (*layout).*sizes;
      if (splitter && static_cast<int>(stored.size()) == splitter->count())
        splitter->setSizes(QList<int>(stored.begin(), stored.end()));
    }
    expertMode_->setChecked(layout->AdvancedMode);
    ToggleAdvancedMode();
  } else {
    // A first start, or a frame on a screen that is gone: most of this screen, centred.
    resize((available.size() * 0.8).expandedTo(minimumSizeHint()));
    move(available.center() - rect().center());
  }
  if (layout && layout->Maximized)
    showMaximized();
  else
    show();
}

void MainWindow::SaveLayout() {
  const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
  platform::WindowLayout layout;
  layout.Left = frame.left();
  layout.Top = frame.top();
  layout.Width = frame.width();
  layout.Height = frame.height();
  layout.Maximized = isMaximized();
  layout.AdvancedMode = expertMode_->isChecked();
  for (const auto& [splitter, sizes] : Splitters(columns_, skinRows_, *preview_))
    if (splitter) {
      const QList<int> current = splitter->sizes();
      layout.*sizes = std::vector<int>(current.begin(), current.end());
    }
  Guarded([&] { platform::WriteWindowLayout(settingsFile_, layout); });
}

}  // namespace app
