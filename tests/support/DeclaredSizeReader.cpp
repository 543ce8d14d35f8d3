#include "support/DeclaredSizeReader.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "unrealpkg/ByteReader.h"
#include "unrealpkg/TUTObject.h"
#include "unrealpkg/TUTPackage.h"
#include "unrealpkg/TextureObjects.h"

namespace testsupport {

namespace {

using unrealpkg::ByteReader;

struct DeclaredTag {
  std::string Name;
  int Type = 0;
  bool ArrayFlag = false;
  int ArrayIndex = 0;
  std::vector<std::uint8_t> Value;
};

std::int64_t DeclaredSize(ByteReader& in, int sizeCode) {
  switch (sizeCode) {
    case 0: return 1;
    case 1: return 2;
    case 2: return 4;
    case 3: return 12;
    case 4: return 16;
    case 5: return in.ReadByte();
    case 6: return in.ReadWord();
    default: return in.ReadInt32();
  }
}

// The tag list, trusting every declared size; `in` is left where it ends.
std::vector<DeclaredTag> ReadTags(ByteReader& in, const unrealpkg::TUTPackage& package) {
  std::vector<DeclaredTag> tags;
  for (;;) {
    DeclaredTag tag;
    tag.Name = package.NameAt(in.ReadIndex());
    if (unrealpkg::EqualsIgnoreCase(tag.Name, "None")) return tags;
    const std::uint8_t info = in.ReadByte();
    tag.Type = info & 0x0F;
    tag.ArrayFlag = (info & 0x80) != 0;
    if (tag.Type == unrealpkg::PropStruct) in.ReadIndex();
    const std::int64_t size = DeclaredSize(in, (info >> 4) & 0x07);
    if (tag.ArrayFlag && tag.Type != unrealpkg::PropBool) {
      const std::uint8_t b0 = in.ReadByte();
      tag.ArrayIndex = b0 & 0x3F;
      for (int extra = b0 < 0x80 ? 0 : b0 < 0xC0 ? 1 : 3; extra > 0; --extra)
        tag.ArrayIndex = (tag.ArrayIndex << 8) | in.ReadByte();
      if (b0 < 0x80) tag.ArrayIndex = b0;
    }
    // A bool's value is its info byte, whatever it declares.
    if (tag.Type != unrealpkg::PropBool) {
      const std::uint8_t* value = in.Take(static_cast<std::size_t>(size));
      tag.Value.assign(value, value + size);
    }
    tags.push_back(std::move(tag));
  }
}

// The value bytes as our reader keeps them in Data; a value that its own
// encoding does not fill exactly stays as it is, and will differ.
std::vector<std::uint8_t> AsStored(const DeclaredTag& tag) {
  if (tag.Type != unrealpkg::PropObject && tag.Type != unrealpkg::PropName && tag.Type != unrealpkg::PropStr)
    return tag.Value;
  ByteReader in(tag.Value);
  const auto value = static_cast<std::uint32_t>(in.ReadIndex());
  if (tag.Type == unrealpkg::PropStr)
    return in.Remaining() == value ? std::vector<std::uint8_t>(tag.Value.end() - value, tag.Value.end()) : tag.Value;
  if (!in.AtEnd()) return tag.Value;
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value >> 16),
          static_cast<std::uint8_t>(value >> 24)};
}

void CompareTags(const std::vector<DeclaredTag>& tags, const unrealpkg::TUTPropertyList& properties,
                 const std::string& object, std::vector<std::string>& out) {
  std::size_t i = 0;
  for (const auto& property : properties) {
    if (property->PropType == unrealpkg::PropEnd) continue;
    if (i == tags.size()) {
      out.push_back(object + ": the tags end before " + property->Name);
      return;
    }
    const DeclaredTag& tag = tags[i++];
    const std::string where = object + "." + property->Name;
    if (tag.Name != property->Name || tag.Type != property->PropType) out.push_back(where + ": read as " + tag.Name);
    if (tag.ArrayFlag && tag.Type != unrealpkg::PropBool && tag.ArrayIndex != property->ArrayIndex)
      out.push_back(where + ": another element index");
    if (tag.Type != unrealpkg::PropBool && AsStored(tag) != property->Data) out.push_back(where + ": another value");
  }
  if (i != tags.size()) out.push_back(object + ": " + std::to_string(tags.size() - i) + " more tags");
}

bool HasCompressedLevels(const std::vector<DeclaredTag>& tags) {
  // A bool tag's value is the flag bit of its info byte.
  return std::any_of(tags.begin(), tags.end(), [](const DeclaredTag& tag) {
    return tag.Name == "bHasComp" && tag.Type == unrealpkg::PropBool && tag.ArrayFlag;
  });
}

// One level of a mipmap chain as the declared sizes give it.
struct DeclaredLevel {
  std::size_t Start = 0;
  std::int32_t Size = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  // Its size matches its log2 fields.
  bool SizeAgrees = false;
};

// A chain: its count byte, then per level the offset past its pixels, their
// count, the pixels, the size and its log2. `check` compares each level with
// our reader's; a count that differs is told.
void CompareChain(ByteReader& in, const unrealpkg::TUTObjectClassTexture& texture, int count, const std::string& name,
                  const std::function<void(int, const DeclaredLevel&, const std::string&)>& check,
                  std::vector<std::string>& out) {
  const int levels = in.ReadByte();
  if (levels != count) out.push_back(name + ": " + std::to_string(levels) + " levels");
  for (int level = 0; level < levels && level < count; ++level) {
    const std::string where = name + " level " + std::to_string(level);
    const std::int64_t dataEnd = std::int64_t{in.ReadInt32()} - texture.SerialOffset();
    DeclaredLevel declared;
    declared.Size = in.ReadIndex();
    declared.Start = in.Position();
    in.Take(static_cast<std::size_t>(declared.Size));
    if (static_cast<std::int64_t>(in.Position()) != dataEnd) out.push_back(where + ": its data end points elsewhere");
    declared.Width = in.ReadInt32();
    declared.Height = in.ReadInt32();
    const std::uint8_t uBits = in.ReadByte();
    const std::uint8_t vBits = in.ReadByte();
    declared.SizeAgrees = (1 << uBits) == declared.Width && (1 << vBits) == declared.Height;
    check(level, declared, where);
  }
}

// The 8-bit chain is compared pixel for pixel.
void CompareLevels(ByteReader& in, unrealpkg::TUTObjectClassTexture& texture, const std::string& object,
                   std::vector<std::string>& out) {
  const std::uint8_t* data = texture.Data().data();
  CompareChain(in, texture, texture.MipCount(), object, [&](int level, const DeclaredLevel& declared, const std::string& where) {
    const raster::Bitmap bitmap = texture.MipBitmap(level);
    const std::uint8_t* pixels = data + declared.Start;
    if (declared.Width != bitmap.Width() || declared.Height != bitmap.Height() || !declared.SizeAgrees)
      out.push_back(where + ": another size");
    else if (!std::equal(pixels, pixels + declared.Size, bitmap.Pixels().begin(), bitmap.Pixels().end()))
      out.push_back(where + ": other pixels");
  }, out);
}

// The compressed chain's levels are compared by size and by where their blocks lie.
void CompareCompressedLevels(ByteReader& in, const unrealpkg::TUTObjectClassTexture& texture,
                             const std::string& object, std::vector<std::string>& out) {
  CompareChain(in, texture, texture.CompressedMipCount(), object + " compressed",
               [&](int level, const DeclaredLevel& declared, const std::string& where) {
                 const unrealpkg::TUTMipmap& mip = texture.GetCompressedMip(level);
                 if (declared.Width != mip.USize || declared.Height != mip.VSize || !declared.SizeAgrees)
                   out.push_back(where + ": another size");
                 if (declared.Size != mip.DataSize || declared.Start != mip.DataStart)
                   out.push_back(where + ": other blocks");
               }, out);
}

void ComparePalette(ByteReader& in, const unrealpkg::TUTObjectClassPalette& palette, const std::string& object,
                    std::vector<std::string>& out) {
  const std::int32_t count = in.ReadIndex();
  if (count != palette.ColorCount()) out.push_back(object + ": " + std::to_string(count) + " colours");
  for (std::int32_t i = 0; i < count && i < palette.ColorCount(); ++i) {
    const std::uint8_t* rgba = in.Take(4);
    const unrealpkg::TUTColor& colour = palette.GetColor(i);
    if (rgba[0] != colour.R || rgba[1] != colour.G || rgba[2] != colour.B || rgba[3] != colour.A)
      out.push_back(object + ": colour " + std::to_string(i) + " differs");
  }
}

}  // namespace

std::vector<std::string> DeclaredSizeDisagreements(unrealpkg::TUTPackage& package) {
  std::vector<std::string> out;
  unrealpkg::TUTPackageLock lock(package);
  for (int i = 0; i < package.ExportCount(); ++i) {
    unrealpkg::TUTObject& object = package.GetExport(i)->Object();
    const std::string name = object.FullPath();
    try {
      unrealpkg::TUTObjectUse use(object);
      ByteReader in(object.Data());
      const std::vector<DeclaredTag> tags = ReadTags(in, package);
      CompareTags(tags, object.Properties(), name, out);
      if (auto* texture = dynamic_cast<unrealpkg::TUTObjectClassTexture*>(&object)) {
        CompareLevels(in, *texture, name, out);
        if (HasCompressedLevels(tags)) CompareCompressedLevels(in, *texture, name, out);
      }
      else if (const auto* palette = dynamic_cast<const unrealpkg::TUTObjectClassPalette*>(&object))
        ComparePalette(in, *palette, name, out);
      if (!in.AtEnd()) out.push_back(name + ": " + std::to_string(in.Remaining()) + " bytes left over");
    } catch (const std::exception& e) {
      out.push_back(name + ": " + e.what());
    }
  }
  return out;
}

}  // namespace testsupport
