#include <gtest/gtest.h>

#include <random>

#include "support/TestHelpers.h"
#include "platform/IniFile.h"
#include "support/TestFiles.h"

using platform::IniFile;
using namespace std::string_literals;

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

// Parsing and writing again must change nothing once the text is in written form.
void ExpectStableRoundTrip(const std::string& text) {
  const std::string written = IniFile::Parse(text).ToText();
  // Not EXPECT_EQ: a diff of megabytes of noise takes minutes to print.
  EXPECT_TRUE(IniFile::Parse(written).ToText() == written);
}

}  // namespace

TEST(IniFileTest, KeepsFileOrderLetterCaseOfNamesAndRepeatedKeys) {
  const IniFile ini = IniFile::Parse(
      "\xEF\xBB\xBF" "orphan=lost\n"
      "[Zeta]\r\n; a comment\nSkin = abcd \nskin=second\r\n"
      "[blst#1#< Default > ()]\n# another comment\nFile=C:\\Skins\\a.bmp\n"
      "[alpha]\nb=2\na=1\n"
      "[ZETA]\nLast=yes\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Zeta", "blst#1#< Default > ()", "alpha"}));
  EXPECT_EQ(ini.SectionLines("zeta"), (Lines{{"Skin", "abcd"}, {"skin", "second"}, {"Last", "yes"}}));
  EXPECT_EQ(ini.Value("ZETA", "SKIN"), "abcd");
  EXPECT_EQ(ini.ReadString("BLST#1#< default > ()", "file", ""), "C:\\Skins\\a.bmp");
  EXPECT_EQ(ini.SectionLines("alpha"), (Lines{{"b", "2"}, {"a", "1"}}));
  EXPECT_FALSE(ini.Value("alpha", "orphan"));
  EXPECT_FALSE(ini.HasSection("missing"));
  EXPECT_EQ(ini.ReadString("missing", "key", "fallback"), "fallback");
}

TEST(IniFileTest, WritesWindowsLinesAndReadsItsOwnTextBackUnchanged) {
  IniFile ini = IniFile::Parse("[Project]\nModel=Soldier\n[blst#1#< Default > ()]\n[Empty]\n");
  ini.WriteFloat("Model", "ScaleX", 0.1f);
  EXPECT_EQ(ini.ToText(),
            "[Project]\r\nModel=Soldier\r\n\r\n[blst#1#< Default > ()]\r\n\r\n[Empty]\r\n\r\n"
            "[Model]\r\nScaleX=0.1\r\n");
  EXPECT_EQ(IniFile().ToText(), "");

  testsupport::TempDir dir;
  ini.Save(dir / "a.mrb");
  IniFile::Load(dir / "a.mrb").Save(dir / "b.mrb");
  EXPECT_EQ(testsupport::ReadFile(dir / "b.mrb"), Bytes(ini.ToText()));
  EXPECT_EQ(IniFile::Load(dir / "missing.mrb").Sections(), std::vector<std::string>{});
  EXPECT_NE(ErrorOf([&] { IniFile::Load(dir.Path()); }).find(dir.Path().string()), std::string::npos);
}

TEST(IniFileTest, ChangesTheFirstValueInPlaceAndAppendsWhatIsNew) {
  IniFile ini = IniFile::Parse("[Skin]\nCode=abcd\ncode=second\nName=x\n[Other]\n");
  ini.WriteString("SKIN", "CODE", "  wxyz ");
  ini.WriteString("skin", "Added", "1");
  ini.WriteInteger("New", "Count", -2);
  ini.WriteBool("New", "Flag", true);
  const IniFile copy = ini;
  ini.DeleteKey("skin", "code");
  ini.EraseSection("OTHER");
  ini.AddSection("new");
  EXPECT_EQ(copy.SectionLines("Skin"), (Lines{{"Code", "wxyz"}, {"code", "second"}, {"Name", "x"}, {"Added", "1"}}));
  EXPECT_EQ(copy.Sections(), (std::vector<std::string>{"Skin", "Other", "New"}));
  EXPECT_EQ(ini.ToText(), "[Skin]\r\nName=x\r\nAdded=1\r\n\r\n[New]\r\nCount=-2\r\nFlag=1\r\n");
}

TEST(IniFileTest, ReadsNumbersAsSettingsAndDefinitionsWriteThem) {
  testsupport::TempDir dir;
  testsupport::WriteFile(dir / "m.mrbe", Bytes("[Model]\nA=+7\nB= -3 \nC=12abc\nD=99999999999\nE=2\nF=0\n"
                                              "G=yes\nX=1,5\nY=1.5\nZ=\nW=1.5.2\n"));
  const IniFile ini = IniFile::Load(dir / "m.mrbe");
  EXPECT_EQ(ini.ReadInteger("Model", "A", 0), 7);
  EXPECT_EQ(ini.ReadInteger("Model", "B", 0), -3);
  EXPECT_EQ(ini.ReadInteger("Model", "C", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Model", "D", 5), 5);
  EXPECT_TRUE(ini.ReadBool("Model", "E", false));
  EXPECT_FALSE(ini.ReadBool("Model", "F", true));
  EXPECT_TRUE(ini.ReadBool("Model", "G", true));
  EXPECT_EQ(ini.ReadFloat("Model", "X", 0), 1.5);
  EXPECT_EQ(ini.ReadFloat("Model", "Y", 0), 1.5);
  EXPECT_EQ(ini.ReadFloat("Model", "Z", 4), 4);
  EXPECT_EQ(ini.ReadFloat("Model", "missing", 4), 4);
  const std::string error = ErrorOf([&] { ini.ReadFloat("Model", "W", 0); });
  for (const std::string& part : {"1.5.2"s, "Model"s, "W"s, (dir / "m.mrbe").string()})
    EXPECT_NE(error.find(part), std::string::npos) << error;
}

TEST(IniFileTest, RefusesTextThatWouldReadBackDifferently) {
  IniFile ini = IniFile::Parse("[A]\nk=v\n");
  EXPECT_THROW(ini.WriteString("A", "k", "two\r\nlines"), std::runtime_error);
  EXPECT_THROW(ini.WriteString("A", "a=b", "v"), std::runtime_error);
  EXPECT_THROW(ini.WriteString("A", ";k", "v"), std::runtime_error);
  EXPECT_THROW(ini.WriteString("A", " ", "v"), std::runtime_error);
  EXPECT_THROW(ini.WriteString("A]B", "k", "v"), std::runtime_error);
  EXPECT_THROW(ini.AddSection(""), std::runtime_error);
  EXPECT_EQ(ini.ToText(), "[A]\r\nk=v\r\n");
}

TEST(IniFileTest, SurvivesHostileText) {
  const std::string longLine(1 << 20, 'x');
  ExpectStableRoundTrip("[" + longLine + "]\n" + longLine + "=" + longLine + "\n");
  ExpectStableRoundTrip("[" + longLine);
  ExpectStableRoundTrip(std::string(100000, '['));
  ExpectStableRoundTrip(std::string(100000, '='));

  const IniFile withNul = IniFile::Parse("[A]\nk=v\0garbage\nafter=1\n"s);
  EXPECT_EQ(withNul.SectionLines("A"), (Lines{{"k", "v"}, {"after", "1"}}));

  std::mt19937 random(1999);
  std::string noise(10 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  ExpectStableRoundTrip(noise);
  // Mostly the characters that drive the parser.
  const std::string alphabet = "[]=;#\r\n \tab\0"s;
  for (char& c : noise) c = alphabet[random() % alphabet.size()];
  ExpectStableRoundTrip(noise);
}
