#include "app/pictures.h"

#include <QFile>
#include <QIconEngine>
#include <QPixmapCache>
#include <QPainter>
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

QPixmap render(QSvgRenderer &renderer, const QSize &logicalSize, qreal devicePixelRatio)
{
    const std::optional<QSize> size = deviceSize(logicalSize, devicePixelRatio);
    if (!size || !renderer.isValid())
        return {};
    QPixmap pixmap(*size);
    if (pixmap.isNull())
        return {};
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(*size)));
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

// The application icon, drawn from its vector picture at each size only when a size is asked
// for, and kept once drawn.
class VectorIconEngine final : public QIconEngine
{
public:
    explicit VectorIconEngine(const QString &path) : m_path(path) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        QSvgRenderer renderer(m_path);
        renderer.render(painter, rect);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const QString key = QStringLiteral("numik-icon:%1x%2").arg(size.width()).arg(size.height());
        QPixmap cached;
        if (QPixmapCache::find(key, &cached))
            return cached;
        QSvgRenderer renderer(m_path);
        cached = render(renderer, size, 1.0);
        QPixmapCache::insert(key, cached);
        return cached;
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
    QSvgRenderer renderer(*path);
    pixmap = render(renderer, logicalSize, devicePixelRatio);
    if (!pixmap.isNull())
        QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap AnimationFrame(int frame, const QSize &logicalSize, qreal devicePixelRatio)
{
    const std::optional<QString> path = resourcePath(QStringLiteral("ANIMACE"));
    if (!path || !deviceSize(logicalSize, devicePixelRatio))
        return {};
    QSvgRenderer renderer(*path);
    if (!renderer.isValid())
        return {};
    const int shown = std::clamp(frame, 0, AnimationFrameCount - 1);
    // Looking at one frame's part of the strip draws just that frame over the whole pixmap.
    renderer.setViewBox(QRectF(shown * AnimationFrameSize.width(), 0, AnimationFrameSize.width(),
                               AnimationFrameSize.height()));
    return render(renderer, logicalSize, devicePixelRatio);
}

QIcon ApplicationIcon()
{
    const std::optional<QString> path = resourcePath(QStringLiteral("MAINICON"));
    if (!path)
        return {};
    return QIcon(new VectorIconEngine(*path));
}
