#include "model3d/TObjeto3D.h"

#include <cmath>
#include <stdexcept>

#include "platform/AtomicFile.h"
#include "unrealpkg/ByteWriter.h"

namespace model3d {

namespace {

constexpr std::uint16_t FormatWord = 0x0201;
constexpr std::size_t MaxCount = 65535;
constexpr std::size_t MaxNameLength = 255;

std::uint16_t Count(std::size_t count, const char* what) {
  if (count > MaxCount)
    throw std::runtime_error("The model has " + std::to_string(count) + " " + what +
                             "; a compiled model data file holds at most 65535");
  return static_cast<std::uint16_t>(count);
}

// Tag, size and payload; the size counts what follows it.
class Chunks {
public:
  explicit Chunks(unrealpkg::ByteWriter& out) : out_(out) {}
  void Begin(const char* tag) {
    out_.WriteBytes(tag, 4);
    sizeField_ = out_.Size();
    out_.WriteInt32(0);
  }
  void End() { out_.PatchInt32(sizeField_, static_cast<std::int32_t>(out_.Size() - sizeField_ - 4)); }

private:
  unrealpkg::ByteWriter& out_;
  std::size_t sizeField_ = 0;
};

void WriteName(unrealpkg::ByteWriter& out, const std::string& name) {
  const std::size_t length = std::min(name.size(), MaxNameLength);
  out.WriteByte(static_cast<std::uint8_t>(length));
  out.WriteBytes(name.data(), length);
}

}  // namespace

bool SequenceFits(std::int64_t startFrame, std::int64_t frameCount, float rate) {
  const double whole = std::trunc(static_cast<double>(rate));
  return startFrame >= 0 && startFrame <= 0xFFFF && frameCount >= 0 && frameCount <= 0xFF && whole >= 0 && whole <= 0xFF;
}

TSequence3D PackSequence(const std::string& name, std::int64_t startFrame, std::int64_t frameCount, float rate) {
  if (!SequenceFits(startFrame, frameCount, rate))
    throw std::runtime_error("The animation sequence \"" + name + "\" (start " + std::to_string(startFrame) + ", " +
                             std::to_string(frameCount) +
                             " frames) does not fit a model: starts are limited to 65535, lengths to 255 "
                             "frames and rates to 255");
  const auto packed = static_cast<std::uint32_t>(startFrame) | static_cast<std::uint32_t>(frameCount) << 16 |
                      static_cast<std::uint32_t>(std::trunc(rate)) << 24;
  return {name, static_cast<std::int32_t>(packed)};
}

void TObjeto3D::Clear() {
  Materials.clear();
  Sequences.clear();
  Frames.clear();
  TexCoords.clear();
  Triangles.clear();
  StillFrame = 0;
}

std::vector<std::uint8_t> EncodeModelData(const TObjeto3D& model) {
  if (model.Frames.empty()) throw std::runtime_error("A model without frames cannot be written");
  const std::uint16_t frames = Count(model.Frames.size(), "frames");
  const std::uint16_t vertices = Count(model.VertexCount(), "vertices in a frame");
  if (model.StillFrame < 0 || static_cast<std::size_t>(model.StillFrame) >= model.Frames.size())
    throw std::runtime_error("The rest frame " + std::to_string(model.StillFrame) + " is not one of the model's " +
                             std::to_string(model.Frames.size()) + " frames");
  for (const auto& frame : model.Frames)
    if (frame.size() < vertices) throw std::runtime_error("The frames of the model differ in their vertex count");

  unrealpkg::ByteWriter out;
  Chunks chunk(out);
  out.WriteWord(FormatWord);
  chunk.Begin("FRAM");
  out.WriteWord(frames);
  chunk.End();
  chunk.Begin("STLF");
  out.WriteWord(static_cast<std::uint16_t>(model.StillFrame));
  chunk.End();
  chunk.Begin("VERT");
  out.WriteWord(vertices);
  for (const auto& frame : model.Frames)
    for (std::size_t v = 0; v < vertices; ++v) {
      out.WriteFloat(frame[v].X);
      out.WriteFloat(frame[v].Y);
      out.WriteFloat(frame[v].Z);
    }
  chunk.End();
  chunk.Begin("TEXC");
  out.WriteWord(Count(model.TexCoords.size(), "texture coordinates"));
  for (const TTexCoord& t : model.TexCoords) {
    out.WriteFloat(t.U);
    out.WriteFloat(t.V);
  }
  chunk.End();
  chunk.Begin("MATS");
  out.WriteWord(Count(model.Materials.size(), "materials"));
  for (const TMaterial3D& material : model.Materials) {
    WriteName(out, material.Name);
    out.WriteInt32(material.Flags);
  }
  chunk.End();
  chunk.Begin("MESH");
  out.WriteWord(Count(model.Triangles.size(), "triangles"));
  for (const TTriangle3D& triangle : model.Triangles) {
    for (int c = 0; c < 3; ++c) {
      out.WriteWord(triangle.Vertex[c]);
      out.WriteWord(triangle.TexCoord[c]);
    }
    out.WriteWord(static_cast<std::uint16_t>(static_cast<std::int16_t>(triangle.Material)));
    for (int i = 0; i < 6; ++i) out.WriteByte(0);
  }
  chunk.End();
  chunk.Begin("ASEQ");
  out.WriteWord(Count(model.Sequences.size(), "sequences"));
  for (const TSequence3D& sequence : model.Sequences) {
    WriteName(out, sequence.Name);
    const auto packed = static_cast<std::uint32_t>(sequence.Packed);
    out.WriteWord(static_cast<std::uint16_t>(packed));
    out.WriteByte(static_cast<std::uint8_t>(packed >> 16));
    out.WriteByte(static_cast<std::uint8_t>(packed >> 24));
  }
  chunk.End();
  return std::move(out.Bytes());
}

void WriteModelDataFile(const TObjeto3D& model, const std::filesystem::path& file) {
  platform::WriteFileAtomically(file, EncodeModelData(model));
}

}  // namespace model3d
