#include "platform/FileTime.h"
#include "project/ProjectDocument.h"

namespace project {

RefreshResult ProjectDocument::RefreshTextures() {
  RefreshResult result;
  for (SkinNode* node : TextureNodes(*root_)) {
    TObjetoTextura& texture = *node->Texture;
    const std::int64_t time = platform::FileModificationTime(texture.FileName);
    if (time == texture.FileTime) continue;
    if (time < 0) {
      result.Warnings.push_back("The texture file \"" + texture.FileName.string() + "\" has been deleted!");
    } else {
      try {
        texture.SourceBitmap = TObjetoTextura::LoadForSection(texture.FileName, SectionOf(*node->Parent).Part);
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
