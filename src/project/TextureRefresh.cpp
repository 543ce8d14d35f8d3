#include "platform/FileTime.h"
#include "project/DocumentEditor.h"
#include "project/ProjectDocument.h"

namespace project {

namespace {

std::string ReloadQuestionText(const SkinNode& node, const TObjetoTextura& texture) {
  return "The texture " + node.Skin()->Description() + "/" + node.Parent()->Caption() + "/" + node.Caption() +
         " has changes that are not saved, and its file \"" + texture.FileName.string() +
         "\" changed on disk.\nReload it from the file and lose your changes, or keep them?";
}

}  // namespace

RefreshResult ProjectDocument::RefreshTextures(const ReloadQuestion& ask) {
  RefreshResult result;
  DocumentEditor editor(*this);
  for (const SkinNode* node : TextureNodes(*root_)) {
    TObjetoTextura& texture = editor.Entry(*node);
    const std::int64_t time = platform::FileModificationTime(texture.FileName);
    if (time == texture.FileTime) continue;
    // Seen before asking, so each change of the file is asked about once.
    texture.FileTime = time;
    if (time < 0) {
      result.Warnings.push_back("The texture file \"" + texture.FileName.string() + "\" has been deleted!");
    } else if (texture.Modified && !(ask && ask(ReloadQuestionText(*node, texture)))) {
      // Kept: the next save writes them over the file.
      continue;
    } else {
      try {
        raster::Bitmap picture = TObjetoTextura::LoadForSection(texture.FileName, SectionOf(*node->Parent()).Part);
        // The panel's Undo brings back what the file replaced.
        if (!texture.Missing()) texture.UndoBitmap = std::move(texture.SourceBitmap);
        texture.SourceBitmap = std::move(picture);
        texture.StoredFileName.clear();
        texture.Modified = false;
        ++texture.FileExchanges;
        ++texture.Reloads;
        editor.PixelsChanged(*node);
      } catch (const std::exception&) {
        // A file caught half-written by a paint program is read again when it next changes.
      }
    }
    result.Changed = true;
  }
  return result;
}

}  // namespace project
