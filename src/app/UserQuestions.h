#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>

namespace model {
struct ModelCatalogue;
}

namespace app {

// What the skin dialog holds. A single-skin model names its skins whole
// ("Priest") instead of by four letters.
struct SkinValues {
  QString Description;
  QString Code;
  bool WholeName = false;
};

// How the texture dialog opens, and what it gives back.
struct TextureDialogSetup {
  bool Adding = true;
  QString FileName;
  QStringList Teams;
  // Empty selects no team.
  QString Team;
  bool TeamEnabled = false;
  bool FaceEnabled = false;
  QStringList Faces;
  QString Face;
};
struct TextureValues {
  QString FileName;
  QString Team;
  QString Face;
};

// A check a dialog runs before it closes with OK; an error it throws (a
// refusal, a picture that cannot be read) is shown and the dialog stays open.
template <typename Values>
using DialogCheck = std::function<void(const Values&)>;

enum class MessageIcon { Information, Warning, Error, Question };
// What a file picker asks for; each kind starts where it was last answered.
enum class FileKind { Project, Texture, Umod, ModelFile, GamePackage, UmodAttachment, GameFolder };
enum class CloseAnswer { Save, Discard, Cancel };
enum class ReloadAnswer { Reload, Keep };

// Every question, message and file choice the windows put to the user goes
// through here: DialogQuestions shows Qt's dialogs, tests answer from a script.
class UserQuestions {
public:
  virtual ~UserQuestions() = default;

  virtual void Message(MessageIcon icon, const QString& title, const QString& text) = 0;
  virtual bool AskYesNo(MessageIcon icon, const QString& title, const QString& text) = 0;
  virtual CloseAnswer AskSaveDiscardCancel(const QString& title, const QString& text) = 0;
  // A texture's file changed on disk under unsaved changes; keeping them is
  // what Enter and Escape choose.
  virtual ReloadAnswer AskReloadOrKeep(const QString& title, const QString& text) = 0;
  // The file pickers: an empty text or list when cancelled. Filters are Qt's:
  // "Name (*.a *.b);;All files (*)". A picker starts in the folder its kind
  // was last answered in, else in `folder` (a save picker: in `proposed`'s).
  QString PickOpenFile(FileKind kind, const QString& title, const QString& folder, const QString& filter);
  QStringList PickOpenFiles(FileKind kind, const QString& title, const QString& folder, const QString& filter);
  QString PickSaveFile(FileKind kind, const QString& title, const QString& proposed, const QString& filter,
                       const QString& defaultSuffix);
  QString PickFolder(FileKind kind, const QString& title, const QString& folder);
  // Where the pickers keep their folders from one run to the next; until
  // this is called they remember nothing.
  void RememberFoldersIn(std::filesystem::path settingsFile);
  // Any colour, starting from `initial`; an invalid colour when cancelled.
  virtual QColor PickColour(const QString& title, const QColor& initial) = 0;
  // A line of text; cancelling answers the proposed text.
  virtual QString AskText(const QString& title, const QString& prompt, const QString& proposed) = 0;
  // The skin and texture dialogs, and the select-model dialog (an index into the catalogue).
  virtual std::optional<SkinValues> AskSkin(const SkinValues& initial, const DialogCheck<SkinValues>& check) = 0;
  virtual std::optional<TextureValues> AskTexture(const QString& caption, const TextureDialogSetup& setup,
                                                  const DialogCheck<TextureValues>& check) = 0;
  virtual std::optional<std::size_t> AskModel(const model::ModelCatalogue& catalogue) = 0;

protected:
  // The pickers themselves, opened where the kind's memory says.
  virtual QString ShowOpenFile(const QString& title, const QString& folder, const QString& filter) = 0;
  virtual QStringList ShowOpenFiles(const QString& title, const QString& folder, const QString& filter) = 0;
  virtual QString ShowSaveFile(const QString& title, const QString& proposed, const QString& filter,
                               const QString& defaultSuffix) = 0;
  virtual QString ShowFolder(const QString& title, const QString& folder) = 0;

private:
  QString StartFolder(FileKind kind, const QString& folder) const;
  void Remember(FileKind kind, const QString& folder);

  std::filesystem::path settingsFile_;
};

}  // namespace app
