#include "ui/app/pictures.h"

#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QRectF>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Beyond this many device pixels a side a request is a mistake, not a picture to draw.
constexpr qreal MaxDeviceSide = 8192;

// The resource path of a picture, or nothing when the name is not one of ours: the pictures
// live at the root of the resources, so a name with a path in it is refused.
std::optional<QString> resourcePath(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return std::nullopt;
    const QString path = QStringLiteral(":/") + name;
    if (!QFile::exists(path))
        return std::nullopt;
    return path;
}

// The device size of a logical size at the given ratio, or nothing when either is unusable.
std::optional<QSize> deviceSize(const QSize &logicalSize, qreal devicePixelRatio)
{
    if (!std::isfinite(devicePixelRatio) || devicePixelRatio <= 0)
        return std::nullopt;
    const qreal width = logicalSize.width() * devicePixelRatio;
    const qreal height = logicalSize.height() * devicePixelRatio;
    if (width < 1 || height < 1 || width > MaxDeviceSide || height > MaxDeviceSide)
        return std::nullopt;
    return QSize(qRound(width), qRound(height));
}

// The picture (or the part of it that viewBox names; an empty viewBox means the whole)
// stretched over a transparent image of the device size, antialiased.
QImage renderSvg(const QString &path, const QSize &size, const QRectF &viewBox)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    if (!viewBox.isEmpty())
        renderer.setViewBox(viewBox);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QPixmap render(const QString &path, const QSize &logicalSize, qreal devicePixelRatio,
               const QRectF &viewBox = {})
{
    const std::optional<QSize> size = deviceSize(logicalSize, devicePixelRatio);
    if (!size)
        return {};
    QImage image = renderSvg(path, *size, viewBox);
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

// The application icon, drawn from its vector picture at each size only when a size is asked
// for, and kept once drawn.
class VectorIconEngine final : public QIconEngine
{
public:
    explicit VectorIconEngine(const QString &path) : m_path(path) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const QString key = QStringLiteral("numik-icon:%1x%2").arg(size.width()).arg(size.height());
        QPixmap cached;
        if (QPixmapCache::find(key, &cached))
            return cached;
        cached = render(m_path, size, 1.0);
        QPixmapCache::insert(key, cached);
        return cached;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        // a vector picture has every size; these are the ones a desktop usually asks for
        for (const int side : {16, 32, 64, 128})
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine *clone() const override { return new VectorIconEngine(m_path); }
    QString key() const override { return QStringLiteral("numik-vector"); }
    bool isNull() override { return false; }

private:
    QString m_path;
};

} // namespace

QPixmap Picture(const QString &name, const QSize &logicalSize, qreal devicePixelRatio)
{
    const std::optional<QString> path = resourcePath(name);
    if (!path || !deviceSize(logicalSize, devicePixelRatio))
        return {};
    // each picture is drawn once per size in force and then taken from the cache
    const QString key = QStringLiteral("numik:%1:%2x%3@%4")
                            .arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    pixmap = render(*path, logicalSize, devicePixelRatio);
    if (!pixmap.isNull())
        QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap AnimationFrame(int frame, const QSize &logicalSize, qreal devicePixelRatio)
{
    const std::optional<QString> path = resourcePath(QStringLiteral("ANIMACE"));
    if (!path || !deviceSize(logicalSize, devicePixelRatio))
        return {};
    const int shown = std::clamp(frame, 0, AnimationFrameCount - 1);
    // Looking at one frame's part of the strip draws just that frame over the whole pixmap.
    return render(*path, logicalSize, devicePixelRatio,
                  QRectF(shown * AnimationFrameSize.width(), 0, AnimationFrameSize.width(), AnimationFrameSize.height()));
}

QIcon ApplicationIcon()
{
    const std::optional<QString> path = resourcePath(QStringLiteral("MAINICON"));
    if (!path)
        return {};
    return QIcon(new VectorIconEngine(*path));
}
