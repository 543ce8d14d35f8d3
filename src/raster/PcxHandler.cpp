#include "raster/PcxHandler.h"

#include <QIODevice>
#include <QImage>
#include <QLoggingCategory>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace raster {

namespace {

// Qt's readers report every failed read as "Unable to read image data"; the
// reason why goes to the log.
Q_LOGGING_CATEGORY(lcPcx, "marbelle.raster.pcx")

constexpr qint64 HeaderBytes = 128;
constexpr uchar Manufacturer = 0x0A;
constexpr uchar RunLengthEncoded = 1;
constexpr qint64 PaletteBytes = 768;
constexpr uchar PaletteMarker = 0x0C;
constexpr uchar RunFlags = 0xC0;
constexpr std::size_t LongestRun = 0x3F;

int Get16(const uchar* p) { return p[0] | p[1] << 8; }

struct Header {
  int width;
  int height;
  int planes;
  std::size_t bytesPerLine;

  bool Paletted() const { return planes == 1; }
};

Header ParseHeader(const uchar* p) {
  if (p[0] != Manufacturer) throw std::runtime_error("not a PCX file");
  if (p[2] != RunLengthEncoded) throw std::runtime_error("unsupported encoding " + std::to_string(p[2]));
  const int xMin = Get16(p + 4);
  const int yMin = Get16(p + 6);
  const int xMax = Get16(p + 8);
  const int yMax = Get16(p + 10);
  if (xMax < xMin || yMax < yMin)
    throw std::runtime_error("invalid window from (" + std::to_string(xMin) + ", " + std::to_string(yMin) + ") to (" +
                             std::to_string(xMax) + ", " + std::to_string(yMax) + ")");
  const Header header{xMax - xMin + 1, yMax - yMin + 1, p[65], static_cast<std::size_t>(Get16(p + 66))};
  const int bits = p[3];
  if (bits != 8 || (header.planes != 1 && header.planes != 3))
    throw std::runtime_error("unsupported layout of " + std::to_string(header.planes) + " planes of " +
                             std::to_string(bits) + " bits");
  if (header.bytesPerLine < static_cast<std::size_t>(header.width))
    throw std::runtime_error("scan lines of " + std::to_string(header.bytesPerLine) + " bytes are too short for " +
                             std::to_string(header.width) + " pixels");
  return header;
}

// Runs may go on from one scan line into the next, as some writers make them.
class RunDecoder {
public:
  RunDecoder(const uchar* begin, const uchar* end) : in_(begin), end_(end) {}

  // False when the data ends before `count` bytes are decoded.
  bool Fill(uchar* out, std::size_t count) {
    while (count > 0) {
      if (pending_ == 0) {
        if (in_ == end_) return false;
        value_ = *in_++;
        pending_ = 1;
        if ((value_ & RunFlags) == RunFlags) {
          if (in_ == end_) return false;
          pending_ = value_ & LongestRun;
          value_ = *in_++;
        }
      }
      const std::size_t n = std::min(pending_, count);
      std::memset(out, value_, n);
      out += n;
      count -= n;
      pending_ -= n;
    }
    return true;
  }

  bool RunUnfinished() const { return pending_ > 0; }

private:
  const uchar* in_;
  const uchar* end_;
  uchar value_ = 0;
  std::size_t pending_ = 0;
};

QImage Decode(const QByteArray& file) {
  if (file.size() < HeaderBytes) throw std::runtime_error("the file is shorter than a PCX header");
  const auto* begin = reinterpret_cast<const uchar*>(file.constData());
  const Header header = ParseHeader(begin);
  const uchar* dataEnd = begin + file.size();
  if (header.Paletted()) {
    if (file.size() < HeaderBytes + 1 + PaletteBytes || dataEnd[-PaletteBytes - 1] != PaletteMarker)
      throw std::runtime_error("the 256-colour palette at the end of the file is missing");
    dataEnd -= PaletteBytes + 1;
  }
  const uchar* data = begin + HeaderBytes;
  const std::size_t dataBytes = static_cast<std::size_t>(dataEnd - data);
  const std::size_t lineBytes = static_cast<std::size_t>(header.planes) * header.bytesPerLine;
  // Checked before allocating: two bytes of data decode to at most one longest run.
  if (lineBytes * static_cast<std::size_t>(header.height) > dataBytes / 2 * LongestRun + dataBytes % 2)
    throw std::runtime_error("a picture of " + std::to_string(header.width) + "x" + std::to_string(header.height) +
                             " pixels cannot be decoded from " + std::to_string(dataBytes) + " bytes of data");
  QImage image;
  if (!QImageIOHandler::allocateImage(QSize(header.width, header.height),
                                      header.Paletted() ? QImage::Format_Indexed8 : QImage::Format_RGB888, &image))
    throw std::runtime_error("a picture of " + std::to_string(header.width) + "x" + std::to_string(header.height) +
                             " pixels exceeds the image readers' allocation limit");

  std::vector<uchar> line(lineBytes);
  RunDecoder decoder(data, dataEnd);
  const auto width = static_cast<std::size_t>(header.width);
  for (int y = 0; y < header.height; ++y) {
    if (!decoder.Fill(line.data(), lineBytes)) throw std::runtime_error("the picture data ends early");
    uchar* out = image.scanLine(y);
    if (header.Paletted()) {
      std::memcpy(out, line.data(), width);
      continue;
    }
    const uchar* red = line.data();
    const uchar* green = red + header.bytesPerLine;
    const uchar* blue = green + header.bytesPerLine;
    for (std::size_t x = 0; x < width; ++x, out += 3) {
      out[0] = red[x];
      out[1] = green[x];
      out[2] = blue[x];
    }
  }
  if (decoder.RunUnfinished()) throw std::runtime_error("a run of repeated bytes goes past the end of the picture");

  if (header.Paletted()) {
    QList<QRgb> colours(256);
    const uchar* rgb = dataEnd + 1;
    for (QRgb& colour : colours) {
      colour = qRgb(rgb[0], rgb[1], rgb[2]);
      rgb += 3;
    }
    image.setColorTable(colours);
  }
  return image;
}

void Put16(QByteArray& out, int at, int value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// Runs of up to 63 equal bytes; a single byte that looks like a run marker
// goes as a run of one.
void EncodeLine(const uchar* line, std::size_t size, QByteArray& out) {
  for (std::size_t x = 0; x < size;) {
    std::size_t run = 1;
    while (x + run < size && run < LongestRun && line[x + run] == line[x]) ++run;
    if (run > 1 || (line[x] & RunFlags) == RunFlags) out.append(static_cast<char>(RunFlags | run));
    out.append(static_cast<char>(line[x]));
    x += run;
  }
}

// Version 5, run-length encoded: one plane with the 256-colour palette at the
// end for 8-bit pictures, red, green and blue planes for the others. Scan
// lines hold an even number of bytes.
QByteArray Encode(const QImage& picture) {
  const bool paletted = picture.format() == QImage::Format_Indexed8;
  const QImage image = paletted ? picture : picture.convertToFormat(QImage::Format_RGB888);
  const int planes = paletted ? 1 : 3;
  const auto width = static_cast<std::size_t>(image.width());
  const std::size_t bytesPerLine = width + width % 2;
  QByteArray out(HeaderBytes, '\0');
  out[0] = static_cast<char>(Manufacturer);
  out[1] = 5;
  out[2] = static_cast<char>(RunLengthEncoded);
  out[3] = 8;
  Put16(out, 8, image.width() - 1);
  Put16(out, 10, image.height() - 1);
  Put16(out, 12, 72);
  Put16(out, 14, 72);
  out[65] = static_cast<char>(planes);
  Put16(out, 66, static_cast<int>(bytesPerLine));
  Put16(out, 68, 1);
  std::vector<uchar> line(bytesPerLine * static_cast<std::size_t>(planes), 0);
  for (int y = 0; y < image.height(); ++y) {
    const uchar* in = image.constScanLine(y);
    if (paletted) {
      std::memcpy(line.data(), in, width);
    } else {
      for (std::size_t x = 0; x < width; ++x)
        for (int plane = 0; plane < 3; ++plane) line[static_cast<std::size_t>(plane) * bytesPerLine + x] = in[3 * x + plane];
    }
    for (int plane = 0; plane < planes; ++plane)
      EncodeLine(line.data() + static_cast<std::size_t>(plane) * bytesPerLine, bytesPerLine, out);
  }
  if (paletted) {
    out.append(static_cast<char>(PaletteMarker));
    const QList<QRgb> colours = image.colorTable();
    for (int i = 0; i < 256; ++i) {
      const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
      out.append(static_cast<char>(qRed(colour))).append(static_cast<char>(qGreen(colour))).append(static_cast<char>(qBlue(colour)));
    }
  }
  return out;
}

}  // namespace

bool PcxHandler::write(const QImage& image) {
  if (image.isNull() || image.width() > 0xFFFF || image.height() > 0xFFFF || device() == nullptr) return false;
  const QByteArray bytes = Encode(image);
  return device()->write(bytes) == bytes.size();
}

bool PcxHandler::CanRead(QIODevice* device) {
  const QByteArray head = device->peek(4);
  if (head.size() < 4) return false;
  const uchar version = static_cast<uchar>(head[1]);
  return static_cast<uchar>(head[0]) == Manufacturer && version <= 5 && version != 1 &&
         static_cast<uchar>(head[2]) == RunLengthEncoded;
}

bool PcxHandler::canRead() const {
  if (device() == nullptr || !CanRead(device())) return false;
  setFormat("pcx");
  return true;
}

bool PcxHandler::read(QImage* image) {
  try {
    *image = Decode(device()->readAll());
    return true;
  } catch (const std::exception& e) {
    qCWarning(lcPcx, "Cannot read PCX picture: %s", e.what());
    return false;
  }
}

bool PcxHandler::supportsOption(ImageOption option) const { return option == Size; }

QVariant PcxHandler::option(ImageOption option) const {
  if (option != Size || device() == nullptr) return {};
  const QByteArray head = device()->peek(HeaderBytes);
  if (head.size() < HeaderBytes) return {};
  try {
    const Header header = ParseHeader(reinterpret_cast<const uchar*>(head.constData()));
    return QSize(header.width, header.height);
  } catch (const std::runtime_error&) {
    return {};
  }
}

}  // namespace raster
