// Which texture each section shows for a skin, team and face, and how its actor draws it.
#include <gtest/gtest.h>

#include "compile/PaletteGeneration.h"
#include "model/ModelCatalogue.h"
#include "preview/PreviewChoices.h"
#include "preview/PreviewSession.h"
#include "preview/TextureSlots.h"
#include "support/ProjectFixture.h"

namespace {

class TextureSlotsTest : public testing::Test {
protected:
  TextureSlotsTest() : document(TalkingProject()), skin(&document->NewSkin("Blue Steel", "blst")) {
    const project::SkinNode& body = SectionNode(*document, *skin, 1);
    const project::SkinNode& head = SectionNode(*document, *skin, 3);
    document->AddTexture(body, fixture.Picture("b.bmp", 10), "< Default >", "");
    document->AddTexture(body, fixture.Picture("br.bmp", 20), "<Red Team>", "");
    document->AddTexture(body, fixture.Picture("brj.bmp", 30), "<Red Team>", "john");
    document->AddTexture(head, fixture.Picture("h.bmp", 40), "< Default >", "");
    document->AddTexture(head, fixture.Picture("hj.bmp", 50), "< Default >", "john");
    compile::PaletteGenerator().Generate(*document);
  }

  // The model with its talk texture in section 5.
  std::unique_ptr<project::ProjectDocument> TalkingProject() {
    fixture.WriteText(fixture.home / "Soldier.mrbe",
                      "[Model]\nName=Soldier\nPrefix=Soldier\nTalkTextureIndex=5\n"
                      "Section1=Body, TEAM, FACE\nSection3=Head, FACE\nSection5=Talk, TALKTEXTURE\n");
    fixture.catalogue = model::ScanModelCatalogue(fixture.home.Path());
    return fixture.NewProject();
  }

  preview::SlotResolution Resolve(int team, int face) {
    const auto teams = preview::TeamChoices(skin);
    const auto faces = preview::FaceChoices(skin);
    return preview::ResolveTextureSlots(
        document->Model(), {skin, teams[static_cast<std::size_t>(team)], team, faces[static_cast<std::size_t>(face)], face});
  }
  std::string Shown(const preview::SlotResolution& slots, int number) {
    const project::SkinNode* variant = slots.Slots[static_cast<std::size_t>(number - 1)].Variant;
    return variant ? variant->Caption() : "(wire)";
  }

  ProjectFixture fixture;
  std::unique_ptr<project::ProjectDocument> document;
  const project::SkinNode* skin;
};

}  // namespace

TEST_F(TextureSlotsTest, TheListsHoldTheSkinsTeamsAndFacesOnceEach) {
  EXPECT_EQ(preview::SkinChoices(document->Root()), (std::vector<const project::SkinNode*>{skin}));
  EXPECT_EQ(preview::TeamChoices(skin), (std::vector<std::string>{"< Default >", "<Red Team>"}));
  EXPECT_EQ(preview::FaceChoices(skin), (std::vector<std::string>{"< Default >", "john"}));
  EXPECT_TRUE(preview::TeamChoices(nullptr).empty());
  EXPECT_EQ(preview::KeptChoice({"< Default >", "john"}, "john"), 1);
  EXPECT_EQ(preview::KeptChoice({"< Default >"}, "john"), 0);
}

TEST_F(TextureSlotsTest, VariantsAreTriedTeamAndFaceThenTeamThenFaceThenDefault) {
  const auto both = Resolve(1, 1);
  EXPECT_EQ(Shown(both, 1), "<Red Team>john (t_0john)");
  EXPECT_EQ(Shown(both, 3), "< Default >john (john)");  // the head has no teams
  const auto team = Resolve(1, 0);
  EXPECT_EQ(Shown(team, 1), "<Red Team> (t_0)");
  EXPECT_EQ(Shown(team, 3), "< Default > ()");
  const auto face = Resolve(0, 1);
  EXPECT_EQ(Shown(face, 1), "< Default > ()");
  EXPECT_EQ(Shown(face, 3), "< Default >john (john)");

  // Slot 5 is the talk texture, without a texture it shows nothing; 2 is not a section.
  EXPECT_TRUE(both.Slots[4].Talk);
  EXPECT_FALSE(both.Slots[4].Loaded);
  EXPECT_FALSE(both.Slots[1].Used);
  EXPECT_EQ(both.Slots[1].FileName, fixture.home / "SoldierWire2.bmp");
  EXPECT_TRUE(both.Messages.empty());
}

// The body writes the face "JOHN", the head "john": one entry, spelt as first
// met in tree order, that finds both; the team label still has to match exactly.
TEST_F(TextureSlotsTest, AFaceIsOneEntryWhateverCaseItsTexturesWriteItIn) {
  document->AddTexture(SectionNode(*document, *skin, 1), fixture.Picture("bj.bmp", 60), "< Default >", "JOHN");
  EXPECT_EQ(preview::FaceChoices(skin), (std::vector<std::string>{"< Default >", "JOHN"}));
  const auto face = Resolve(0, 1);
  EXPECT_EQ(Shown(face, 1), "< Default >JOHN (john)");
  EXPECT_EQ(Shown(face, 3), "< Default >john (john)");
  EXPECT_EQ(Shown(Resolve(1, 1), 1), "<Red Team>john (t_0john)");
  EXPECT_EQ(Shown(preview::ResolveTextureSlots(document->Model(), {skin, "<red team>", 1, "JOHN", 1}), 1),
            "< Default >JOHN (john)");
}

TEST_F(TextureSlotsTest, TheChosenFaceStaysChosenWhenItIsSpeltAnew) {
  preview::PreviewSession session;
  session.RefreshChoices(document->Root());
  session.ChooseFace(1);
  const project::SkinNode& redJohn = *project::SearchTextureNode(SectionNode(*document, *skin, 1), "<Red Team>john");
  document->EditTextureDescription(redJohn, "<Red Team>", "John");
  session.RefreshChoices(document->Root());
  EXPECT_EQ(session.Faces(), (std::vector<std::string>{"< Default >", "John"}));
  EXPECT_EQ(session.Chosen().FaceIndex, 1);
  EXPECT_EQ(session.Chosen().Face, "John");
}

TEST_F(TextureSlotsTest, PicturesAreMappedOntoTheirPaletteAsThePackageHoldsThem) {
  const preview::SlotResolution resolution = Resolve(1, 1);
  const preview::TextureSlot& slot = resolution.Slots[0];
  ASSERT_TRUE(slot.Loaded);
  EXPECT_EQ(slot.Picture.Format(), raster::PixelFormat::Indexed8);
  EXPECT_EQ(slot.Picture.Palette(), slot.Variant->Texture().Palette);
  EXPECT_FALSE(slot.Paletted);
  EXPECT_EQ(slot.FileName, fixture.home / "Textures" / "brj.bmp");

  const preview::ActorMaterial textured = preview::MaterialFor(slot, true);
  EXPECT_EQ(textured.Polygons, preview::PolygonMode::Fill);
  EXPECT_EQ(textured.Mode, preview::TextureMode::Modulate);
  EXPECT_EQ(textured.Blend, preview::Blending::Opaque);
  EXPECT_FALSE(textured.DrawLast);
  const preview::ActorMaterial talk = preview::MaterialFor(Resolve(1, 1).Slots[4], true);
  EXPECT_EQ(talk.Polygons, preview::PolygonMode::Lines);
  EXPECT_FALSE(talk.Textured);
  EXPECT_EQ(talk.Mode, preview::TextureMode::Decal);
}

// Newer clients' view: a picture larger than its section shows its first
// compressed level; one no larger keeps the 8-bit texture.
TEST_F(TextureSlotsTest, HighResolutionShowsTheCompressedLevelOfLargerPictures) {
  const project::SkinNode& head = SectionNode(*document, *skin, 3);
  document->DeleteTexture(head.Children()[0]);
  document->AddTexture(head, fixture.Picture("large.bmp", 60, 512), "< Default >", "");
  compile::PaletteGenerator().Generate(*document);
  const auto teams = preview::TeamChoices(skin);
  const auto faces = preview::FaceChoices(skin);
  const preview::Selection selection{skin, teams[0], 0, faces[0], 0};
  const preview::SlotResolution classic =
      preview::ResolveTextureSlots(document->Model(), selection, compile::PaletteQuality::Classic, false);
  const preview::SlotResolution high =
      preview::ResolveTextureSlots(document->Model(), selection, compile::PaletteQuality::Classic, true);
  EXPECT_EQ(classic.Slots[2].Picture.Format(), raster::PixelFormat::Indexed8);
  ASSERT_EQ(high.Slots[2].Picture.Width(), 512);
  EXPECT_EQ(high.Slots[2].Picture.Format(), raster::PixelFormat::Bgr24);
  // The encoder matches a flat colour exactly through its interpolated entries.
  EXPECT_EQ(std::vector<std::uint8_t>(high.Slots[2].Picture.Row(100), high.Slots[2].Picture.Row(100) + 6),
            std::vector<std::uint8_t>(6, 60));
  EXPECT_EQ(high.Slots[0].Picture, classic.Slots[0].Picture) << "an 8 x 8 picture gets no compressed levels";
}

TEST_F(TextureSlotsTest, MaskedAndTranslucentSlotsBlendOnlyWithMasking) {
  preview::TextureSlot slot;
  slot.Used = slot.Loaded = slot.Masked = slot.Paletted = true;
  slot.Picture = raster::Bitmap(2, 2, raster::PixelFormat::Indexed8);
  slot.Picture.Palette() = {{1, 2, 3, 0}, {9, 9, 9, 0}};
  const preview::ActorMaterial masked = preview::MaterialFor(slot, true);
  EXPECT_EQ(masked.Blend, preview::Blending::Transparency);
  EXPECT_EQ(masked.Alpha, preview::ImageAlpha::TransparentColour);
  EXPECT_EQ(masked.TransparentColour, (raster::PaletteEntry{1, 2, 3, 0}));
  EXPECT_TRUE(masked.DrawLast);
  EXPECT_EQ(preview::MaterialFor(slot, false).Blend, preview::Blending::Opaque);

  slot.Masked = false;
  slot.Translucent = true;
  const preview::ActorMaterial translucent = preview::MaterialFor(slot, true);
  EXPECT_EQ(translucent.Alpha, preview::ImageAlpha::Fixed);
  EXPECT_EQ(translucent.FixedAlpha, 128);
  EXPECT_EQ(translucent.Mode, preview::TextureMode::Replace);
  EXPECT_TRUE(translucent.DrawLast);
}

TEST_F(TextureSlotsTest, AVariantWithoutPictureIsToldOnceAndTheHudShowsTheTalkTexture) {
  document->AddTexture(SectionNode(*document, *skin, 5), fixture.Picture("t.bmp", 60), "< Default >", "");
  const auto talking = Resolve(0, 0);
  EXPECT_EQ(preview::HudSlot(document->Model(), talking), 4);
  EXPECT_EQ(preview::MaterialFor(talking.Slots[4], true).Polygons, preview::PolygonMode::Lines);

  // A project whose talk texture's file is gone has no picture of it.
  document->SaveAs(fixture.home / "SoldierSkins.mrb");
  std::filesystem::remove(fixture.home / "Textures" / "t.bmp");
  const auto reloaded = project::ProjectDocument::Load(fixture.home / "SoldierSkins.mrb", fixture.catalogue, fixture.home.Path());
  const project::SkinNode* skinAgain = project::FindSkinByCode(reloaded->Root(), "blst");
  const auto lost = preview::ResolveTextureSlots(reloaded->Model(), {skinAgain, "< Default >", 0, "< Default >", 0});
  ASSERT_EQ(lost.Messages.size(), 1u);
  EXPECT_EQ(lost.Messages[0], "Cannot load texture: " + (fixture.home / "Textures" / "t.bmp").string());
  EXPECT_EQ(preview::HudSlot(reloaded->Model(), lost), -1);
}

// A single-skin model's team textures are named alike for every skin: any
// skin offers their teams and shows them, whichever skin of the project holds
// them; a texture named by the skin stays its own.
TEST(SharedTextureSlotsTest, TexturesNamedAlikeForEverySkinShowForEverySkin) {
  ProjectFixture fixture;
  auto document = fixture.SingleSkinProject();
  const project::SkinNode& priest = document->NewSkin("Priest", "");
  const project::SkinNode& monk = document->NewSkin("Monk", "");
  document->AddTexture(SectionNode(*document, priest, 1), fixture.Picture("priest.bmp", 10), "< Default >", "");
  document->AddTexture(SectionNode(*document, priest, 1), fixture.Picture("blue.bmp", 20), "<Blue Team>", "");
  compile::PaletteGenerator().Generate(*document);

  const std::vector<int> shared = preview::SharedTeamSections(document->Model());
  EXPECT_EQ(shared, (std::vector<int>{1}));
  const std::vector<std::string> teams = preview::TeamChoices(&monk, shared);
  EXPECT_EQ(teams, (std::vector<std::string>{"< Default >", "<Blue Team>"}));
  const auto shown = [&](int team) {
    const preview::SlotResolution slots =
        preview::ResolveTextureSlots(document->Model(), {&monk, teams[static_cast<std::size_t>(team)], team, "", -1});
    const project::SkinNode* variant = slots.Slots[0].Variant;
    return variant ? variant->Skin()->Code() + "/" + variant->Caption() : "(wire)";
  };
  EXPECT_EQ(shown(1), "Priest/<Blue Team> (t_1)");
  // The monk's own picture is named after him: the priest's is not his.
  EXPECT_EQ(shown(0), "(wire)");
}
