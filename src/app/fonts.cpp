#include "app/fonts.h"

#include <QFontDatabase>
#include <QStringList>

QFont ArialPixels(int pixels, bool bold, bool underline)
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const QString &name : {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")})
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        return QStringLiteral("Arial");
    }();
    QFont font(family);
    font.setPixelSize(qMax(1, pixels));
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}
