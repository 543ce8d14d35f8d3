#include "model/TModelo.h"

#include "platform/FileLookup.h"

namespace model {

void TModelo::Assign(const std::shared_ptr<const TModelo>& source) {
  if (!source || source.get() == this) return;
  *this = *source;
  Source = source;
}

int TModelo::SectionIndexByNumber(int number) const {
  for (std::size_t i = 0; i < Sections.size(); ++i)
    if (Sections[i].Part.Number() == number) return static_cast<int>(i);
  return -1;
}

int TModelo::SectionNumberByName(std::string_view name) const {
  for (const TModeloSection& section : Sections)
    if (section.Name == name) return section.Part.Number();
  return -1;
}

const TModeloPart* TModelo::SectionByNumber(int number) const {
  const int index = SectionIndexByNumber(number);
  return index < 0 ? nullptr : &Sections[static_cast<std::size_t>(index)].Part;
}

void TModelo::AddSection(std::string name, std::uint32_t flags, std::string formatNoTeamNoFace,
                         std::string formatNoTeamFace, std::string formatTeamNoFace, std::string formatTeamFace,
                         std::int32_t width, std::int32_t height) {
  TModeloPart part;
  part.Flags = flags;
  part.Width = width;
  part.Height = height;
  part.FormatNoTeamNoFace = std::move(formatNoTeamNoFace);
  part.FormatNoTeamFace = std::move(formatNoTeamFace);
  part.FormatTeamNoFace = std::move(formatTeamNoFace);
  part.FormatTeamFace = std::move(formatTeamFace);
  const std::string wireName = Prefix + "Wire" + std::to_string(part.Number()) + ".bmp";
  if (const auto wire = platform::FindFileIgnoringCase(DefinitionFile().parent_path(), wireName))
    part.Wire = std::make_shared<const WireBitmap>(*wire);
  Sections.push_back({std::move(name), std::move(part)});
}

std::filesystem::path TModelo::DefinitionFile() const { return DefinitionId.substr(0, DefinitionId.rfind('|')); }

std::string TModelo::DefinitionSection() const {
  const auto bar = DefinitionId.rfind('|');
  return bar == std::string::npos ? std::string() : DefinitionId.substr(bar + 1);
}

std::string DescribeSection(const TModeloPart& section) {
  std::string text = "Section " + std::to_string(section.Number());
  if (section.Width != 0 && section.Height != 0)
    text += ", Textures are " + std::to_string(section.Width) + "x" + std::to_string(section.Height);
  if (section.Has(TEAM)) text += ", Allows Teams";
  if (section.Has(FACE)) text += ", Allows Faces";
  if (section.Has(ONEMIPMAP)) text += ", Creates One MipMap";
  if (!section.Has(LODSETWORLD)) text += ", Sets LODSet to Skin";
  if (section.Has(MASKED)) text += ", Textures are masked";
  if (section.Has(TRANSLUCENT)) text += ", Textures are translucent";
  if (section.Has(CANNOTRESAMPLE)) text += ", Textures cannot be resampled";
  if (section.Has(TALKTEXTURE)) text += ", Talk Texture";
  if (section.Has(REQUIRED)) text += ", Needed in every skin";
  return text;
}

}  // namespace model
