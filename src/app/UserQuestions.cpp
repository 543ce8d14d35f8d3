#include "app/UserQuestions.h"

#include <QFileInfo>

#include "app/QtText.h"
#include "platform/WindowSettings.h"

namespace app {

namespace {

const char* KindName(FileKind kind) {
  switch (kind) {
    case FileKind::Project: return "Projects";
    case FileKind::Texture: return "Textures";
    case FileKind::Umod: return "Umods";
    case FileKind::ModelFile: return "ModelFiles";
    case FileKind::GamePackage: return "GamePackages";
    case FileKind::UmodAttachment: return "UmodAttachments";
    case FileKind::GameFolder: return "GameFolder";
  }
  return "Other";
}

}  // namespace

void UserQuestions::RememberFoldersIn(std::filesystem::path settingsFile) { settingsFile_ = std::move(settingsFile); }

// The memory is a convenience: a settings file that cannot be read or
// written leaves the picker where the caller put it, and the answer stands.
QString UserQuestions::StartFolder(FileKind kind, const QString& folder) const {
  if (settingsFile_.empty()) return folder;
  try {
    const std::filesystem::path remembered = platform::ReadRememberedFolder(settingsFile_, KindName(kind));
    if (!remembered.empty()) return PathToQString(remembered);
  } catch (const std::exception&) {
  }
  return folder;
}

void UserQuestions::Remember(FileKind kind, const QString& folder) {
  if (settingsFile_.empty() || folder.isEmpty()) return;
  try {
    platform::WriteRememberedFolder(settingsFile_, KindName(kind), QStringToPath(folder));
  } catch (const std::exception&) {
  }
}

QString UserQuestions::PickOpenFile(FileKind kind, const QString& title, const QString& folder, const QString& filter) {
  const QString file = ShowOpenFile(title, StartFolder(kind, folder), filter);
  if (!file.isEmpty()) Remember(kind, QFileInfo(file).absolutePath());
  return file;
}

QStringList UserQuestions::PickOpenFiles(FileKind kind, const QString& title, const QString& folder,
                                         const QString& filter) {
  const QStringList files = ShowOpenFiles(title, StartFolder(kind, folder), filter);
  if (!files.isEmpty()) Remember(kind, QFileInfo(files.front()).absolutePath());
  return files;
}

QString UserQuestions::PickSaveFile(FileKind kind, const QString& title, const QString& proposed,
                                    const QString& filter, const QString& defaultSuffix) {
  const QFileInfo proposal(proposed);
  const QString start = StartFolder(kind, proposal.absolutePath());
  const QString file = ShowSaveFile(title, start + "/" + proposal.fileName(), filter, defaultSuffix);
  if (!file.isEmpty()) Remember(kind, QFileInfo(file).absolutePath());
  return file;
}

QString UserQuestions::PickFolder(FileKind kind, const QString& title, const QString& folder) {
  const QString chosen = ShowFolder(title, StartFolder(kind, folder));
  if (!chosen.isEmpty()) Remember(kind, chosen);
  return chosen;
}

}  // namespace app
