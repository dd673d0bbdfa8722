#include "core/settings/passwordtext.h"

#include <algorithm>

namespace {

// tabs, line feeds, carriage returns, NEL and the other C0 and C1 codes, and the Unicode line
// and paragraph separators
bool keepable(QChar c)
{
    const QChar::Category category = c.category();
    return category != QChar::Other_Control && category != QChar::Separator_Line
           && category != QChar::Separator_Paragraph;
}

} // namespace

PasswordText CleanPasswordText(const QString &text, qsizetype cursor, qsizetype maxLength)
{
    PasswordText clean;
    clean.text.reserve(std::min(text.size(), maxLength));
    cursor = std::clamp<qsizetype>(cursor, 0, text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (keepable(text[i]))
            clean.text.append(text[i]);
        if (i + 1 == cursor)
            clean.cursor = clean.text.size();
    }
    if (clean.text.size() > maxLength) {
        qsizetype end = std::max<qsizetype>(maxLength, 0);
        if (end > 0 && clean.text[end - 1].isHighSurrogate())
            --end;
        clean.text.truncate(end);
        clean.cut = true;
    }
    clean.cursor = std::min(clean.cursor, clean.text.size());
    clean.emptied = !text.isEmpty() && clean.text.isEmpty();
    return clean;
}
