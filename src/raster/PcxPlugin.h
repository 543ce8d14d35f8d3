#pragma once

#include <QImageIOPlugin>

namespace raster {

// Offers PcxHandler to Qt's image readers under the format name "pcx"; linked
// in statically and imported where pictures are loaded.
class PcxPlugin : public QImageIOPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "PcxPlugin.json")

public:
  Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
  QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override;
};

}  // namespace raster
