#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "unrealpkg/ByteReader.h"
#include "unrealpkg/TUTProperty.h"

namespace unrealpkg {

class TUTExportTableObjectData;
class TUTPackage;

// Base object reader: fetches an export's serialized bytes on demand and reads
// the tagged property list that starts them. Subclasses read what follows.
class TUTObject {
public:
  static constexpr std::string_view ReaderName = "TUTObject";

  TUTObject(TUTPackage& package, std::int32_t exportIndex);
  virtual ~TUTObject();
  TUTObject(const TUTObject&) = delete;
  TUTObject& operator=(const TUTObject&) = delete;

  // Loads the data and, with parse, parses it. Every call must be matched by one
  // Release, also when it fails (TUTObjectUse does both).
  void ReadObject(bool parse = true);
  void Release();

  bool IsLoaded() const { return loaded_; }
  bool IsParsed() const { return parsed_; }
  int UseCount() const { return useCount_; }

  TUTPackage& Package() const { return *package_; }
  std::int32_t ExportIndex() const { return exportIndex_; }
  const TUTExportTableObjectData& Export() const;
  std::string ClassName() const;
  std::string ObjectName() const;
  std::int32_t ClassRef() const;
  std::int32_t SuperRef() const;
  std::int32_t SerialOffset() const;
  std::int32_t SerialSize() const;
  std::uint32_t ObjectFlags() const;
  std::string FullPath() const;
  const TUTPropertyList& Properties() const { return properties_; }
  // The loaded bytes, empty until ReadObject.
  const std::vector<std::uint8_t>& Data() const { return data_; }
  // How many of them the last parse consumed; a reader that knows its whole
  // layout ends exactly at the data's end.
  std::size_t ParsedSize() const { return parsedSize_; }

protected:
  virtual void Reset();
  virtual void Parse();
  virtual void FreeData();
  virtual void ReadProperties();

  ByteReader& Stream() { return stream_; }
  // Converts an absolute file offset stored in the data into a position in Stream().
  std::int64_t DataPosition(std::int32_t fileOffset) const { return std::int64_t{fileOffset} - serialOffset_; }
  std::uint16_t Version() const;

private:
  bool ReadTag(TUTProperty& property);
  void SkipStateFrame();

  TUTPackage* package_;
  std::int32_t exportIndex_;
  std::int32_t serialOffset_ = 0;
  bool loaded_ = false;
  bool parsed_ = false;
  int useCount_ = 0;
  std::size_t parsedSize_ = 0;
  TUTPropertyList properties_;
  std::vector<std::uint8_t> data_;
  ByteReader stream_;
};

// Reads an object for a scope and releases it at the end, also on failure.
class TUTObjectUse {
public:
  TUTObjectUse(TUTObject& object, bool parse = true);
  ~TUTObjectUse() { object_.Release(); }
  TUTObjectUse(const TUTObjectUse&) = delete;
  TUTObjectUse& operator=(const TUTObjectUse&) = delete;

private:
  TUTObject& object_;
};

}  // namespace unrealpkg
