#include "paint/TextureEdits.h"

#include <stdexcept>
#include <string>

#include "project/DocumentEditor.h"
#include "raster/BitmapChange.h"

namespace paint {

namespace {

// A texture without an undo bitmap is taken as having an empty one.
const raster::Bitmap& UndoOf(const project::TObjetoTextura& entry) {
  static const raster::Bitmap none;
  return entry.UndoBitmap ? *entry.UndoBitmap : none;
}

class PictureCommand : public project::ProjectCommand {
public:
  PictureCommand(std::string text, const project::SkinNode& texture, const raster::Bitmap& source,
                 const raster::Bitmap& undo, bool modifiedAfter, bool marksModified)
      : text_(std::move(text)),
        texture_(texture),
        source_(raster::BitmapChange::Between(texture.Texture().SourceBitmap, source)),
        undo_(raster::BitmapChange::Between(UndoOf(texture.Texture()), undo)),
        modifiedAfter_(modifiedAfter),
        marksModified_(marksModified),
        reloads_(texture.Texture().Reloads) {}

  std::string Text() const override { return text_; }
  // Its pixels were taken from a picture the file has since replaced.
  bool Stale() const override { return texture_.Texture().Reloads != reloads_; }

protected:
  void Apply(project::ProjectDocument& document) override {
    project::DocumentEditor editor(document);
    project::TObjetoTextura& entry = editor.Entry(texture_);
    modifiedBefore_ = entry.Modified;
    fileExchanges_ = entry.FileExchanges;
    source_.Redo(entry.SourceBitmap);
    Change(entry, &raster::BitmapChange::Redo);
    entry.Modified = modifiedAfter_;
    editor.PixelsChanged(texture_);
  }

  void Revert(project::ProjectDocument& document) override {
    project::DocumentEditor editor(document);
    project::TObjetoTextura& entry = editor.Entry(texture_);
    source_.Undo(entry.SourceBitmap);
    Change(entry, &raster::BitmapChange::Undo);
    // Written or read again since, the file no longer holds the picture as it was.
    entry.Modified = entry.FileExchanges == fileExchanges_ ? modifiedBefore_ : true;
    editor.PixelsChanged(texture_);
  }

  bool MarksModified() const override { return marksModified_; }

private:
  void Change(project::TObjetoTextura& entry, void (raster::BitmapChange::*step)(raster::Bitmap&) const) const {
    raster::Bitmap undo = entry.UndoBitmap ? std::move(*entry.UndoBitmap) : raster::Bitmap();
    (undo_.*step)(undo);
    entry.UndoBitmap.reset();
    if (!undo.IsEmpty()) entry.UndoBitmap = std::move(undo);
  }

  std::string text_;
  const project::SkinNode& texture_;
  raster::BitmapChange source_;
  raster::BitmapChange undo_;
  bool modifiedAfter_;
  bool marksModified_;
  int reloads_;
  bool modifiedBefore_ = false;
  int fileExchanges_ = 0;
};

const project::TObjetoTextura& PaintableEntry(const project::SkinNode& texture) {
  if (texture.Kind() != project::NodeKind::Texture) throw std::invalid_argument("Only a texture can be painted");
  return texture.Texture();
}

}  // namespace

std::unique_ptr<project::ProjectCommand> MakePaintStroke(const project::ProjectDocument&,
                                                         const project::SkinNode& texture, const Stroke& stroke) {
  const project::TObjetoTextura& entry = PaintableEntry(texture);
  return std::make_unique<PictureCommand>("Paint Texture", texture, stroke.Picture(), entry.SourceBitmap, true, true);
}

std::unique_ptr<project::ProjectCommand> MakeUndoLastEdit(const project::ProjectDocument&,
                                                          const project::SkinNode& texture) {
  const project::TObjetoTextura& entry = PaintableEntry(texture);
  if (!entry.UndoBitmap) return nullptr;
  return std::make_unique<PictureCommand>("Undo Last Edit", texture, *entry.UndoBitmap, entry.SourceBitmap, true, true);
}

std::unique_ptr<project::ProjectCommand> MakeRevertTexture(const project::ProjectDocument& document,
                                                           const project::SkinNode& texture) {
  const project::TObjetoTextura& entry = PaintableEntry(texture);
  const raster::Bitmap file =
      project::TObjetoTextura::LoadForSection(entry.FileName, document.SectionOf(*texture.Parent()).Part);
  return std::make_unique<PictureCommand>("Revert Texture", texture, file, entry.SourceBitmap, false, false);
}

}  // namespace paint
