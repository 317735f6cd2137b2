#include "platform/controls/svgpicture.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {

bool isSvg(const QString &path)
{
    return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive);
}

} // namespace

QPixmap SvgPicture::render(const QString &path, QSize size, qreal devicePixelRatio)
{
    if (path.isEmpty() || size.isEmpty())
        return {};
    const QSize device = (QSizeF(size) * devicePixelRatio).toSize();
    const QString key = QStringLiteral("zzpic:%1:%2x%3").arg(path).arg(device.width()).arg(device.height());
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    if (isSvg(path)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        QImage image(device, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        renderer.render(&p);
        p.end();
        pm = QPixmap::fromImage(image);
    } else {
        QImageReader reader(path);
        reader.setScaledSize(device);
        const QImage image = reader.read();
        if (image.isNull())
            return {};
        pm = QPixmap::fromImage(image);
    }
    pm.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pm);
    return pm;
}

QSize SvgPicture::naturalSize(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (isSvg(path)) {
        QSvgRenderer renderer(path);
        return renderer.isValid() ? renderer.defaultSize() : QSize();
    }
    QImageReader reader(path);
    return reader.size();
}
