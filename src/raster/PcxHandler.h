#pragma once

#include <QImageIOHandler>

namespace raster {

// Reads and writes run-length encoded PCX pictures: 8 bits in one plane with
// the 256-colour palette at the end of the file, and 24 bits as red, green and
// blue planes per scan line. Damaged files fail to read; they never make it
// read past the data or allocate more than the data can fill.
class PcxHandler : public QImageIOHandler {
public:
  // Whether the device's next bytes look like a PCX header; reads nothing.
  static bool CanRead(QIODevice* device);

  bool canRead() const override;
  bool read(QImage* image) override;
  // An 8-bit picture keeps its palette; any other is written in 24 bits.
  bool write(const QImage& image) override;
  bool supportsOption(ImageOption option) const override;
  QVariant option(ImageOption option) const override;
};

}  // namespace raster
