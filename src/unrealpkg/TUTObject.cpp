#include "unrealpkg/TUTObject.h"

#include <algorithm>
#include <cstdio>

#include "unrealpkg/TUTPackage.h"

namespace unrealpkg {

TUTObject::TUTObject(TUTPackage& package, std::int32_t exportIndex)
    : package_(&package), exportIndex_(exportIndex) {
  TUTObject::Reset();
}

TUTObject::~TUTObject() = default;

const TUTExportTableObjectData& TUTObject::Export() const {
  const TUTExportTableObjectData* entry = package_->GetExport(exportIndex_);
  if (!entry) throw std::logic_error("Object reader for a missing export " + std::to_string(exportIndex_));
  return *entry;
}

std::string TUTObject::ClassName() const { return Export().ClassName(); }
std::string TUTObject::ObjectName() const { return Export().ObjectName(); }
std::int32_t TUTObject::ClassRef() const { return Export().ClassRef; }
std::int32_t TUTObject::SuperRef() const { return Export().SuperRef; }
std::int32_t TUTObject::SerialOffset() const { return Export().SerialOffset; }
std::int32_t TUTObject::SerialSize() const { return Export().SerialSize; }
std::uint32_t TUTObject::ObjectFlags() const { return Export().ObjectFlags; }
std::string TUTObject::FullPath() const { return package_->GetObjectPath(exportIndex_ + 1); }
std::uint16_t TUTObject::Version() const { return package_->Version(); }

void TUTObject::ReadObject(bool parse) {
  ++useCount_;
  if (loaded_ && (!parse || parsed_)) return;
  TUTPackageLock lock(*package_);
  if (!loaded_) {
    serialOffset_ = Export().SerialOffset;
    data_ = package_->ReadSerialData(Export());
    stream_ = ByteReader(data_);
    loaded_ = true;
  }
  if (parse && !data_.empty()) {
    Reset();
    stream_.Seek(0);
    Parse();
    parsedSize_ = stream_.Position();
    stream_.Seek(0);
    parsed_ = true;
  }
}

void TUTObject::Release() {
  if (useCount_ > 0) --useCount_;
  if (useCount_ == 0 && loaded_) {
    FreeData();
    loaded_ = false;
    parsed_ = false;
  }
}

void TUTObject::Reset() { properties_.Clear(); }

void TUTObject::FreeData() {
  data_ = {};
  stream_ = ByteReader();
  properties_.Clear();
}

void TUTObject::Parse() {
  if (ObjectFlags() & RF_HasStack) SkipStateFrame();
  if (ClassRef() != 0) ReadProperties();
}

void TUTObject::SkipStateFrame() {
  const std::int32_t node = stream_.ReadIndex();
  stream_.ReadIndex();  // state node
  stream_.Skip(8);      // probe mask
  stream_.ReadInt32();  // latent action
  if (node != 0) stream_.ReadIndex();  // offset
}

void TUTObject::ReadProperties() {
  for (;;) {
    TUTProperty& property = properties_.Add();
    property.Owner = this;
    property.Package = package_;
    if (!ReadTag(property)) break;
  }
  properties_.FixArrayIndexes();
}

bool TUTObject::ReadTag(TUTProperty& property) {
  std::string knownAs = "<unknown>";
  try {
    const std::int32_t nameIndex = stream_.ReadIndex();
    knownAs = std::to_string(nameIndex);
    property.Name = package_->NameAt(nameIndex);
    knownAs = property.Name;
    if (EqualsIgnoreCase(property.Name, "none")) {
      property.PropType = PropEnd;
      property.Valid = true;
      return false;
    }
    const std::uint8_t info = stream_.ReadByte();
    const std::int32_t type = info & 0x0F;
    const int sizeCode = (info >> 4) & 0x07;
    const bool arrayFlag = (info & 0x80) != 0;
    if (type == PropStruct) property.StructName = package_->NameAt(stream_.ReadIndex());

    std::int64_t& size = property.DeclaredSize;
    switch (sizeCode) {
      case 0: size = 1; break;
      case 1: size = 2; break;
      case 2: size = 4; break;
      case 3: size = 12; break;
      case 4: size = 16; break;
      case 5: size = stream_.ReadByte(); break;
      case 6: size = stream_.ReadWord(); break;
      default: size = stream_.ReadInt32(); break;
    }

    if (arrayFlag && type != PropBool) {
      const std::uint8_t b0 = stream_.ReadByte();
      if (b0 < 0x80) {
        property.ArrayIndex = b0;
      } else if (b0 < 0xC0) {
        property.ArrayIndex = ((b0 & 0x3F) << 8) | stream_.ReadByte();
      } else {
        const std::uint8_t* b = stream_.Take(3);
        property.ArrayIndex = ((b0 & 0x3F) << 24) | (b[0] << 16) | (b[1] << 8) | b[2];
      }
    } else {
      property.ArrayIndex = -1;
    }

    auto appendInt32 = [&property](std::int32_t value) {
      const auto v = static_cast<std::uint32_t>(value);
      for (int shift = 0; shift < 32; shift += 8) property.Data.push_back(static_cast<std::uint8_t>(v >> shift));
    };
    auto takeBytes = [this, &property](std::int64_t count) {
      if (count < 0) throw ReadError("Invalid property size " + std::to_string(count));
      stream_.CheckCount(count, 1);
      const std::uint8_t* p = stream_.Take(static_cast<std::size_t>(count));
      property.Data.assign(p, p + count);
    };

    const std::size_t valueStart = stream_.Position();
    switch (type) {
      case PropByte: takeBytes(1); break;
      case PropInt:
      case PropFloat: takeBytes(4); break;
      case PropBool: appendInt32(arrayFlag ? 1 : 0); break;
      case PropObject:
      case PropName: appendInt32(stream_.ReadIndex()); break;
      case PropString: takeBytes(size); break;
      case PropStruct:
        if (EqualsIgnoreCase(property.StructName, "pointregion")) {
          // Zone reference, iLeaf and zone number, held as three int32 values.
          appendInt32(stream_.ReadIndex());
          appendInt32(stream_.ReadInt32());
          appendInt32(stream_.ReadIndex());
        } else {
          takeBytes(size);
        }
        break;
      case PropStr: {
        const std::int64_t length = stream_.ReadIndex();
        if (length >= 0) {
          takeBytes(length);
        } else {
          const std::string text = stream_.ReadWideText(-length);
          property.Data.assign(text.begin(), text.end());
          property.Data.push_back(0);
        }
        break;
      }
      default: {
        // A tag kind this reader does not know: note it and stop the scan.
        stream_.Skip(static_cast<std::size_t>(std::min<std::int64_t>(std::max<std::int64_t>(size, 0), 4)));
        property.PropType = PropError;
        char text[64];
        std::snprintf(text, sizeof text, "Unknown type 0x%-2.2x, scan stopped", static_cast<unsigned>(type));
        property.StructName = text;
        property.Valid = true;
        return false;
      }
    }
    property.StoredSize = static_cast<std::int64_t>(stream_.Position() - valueStart);
    property.PropType = type;
    property.Valid = true;
    return true;
  } catch (const std::exception& e) {
    throw ReadError("Exception reading property " + knownAs + "\r\n" + e.what());
  }
}

TUTObjectUse::TUTObjectUse(TUTObject& object, bool parse) : object_(object) {
  try {
    object_.ReadObject(parse);
  } catch (...) {
    object_.Release();
    throw;
  }
}

}  // namespace unrealpkg
