#include "project/DocumentEditor.h"
#include "project/NodeCommands.h"

namespace project {

namespace {

class EditSkinCommand : public ProjectCommand {
public:
  EditSkinCommand(const SkinNode& skin, std::string code, std::string description)
      : skin_(&skin), code_(std::move(code)), description_(std::move(description)),
        oldCode_(skin.Code()), oldDescription_(skin.Description()) {}

  std::string Text() const override { return "Edit Skin"; }

protected:
  void Apply(ProjectDocument& document) override { DocumentEditor(document).SetSkin(*skin_, code_, description_); }
  void Revert(ProjectDocument& document) override {
    DocumentEditor(document).SetSkin(*skin_, oldCode_, oldDescription_);
  }

private:
  const SkinNode* skin_;
  std::string code_, description_, oldCode_, oldDescription_;
};

}  // namespace

std::unique_ptr<ProjectCommand> MakeNewSkin(const ProjectDocument& document, std::string_view description,
                                            std::string_view typedCode) {
  std::string text = CheckSkinDescription(description);
  if (text.empty()) text = "NewSkin";
  std::string code = MakeSkinCode(document.Model(), typedCode, text);
  CheckSkinCodeFree(document.Root(), code, nullptr);
  return std::make_unique<NodeCommand>("New Skin", document.Root(),
                                             DocumentEditor::MakeSkin(document.Model(), std::move(code), std::move(text)));
}

std::unique_ptr<ProjectCommand> MakeEditSkin(const ProjectDocument& document, const SkinNode& skin,
                                             std::string_view description, std::string_view typedCode) {
  std::string text = CheckSkinDescription(description);
  std::string code = MakeSkinCode(document.Model(), typedCode, text);
  CheckSkinCodeFree(document.Root(), code, &skin);
  if (code == skin.Code() && text == skin.Description()) return nullptr;
  return std::make_unique<EditSkinCommand>(skin, std::move(code), std::move(text));
}

std::unique_ptr<ProjectCommand> MakeDeleteSkin(const ProjectDocument&, const SkinNode& skin) {
  return std::make_unique<NodeCommand>("Delete Skin", skin);
}

}  // namespace project
