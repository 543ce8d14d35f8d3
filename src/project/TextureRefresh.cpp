#include "platform/FileTime.h"
#include "project/DocumentEditor.h"
#include "project/ProjectDocument.h"

namespace project {

RefreshResult ProjectDocument::RefreshTextures() {
  RefreshResult result;
  DocumentEditor editor(*this);
  for (const SkinNode* node : TextureNodes(*root_)) {
    TObjetoTextura& texture = editor.Entry(*node);
    const std::int64_t time = platform::FileModificationTime(texture.FileName);
    if (time == texture.FileTime) continue;
    if (time < 0) {
      result.Warnings.push_back("The texture file \"" + texture.FileName.string() + "\" has been deleted!");
    } else {
      try {
        texture.SourceBitmap = TObjetoTextura::LoadForSection(texture.FileName, SectionOf(*node->Parent()).Part);
        texture.StoredFileName.clear();
        ++texture.FileExchanges;
        editor.PixelsChanged(*node);
      } catch (const std::exception&) {
        // A file caught half-written by a paint program is read again when it next changes.
      }
    }
    texture.FileTime = time;
    result.Changed = true;
  }
  return result;
}

}  // namespace project
