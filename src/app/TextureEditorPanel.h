#pragma once

#include <QWidget>
#include <optional>

#include "paint/DisplayTexture.h"
#include "paint/Stroke.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QSlider;
class QTabBar;
class QUndoStack;

namespace project {
class ProjectCommand;
class ProjectDocument;
class SkinNode;
}  // namespace project

namespace app {

class ColourButton;
class TexturePicture;
class UserQuestions;

// "Texture Editor": the selected texture, enlarged by the zoom, with the
// section's wire frame laid over it, and the paint tool over 24-bit pictures.
// A stroke, the panel's Undo and Revert go on the window's undo stack.
class TextureEditorPanel final : public QWidget {
  Q_OBJECT
public:
  TextureEditorPanel(UserQuestions& questions, QUndoStack& undoStack, QWidget* parent = nullptr);

  void SetDocument(project::ProjectDocument* document);
  // Shows a texture node, or clears the panel for nullptr; the zoom goes back
  // to "1X". A stroke in progress is dropped: its texture is going away.
  void ShowTexture(const project::SkinNode* texture);
  const project::SkinNode* Texture() const { return texture_; }
  // Draws the shown texture again, after its picture changed.
  void Redisplay();
  // Whether the texture can be painted: its picture is 24-bit.
  bool TextureEditable() const { return editable_; }
  // Whether a stroke is in progress, and ending it as a release would.
  bool Stroking() const { return stroke_.has_value(); }
  void FinishStroke();

private:
  int Zoom() const;
  paint::Brush CurrentBrush() const;
  void Press(QPoint position);
  void Move(QPoint position);
  void Release(QPoint position);
  void Dab(QPoint position);
  void Save();
  void Push(std::unique_ptr<project::ProjectCommand> command);

  UserQuestions& questions_;
  QUndoStack& undoStack_;
  project::ProjectDocument* document_ = nullptr;
  const project::SkinNode* texture_ = nullptr;
  bool editable_ = false;
  // The document is taking the stroke the display already shows.
  bool taking_ = false;
  std::optional<paint::Stroke> stroke_;
  paint::TextureDisplay display_;

  QWidget* paintRows_;
  QWidget* wireRow_;
  QTabBar* tools_;
  QComboBox* zoom_;
  ColourButton* colour_;
  QScrollBar* size_;
  QScrollBar* intensity_;
  QSlider* wire_;
  QScrollArea* scrollBox_;
  TexturePicture* image_;
};

}  // namespace app
