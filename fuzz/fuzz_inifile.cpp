// Any bytes as numik.ini: every accessor and the start-up load read it without harm, and a write
// changes the one value it writes and no other value that the program reads.
#include "core/generator/exercise.h"
#include "core/settings/inifile.h"
#include "core/settings/practicesettings.h"
#include "fuzzsupport.h"

#include <QList>

namespace {

struct Key
{
    const char *section;
    const char *key;
};

// Every key the program reads, a few that differ only in case, and one it never writes.
constexpr Key Keys[] = {
    {"Plus", "C1OD"},     {"Plus", "C1DO"},       {"Minus", "VDO"},          {"Krat", "ORAN"},
    {"Del", "ORDO"},      {"Hodnoceni", "1"},     {"Hodnoceni", "autopo"},   {"Hodnoceni", "automaz"},
    {"CasLimit", "hodnota"}, {"Rezim", "startvyuka"}, {"Rezim", "typ"},      {"Rezim", "chybvysl"},
    {"Neznama", "pouzevysl"}, {"Operace", "Deleni"}, {"Zvuk", "anone"},      {"Heslo", "hodnota"},
    {"Okno", "velikost"}, {"okno", "LEFT"},       {"FHDH", "ChBVse"},        {"a", "b"},
};

QList<QString> readAll(const QString &ini)
{
    QList<QString> values;
    for (const Key &k : Keys)
        values.append(IniReadString(ini, QLatin1String(k.section), QLatin1String(k.key), QStringLiteral("<none>")));
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString ini = fuzzPath("numik.ini");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    putFile(ini, bytes);

    PracticeSettings settings;
    OperationSwitches switches;
    NactiRozsahZIni(ini, settings);
    NastavDleIni(ini, settings, switches);
    for (const Key &k : Keys) {
        IniReadInteger(ini, QLatin1String(k.section), QLatin1String(k.key), 7);
        IniReadBool(ini, QLatin1String(k.section), QLatin1String(k.key), true);
    }
    FUZZ_CHECK(fileBytes(ini) == bytes); // reading never changes the file

    // Write the key chosen by the first byte; every other key reads as before.
    const QList<QString> before = readAll(ini);
    const std::size_t chosen = size > 0 ? data[0] % std::size(Keys) : 0;
    const Key &k = Keys[chosen];
    const qint32 value = size > 1 ? qint32(data[size - 1]) - 100 : 42;
    IniWriteInteger(ini, QLatin1String(k.section), QLatin1String(k.key), value);
    FUZZ_CHECK(IniReadInteger(ini, QLatin1String(k.section), QLatin1String(k.key), 7) == value);
    const QList<QString> after = readAll(ini);
    for (std::size_t i = 0; i < std::size(Keys); ++i) {
        const bool sameKey = QByteArrayView(Keys[i].section).compare(k.section, Qt::CaseInsensitive) == 0
                             && QByteArrayView(Keys[i].key).compare(k.key, Qt::CaseInsensitive) == 0;
        if (!sameKey)
            FUZZ_CHECK(after[qsizetype(i)] == before[qsizetype(i)]);
    }
    // a leading byte-order mark survives the rewrite
    if (bytes.startsWith("\xEF\xBB\xBF"))
        FUZZ_CHECK(fileBytes(ini).startsWith("\xEF\xBB\xBF"));
    return 0;
}
