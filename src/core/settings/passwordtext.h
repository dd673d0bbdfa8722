#pragma once

#include <QString>

// What a password field makes of a text put into it. A paste may bring line breaks and other
// control characters, which no key types: kept, they would make a password that nobody can type
// at the unlock (a line break was stored as a blank). They are taken out, and a text longer than
// maxLength is cut there, never between the two UTF-16 units of one character.
struct PasswordText
{
    QString text;
    qsizetype cursor = 0;  // the cursor, moved back by what was taken out before it
    bool cut = false;      // the text was longer than maxLength
    bool emptied = false;  // there was text, and none of it could stay
};
PasswordText CleanPasswordText(const QString &text, qsizetype cursor, qsizetype maxLength);
