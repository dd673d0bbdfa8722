#include "core/classroom/pupilname.h"

#include <QList>

namespace {

// what the file systems of the school's server take for one name, in bytes
constexpr qsizetype MaxNameBytes = 255;

bool holdsControlCharacter(const QString &name)
{
    for (const uint c : name.toUcs4())
        if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029)
            return true;
    return false;
}

} // namespace

QString PupilNameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Jméno žáka nesmí být prázdné.");
    if (name == u"." || name == u"..")
        return QStringLiteral("Jméno žáka nesmí být „.“ ani „..“.");
    if (name.startsWith(u'.'))
        return QStringLiteral("Jméno žáka nesmí začínat tečkou.");
    if (name.contains(u'/'))
        return QStringLiteral("Jméno žáka nesmí obsahovat lomítko „/“.");
    if (holdsControlCharacter(name))
        return QStringLiteral("Jméno žáka nesmí obsahovat řídicí znaky.");
    // a lone surrogate has no UTF-8 form: the folder would get another name than the one shown
    if (QString::fromUtf8(name.toUtf8()) != name)
        return QStringLiteral("Jméno žáka obsahuje neplatný znak.");
    if (name.toUcs4().size() > MaxPupilNameLength || name.toUtf8().size() > MaxNameBytes)
        return QStringLiteral("Jméno žáka smí mít nejvýše %1 znaků.").arg(MaxPupilNameLength);
    return QString();
}
