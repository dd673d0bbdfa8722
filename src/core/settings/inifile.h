#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

#include <stdexcept>

// A write to the settings file failed; what() is "Unable to write to <full path>" in UTF-8.
class IniWriteError : public std::runtime_error
{
public:
    explicit IniWriteError(const QString &path);
    QString path() const { return m_path; }

private:
    QString m_path;
};

// A settings file larger than this is damaged: reads give the defaults, writes throw IniWriteError
// and leave it as it is, and no write makes a file larger. Only regular files are read; anything
// else, a symbolic link included (it is never followed), reads as a missing file and is never
// written.
inline constexpr qint64 MaxSettingsFileSize = 1024 * 1024;

// IniReadString hands out at most this many characters (UTF-16 code units) of a value, counted
// after the quotes around it are taken off and the bytes are decoded.
inline constexpr qsizetype IniMaxValueLength = 2047;

// Each accessor opens the file, does one read or one write and closes it again: nothing is cached,
// so a value written anywhere is what the next read anywhere sees. Section and key names match
// regardless of ASCII letter case. A missing file, section or key, or a value that does not parse,
// gives the default. A write replaces the value in place, adds a missing key or section and keeps
// every other line untouched; it throws IniWriteError when the file cannot be written, and a
// failed write leaves the old file whole. A leading UTF-8 byte-order mark is no part of the first
// line and is kept. Values are written as UTF-8; a value that is not valid UTF-8 is read as
// Windows-1250. A file in UTF-16 with its byte-order mark is read too, and a line may end in
// "\r" alone; the next write puts such a file into UTF-8 with lines ending in "\n".
qint32 IniReadInteger(const QString &file, const QString &section, const QString &key, qint32 defaultValue);
void IniWriteInteger(const QString &file, const QString &section, const QString &key, qint32 value);
bool IniReadBool(const QString &file, const QString &section, const QString &key, bool defaultValue);
void IniWriteBool(const QString &file, const QString &section, const QString &key, bool value);
QString IniReadString(const QString &file, const QString &section, const QString &key, const QString &defaultValue);
void IniWriteString(const QString &file, const QString &section, const QString &key, const QString &value);

// The integer rule of the settings file: blanks around the value ignored; a decimal number with
// an optional sign in the 32-bit range, or "0x", "0X", "$" and hexadecimal digits taken as a 32-bit
// pattern. Returns false for anything else.
bool parseIniInteger(QStringView text, qint32 &value);

// One key of a batch write and the text it is to hold.
struct IniEntry
{
    QString section;
    QString key;
    QString value;
};

// A set of keys to be written together, in the order they were set.
class IniBatch
{
public:
    void setInteger(const QString &section, const QString &key, qint32 value);
    void setBool(const QString &section, const QString &key, bool value);
    void setString(const QString &section, const QString &key, const QString &value);
    const QList<IniEntry> &entries() const { return m_entries; }

private:
    QList<IniEntry> m_entries;
};

// Writes the batch's keys in their order with one read and one rewrite of the file, under an
// exclusive lock on it that another copy saving at the same moment waits for: the file ends as
// the keys' single writes one after another would leave it, and no copy loses another's keys.
// All or nothing: a failure throws IniWriteError and leaves the old file whole. The single
// writes above are batches of one.
void IniWriteBatch(const QString &file, const IniBatch &batch);

// The same on the file's text: the value of a key as a read gives it (none when it is missing),
// and the text with one key set, as a write of that key alone would leave it.
std::optional<QString> IniTextValue(const QByteArray &bytes, const QString &section, const QString &key);
QByteArray IniTextWithEntry(const QByteArray &bytes, const IniEntry &entry);
