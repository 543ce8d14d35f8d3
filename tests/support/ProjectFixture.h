#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "model/ModelCatalogue.h"
#include "project/ProjectDocument.h"
#include "support/TestFiles.h"

// A program home with the model "Soldier" (section 1 Body: team and face;
// section 3 Head: face; section 5 Talk), its catalogue, and pictures on demand.
class ProjectFixture {
public:
  ProjectFixture();

  // A 24-bit picture of one colour, at Textures/<name> unless the name is absolute.
  std::filesystem::path Picture(const std::string& name, std::uint8_t shade = 100, int size = 8);
  std::unique_ptr<project::ProjectDocument> NewProject(const std::string& fileName = "SoldierSkins.mrb");
  // A project for the model "Mask", whose one section (Visor) is masked and size x size.
  std::unique_ptr<project::ProjectDocument> MaskedProject(int size);
  // A project for the single-skin model "Nali": section 1 the skin, named by
  // its whole name, with team textures T_Nali_<team>; section 5 <skin>-Face.
  std::unique_ptr<project::ProjectDocument> SingleSkinProject();
  void WriteText(const std::filesystem::path& path, const std::string& text);

  testsupport::TempDir home;
  model::ModelCatalogue catalogue;
};

// The section node of a skin with this section number.
const project::SkinNode& SectionNode(const project::ProjectDocument& document, const project::SkinNode& skin, int number);
