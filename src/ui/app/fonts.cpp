#include "ui/app/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The family itself when it is installed, else the narrow sans-serif that stands in for it.
QString installedOrLiberationSans(const QString &family)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &name : {family, QStringLiteral("Liberation Sans")})
        if (installed.contains(name, Qt::CaseInsensitive))
            return name;
    return family;
}

QFont pixelFont(const QString &family, int pixels, bool bold, bool underline)
{
    QFont font(family);
    font.setPixelSize(qMax(1, pixels));
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace

QFont ArialPixels(int pixels, bool bold, bool underline)
{
    static const QString family = installedOrLiberationSans(QStringLiteral("Arial"));
    return pixelFont(family, pixels, bold, underline);
}

QFont MsSansSerifPixels(int pixels)
{
    static const QString family = installedOrLiberationSans(QStringLiteral("MS Sans Serif"));
    QFont font = pixelFont(family, pixels, false, false);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
