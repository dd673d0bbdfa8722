#include "settings/inifile.h"

#include "settings/int32text.h"

#include <QFile>
#include <QSaveFile>

#include <optional>

namespace {

// GetPrivateProfileString hands out at most this many characters of a value.
constexpr qsizetype MaxValueLength = 2047;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArray trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && (isBlank(text[end - 1]) || text[end - 1] == '\r'))
        --end;
    return text.sliced(begin, end - begin).toByteArray();
}

bool sameName(QByteArrayView a, const QString &b)
{
    return QString::fromUtf8(a).compare(b, Qt::CaseInsensitive) == 0;
}

// The text of a line without its line ending; lines keep their own endings in the file.
QByteArrayView content(const QByteArray &line)
{
    QByteArrayView v(line);
    if (v.endsWith('\n'))
        v.chop(1);
    if (v.endsWith('\r'))
        v.chop(1);
    return v;
}

// The section name of a "[name]" line, if the line is one.
std::optional<QByteArray> sectionName(const QByteArray &line)
{
    const QByteArray t = trimmed(content(line));
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmed(QByteArrayView(t).sliced(1, close - 1));
}

// The key of a "key=value" line; comment lines and lines without "=" have none.
std::optional<QByteArray> keyName(const QByteArray &line)
{
    const QByteArray t = trimmed(content(line));
    if (t.isEmpty() || t.front() == ';')
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimmed(QByteArrayView(t).first(eq));
}

QList<QByteArray> readLines(const QString &path)
{
    QList<QByteArray> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray all = file.readAll();
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype nl = all.indexOf('\n', start);
        if (nl < 0)
            nl = all.size() - 1;
        lines.append(all.mid(start, nl - start + 1));
        start = nl + 1;
    }
    return lines;
}

struct Location
{
    qsizetype sectionLine = -1; // the "[section]" line, -1 when the section is missing
    qsizetype keyLine = -1;     // the "key=" line, -1 when the key is missing
    qsizetype insertAt = -1;    // where a missing key goes: after the section's last key line
};

Location locate(const QList<QByteArray> &lines, const QString &section, const QString &key)
{
    Location where;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(lines[i])) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = sameName(*name, section);
            if (inSection) {
                where.sectionLine = i;
                where.insertAt = i + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (const auto name = keyName(lines[i])) {
            where.insertAt = i + 1;
            if (sameName(*name, key)) {
                where.keyLine = i;
                return where;
            }
        }
    }
    return where;
}

std::optional<QString> readValue(const QString &file, const QString &section, const QString &key)
{
    const QList<QByteArray> lines = readLines(file);
    const Location where = locate(lines, section, key);
    if (where.keyLine < 0)
        return std::nullopt;
    const QByteArrayView line = content(lines[where.keyLine]);
    QByteArray value = trimmed(line.sliced(line.indexOf('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return QString::fromUtf8(value).left(MaxValueLength);
}

void writeValue(const QString &file, const QString &section, const QString &key, const QString &value)
{
    QList<QByteArray> lines = readLines(file);
    QByteArray eol = "\n";
    if (!lines.isEmpty() && lines.front().endsWith("\r\n"))
        eol = "\r\n";
    // a line break inside a value would split it into lines of its own
    QByteArray text = value.toUtf8();
    text.replace('\r', ' ').replace('\n', ' ');
    const QByteArray entry = key.toUtf8() + '=' + text + eol;

    const Location where = locate(lines, section, key);
    if (where.keyLine >= 0) {
        lines[where.keyLine] = entry;
    } else if (where.sectionLine >= 0) {
        lines.insert(where.insertAt, entry);
    } else {
        if (!lines.isEmpty() && !lines.back().endsWith('\n'))
            lines.back().append(eol);
        if (!lines.isEmpty() && !content(lines.back()).isEmpty())
            lines.append(eol);
        lines.append('[' + section.toUtf8() + ']' + eol);
        lines.append(entry);
    }
    // a line that lost its ending before an inserted one must not run into it
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (!lines[i].endsWith('\n'))
            lines[i].append(eol);
    }

    // The whole file is rewritten through a temporary file renamed over it, so a crash never
    // leaves half a settings file; where the folder allows no temporary file it is written directly.
    QSaveFile out(file);
    out.setDirectWriteFallback(true);
    if (!out.open(QIODevice::WriteOnly))
        throw IniWriteError(file);
    for (const QByteArray &line : std::as_const(lines)) {
        if (out.write(line) != line.size()) {
            out.cancelWriting();
            throw IniWriteError(file);
        }
    }
    if (!out.commit())
        throw IniWriteError(file);
}

} // namespace

IniWriteError::IniWriteError(const QString &path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString())
    , m_path(path)
{
}

bool parseIniInteger(QStringView text, qint32 &value)
{
    text = text.trimmed();
    if (text.startsWith(u'$'))
        return parseHexPattern32(text.sliced(1), value);
    if (text.startsWith(u"0x") || text.startsWith(u"0X"))
        return parseHexPattern32(text.sliced(2), value);
    return parseSignedDecimal32(text, value);
}

qint32 IniReadInteger(const QString &file, const QString &section, const QString &key, qint32 defaultValue)
{
    qint32 value = defaultValue;
    const std::optional<QString> text = readValue(file, section, key);
    if (text && parseIniInteger(*text, value))
        return value;
    return defaultValue;
}

void IniWriteInteger(const QString &file, const QString &section, const QString &key, qint32 value)
{
    writeValue(file, section, key, QString::number(value));
}

bool IniReadBool(const QString &file, const QString &section, const QString &key, bool defaultValue)
{
    return IniReadInteger(file, section, key, defaultValue ? 1 : 0) != 0;
}

void IniWriteBool(const QString &file, const QString &section, const QString &key, bool value)
{
    writeValue(file, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString IniReadString(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    return readValue(file, section, key).value_or(defaultValue);
}

void IniWriteString(const QString &file, const QString &section, const QString &key, const QString &value)
{
    writeValue(file, section, key, value);
}
