#include "project/DocumentEditor.h"
#include "project/ProjectCommands.h"

namespace project {

namespace {

class SetOptionsCommand : public ProjectCommand {
public:
  SetOptionsCommand(ProjectOptions before, ProjectOptions after) : before_(std::move(before)), after_(std::move(after)) {}

  std::string Text() const override { return "Change Project Options"; }

protected:
  void Apply(ProjectDocument& document) override { DocumentEditor(document).SetOptions(after_); }
  void Revert(ProjectDocument& document) override { DocumentEditor(document).SetOptions(before_); }

private:
  ProjectOptions before_;
  ProjectOptions after_;
};

}  // namespace

std::unique_ptr<ProjectCommand> MakeSetOptions(const ProjectDocument& document, const ProjectOptions& options) {
  if (options == document.Options()) return nullptr;
  return std::make_unique<SetOptionsCommand>(document.Options(), options);
}

}  // namespace project
