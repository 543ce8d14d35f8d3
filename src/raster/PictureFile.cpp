#include "raster/PictureFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <cstring>
#include <stdexcept>

#include "platform/AtomicFile.h"

namespace raster {

namespace {

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
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB888);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.Row(y);
    uchar* out = image.scanLine(y);
    for (int x = 0; x < bitmap.Width(); ++x, in += 3, out += 3) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
    }
  }
  return image;
}

}  // namespace

void SavePng(const Bitmap& bitmap, const std::filesystem::path& path) {
  if (bitmap.IsEmpty()) throw std::runtime_error("Cannot write file \"" + path.string() + "\": the picture is empty");
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(ToImage(bitmap)))
    throw std::runtime_error("Cannot write file \"" + path.string() + "\": " + writer.errorString().toStdString());
  platform::WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()), static_cast<std::size_t>(encoded.size())));
}

}  // namespace raster
