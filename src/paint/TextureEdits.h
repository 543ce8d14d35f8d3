#pragma once

#include <memory>

#include "paint/Stroke.h"
#include "project/ProjectCommands.h"

namespace paint {

// The paint tool's changes of a texture's picture as commands of the
// document's undo history. Each keeps only the rectangle that changed. They
// announce the new pixels once, so the palettes and the preview follow.

// The end of a stroke: the picture as painted becomes the texture's, the
// picture before it its undo bitmap, and the texture is modified.
std::unique_ptr<project::ProjectCommand> MakePaintStroke(const project::ProjectDocument& document,
                                                         const project::SkinNode& texture, const Stroke& stroke);
// The panel's "Undo": the picture and the undo bitmap change places, so a
// second one brings the undone edit back. Nullptr without an undo bitmap.
std::unique_ptr<project::ProjectCommand> MakeUndoLastEdit(const project::ProjectDocument& document,
                                                          const project::SkinNode& texture);
// "Revert": the picture is read again from its file (now, so a file that
// cannot be read changes nothing), the painted one kept as the undo bitmap;
// the texture is no longer modified and the project's flag stays as it is.
std::unique_ptr<project::ProjectCommand> MakeRevertTexture(const project::ProjectDocument& document,
                                                           const project::SkinNode& texture);

}  // namespace paint
