#include "app/svgrender.h"

#include <QPainter>
#include <QSvgRenderer>

QImage RenderSvg(const QString &path, const QSize &deviceSize, const QRectF &viewBox)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || deviceSize.isEmpty())
        return {};
    if (!viewBox.isEmpty())
        renderer.setViewBox(viewBox);
    QImage image(deviceSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(deviceSize)));
    painter.end();
    return image;
}
