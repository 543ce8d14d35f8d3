#include "raster/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QtPlugin>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "platform/AtomicFile.h"
#include "raster/BmpFile.h"

// Here because every program that reads pictures or lists their formats links
// this file, and so gets PCX in its readers and file dialogs.
Q_IMPORT_PLUGIN(PcxPlugin)

namespace raster {

namespace {

constexpr int MaxPaletteColours = 256;

std::runtime_error ReadError(const std::string& name, const std::string& reason) {
  return std::runtime_error("Cannot read picture \"" + name + "\": " + reason);
}

// Checked before reading, at 32 bits per pixel as most readers decode, so the
// message can say why instead of Qt's "Unable to read image data".
void CheckAllocationLimit(QSize size, const std::string& name) {
  const int limitMegabytes = QImageReader::allocationLimit();
  if (limitMegabytes <= 0 || !size.isValid()) return;
  const auto bytes = static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height()) * 4;
  if (bytes > static_cast<std::uint64_t>(limitMegabytes) << 20)
    throw ReadError(name, "its size of " + std::to_string(size.width()) + "x" + std::to_string(size.height()) +
                              " pixels exceeds the image readers' allocation limit of " +
                              std::to_string(limitMegabytes) + " MB");
}

Bitmap ToBitmap(const QImage& image) {
  const QImage::Format format = image.format();
  const bool paletted =
      format == QImage::Format_Indexed8 || format == QImage::Format_Mono || format == QImage::Format_MonoLSB;
  // Transparency is kept for true-colour pictures only; ARGB32 lies in memory as B, G, R, A.
  const bool alpha = !paletted && image.hasAlphaChannel();
  const QImage converted = image.convertToFormat(paletted ? QImage::Format_Indexed8
                                                 : alpha  ? QImage::Format_ARGB32
                                                          : QImage::Format_BGR888);
  Bitmap bitmap(converted.width(), converted.height(),
                paletted ? PixelFormat::Indexed8 : alpha ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
  const QList<QRgb> colours =
      converted.colorTable().first(std::min<qsizetype>(converted.colorCount(), MaxPaletteColours));
  for (const QRgb colour : colours)
    bitmap.Palette().push_back({static_cast<std::uint8_t>(qRed(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                                static_cast<std::uint8_t>(qBlue(colour)), 0});
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(bitmap.Row(y), converted.constScanLine(y), bitmap.RowBytes());
  return bitmap;
}

Bitmap Read(QImageReader& reader, const std::string& name) {
  CheckAllocationLimit(reader.size(), name);
  QImage image;
  if (!reader.read(&image)) throw ReadError(name, reader.errorString().toStdString());
  return ToBitmap(image);
}

QImage ToImage(const Bitmap& bitmap) {
  if (bitmap.Format() == PixelFormat::Indexed8) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
    QList<QRgb> colors;
    for (const PaletteEntry& c : bitmap.Palette()) colors.push_back(qRgb(c.Red, c.Green, c.Blue));
    if (colors.isEmpty())
      for (int i = 0; i < 256; ++i) colors.push_back(qRgb(i, i, i));
    while (colors.size() < 256) colors.push_back(qRgb(0, 0, 0));
    image.setColorTable(colors);
    for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(image.scanLine(y), bitmap.Row(y), bitmap.RowBytes());
    return image;
  }
  QImage image(bitmap.Width(), bitmap.Height(),
               bitmap.Format() == PixelFormat::Bgra32 ? QImage::Format_ARGB32 : QImage::Format_BGR888);
  for (int y = 0; y < bitmap.Height(); ++y) std::memcpy(image.scanLine(y), bitmap.Row(y), bitmap.RowBytes());
  return image;
}

}  // namespace

Bitmap LoadPicture(const std::filesystem::path& path) {
  QImageReader reader(QFile::decodeName(path.c_str()));
  return Read(reader, path.string());
}

Bitmap DecodePicture(std::span<const std::uint8_t> bytes, const std::string& format, const std::string& name) {
  QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, QByteArray::fromStdString(format));
  return Read(reader, name);
}

void SavePicture(const Bitmap& bitmap, const std::filesystem::path& path) {
  const QByteArray format = QByteArray::fromStdString(path.extension().string()).mid(1).toLower();
  if (format == "bmp") {
    SaveBmpFile(bitmap, path);
    return;
  }
  auto fail = [&](const std::string& reason) {
    return std::runtime_error("Cannot write file \"" + path.string() + "\": " + reason);
  };
  if (bitmap.IsEmpty()) throw fail("the picture is empty");
  if (!QImageWriter::supportedImageFormats().contains(format))
    throw fail("pictures of type \"" + format.toStdString() + "\" cannot be written");
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (!writer.write(ToImage(bitmap))) throw fail(writer.errorString().toStdString());
  platform::WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()), static_cast<std::size_t>(encoded.size())));
}

std::vector<std::string> ReadablePictureExtensions() {
  std::vector<std::string> extensions;
  for (const QByteArray& format : QImageReader::supportedImageFormats())
    extensions.push_back(format.toLower().toStdString());
  std::sort(extensions.begin(), extensions.end());
  extensions.erase(std::unique(extensions.begin(), extensions.end()), extensions.end());
  return extensions;
}

std::string PictureFileFilter() {
  std::string patterns;
  for (const std::string& extension : ReadablePictureExtensions())
    patterns += (patterns.empty() ? "*." : " *.") + extension;
  return "Pictures (" + patterns + ")";
}

}  // namespace raster
