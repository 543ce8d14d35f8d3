#include <gtest/gtest.h>

#include <functional>

#include "support/TestHelpers.h"
#include "ObjectFixture.h"
#include "unrealpkg/ByteReader.h"
#include "unrealpkg/MediaObjects.h"
#include "unrealpkg/PackageCheck.h"
#include "unrealpkg/TextureObjects.h"

namespace {

using namespace unrealpkg;
using fixture::FixturePackage;
using fixture::ObjectBytes;
using fixture::Probe;

const std::string RiffText = "RIFF\x04\0\0\0WAVE";

void WriteText(ObjectBytes& d, const std::string& text) { d.WriteBytes(text.data(), text.size()); }

enum MediaKind { FontObject, SoundObject, MusicObject, TextObject, EmptyTextObject, PolysObject };

struct MediaLayout {
  std::string ClassName;
  ObjectBytes Data;
  // Where a server installation cuts the object: right after its skip position.
  std::size_t StrippedLength = 0;
};

// Sound and music: a format name, from version 63 the data's end, the data.
void WriteMedia(FixturePackage& package, ObjectBytes& d, std::string_view format, const std::string& data,
                std::size_t& strippedLength) {
  d.WriteIndex(package.Name(format));
  if (package.Version() >= 63) d.WriteInt32(0x12345678);
  strippedLength = d.Size();
  d.WriteIndex(static_cast<std::int32_t>(data.size()));
  WriteText(d, data);
}

// One object of every media kind, in MediaKind order, each behind an empty property list.
std::vector<MediaLayout> MediaLayouts(FixturePackage& package) {
  std::vector<MediaLayout> layouts;
  std::size_t stripped = 0;
  const auto add = [&](std::string className, const std::function<void(ObjectBytes&)>& write) {
    ObjectBytes d(package);
    d.EndProperties();
    stripped = 0;
    write(d);
    layouts.push_back({std::move(className), std::move(d), stripped});
  };
  add("Font", [](ObjectBytes& d) {
    d.WriteByte(2);
    d.WriteIndex(-1);
    d.WriteIndex(2);
    for (const std::int32_t value : {0, 0, 8, 9, 8, 0, 7, 9}) d.WriteInt32(value);
    d.WriteIndex(-2);
    d.WriteIndex(1);
    for (const std::int32_t value : {1, 2, -3, 4}) d.WriteInt32(value);
  });
  add("Sound", [&](ObjectBytes& d) { WriteMedia(package, d, "wav", RiffText, stripped); });
  add("Music", [&](ObjectBytes& d) { WriteMedia(package, d, "it", "IMPM", stripped); });
  add("TextBuffer", [](ObjectBytes& d) {
    d.WriteInt32(12);
    d.WriteInt32(3);
    d.WriteSizedText("class Foo;\r\n");
  });
  add("TextBuffer", [](ObjectBytes& d) {
    d.WriteInt32(0);
    d.WriteInt32(0);
    d.WriteIndex(0);
  });
  add("Polys", [](ObjectBytes& d) {
    d.WriteInt32(99);
    d.WriteInt32(2);
    for (const int vertices : {3, 0}) {
      d.WriteIndex(vertices);
      for (int v = 0; v < 3 * (4 + vertices); ++v) d.WriteFloat(static_cast<float>(v));
      d.WriteInt32(0x40);
      for (const std::int32_t value : {-1, 2, 3, -4, 5}) d.WriteIndex(value);
      d.WriteWord(0xFFFF);
      d.WriteWord(0x8000);
    }
  });
  return layouts;
}

template <class Reader>
Reader& ReaderOf(TUTPackage& package, std::int32_t reference) {
  return dynamic_cast<Reader&>(package.GetExport(reference - 1)->Object());
}

std::string AsText(std::span<const std::uint8_t> bytes) { return {bytes.begin(), bytes.end()}; }

TEST(MediaObjects, EveryLayoutRoundTripsAroundTheSoundVersionThreshold) {
  for (const std::uint16_t version : {62, 63}) {
    SCOPED_TRACE(version);
    FixturePackage package(version);
    std::vector<std::int32_t> objects;
    for (const MediaLayout& layout : MediaLayouts(package))
      objects.push_back(package.Add(layout.ClassName, "Media", layout.Data));
    const auto opened = package.Open();

    auto& font = ReaderOf<TUTObjectClassFont>(*opened, objects[FontObject]);
    TUTObjectUse fontUse(font);
    ASSERT_EQ(font.CharacterCount(), 3);
    EXPECT_EQ(font.GetCharacter(1).Texture, -1);
    EXPECT_EQ(font.GetCharacter(1).H, 9);
    EXPECT_EQ(font.GetCharacter(2).Texture, -2);
    EXPECT_EQ(font.GetCharacter(2).W, -3);

    auto& sound = ReaderOf<TUTObjectClassSound>(*opened, objects[SoundObject]);
    TUTObjectUse soundUse(sound);
    EXPECT_EQ(sound.FormatName(), "wav");
    EXPECT_EQ(AsText(sound.SoundData()), RiffText);

    auto& music = ReaderOf<TUTObjectClassMusic>(*opened, objects[MusicObject]);
    TUTObjectUse musicUse(music);
    EXPECT_EQ(music.FormatName(), "it");
    EXPECT_EQ(AsText(music.MusicData()), "IMPM");
    EXPECT_FALSE(music.Stripped());

    auto& text = ReaderOf<TUTObjectClassTextBuffer>(*opened, objects[TextObject]);
    TUTObjectUse textUse(text);
    EXPECT_EQ(text.Pos(), 12);
    EXPECT_EQ(text.Top(), 3);
    EXPECT_EQ(text.Text(), "class Foo;\r\n");
    auto& empty = ReaderOf<TUTObjectClassTextBuffer>(*opened, objects[EmptyTextObject]);
    TUTObjectUse emptyUse(empty);
    EXPECT_EQ(empty.Text(), "");

    auto& polys = ReaderOf<TUTObjectClassPolys>(*opened, objects[PolysObject]);
    TUTObjectUse polysUse(polys);
    ASSERT_EQ(polys.PolygonCount(), 2);
    const TUT_Struct_Polygon& first = polys.GetPolygon(0);
    EXPECT_EQ(first.Normal.X, 3.0f);
    EXPECT_EQ(first.TextureV.Z, 11.0f);
    ASSERT_EQ(first.Vertices.size(), 3u);
    EXPECT_EQ(first.Vertices[2].Z, 20.0f);
    EXPECT_EQ(first.PolyFlags, 0x40);
    EXPECT_EQ(first.Actor, -1);
    EXPECT_EQ(first.iBrushPoly, 5);
    EXPECT_EQ(first.PanU, -1);
    EXPECT_EQ(first.PanV, -32768);
    EXPECT_TRUE(polys.GetPolygon(1).Vertices.empty());

    EXPECT_THROW(font.GetCharacter(3), ReadError);
    EXPECT_THROW(polys.GetPolygon(-1), ReadError);
  }
}

TEST(MediaObjects, TruncatedDataAndHostileCountsFailToParse) {
  FixturePackage package(69);
  std::vector<std::int32_t> broken;
  for (const MediaLayout& layout : MediaLayouts(package)) {
    for (std::size_t length = 1; length < layout.Data.Size(); ++length) {
      if (length == layout.StrippedLength) continue;
      ObjectBytes d = layout.Data;
      d.Bytes().resize(length);
      broken.push_back(package.Add(layout.ClassName, "Truncated", d));
    }
  }
  // Counts and lengths far beyond the data, each after an empty property list.
  const std::uint8_t none = static_cast<std::uint8_t>(package.Name("None"));
  const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> hostile = {
      {"Polys", {none, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"Polys", {none, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"Polys", {none, 0, 0, 0, 0, 1, 0, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF, 0x0F}},
      {"Font", {none, 1, 0, 0x7F, 0xFF, 0xFF, 0xFF, 0x0F}},
      {"Sound", {none, 0, 0, 0, 0, 0, 0x85}},
      {"Music", {none, 0, 0, 0, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF, 0x0F}},
      {"TextBuffer", {none, 0, 0, 0, 0, 0, 0, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF, 0x0F}},
      // UTF-16 text: a negative length counts code units of two bytes.
      {"TextBuffer", {none, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}},
      {"TextBuffer", {none, 0, 0, 0, 0, 0, 0, 0, 0, 0x8A, 'a', 0, 'b', 0, 'c', 0}},
      {"Palette", {none, 0x7F, 0xFF, 0xFF, 0xFF, 0x0F}},
  };
  for (const auto& [className, bytes] : hostile) {
    ObjectBytes d(package);
    d.WriteBytes(bytes.data(), bytes.size());
    d.WriteBytes("\0\0\0\0\0\0\0\0", 8);
    broken.push_back(package.Add(className, "Hostile", d));
  }

  const auto opened = package.Open();
  TUTPackageLock lock(*opened);
  for (const std::int32_t reference : broken) {
    SCOPED_TRACE(opened->GetExport(reference - 1)->ClassName() + " " + std::to_string(reference));
    EXPECT_THROW({ TUTObjectUse use(opened->GetExport(reference - 1)->Object()); }, ReadError);
  }
}

TEST(MediaObjects, StrippedSoundAndMusicReadAsObjectsWithoutData) {
  FixturePackage package(69);
  std::vector<std::int32_t> stripped;
  for (const char* className : {"Sound", "Music"}) {
    ObjectBytes whole(package);
    whole.EndProperties();
    std::size_t cut = 0;
    WriteMedia(package, whole, "it", "", cut);
    // Cut at the skip position, or kept with a data length of 0.
    ObjectBytes atSkip = whole;
    atSkip.Bytes().resize(cut);
    stripped.push_back(package.Add(className, "AtSkip", atSkip));
    stripped.push_back(package.Add(className, "Empty", whole));
  }
  const auto opened = package.Open();
  for (const std::int32_t reference : stripped) {
    auto& media = ReaderOf<TUTMediaObject>(*opened, reference);
    TUTObjectUse use(media);
    EXPECT_TRUE(media.Stripped());
    EXPECT_EQ(media.FormatName(), "it");
  }
  const PackageCheckResult check = CheckPackage(*opened);
  EXPECT_TRUE(check.Failures.empty());
  ASSERT_EQ(check.Notes.size(), 4u);
  EXPECT_EQ(check.Notes[0].Message, "data stripped");
}

TEST(MediaObjects, Utf16TextKeepsEveryCharacterVisible) {
  FixturePackage package(69);
  ObjectBytes d(package);
  d.EndProperties();
  d.WriteInt32(0);
  d.WriteInt32(0);
  // "It’s é ☺ 😀": 11 code units, the emoji a surrogate pair, then the terminator.
  const std::vector<std::uint16_t> units = {'I', 't', 0x2019, 's', ' ', 0xE9, ' ', 0x263A, ' ', 0xD83D, 0xDE00, 0};
  d.WriteIndex(-static_cast<std::int32_t>(units.size()));
  for (const std::uint16_t unit : units) d.WriteWord(unit);
  const std::int32_t reference = package.Add("TextBuffer", "ScriptText", d);
  const auto opened = package.Open();
  Probe<TUTObjectClassTextBuffer> text(*opened, reference - 1);
  TUTObjectUse use(text);
  EXPECT_EQ(text.End, text.Data().size());
  EXPECT_EQ(text.Text(), "It\x92s \xE9 \\u263A \\U0001F600");
}

// Real packages.

TEST(MediaCorpus, FontCharactersLieInsideTheirPageTextures) {
  const auto path = testsupport::CorpusFile("ut-server/System/Engine.u");
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(path));
  TUTPackage package(path);
  TUTPackageLock lock(package);
  int fonts = 0;
  for (int i = 0; i < package.ExportCount(); ++i) {
    auto* font = dynamic_cast<TUTObjectClassFont*>(&package.GetExport(i)->Object());
    if (!font) continue;
    SCOPED_TRACE(font->ObjectName());
    ++fonts;
    TUTObjectUse use(*font);
    ASSERT_EQ(font->CharacterCount(), 256);
    auto& page = ReaderOf<TUTObjectClassTexture>(package, font->GetCharacter(0).Texture);
    TUTObjectUse pageUse(page);
    for (int c = 0; c < font->CharacterCount(); ++c) {
      const TUTFontCharacter& character = font->GetCharacter(c);
      ASSERT_EQ(character.Texture, font->GetCharacter(0).Texture);
      EXPECT_LE(character.X + character.W, page.GetMip(0).USize);
      EXPECT_LE(character.Y + character.H, page.GetMip(0).VSize);
    }
  }
  EXPECT_EQ(fonts, 4);
}

TEST(MediaCorpus, EverySoundAndTextBufferIsReadExactly) {
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(testsupport::CorpusDir()));
  int sounds = 0;
  int music = 0;
  int texts = 0;
  for (const auto& path : testsupport::CorpusPackages()) {
    TUTPackage package(path);
    TUTPackageLock lock(package);
    for (int i = 0; i < package.ExportCount(); ++i) {
      const std::string className = package.GetExport(i)->ClassName();
      SCOPED_TRACE(path.filename().string() + " " + package.GetExport(i)->ObjectName());
      if (className == "Sound") {
        ++sounds;
        Probe<TUTObjectClassSound> sound(package, i);
        TUTObjectUse use(sound);
        EXPECT_EQ(sound.End, sound.Data().size());
        EXPECT_EQ(sound.FormatName(), "wav");
        // A whole RIFF file: its chunk size counts every byte after the first eight.
        const auto bytes = sound.SoundData();
        ASSERT_GE(bytes.size(), 8u);
        EXPECT_EQ(AsText(bytes.first(4)), "RIFF");
        EXPECT_EQ(LoadUInt32(bytes.data() + 4) + 8, bytes.size());
      } else if (className == "Music") {
        ++music;
        Probe<TUTObjectClassMusic> piece(package, i);
        TUTObjectUse use(piece);
        EXPECT_EQ(piece.End, piece.Data().size());
      } else if (className == "TextBuffer") {
        ++texts;
        Probe<TUTObjectClassTextBuffer> text(package, i);
        TUTObjectUse use(text);
        EXPECT_EQ(text.End, text.Data().size());
      }
    }
  }
  EXPECT_EQ(sounds, 14);
  EXPECT_EQ(music, 1);
  EXPECT_EQ(texts, 285);
}

TEST(MediaCorpus, NewerPatchesAndServerInstallations) {
  const auto sword = testsupport::CorpusFile("ut99mods/System/EnergySword.u");
  const auto music = testsupport::CorpusFile("ut-server/Music/Botmca9.umx");
  MARBELLE_NEEDS_CORPUS(std::filesystem::exists(sword) && std::filesystem::exists(music));

  // The script text stored as UTF-16: 11240 code units, terminator included.
  TUTPackage package(sword);
  auto& text = dynamic_cast<TUTObjectClassTextBuffer&>(package.GetExport(72)->Object());
  TUTObjectUse use(text);
  EXPECT_EQ(text.Text().size(), 11239u);
  EXPECT_EQ(text.Text().rfind("//====", 0), 0u);
  EXPECT_NE(text.Text().find("class EnergySword extends TournamentWeapon;"), std::string::npos);
  EXPECT_NE(text.Text().find('\x92'), std::string::npos);  // a typographic apostrophe
  EXPECT_EQ(text.Text().find('\0'), std::string::npos);
  EXPECT_TRUE(CheckPackage(package).Failures.empty());

  TUTPackage stripped(music);
  auto& piece = dynamic_cast<TUTObjectClassMusic&>(stripped.GetExport(0)->Object());
  TUTObjectUse pieceUse(piece);
  EXPECT_TRUE(piece.Stripped());
  EXPECT_EQ(piece.FormatName(), "it");
  const PackageCheckResult check = CheckPackage(stripped);
  EXPECT_TRUE(check.Failures.empty());
  ASSERT_EQ(check.Notes.size(), 1u);
  EXPECT_EQ(check.Notes[0].Message, "data stripped");
}

}  // namespace
