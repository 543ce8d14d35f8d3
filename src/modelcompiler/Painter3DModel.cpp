#include <charconv>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "model/System2.h"
#include "modelcompiler/ExternalReaders.h"
#include "platform/AsciiText.h"
#include "platform/DecimalText.h"

namespace modelcompiler {

namespace {

constexpr std::string_view Header = "Voodoo Ascii File";
constexpr std::size_t TagLength = 4;

// The file's lines without surrounding blanks or line ends; the header checked.
std::vector<std::string> ReadLines(const std::filesystem::path& file) {
  std::vector<std::string> lines;
  model::SplitToList(ReadModelFile(file), "\n", lines);
  for (std::string& line : lines) line = platform::Trim(line);
  if (lines.front() != Header) throw std::runtime_error(file.string() + " is not a valid Painter 3D file.");
  return lines;
}

bool Opens(const std::string& line, std::string_view tag) { return line.compare(0, TagLength, tag) == 0; }

// The text after a line's tag, split at commas.
std::vector<std::string> Pieces(const std::string& line) {
  std::vector<std::string> pieces;
  model::SplitToList(platform::Trim(std::string_view(line).substr(TagLength)), ",", pieces);
  for (std::string& piece : pieces) piece = platform::Trim(piece);
  return pieces;
}

// A one-based list position as a zero-based index a triangle can hold.
std::optional<std::uint16_t> Index(const std::string& piece) {
  long long number = 0;
  const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), number);
  if (error != std::errc() || end != piece.data() + piece.size() || number < 1 || number > 65536) return std::nullopt;
  return static_cast<std::uint16_t>(number - 1);
}

class MeshReader {
public:
  MeshReader(const std::filesystem::path& file, model3d::TObjeto3D& model)
      : file_(file), model_(model), frame_(model.Frames.emplace_back()) {}

  // Feeds one line of the chosen mesh.
  void Line(const std::string& line, std::size_t number) {
    line_ = number;
    if (block_ == Block::None) return Open(line);
    if (line == "}") return Close();
    if (block_ == Block::Triangle && Opens(line, "CNUV")) return Corner(line);
    if (block_ != Block::Triangle && Opens(line, "Vect")) Vector(line);
  }

  void End() const {
    if (block_ != Block::None) Fail(blockLine_, "the block is not closed");
  }

private:
  enum class Block { None, Triangle, Vertices, TexCoords };

  [[noreturn]] void Fail(std::size_t line, const std::string& reason) const {
    FailModelFile(file_, "line " + std::to_string(line) + ": " + reason);
  }

  void Open(const std::string& line) {
    if (Opens(line, "MshT")) {
      block_ = Block::Triangle;
      corners_ = 0;
    } else if (Opens(line, "Coor")) {
      // The readers deliver one frame.
      if (framed_) Fail(line_, "a mesh holds one \"Coor\" block");
      framed_ = true;
      block_ = Block::Vertices;
    } else if (Opens(line, "UVCo")) {
      block_ = Block::TexCoords;
    }
    blockLine_ = line_;
  }

  void Close() {
    if (block_ == Block::Triangle) {
      if (corners_ != 3) Fail(blockLine_, "a triangle has " + std::to_string(corners_) + " corners");
      model_.Triangles.push_back(triangle_);
    }
    block_ = Block::None;
  }

  void Corner(const std::string& line) {
    const std::vector<std::string> pieces = Pieces(line);
    const std::optional<std::uint16_t> vertex = pieces.size() >= 3 ? Index(pieces[0]) : std::nullopt;
    const std::optional<std::uint16_t> texCoord = pieces.size() >= 3 ? Index(pieces[2]) : std::nullopt;
    if (!vertex || !texCoord) Fail(line_, "\"" + line + "\" is not a corner");
    if (corners_ == 3) Fail(blockLine_, "a triangle has more than 3 corners");
    triangle_.Vertex[corners_] = *vertex;
    triangle_.TexCoord[corners_] = *texCoord;
    ++corners_;
  }

  void Vector(const std::string& line) {
    const std::vector<std::string> pieces = Pieces(line);
    float values[3] = {};
    const std::size_t needed = block_ == Block::Vertices ? 3 : 2;
    for (std::size_t i = 0; i < needed; ++i) {
      const std::optional<double> value = i < pieces.size() ? platform::ParseDecimal(pieces[i]) : std::nullopt;
      if (!value) Fail(line_, "\"" + line + "\" is not a vector");
      values[i] = static_cast<float>(*value);
    }
    if (block_ == Block::Vertices)
      frame_.push_back({values[0], values[1], values[2]});
    else
      model_.TexCoords.push_back({values[0], 1.0f - values[1]});
  }

  const std::filesystem::path& file_;
  model3d::TObjeto3D& model_;
  std::vector<model3d::TVertex3D>& frame_;
  Block block_ = Block::None;
  std::size_t line_ = 0;
  std::size_t blockLine_ = 0;
  bool framed_ = false;
  int corners_ = 0;
  // Without a material until the material step gives each triangle its quarter.
  model3d::TTriangle3D triangle_{.Material = -1};
};

}  // namespace

void InspectPainter3D(ExternalModelInfo& info) {
  const std::vector<std::string> lines = ReadLines(info.ModelName);
  std::size_t meshes = 0;
  std::size_t triangles = 0;
  for (const std::string& line : lines) {
    if (Opens(line, "TriM"))
      ++meshes;
    else if (meshes == 1 && Opens(line, "MshT"))
      ++triangles;
  }
  info.Lines = {"Painter3D model", "Triangles = " + std::to_string(triangles), "Meshes    = " + std::to_string(meshes)};
  info.MaxNumber = static_cast<int>(meshes) - 1;
}

void ReadPainter3DMesh(const std::filesystem::path& file, int number, model3d::TObjeto3D& model) {
  const std::vector<std::string> lines = ReadLines(file);
  MeshReader reader(file, model);
  int mesh = -1;
  for (std::size_t n = 1; n < lines.size(); ++n) {
    if (Opens(lines[n], "TriM")) {
      if (mesh == number) break;
      ++mesh;
    } else if (mesh == number) {
      reader.Line(lines[n], n + 1);
    }
  }
  if (mesh < number) FailModelFile(file, "there is no mesh " + std::to_string(number));
  reader.End();
  CheckTriangleIndices(model, file);
}

void RecreatePainter3DMaterials(model3d::TObjeto3D& model) {
  model.Materials = {{"SKIN0", 0}, {"SKIN1", 0}, {"SKIN2", 0}, {"SKIN3", 0}};
  for (model3d::TTriangle3D& triangle : model.Triangles) {
    const model3d::TTexCoord& corner = model.TexCoords[triangle.TexCoord[0]];
    triangle.Material = static_cast<std::int8_t>((corner.V < 0.5f ? 2 : 0) + (corner.U >= 0.5f ? 1 : 0));
  }
  for (model3d::TTexCoord& coord : model.TexCoords) {
    if (coord.U >= 0.5f) coord.U -= 0.5f;
    if (coord.V >= 0.5f) coord.V -= 0.5f;
    coord.U *= 2;
    coord.V *= 2;
  }
}

}  // namespace modelcompiler
