#include "modelcompiler/ExternalReaders.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "platform/AsciiText.h"
#include "platform/FileContents.h"

namespace modelcompiler {

namespace {

constexpr std::size_t MaxTexCoords = std::numeric_limits<std::uint16_t>::max();

}  // namespace

void FailModelFile(const std::filesystem::path& file, const std::string& reason) {
  throw std::runtime_error(file.string() + ": " + reason);
}

std::string ReadModelFile(const std::filesystem::path& file) {
  std::optional<std::string> contents = platform::ReadFileContents(file);
  if (!contents) FailModelFile(file, "the file does not exist");
  return std::move(*contents);
}

std::int8_t FindOrAddMaterial(model3d::TObjeto3D& model, const std::string& name, NameMatch match,
                              const std::filesystem::path& file) {
  const auto found = std::find_if(model.Materials.begin(), model.Materials.end(), [&](const model3d::TMaterial3D& m) {
    return match == NameMatch::Exact ? m.Name == name : platform::EqualsIgnoreCase(m.Name, name);
  });
  const auto index = static_cast<std::size_t>(found - model.Materials.begin());
  // A triangle holds its material in eight signed bits.
  if (index > static_cast<std::size_t>(std::numeric_limits<std::int8_t>::max()))
    FailModelFile(file, "the model has more than 128 materials");
  if (found == model.Materials.end()) model.Materials.push_back({name, 0});
  return static_cast<std::int8_t>(index);
}

void AddTriangleWithOwnCoords(model3d::TObjeto3D& model, const std::uint16_t (&vertex)[3],
                              const model3d::TTexCoord (&corner)[3], std::int8_t material,
                              const std::filesystem::path& file) {
  // A compiled model holds at most 65535 of them.
  if (model.TexCoords.size() + 3 > MaxTexCoords)
    FailModelFile(file, "the model needs more than 65535 texture coordinates");
  model3d::TTriangle3D triangle;
  for (int k = 0; k < 3; ++k) {
    triangle.Vertex[k] = vertex[k];
    triangle.TexCoord[k] = static_cast<std::uint16_t>(model.TexCoords.size());
    model.TexCoords.push_back(corner[k]);
  }
  triangle.Material = material;
  model.Triangles.push_back(triangle);
}

void CheckTriangleIndices(const model3d::TObjeto3D& model, const std::filesystem::path& file) {
  const std::size_t vertices = model.VertexCount();
  for (std::size_t t = 0; t < model.Triangles.size(); ++t) {
    const model3d::TTriangle3D& triangle = model.Triangles[t];
    const auto fail = [&](const char* what, long long index, std::size_t count) {
      FailModelFile(file, "triangle " + std::to_string(t) + " refers to " + what + " " + std::to_string(index) +
                              " of " + std::to_string(count));
    };
    for (int k = 0; k < 3; ++k) {
      if (triangle.Vertex[k] >= vertices) fail("vertex", triangle.Vertex[k], vertices);
      if (triangle.TexCoord[k] >= model.TexCoords.size())
        fail("texture coordinate", triangle.TexCoord[k], model.TexCoords.size());
    }
    if (triangle.Material < -1 || triangle.Material >= static_cast<long long>(model.Materials.size()))
      fail("material", triangle.Material, model.Materials.size());
  }
}

}  // namespace modelcompiler
