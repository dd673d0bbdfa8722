#include "core/settings/inifile.h"

#include "core/records/retryoninterrupt.h"
#include "core/settings/codepage1250.h"
#include "core/settings/int32text.h"
#include "core/settings/settingsfilelock.h"
#include "core/settings/wholefilewrite.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// GetPrivateProfileString hands out at most this many characters of a value.
constexpr qsizetype MaxValueLength = IniMaxValueLength;

// Some editors put this before the first line; it is no part of the text.
constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");

// The file as read from disk. Only a regular file is opened: a named pipe would block the
// program in open(), a device would feed it without end, and a link (which pupils sharing a
// folder could plant) would read another file. A file larger than MaxSettingsFileSize
// is damaged (a real one is a few kilobytes) and gives every default.
struct SettingsFile
{
    enum class State { Missing, Unreadable, Damaged, Read };
    State state = State::Missing;
    QByteArray bytes;
};

// The text in the program's own form: a file that Windows Notepad saved as "Unicode" (UTF-16
// with its byte-order mark) is taken as UTF-8, and a line that ends in "\r" alone, as old Mac
// editors end them, ends in "\n". A write puts that form on disk.
void toOwnEncoding(QByteArray &bytes)
{
    const QByteArrayView view(bytes);
    const bool little = view.startsWith("\xFF\xFE");
    if (little || view.startsWith("\xFE\xFF")) {
        QStringDecoder decode(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        bytes = QString(decode(view.sliced(2))).toUtf8();
    }
    for (qsizetype at = bytes.indexOf('\r'); at >= 0; at = bytes.indexOf('\r', at + 1)) {
        if (at + 1 == bytes.size() || bytes[at + 1] != '\n')
            bytes[at] = '\n';
    }
}

// Reads the open file fd whole; a file larger than MaxSettingsFileSize is damaged.
SettingsFile readOpenFile(int fd)
{
    SettingsFile file;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return file;
    if (info.st_size > MaxSettingsFileSize) {
        file.state = SettingsFile::State::Damaged;
        return file;
    }
    // The buffer starts one byte larger than the file, so that a file that grew meanwhile is seen,
    // and grows up to one byte beyond the limit, which tells a damaged file from one that fits.
    file.bytes.resize(qsizetype(info.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, file.bytes.data() + got, size_t(file.bytes.size() - got), off_t(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            file.state = SettingsFile::State::Unreadable;
            file.bytes.clear();
            return file;
        }
        if (n == 0)
            break;
        got += n;
        if (got == file.bytes.size()) {
            if (got > MaxSettingsFileSize)
                break;
            file.bytes.resize(std::min<qsizetype>(2 * got, qsizetype(MaxSettingsFileSize) + 1));
        }
    }
    file.bytes.truncate(got);
    file.state = got > MaxSettingsFileSize ? SettingsFile::State::Damaged : SettingsFile::State::Read;
    if (file.state == SettingsFile::State::Damaged)
        file.bytes.clear();
    toOwnEncoding(file.bytes);
    return file;
}

SettingsFile readSettingsFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0'))
        return {};
    const int fd =
        retryOnInterrupt([&] { return ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC); });
    if (fd < 0) {
        SettingsFile file;
        // a link (ELOOP under O_NOFOLLOW) reads as no file: it is never followed
        if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP)
            file.state = SettingsFile::State::Unreadable;
        return file;
    }
    SettingsFile file = readOpenFile(fd);
    ::close(fd);
    return file;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && (isBlank(text.back()) || text.back() == '\r'))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView a, const QByteArray &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One line of the file: its text without the line ending, and where the next line starts.
// Lines end at "\n"; a "\r" before it belongs to the ending.
struct Line
{
    QByteArrayView text;
    qsizetype next = 0;
};

class Lines
{
public:
    explicit Lines(const QByteArray &bytes)
        : m_bytes(bytes)
        , m_at(QByteArrayView(bytes).startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0)
    {
    }
    qsizetype firstLineStart() const
    {
        return QByteArrayView(m_bytes).startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    }
    bool next(Line &line)
    {
        if (m_at >= m_bytes.size())
            return false;
        qsizetype nl = m_bytes.indexOf('\n', m_at);
        line.next = nl < 0 ? m_bytes.size() : nl + 1;
        if (nl < 0)
            nl = m_bytes.size();
        QByteArrayView text = QByteArrayView(m_bytes).sliced(m_at, nl - m_at);
        if (text.endsWith('\r'))
            text.chop(1);
        line.text = text;
        m_at = line.next;
        return true;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_at;
};

// The section name of a "[name]" line, if the line is one.
bool sectionName(QByteArrayView line, QByteArrayView &name)
{
    const QByteArrayView t = trimmed(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return false;
    name = trimmed(t.sliced(1, close - 1));
    return true;
}

// The key of a "key=value" line; comment lines and lines without "=" have none.
bool keyName(QByteArrayView line, QByteArrayView &name)
{
    const QByteArrayView t = trimmed(line);
    if (t.isEmpty() || t.front() == ';')
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return false;
    name = trimmed(t.first(eq));
    return true;
}

struct Location
{
    bool sectionFound = false;
    bool keyFound = false;
    qsizetype keyStart = -1;    // the "key=" line and where the line after it starts
    qsizetype keyNext = -1;
    QByteArrayView keyText;     // that line without its ending
    qsizetype insertAt = -1;    // where a missing key goes: after the section's last key line
};

// One pass over the file, no line copied.
Location locate(const QByteArray &bytes, const QString &section, const QString &key)
{
    const QByteArray wantedSection = section.toUtf8();
    const QByteArray wantedKey = key.toUtf8();
    Location where;
    bool inSection = false;
    Lines lines(bytes);
    Line line;
    qsizetype start = lines.firstLineStart();
    for (; lines.next(line); start = line.next) {
        QByteArrayView name;
        if (sectionName(line.text, name)) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = sameName(name, wantedSection);
            if (inSection) {
                where.sectionFound = true;
                where.insertAt = line.next;
            }
            continue;
        }
        if (!inSection || !keyName(line.text, name))
            continue;
        where.insertAt = line.next;
        if (sameName(name, wantedKey)) {
            where.keyFound = true;
            where.keyStart = start;
            where.keyNext = line.next;
            where.keyText = line.text;
            return where;
        }
    }
    return where;
}

} // namespace

std::optional<QString> IniTextValue(const QByteArray &bytes, const QString &section, const QString &key)
{
    const Location where = locate(bytes, section, key);
    if (!where.keyFound)
        return std::nullopt;
    QByteArrayView value = trimmed(where.keyText.sliced(where.keyText.indexOf('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return decodeSettingsText(value).left(MaxValueLength);
}

QByteArray IniTextWithEntry(const QByteArray &bytes, const IniEntry &entry)
{
    Lines first(bytes);
    Line firstLine;
    const QByteArray eol =
        first.next(firstLine) && QByteArrayView(bytes).sliced(0, firstLine.next).endsWith("\r\n") ? "\r\n" : "\n";
    // a line break inside a value would split it into lines of its own
    QByteArray text = entry.value.toUtf8();
    text.replace('\r', ' ').replace('\n', ' ');
    const QByteArray line = entry.key.toUtf8() + '=' + text + eol;

    QByteArray out;
    out.reserve(bytes.size() + line.size() + entry.section.size() + 8);
    const Location where = locate(bytes, entry.section, entry.key);
    if (where.keyFound) {
        out.append(QByteArrayView(bytes).first(where.keyStart)).append(line);
        out.append(QByteArrayView(bytes).sliced(where.keyNext));
    } else if (where.sectionFound) {
        out.append(QByteArrayView(bytes).first(where.insertAt));
        // the last line may lack its ending; it must not run into the new one
        if (!out.endsWith('\n'))
            out.append(eol);
        out.append(line).append(QByteArrayView(bytes).sliced(where.insertAt));
    } else {
        out = bytes;
        const qsizetype textStart = Lines(bytes).firstLineStart();
        if (out.size() > textStart) {
            if (!out.endsWith('\n'))
                out.append(eol);
            // a blank line before the new section, unless the file ends with one
            qsizetype lastStart = out.size() - 1;
            while (lastStart > textStart && out[lastStart - 1] != '\n')
                --lastStart;
            const QByteArrayView last = QByteArrayView(out).sliced(lastStart);
            if (last != "\n" && last != "\r\n")
                out.append(eol);
        }
        out.append('[' + entry.section.toUtf8() + ']' + eol).append(line);
    }
    return out;
}

namespace {

std::optional<QString> readValue(const QString &file, const QString &section, const QString &key)
{
    const SettingsFile settings = readSettingsFile(file);
    if (settings.state != SettingsFile::State::Read)
        return std::nullopt;
    return IniTextValue(settings.bytes, section, key);
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
    IniBatch batch;
    batch.setInteger(section, key, value);
    IniWriteBatch(file, batch);
}

bool IniReadBool(const QString &file, const QString &section, const QString &key, bool defaultValue)
{
    return IniReadInteger(file, section, key, defaultValue ? 1 : 0) != 0;
}

void IniWriteBool(const QString &file, const QString &section, const QString &key, bool value)
{
    IniBatch batch;
    batch.setBool(section, key, value);
    IniWriteBatch(file, batch);
}

QString IniReadString(const QString &file, const QString &section, const QString &key, const QString &defaultValue)
{
    return readValue(file, section, key).value_or(defaultValue);
}

void IniWriteString(const QString &file, const QString &section, const QString &key, const QString &value)
{
    IniBatch batch;
    batch.setString(section, key, value);
    IniWriteBatch(file, batch);
}

void IniBatch::setInteger(const QString &section, const QString &key, qint32 value)
{
    m_entries.append({section, key, QString::number(value)});
}

void IniBatch::setBool(const QString &section, const QString &key, bool value)
{
    m_entries.append({section, key, value ? QStringLiteral("1") : QStringLiteral("0")});
}

void IniBatch::setString(const QString &section, const QString &key, const QString &value)
{
    m_entries.append({section, key, value});
}

void IniWriteBatch(const QString &file, const IniBatch &batch)
{
    const QByteArray name = QFile::encodeName(file);
    if (name.isEmpty() || name.contains('\0'))
        throw IniWriteError(file);
    if (batch.entries().isEmpty())
        return;
    SettingsFileLock lock(name);
    if (!lock.locked())
        throw IniWriteError(file);
    const auto fail = [&] {
        lock.removeIfCreated();
        throw IniWriteError(file);
    };
    const SettingsFile current = readOpenFile(lock.fd());
    // Rewriting a file that could not be read would lose every other setting in it.
    if (current.state != SettingsFile::State::Read)
        fail();
    QByteArray out = current.bytes;
    for (const IniEntry &entry : batch.entries()) {
        out = IniTextWithEntry(out, entry);
        // The reader refuses a larger file: writing one would lose every setting at the next start.
        if (out.size() > MaxSettingsFileSize)
            fail();
    }
    if (!WriteWholeFile(name, out, &lock.info()))
        fail();
}
