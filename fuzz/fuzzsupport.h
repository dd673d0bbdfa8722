#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

// One private folder for the whole run, in memory (tmpfs) where there is one; each input
// rewrites the files in it.
inline QString fuzzFolder()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/numik-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/numik-fuzz-XXXXXX"));
    return dir.path();
}

inline QString fuzzPath(const char *name)
{
    return fuzzFolder() + QLatin1Char('/') + QString::fromLatin1(name);
}

inline void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A broken promise ends the run with its reason, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                       \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition);                    \
            std::abort();                                                                           \
        }                                                                                           \
    } while (false)
