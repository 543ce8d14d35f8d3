#include "raster/PcxPlugin.h"

#include "raster/PcxHandler.h"

namespace raster {

QImageIOPlugin::Capabilities PcxPlugin::capabilities(QIODevice* device, const QByteArray& format) const {
  if (format == "pcx") return Capabilities(CanRead | CanWrite);
  if (!format.isEmpty() || device == nullptr || !device->isReadable()) return {};
  return PcxHandler::CanRead(device) ? CanRead : Capabilities{};
}

QImageIOHandler* PcxPlugin::create(QIODevice* device, const QByteArray& format) const {
  auto* handler = new PcxHandler;
  handler->setDevice(device);
  handler->setFormat(format);
  return handler;
}

}  // namespace raster
