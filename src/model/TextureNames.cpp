#include "model/TextureNames.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "model/TModelo.h"
#include "platform/AsciiText.h"

namespace model {

namespace {

const char* const TeamNames[] = {"Red", "Blue", "Green", "Gold"};

const char* TeamName(int team) { return team >= 0 && team < 4 ? TeamNames[team] : ""; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A name format taken apart: fixed text, and what each placeholder stands for.
enum class Piece { Text, Skin, Team, TeamName, Face };
struct FormatPiece {
  Piece Kind;
  std::string Text;
};

std::vector<FormatPiece> Pieces(std::string_view format, int section) {
  std::vector<FormatPiece> pieces;
  const auto text = [&](std::string_view more) {
    if (pieces.empty() || pieces.back().Kind != Piece::Text) pieces.push_back({Piece::Text, {}});
    pieces.back().Text += more;
  };
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != '%') {
      text(format.substr(i++, 1));
      continue;
    }
    const std::size_t close = format.find('%', i + 1);
    const std::size_t end = close == std::string_view::npos ? format.size() : close;
    const std::string name = platform::ToUpperAscii(format.substr(i + 1, end - i - 1));
    if (name == "SKIN") pieces.push_back({Piece::Skin, {}});
    else if (name == "SECTION") text(std::to_string(section));
    else if (name == "SECTION0") text(std::to_string(section - 1));
    else if (name == "TEAM") pieces.push_back({Piece::Team, {}});
    else if (name == "TEAMNAME") pieces.push_back({Piece::TeamName, {}});
    else if (name == "FACE") pieces.push_back({Piece::Face, {}});
    i = close == std::string_view::npos ? format.size() : close + 1;
  }
  return pieces;
}

// Matches a name against a format's pieces, trying every split, and keeps
// each reading whose placeholders agree with themselves.
class FormatMatcher {
public:
  FormatMatcher(const TModelo& model, std::string_view name, const std::vector<FormatPiece>& pieces)
      : model_(model), name_(name), pieces_(pieces) {}

  template <typename Found>
  void Match(std::size_t piece, std::size_t at, Found&& found) {
    if (piece == pieces_.size()) {
      if (at == name_.size()) found(skin_, team_, face_);
      return;
    }
    const FormatPiece& p = pieces_[piece];
    const std::string_view rest = name_.substr(at);
    switch (p.Kind) {
      case Piece::Text:
        if (platform::StartsWithIgnoreCase(rest, p.Text)) Match(piece + 1, at + p.Text.size(), found);
        return;
      case Piece::Team:
        if (!rest.empty() && rest[0] >= '0' && rest[0] <= '3') Bind(team_, rest[0] - '0', [&] { Match(piece + 1, at + 1, found); });
        return;
      case Piece::TeamName:
        for (int team = 0; team < 4; ++team)
          if (platform::StartsWithIgnoreCase(rest, TeamNames[team]))
            Bind(team_, team, [&] { Match(piece + 1, at + std::string_view(TeamNames[team]).size(), found); });
        return;
      case Piece::Skin:
      case Piece::Face:
        for (std::size_t length = 1; length <= rest.size(); ++length) {
          const std::string_view taken = rest.substr(0, length);
          if (p.Kind == Piece::Skin && !FitsSkinName(model_, taken)) continue;
          auto& slot = p.Kind == Piece::Skin ? skin_ : face_;
          Bind(slot, std::string(taken), [&] { Match(piece + 1, at + length, found); });
        }
        return;
    }
  }

private:
  // A placeholder met twice must read the same both times.
  template <typename Value, typename Next>
  void Bind(std::optional<Value>& slot, Value value, Next&& next) {
    if (slot) {
      if (Same(*slot, value)) next();
      return;
    }
    slot = std::move(value);
    next();
    slot.reset();
  }
  static bool Same(int a, int b) { return a == b; }
  static bool Same(const std::string& a, const std::string& b) { return platform::EqualsIgnoreCase(a, b); }

  const TModelo& model_;
  std::string_view name_;
  const std::vector<FormatPiece>& pieces_;
  std::optional<std::string> skin_;
  std::optional<int> team_;
  std::optional<std::string> face_;
};

}  // namespace

IdentifierParts SplitIdentifier(std::string_view identifier) {
  if (identifier.size() >= 2 && platform::EqualsIgnoreCase(identifier.substr(0, 2), "t_")) {
    IdentifierParts parts;
    if (identifier.size() >= 3 && identifier[2] >= '0' && identifier[2] <= '9') parts.Team = identifier[2] - '0';
    parts.Face = std::string(identifier.size() > 3 ? identifier.substr(3) : std::string_view());
    return parts;
  }
  return {-1, std::string(identifier)};
}

std::string ExpandNameFormat(std::string_view format, std::string_view skin, int section, int team,
                             std::string_view face) {
  std::string result;
  std::size_t i = 0;
  while (i < format.size()) {
    if (format[i] != '%') {
      result += format[i++];
      continue;
    }
    const std::size_t close = format.find('%', i + 1);
    const std::size_t end = close == std::string_view::npos ? format.size() : close;
    const std::string name = platform::ToUpperAscii(format.substr(i + 1, end - i - 1));
    if (name == "SKIN")
      result += skin;
    else if (name == "SECTION")
      result += std::to_string(section);
    else if (name == "SECTION0")
      result += std::to_string(section - 1);
    else if (name == "TEAM")
      result += std::to_string(team);
    else if (name == "TEAMNAME")
      result += TeamName(team);
    else if (name == "FACE")
      result += face;
    i = close == std::string_view::npos ? format.size() : close + 1;
  }
  return result;
}

std::string MakeTextureName(const TModelo& model, std::string_view skinCode, int sectionNumber,
                            std::string_view identifier) {
  const IdentifierParts parts = SplitIdentifier(identifier);
  const TModeloPart* section = model.SectionByNumber(sectionNumber);
  if (!section)
    throw std::runtime_error("The model " + model.Prefix + " has no section " + std::to_string(sectionNumber));
  const bool team = parts.Team >= 0;
  const bool face = !parts.Face.empty();
  const std::string& format = team ? (face ? section->FormatTeamFace : section->FormatTeamNoFace)
                                   : (face ? section->FormatNoTeamFace : section->FormatNoTeamNoFace);
  return ExpandNameFormat(format, skinCode, sectionNumber, parts.Team, parts.Face);
}

bool NamedAlikeForEverySkin(std::string_view format) {
  return platform::ToUpperAscii(format).find("%SKIN%") == std::string::npos;
}

bool IsSkinNameCharacter(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_'; }

bool FitsSkinName(const TModelo& model, std::string_view skin) {
  if (!model.SingleSkin) return skin.size() == 4 && std::all_of(skin.begin(), skin.end(), IsLetter);
  return !skin.empty() && skin.size() <= MaxSkinName && std::all_of(skin.begin(), skin.end(), IsSkinNameCharacter);
}

std::vector<TextureNameReading> ReadTextureName(const TModelo& model, std::string_view name) {
  std::vector<TextureNameReading> readings;
  for (const TModeloSection& section : model.Sections) {
    const TModeloPart& part = section.Part;
    const std::pair<const std::string*, std::pair<bool, bool>> formats[] = {
        {&part.FormatNoTeamNoFace, {false, false}},
        {&part.FormatNoTeamFace, {false, true}},
        {&part.FormatTeamNoFace, {true, false}},
        {&part.FormatTeamFace, {true, true}}};
    for (const auto& [format, kind] : formats) {
      const bool team = kind.first, face = kind.second;
      const bool allowed = (!team || part.Has(TEAM)) && (!face || part.Has(FACE));
      if (!allowed && model.SingleSkin) continue;
      const std::vector<FormatPiece> pieces = Pieces(*format, part.Number());
      const auto has = [&](Piece wanted) {
        return std::any_of(pieces.begin(), pieces.end(), [&](const FormatPiece& p) { return p.Kind == wanted; });
      };
      // A variant whose format cannot say its team or face cannot be read back.
      if ((team && !has(Piece::Team) && !has(Piece::TeamName)) || (face && !has(Piece::Face))) continue;
      std::size_t fixed = 0;
      for (const FormatPiece& piece : pieces) fixed += piece.Text.size();
      FormatMatcher(model, name, pieces).Match(0, 0, [&](const auto& skin, const auto& teamRead, const auto& faceRead) {
        TextureNameReading reading;
        reading.Skin = skin.value_or("");
        reading.Section = part.Number();
        reading.Parts.Team = team ? teamRead.value_or(-1) : -1;
        reading.Parts.Face = face ? faceRead.value_or("") : "";
        reading.Allowed = allowed;
        reading.Fixed = fixed;
        readings.push_back(std::move(reading));
      });
    }
  }
  std::stable_sort(readings.begin(), readings.end(), [](const TextureNameReading& a, const TextureNameReading& b) {
    return a.Allowed != b.Allowed ? a.Allowed : a.Fixed > b.Fixed;
  });
  return readings;
}

}  // namespace model
