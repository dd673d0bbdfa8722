#include "ui/app/plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPluginLoader>
#include <QtGlobal>

#include <link.h>

#include <cstring>
#include <optional>

namespace {

QString &directoryOverride()
{
    static QString path;
    return path;
}

template <class Record>
bool readRecord(QFile &file, qint64 offset, Record &record)
{
    return file.seek(offset) && file.read(reinterpret_cast<char *>(&record), sizeof record) == qint64(sizeof record);
}

// Why the file cannot be handed to the dynamic loader, or nothing when it can. The loader maps
// each loaded segment of a library as its program header describes it; a segment past the end
// of the file (a copy broken off midway) is mapped all the same, and touching it kills the
// program with SIGBUS. So the headers are checked against the file's size first.
std::optional<QString> unloadableReason(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("is a symbolic link");
    if (!info.exists())
        return QStringLiteral("is missing");
    if (!info.isFile())
        return QStringLiteral("is not a regular file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot be read");
    const quint64 size = quint64(file.size());
    const QString notALibrary = QStringLiteral("is not a shared library of this machine");
    ElfW(Ehdr) header;
    if (!readRecord(file, 0, header))
        return notALibrary;
    const unsigned char ownClass = sizeof(void *) == 8 ? ELFCLASS64 : ELFCLASS32;
    const unsigned char ownOrder = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? ELFDATA2LSB : ELFDATA2MSB;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ownClass
        || header.e_ident[EI_DATA] != ownOrder || header.e_type != ET_DYN
        || header.e_phentsize != sizeof(ElfW(Phdr)))
        return notALibrary;
    const QString cut = QStringLiteral("is cut short");
    if (header.e_phoff > size || quint64(header.e_phnum) * sizeof(ElfW(Phdr)) > size - header.e_phoff)
        return cut;
    for (quint64 i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        if (!readRecord(file, qint64(header.e_phoff + i * sizeof segment), segment))
            return cut;
        if (segment.p_type == PT_LOAD && (segment.p_offset > size || segment.p_filesz > size - segment.p_offset))
            return cut;
    }
    return std::nullopt;
}

// What a plugin's metadata says against what this program expects, or nothing when they agree.
// Reading it loads no code of the plugin; the Qt version it was built for is checked on the way.
std::optional<QString> metadataMismatch(QPluginLoader &loader, const char *iid)
{
    const QJsonObject metaData = loader.metaData();
    if (metaData.isEmpty())
        return loader.errorString();
    const QString foundIid = metaData.value(QLatin1String("IID")).toString();
    if (foundIid != QLatin1String(iid))
        return QStringLiteral("is a plugin of another kind (%1)").arg(foundIid);
    // the interfaces pass C++ objects, which only the same build lays out the same
    const QString version = metaData.value(QLatin1String("MetaData")).toObject().value(QLatin1String("numik")).toString();
    if (version != QLatin1String(NUMIK_VERSION))
        return QStringLiteral("comes from Numik %1, not %2").arg(version, QLatin1String(NUMIK_VERSION));
    return std::nullopt;
}

QLoggingCategory::CategoryFilter filterBeforeLoading = nullptr;

void quietPluginLoader(QLoggingCategory *category)
{
    // while the filter is being installed there is no previous one yet, and a category keeps
    // the state it had; a category made later (a plugin's own) is set as it would have been
    if (filterBeforeLoading)
        filterBeforeLoading(category);
    if (qstrcmp(category->categoryName(), "qt.core.plugin.loader") == 0)
        category->setEnabled(QtWarningMsg, false);
}

// While it lives, Qt's loader keeps its own warnings to itself: the one line the program prints
// of a refused plugin says the same, and a second line would only repeat it.
class QuietPluginLoader
{
public:
    QuietPluginLoader()
    {
        filterBeforeLoading = nullptr;
        filterBeforeLoading = QLoggingCategory::installFilter(quietPluginLoader);
    }
    ~QuietPluginLoader() { QLoggingCategory::installFilter(filterBeforeLoading); }
    QuietPluginLoader(const QuietPluginLoader &) = delete;
    QuietPluginLoader &operator=(const QuietPluginLoader &) = delete;
};

} // namespace

QString PluginDirectory()
{
    if (!directoryOverride().isEmpty())
        return directoryOverride();
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(NUMIK_PLUGIN_SUBDIR)));
}

void SetPluginDirectory(const QString &path)
{
    directoryOverride() = path;
}

QObject *LoadPluginObject(const QString &name, const char *iid)
{
    const QString path = QDir(PluginDirectory()).filePath(QStringLiteral("lib%1.so").arg(name));
    std::optional<QString> problem = unloadableReason(path);
    QObject *object = nullptr;
    if (!problem) {
        const QuietPluginLoader quiet;
        QPluginLoader loader(path);
        // every symbol is bound now: one missing is a plugin that fails here, not a crash later
        loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        problem = metadataMismatch(loader, iid);
        if (!problem) {
            // the library is never unloaded: the objects it creates keep their code in it
            object = loader.instance();
            if (!object)
                problem = loader.errorString();
            else if (!object->qt_metacast(iid))
                problem = QStringLiteral("does not implement %1").arg(QLatin1String(iid));
        }
    }
    if (problem) {
        qWarning("numik: %s: %s; the program goes on without it", qPrintable(QDir::toNativeSeparators(path)),
                 qPrintable(problem->simplified()));
        return nullptr;
    }
    return object;
}
