#pragma once

// What the class tests share: a fixed "today" for the figures, and raw file writes and reads
// that stage a class folder byte for byte.

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>

inline const QDate Today(2026, 3, 31);

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

inline QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
