#include "modelcompiler/SkinScheme.h"

#include <algorithm>
#include <map>

#include "platform/AsciiText.h"

namespace modelcompiler {

namespace {

using platform::EqualsIgnoreCase;
using platform::StartsWithIgnoreCase;

// Mesh sections the scripts can dress: MultiSkins holds eight textures.
constexpr std::int32_t SkinSlots = 8;
// The multi-skin scripts ask for the talk texture as <code>5<face>.
constexpr int TalkSection = 5;

bool IsSlot(std::int32_t element) { return element >= 0 && element < SkinSlots; }

std::string Decimal(std::int32_t value) { return std::to_string(value); }

// The part of "Package.Item" after its last full stop.
std::string ItemOf(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

std::string FileText(const DefaultSkinPackage& package) { return package.File.filename().string(); }

// What the default skin package shows of one section of a multi-skinned
// model: the default skin's textures <code><section>, T_<team> and faces.
struct SectionEvidence {
  std::string Example;
  std::string TeamExample;
  std::string FaceExample;
};

std::map<int, SectionEvidence> MultiSkinEvidence(const DefaultSkinPackage& package, const std::string& code) {
  std::map<int, SectionEvidence> sections;
  if (code.empty()) return sections;
  for (const std::string& texture : package.Textures) {
    if (texture.size() <= code.size() || !StartsWithIgnoreCase(texture, code)) continue;
    const char digit = texture[code.size()];
    if (digit < '1' || digit > '8') continue;
    SectionEvidence& evidence = sections[digit - '0'];
    const std::string rest = texture.substr(code.size() + 1);
    if (evidence.Example.empty()) evidence.Example = texture;
    if (rest.size() >= 3 && StartsWithIgnoreCase(rest, "t_") && rest[2] >= '0' && rest[2] <= '9') {
      if (evidence.TeamExample.empty()) evidence.TeamExample = texture;
    } else if (!rest.empty() && evidence.FaceExample.empty()) {
      evidence.FaceExample = texture;
    }
  }
  return sections;
}

class SchemeBuilder {
public:
  SchemeBuilder(const ClassSkinFacts& facts, const TMeshItem& slots, const DefaultSkinPackage& package,
                const std::vector<std::int32_t>& skinMaterials)
      : facts_(facts), slots_(slots), package_(package), materials_(skinMaterials) {
    for (const std::int32_t material : materials_) At(material + 1);
  }

  SkinScheme Build() {
    DecideKind();
    if (scheme_.SingleSkin)
      SingleSkinSections();
    else
      MultiSkinSections();
    for (auto& [number, section] : sections_) scheme_.Sections.push_back(section);
    return std::move(scheme_);
  }

private:
  SchemeSection& At(int number) {
    SchemeSection& section = sections_[number];
    section.Number = number;
    if (section.Name.empty()) section.Name = "SKIN" + Decimal(number - 1);
    return section;
  }

  void Reason(std::string text) { scheme_.Reasons.push_back(std::move(text)); }

  bool Unstored(const char* slot) const {
    return std::find(facts_.UnstoredSlots.begin(), facts_.UnstoredSlots.end(), slot) != facts_.UnstoredSlots.end();
  }

  std::string Slot(const char* slot, std::int32_t value) const {
    return std::string(slot) + " " + Decimal(value) + (Unstored(slot) ? ", as no class stores it" : "");
  }

  // The class chain first; where it cannot tell, the default skin package;
  // where that is missing too, the game's player classes, which are
  // multi-skinned unless a class stores bIsMultiSkinned False.
  void DecideKind() {
    std::string why;
    if (facts_.ClassName.empty()) {
      why = "the mesh is listed without a player class; taken as multi-skinned, as the game's player classes are";
    } else if (facts_.MultiSkinned) {
      scheme_.SingleSkin = !*facts_.MultiSkinned;
      why = std::string("bIsMultiSkinned is ") + (*facts_.MultiSkinned ? "True" : "False") + " in the class " +
            facts_.MultiSkinnedIn;
    } else if (facts_.MissingParent.empty()) {
      scheme_.SingleSkin = true;
      why = "no class of the chain stores bIsMultiSkinned, which is then False";
    } else {
      const std::string verdict = PackageVerdict();
      why = "bIsMultiSkinned is not stored by the classes that can be read (" + facts_.MissingParent +
            " is not found), and " + verdict;
      scheme_.Notes.push_back("The class " + facts_.ClassName + " does not say whether it is multi-skinned (" +
                              facts_.MissingParent + " is not found): bIsMultiSkinned is taken as " +
                              (scheme_.SingleSkin ? "False" : "True") + ", as " + verdict);
    }
    Reason(scheme_.SingleSkin ? "Skins are named by their whole name, as for a single-skin model: " + why
                              : "Skins are named by a code and a section digit, as for a multi-skinned model: " + why);
  }

  // Says what the default skin package shows, and decides by it.
  std::string PackageVerdict() {
    if (package_.Name.empty()) return "the class names no default skin package; taken as multi-skinned, as the game's "
                                      "player classes are";
    if (!package_.Found()) {
      const std::string missing = package_.File.empty() ? "the default skin package " + package_.Name +
                                                               ".utx is not in the game's Textures folder"
                                                         : "the default skin package " + FileText(package_) +
                                                               " cannot be read (" + package_.Problem + ")";
      return missing + "; taken as multi-skinned, as the game's player classes are";
    }
    const std::string skin = ItemOf(facts_.DefaultSkinName);
    if (const std::string whole = package_.TextureNamed(skin); !whole.empty()) {
      scheme_.SingleSkin = true;
      return "the default skin package " + FileText(package_) + " holds the default skin " + whole + " under its whole name";
    }
    const auto evidence = MultiSkinEvidence(package_, skin);
    if (!evidence.empty())
      return "the default skin package " + FileText(package_) + " holds the default skin as " +
             evidence.begin()->second.Example + " and its other sections";
    return "the default skin package " + FileText(package_) + " shows neither; taken as multi-skinned, as the game's "
           "player classes are";
  }

  // A slot's section: the scripts of a known class load it even where the
  // mesh draws nothing with it; without a class, only drawn sections count.
  SchemeSection* SlotSection(std::int32_t element) {
    if (!IsSlot(element)) return nullptr;
    if (facts_.ClassName.empty() && sections_.count(element + 1) == 0) return nullptr;
    return &At(element + 1);
  }

  void MultiSkinSections() {
    if (SchemeSection* fixed = SlotSection(slots_.FixedSkin)) {
      fixed->Required = true;
      Reason("Section " + Decimal(slots_.FixedSkin + 1) + ": the skin's fixed part (" + Slot("FixedSkin", slots_.FixedSkin) +
             "); a skin without it shows in the game as the default skin, without its face");
    }
    if (SchemeSection* face = SlotSection(slots_.FaceSkin)) {
      face->Face = true;
      Reason("Section " + Decimal(slots_.FaceSkin + 1) + ": faces (" + Slot("FaceSkin", slots_.FaceSkin) + ")");
    }
    for (const auto& [slot, value] : {std::pair{"TeamSkin1", slots_.TeamSkin1}, std::pair{"TeamSkin2", slots_.TeamSkin2}})
      if (SchemeSection* team = SlotSection(value)) {
        team->Team = true;
        Reason("Section " + Decimal(value + 1) + ": teams (" + Slot(slot, value) + ")");
      }
    const auto evidence = package_.Found() ? MultiSkinEvidence(package_, ItemOf(facts_.DefaultSkinName))
                                           : std::map<int, SectionEvidence>{};
    for (const auto& [number, seen] : evidence) {
      if (number == TalkSection) continue;
      SchemeSection& section = At(number);
      if (!seen.TeamExample.empty() && !section.Team) {
        section.Team = true;
        Reason("Section " + Decimal(number) + ": teams (" + FileText(package_) + " holds " + seen.TeamExample + ")");
      }
      if (!seen.FaceExample.empty() && !section.Face) {
        section.Face = true;
        Reason("Section " + Decimal(number) + ": faces (" + FileText(package_) + " holds " + seen.FaceExample + ")");
      }
    }
    for (const std::int32_t material : materials_) {
      const bool scripted = material == slots_.FixedSkin || material == slots_.FaceSkin ||
                            material == slots_.TeamSkin1 || material == slots_.TeamSkin2 ||
                            evidence.count(material + 1) > 0;
      if (!scripted)
        Reason("Section " + Decimal(material + 1) + ": drawn by the mesh, but the scripts load no skin texture for it");
    }
    if (sections_.count(TalkSection) == 0) {
      SchemeSection& talk = At(TalkSection);
      talk.Name = "Talk Texture";
      talk.Talk = true;
      talk.Face = true;
      Reason("Section 5: the talk texture, named by the code, 5 and the face");
    }
  }

  // The section the skin covers: the first the mesh draws that the class
  // gives no texture of its own.
  std::int32_t SkinMaterial() const {
    for (const std::int32_t material : materials_)
      if (!IsSlot(material) || facts_.FixedTextures[static_cast<std::size_t>(material)].empty()) return material;
    return materials_.empty() ? 0 : materials_.front();
  }

  // The team prefix as the default skin package writes it ("T_Nali_" for "T_nali_").
  std::string TeamPrefix() const {
    const std::string written = package_.TextureNamed(slots_.TeamSkin + "0");
    return written.empty() ? slots_.TeamSkin : written.substr(0, slots_.TeamSkin.size());
  }

  // "Face" or "-Face" after the skin's name: the package shows which, by a
  // texture named so after one of its skins; the scripts try "Face" first.
  std::string TalkSuffix(std::string& evidence) const {
    std::string dashed;
    for (const std::string& texture : package_.Textures) {
      const std::size_t size = texture.size();
      if (size > 4 && EqualsIgnoreCase(texture.substr(size - 4), "face") &&
          !package_.TextureNamed(texture.substr(0, size - 4)).empty()) {
        evidence = texture;
        return "Face";
      }
      if (dashed.empty() && size > 5 && EqualsIgnoreCase(texture.substr(size - 5), "-face") &&
          !package_.TextureNamed(texture.substr(0, size - 5)).empty())
        dashed = texture;
    }
    evidence = dashed;
    return dashed.empty() ? "Face" : "-Face";
  }

  void SingleSkinSections() {
    const std::int32_t skin = SkinMaterial();
    SchemeSection& skinSection = At(skin + 1);
    skinSection.FormatNoTeamNoFace = "%SKIN%";
    std::string line = "Section " + Decimal(skin + 1) + ": the skin, named by its whole name";
    if (!slots_.TeamSkin.empty()) {
      const std::string prefix = TeamPrefix();
      skinSection.Team = true;
      skinSection.FormatTeamNoFace = prefix + "%TEAM%";
      line += "; team textures " + prefix + "0 to " + prefix + "3, shared by every skin (TeamSkin \"" +
              slots_.TeamSkin + "\"; the game loads them from " +
              (facts_.DefaultPackage.empty() ? std::string("the model's own package")
                                             : facts_.DefaultPackage.substr(0, facts_.DefaultPackage.find('.'))) +
              ")";
    }
    Reason(line);
    for (const std::int32_t material : materials_) {
      if (material == skin || !IsSlot(material)) continue;
      const std::string& fixed = facts_.FixedTextures[static_cast<std::size_t>(material)];
      if (fixed.empty()) continue;
      SchemeSection& section = At(material + 1);
      section.FormatNoTeamNoFace = fixed;
      section.NoInt = true;
      Reason("Section " + Decimal(material + 1) + ": the model's own texture " + fixed + " (MultiSkins[" +
             Decimal(material) + "]), which skins do not change");
    }
    if (sections_.count(TalkSection) == 0) {
      std::string evidence;
      const std::string suffix = TalkSuffix(evidence);
      SchemeSection& talk = At(TalkSection);
      talk.Name = "Talk Texture";
      talk.Talk = true;
      talk.FormatNoTeamNoFace = "%SKIN%" + suffix;
      Reason("Section 5: the talk texture, the skin's name and " + suffix + " (" +
             (evidence.empty() ? std::string("the name the scripts try first")
                               : FileText(package_) + " holds " + evidence) +
             ")");
    }
  }

  const ClassSkinFacts& facts_;
  const TMeshItem& slots_;
  const DefaultSkinPackage& package_;
  const std::vector<std::int32_t>& materials_;
  std::map<int, SchemeSection> sections_;
  SkinScheme scheme_;
};

}  // namespace

SkinScheme DecideSkinScheme(const ClassSkinFacts& facts, const TMeshItem& slots, const DefaultSkinPackage& package,
                            const std::vector<std::int32_t>& skinMaterials) {
  return SchemeBuilder(facts, slots, package, skinMaterials).Build();
}

}  // namespace modelcompiler
