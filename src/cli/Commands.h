#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Each subcommand takes the words after its name and returns the exit status;
// failures are thrown and reported by main.
int RunInspect(const std::vector<std::string>& words, std::ostream& out);
int RunCheck(const std::vector<std::string>& words, std::ostream& out);
int RunExportTextures(const std::vector<std::string>& words, std::ostream& out);
int RunExportMesh(const std::vector<std::string>& words, std::ostream& out);
int RunCompile(const std::vector<std::string>& words, std::ostream& out);
int RunCompileModel(const std::vector<std::string>& words, std::ostream& out);
int RunQuantize(const std::vector<std::string>& words, std::ostream& out);
int RunGame(const std::vector<std::string>& words, std::ostream& out);
int RunModels(const std::vector<std::string>& words, std::ostream& out);
int RunProject(const std::vector<std::string>& words, std::ostream& out);
int RunRender(const std::vector<std::string>& words, std::ostream& out);
int RunUmod(const std::vector<std::string>& words, std::ostream& out);

// One line for a message that may hold line breaks.
std::string OneLine(std::string text);

}  // namespace cli
