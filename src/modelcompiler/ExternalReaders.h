#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "model3d/TObjeto3D.h"
#include "modelcompiler/ExternalModel.h"
#include "unrealpkg/ByteReader.h"

// The steps of each external model kind and what the readers share; only the
// readers and their dispatch include this.
namespace modelcompiler {

void InspectUnreal3D(ExternalModelInfo& info);
void ReadUnreal3DMesh(const std::string& modelName, int frame, model3d::TObjeto3D& model);

void InspectStudio3DS(ExternalModelInfo& info);
void ReadStudio3DSMesh(const std::filesystem::path& file, int mesh, model3d::TObjeto3D& model);

void InspectMilkShape(ExternalModelInfo& info);
void ReadMilkShapeMesh(const std::filesystem::path& file, model3d::TObjeto3D& model);

void InspectPainter3D(ExternalModelInfo& info);
void ReadPainter3DMesh(const std::filesystem::path& file, int mesh, model3d::TObjeto3D& model);
// Four skins, one per quarter of the texture, each stretched over the whole of it.
void RecreatePainter3DMaterials(model3d::TObjeto3D& model);

// Raises "<file>: <reason>".
[[noreturn]] void FailModelFile(const std::filesystem::path& file, const std::string& reason);

// The file's contents; an error naming it when it cannot be read.
std::string ReadModelFile(const std::filesystem::path& file);

// Runs `parse` over the file's bytes; a read past their end becomes an error naming the file.
template <class Parse>
auto ParseModelFile(const std::filesystem::path& file, Parse parse) {
  const std::string contents = ReadModelFile(file);
  unrealpkg::ByteReader reader(reinterpret_cast<const std::uint8_t*>(contents.data()), contents.size());
  try {
    return parse(reader);
  } catch (const unrealpkg::ReadError&) {
    FailModelFile(file, "the file ends early");
  }
}

enum class NameMatch { Exact, IgnoringCase };

// The index of the material called `name`, appended when not yet listed.
std::int8_t FindOrAddMaterial(model3d::TObjeto3D& model, const std::string& name, NameMatch match,
                              const std::filesystem::path& file);

// Appends the three corners' texture coordinates and a triangle that uses them.
void AddTriangleWithOwnCoords(model3d::TObjeto3D& model, const std::uint16_t (&vertex)[3],
                              const model3d::TTexCoord (&corner)[3], std::int8_t material,
                              const std::filesystem::path& file);

// Every triangle's vertices, texture coordinates and material (or -1) lie inside their lists.
void CheckTriangleIndices(const model3d::TObjeto3D& model, const std::filesystem::path& file);

}  // namespace modelcompiler
